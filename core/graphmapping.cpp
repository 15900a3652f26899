#include "core/graphmapping.h"

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

// Widens a range narrower than the minimum span at both ends. Bounds so large that the
// widening does not register move to the next doubles instead, so the span is never 0.
void Widen_Narrow_Range(double *low, double *high)
{
  if (*high - *low < MINIMUM_SPAN) {
    *high += HALF_MINIMUM_SPAN;
    *low -= HALF_MINIMUM_SPAN;
  }
  if (*high - *low <= 0.0) {
    *high = std::nextafter(*high, std::numeric_limits<double>::infinity());
    *low = std::nextafter(*low, -std::numeric_limits<double>::infinity());
  }
}

// Gives x the y range times the plot's aspect, starting from the centre of the x range.
void Apply_Equal_Scale(TBounds *bounds, const QRect &plot)
{
  const int width = std::abs(plot.right() - plot.left());
  const int height = std::abs(plot.top() - plot.bottom());
  const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
  const double centre = (bounds->XMin + bounds->XMax) * 0.5;
  bounds->XMin = centre + aspect * bounds->YMin;
  bounds->XMax = centre + aspect * bounds->YMax;
}

// Maps x1 to the plot's left column, x2 to its right, y1 to its bottom row and y2 to its top.
TGraphMapping Map_Ranges(const double x1, const double x2, const double y1, const double y2,
                         const QRect &plot)
{
  TGraphMapping mapping;
  mapping.XScale = static_cast<double>(plot.right() - plot.left()) / (x2 - x1);
  mapping.XOffset = plot.left() - x1 * mapping.XScale;
  mapping.YScale = static_cast<double>(plot.top() - plot.bottom()) / (y2 - y1);
  mapping.YOffset = plot.bottom() - y1 * mapping.YScale;
  return mapping;
}

// Scales both bounds toward 0 until the span is at most `limit`.
void Limit_Span(double *low, double *high, const double limit)
{
  const double span = *high - *low;
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

}  // namespace

void TGraph_Bounds::Include(const TVector2 &point)
{
  if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
    return;
  }
  if (!found) {
    *this = TGraph_Bounds{true, point.x, point.x, point.y, point.y};
    return;
  }
  x_min = std::min(x_min, point.x);
  x_max = std::max(x_max, point.x);
  y_min = std::min(y_min, point.y);
  y_max = std::max(y_max, point.y);
}

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
  fit.XSpan = bounds.XMax - bounds.XMin;
  fit.YSpan = bounds.YMax - bounds.YMin;
  const double x_margin = fit.XSpan / MARGIN_PARTS;
  const double y_margin = fit.YSpan / MARGIN_PARTS;
  fit.Mapping = Map_Ranges(bounds.XMin - x_margin, bounds.XMax + x_margin,
                           bounds.YMin - y_margin, bounds.YMax + y_margin, plot);
  return fit;
}

TGraphMapping Zoom_Mapping(const TGraphMapping &view, const QRect &band, const QRect &plot,
                           const double &x_fit_span, const double &y_fit_span)
{
  const QRect rect = Ordered_Corners(band);
  double x1 = view.Data_X(rect.left());
  double x2 = view.Data_X(rect.right());
  double y2 = view.Data_Y(rect.top());
  double y1 = view.Data_Y(rect.bottom());
  Limit_Span(&x1, &x2, ZOOM_OUT_LIMIT * x_fit_span);
  Limit_Span(&y1, &y2, ZOOM_OUT_LIMIT * y_fit_span);
  Widen_Narrow_Range(&x1, &x2);
  Widen_Narrow_Range(&y1, &y2);
  return Map_Ranges(x1, x2, y1, y2, plot);
}

TLabelDigits Label_Digits(const double &magnitude, const double &span)
{
  TLabelDigits digits;
  if (!(magnitude > 1.0)) {
    return digits;
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
  return QString::asprintf("%% %d.%dlf", digits.Width, digits.Decimals);
}

QString Sample_Format(const TLabelDigits &digits)
{
  return QString::asprintf("%%0%d.%dlf", digits.Width, digits.Decimals);
}

QString Format_Label(const QString &format, const double &value)
{
  return QString::asprintf(format.toLatin1().constData(), value);
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
