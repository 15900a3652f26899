#include "core/graphwidget.h"

#include "core/numberformat.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <QSizePolicy>
#include <QtMath>

#include <cmath>

namespace {

const double DEFAULT_MINIMUM_Y_EXTENT = 5e-5;

// The coordinates apart by a comma, or by a semicolon where the comma is the decimal
// separator.
QString Readout_Text(const TVector2 &point, const QString &decimal_point)
{
  const QLatin1String gap(decimal_point == QLatin1String(",") ? ";   " : ",   ");
  return Coordinate_Text(point.x, decimal_point) + gap + Coordinate_Text(point.y, decimal_point);
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

TGraphWidget::TGraphWidget(QWidget *parent, const Qt::WindowFlags flags)
  : QWidget(parent, flags)
{
  d_Layout.FontHeight = QFontMetrics(font()).height();
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
  d_Caches.emplace_back();
  return static_cast<int>(d_DataSets.size()) - 1;
}

int TGraphWidget::Add_Curve(const TGraph_Curve *curve, const QColor &color, const int style)
{
  const int index = Add_Data_Set(color, style);
  d_DataSets[index].Curve = curve;
  return index;
}

// Indices are checked against the upper bound as callers expect; a negative one is a
// programming error too and must not reach the vector.
bool TGraphWidget::Is_Set_Index(const int Set) const
{
  return ASSERT(Set < static_cast<int>(d_DataSets.size())) && ASSERT(Set >= 0);
}

bool TGraphWidget::Is_Point_Index(const int Set, const int Offset) const
{
  if (!Is_Set_Index(Set)) {
    return false;
  }
  if (d_DataSets[Set].Curve) {
    return ASSERT(Offset < Point_Count(Set)) && ASSERT(Offset >= 0);
  }
  return ASSERT(Offset < static_cast<int>(d_DataSets[Set].Points.size())) && ASSERT(Offset >= 0);
}

// A set that shows a curve held elsewhere cannot change it.
bool TGraphWidget::Is_Own_Set(const int Set) const
{
  return Is_Set_Index(Set) && !d_DataSets[Set].Curve;
}

bool TGraphWidget::Add_Point(const int Set, const TVector2 &point)
{
  if (!Is_Own_Set(Set)) {
    return false;
  }
  d_DataSets[Set].Points.push_back(point);
  d_Caches[Set].Invalidate();
  return true;
}

bool TGraphWidget::Set_Points(const int Set, const Point_List &points)
{
  if (!Is_Own_Set(Set)) {
    return false;
  }
  d_DataSets[Set].Points = points;
  d_Caches[Set].Invalidate();
  return true;
}

int TGraphWidget::Point_Count(const int Set) const
{
  if (!Is_Set_Index(Set)) {
    return 0;
  }
  return static_cast<int>(Set_Point_Count(d_DataSets[Set]));
}

TVector2 TGraphWidget::Get_Point(const int Set, const int Offset) const
{
  if (!Is_Point_Index(Set, Offset)) {
    return TVector2();
  }
  const TGraphDataSet &set = d_DataSets[Set];
  if (!set.Curve) {
    return set.Points[Offset];
  }
  TVector2 point;
  set.Curve->Copy_Points(static_cast<std::size_t>(Offset), 1, &point);
  return point;
}

bool TGraphWidget::Set_Point(const int Set, const int Offset, const TVector2 &point)
{
  if (!Is_Point_Index(Set, Offset) || !Is_Own_Set(Set)) {
    return false;
  }
  d_DataSets[Set].Points[Offset] = point;
  d_Caches[Set].Invalidate();
  return true;
}

bool TGraphWidget::Remove_Point(const int Set, const int Offset)
{
  if (!Is_Point_Index(Set, Offset) || !Is_Own_Set(Set)) {
    return false;
  }
  Point_List &points = d_DataSets[Set].Points;
  points.erase(points.begin() + Offset);
  d_Caches[Set].Invalidate();
  return true;
}

bool TGraphWidget::Remove_Data_Set(const int Offset)
{
  if (!ASSERT(Offset < static_cast<int>(d_DataSets.size())) || !ASSERT(Offset >= 0)) {
    return false;
  }
  d_DataSets.erase(d_DataSets.begin() + Offset);
  d_Caches.erase(d_Caches.begin() + Offset);
  return true;
}

void TGraphWidget::Clear_Data_Sets()
{
  d_DataSets.clear();
  d_Caches.clear();
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

// Points may have changed anywhere without word: everything is read anew.
void TGraphWidget::Update_Graph()
{
  Invalidate_Caches();
  if (d_Layout.Whole.isEmpty()) {
    return;
  }
  d_RefreshPending = false;
  Render_Pixmap();
  update();
}

void TGraphWidget::Points_Changed(const int Set, const std::size_t first, const std::size_t last)
{
  if (Is_Set_Index(Set)) {
    d_Caches[Set].Invalidate(first, last);
  }
}

void TGraphWidget::Points_Changed(const int Set)
{
  if (Is_Set_Index(Set)) {
    d_Caches[Set].Invalidate();
  }
}

void TGraphWidget::Refresh_Graph()
{
  d_RefreshPending = true;
  update();
}

void TGraphWidget::Invalidate_Caches()
{
  for (TGraph_Set_Cache &cache : d_Caches) {
    cache.Invalidate();
  }
}

bool TGraphWidget::Render_Graph(QPainter *Device, const QRect &rect, const bool border)
{
  if (!ASSERT(Device)) {
    return false;
  }
  Render_Outside(Device, rect, border, false, TGraph_View());
  return true;
}

bool TGraphWidget::Render_Graph_Compact(QPainter *Device, const QRect &rect, const bool border)
{
  if (!ASSERT(Device)) {
    return false;
  }
  Render_Outside(Device, rect, border, true, TGraph_View());
  return true;
}

bool TGraphWidget::Render_Graph_View(QPainter *Device, const QRect &rect, const bool border)
{
  if (!ASSERT(Device)) {
    return false;
  }
  Render_Outside(Device, rect, border, false, View());
  return true;
}

TGraphMapping TGraphWidget::Mapping() const
{
  return d_Mapping;
}

QRect TGraphWidget::Plot_Rect() const
{
  return d_Layout.Plot;
}

QString TGraphWidget::Readout() const
{
  return Readout_Text(d_ReadoutPoint, Decimal_Point(locale()));
}

TGraph_Content TGraphWidget::Content() const
{
  TGraph_Content content;
  content.Sets = &d_DataSets;
  content.Titles = TGraph_Titles{d_Title, d_HTitle, d_VTitle};
  content.MinYExtent = d_MinYExtent;
  content.EqualScale = d_EqualScale;
  content.ColumnRuns = d_ColumnRuns;
  content.DecimalPoint = Decimal_Point(locale());
  return content;
}

// The data range under the plot area; a fit or zoom-out that waits for the next paint is
// applied as that paint will.
TGraph_View TGraphWidget::View() const
{
  TGraph_View view;
  view.Fitted = d_FitPending || d_RefreshPending || !Plot_Has_Extent(d_Layout.Plot);
  view.Mapping = d_Mapping;
  view.Plot = d_ZoomOutPending ? Zoom_Out_Rect(d_Layout.Plot) : d_Layout.Plot;
  view.XFitSpan = d_XFitSpan;
  view.YFitSpan = d_YFitSpan;
  return view;
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

void TGraphWidget::Fit_Scale()
{
  TGraph_Bounds bounds;
  for (std::size_t set = 0; set < d_DataSets.size(); ++set) {
    bounds.Include(d_Caches[set].Bounds(d_DataSets[set]));
  }
  const TGraphFit fit = Fit_Bounds(bounds, d_Layout.Plot, d_MinYExtent, d_EqualScale);
  d_Mapping = fit.Mapping;
  d_XFitSpan = fit.XSpan;
  d_YFitSpan = fit.YSpan;
}

void TGraphWidget::Zoom_To_Rect(const QRect &rect)
{
  d_Mapping = Zoom_Mapping(d_Mapping, rect, d_Layout.Plot, d_XFitSpan, d_YFitSpan);
}

// The line points of every set are brought up to date for the mapping drawn.
TGraph_Scene TGraphWidget::Scene()
{
  d_LinePoints.assign(d_DataSets.size(), nullptr);
  for (std::size_t set = 0; set < d_DataSets.size(); ++set) {
    const int style = d_DataSets[set].Style;
    if (d_ColumnRuns && (style == STYLE_LINES || style == STYLE_DEFAULT)) {
      d_LinePoints[set] = &d_Caches[set].Line_Points(d_DataSets[set], d_Mapping);
    }
  }
  TGraph_Scene scene;
  scene.Sets = &d_DataSets;
  scene.Line_Points = &d_LinePoints;
  scene.Layout = d_Layout;
  scene.Mapping = d_Mapping;
  scene.Titles = TGraph_Titles{d_Title, d_HTitle, d_VTitle};
  scene.ColumnRuns = d_ColumnRuns;
  scene.DecimalPoint = Decimal_Point(locale());
  return scene;
}

// An image one pixel wider and higher than the widget, at the screen's pixel density.
void TGraphWidget::Replace_Pixmap()
{
  const qreal ratio = devicePixelRatioF();
  d_Pixmap = QPixmap(qCeil(d_Layout.Whole.width() * ratio), qCeil(d_Layout.Whole.height() * ratio));
  d_Pixmap.setDevicePixelRatio(ratio);
}

// The painter's window is the whole image, its viewport the widget's width and height.
void TGraphWidget::Set_Pixmap_Viewport(QPainter *painter) const
{
  painter->setWindow(0, 0, d_Layout.Whole.width(), d_Layout.Whole.height());
  painter->setViewport(0, 0, d_Layout.Whole.right(), d_Layout.Whole.bottom());
}

// A plot area without extent has no mapping, so nothing is drawn at all.
void TGraphWidget::Render_Pixmap()
{
  if (d_Layout.Whole.isEmpty()) {
    return;
  }
  Replace_Pixmap();
  d_Pixmap.fill(Qt::white);
  QPainter painter(&d_Pixmap);
  Set_Pixmap_Viewport(&painter);
  if (!Plot_Has_Extent(d_Layout.Plot)) {
    return;
  }
  Fit_Scale();
  Draw_Graph(&painter, Scene());
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
  if (!Plot_Has_Extent(d_Layout.Plot)) {
    return;
  }
  Zoom_To_Rect(rect);
  Draw_Graph(&painter, Scene());
}

void TGraphWidget::Render_Outside(QPainter *Device, const QRect &rect, const bool border,
                                  const bool compact, const TGraph_View &view)
{
  Paint_Graph(Device, rect, Content(), view, border, compact);
}

// Labels and readout take the decimal separator of the new locale; the view stays.
void TGraphWidget::changeEvent(QEvent *event)
{
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LocaleChange && !d_Pixmap.isNull()) {
    Render_Pixmap_Zoomed(d_Layout.Plot, false);
    update();
  }
}

// A new size always returns to the fitted view.
void TGraphWidget::resizeEvent(QResizeEvent *event)
{
  d_Layout = Frame_Layout(event->size().width(), event->size().height(), d_Layout.FontHeight);
  Render_Pixmap();
}

void TGraphWidget::paintEvent(QPaintEvent *event)
{
  QPainter painter(this);
  if (d_FitPending) {
    d_FitPending = false;
    Render_Pixmap();
    update(d_Layout.Whole);
    return;
  }
  if (d_ZoomOutPending) {
    d_ZoomOutPending = false;
    Render_Pixmap_Zoomed(Zoom_Out_Rect(d_Layout.Plot), false);
    update(d_Layout.Whole);
    return;
  }
  if (d_RefreshPending) {
    d_RefreshPending = false;
    Render_Pixmap();
  }
  if (!d_Pixmap.isNull() && d_Pixmap.devicePixelRatioF() != devicePixelRatioF()) {
    Render_Pixmap_Zoomed(d_Layout.Plot, true);
  }
  Copy_Exposed(&painter, event->rect());
  if (d_BandVisible) {
    painter.drawRect(Ordered_Corners(d_BandRect));
  }
  if (d_ShowReadout && Plot_Has_Extent(d_Layout.Plot)) {
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
  const QString readout = Readout();
  const QRect bounds = painter->boundingRect(QRect(), 0, readout);
  painter->drawText(QPoint(d_Layout.Plot.right() - bounds.width(), d_Layout.Plot.top() + bounds.height()),
                    readout);
  painter->setPen(saved_pen);
}

bool TGraphWidget::Plot_Contains(const QPoint &point) const
{
  return Plot_Has_Extent(d_Layout.Plot) && d_Layout.Plot.contains(point);
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
  const QPoint anchor = Plot_Contains(point) ? point : d_Layout.Plot.topLeft();
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
  update(d_Layout.Whole);
  d_BandDrawn = false;
}

// Shows the data range the plot area had at the last pointer position, so the content
// follows the pointer; each step moves by the latest movement only.
void TGraphWidget::Pan_Step(const QPoint &point)
{
  if (d_RightArmed) {
    d_BandRect.setBottomRight(point);
    const QRect moved = d_Layout.Plot.translated(d_BandRect.left() - point.x(),
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
  d_ReadoutPoint = TVector2(view.Data_X(point.x()), view.Data_Y(point.y()));
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
