// Times the curve joining the editor's points at the largest sizes: 100,000 points evaluated
// at 1,000,000 positions, a full evaluation and the update after one point's change.
#include "core/curveinterpolant.h"
#include "core/interpolation.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

const int REPEATS = 5;
const std::size_t POINT_COUNT = 100000;
const std::size_t POSITION_COUNT = 1000000;

void Time(const char *name, const std::function<void()> &step)
{
  std::vector<double> times;
  for (int i = 0; i < REPEATS; ++i) {
    QElapsedTimer timer;
    timer.start();
    step();
    times.push_back(timer.nsecsElapsed() / 1.0e6);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-46s median %9.3f ms   fastest %9.3f ms\n", name, times[REPEATS / 2], times[0]);
  std::fflush(stdout);
}

// Evenly spaced by repeated addition, as the program lays out positions.
std::vector<double> Series(const double start, const double increment, const std::size_t count)
{
  std::vector<double> positions(count);
  double position = start;
  for (double &p : positions) {
    p = position;
    position += increment;
  }
  return positions;
}

}  // namespace

int main()
{
  std::mt19937 random(16);
  std::uniform_real_distribution<double> offset(-5.0, 5.0);
  // The editor's points span the input range and a little more on one side only, so that
  // some positions are extrapolated.
  const std::vector<double> edit = Series(-10.0, 10.0, POINT_COUNT);
  std::vector<double> offsets(POINT_COUNT);
  for (double &value : offsets) {
    value = offset(random);
  }
  const std::vector<double> input = Series(-100.0, 1.0, POSITION_COUNT);
  std::vector<double> values(POSITION_COUNT);
  std::printf("Curves through %zu points at %zu positions\n", POINT_COUNT, POSITION_COUNT);

  Point_List edit_points(POINT_COUNT);
  Point_List input_points(POSITION_COUNT);
  for (std::size_t k = 0; k < POINT_COUNT; ++k) {
    edit_points[k] = {edit[k], offsets[k]};
  }
  for (std::size_t i = 0; i < POSITION_COUNT; ++i) {
    input_points[i].x = input[i];
  }
  std::vector<double> lookup;
  Time("Interpolate_At_Positions (for comparison)",
       [&] { Interpolate_At_Positions(edit_points, input_points, &lookup); });

  for (const TInterpolation way :
       {INTERPOLATION_LINEAR, INTERPOLATION_MONOTONE, INTERPOLATION_SPLINE}) {
    const char *name = Interpolation_Name(way);
    TCurve_Interpolant curve;
    char label[80];
    std::snprintf(label, sizeof label, "%s: set points", name);
    Time(label, [&] { curve.Set_Points(way, edit.data(), offsets.data(), POINT_COUNT); });
    std::snprintf(label, sizeof label, "%s: full evaluation", name);
    Time(label, [&] { curve.Evaluate(input.data(), 0, POSITION_COUNT, values.data()); });
    std::snprintf(label, sizeof label, "%s: full evaluation, descending order", name);
    std::vector<double> reversed(input.rbegin(), input.rend());
    Time(label, [&] { curve.Evaluate(reversed.data(), 0, POSITION_COUNT, values.data()); });
    std::snprintf(label, sizeof label, "%s: one point changed and its range", name);
    std::size_t changed = 0;
    Time(label, [&] {
      const std::size_t point = POINT_COUNT / 2;
      curve.Set_Value(point, offsets[point] + 1.0);
      std::size_t first = 0;
      curve.Affected_Range(point, input.data(), POSITION_COUNT, &first, &changed);
      curve.Evaluate(input.data(), first, changed, values.data());
    });
    std::printf("  (%zu positions recomputed)\n", changed);
  }
  return 0;
}
