#ifndef CORE_CURVEINTERPOLANT_H
#define CORE_CURVEINTERPOLANT_H

#include "core/vector2.h"

#include <cstddef>
#include <string_view>
#include <vector>

// How a curve joins its points.
enum TInterpolation {
  // Straight segments: the values Interpolate_Value gives, bit for bit.
  INTERPOLATION_LINEAR,
  // The shape-preserving piecewise cubic Hermite curve (Fritsch and Carlson's slopes,
  // one-sided three-point end slopes): between two points it stays within their values.
  INTERPOLATION_MONOTONE,
  // The natural cubic spline: second derivative zero at both ends.
  INTERPOLATION_SPLINE
};

// The way's name in files: "linear", "monotone" or "spline".
const char *Interpolation_Name(TInterpolation way);
// The way that Interpolation_Name names; false, leaving *way as it was, for any other name.
bool Interpolation_From_Name(std::string_view name, TInterpolation *way);

// A curve through points (position, value) that is evaluated at many positions at once.
//
// The points' positions ascend or descend (neighbours may be equal); values may be NaN or
// infinite. A curve that cannot be evaluated anywhere gives 0.0 everywhere: fewer than two
// points, positions neither ascending nor descending (or NaN), or first and last positions
// less than Minimum_Span apart or infinitely far apart.
//
// Wherever a value cannot be computed the result is 0.0, as with Interpolate_Value; an
// infinite result is returned as it is.
//
// Linear: every result equals Interpolate_Value's to the last bit, including the segment
// chosen at a point's own position, the skipped segments of Minimum_Span or less and the
// extrapolation along the first two and last two points.
//
// Monotone and spline: the points are joined in pieces. A piece ends at a point whose
// value is not finite and before a step of Minimum_Span or less; each piece is joined as
// if its points were the whole list (a piece of two points is a straight line), so a
// non-finite value leaves 0.0 on the segments on either side of it and nothing else
// changes. At every point's own position the result is that point's value exactly, when
// it is finite (of points sharing a position, the later one's). Beyond the first and last
// points the curve goes on straight with the slope it has there; beyond an end point
// whose value is not finite, or whose piece is that point alone, the result is 0.0.
class TCurve_Interpolant
{
public:
  // Copies the points; false when the curve cannot be evaluated anywhere.
  bool Set_Points(TInterpolation way, const double *positions, const double *values,
                  std::size_t count);
  bool Set_Points(TInterpolation way, const Point_List &points);

  // Changes the value of one point, recomputing only what depends on it: constant time
  // for linear and monotone, a pass over all points for the spline.
  void Set_Value(std::size_t point, double value);

  TInterpolation Way() const { return d_way; }
  std::size_t Count() const { return d_values.size(); }
  bool Usable() const { return d_usable; }

  // The curve at one position (looked up by bisection).
  double Value(double position) const;

  // The curve at positions[first] to positions[first + count - 1], written to the same
  // indexes of values. Positions that ascend or descend are evaluated in one pass; any
  // others are still evaluated correctly, looking each one up on its own where needed.
  void Evaluate(const double *positions, std::size_t first, std::size_t count,
                double *values) const;
  // The same at the x of each point of `at`.
  void Evaluate(const Point_List &at, std::size_t first, std::size_t count,
                double *values) const;

  // The indexes [*first, *first + *count) of the ascending or descending positions whose
  // value a change of the given point's value can alter: for linear those between its
  // neighbours, for monotone those within two points of it, for the spline all of
  // them; positions beyond an end too when the point is near that end. Points' positions
  // never change with Set_Value, so the range is the same before and after a change.
  void Affected_Range(std::size_t point, const double *positions, std::size_t count,
                      std::size_t *first, std::size_t *range_count) const;
  void Affected_Range(std::size_t point, const Point_List &at, std::size_t *first,
                      std::size_t *range_count) const;

private:
  // One piece of the curve as a cubic in the distance t from its anchor position;
  // `exact` is the result at t == 0.
  struct TRow
  {
    double exact;
    double c0;
    double c1;
    double c2;
    double c3;
  };
  // Where a one-pass evaluation resumes for the next position.
  struct TCursor
  {
    std::size_t index;
    double key;
  };

  bool Check_Positions();
  void Build();
  bool Joined(std::size_t segment) const;
  double Step(std::size_t segment) const;
  double Secant(std::size_t segment) const;
  double Monotone_Slope(std::size_t point) const;
  double Interior_Slope(std::size_t point) const;
  void Build_Spline_Slopes();
  void Solve_Spline_Piece(std::size_t start, std::size_t end, std::vector<double> *factors);
  void Build_Row(std::size_t row);
  void Update_Monotone(std::size_t point);

  double Along(std::size_t anchor, std::size_t other, double position) const;
  bool Linear_Scan(double position, std::size_t *segment, double *result) const;
  double Linear_At(double position, std::size_t *segment) const;
  std::size_t Linear_Start(double key) const;
  double Linear_Next(double position, TCursor *cursor) const;

  std::size_t Row_Of(double key) const;
  double Row_Value(std::size_t row, double key) const;
  double Cubic_Next(double position, TCursor *cursor) const;

  void Affected_Keys(std::size_t point, double *low, double *high) const;

  template <class TPositions>
  void Evaluate_Positions(const TPositions &at, std::size_t first, std::size_t count,
                          double *values) const;
  template <class TPositions>
  void Affected_Positions(std::size_t point, const TPositions &at, std::size_t count,
                          std::size_t *first, std::size_t *range_count) const;

  TInterpolation d_way = INTERPOLATION_LINEAR;
  bool d_usable = false;
  // The positions and values as given.
  std::vector<double> d_positions;
  std::vector<double> d_values;
  // Positions times d_sign, so that keys ascend whichever way the positions run.
  double d_sign = 1.0;
  std::vector<double> d_keys;
  // Last position minus first, as the linear lookup computes it.
  double d_span = 0.0;
  // How far past a point a rounded segment fraction can still come out as exactly 1.
  double d_rounding_reach = 0.0;
  // Cubic ways: the slope at every point (by key), the spline's second derivatives, and
  // the rows: row 0 is the line before the first point, row k + 1 the segment from point
  // k to k + 1, row count the line from the last point on.
  std::vector<double> d_slopes;
  std::vector<double> d_curvatures;
  std::vector<TRow> d_rows;
};

#endif
