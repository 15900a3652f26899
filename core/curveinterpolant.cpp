#include "core/curveinterpolant.h"

#include "core/interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
const double INFINITE = std::numeric_limits<double>::infinity();

// A one-pass evaluation walks at most this many points forward to the next position's
// segment before it bisects instead, so that unordered positions cost no more than
// looking each one up.
const std::size_t WALK_LIMIT = 8;

struct TWay_Name
{
  TInterpolation way;
  const char *name;
};

const TWay_Name WAY_NAMES[] = {
  {INTERPOLATION_LINEAR, "linear"},
  {INTERPOLATION_MONOTONE, "monotone"},
  {INTERPOLATION_SPLINE, "spline"},
};

// Positions read from an array or from the x of a point list.
struct TArray_Positions
{
  const double *positions;
  double operator()(const std::size_t i) const { return positions[i]; }
};

struct TList_Positions
{
  const Point_List &points;
  double operator()(const std::size_t i) const { return points[i].x; }
};

// +1 when the positions never fall, -1 when they never rise (a constant list counts as
// rising), 0 otherwise or when one is NaN; as the linear one-pass lookup decides.
int Direction(const std::vector<double> &positions)
{
  bool rising = true;
  bool falling = true;
  for (std::size_t i = 0; i + 1 < positions.size(); ++i) {
    rising = rising && positions[i + 1] >= positions[i];
    falling = falling && positions[i + 1] <= positions[i];
  }
  return rising ? 1 : (falling ? -1 : 0);
}

// Results that cannot be computed come out as NaN inside; callers get 0.0 for them.
double Output(const double value)
{
  return std::isnan(value) ? 0.0 : value;
}

int Sign(const double value)
{
  return (value > 0.0) - (value < 0.0);
}

// The one-sided three-point slope at the end of a piece, from the end step and secant
// (h0, s0) and the next ones inwards (h1, s1), kept from overshooting: zero when it turns
// against the end secant, at most three times that secant where the secants turn.
double End_Slope(const double h0, const double h1, const double s0, const double s1)
{
  const double slope = ((2.0 * h0 + h1) * s0 - h0 * s1) / (h0 + h1);
  if (Sign(slope) != Sign(s0)) {
    return 0.0;
  }
  if (Sign(s0) != Sign(s1) && std::fabs(slope) > std::fabs(3.0 * s0)) {
    return 3.0 * s0;
  }
  return slope;
}

// The first index in [begin, end) for which the predicate fails; it must hold for a prefix.
template <class TPredicate>
std::size_t Partition_Point(std::size_t begin, std::size_t end, const TPredicate &holds)
{
  while (begin < end) {
    const std::size_t middle = begin + (end - begin) / 2;
    if (holds(middle)) {
      begin = middle + 1;
    } else {
      end = middle;
    }
  }
  return begin;
}

}  // namespace

const char *Interpolation_Name(const TInterpolation way)
{
  for (const TWay_Name &entry : WAY_NAMES) {
    if (entry.way == way) {
      return entry.name;
    }
  }
  ASSERT(false);
  return WAY_NAMES[0].name;
}

bool Interpolation_From_Name(const std::string_view name, TInterpolation *way)
{
  if (!ASSERT(way)) {
    return false;
  }
  for (const TWay_Name &entry : WAY_NAMES) {
    if (name == entry.name) {
      *way = entry.way;
      return true;
    }
  }
  return false;
}

bool TCurve_Interpolant::Set_Points(const TInterpolation way, const double *positions,
                                    const double *values, const std::size_t count)
{
  d_way = way;
  d_positions.clear();
  d_values.clear();
  if (count > 0 && ASSERT(positions) && ASSERT(values)) {
    d_positions.assign(positions, positions + count);
    d_values.assign(values, values + count);
  }
  d_usable = Check_Positions();
  Build();
  return d_usable;
}

bool TCurve_Interpolant::Set_Points(const TInterpolation way, const Point_List &points)
{
  std::vector<double> positions(points.size());
  std::vector<double> values(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    positions[i] = points[i].x;
    values[i] = points[i].y;
  }
  return Set_Points(way, positions.data(), values.data(), points.size());
}

