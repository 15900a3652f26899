#include "src/model/resampling.h"

#include "core/interpolation.h"

#include <algorithm>
#include <cmath>

namespace {

// Steps of the range rounded to the nearest whole number, halves upwards.
double Step_Count(const TRange &range)
{
  return std::trunc((range.end - range.start) / range.increment + 0.5);
}

TRange Bounded(const TRange &range)
{
  TRange bounded;
  bounded.start = Bounded_Position(range.start);
  bounded.increment = Bounded_Position(range.increment);
  bounded.end = Bounded_Position(range.end);
  return bounded;
}

// Interpolate_Value at position 0 over the input's positions with other values, step by
// step as it goes, but finding the segment around 0 by bisection where it scans: the
// positions are monotone, so the first segment that holds 0 lies where they reach it.
class TZero_Lookup
{
public:
  TZero_Lookup(const Point_List &input, const std::vector<double> &values)
    : d_input(input), d_values(values), d_last(input.size() - 1)
  {
  }

  bool Find(double *value) const
  {
    const double span = X(d_last) - X(0);
    if (std::fabs(span) < Minimum_Span || !std::isfinite(span)) {
      return false;
    }
    const double t = (0.0 - X(0)) / span;
    if (t < 0.0) {
      return Along(0, 1, value);
    }
    if (t > 1.0) {
      return Along(d_last, d_last - 1, value);
    }
    if (Scan(span, value)) {
      return true;
    }
    if (span > 0.0 ? 0.0 > X(d_last) : 0.0 < X(d_last)) {
      return Along(d_last, d_last - 1, value);
    }
    if (span > 0.0 ? 0.0 < X(0) : 0.0 > X(0)) {
      return Along(0, 1, value);
    }
    return false;
  }

private:
  double X(const std::size_t i) const { return d_input[i].x; }

  // The point on the line through points a and b at position 0.
  bool Along(const std::size_t a, const std::size_t b, double *value) const
  {
    const double run = X(b) - X(a);
    if (run == 0.0 || !std::isfinite(run)) {
      return false;
    }
    const double s = (0.0 - X(a)) / run;
    *value = d_values[a] + (d_values[b] - d_values[a]) * s;
    return true;
  }

  bool Holds_Zero(const std::size_t i) const
  {
    if (std::fabs(X(i + 1) - X(i)) <= Minimum_Span) {
      return false;
    }
    const double u = (0.0 - X(i)) / (X(i + 1) - X(i));
    return u >= 0.0 && u <= 1.0;
  }

  // The first segment that holds 0; the few around where the positions reach it are
  // tried first, all of them in order only if none of those does.
  bool Scan(const double span, double *value) const
  {
    const auto reached = span > 0.0
      ? std::partition_point(d_input.begin(), d_input.end(),
                             [](const TVector2 &p) { return p.x < 0.0; })
      : std::partition_point(d_input.begin(), d_input.end(),
                             [](const TVector2 &p) { return p.x > 0.0; });
    const std::size_t m = static_cast<std::size_t>(reached - d_input.begin());
    const std::size_t first = m >= 2 ? m - 2 : 0;
    for (std::size_t i = first; i < d_last && i <= m + 1; ++i) {
      if (Holds_Zero(i)) {
        return Along(i, i + 1, value);
      }
    }
    for (std::size_t i = 0; i < d_last; ++i) {
      if (Holds_Zero(i)) {
        return Along(i, i + 1, value);
      }
    }
    return false;
  }

  const Point_List &d_input;
  const std::vector<double> &d_values;
  std::size_t d_last;
};

}  // namespace

double Bounded_Position(const double &value)
{
  if (!std::isfinite(value)) {
    return 0.0;
  }
  return std::max(-MAXIMUM_POSITION, std::min(value, MAXIMUM_POSITION));
}

TSeries Correct_Range(const TRange &typed, const double &minimum_step, const int maximum_count)
{
  TSeries series;
  TRange &range = series.range;
  range = Bounded(typed);
  if (range.end > range.start && range.increment < minimum_step) {
    range.increment = minimum_step;
  } else if (range.end < range.start && range.increment > -minimum_step) {
    range.increment = -minimum_step;
  } else if (range.end == range.start) {
    return series;
  }
  double steps = Step_Count(range);
  if (steps + 1.0 > maximum_count) {
    range.increment = (range.end - range.start) / (maximum_count - 1);
    steps = std::min(Step_Count(range), static_cast<double>(maximum_count - 1));
  }
  series.count = steps >= 1.0 ? static_cast<int>(steps) + 1 : 0;
  return series;
}

bool Same_Series(const TSeries &a, const TSeries &b)
{
  return a.count == b.count && a.range.start == b.range.start
         && a.range.increment == b.range.increment && a.range.end == b.range.end;
}

int Corrected_Count(const int count, const int maximum_count)
{
  return std::max(2, std::min(count, maximum_count));
}

double Editor_Minimum_Step(const double &input_increment)
{
  return std::max(std::fabs(input_increment), 1.0);
}

void Fill_Positions(const TSeries &series, Point_List *points)
{
  if (!ASSERT(points)) {
    return;
  }
  points->resize(static_cast<std::size_t>(series.count));
  double position = series.range.start;
  for (TVector2 &point : *points) {
    point.x = position;
    position += series.range.increment;
  }
}

void Calculate_Output(const Point_List &input, const Point_List &edit, const bool zero_offset,
                      std::vector<double> *output)
{
  if (!ASSERT(output) || !ASSERT(output->size() == input.size())) {
    return;
  }
  std::vector<double> offsets;
  Interpolate_At_Positions(edit, input, &offsets);
  for (std::size_t i = 0; i < input.size(); ++i) {
    (*output)[i] = input[i].y + offsets[i];
  }
  if (!zero_offset) {
    return;
  }
  const double shift = Value_At_Zero(input, *output);
  for (double &value : *output) {
    value -= shift;
  }
}

double Value_At_Zero(const Point_List &input, const std::vector<double> &values)
{
  const std::size_t n = input.size();
  if (n < 2 || !ASSERT(values.size() == n)) {
    return 0.0;
  }
  const TZero_Lookup lookup{input, values};
  double value = 0.0;
  if (!lookup.Find(&value) || std::isnan(value)) {
    return 0.0;
  }
  return value;
}
