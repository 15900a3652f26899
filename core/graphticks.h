#ifndef CORE_GRAPHTICKS_H
#define CORE_GRAPHTICKS_H

#include "core/graphmapping.h"

#include <QString>

#include <functional>
#include <vector>

// One axis of a plot: pixels `First` to `Last`, in either direction, show the data at
// pixel = value * Scale + Offset.
struct TTick_Axis
{
  int First = 0;
  int Last = 0;
  double Scale = 1.0;
  double Offset = 0.0;
};

// A round step: Mantissa (1, 2 or 5) times ten to the power Exponent.
struct TRound_Step
{
  int Mantissa = 1;
  int Exponent = 0;
};

// Ticks at the multiples of a round step within an axis, in the order of their pixels,
// with their values and labels.
struct TRound_Ticks
{
  TRound_Step Step;
  std::vector<int> Pixels;
  std::vector<double> Values;
  std::vector<QString> Labels;
};

// The smallest round step of at least `minimum`, and the one after a step.
TRound_Step Round_Step(const double &minimum);
TRound_Step Next_Round_Step(const TRound_Step &step);

// The step's value: infinite beyond the doubles, 0 below them.
double Step_Value(const TRound_Step &step);

// The whole multiple `count` of the step as the double nearest to it where the power of
// ten is exact (up to 10^22 either way), so that 3 x 0.1 is 0.3.
double Step_Multiple(const TRound_Step &step, const double &count);

// The digits of labels at multiples of the step on an axis showing values up to
// `magnitude`, the largest tick being `largest_tick` in size: fixed-point with as many
// decimals as the step needs, or the exponent form where Label_Digits takes it, with as
// many decimals as the largest tick needs.
TLabelDigits Round_Label_Digits(const TRound_Step &step, const double &largest_tick,
                                const double &magnitude);

// A label in that form; 0 is "0" whatever the form.
QString Round_Label(const TLabelDigits &digits, const double &value, const QString &decimal_point);

// Ticks at the multiples of the smallest round step that places them at least `spacing`
// pixels apart, each at the pixel where a point of its value is drawn. Where no step
// within the doubles is wide enough, 0 alone has a tick.
TRound_Ticks Round_Ticks(const TTick_Axis &axis, int spacing, const QString &decimal_point);

// A label's width in pixels.
using TLabel_Width = std::function<int(const QString &text)>;

// The same for labels centred on their ticks: the step widens until `gap` pixels lie
// between neighbouring labels.
TRound_Ticks Round_Ticks_Apart(const TTick_Axis &axis, int gap, const TLabel_Width &width,
                               const QString &decimal_point);

#endif