// The same conditions under which the linear lookup fails everywhere, plus positions that
// neither ascend nor descend, where it would look up every position on its own.
bool TCurve_Interpolant::Check_Positions()
{
  const std::size_t n = d_positions.size();
  d_keys.clear();
  d_span = 0.0;
  if (n < 2) {
    return false;
  }
  const int direction = Direction(d_positions);
  d_span = d_positions[n - 1] - d_positions[0];
  if (direction == 0 || std::fabs(d_span) < Minimum_Span || !std::isfinite(d_span)) {
    return false;
  }
  d_sign = direction;
  d_keys.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    d_keys[i] = d_sign * d_positions[i];
  }
  // No step exceeds the span, so no rounded step has a wider spacing of doubles above it.
  const double span = std::fabs(d_span);
  d_rounding_reach = std::nextafter(span, INFINITE) - span;
  return true;
}

void TCurve_Interpolant::Build()
{
  d_slopes.clear();
  d_curvatures.clear();
  d_rows.clear();
  if (!d_usable || d_way == INTERPOLATION_LINEAR) {
    return;
  }
  const std::size_t n = d_values.size();
  d_slopes.resize(n);
  if (d_way == INTERPOLATION_MONOTONE) {
    for (std::size_t i = 0; i < n; ++i) {
      d_slopes[i] = Monotone_Slope(i);
    }
  } else {
    Build_Spline_Slopes();
  }
  d_rows.resize(n + 1);
  for (std::size_t row = 0; row <= n; ++row) {
    Build_Row(row);
  }
}

// Whether the segment from point `segment` to the next belongs to a piece.
bool TCurve_Interpolant::Joined(const std::size_t segment) const
{
  return segment + 1 < d_values.size() && std::isfinite(d_values[segment])
         && std::isfinite(d_values[segment + 1]) && Step(segment) > Minimum_Span;
}

double TCurve_Interpolant::Step(const std::size_t segment) const
{
  return d_keys[segment + 1] - d_keys[segment];
}

double TCurve_Interpolant::Secant(const std::size_t segment) const
{
  return (d_values[segment + 1] - d_values[segment]) / Step(segment);
}

// The slope at a point depends only on the points within two of it. A segment's row uses
// the slopes at its ends only while it belongs to a piece, and those slopes then depend on
// no point beyond the segment's neighbours; so a value reaches the rows of the two
// segments on either side of it.
double TCurve_Interpolant::Monotone_Slope(const std::size_t point) const
{
  const bool before = point > 0 && Joined(point - 1);
  const bool after = Joined(point);
  if (before && after) {
    return Interior_Slope(point);
  }
  if (after) {
    return Joined(point + 1)
             ? End_Slope(Step(point), Step(point + 1), Secant(point), Secant(point + 1))
             : Secant(point);
  }
  if (before) {
    return point >= 2 && Joined(point - 2)
             ? End_Slope(Step(point - 1), Step(point - 2), Secant(point - 1),
                         Secant(point - 2))
             : Secant(point - 1);
  }
  return NOT_A_NUMBER;
}

// Fritsch and Carlson's weighted harmonic mean of the secants on either side, flat where
// they differ in sign or one of them is flat.
double TCurve_Interpolant::Interior_Slope(const std::size_t point) const
{
  const double h0 = Step(point - 1);
  const double h1 = Step(point);
  const double s0 = Secant(point - 1);
  const double s1 = Secant(point);
  if (Sign(s0) == 0 || Sign(s0) != Sign(s1)) {
    return 0.0;
  }
  const double w1 = 2.0 * h1 + h0;
  const double w2 = h1 + 2.0 * h0;
  return (w1 + w2) / (w1 / s0 + w2 / s1);
}

// Each piece's natural spline on its own; a lone point has no slope.
void TCurve_Interpolant::Build_Spline_Slopes()
{
  const std::size_t n = d_values.size();
  d_curvatures.assign(n, 0.0);
  std::vector<double> factors(n, 0.0);
  std::size_t start = 0;
  while (start < n) {
    std::size_t end = start;
    while (Joined(end)) {
      ++end;
    }
    if (end == start) {
      d_slopes[start] = NOT_A_NUMBER;
    } else {
      Solve_Spline_Piece(start, end, &factors);
      for (std::size_t k = start; k < end; ++k) {
        d_slopes[k] = Secant(k) - Step(k) * (2.0 * d_curvatures[k] + d_curvatures[k + 1]) / 6.0;
      }
      d_slopes[end] = Secant(end - 1)
                      + Step(end - 1) * (d_curvatures[end - 1] + 2.0 * d_curvatures[end]) / 6.0;
    }
    start = end + 1;
  }
}

