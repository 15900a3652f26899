#ifndef CORE_GRAPHMAPPING_H
#define CORE_GRAPHMAPPING_H

#include "core/graphdata.h"

#include <QRect>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// The value, or the largest double of its sign where it lies beyond the doubles.
inline double Within_Doubles(const double value)
{
  const double largest = std::numeric_limits<double>::max();
  return std::clamp(value, -largest, largest);
}

// Linear mapping between data and pixels: pixel = value * scale + offset on each axis.
// YScale is negative, since pixel rows grow downwards. A pixel whose data value would lie
// beyond the doubles maps to the largest double of that side.
struct TGraphMapping
{
  double XScale = 1.0;
  double YScale = -1.0;
  double XOffset = 0.0;
  double YOffset = 0.0;

  double Data_X(const double &pixel_x) const
  {
    return Within_Doubles((pixel_x - XOffset) / XScale);
  }
  double Data_Y(const double &pixel_y) const
  {
    return Within_Doubles((pixel_y - YOffset) / YScale);
  }
};

// A mapping fitted to data, with the data spans it covers before its margins (at most the
// largest double).
struct TGraphFit
{
  TGraphMapping Mapping;
  double XSpan = 0.0;
  double YSpan = 0.0;
};

// The extent of finite points: false `found` when there is none.
struct TGraph_Bounds
{
  bool found = false;
  double x_min = 0.0;
  double x_max = 0.0;
  double y_min = 0.0;
  double y_max = 0.0;

  // Inline, since it runs once for every point of a fit.
  void Include(const TVector2 &point)
  {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
      return;
    }
    if (!found) {
      *this = TGraph_Bounds{true, point.x, point.x, point.y, point.y};
      return;
    }
    x_min = point.x < x_min ? point.x : x_min;
    x_max = point.x > x_max ? point.x : x_max;
    y_min = point.y < y_min ? point.y : y_min;
    y_max = point.y > y_max ? point.y : y_max;
  }
  void Include(const TGraph_Bounds &other);
};

// Minimum width and decimals of the tick labels of one axis; fixed-point, or in exponent
// form for values too large for their integer digits to be exact.
struct TLabelDigits
{
  int Width = 6;
  int Decimals = 5;
  bool Exponent = false;
  // Values smaller in size are labelled 0: in exponent form a value near 0 would show
  // digits far below the last digit the axis's other labels show.
  double ZeroBelow = 0.0;
};

// The rectangle from (left, top) to (right, bottom), both corners inside.
QRect Corners(int left, int top, int right, int bottom);

// The rectangle between two corners given in any order. QRect::normalized() is not this:
// it leaves corners that lie one pixel apart the wrong way round as they are.
QRect Ordered_Corners(const QRect &rect);

// A distinct colour for data set `index`, 0 to 96; outside that range the colour is black
// and the result false.
bool Palette_Color(int index, int *red, int *green, int *blue);

// True when the plot rectangle spans at least one pixel step on both axes.
bool Plot_Has_Extent(const QRect &plot);

// The mapping that shows every finite point of `sets` in `plot`, with y = 0 always in range.
TGraphFit Fit_Mapping(const std::vector<TGraphDataSet> &sets, const QRect &plot,
                      const double &min_y_extent, bool equal_scale);
// The same for points within the bounds.
TGraphFit Fit_Bounds(const TGraph_Bounds &bounds, const QRect &plot, const double &min_y_extent,
                     bool equal_scale);

// The mapping that fills `plot` with the data range under pixel rectangle `band` of `view`
// (its corners in any order), each span capped at fifty times the fitted one.
TGraphMapping Zoom_Mapping(const TGraphMapping &view, const QRect &band, const QRect &plot,
                           const double &x_fit_span, const double &y_fit_span);

// high - low, at most the largest double where the difference of two finite values
// lies beyond the doubles.
double Finite_Span(const double &low, const double &high);

// Label width and decimals for an axis showing values up to `magnitude` over `span`.
TLabelDigits Label_Digits(const double &magnitude, const double &span);

// The printf format of a tick label, "% w.dlf" (or "% w.de"), and of its zero-padded
// sample, "%0w.dlf" (or "%0w.de").
QString Label_Format(const TLabelDigits &digits);
QString Sample_Format(const TLabelDigits &digits);

// `value` printed with a printf format of one double conversion; any length is safe.
QString Format_Label(const QString &format, const double &value);

// A tick label and the sample of its width as the printf formats above print them, with
// `decimal_point` as the decimal separator.
QString Tick_Label(const TLabelDigits &digits, const double &value, const QString &decimal_point);
QString Tick_Sample(const TLabelDigits &digits, const QString &decimal_point);

// A data coordinate as a readout shows it: five decimals ("%.5lf"), or five in exponent
// form where tick labels take that form.
QString Coordinate_Text(const double &value, const QString &decimal_point);

// Pixel positions of the ticks between `first` and `last` spaced at least `spacing` apart.
std::vector<int> Tick_Positions(int first, int last, int spacing);

// The pixel rectangle twice as wide and high as `plot` about its centre.
QRect Zoom_Out_Rect(const QRect &plot);

#endif
