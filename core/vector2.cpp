#include "core/vector2.h"

#include <cmath>

double TVector2::Component(const int index) const
{
  switch (index) {
    case 0: return x;
    case 1: return y;
    default: break;
  }
  ASSERT(false);
  return 0.0;
}

double &TVector2::Component_Reference(const int index)
{
  switch (index) {
    case 0: return x;
    case 1: return y;
    default: break;
  }
  ASSERT(false);
  return x;
}

TVector2 &TVector2::Normalize()
{
  const double Length = std::sqrt(x * x + y * y);
  ASSERT(Length > std::numeric_limits<double>::epsilon());
  x /= Length;
  y /= Length;
  return *this;
}
