#include "core/graphticks.h"

#include "core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace {

// Steps of these exponents lie beyond the doubles: infinite above, 0 below.
const int BEYOND_LARGEST_EXPONENT = 309;
const int BEYOND_SMALLEST_EXPONENT = -330;
const int MAXIMUM_EXPONENT_DECIMALS = 16;
// Each widening at least doubles the step, so labels of any width fit long before this;
// it bounds the work for a measure that never lets them fit.
const int MAXIMUM_WIDENINGS = 64;

bool Usable_Axis(const TTick_Axis &axis)
{
  return std::isfinite(axis.Scale) && axis.Scale != 0.0 && std::isfinite(axis.Offset);
}

double Axis_Value(const TTick_Axis &axis, const int pixel)
{
  return Within_Doubles((pixel - axis.Offset) / axis.Scale);
}

// At most one tick per `spacing` pixels, and two for the ends; rounding cannot add more.
int Tick_Limit(const TTick_Axis &axis, const int spacing)
{
  return std::abs(axis.Last - axis.First) / spacing + 2;
}

// The pixel is the one a point of this value is drawn at (truncated, as the painter
// does). Multiples too close together for the doubles or the pixels to tell apart share
// the first one's tick.
void Add_Tick(const TTick_Axis &axis, const double value, TRound_Ticks *ticks)
{
  const double pixel = std::trunc(value * axis.Scale + axis.Offset);
  if (!(pixel >= std::min(axis.First, axis.Last) && pixel <= std::max(axis.First, axis.Last))) {
    return;
  }
  const int column = static_cast<int>(pixel);
  if (!ticks->Pixels.empty() && ticks->Pixels.back() == column) {
    return;
  }
  ticks->Pixels.push_back(column);
  ticks->Values.push_back(value);
}

// The multiples come from the smallest value up; on a descending axis (y, whose pixel
// rows grow downwards) they are turned round to run with the pixels.
void Place_Ticks(const TTick_Axis &axis, const int limit, TRound_Ticks *ticks)
{
  const double a = Axis_Value(axis, axis.First);
  const double b = Axis_Value(axis, axis.Last);
  const double low = std::min(a, b);
  const double high = std::max(a, b);
  const double step = Step_Value(ticks->Step);
  if (std::isinf(step)) {
    if (low <= 0.0 && high >= 0.0) {
      Add_Tick(axis, 0.0, ticks);
    }
    return;
  }
  const double first = std::ceil(low / step);
  const double last = std::floor(high / step);
  if (!(step > 0.0) || !std::isfinite(first) || !std::isfinite(last)) {
    return;
  }
  for (int i = 0; i < limit && first + i <= last; ++i) {
    Add_Tick(axis, Step_Multiple(ticks->Step, first + i), ticks);
  }
  if (axis.Scale < 0.0) {
    std::reverse(ticks->Pixels.begin(), ticks->Pixels.end());
    std::reverse(ticks->Values.begin(), ticks->Values.end());
  }
}

void Label_Ticks(const TTick_Axis &axis, const QString &decimal_point, TRound_Ticks *ticks)
{
  const double magnitude =
    std::max(std::abs(Axis_Value(axis, axis.First)), std::abs(Axis_Value(axis, axis.Last)));
  double largest = 0.0;
  for (const double value : ticks->Values) {
    largest = std::max(largest, std::abs(value));
  }
  const TLabelDigits digits = Round_Label_Digits(ticks->Step, largest, magnitude);
  ticks->Labels.reserve(ticks->Values.size());
  for (const double value : ticks->Values) {
    ticks->Labels.push_back(Round_Label(digits, value, decimal_point));
  }
}

TRound_Ticks Ticks_At_Step(const TTick_Axis &axis, const TRound_Step &step, const int limit,
                           const QString &decimal_point)
{
  TRound_Ticks ticks;
  ticks.Step = step;
  Place_Ticks(axis, limit, &ticks);
  Label_Ticks(axis, decimal_point, &ticks);
  return ticks;
}

