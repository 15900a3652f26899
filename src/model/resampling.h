#ifndef SRC_MODEL_RESAMPLING_H
#define SRC_MODEL_RESAMPLING_H

#include "core/vector2.h"

#include <QString>

#include <vector>

// The most rows a table may have, so that every edit still recomputes and redraws at
// once; a range that needs more gets a wider increment.
constexpr int MAXIMUM_ROW_COUNT = 1000000;

// The largest magnitude of a start, increment or end; keeps every generated position finite.
constexpr double MAXIMUM_POSITION = 1.0e300;

// A range as its three fields hold it.
struct TRange
{
  double start = 0.0;
  double increment = 0.0;
  double end = 0.0;
};

// A range after the silent corrections, and how many rows its table has: 0 when the range
// yields fewer than two points, otherwise 2 to MAXIMUM_ROW_COUNT.
struct TSeries
{
  TRange range;
  int count = 0;
};

// A finite number within the position limits: non-finite values become 0.0, larger
// magnitudes the limit.
double Bounded_Position(const double &value);

// The increment forced away from zero in the direction from start to end, to a magnitude
// of at least minimum_step, and widened where the range would need too many rows.
TSeries Correct_Range(const TRange &typed, const double &minimum_step,
                      int maximum_count = MAXIMUM_ROW_COUNT);

// True when two series have the same rows at the same positions.
bool Same_Series(const TSeries &a, const TSeries &b);

// A count field's number as the range is derived from it: at least 2, at most the maximum.
int Corrected_Count(int count, int maximum_count = MAXIMUM_ROW_COUNT);

// The editor's spacing is never finer than the input's.
double Editor_Minimum_Step(const double &input_increment);

// Resizes the list to the series (surviving points keep their values by index, new ones
// hold 0.0) and sets the positions by repeated addition of the increment.
void Fill_Positions(const TSeries &series, Point_List *points);

// Output value at every input position: input value plus the editor offset interpolated
// there; with zero_offset, less the result interpolated at position 0. The output has one
// value per input point.
void Calculate_Output(const Point_List &input, const Point_List &edit, bool zero_offset,
                      std::vector<double> *output);

// The values at the input's positions interpolated at position 0, exactly as
// Interpolate_Value finds it over those points (0.0 where it fails), reading only the
// points around position 0.
double Value_At_Zero(const Point_List &input, const std::vector<double> &values);

// Row labels show positions with this many decimals.
constexpr int LABEL_PRECISION = 3;


#endif
