#include "core/graphmapping.h"

#include "core/numberformat.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Half of the smallest data span an axis may show.
const double HALF_MINIMUM_SPAN = 5e-6;
const double MINIMUM_SPAN = 1e-5;
// The fitted view has a margin of one fiftieth of the data span on each side.
const double MARGIN_PARTS = 50.0;
const double ZOOM_OUT_LIMIT = 50.0;
const int PALETTE_LAST = 96;
const int PALETTE_HUES = 6;
const int PALETTE_LEVELS = 16;
const double LARGEST = std::numeric_limits<double>::max();
const double INFINITE = std::numeric_limits<double>::infinity();
// Labels and readouts of values from here on take the exponent form: beyond 2^53 the
// integer digits of a fixed-point text are no longer exact, and near the largest double
// it would run to 309 digits.
const double EXPONENT_MAGNITUDE = 1e16;
const int MINIMUM_EXPONENT_DECIMALS = 2;
const int MAXIMUM_EXPONENT_DECIMALS = 16;
// The characters of an exponent label besides its decimals: "1." and "e+308".
const int EXPONENT_FRAME = 7;
const int READOUT_DECIMALS = 5;

// The extent an axis is fitted to, the whole plot's when there is no finite point.
struct TBounds
{
  double XMin = -HALF_MINIMUM_SPAN;
  double XMax = HALF_MINIMUM_SPAN;
  double YMin = -HALF_MINIMUM_SPAN;
  double YMax = HALF_MINIMUM_SPAN;
};

// The bounds of all finite points of the sets; a point with an infinite or undefined
// coordinate would make the whole mapping undefined.
TGraph_Bounds Data_Bounds(const std::vector<TGraphDataSet> &sets)
{
  TGraph_Bounds bounds;
  for (const TGraphDataSet &set : sets) {
    Visit_Points(set, [&bounds](const TVector2 &point) { bounds.Include(point); });
  }
  return bounds;
}

// Moves each bound to the next double outward; a bound at the largest double stays, so
// the other moves alone.
void Step_Apart(double *low, double *high)
{
  *high = Within_Doubles(std::nextafter(*high, INFINITE));
  *low = Within_Doubles(std::nextafter(*low, -INFINITE));
}

// Widens a range narrower than the minimum span at both ends. Bounds so large that the
// widening does not register move to the next doubles instead, so the span is never 0.
void Widen_Narrow_Range(double *low, double *high)
{
  if (*high - *low < MINIMUM_SPAN) {
    *high += HALF_MINIMUM_SPAN;
    *low -= HALF_MINIMUM_SPAN;
  }
  if (*high - *low <= 0.0) {
    Step_Apart(low, high);
  }
}

// Halfway between two values, also where their sum lies beyond the doubles.
double Midpoint(const double a, const double b)
{
  const double sum = a + b;
  return std::isfinite(sum) ? sum * 0.5 : a * 0.5 + b * 0.5;
}

// Gives x the y range times the plot's aspect, starting from the centre of the x range.
void Apply_Equal_Scale(TBounds *bounds, const QRect &plot)
{
  const int width = std::abs(plot.right() - plot.left());
  const int height = std::abs(plot.top() - plot.bottom());
  const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
  const double centre = Midpoint(bounds->XMin, bounds->XMax);
  bounds->XMin = Within_Doubles(centre + aspect * bounds->YMin);
  bounds->XMax = Within_Doubles(centre + aspect * bounds->YMax);
}

// pixels / (high - low), with both halved where their difference lies beyond the doubles.
double Axis_Scale(const int pixels, const double low, const double high)
{
  const double span = high - low;
  if (std::isfinite(span)) {
    return static_cast<double>(pixels) / span;
  }
  return (pixels * 0.5) / (high * 0.5 - low * 0.5);
}

// Maps x1 to the plot's left column, x2 to its right, y1 to its bottom row and y2 to its top.
TGraphMapping Map_Ranges(const double x1, const double x2, const double y1, const double y2,
                         const QRect &plot)
{
  TGraphMapping mapping;
  mapping.XScale = Axis_Scale(plot.right() - plot.left(), x1, x2);
  mapping.XOffset = plot.left() - x1 * mapping.XScale;
  mapping.YScale = Axis_Scale(plot.top() - plot.bottom(), y1, y2);
  mapping.YOffset = plot.bottom() - y1 * mapping.YScale;
  return mapping;
}

// The data range under pixels `first` to `last` of an axis. A range that would reach
// beyond the doubles keeps as much of its span as they hold and slides back inside them,
// so that a pan stops at their limit and a zoom out there ends at their whole range. The
// arithmetic works at half scale, where no sum of finite doubles overflows.
void Pixel_Range(const double scale, const double offset, const int first, const int last,
                 double *low, double *high)
{
  *low = (first - offset) / scale;
  *high = (last - offset) / scale;
  if (std::isfinite(*low) && std::isfinite(*high)) {
    return;
  }
  const double half_largest = LARGEST * 0.5;
  const double quarter_span = std::min(std::abs((last - first) * 0.25 / scale), half_largest);
  const double half_centre = Within_Doubles(((first + last) * 0.5 - offset) / scale) * 0.5;
  const double half_low =
    std::clamp(half_centre - quarter_span, -half_largest, half_largest - 2.0 * quarter_span);
  *low = Within_Doubles(half_low * 2.0);
  *high = Within_Doubles((half_low + 2.0 * quarter_span) * 2.0);
}

