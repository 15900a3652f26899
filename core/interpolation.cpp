#include "core/interpolation.h"

#include <cmath>
#include <cstddef>

namespace {

// The key coordinate of a point is read through one of these.
double Key_X(const TVector2 &point) { return point.x; }
double Key_X3(const TVector3 &point) { return point.x; }
double Key_Y3(const TVector3 &point) { return point.y; }
double Key_Z3(const TVector3 &point) { return point.z; }

template <class TPoint>
using TKey = double (*)(const TPoint &);

// The point on the line through anchor and other at the key position. Fails when the
// two points share their key, where the line has no defined point, and when their key
// distance overflows, where the fraction along the line would be meaningless.
template <class TPoint>
bool Along_Line(const TPoint &anchor, const TPoint &other, const double &position,
                const TKey<TPoint> key, TPoint *result)
{
  const TPoint direction = other - anchor;
  if (key(direction) == 0.0 || !std::isfinite(key(direction))) {
    return false;
  }
  const double s = (position - key(anchor)) / key(direction);
  *result = anchor + direction * s;
  return true;
}

// True when position lies past end, going in the given direction.
bool Beyond(const double &position, const double &end, const double &direction)
{
  return direction > 0.0 ? position > end : position < end;
}

// A segment of Minimum_Span or less is never used by the scan.
template <class TPoint>
bool Too_Short(const TPoint &a, const TPoint &b, const TKey<TPoint> key)
{
  return std::fabs(key(b) - key(a)) <= Minimum_Span;
}

template <class TPoint>
double Fraction(const TPoint &a, const TPoint &b, const double &position, const TKey<TPoint> key)
{
  return (position - key(a)) / (key(b) - key(a));
}

// The first segment, in list order, whose key span covers the position.
template <class TPoint>
bool Scan_Segments(const std::vector<TPoint> &points, const double &position,
                   const TKey<TPoint> key, TPoint *result)
{
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const TPoint &a = points[i];
    const TPoint &b = points[i + 1];
    if (Too_Short(a, b, key)) {
      continue;
    }
    const double u = Fraction(a, b, position, key);
    if (u < 0.0 || u > 1.0) {
      continue;
    }
    return Along_Line(a, b, position, key, result);
  }
  return false;
}

// The same choice as Scan_Segments for a list whose keys are monotone, asked at positions
// that move in the list's direction: a segment passed over (too short, or the position
// lies beyond it) stays passed over for every later position, so the scan resumes at
// *segment; and a position before the current segment lies before every later one.
template <class TPoint>
bool Scan_Onwards(const std::vector<TPoint> &points, const double &position,
                  const TKey<TPoint> key, std::size_t *segment, TPoint *result)
{
  for (; *segment + 1 < points.size(); ++*segment) {
    const TPoint &a = points[*segment];
    const TPoint &b = points[*segment + 1];
    if (Too_Short(a, b, key)) {
      continue;
    }
    const double u = Fraction(a, b, position, key);
    if (u > 1.0) {
      continue;
    }
    if (u < 0.0) {
      return false;
    }
    return Along_Line(a, b, position, key, result);
  }
  return false;
}

// Piecewise-linear lookup shared by the two- and three-component functions; scan finds
// the segment for a position between the ends.
template <class TPoint, class TScan>
bool Lookup_With(const std::vector<TPoint> &points, const double &position,
                 const TKey<TPoint> key, const TScan &scan, TPoint *result)
{
  const std::size_t n = points.size();
  if (n < 2) {
    return false;
  }
  const TPoint &first = points[0];
  const TPoint &last = points[n - 1];
  const double span = key(last) - key(first);
  if (std::fabs(span) < Minimum_Span || !std::isfinite(span)) {
    return false;
  }
  const double t = (position - key(first)) / span;
  if (t < 0.0) {
    return Along_Line(first, points[1], position, key, result);
  }
  if (t > 1.0) {
    return Along_Line(last, points[n - 2], position, key, result);
  }
  if (scan(position, result)) {
    return true;
  }
  // Rounding can put a position just outside an end at t of exactly 0 or 1, where the
  // end segment's own fraction misses it; evaluate it as the extrapolation would.
  if (Beyond(position, key(last), span)) {
    return Along_Line(last, points[n - 2], position, key, result);
  }
  if (Beyond(position, key(first), -span)) {
    return Along_Line(first, points[1], position, key, result);
  }
  return false;
}

