#ifndef CORE_VECTOR2_H
#define CORE_VECTOR2_H

#include "core/assertion.h"

#include <limits>
#include <vector>

// Two doubles; as a point record x is a position and y the value there.
struct TVector2
{
  double x = 0.0;
  double y = 0.0;

  TVector2() = default;
  TVector2(const double &x_value, const double &y_value) : x(x_value), y(y_value) {}

  // 0 is x, 1 is y; any other index fails and yields 0.0.
  double Component(int index) const;
  // 0 is x, 1 is y; any other index fails and yields x.
  double &Component_Reference(int index);
  // Scales the vector to unit length in place.
  TVector2 &Normalize();
};

using Point_List = std::vector<TVector2>;

inline double Dot_Product(const TVector2 &a, const TVector2 &b)
{
  return a.x * b.x + a.y * b.y;
}

inline TVector2 operator+(const TVector2 &a, const TVector2 &b)
{
  return TVector2(a.x + b.x, a.y + b.y);
}

inline TVector2 operator-(const TVector2 &a, const TVector2 &b)
{
  return TVector2(a.x - b.x, a.y - b.y);
}

inline TVector2 operator*(const TVector2 &v, const double &s)
{
  return TVector2(v.x * s, v.y * s);
}

inline TVector2 operator*(const double &s, const TVector2 &v)
{
  return v * s;
}

inline TVector2 operator+(const TVector2 &v, const double &s)
{
  return TVector2(v.x + s, v.y + s);
}

inline TVector2 operator+(const double &s, const TVector2 &v)
{
  return v + s;
}

inline TVector2 operator-(const TVector2 &v, const double &s)
{
  return TVector2(v.x - s, v.y - s);
}

// The divisor itself, not its magnitude, must exceed the machine epsilon; after a
// failure that the handler lets pass the division still happens.
inline TVector2 operator/(const TVector2 &v, const double &d)
{
  ASSERT(d > std::numeric_limits<double>::epsilon());
  return TVector2(v.x / d, v.y / d);
}

#endif