// Scales both bounds toward 0 until the span is at most `limit`.
void Limit_Span(double *low, double *high, const double limit)
{
  const double span = Finite_Span(*low, *high);
  if (span > limit) {
    const double factor = limit / span;
    *low *= factor;
    *high *= factor;
  }
}

// A value of at least 1 and finite; undefined values count as 1.
double Bounded_Log_Argument(const double value)
{
  if (!(value >= 1.0)) {
    return 1.0;
  }
  return std::min(value, std::numeric_limits<double>::max());
}

// Enough decimals in exponent form that labels a tenth of the span apart differ.
TLabelDigits Exponent_Digits(const double &magnitude, const double &span)
{
  const double ratio = Bounded_Log_Argument(magnitude / Bounded_Log_Argument(span));
  const int decimals = MINIMUM_EXPONENT_DECIMALS + static_cast<int>(std::ceil(std::log10(ratio)));
  TLabelDigits digits;
  digits.Exponent = true;
  digits.Decimals = std::min(decimals, MAXIMUM_EXPONENT_DECIMALS);
  digits.Width = digits.Decimals + EXPONENT_FRAME;
  const double exponent = std::floor(std::log10(std::min(magnitude, LARGEST)));
  digits.ZeroBelow = 0.5 * std::pow(10.0, exponent - digits.Decimals);
  return digits;
}

// The number of a label or readout in its form: fixed-point or exponent.
QString Label_Number(const bool exponent, const double &value, const int decimals,
                     const QString &decimal_point)
{
  return exponent ? Format_Exponent_Number(value, decimals, decimal_point)
                  : Format_Number(value, decimals, decimal_point);
}

}  // namespace

void TGraph_Bounds::Include(const TGraph_Bounds &other)
{
  if (!other.found) {
    return;
  }
  if (!found) {
    *this = other;
    return;
  }
  x_min = std::min(x_min, other.x_min);
  x_max = std::max(x_max, other.x_max);
  y_min = std::min(y_min, other.y_min);
  y_max = std::max(y_max, other.y_max);
}

QRect Corners(const int left, const int top, const int right, const int bottom)
{
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect Ordered_Corners(const QRect &rect)
{
  return Corners(std::min(rect.left(), rect.right()), std::min(rect.top(), rect.bottom()),
                 std::max(rect.left(), rect.right()), std::max(rect.top(), rect.bottom()));
}

bool Palette_Color(const int index, int *red, int *green, int *blue)
{
  static const int INTENSITIES[PALETTE_LEVELS] = {255, 128, 192, 64,  160, 224, 96, 32,
                                                  144, 112, 176, 80, 208, 48,  240, 16};
  static const int HUES[PALETTE_HUES][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1},
                                            {1, 1, 0}, {0, 1, 1}, {1, 0, 1}};
  if (!ASSERT(red && green && blue)) {
    return false;
  }
  *red = 0;
  *green = 0;
  *blue = 0;
  if (index < 0 || index > PALETTE_LAST) {
    return false;
  }
  const int level = index / PALETTE_HUES;
  const int intensity = level < PALETTE_LEVELS ? INTENSITIES[level] : 0;
  const int *hue = HUES[index % PALETTE_HUES];
  *red = intensity * hue[0];
  *green = intensity * hue[1] / 2;
  *blue = intensity * hue[2];
  return true;
}

bool Plot_Has_Extent(const QRect &plot)
{
  return plot.right() > plot.left() && plot.bottom() > plot.top();
}

TGraphFit Fit_Mapping(const std::vector<TGraphDataSet> &sets, const QRect &plot,
                      const double &min_y_extent, const bool equal_scale)
{
  return Fit_Bounds(Data_Bounds(sets), plot, min_y_extent, equal_scale);
}

TGraphFit Fit_Bounds(const TGraph_Bounds &found, const QRect &plot, const double &min_y_extent,
                     const bool equal_scale)
{
  TBounds bounds;
  if (found.found) {
    bounds = TBounds{found.x_min, found.x_max, found.y_min, found.y_max};
  }
  bounds.YMax = std::max(bounds.YMax, min_y_extent);
  bounds.YMin = std::min(bounds.YMin, -min_y_extent);
  Widen_Narrow_Range(&bounds.XMin, &bounds.XMax);
  if (equal_scale) {
    Apply_Equal_Scale(&bounds, plot);
  }
  Widen_Narrow_Range(&bounds.YMin, &bounds.YMax);
  TGraphFit fit;
  fit.XSpan = Finite_Span(bounds.XMin, bounds.XMax);
  fit.YSpan = Finite_Span(bounds.YMin, bounds.YMax);
  const double x_margin = fit.XSpan / MARGIN_PARTS;
  const double y_margin = fit.YSpan / MARGIN_PARTS;
  fit.Mapping = Map_Ranges(Within_Doubles(bounds.XMin - x_margin),
                           Within_Doubles(bounds.XMax + x_margin),
                           Within_Doubles(bounds.YMin - y_margin),
                           Within_Doubles(bounds.YMax + y_margin), plot);
  return fit;
}

