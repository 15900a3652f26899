#include "core/graphwidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <QSizePolicy>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

// Half of the smallest data span an axis may show.
const double HALF_MINIMUM_SPAN = 5e-6;
const double MINIMUM_SPAN = 1e-5;
// The fitted view has a margin of one fiftieth of the data span on each side.
const double MARGIN_PARTS = 50.0;
const double ZOOM_OUT_LIMIT = 50.0;
const double DEFAULT_MINIMUM_Y_EXTENT = 5e-5;
// Pixel coordinates beyond this lie far outside any plot area; lines reaching further are
// cut at it, so that no coordinate handed to the painter overflows its arithmetic.
const double PIXEL_LIMIT = 1.0e6;
const int MARKER_REACH = 3;
const int PALETTE_LAST = 96;
const int PALETTE_HUES = 6;
const int PALETTE_LEVELS = 16;
const int TITLE_POINT_SIZE = 12;
const int AXIS_TITLE_POINT_SIZE = 10;
const QFont::Weight TITLE_WEIGHT = QFont::Bold;
const int COMPACT_STRIP = 6;
const char READOUT_FORMAT[] = "%.5lf,   %.5lf";

QRect Corners(const int left, const int top, const int right, const int bottom)
{
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The rectangle between two corners given in any order. QRect::normalized() is not this:
// it leaves corners that lie one pixel apart the wrong way round as they are.
QRect Ordered_Corners(const QRect &rect)
{
  return Corners(std::min(rect.left(), rect.right()), std::min(rect.top(), rect.bottom()),
                 std::max(rect.left(), rect.right()), std::max(rect.top(), rect.bottom()));
}

bool Is_Finite_Point(const TVector2 &point)
{
  return std::isfinite(point.x) && std::isfinite(point.y);
}

struct TBounds
{
  double XMin = -HALF_MINIMUM_SPAN;
  double XMax = HALF_MINIMUM_SPAN;
  double YMin = -HALF_MINIMUM_SPAN;
  double YMax = HALF_MINIMUM_SPAN;
};

// The bounds of all finite points; a point with an infinite or undefined coordinate would
// make the whole mapping undefined.
TBounds Data_Bounds(const std::vector<TGraphDataSet> &sets)
{
  TBounds bounds;
  bool found = false;
  for (const TGraphDataSet &set : sets) {
    for (const TVector2 &point : set.Points) {
      if (!Is_Finite_Point(point)) {
        continue;
      }
      if (!found) {
        bounds = TBounds{point.x, point.x, point.y, point.y};
        found = true;
        continue;
      }
      bounds.XMin = std::min(bounds.XMin, point.x);
      bounds.XMax = std::max(bounds.XMax, point.x);
      bounds.YMin = std::min(bounds.YMin, point.y);
      bounds.YMax = std::max(bounds.YMax, point.y);
    }
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

QString Readout_Text(const double x, const double y)
{
  return QString::asprintf(READOUT_FORMAT, x, y);
}

// One logical pixel wide in device pixels, whatever the painter's own scale: the
// off-screen image is drawn through a viewport one pixel smaller than its window, and a
// pen scaled below one pixel would be drawn at less than full coverage.
QPen Line_Pen(const QPainter *painter, const QColor &color)
{
  const QPaintDevice *device = painter->device();
  QPen pen(color, device ? device->devicePixelRatioF() : 1.0, Qt::SolidLine);
  pen.setCosmetic(true);
  return pen;
}

QSize Text_Size(QPainter *painter, const QString &text)
{
  const QRect bounds = painter->boundingRect(QRect(0, 0, 0, 0), 0, text);
  return QSize(std::max(bounds.right() - bounds.left() + 1, 1),
               std::max(bounds.bottom() - bounds.top() + 1, 1));
}

// A pixel coordinate as an integer, kept within the pixel limit.
int Bounded_Pixel(const double value)
{
  if (!(value > -PIXEL_LIMIT)) {
    return static_cast<int>(-PIXEL_LIMIT);
  }
  if (!(value < PIXEL_LIMIT)) {
    return static_cast<int>(PIXEL_LIMIT);
  }
  return static_cast<int>(value);
}

// The pixel of a data point, truncated toward zero; not finite for a point not to be drawn.
QPointF Pixel_Point(const TVector2 &point, const TGraphMapping &mapping)
{
  return QPointF(std::trunc(point.x * mapping.XScale + mapping.XOffset),
                 std::trunc(point.y * mapping.YScale + mapping.YOffset));
}

bool Is_Finite_Pixel(const QPointF &pixel)
{
  return std::isfinite(pixel.x()) && std::isfinite(pixel.y());
}

bool Within_Pixel_Limit(const QPointF &pixel)
{
  return std::abs(pixel.x()) <= PIXEL_LIMIT && std::abs(pixel.y()) <= PIXEL_LIMIT;
}

// Cuts a segment to the square of the pixel limit (Liang-Barsky); false if none of it is
// inside. It works at half scale, where differences of finite doubles cannot overflow.
bool Clip_To_Pixel_Limit(QPointF *from, QPointF *to)
{
  const double limit = PIXEL_LIMIT * 0.5;
  const QPointF start = *from * 0.5;
  const QPointF delta = *to * 0.5 - start;
  const double p[4] = {-delta.x(), delta.x(), -delta.y(), delta.y()};
  const double q[4] = {start.x() + limit, limit - start.x(), start.y() + limit, limit - start.y()};
  double enter = 0.0;
  double leave = 1.0;
  for (int side = 0; side < 4; ++side) {
    if (p[side] == 0.0) {
      if (q[side] < 0.0) {
        return false;
      }
      continue;
    }
    const double t = q[side] / p[side];
    if (p[side] < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) {
    return false;
  }
  *from = (start + delta * enter) * 2.0;
  *to = (start + delta * leave) * 2.0;
  return true;
}

void Draw_Segment(QPainter *painter, const QPointF &from, const QPointF &to)
{
  if (!Is_Finite_Pixel(from) || !Is_Finite_Pixel(to)) {
    return;
  }
  QPointF start = from;
  QPointF end = to;
  if ((!Within_Pixel_Limit(start) || !Within_Pixel_Limit(end))
      && !Clip_To_Pixel_Limit(&start, &end)) {
    return;
  }
  painter->drawLine(QLineF(start, end));
}

// A line from each point to the next, one segment at a time.
void Draw_Segments(QPainter *painter, const Point_List &points, const TGraphMapping &mapping)
{
  QPointF previous = Pixel_Point(points.front(), mapping);
  for (std::size_t i = 1; i < points.size(); ++i) {
    const QPointF current = Pixel_Point(points[i], mapping);
    Draw_Segment(painter, previous, current);
    previous = current;
  }
}

// The vertical segments of a chain of points in one pixel column. Chained segments share
// their ends, so together they cover what one line from the lowest to the highest end
// covers. Segments of no length are drawn as they come, since the painter places a single
// point by other rounding than a line through it.
class TColumnRun
{
public:
  explicit TColumnRun(QPainter *painter) : d_painter(painter) {}

  void Add(const QPointF &from, const QPointF &to)
  {
    if (from.y() == to.y()) {
      Draw_Dot(to);
      return;
    }
    if (d_active && d_column != from.x()) {
      Flush();
    }
    const double low = std::min(from.y(), to.y());
    const double high = std::max(from.y(), to.y());
    d_top = d_active ? std::min(d_top, low) : low;
    d_bottom = d_active ? std::max(d_bottom, high) : high;
    d_column = from.x();
    d_active = true;
  }

  void Flush()
  {
    if (d_active) {
      d_painter->drawLine(QLineF(d_column, d_top, d_column, d_bottom));
      d_active = false;
    }
  }

private:
  // Pixels are whole numbers, so the exact comparison is the right one, and far cheaper
  // than the point's fuzzy one.
  void Draw_Dot(const QPointF &dot)
  {
    if (d_dot_drawn && d_last_dot.x() == dot.x() && d_last_dot.y() == dot.y()) {
      return;
    }
    d_painter->drawLine(QLineF(dot, dot));
    d_last_dot = dot;
    d_dot_drawn = true;
  }

  QPainter *d_painter;
  bool d_active = false;
  double d_column = 0.0;
  double d_top = 0.0;
  double d_bottom = 0.0;
  bool d_dot_drawn = false;
  QPointF d_last_dot;
};

bool Is_Column_Step(const QPointF &from, const QPointF &to)
{
  return from.x() == to.x() && Is_Finite_Pixel(from) && Is_Finite_Pixel(to)
         && Within_Pixel_Limit(from) && Within_Pixel_Limit(to);
}

// The same pixels as Draw_Segments, with each chain of steps within one pixel column drawn
// as one run.
void Draw_Column_Runs(QPainter *painter, const Point_List &points, const TGraphMapping &mapping)
{
  TColumnRun run(painter);
  QPointF previous = Pixel_Point(points.front(), mapping);
  for (std::size_t i = 1; i < points.size(); ++i) {
    const QPointF current = Pixel_Point(points[i], mapping);
    if (Is_Column_Step(previous, current)) {
      run.Add(previous, current);
    } else {
      run.Flush();
      Draw_Segment(painter, previous, current);
    }
    previous = current;
  }
  run.Flush();
}

// Files of vector drawing, laid out on the same whole-pixel grid as the screen.
bool Is_Vector_File(const QPainter *painter)
{
  const QPaintEngine *engine = painter->paintEngine();
  return engine && (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Pdf);
}

// The points of a chain that fall into one pixel column.
struct TColumnSpan
{
  double x = 0.0;
  double top = 0.0;
  double bottom = 0.0;
  double last = 0.0;
};

// For a vector file: one vertical line over the points of each pixel column and one line
// on to the next column, which at the file's own size shows what the segments show, in a
// few elements per column instead of one per point. A point that is not finite breaks
// the chain, as it breaks the segments.
void Draw_Column_Spans(QPainter *painter, const Point_List &points, const TGraphMapping &mapping)
{
  TColumnSpan span;
  bool active = false;
  for (const TVector2 &point : points) {
    const QPointF pixel = Pixel_Point(point, mapping);
    if (active && Is_Finite_Pixel(pixel) && pixel.x() == span.x) {
      span.top = std::min(span.top, pixel.y());
      span.bottom = std::max(span.bottom, pixel.y());
      span.last = pixel.y();
      continue;
    }
    if (active) {
      Draw_Segment(painter, QPointF(span.x, span.top), QPointF(span.x, span.bottom));
      Draw_Segment(painter, QPointF(span.x, span.last), pixel);
    }
    active = Is_Finite_Pixel(pixel);
    span.x = pixel.x();
    span.top = span.bottom = span.last = pixel.y();
  }
  if (active) {
    Draw_Segment(painter, QPointF(span.x, span.top), QPointF(span.x, span.bottom));
  }
}

void Draw_Lines(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping,
                const bool column_runs)
{
  if (column_runs && Is_Vector_File(painter)) {
    Draw_Column_Spans(painter, set.Points, mapping);
  } else if (column_runs && Column_Runs_Keep_Pixels(painter, set.Color)) {
    Draw_Column_Runs(painter, set.Points, mapping);
  } else {
    Draw_Segments(painter, set.Points, mapping);
  }
}

// One bar per point, from its row to the row just above y = 0, half as wide as the
// plot's share of one point.
void Draw_Bars(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping,
               const QRect &plot)
{
  const long long count = static_cast<long long>(set.Points.size());
  const long long share = (plot.right() - plot.left() + 1) / (2 * count);
  const int half_width = share >= 2 ? static_cast<int>(share - 1) : 1;
  const int above_zero = Bounded_Pixel(std::trunc(mapping.YOffset)) - 1;
  for (const TVector2 &point : set.Points) {
    if (!Is_Finite_Point(point)) {
      continue;
    }
    const QPointF pixel = Pixel_Point(point, mapping);
    const int column = Bounded_Pixel(pixel.x());
    const QRect bar(QPoint(column - half_width, Bounded_Pixel(pixel.y())),
                    QPoint(column + half_width - 1, above_zero));
    painter->fillRect(Ordered_Corners(bar), set.Color);
  }
}

void Draw_Markers(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping)
{
  for (const TVector2 &point : set.Points) {
    if (!Is_Finite_Point(point)) {
      continue;
    }
    const QPointF pixel = Pixel_Point(point, mapping);
    const int x = Bounded_Pixel(pixel.x());
    const int y = Bounded_Pixel(pixel.y());
    painter->drawLine(x - MARKER_REACH, y - MARKER_REACH, x + MARKER_REACH, y + MARKER_REACH);
    painter->drawLine(x - MARKER_REACH, y + MARKER_REACH, x + MARKER_REACH, y - MARKER_REACH);
  }
}

// The pointer's position in the widget, at whole pixels.
QPoint Event_Point(const QMouseEvent &event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  return event.position().toPoint();
#else
  return event.localPos().toPoint();
#endif
}

}  // namespace

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

// Runs give the same pixels only where drawing a pixel twice leaves the colour of drawing
// it once and lines are rasterised without antialiasing by the raster engine, with a
// cosmetic pen under a scale-only transform (the image comparison tests cover this).
bool Column_Runs_Keep_Pixels(const QPainter *painter, const QColor &color)
{
  const QPaintEngine *engine = painter->paintEngine();
  return engine && engine->type() == QPaintEngine::Raster
         && !painter->testRenderHint(QPainter::Antialiasing)
         && painter->compositionMode() == QPainter::CompositionMode_SourceOver
         && painter->opacity() >= 1.0 && color.alpha() == 255 && painter->pen().isCosmetic()
         && painter->combinedTransform().type() <= QTransform::TxScale;
}

TGraphFit Fit_Mapping(const std::vector<TGraphDataSet> &sets, const QRect &plot,
                      const double &min_y_extent, const bool equal_scale)
{
  TBounds bounds = Data_Bounds(sets);
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

// Everything an outside render changes in the widget.
struct TGraphWidget::TSavedView
{
  TGraphMapping Mapping;
  double XFitSpan = 0.0;
  double YFitSpan = 0.0;
  QRect PlotRect, YLabelRect, VTitleRect, XLabelRect, HTitleRect, TitleRect, WidgetRect;
  int FontHeight = 0;
  bool ShowBorder = true;
  QString VTitle, HTitle, Title;
  QString YLabelFormat, XLabelFormat;
  int YLabelWidth = -1, YLabelHeight = -1, XLabelWidth = -1, XLabelHeight = -1;
};

TGraphWidget::TGraphWidget(QWidget *parent, const Qt::WindowFlags flags)
  : QWidget(parent, flags)
{
  d_FontHeight = QFontMetrics(font()).height();
  d_Readout = Readout_Text(0.0, 0.0);
  setMouseTracking(true);
  setSizePolicy(QSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding,
                            QSizePolicy::DefaultType));
}

int TGraphWidget::Add_Data_Set(const QColor &color, const int style)
{
  TGraphDataSet set;
  set.Color = color;
  set.Style = style;
  d_DataSets.push_back(set);
  return static_cast<int>(d_DataSets.size()) - 1;
}

// Indices are checked against the upper bound as callers expect; a negative one is a
// programming error too and must not reach the vector.
bool TGraphWidget::Is_Set_Index(const int Set) const
{
  return ASSERT(Set < static_cast<int>(d_DataSets.size())) && ASSERT(Set >= 0);
}

bool TGraphWidget::Is_Point_Index(const int Set, const int Offset) const
{
  return Is_Set_Index(Set) && ASSERT(Offset < static_cast<int>(d_DataSets[Set].Points.size()))
         && ASSERT(Offset >= 0);
}

bool TGraphWidget::Add_Point(const int Set, const TVector2 &point)
{
  if (!Is_Set_Index(Set)) {
    return false;
  }
  d_DataSets[Set].Points.push_back(point);
  return true;
}

bool TGraphWidget::Set_Points(const int Set, const Point_List &points)
{
  if (!Is_Set_Index(Set)) {
    return false;
  }
  d_DataSets[Set].Points = points;
  return true;
}

int TGraphWidget::Point_Count(const int Set) const
{
  if (!Is_Set_Index(Set)) {
    return 0;
  }
  return static_cast<int>(d_DataSets[Set].Points.size());
}

TVector2 TGraphWidget::Get_Point(const int Set, const int Offset) const
{
  if (!Is_Point_Index(Set, Offset)) {
    return TVector2();
  }
  return d_DataSets[Set].Points[Offset];
}

bool TGraphWidget::Set_Point(const int Set, const int Offset, const TVector2 &point)
{
  if (!Is_Point_Index(Set, Offset)) {
    return false;
  }
  d_DataSets[Set].Points[Offset] = point;
  return true;
}

bool TGraphWidget::Remove_Point(const int Set, const int Offset)
{
  if (!Is_Point_Index(Set, Offset)) {
    return false;
  }
  Point_List &points = d_DataSets[Set].Points;
  points.erase(points.begin() + Offset);
  return true;
}

bool TGraphWidget::Remove_Data_Set(const int Offset)
{
  if (!ASSERT(Offset < static_cast<int>(d_DataSets.size())) || !ASSERT(Offset >= 0)) {
    return false;
  }
  d_DataSets.erase(d_DataSets.begin() + Offset);
  return true;
}

void TGraphWidget::Clear_Data_Sets()
{
  d_DataSets.clear();
}

int TGraphWidget::Data_Set_Count() const
{
  return static_cast<int>(d_DataSets.size());
}

// An infinite extent would make the y mapping undefined, so only finite positive values
// are taken.
void TGraphWidget::Set_Minimum_Y_Extent(const double &value)
{
  d_MinYExtent = value > 0.0 && std::isfinite(value) ? value : DEFAULT_MINIMUM_Y_EXTENT;
}

void TGraphWidget::Set_Equal_Scale(const bool on)
{
  d_EqualScale = on;
}

void TGraphWidget::Set_Show_Readout(const bool on)
{
  d_ShowReadout = on;
}

void TGraphWidget::Set_Column_Runs(const bool on)
{
  d_ColumnRuns = on;
}

void TGraphWidget::Update_Graph()
{
  if (d_WidgetRect.isEmpty()) {
    return;
  }
  Render_Pixmap();
  update();
}

bool TGraphWidget::Render_Graph(QPainter *Device, const QRect &rect, const bool border)
{
  if (!ASSERT(Device)) {
    return false;
  }
  Render_Outside(Device, rect, border, false);
  return true;
}

bool TGraphWidget::Render_Graph_Compact(QPainter *Device, const QRect &rect, const bool border)
{
  if (!ASSERT(Device)) {
    return false;
  }
  Render_Outside(Device, rect, border, true);
  return true;
}

bool TGraphWidget::Render_Graph_View(QPainter *Device, const QRect &rect, const bool border)
{
  if (!ASSERT(Device)) {
    return false;
  }
  Render_Outside(Device, rect, border, false, true);
  return true;
}

TGraphMapping TGraphWidget::Mapping() const
{
  TGraphMapping mapping;
  mapping.XScale = d_XScale;
  mapping.YScale = d_YScale;
  mapping.XOffset = d_XOffset;
  mapping.YOffset = d_YOffset;
  return mapping;
}

QRect TGraphWidget::Plot_Rect() const
{
  return d_PlotRect;
}

QString TGraphWidget::Readout() const
{
  return d_Readout;
}

void TGraphWidget::ZoomOut()
{
  d_ZoomOutPending = true;
  update();
}

void TGraphWidget::ScaleToFit()
{
  d_FitPending = true;
  update();
}

void TGraphWidget::Lay_Out_Frame(const int width, const int height)
{
  const int a = d_FontHeight;
  d_WidgetRect = Corners(0, 0, width, height);
  d_PlotRect = Corners(7 * a, 2 * a, width - a, height - 4 * a);
  d_YLabelRect = Corners(2 * a, 0, 6 * a, height - 2 * a);
  d_VTitleRect = Corners(0, 2 * a, 2 * a, height - 4 * a);
  d_XLabelRect = Corners(6 * a, height - 4 * a, width, height - 2 * a);
  d_HTitleRect = Corners(7 * a, height - 2 * a, width - a, height);
  d_TitleRect = Corners(7 * a, 0, width, 2 * a);
}

void TGraphWidget::Lay_Out_Full(const int width, const int height)
{
  const int f = d_FontHeight;
  d_WidgetRect = Corners(0, 0, width - 1, height - 1);
  d_PlotRect = Corners(6 * f, 2 * f, width - f, height - 4 * f);
  d_YLabelRect = Corners(2 * f, 0, 6 * f, height - 2 * f);
  d_VTitleRect = Corners(0, 2 * f, 2 * f, height - 4 * f);
  d_XLabelRect = Corners(6 * f, height - 4 * f, width, height - 2 * f);
  d_HTitleRect = Corners(6 * f, height - 2 * f, width - f, height);
  d_TitleRect = Corners(7 * f, 0, width, 2 * f);
}

// Titles are left out, so their strips shrink to a few pixels.
void TGraphWidget::Lay_Out_Compact(const int width, const int height)
{
  const int f = d_FontHeight;
  const int s = COMPACT_STRIP;
  d_WidgetRect = Corners(0, 0, width - 1, height - 1);
  d_PlotRect = Corners(4 * f + s, s, width - f, height - s - 2 * f);
  d_YLabelRect = Corners(s, 0, 4 * f + s, height - s);
  d_VTitleRect = Corners(0, s, s, height - s - 2 * f);
  d_XLabelRect = Corners(4 * f + s, height - s - 2 * f, width, height - s);
  d_HTitleRect = Corners(4 * f + s, height - s, width - f, height);
  d_TitleRect = Corners(2 * s, 0, width, s);
}

void TGraphWidget::Set_Mapping(const TGraphMapping &mapping)
{
  d_XScale = mapping.XScale;
  d_YScale = mapping.YScale;
  d_XOffset = mapping.XOffset;
  d_YOffset = mapping.YOffset;
}

void TGraphWidget::Fit_Scale()
{
  const TGraphFit fit = Fit_Mapping(d_DataSets, d_PlotRect, d_MinYExtent, d_EqualScale);
  Set_Mapping(fit.Mapping);
  d_XFitSpan = fit.XSpan;
  d_YFitSpan = fit.YSpan;
}

void TGraphWidget::Zoom_To_Rect(const QRect &rect)
{
  Set_Mapping(Zoom_Mapping(Mapping(), rect, d_PlotRect, d_XFitSpan, d_YFitSpan));
}

void TGraphWidget::Prepare_Labels(QPainter *painter)
{
  const TGraphMapping view = Mapping();
  const double left = view.Data_X(d_PlotRect.left());
  const double right = view.Data_X(d_PlotRect.right());
  const double top = view.Data_Y(d_PlotRect.top());
  const double bottom = view.Data_Y(d_PlotRect.bottom());
  const TLabelDigits x_digits =
    Label_Digits(std::max(std::abs(left), std::abs(right)), std::max(right - left, 1.0));
  const TLabelDigits y_digits =
    Label_Digits(std::max(std::abs(top), std::abs(bottom)), std::max(top - bottom, 1.0));
  d_XLabelFormat = Label_Format(x_digits);
  d_YLabelFormat = Label_Format(y_digits);
  const QSize x_sample = Text_Size(painter, Format_Label(Sample_Format(x_digits), 0.0));
  const QSize y_sample = Text_Size(painter, Format_Label(Sample_Format(y_digits), 0.0));
  d_XLabelWidth = x_sample.width();
  d_XLabelHeight = x_sample.height();
  d_YLabelWidth = y_sample.width();
  d_YLabelHeight = y_sample.height();
}

// An image one pixel wider and higher than the widget, at the screen's pixel density.
void TGraphWidget::Replace_Pixmap()
{
  const qreal ratio = devicePixelRatioF();
  d_Pixmap = QPixmap(qCeil(d_WidgetRect.width() * ratio), qCeil(d_WidgetRect.height() * ratio));
  d_Pixmap.setDevicePixelRatio(ratio);
}

// The painter's window is the whole image, its viewport the widget's width and height.
void TGraphWidget::Set_Pixmap_Viewport(QPainter *painter) const
{
  painter->setWindow(0, 0, d_WidgetRect.width(), d_WidgetRect.height());
  painter->setViewport(0, 0, d_WidgetRect.right(), d_WidgetRect.bottom());
}

void TGraphWidget::Render_Pixmap()
{
  if (d_WidgetRect.isEmpty()) {
    return;
  }
  Replace_Pixmap();
  d_Pixmap.fill(Qt::white);
  QPainter painter(&d_Pixmap);
  Set_Pixmap_Viewport(&painter);
  Draw_All(&painter);
}

void TGraphWidget::Render_Pixmap_Zoomed(const QRect &rect, const bool new_image)
{
  if (new_image) {
    Replace_Pixmap();
  }
  if (d_Pixmap.width() <= 0 || d_Pixmap.height() <= 0) {
    return;
  }
  d_Pixmap.fill(Qt::white);
  QPainter painter(&d_Pixmap);
  Set_Pixmap_Viewport(&painter);
  if (!Plot_Has_Extent(d_PlotRect)) {
    return;
  }
  Zoom_To_Rect(rect);
  Draw_View(&painter);
}

// A plot area without extent has no mapping, so nothing is drawn at all.
void TGraphWidget::Draw_All(QPainter *painter)
{
  if (!Plot_Has_Extent(d_PlotRect)) {
    return;
  }
  Fit_Scale();
  Draw_View(painter);
}

void TGraphWidget::Draw_View(QPainter *painter)
{
  Prepare_Labels(painter);
  Draw_Axes(painter);
  Draw_Data_Sets(painter);
}

void TGraphWidget::Draw_Axes(QPainter *painter)
{
  const QPen saved_pen = painter->pen();
  const QFont saved_font = painter->font();
  const int line_height = painter->fontMetrics().height();
  Draw_X_Ticks(painter, line_height);
  Draw_Y_Ticks(painter, line_height);
  Draw_Zero_Lines(painter);
  Draw_Frames(painter);
  painter->setPen(saved_pen);
  Draw_Titles(painter);
  painter->setFont(saved_font);
}

// Ticks below the plot area, each with its value centred under it.
void TGraphWidget::Draw_X_Ticks(QPainter *painter, const int line_height)
{
  const TGraphMapping view = Mapping();
  const int bottom = d_PlotRect.bottom();
  const int baseline =
    d_XLabelRect.top() + line_height + d_XLabelHeight - d_XLabelHeight / 2;
  for (const int x : Tick_Positions(d_PlotRect.left(), d_PlotRect.right(), d_XLabelWidth)) {
    painter->setPen(Line_Pen(painter, Qt::lightGray));
    painter->drawLine(x, bottom, x, bottom + line_height / 3);
    painter->setPen(Line_Pen(painter, Qt::black));
    painter->drawText(QPoint(x - d_XLabelWidth / 2, baseline),
                      Format_Label(d_XLabelFormat, view.Data_X(x)));
  }
}

// One tick per text line left of the plot area, each value ending at the label column's
// right edge and centred on its tick.
void TGraphWidget::Draw_Y_Ticks(QPainter *painter, const int line_height)
{
  const TGraphMapping view = Mapping();
  const int left = d_PlotRect.left();
  const int label_x = d_YLabelRect.right() - d_YLabelWidth;
  for (const int y : Tick_Positions(d_PlotRect.top(), d_PlotRect.bottom(), d_FontHeight)) {
    painter->setPen(Line_Pen(painter, Qt::lightGray));
    painter->drawLine(left - line_height / 2, y, left, y);
    painter->setPen(Line_Pen(painter, Qt::black));
    painter->drawText(QPoint(label_x, y + d_YLabelHeight / 2 - 1),
                      Format_Label(d_YLabelFormat, view.Data_Y(y)));
  }
}

// Only strictly inside the plot area, so that a zero line never covers the frame.
void TGraphWidget::Draw_Zero_Lines(QPainter *painter)
{
  const double zero_column = std::trunc(d_XOffset);
  const double zero_row = std::trunc(d_YOffset);
  painter->setPen(Line_Pen(painter, Qt::lightGray));
  if (d_PlotRect.left() < zero_column && zero_column < d_PlotRect.right()) {
    const int x = static_cast<int>(zero_column);
    painter->drawLine(x, d_PlotRect.top(), x, d_PlotRect.bottom());
  }
  if (d_PlotRect.top() < zero_row && zero_row < d_PlotRect.bottom()) {
    const int y = static_cast<int>(zero_row);
    painter->drawLine(d_PlotRect.left(), y, d_PlotRect.right(), y);
  }
}

void TGraphWidget::Draw_Frames(QPainter *painter)
{
  const QBrush saved_brush = painter->brush();
  painter->setBrush(Qt::NoBrush);
  painter->setPen(Line_Pen(painter, Qt::darkGray));
  if (d_ShowBorder) {
    painter->drawRect(Corners(0, 0, d_WidgetRect.right() - d_WidgetRect.left() - 1,
                              d_WidgetRect.bottom() - d_WidgetRect.top() - 1));
  }
  painter->drawRect(d_PlotRect);
  painter->setBrush(saved_brush);
}

void TGraphWidget::Draw_Titles(QPainter *painter)
{
  QFont title_font;
  title_font.setPointSize(TITLE_POINT_SIZE);
  title_font.setWeight(TITLE_WEIGHT);
  painter->setFont(title_font);
  painter->drawText(d_TitleRect, Qt::AlignCenter, d_Title);
  title_font.setPointSize(AXIS_TITLE_POINT_SIZE);
  painter->setFont(title_font);
  painter->drawText(d_HTitleRect, Qt::AlignCenter, d_HTitle);
  Draw_Vertical_Title(painter);
}

// Reads from bottom to top, centred on the title column's centre.
void TGraphWidget::Draw_Vertical_Title(QPainter *painter)
{
  const QRect bounds = painter->boundingRect(QRect(), Qt::AlignLeft, d_VTitle);
  const int width = bounds.right() < bounds.left() ? 1 : bounds.right() - bounds.left() + 1;
  const QTransform saved_transform = painter->transform();
  painter->translate((d_VTitleRect.left() + d_VTitleRect.right()) / 2,
                     (d_VTitleRect.top() + d_VTitleRect.bottom()) / 2);
  painter->rotate(-90.0);
  painter->drawText(QPoint(-(width / 2), 0), d_VTitle);
  painter->setTransform(saved_transform);
}

// Later sets are drawn over earlier ones, all of them clipped to the plot area.
void TGraphWidget::Draw_Data_Sets(QPainter *painter)
{
  if (d_DataSets.empty()) {
    return;
  }
  const TGraphMapping view = Mapping();
  painter->save();
  painter->setClipRect(d_PlotRect, Qt::ReplaceClip);
  for (const TGraphDataSet &set : d_DataSets) {
    if (set.Points.empty()) {
      continue;
    }
    painter->setPen(Line_Pen(painter, set.Color));
    switch (set.Style) {
      case STYLE_DEFAULT:
      case STYLE_LINES: Draw_Lines(painter, set, view, d_ColumnRuns); break;
      case STYLE_BARS: Draw_Bars(painter, set, view, d_PlotRect); break;
      case STYLE_MARKERS: Draw_Markers(painter, set, view); break;
      default: break;
    }
  }
  painter->restore();
}

TGraphWidget::TSavedView TGraphWidget::Save_View() const
{
  TSavedView saved;
  saved.Mapping = Mapping();
  saved.XFitSpan = d_XFitSpan;
  saved.YFitSpan = d_YFitSpan;
  saved.PlotRect = d_PlotRect;
  saved.YLabelRect = d_YLabelRect;
  saved.VTitleRect = d_VTitleRect;
  saved.XLabelRect = d_XLabelRect;
  saved.HTitleRect = d_HTitleRect;
  saved.TitleRect = d_TitleRect;
  saved.WidgetRect = d_WidgetRect;
  saved.FontHeight = d_FontHeight;
  saved.ShowBorder = d_ShowBorder;
  saved.VTitle = d_VTitle;
  saved.HTitle = d_HTitle;
  saved.Title = d_Title;
  saved.YLabelFormat = d_YLabelFormat;
  saved.XLabelFormat = d_XLabelFormat;
  saved.YLabelWidth = d_YLabelWidth;
  saved.YLabelHeight = d_YLabelHeight;
  saved.XLabelWidth = d_XLabelWidth;
  saved.XLabelHeight = d_XLabelHeight;
  return saved;
}

void TGraphWidget::Restore_View(const TSavedView &saved)
{
  Set_Mapping(saved.Mapping);
  d_XFitSpan = saved.XFitSpan;
  d_YFitSpan = saved.YFitSpan;
  d_PlotRect = saved.PlotRect;
  d_YLabelRect = saved.YLabelRect;
  d_VTitleRect = saved.VTitleRect;
  d_XLabelRect = saved.XLabelRect;
  d_HTitleRect = saved.HTitleRect;
  d_TitleRect = saved.TitleRect;
  d_WidgetRect = saved.WidgetRect;
  d_FontHeight = saved.FontHeight;
  d_ShowBorder = saved.ShowBorder;
  d_VTitle = saved.VTitle;
  d_HTitle = saved.HTitle;
  d_Title = saved.Title;
  d_YLabelFormat = saved.YLabelFormat;
  d_XLabelFormat = saved.XLabelFormat;
  d_YLabelWidth = saved.YLabelWidth;
  d_YLabelHeight = saved.YLabelHeight;
  d_XLabelWidth = saved.XLabelWidth;
  d_XLabelHeight = saved.XLabelHeight;
}

// The layouts are computed for a rectangle at the origin; the painter is moved to the
// rectangle's corner, so any rectangle is honoured as a whole. The painter's own state is
// restored afterwards as well.
void TGraphWidget::Render_Outside(QPainter *Device, const QRect &rect, const bool border,
                                  const bool compact, const bool keep_view)
{
  const TSavedView saved = Save_View();
  d_ShowBorder = border;
  d_FontHeight = Device->fontMetrics().height();
  if (compact) {
    d_VTitle.clear();
    d_HTitle.clear();
    d_Title.clear();
    Lay_Out_Compact(rect.width(), rect.height());
  } else {
    Lay_Out_Full(rect.width(), rect.height());
  }
  Device->save();
  Device->translate(rect.topLeft());
  if (keep_view) {
    Draw_Kept_View(Device, saved);
  } else {
    Draw_All(Device);
  }
  Device->restore();
  Restore_View(saved);
}

// The data range under the widget's plot area fills the new one; a fit or zoom-out that
// waits for the next paint is applied as that paint will.
void TGraphWidget::Draw_Kept_View(QPainter *painter, const TSavedView &saved)
{
  if (d_FitPending || !Plot_Has_Extent(saved.PlotRect) || !Plot_Has_Extent(d_PlotRect)) {
    Draw_All(painter);
    return;
  }
  const QRect band = d_ZoomOutPending ? Zoom_Out_Rect(saved.PlotRect) : saved.PlotRect;
  Set_Mapping(Zoom_Mapping(saved.Mapping, band, d_PlotRect, saved.XFitSpan, saved.YFitSpan));
  Draw_View(painter);
}

// A new size always returns to the fitted view.
void TGraphWidget::resizeEvent(QResizeEvent *event)
{
  Lay_Out_Frame(event->size().width(), event->size().height());
  Render_Pixmap();
}

void TGraphWidget::paintEvent(QPaintEvent *event)
{
  QPainter painter(this);
  if (d_FitPending) {
    d_FitPending = false;
    Render_Pixmap();
    update(d_WidgetRect);
    return;
  }
  if (d_ZoomOutPending) {
    d_ZoomOutPending = false;
    Render_Pixmap_Zoomed(Zoom_Out_Rect(d_PlotRect), false);
    update(d_WidgetRect);
    return;
  }
  if (!d_Pixmap.isNull() && d_Pixmap.devicePixelRatioF() != devicePixelRatioF()) {
    Render_Pixmap_Zoomed(d_PlotRect, true);
  }
  Copy_Exposed(&painter, event->rect());
  if (d_BandVisible) {
    painter.drawRect(Ordered_Corners(d_BandRect));
  }
  if (d_ShowReadout && Plot_Has_Extent(d_PlotRect)) {
    Draw_Readout(&painter);
  }
}

// The painter of a paint event is clipped to the exposed region, so copying the region's
// bounding rectangle changes only the exposed pixels.
void TGraphWidget::Copy_Exposed(QPainter *painter, const QRect &exposed)
{
  const qreal ratio = d_Pixmap.devicePixelRatioF();
  const QRectF source(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio,
                      exposed.height() * ratio);
  painter->drawPixmap(QRectF(exposed), d_Pixmap, source);
}

// Right-aligned against the plot area's right edge, just inside its top edge.
void TGraphWidget::Draw_Readout(QPainter *painter)
{
  const QPen saved_pen = painter->pen();
  painter->setPen(QPen(Qt::lightGray));
  const QRect bounds = painter->boundingRect(QRect(), 0, d_Readout);
  painter->drawText(QPoint(d_PlotRect.right() - bounds.width(), d_PlotRect.top() + bounds.height()),
                    d_Readout);
  painter->setPen(saved_pen);
}

bool TGraphWidget::Plot_Contains(const QPoint &point) const
{
  return Plot_Has_Extent(d_PlotRect) && d_PlotRect.contains(point);
}

void TGraphWidget::mousePressEvent(QMouseEvent *event)
{
  const QPoint point = Event_Point(*event);
  if (event->button() == Qt::LeftButton) {
    Start_Band(point);
  } else if (event->button() == Qt::RightButton) {
    d_BandRect = QRect(point, point);
    d_RightDragged = false;
    d_RightArmed = true;
  }
}

void TGraphWidget::mouseMoveEvent(QMouseEvent *event)
{
  const QPoint point = Event_Point(*event);
  if (event->buttons() & Qt::LeftButton) {
    Move_Band(point);
  } else if (event->buttons() & Qt::RightButton) {
    Pan_Step(point);
  } else {
    Update_Readout(point);
  }
}

// A click without movement neither zooms nor zooms out; a drag does only its own work.
void TGraphWidget::mouseReleaseEvent(QMouseEvent *event)
{
  if (event->button() == Qt::LeftButton) {
    End_Band();
    d_LeftArmed = false;
  } else if (event->button() == Qt::RightButton) {
    if (d_RightDragged) {
      d_RightDragged = false;
    } else {
      d_ZoomOutPending = true;
      update();
    }
    d_RightArmed = false;
  }
}

// A band started outside the plot area grows from its top-left corner.
void TGraphWidget::Start_Band(const QPoint &point)
{
  const QPoint anchor = Plot_Contains(point) ? point : d_PlotRect.topLeft();
  d_BandRect = QRect(anchor, anchor);
  d_LeftArmed = true;
  d_BandDrawn = false;
}

void TGraphWidget::Move_Band(const QPoint &point)
{
  if (!d_LeftArmed) {
    return;
  }
  if (d_BandDrawn) {
    Invalidate_Band();
  } else {
    d_BandDrawn = true;
    d_BandVisible = true;
  }
  d_BandRect.setBottomRight(point);
  Invalidate_Band();
}

void TGraphWidget::End_Band()
{
  if (!d_BandDrawn) {
    return;
  }
  d_BandVisible = false;
  Invalidate_Band();
  Render_Pixmap_Zoomed(d_BandRect, false);
  update(d_WidgetRect);
  d_BandDrawn = false;
}

// Shows the data range the plot area had at the last pointer position, so the content
// follows the pointer; each step moves by the latest movement only.
void TGraphWidget::Pan_Step(const QPoint &point)
{
  if (d_RightArmed) {
    d_BandRect.setBottomRight(point);
    const QRect moved = d_PlotRect.translated(d_BandRect.left() - point.x(),
                                              d_BandRect.top() - point.y());
    Render_Pixmap_Zoomed(moved, false);
    repaint();
    d_BandRect.setTopLeft(point);
  }
  d_RightDragged = true;
}

// Outside the plot area the readout keeps its last text.
void TGraphWidget::Update_Readout(const QPoint &point)
{
  if (!Plot_Contains(point) || !d_ShowReadout) {
    return;
  }
  const TGraphMapping view = Mapping();
  d_Readout = Readout_Text(view.Data_X(point.x()), view.Data_Y(point.y()));
  repaint();
}

// The four one-pixel strips under the band's outline: its left and top edges and the
// column and row just beyond its right and bottom edges.
void TGraphWidget::Invalidate_Band()
{
  const QRect band = Ordered_Corners(d_BandRect);
  const int l = band.left();
  const int t = band.top();
  const int r = band.right();
  const int b = band.bottom();
  update(Corners(l, t, r, t));
  update(Corners(l, t, l, b));
  update(Corners(l, b + 1, r, b + 1));
  update(Corners(r + 1, t, r + 1, b));
}