// Neighbouring labels, centred on their ticks, leave at least `gap` pixels between them.
bool Labels_Apart(const TRound_Ticks &ticks, const int gap, const TLabel_Width &width)
{
  int previous_width = 0;
  for (std::size_t i = 0; i < ticks.Labels.size(); ++i) {
    const int label_width = width(ticks.Labels[i]);
    if (i > 0) {
      const int distance = std::abs(ticks.Pixels[i] - ticks.Pixels[i - 1]);
      if (distance < (previous_width + label_width + 1) / 2 + gap) {
        return false;
      }
    }
    previous_width = label_width;
  }
  return true;
}

}  // namespace

// log10 may miss a power of ten by one either way, so the search starts a decade lower.
TRound_Step Round_Step(const double &minimum)
{
  if (!(minimum > 0.0)) {
    return TRound_Step{1, BEYOND_SMALLEST_EXPONENT};
  }
  if (std::isinf(minimum)) {
    return TRound_Step{1, BEYOND_LARGEST_EXPONENT};
  }
  TRound_Step step{1, static_cast<int>(std::floor(std::log10(minimum))) - 1};
  while (Step_Value(step) < minimum) {
    step = Next_Round_Step(step);
  }
  return step;
}

TRound_Step Next_Round_Step(const TRound_Step &step)
{
  switch (step.Mantissa) {
    case 1: return TRound_Step{2, step.Exponent};
    case 2: return TRound_Step{5, step.Exponent};
    default: return TRound_Step{1, step.Exponent + 1};
  }
}

double Step_Value(const TRound_Step &step)
{
  return Step_Multiple(step, 1.0);
}

// Dividing by an exact 10^k rounds once, where multiplying by the inexact 10^-k would
// round twice. A multiple of 0 is 0, never -0.
double Step_Multiple(const TRound_Step &step, const double &count)
{
  const double multiple = count * step.Mantissa;
  const double value = step.Exponent >= 0 ? multiple * std::pow(10.0, step.Exponent)
                                          : multiple / std::pow(10.0, -step.Exponent);
  return value == 0.0 ? 0.0 : value;
}

TLabelDigits Round_Label_Digits(const TRound_Step &step, const double &largest_tick,
                                const double &magnitude)
{
  TLabelDigits digits;
  digits.Width = 0;
  digits.Exponent = Label_Digits(magnitude, 1.0).Exponent;
  if (!digits.Exponent) {
    digits.Decimals = std::max(-step.Exponent, 0);
    return digits;
  }
  const int largest_exponent = largest_tick > 0.0 && std::isfinite(largest_tick)
                                 ? static_cast<int>(std::floor(std::log10(largest_tick)))
                                 : step.Exponent;
  digits.Decimals = std::clamp(largest_exponent - step.Exponent, 0, MAXIMUM_EXPONENT_DECIMALS);
  return digits;
}

QString Round_Label(const TLabelDigits &digits, const double &value, const QString &decimal_point)
{
  if (value == 0.0) {
    return QStringLiteral("0");
  }
  return digits.Exponent ? Format_Exponent_Number(value, digits.Decimals, decimal_point)
                         : Format_Number(value, digits.Decimals, decimal_point);
}

TRound_Ticks Round_Ticks(const TTick_Axis &axis, const int spacing, const QString &decimal_point)
{
  if (spacing <= 0 || !Usable_Axis(axis)) {
    return TRound_Ticks();
  }
  const TRound_Step step = Round_Step(spacing / std::abs(axis.Scale));
  return Ticks_At_Step(axis, step, Tick_Limit(axis, spacing), decimal_point);
}

TRound_Ticks Round_Ticks_Apart(const TTick_Axis &axis, const int gap, const TLabel_Width &width,
                               const QString &decimal_point)
{
  const int spacing = std::max(gap, 1);
  TRound_Ticks ticks = Round_Ticks(axis, spacing, decimal_point);
  for (int i = 0; i < MAXIMUM_WIDENINGS && !Labels_Apart(ticks, gap, width); ++i) {
    ticks = Ticks_At_Step(axis, Next_Round_Step(ticks.Step), Tick_Limit(axis, spacing),
                          decimal_point);
  }
  return ticks;
}