// The second derivatives M at the points start..end: zero at both ends, and inside
// h0 M[i-1] + 2 (h0 + h1) M[i] + h1 M[i+1] = 6 (s1 - s0) with the steps h and secants s
// before and after point i. The system is tridiagonal and diagonally dominant, so
// elimination without pivoting is stable.
void TCurve_Interpolant::Solve_Spline_Piece(const std::size_t start, const std::size_t end,
                                            std::vector<double> *factors)
{
  std::vector<double> &m = d_curvatures;
  m[start] = 0.0;
  m[end] = 0.0;
  for (std::size_t i = start + 1; i < end; ++i) {
    const double h0 = Step(i - 1);
    const double h1 = Step(i);
    double pivot = 2.0 * (h0 + h1);
    double right_side = 6.0 * (Secant(i) - Secant(i - 1));
    if (i > start + 1) {
      pivot -= h0 * (*factors)[i - 1];
      right_side -= h0 * m[i - 1];
    }
    (*factors)[i] = h1 / pivot;
    m[i] = right_side / pivot;
  }
  for (std::size_t i = end - 1; i > start; --i) {
    m[i] -= (*factors)[i] * m[i + 1];
  }
}

void TCurve_Interpolant::Build_Row(const std::size_t row)
{
  const std::size_t n = d_values.size();
  TRow &r = d_rows[row];
  // The lines beyond the ends: a NaN slope (a lone or non-finite end point) makes them NaN.
  if (row == 0 || row == n) {
    const std::size_t point = row == 0 ? 0 : n - 1;
    const double value = d_values[point];
    r = {std::isfinite(value) ? value : NOT_A_NUMBER, value, d_slopes[point], 0.0, 0.0};
    return;
  }
  const std::size_t k = row - 1;
  const double value = d_values[k];
  if (!Joined(k)) {
    r = {std::isfinite(value) ? value : NOT_A_NUMBER, NOT_A_NUMBER, NOT_A_NUMBER,
         NOT_A_NUMBER, NOT_A_NUMBER};
    return;
  }
  const double h = Step(k);
  const double d0 = d_slopes[k];
  const double d1 = d_slopes[k + 1];
  if (d_way == INTERPOLATION_SPLINE) {
    const double m0 = d_curvatures[k];
    const double m1 = d_curvatures[k + 1];
    r = {value, value, d0, m0 / 2.0, (m1 - m0) / (6.0 * h)};
    return;
  }
  // Cubic Hermite segment through both points with the slopes there.
  const double secant = Secant(k);
  r = {value, value, d0, (3.0 * secant - 2.0 * d0 - d1) / h, (d0 + d1 - 2.0 * secant) / (h * h)};
}

void TCurve_Interpolant::Set_Value(const std::size_t point, const double value)
{
  if (!ASSERT(point < d_values.size())) {
    return;
  }
  d_values[point] = value;
  if (!d_usable || d_way == INTERPOLATION_LINEAR) {
    return;
  }
  if (d_way == INTERPOLATION_MONOTONE) {
    Update_Monotone(point);
  } else {
    Build();
  }
}

// The slopes within two points and the segments within two, as Monotone_Slope explains,
// and the two end lines, which are cheap.
void TCurve_Interpolant::Update_Monotone(const std::size_t point)
{
  const std::size_t n = d_values.size();
  const std::size_t slope_first = point >= 2 ? point - 2 : 0;
  const std::size_t slope_last = std::min(point + 2, n - 1);
  for (std::size_t i = slope_first; i <= slope_last; ++i) {
    d_slopes[i] = Monotone_Slope(i);
  }
  const std::size_t segment_first = point >= 2 ? point - 2 : 0;
  const std::size_t segment_last = std::min(point + 1, n - 2);
  for (std::size_t k = segment_first; k <= segment_last; ++k) {
    Build_Row(k + 1);
  }
  Build_Row(0);
  Build_Row(n);
}

