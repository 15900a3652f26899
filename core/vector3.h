#ifndef CORE_VECTOR3_H
#define CORE_VECTOR3_H

#include "core/assertion.h"

#include <limits>
#include <vector>

struct TVector3
{
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  TVector3() = default;
  TVector3(const double &x_value, const double &y_value, const double &z_value)
    : x(x_value), y(y_value), z(z_value)
  {
  }

  // 0 is x, 1 is y, 2 is z; any other index fails and yields 0.0.
  double Component(int index) const;
  // 0 is x, 1 is y, 2 is z; any other index fails and yields x.
  double &Component_Reference(int index);
  // Scales the vector to unit length in place.
  TVector3 &Normalize();
  // Replaces the vector by (this x other).
  TVector3 &Cross_Product(const TVector3 &other);
};

using Point_List_3D = std::vector<TVector3>;

inline double Dot_Product(const TVector3 &a, const TVector3 &b)
{
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline TVector3 Cross_Product(const TVector3 &a, const TVector3 &b)
{
  TVector3 result = a;
  result.Cross_Product(b);
  return result;
}

inline TVector3 operator+(const TVector3 &a, const TVector3 &b)
{
  return TVector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

inline TVector3 operator-(const TVector3 &a, const TVector3 &b)
{
  return TVector3(a.x - b.x, a.y - b.y, a.z - b.z);
}

inline TVector3 operator*(const TVector3 &v, const double &s)
{
  return TVector3(v.x * s, v.y * s, v.z * s);
}

inline TVector3 operator*(const double &s, const TVector3 &v)
{
  return v * s;
}

inline TVector3 operator+(const TVector3 &v, const double &s)
{
  return TVector3(v.x + s, v.y + s, v.z + s);
}

inline TVector3 operator+(const double &s, const TVector3 &v)
{
  return v + s;
}

inline TVector3 operator-(const TVector3 &v, const double &s)
{
  return TVector3(v.x - s, v.y - s, v.z - s);
}

// The divisor itself, not its magnitude, must exceed the machine epsilon; after a
// failure that the handler lets pass the division still happens.
inline TVector3 operator/(const TVector3 &v, const double &d)
{
  ASSERT(d > std::numeric_limits<double>::epsilon());
  return TVector3(v.x / d, v.y / d, v.z / d);
}

#endif