template <class TPoint>
bool Lookup(const std::vector<TPoint> &points, const double &position, const TKey<TPoint> key,
            TPoint *result)
{
  const auto scan = [&](const double &x, TPoint *found) {
    return Scan_Segments(points, x, key, found);
  };
  return Lookup_With(points, position, key, scan, result);
}

// +1 when the positions never fall, -1 when they never rise (a constant list counts as
// rising), 0 otherwise (or when one is NaN).
int Direction(const Point_List &points)
{
  bool rising = true;
  bool falling = true;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    rising = rising && points[i + 1].x >= points[i].x;
    falling = falling && points[i + 1].x <= points[i].x;
  }
  return rising ? 1 : (falling ? -1 : 0);
}

bool Finite_Or_Infinite(const double &value)
{
  return !std::isnan(value);
}

// Runs a three-component lookup and writes the two non-key components, or 0.0 on failure.
bool Lookup_Pair(const Point_List_3D &points, const double &position, const TKey<TVector3> key,
                 const TKey<TVector3> first_of_pair, const TKey<TVector3> second_of_pair,
                 double *first_value, double *second_value)
{
  TVector3 result;
  if (!Lookup(points, position, key, &result)) {
    return false;
  }
  const double first = first_of_pair(result);
  const double second = second_of_pair(result);
  if (!Finite_Or_Infinite(first) || !Finite_Or_Infinite(second)) {
    return false;
  }
  *first_value = first;
  *second_value = second;
  return true;
}

double Determinant(const double m[3][3])
{
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1])
         - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0])
         + m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// Cramer's rule for one unknown: the determinant with that unknown's column replaced by
// the right-hand side, over the determinant of the system.
double Cramer(const double m[3][3], const double rhs[3], const int column)
{
  double replaced[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int c = 0; c < 3; ++c) {
      replaced[row][c] = (c == column) ? rhs[row] : m[row][c];
    }
  }
  return Determinant(replaced) / Determinant(m);
}

}  // namespace

bool Interpolate_Value(const Point_List &points, const double &position, double *value)
{
  if (!ASSERT(value)) {
    return false;
  }
  *value = 0.0;
  TVector2 result;
  if (!Lookup(points, position, Key_X, &result) || !Finite_Or_Infinite(result.y)) {
    return false;
  }
  *value = result.y;
  return true;
}

bool Interpolate_At_Positions(const Point_List &points, const Point_List &at,
                              std::vector<double> *values)
{
  if (!ASSERT(values)) {
    return false;
  }
  values->assign(at.size(), 0.0);
  const int list_direction = Direction(points);
  const int position_direction = Direction(at);
  if (list_direction == 0 || position_direction == 0) {
    for (std::size_t i = 0; i < at.size(); ++i) {
      Interpolate_Value(points, at[i].x, &(*values)[i]);
    }
    return false;
  }
  std::size_t segment = 0;
  const auto scan = [&](const double &x, TVector2 *found) {
    return Scan_Onwards(points, x, Key_X, &segment, found);
  };
  // Visit the positions in the direction the list runs, so that the scan only moves on.
  const bool forward = list_direction == position_direction;
  for (std::size_t k = 0; k < at.size(); ++k) {
    const std::size_t i = forward ? k : at.size() - 1 - k;
    TVector2 result;
    if (Lookup_With(points, at[i].x, Key_X, scan, &result) && Finite_Or_Infinite(result.y)) {
      (*values)[i] = result.y;
    }
  }
  return true;
}

bool Interpolate_XY_At_Z(const Point_List_3D &points, const double &z, double *x_value,
                         double *y_value)
{
  if (!ASSERT(x_value) || !ASSERT(y_value)) {
    return false;
  }
  *x_value = 0.0;
  *y_value = 0.0;
  return Lookup_Pair(points, z, Key_Z3, Key_X3, Key_Y3, x_value, y_value);
}