// The linear lookup, computed exactly as Interpolate_Value computes it (see
// core/interpolation.cpp: Along_Line, Scan_Onwards and Lookup_With), on the positions as
// given so that every rounding is the same.
double TCurve_Interpolant::Along(const std::size_t anchor, const std::size_t other,
                                 const double position) const
{
  const double direction = d_positions[other] - d_positions[anchor];
  if (direction == 0.0 || !std::isfinite(direction)) {
    return NOT_A_NUMBER;
  }
  const double s = (position - d_positions[anchor]) / direction;
  return d_values[anchor] + (d_values[other] - d_values[anchor]) * s;
}

bool TCurve_Interpolant::Linear_Scan(const double position, std::size_t *segment,
                                     double *result) const
{
  const std::vector<double> &x = d_positions;
  for (; *segment + 1 < x.size(); ++*segment) {
    const double a = x[*segment];
    const double b = x[*segment + 1];
    if (std::fabs(b - a) <= Minimum_Span) {
      continue;
    }
    const double u = (position - a) / (b - a);
    if (u > 1.0) {
      continue;
    }
    if (u < 0.0) {
      return false;
    }
    *result = Along(*segment, *segment + 1, position);
    return true;
  }
  return false;
}

double TCurve_Interpolant::Linear_At(const double position, std::size_t *segment) const
{
  const std::size_t n = d_positions.size();
  const double t = (position - d_positions[0]) / d_span;
  if (t < 0.0) {
    return Along(0, 1, position);
  }
  if (t > 1.0) {
    return Along(n - 1, n - 2, position);
  }
  double result = NOT_A_NUMBER;
  if (Linear_Scan(position, segment, &result)) {
    return result;
  }
  if (d_sign * position > d_keys[n - 1]) {
    return Along(n - 1, n - 2, position);
  }
  if (d_sign * position < d_keys[0]) {
    return Along(0, 1, position);
  }
  return NOT_A_NUMBER;
}

// A segment where the scan may start for this key: every usable segment before it has a
// fraction above 1 there. The fraction (p - a) / (b - a) rounds above 1 exactly when the
// rounded p - a exceeds the rounded b - a, which is certain once p lies more than the
// spacing of doubles at (b - a) beyond b; d_rounding_reach bounds that spacing.
std::size_t TCurve_Interpolant::Linear_Start(const double key) const
{
  const auto passed = [&](const std::size_t i) { return key - d_keys[i] > d_rounding_reach; };
  return Partition_Point(1, d_keys.size(), passed) - 1;
}

double TCurve_Interpolant::Linear_Next(const double position, TCursor *cursor) const
{
  if (std::isnan(position)) {
    return 0.0;
  }
  const double key = d_sign * position;
  if (!(key >= cursor->key)) {
    cursor->index = Linear_Start(key);
  }
  cursor->key = key;
  return Output(Linear_At(position, &cursor->index));
}

// The row that holds a key: the number of points at or before it.
std::size_t TCurve_Interpolant::Row_Of(const double key) const
{
  return static_cast<std::size_t>(std::upper_bound(d_keys.begin(), d_keys.end(), key)
                                  - d_keys.begin());
}

double TCurve_Interpolant::Row_Value(const std::size_t row, const double key) const
{
  const double t = key - d_keys[row == 0 ? 0 : row - 1];
  const TRow &r = d_rows[row];
  if (t == 0.0) {
    return r.exact;
  }
  return r.c0 + t * (r.c1 + t * (r.c2 + t * r.c3));
}

double TCurve_Interpolant::Cubic_Next(const double position, TCursor *cursor) const
{
  const double key = d_sign * position;
  if (std::isnan(key)) {
    return 0.0;
  }
  const std::size_t n = d_keys.size();
  std::size_t row = cursor->index;
  if (row > 0 && key < d_keys[row - 1]) {
    row = Row_Of(key);
  } else {
    for (std::size_t steps = 0; row < n && d_keys[row] <= key; ++steps, ++row) {
      if (steps == WALK_LIMIT) {
        row = Row_Of(key);
        break;
      }
    }
  }
  cursor->index = row;
  return Output(Row_Value(row, key));
}

double TCurve_Interpolant::Value(const double position) const
{
  if (!d_usable) {
    return 0.0;
  }
  TCursor cursor = {0, INFINITE};
  if (d_way == INTERPOLATION_LINEAR) {
    return Linear_Next(position, &cursor);
  }
  const double key = d_sign * position;
  return std::isnan(key) ? 0.0 : Output(Row_Value(Row_Of(key), key));
}