TGraphMapping Zoom_Mapping(const TGraphMapping &view, const QRect &band, const QRect &plot,
                           const double &x_fit_span, const double &y_fit_span)
{
  const QRect rect = Ordered_Corners(band);
  double x1 = 0.0;
  double x2 = 0.0;
  double y1 = 0.0;
  double y2 = 0.0;
  Pixel_Range(view.XScale, view.XOffset, rect.left(), rect.right(), &x1, &x2);
  Pixel_Range(view.YScale, view.YOffset, rect.bottom(), rect.top(), &y1, &y2);
  Limit_Span(&x1, &x2, ZOOM_OUT_LIMIT * x_fit_span);
  Limit_Span(&y1, &y2, ZOOM_OUT_LIMIT * y_fit_span);
  Widen_Narrow_Range(&x1, &x2);
  Widen_Narrow_Range(&y1, &y2);
  return Map_Ranges(x1, x2, y1, y2, plot);
}

double Finite_Span(const double &low, const double &high)
{
  const double span = high - low;
  if (std::isinf(span) && std::isfinite(low) && std::isfinite(high)) {
    return std::copysign(LARGEST, span);
  }
  return span;
}

TLabelDigits Label_Digits(const double &magnitude, const double &span)
{
  TLabelDigits digits;
  if (!(magnitude > 1.0)) {
    return digits;
  }
  if (magnitude >= EXPONENT_MAGNITUDE) {
    return Exponent_Digits(magnitude, span);
  }
  const int span_digits = static_cast<int>(std::trunc(std::log(Bounded_Log_Argument(span))));
  const int magnitude_digits =
    static_cast<int>(std::trunc(std::log10(Bounded_Log_Argument(magnitude))));
  digits.Decimals = std::max(5 - span_digits, 0);
  digits.Width = digits.Decimals + magnitude_digits + 1;
  return digits;
}

QString Label_Format(const TLabelDigits &digits)
{
  return QString::asprintf(digits.Exponent ? "%% %d.%de" : "%% %d.%dlf", digits.Width,
                           digits.Decimals);
}

QString Sample_Format(const TLabelDigits &digits)
{
  return QString::asprintf(digits.Exponent ? "%%0%d.%de" : "%%0%d.%dlf", digits.Width,
                           digits.Decimals);
}

QString Format_Label(const QString &format, const double &value)
{
  return QString::asprintf(format.toLatin1().constData(), value);
}

QString Tick_Label(const TLabelDigits &digits, const double &value, const QString &decimal_point)
{
  const double shown = std::abs(value) < digits.ZeroBelow ? 0.0 : value;
  return Aligned_Number(Label_Number(digits.Exponent, shown, digits.Decimals, decimal_point),
                        digits.Width);
}

// Zeros before the number, as printf pads a zero with its 0 flag.
QString Tick_Sample(const TLabelDigits &digits, const QString &decimal_point)
{
  QString sample = Label_Number(digits.Exponent, 0.0, digits.Decimals, decimal_point);
  if (sample.size() < digits.Width) {
    sample.prepend(QString(digits.Width - sample.size(), QLatin1Char('0')));
  }
  return sample;
}

QString Coordinate_Text(const double &value, const QString &decimal_point)
{
  const bool exponent = std::abs(value) >= EXPONENT_MAGNITUDE;
  return Label_Number(exponent, value, READOUT_DECIMALS, decimal_point);
}

std::vector<int> Tick_Positions(const int first, const int last, const int spacing)
{
  std::vector<int> positions;
  const int length = last - first + 1;
  const int count = spacing > 0 ? length / spacing : 0;
  if (count < 1) {
    return positions;
  }
  if (count == 1) {
    positions.push_back(first);
    return positions;
  }
  const double step = static_cast<double>(length) / (count - 1);
  positions.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    positions.push_back(first + static_cast<int>(i * step));
  }
  return positions;
}

QRect Zoom_Out_Rect(const QRect &plot)
{
  const int width = 2 * (plot.right() - plot.left() + 1);
  const int height = 2 * (plot.bottom() - plot.top() + 1);
  const int left = (plot.left() + plot.right()) / 2 - (width - 1) / 2;
  const int top = (plot.top() + plot.bottom()) / 2 - (height - 1) / 2;
  return Corners(left, top, left + width - 1, top + height - 1);
}