bool Interpolate_YZ_At_X(const Point_List_3D &points, const double &x, double *y_value,
                         double *z_value)
{
  if (!ASSERT(y_value) || !ASSERT(z_value)) {
    return false;
  }
  *y_value = 0.0;
  *z_value = 0.0;
  return Lookup_Pair(points, x, Key_X3, Key_Y3, Key_Z3, y_value, z_value);
}

bool Interpolate_ZX_At_Y(const Point_List_3D &points, const double &y, double *z_value,
                         double *x_value)
{
  if (!ASSERT(x_value) || !ASSERT(z_value)) {
    return false;
  }
  *z_value = 0.0;
  *x_value = 0.0;
  return Lookup_Pair(points, y, Key_Y3, Key_Z3, Key_X3, z_value, x_value);
}

bool End_Point_Slope(const Point_List &points, double *slope)
{
  if (!ASSERT(slope)) {
    return false;
  }
  *slope = 0.0;
  if (points.size() < 2) {
    return false;
  }
  const double span = points.back().x - points.front().x;
  if (std::fabs(span) <= Minimum_Span) {
    return false;
  }
  *slope = (points.back().y - points.front().y) / span;
  return true;
}

bool Least_Squares_Slope(const Point_List &points, double *slope, double *intercept)
{
  if (points.size() < 2) {
    return false;
  }
  if (!ASSERT(slope)) {
    return false;
  }
  double sx = 0.0;
  double sy = 0.0;
  double sxx = 0.0;
  double sxy = 0.0;
  for (const TVector2 &point : points) {
    sx += point.x;
    sy += point.y;
    sxx += point.x * point.x;
    sxy += point.x * point.y;
  }
  const double n = static_cast<double>(points.size());
  *slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
  if (intercept) {
    *intercept = (sy - sx * *slope) / n;
  }
  return true;
}

bool Sum_Ratio_Slope(const Point_List &points, double *slope)
{
  if (!ASSERT(slope)) {
    return false;
  }
  *slope = 0.0;
  if (points.empty()) {
    return false;
  }
  double sa = 0.0;
  double sb = 0.0;
  for (const TVector2 &point : points) {
    if (point.x > 0.0) {
      sa += point.x;
      sb += point.y;
    } else {
      sa -= point.x;
      sb -= point.y;
    }
  }
  const double n = static_cast<double>(points.size());
  const double ma = sa / n;
  const double mb = sb / n;
  if (std::fabs(mb) > std::fabs(ma) || std::fabs(ma) < Minimum_Span) {
    return Least_Squares_Slope(points, slope);
  }
  *slope = mb / ma;
  return true;
}

bool Quadratic_Fit(const Point_List &points, double *a, double *b, double *c)
{
  bool outputs_given = ASSERT(a);
  outputs_given = ASSERT(b) && outputs_given;
  outputs_given = ASSERT(c) && outputs_given;
  if (!outputs_given || points.size() < 3) {
    return false;
  }
  double s2 = 0.0;
  double s1 = 0.0;
  double t2 = 0.0;
  double t1 = 0.0;
  double t0 = 0.0;
  for (const TVector2 &point : points) {
    s2 += point.x * point.x;
    s1 += point.x;
    t2 += point.x * point.x * point.y;
    t1 += point.x * point.y;
    t0 += point.y;
  }
  const double n = static_cast<double>(points.size());
  const double s4 = Sum_Fourth_Powers(points);
  const double s3 = Sum_Cubes(points);
  const double m[3][3] = {{s4, s3, s2}, {s3, s2, s1}, {s2, s1, n}};
  const double rhs[3] = {t2, t1, t0};
  *a = Cramer(m, rhs, 0);
  *b = Cramer(m, rhs, 1);
  *c = Cramer(m, rhs, 2);
  return true;
}

double Sum_Fourth_Powers(const Point_List &points)
{
  double sum = 0.0;
  for (const TVector2 &point : points) {
    sum += std::pow(point.x, 4.0);
  }
  return sum;
}

double Sum_Cubes(const Point_List &points)
{
  double sum = 0.0;
  for (const TVector2 &point : points) {
    sum += std::pow(point.x, 3.0);
  }
  return sum;
}