template <class TPositions>
void TCurve_Interpolant::Evaluate_Positions(const TPositions &at, const std::size_t first,
                                            const std::size_t count, double *values) const
{
  if (count == 0 || !ASSERT(values)) {
    return;
  }
  if (!d_usable) {
    std::fill(values + first, values + first + count, 0.0);
    return;
  }
  // Keys are visited in ascending order where they are sorted, so the cursor only moves on.
  const std::size_t last = first + count - 1;
  const bool backward = d_sign * at(first) > d_sign * at(last);
  TCursor cursor = {0, INFINITE};
  if (d_way == INTERPOLATION_LINEAR) {
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = backward ? last - k : first + k;
      values[i] = Linear_Next(at(i), &cursor);
    }
    return;
  }
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t i = backward ? last - k : first + k;
    values[i] = Cubic_Next(at(i), &cursor);
  }
}

void TCurve_Interpolant::Evaluate(const double *positions, const std::size_t first,
                                  const std::size_t count, double *values) const
{
  if (count > 0 && ASSERT(positions)) {
    Evaluate_Positions(TArray_Positions{positions}, first, count, values);
  }
}

void TCurve_Interpolant::Evaluate(const Point_List &at, const std::size_t first,
                                  const std::size_t count, double *values) const
{
  if (ASSERT(first <= at.size() && count <= at.size() - first)) {
    Evaluate_Positions(TList_Positions{at}, first, count, values);
  }
}

// The keys [*low, *high] whose values depend on the point's value; see Affected_Range.
void TCurve_Interpolant::Affected_Keys(const std::size_t point, double *low,
                                       double *high) const
{
  const std::size_t n = d_keys.size();
  *low = -INFINITE;
  *high = INFINITE;
  if (d_way == INTERPOLATION_LINEAR) {
    // Its two segments, of which the later one is chosen up to a rounding past its end;
    // the lines beyond the ends go through the first two and the last two points.
    if (point >= 2) {
      *low = d_keys[point - 1];
    }
    if (point + 2 < n) {
      *high = d_keys[point + 1] + d_rounding_reach;
    }
  } else if (d_way == INTERPOLATION_MONOTONE) {
    // The segments from two before it to two after it; the end lines depend on the
    // slopes at the ends, which depend on the three end points.
    if (point >= 3) {
      *low = d_keys[point - 2];
    }
    if (point + 3 < n) {
      *high = d_keys[point + 2];
    }
  }
}

template <class TPositions>
void TCurve_Interpolant::Affected_Positions(const std::size_t point, const TPositions &at,
                                            const std::size_t count, std::size_t *first,
                                            std::size_t *range_count) const
{
  if (!ASSERT(first) || !ASSERT(range_count)) {
    return;
  }
  *first = 0;
  *range_count = 0;
  if (!d_usable) {
    return;
  }
  if (!ASSERT(point < d_keys.size())) {
    *range_count = count;
    return;
  }
  double low_key = 0.0;
  double high_key = 0.0;
  Affected_Keys(point, &low_key, &high_key);
  // Keys of ascending positions rise with the index; of descending ones they fall.
  const double order = count > 0 && at(0) > at(count - 1) ? -1.0 : 1.0;
  const double sign = d_sign * order;
  const auto before_low = [&](const std::size_t i) {
    return sign > 0 ? d_sign * at(i) < low_key : d_sign * at(i) > high_key;
  };
  const auto up_to_high = [&](const std::size_t i) {
    return sign > 0 ? d_sign * at(i) <= high_key : d_sign * at(i) >= low_key;
  };
  *first = Partition_Point(0, count, before_low);
  *range_count = Partition_Point(*first, count, up_to_high) - *first;
}

void TCurve_Interpolant::Affected_Range(const std::size_t point, const double *positions,
                                        const std::size_t count, std::size_t *first,
                                        std::size_t *range_count) const
{
  if (count == 0 || ASSERT(positions)) {
    Affected_Positions(point, TArray_Positions{positions}, count, first, range_count);
  }
}

void TCurve_Interpolant::Affected_Range(const std::size_t point, const Point_List &at,
                                        std::size_t *first, std::size_t *range_count) const
{
  Affected_Positions(point, TList_Positions{at}, at.size(), first, range_count);
}
