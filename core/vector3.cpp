#include "core/vector3.h"

#include <cmath>

double TVector3::Component(const int index) const
{
  switch (index) {
    case 0: return x;
    case 1: return y;
    case 2: return z;
    default: break;
  }
  ASSERT(false);
  return 0.0;
}

double &TVector3::Component_Reference(const int index)
{
  switch (index) {
    case 0: return x;
    case 1: return y;
    case 2: return z;
    default: break;
  }
  ASSERT(false);
  return x;
}

TVector3 &TVector3::Normalize()
{
  const double Length = std::sqrt(x * x + y * y + z * z);
  ASSERT(Length > std::numeric_limits<double>::epsilon());
  x /= Length;
  y /= Length;
  z /= Length;
  return *this;
}

TVector3 &TVector3::Cross_Product(const TVector3 &other)
{
  // Both operands are copied first: other may be this very vector.
  const TVector3 a = *this;
  const TVector3 b = other;
  x = a.y * b.z - a.z * b.y;
  y = a.z * b.x - a.x * b.z;
  z = a.x * b.y - a.y * b.x;
  return *this;
}
