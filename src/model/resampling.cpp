#include "src/model/resampling.h"

#include "core/interpolation.h"
#include "core/numberformat.h"

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
                      Point_List *output)
{
  if (!ASSERT(output) || !ASSERT(output->size() == input.size())) {
    return;
  }
  std::vector<double> offsets;
  Interpolate_At_Positions(edit, input, &offsets);
  for (std::size_t i = 0; i < input.size(); ++i) {
    (*output)[i].y = input[i].y + offsets[i];
  }
  if (!zero_offset) {
    return;
  }
  double shift = 0.0;
  Interpolate_Value(*output, 0.0, &shift);
  for (TVector2 &point : *output) {
    point.y -= shift;
  }
}

QString Position_Label(const double &position)
{
  return Format_Number(position, LABEL_PRECISION);
}
