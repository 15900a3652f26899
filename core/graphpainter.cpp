#include "core/graphpainter.h"

#include "core/graphticks.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

// Pixel coordinates beyond this lie far outside any plot area; lines reaching further are
// cut at it, so that no coordinate handed to the painter overflows its arithmetic.
const double PIXEL_LIMIT = 1.0e6;
const int MARKER_REACH = 3;
const int TITLE_POINT_SIZE = 12;
const int AXIS_TITLE_POINT_SIZE = 10;
const QFont::Weight TITLE_WEIGHT = QFont::Bold;
// Round ticks beside the plot area lie at least this many lines apart.
const int ROUND_Y_SPACING_LINES = 2;

bool Is_Finite_Point(const TVector2 &point)
{
  return std::isfinite(point.x) && std::isfinite(point.y);
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

// Where a segment from a point within the limit toward one beyond it reaches the limit,
// measured from the point within: measured from the far end, the fraction of the way
// would round away the near end's position, and the line would stop pixels off it.
QPointF Limit_Crossing(const QPointF &inside, const QPointF &outside)
{
  const double limit = PIXEL_LIMIT * 0.5;
  const QPointF start = inside * 0.5;
  const QPointF delta = outside * 0.5 - start;
  double fraction = 1.0;
  for (const auto &[position, step] : {std::pair(start.x(), delta.x()),
                                       std::pair(start.y(), delta.y())}) {
    if (step > 0.0) {
      fraction = std::min(fraction, (limit - position) / step);
    } else if (step < 0.0) {
      fraction = std::min(fraction, (-limit - position) / step);
    }
  }
  return (start + delta * fraction) * 2.0;
}

void Draw_Segment(QPainter *painter, const QPointF &from, const QPointF &to)
{
  if (!Is_Finite_Pixel(from) || !Is_Finite_Pixel(to)) {
    return;
  }
  const bool from_within = Within_Pixel_Limit(from);
  const bool to_within = Within_Pixel_Limit(to);
  QPointF start = from;
  QPointF end = to;
  if (from_within && !to_within) {
    end = Limit_Crossing(from, to);
  } else if (!from_within && to_within) {
    start = Limit_Crossing(to, from);
  } else if (!from_within && !Clip_To_Pixel_Limit(&start, &end)) {
    return;
  }
  painter->drawLine(QLineF(start, end));
}

// A line from each point to the next, one segment at a time.
void Draw_Segments(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping)
{
  bool first = true;
  QPointF previous;
  Visit_Points(set, [&](const TVector2 &point) {
    const QPointF current = Pixel_Point(point, mapping);
    if (!first) {
      Draw_Segment(painter, previous, current);
    }
    previous = current;
    first = false;
  });
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
void Draw_Column_Runs(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping)
{
  TColumnRun run(painter);
  bool first = true;
  QPointF previous;
  Visit_Points(set, [&](const TVector2 &point) {
    const QPointF current = Pixel_Point(point, mapping);
    if (first) {
      first = false;
    } else if (Is_Column_Step(previous, current)) {
      run.Add(previous, current);
    } else {
      run.Flush();
      Draw_Segment(painter, previous, current);
    }
    previous = current;
  });
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
void Draw_Column_Spans(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping)
{
  TColumnSpan span;
  bool active = false;
  Visit_Points(set, [&](const TVector2 &point) {
    const QPointF pixel = Pixel_Point(point, mapping);
    if (active && Is_Finite_Pixel(pixel) && pixel.x() == span.x) {
      span.top = std::min(span.top, pixel.y());
      span.bottom = std::max(span.bottom, pixel.y());
      span.last = pixel.y();
      return;
    }
    if (active) {
      Draw_Segment(painter, QPointF(span.x, span.top), QPointF(span.x, span.bottom));
      Draw_Segment(painter, QPointF(span.x, span.last), pixel);
    }
    active = Is_Finite_Pixel(pixel);
    span.x = pixel.x();
    span.top = span.bottom = span.last = pixel.y();
  });
  if (active) {
    Draw_Segment(painter, QPointF(span.x, span.top), QPointF(span.x, span.bottom));
  }
}

void Draw_Lines(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping,
                const bool column_runs, const Point_List *line_points)
{
  const bool runs = column_runs
                    && (Is_Vector_File(painter) || Column_Runs_Keep_Pixels(painter, set.Color));
  if (runs && line_points) {
    TGraphDataSet reduced;
    reduced.Points = *line_points;
    reduced.Color = set.Color;
    Draw_Lines(painter, reduced, mapping, column_runs, nullptr);
    return;
  }
  if (column_runs && Is_Vector_File(painter)) {
    Draw_Column_Spans(painter, set, mapping);
  } else if (column_runs && Column_Runs_Keep_Pixels(painter, set.Color)) {
    Draw_Column_Runs(painter, set, mapping);
  } else {
    Draw_Segments(painter, set, mapping);
  }
}

// One bar per point, from its row to the row just above y = 0, half as wide as the
// plot's share of one point.
void Draw_Bars(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping,
               const QRect &plot)
{
  const long long count = static_cast<long long>(Set_Point_Count(set));
  const long long share = (plot.right() - plot.left() + 1) / (2 * count);
  const int half_width = share >= 2 ? static_cast<int>(share - 1) : 1;
  const int above_zero = Bounded_Pixel(std::trunc(mapping.YOffset)) - 1;
  Visit_Points(set, [&](const TVector2 &point) {
    if (!Is_Finite_Point(point)) {
      return;
    }
    const QPointF pixel = Pixel_Point(point, mapping);
    const int column = Bounded_Pixel(pixel.x());
    const QRect bar(QPoint(column - half_width, Bounded_Pixel(pixel.y())),
                    QPoint(column + half_width - 1, above_zero));
    painter->fillRect(Ordered_Corners(bar), set.Color);
  });
}

void Draw_Markers(QPainter *painter, const TGraphDataSet &set, const TGraphMapping &mapping)
{
  Visit_Points(set, [&](const TVector2 &point) {
    if (!Is_Finite_Point(point)) {
      return;
    }
    const QPointF pixel = Pixel_Point(point, mapping);
    const int x = Bounded_Pixel(pixel.x());
    const int y = Bounded_Pixel(pixel.y());
    painter->drawLine(x - MARKER_REACH, y - MARKER_REACH, x + MARKER_REACH, y + MARKER_REACH);
    painter->drawLine(x - MARKER_REACH, y + MARKER_REACH, x + MARKER_REACH, y - MARKER_REACH);
  });
}

// The ticks of one axis, in the order of their pixels, and their labels.
struct TAxis_Ticks
{
  std::vector<int> Pixels;
  std::vector<QString> Labels;
};

// The digits and separator of the tick labels, the size of their widest sample text and
// the ticks of both axes.
struct TLabels
{
  TLabelDigits XDigits;
  TLabelDigits YDigits;
  QString DecimalPoint;
  QSize XSample;
  QSize YSample;
  TAxis_Ticks XTicks;
  TAxis_Ticks YTicks;
};

std::vector<int> X_Tick_Positions(const TGraph_Scene &scene, const TLabels &labels)
{
  const QRect &plot = scene.Layout.Plot;
  return Tick_Positions(plot.left(), plot.right(), labels.XSample.width());
}

std::vector<int> Y_Tick_Positions(const TGraph_Scene &scene)
{
  const QRect &plot = scene.Layout.Plot;
  return Tick_Positions(plot.top(), plot.bottom(), scene.Layout.FontHeight);
}

QString X_Label(const TGraph_Scene &scene, const TLabels &labels, const int x)
{
  return Tick_Label(labels.XDigits, scene.Mapping.Data_X(x), labels.DecimalPoint);
}

QString Y_Label(const TGraph_Scene &scene, const TLabels &labels, const int y)
{
  return Tick_Label(labels.YDigits, scene.Mapping.Data_Y(y), labels.DecimalPoint);
}

// Evenly over the plot area, one per label sample width below it and one per line beside it.
TAxis_Ticks Even_X_Ticks(const TGraph_Scene &scene, const TLabels &labels)
{
  TAxis_Ticks ticks;
  ticks.Pixels = X_Tick_Positions(scene, labels);
  for (const int x : ticks.Pixels) {
    ticks.Labels.push_back(X_Label(scene, labels, x));
  }
  return ticks;
}

TAxis_Ticks Even_Y_Ticks(const TGraph_Scene &scene, const TLabels &labels)
{
  TAxis_Ticks ticks;
  ticks.Pixels = Y_Tick_Positions(scene);
  for (const int y : ticks.Pixels) {
    ticks.Labels.push_back(Y_Label(scene, labels, y));
  }
  return ticks;
}

// At round numbers, with a line's height between neighbouring labels below the plot area.
TAxis_Ticks Round_X_Ticks(QPainter *painter, const TGraph_Scene &scene)
{
  const QRect &plot = scene.Layout.Plot;
  const TTick_Axis axis{plot.left(), plot.right(), scene.Mapping.XScale, scene.Mapping.XOffset};
  const auto width = [painter](const QString &text) { return Text_Size(painter, text).width(); };
  TRound_Ticks round = Round_Ticks_Apart(axis, scene.Layout.FontHeight, width, scene.DecimalPoint);
  return TAxis_Ticks{std::move(round.Pixels), std::move(round.Labels)};
}

// At round numbers, with a free line between the labels beside the plot area.
TAxis_Ticks Round_Y_Ticks(const TGraph_Scene &scene)
{
  const QRect &plot = scene.Layout.Plot;
  const TTick_Axis axis{plot.top(), plot.bottom(), scene.Mapping.YScale, scene.Mapping.YOffset};
  TRound_Ticks round =
    Round_Ticks(axis, ROUND_Y_SPACING_LINES * scene.Layout.FontHeight, scene.DecimalPoint);
  return TAxis_Ticks{std::move(round.Pixels), std::move(round.Labels)};
}

TLabels Prepare_Labels(QPainter *painter, const TGraph_Scene &scene)
{
  const TGraphMapping &view = scene.Mapping;
  const QRect &plot = scene.Layout.Plot;
  const double left = view.Data_X(plot.left());
  const double right = view.Data_X(plot.right());
  const double top = view.Data_Y(plot.top());
  const double bottom = view.Data_Y(plot.bottom());
  TLabels labels;
  labels.XDigits = Label_Digits(std::max(std::abs(left), std::abs(right)),
                                std::max(Finite_Span(left, right), 1.0));
  labels.YDigits = Label_Digits(std::max(std::abs(top), std::abs(bottom)),
                                std::max(Finite_Span(bottom, top), 1.0));
  labels.DecimalPoint = scene.DecimalPoint;
  labels.XSample = Text_Size(painter, Tick_Sample(labels.XDigits, labels.DecimalPoint));
  labels.YSample = Text_Size(painter, Tick_Sample(labels.YDigits, labels.DecimalPoint));
  labels.XTicks = scene.RoundTicks ? Round_X_Ticks(painter, scene) : Even_X_Ticks(scene, labels);
  labels.YTicks = scene.RoundTicks ? Round_Y_Ticks(scene) : Even_Y_Ticks(scene, labels);
  return labels;
}

// How far left of its tick a label starts: padded labels by half their sample's width,
// round ones by half their own.
int Label_Lead(QPainter *painter, const TGraph_Scene &scene, const TLabels &labels,
               const QString &label)
{
  return (scene.RoundTicks ? Text_Size(painter, label).width() : labels.XSample.width()) / 2;
}

// Ticks below the plot area, each with its value centred under it.
void Draw_X_Ticks(QPainter *painter, const TGraph_Scene &scene, const TLabels &labels,
                  const int line_height)
{
  const int height = labels.XSample.height();
  const int bottom = scene.Layout.Plot.bottom();
  const int baseline = scene.Layout.XLabel.top() + line_height + height - height / 2;
  const TAxis_Ticks &ticks = labels.XTicks;
  for (std::size_t i = 0; i < ticks.Pixels.size(); ++i) {
    const int x = ticks.Pixels[i];
    painter->setPen(Line_Pen(painter, Qt::lightGray));
    painter->drawLine(x, bottom, x, bottom + line_height / 3);
    painter->setPen(Line_Pen(painter, Qt::black));
    painter->drawText(QPoint(x - Label_Lead(painter, scene, labels, ticks.Labels[i]), baseline),
                      ticks.Labels[i]);
  }
}

// The left edge of a value that ends at the label column's right edge: padded labels
// start where their sample would, round ones where their own text does.
int Label_Left(QPainter *painter, const TGraph_Scene &scene, const TLabels &labels,
               const QString &label)
{
  const int width = scene.RoundTicks ? Text_Size(painter, label).width() : labels.YSample.width();
  return scene.Layout.YLabel.right() - width;
}

// Ticks left of the plot area, each value ending at the label column's right edge and
// centred on its tick.
void Draw_Y_Ticks(QPainter *painter, const TGraph_Scene &scene, const TLabels &labels,
                  const int line_height)
{
  const int left = scene.Layout.Plot.left();
  const TAxis_Ticks &ticks = labels.YTicks;
  for (std::size_t i = 0; i < ticks.Pixels.size(); ++i) {
    const int y = ticks.Pixels[i];
    painter->setPen(Line_Pen(painter, Qt::lightGray));
    painter->drawLine(left - line_height / 2, y, left, y);
    painter->setPen(Line_Pen(painter, Qt::black));
    painter->drawText(QPoint(Label_Left(painter, scene, labels, ticks.Labels[i]),
                             y + labels.YSample.height() / 2 - 1),
                      ticks.Labels[i]);
  }
}

// Only strictly inside the plot area, so that a zero line never covers the frame.
void Draw_Zero_Lines(QPainter *painter, const TGraph_Scene &scene)
{
  const QRect &plot = scene.Layout.Plot;
  const double zero_column = std::trunc(scene.Mapping.XOffset);
  const double zero_row = std::trunc(scene.Mapping.YOffset);
  painter->setPen(Line_Pen(painter, Qt::lightGray));
  if (plot.left() < zero_column && zero_column < plot.right()) {
    const int x = static_cast<int>(zero_column);
    painter->drawLine(x, plot.top(), x, plot.bottom());
  }
  if (plot.top() < zero_row && zero_row < plot.bottom()) {
    const int y = static_cast<int>(zero_row);
    painter->drawLine(plot.left(), y, plot.right(), y);
  }
}

void Draw_Frames(QPainter *painter, const TGraph_Scene &scene)
{
  const QRect &whole = scene.Layout.Whole;
  const QBrush saved_brush = painter->brush();
  painter->setBrush(Qt::NoBrush);
  painter->setPen(Line_Pen(painter, Qt::darkGray));
  if (scene.Border) {
    painter->drawRect(Corners(0, 0, whole.right() - whole.left() - 1,
                              whole.bottom() - whole.top() - 1));
  }
  painter->drawRect(scene.Layout.Plot);
  painter->setBrush(saved_brush);
}

// Reads from bottom to top, centred on the title column's centre.
void Draw_Vertical_Title(QPainter *painter, const TGraph_Scene &scene)
{
  const QRect &column = scene.Layout.VTitle;
  const QString &title = scene.Titles.VTitle;
  const QRect bounds = painter->boundingRect(QRect(), Qt::AlignLeft, title);
  const int width = bounds.right() < bounds.left() ? 1 : bounds.right() - bounds.left() + 1;
  const QTransform saved_transform = painter->transform();
  painter->translate((column.left() + column.right()) / 2, (column.top() + column.bottom()) / 2);
  painter->rotate(-90.0);
  painter->drawText(QPoint(-(width / 2), 0), title);
  painter->setTransform(saved_transform);
}

void Draw_Titles(QPainter *painter, const TGraph_Scene &scene)
{
  QFont title_font;
  title_font.setPointSize(TITLE_POINT_SIZE);
  title_font.setWeight(TITLE_WEIGHT);
  painter->setFont(title_font);
  painter->drawText(scene.Layout.Title, Qt::AlignCenter, scene.Titles.Title);
  title_font.setPointSize(AXIS_TITLE_POINT_SIZE);
  painter->setFont(title_font);
  painter->drawText(scene.Layout.HTitle, Qt::AlignCenter, scene.Titles.HTitle);
  Draw_Vertical_Title(painter, scene);
}

void Draw_Axes(QPainter *painter, const TGraph_Scene &scene, const TLabels &labels)
{
  const QPen saved_pen = painter->pen();
  const QFont saved_font = painter->font();
  const int line_height = painter->fontMetrics().height();
  Draw_X_Ticks(painter, scene, labels, line_height);
  Draw_Y_Ticks(painter, scene, labels, line_height);
  Draw_Zero_Lines(painter, scene);
  Draw_Frames(painter, scene);
  painter->setPen(saved_pen);
  Draw_Titles(painter, scene);
  painter->setFont(saved_font);
}

// Later sets are drawn over earlier ones, all of them clipped to the plot area.
void Draw_Data_Sets(QPainter *painter, const TGraph_Scene &scene)
{
  if (!scene.Sets || scene.Sets->empty()) {
    return;
  }
  const TGraphMapping &view = scene.Mapping;
  const QRect &plot = scene.Layout.Plot;
  painter->save();
  painter->setClipRect(plot, Qt::ReplaceClip);
  for (std::size_t index = 0; index < scene.Sets->size(); ++index) {
    const TGraphDataSet &set = (*scene.Sets)[index];
    if (Set_Point_Count(set) == 0) {
      continue;
    }
    const Point_List *line_points =
      scene.Line_Points && index < scene.Line_Points->size() ? (*scene.Line_Points)[index] : nullptr;
    painter->setPen(Line_Pen(painter, set.Color));
    switch (set.Style) {
      case STYLE_DEFAULT:
      case STYLE_LINES: Draw_Lines(painter, set, view, scene.ColumnRuns, line_points); break;
      case STYLE_BARS: Draw_Bars(painter, set, view, plot); break;
      case STYLE_MARKERS: Draw_Markers(painter, set, view); break;
      default: break;
    }
  }
  painter->restore();
}

// The mapping of a drawing laid out as `layout` that shows the view.
TGraphMapping View_Mapping(const TGraph_Content &content, const TGraph_View &view,
                           const QRect &plot)
{
  if (view.Fitted || !Plot_Has_Extent(view.Plot) || !content.Sets) {
    return Fit_Mapping(content.Sets ? *content.Sets : std::vector<TGraphDataSet>(), plot,
                       content.MinYExtent, content.EqualScale)
      .Mapping;
  }
  return Zoom_Mapping(view.Mapping, view.Plot, plot, view.XFitSpan, view.YFitSpan);
}

}  // namespace

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

void Draw_Graph(QPainter *painter, const TGraph_Scene &scene)
{
  const TLabels labels = Prepare_Labels(painter, scene);
  Draw_Axes(painter, scene, labels);
  Draw_Data_Sets(painter, scene);
}

TGraph_Tick_Labels Tick_Labels(QPainter *painter, const TGraph_Scene &scene)
{
  TLabels labels = Prepare_Labels(painter, scene);
  return TGraph_Tick_Labels{std::move(labels.XTicks.Labels), std::move(labels.YTicks.Labels)};
}

// The layouts are computed for a rectangle at the origin; the painter is moved to the
// rectangle's corner, so any rectangle is honoured as a whole. The painter's own state is
// restored afterwards as well.
void Paint_Graph(QPainter *painter, const QRect &rect, const TGraph_Content &content,
                 const TGraph_View &view, const bool border, const bool compact)
{
  const int font_height = painter->fontMetrics().height();
  TGraph_Scene scene;
  scene.Sets = content.Sets;
  scene.Border = border;
  scene.ColumnRuns = content.ColumnRuns;
  scene.DecimalPoint = content.DecimalPoint;
  scene.RoundTicks = content.RoundTicks;
  if (compact) {
    scene.Layout = Compact_Layout(rect.width(), rect.height(), font_height);
  } else {
    scene.Layout = Full_Layout(rect.width(), rect.height(), font_height);
    scene.Titles = content.Titles;
  }
  if (!Plot_Has_Extent(scene.Layout.Plot)) {
    return;
  }
  scene.Mapping = View_Mapping(content, view, scene.Layout.Plot);
  painter->save();
  painter->translate(rect.topLeft());
  Draw_Graph(painter, scene);
  painter->restore();
}
