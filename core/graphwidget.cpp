#include "core/graphwidget.h"

#include "core/numberformat.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QSizePolicy>
#include <QTimer>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

const double DEFAULT_MINIMUM_Y_EXTENT = 5e-5;
// A press on a handle becomes a drag once the pointer has moved this many pixels, so that
// a click does not move it.
const int HANDLE_DRAG_DISTANCE = 3;
// Shift makes a drag this many times finer.
const double FINE_DRAG_FACTOR = 0.1;
// The right button held still this long opens the menu.
const int DEFAULT_MENU_DELAY_MS = 500;

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

// The image's window is the widget's size and its viewport one pixel smaller: a length on
// screen is this share of the same length in the image's coordinates.
double Viewport_Shrink(const int size)
{
  return size > 1 ? static_cast<double>(size - 1) / size : 1.0;
}

}  // namespace

TGraphWidget::TGraphWidget(QWidget *parent, const Qt::WindowFlags flags)
  : QWidget(parent, flags)
{
  d_Layout.FontHeight = QFontMetrics(font()).height();
  setMouseTracking(true);
  setSizePolicy(QSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding,
                            QSizePolicy::DefaultType));
  // The menu's keys reach the graph only while it has the focus.
  setFocusPolicy(Qt::StrongFocus);
  d_HoldTimer = new QTimer(this);
  d_HoldTimer->setSingleShot(true);
  d_HoldTimer->setInterval(DEFAULT_MENU_DELAY_MS);
  connect(d_HoldTimer, &QTimer::timeout, this, &TGraphWidget::Open_Held_Menu);
  Build_Menu();
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

// The view stays as it is; only the ticks change.
void TGraphWidget::Set_Round_Ticks(const bool on)
{
  if (on == d_RoundTicks) {
    return;
  }
  d_RoundTicks = on;
  {
    const QSignalBlocker blocker(d_RoundTicksSwitch);
    d_RoundTicksSwitch->setChecked(on);
  }
  if (!d_Layout.Whole.isEmpty()) {
    Draw_Kept_View();
    update();
  }
  emit Round_Ticks_Changed(on);
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

// A refresh waits for the paint, but what the user does next happens in the graph it
// brings, so it comes first then.
void TGraphWidget::Apply_Pending_Refresh()
{
  if (!d_RefreshPending) {
    return;
  }
  d_RefreshPending = false;
  if (d_RefreshFits || d_Pixmap.isNull() || !Plot_Has_Extent(d_Layout.Plot)) {
    Render_Pixmap();
  } else {
    Draw_Kept_View();
  }
}

void TGraphWidget::Refresh_Graph(const bool fit)
{
  d_RefreshFits = fit || (d_RefreshPending && d_RefreshFits);
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

// Over a handle, the handle's text; elsewhere, the point under the pointer.
QString TGraphWidget::Readout() const
{
  if (d_ReadoutHandle >= 0 && d_ReadoutHandle < d_Handles.Count()) {
    return Handle_Text(d_ReadoutHandle);
  }
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
  content.RoundTicks = d_RoundTicks;
  return content;
}

// The data range under the plot area; a fit or zoom-out that waits for the next paint is
// applied as that paint will.
TGraph_View TGraphWidget::View() const
{
  TGraph_View view;
  view.Fitted = d_FitPending || (d_RefreshPending && d_RefreshFits)
                || !Plot_Has_Extent(d_Layout.Plot);
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
  scene.RoundTicks = d_RoundTicks;
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
  Apply_Pending_Refresh();
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
  if (!d_Pixmap.isNull() && d_Pixmap.devicePixelRatioF() != devicePixelRatioF()) {
    Render_Pixmap_Zoomed(d_Layout.Plot, true);
  }
  Copy_Exposed(&painter, event->rect());
  Paint_Handles(&painter);
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
  Apply_Pending_Refresh();
  const QPoint point = Event_Point(*event);
  if (event->button() == Qt::LeftButton && Press_Handle(*event)) {
    return;
  }
  if (event->button() == Qt::LeftButton) {
    Start_Band(point);
    d_BandSelects = (event->modifiers() & Qt::ShiftModifier) != 0;
  } else if (event->button() == Qt::RightButton) {
    d_BandRect = QRect(point, point);
    d_RightDragged = false;
    d_RightArmed = true;
    d_MenuHeld = false;
    d_HoldTimer->start();
  }
}

void TGraphWidget::mouseMoveEvent(QMouseEvent *event)
{
  Apply_Pending_Refresh();
  const QPoint point = Event_Point(*event);
  if ((event->buttons() & Qt::LeftButton) && d_HandleArmed) {
    Drag_Handles(*event);
  } else if (event->buttons() & Qt::LeftButton) {
    Move_Band(point);
  } else if (event->buttons() & Qt::RightButton) {
    d_HoldTimer->stop();
    Pan_Step(point);
  } else if (!Hover_Handle(point)) {
    Update_Readout(point);
  }
}

// A click without movement neither zooms nor zooms out; a drag does only its own work.
void TGraphWidget::mouseReleaseEvent(QMouseEvent *event)
{
  if (event->button() == Qt::LeftButton && d_GrabbedHandle >= 0) {
    Release_Handles();
  } else if (event->button() == Qt::LeftButton) {
    if (d_BandSelects) {
      End_Band_Selection();
    } else {
      End_Band();
    }
    d_LeftArmed = false;
  } else if (event->button() == Qt::RightButton) {
    d_HoldTimer->stop();
    if (d_RightDragged || d_MenuHeld) {
      d_RightDragged = false;
      d_MenuHeld = false;
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

void TGraphWidget::Set_Handles(const Point_List &points)
{
  const bool same_count = points.size() == d_Handles.Points().size();
  d_Handles.Set_Points(points);
  if (!same_count) {
    d_GrabbedHandle = -1;
    d_HandleArmed = false;
    d_HandleDragging = false;
    d_ReadoutHandle = -1;
  }
  update();
}

void TGraphWidget::Select_Handles(const std::vector<int> &indices, const int current)
{
  d_Handles.Select(indices, current);
  update();
}

void TGraphWidget::Set_Handle_Readout(std::function<QString(int)> text)
{
  d_HandleReadout = std::move(text);
}

QPointF TGraphWidget::Handle_Position(const int index) const
{
  if (!ASSERT(index >= 0) || !ASSERT(index < d_Handles.Count())) {
    return QPointF();
  }
  return Pixel_Of(Screen_Mapping(), d_Handles.Points()[static_cast<std::size_t>(index)]);
}

TGraphMapping TGraphWidget::Screen_Mapping() const
{
  TGraphMapping mapping = d_Mapping;
  const double x_shrink = Viewport_Shrink(d_Layout.Whole.width());
  const double y_shrink = Viewport_Shrink(d_Layout.Whole.height());
  mapping.XScale *= x_shrink;
  mapping.XOffset *= x_shrink;
  mapping.YScale *= y_shrink;
  mapping.YOffset *= y_shrink;
  return mapping;
}

// Points may have changed anywhere without word: everything is read anew, the view kept.
void TGraphWidget::Redraw_Graph()
{
  Invalidate_Caches();
  Draw_Kept_View();
  update();
}

// Draws at the mapping shown; with nothing shown yet, fitted.
void TGraphWidget::Draw_Kept_View()
{
  if (d_Pixmap.isNull() || d_FitPending || !Plot_Has_Extent(d_Layout.Plot)) {
    Render_Pixmap();
    return;
  }
  d_Pixmap.fill(Qt::white);
  QPainter painter(&d_Pixmap);
  Set_Pixmap_Viewport(&painter);
  Draw_Graph(&painter, Scene());
}

// The plot area as drawn on screen, shrunk as the image is.
QRect TGraphWidget::Screen_Plot() const
{
  const double x_shrink = Viewport_Shrink(d_Layout.Whole.width());
  const double y_shrink = Viewport_Shrink(d_Layout.Whole.height());
  const QRect &plot = d_Layout.Plot;
  return QRect(QPoint(static_cast<int>(std::lround(plot.left() * x_shrink)),
                      static_cast<int>(std::lround(plot.top() * y_shrink))),
               QPoint(static_cast<int>(std::lround(plot.right() * x_shrink)),
                      static_cast<int>(std::lround(plot.bottom() * y_shrink))));
}

int TGraphWidget::Handle_At(const QPoint &point) const
{
  if (d_Handles.Count() == 0 || !Plot_Has_Extent(d_Layout.Plot)) {
    return -1;
  }
  return Nearest_Handle(d_Handles.Points(), Screen_Mapping(), Screen_Plot(), QPointF(point),
                        HANDLE_GRAB_RADIUS);
}

// A plain press selects the handle alone unless it is already selected, so that all the
// selected handles move together; Ctrl adds or removes it. Only a selected handle drags.
bool TGraphWidget::Press_Handle(const QMouseEvent &event)
{
  const QPoint point = Event_Point(event);
  const int index = Handle_At(point);
  if (index < 0) {
    return false;
  }
  d_ClickSelectsOnly = false;
  if (event.modifiers() & Qt::ControlModifier) {
    d_Handles.Toggle(index);
  } else if (!d_Handles.Is_Selected(index)) {
    d_Handles.Select_Only(index);
  } else {
    d_Handles.Set_Current(index);
    d_ClickSelectsOnly = d_Handles.Selected_Count() > 1;
  }
  d_GrabbedHandle = index;
  d_ReadoutHandle = index;
  d_HandleArmed = d_Handles.Is_Selected(index);
  d_HandleDragging = false;
  d_PressPoint = point;
  d_DragLastY = point.y();
  d_DragDelta = 0.0;
  setCursor(Qt::SizeVerCursor);
  update();
  emit Handles_Selected();
  return true;
}

// Each movement adds its own share, so pressing or releasing Shift midway changes only
// what follows.
void TGraphWidget::Drag_Handles(const QMouseEvent &event)
{
  const QPoint point = Event_Point(event);
  const TGraphMapping mapping = Screen_Mapping();
  const double factor = (event.modifiers() & Qt::ShiftModifier) ? FINE_DRAG_FACTOR : 1.0;
  d_DragDelta += (mapping.Data_Y(point.y()) - mapping.Data_Y(d_DragLastY)) * factor;
  d_DragLastY = point.y();
  if (!d_HandleDragging) {
    if ((point - d_PressPoint).manhattanLength() < HANDLE_DRAG_DISTANCE) {
      return;
    }
    d_HandleDragging = true;
    d_ClickSelectsOnly = false;
    emit Handle_Drag_Started();
  }
  emit Handles_Dragged(d_DragDelta);
}

void TGraphWidget::Release_Handles()
{
  const int grabbed = d_GrabbedHandle;
  const bool dragging = d_HandleDragging;
  d_GrabbedHandle = -1;
  d_HandleArmed = false;
  d_HandleDragging = false;
  if (dragging) {
    emit Handle_Drag_Finished();
  } else if (d_ClickSelectsOnly) {
    d_Handles.Select_Only(grabbed);
    update();
    emit Handles_Selected();
  }
}

// The button may still be held: the rest of the gesture does nothing.
void TGraphWidget::Cancel_Handle_Drag()
{
  const bool dragging = d_HandleDragging;
  d_GrabbedHandle = -1;
  d_HandleArmed = false;
  d_HandleDragging = false;
  if (dragging) {
    emit Handle_Drag_Cancelled();
  }
}

void TGraphWidget::keyPressEvent(QKeyEvent *event)
{
  Apply_Pending_Refresh();
  if (event->key() == Qt::Key_Escape && d_GrabbedHandle >= 0) {
    Cancel_Handle_Drag();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TGraphWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
  Apply_Pending_Refresh();
  const int index = event->button() == Qt::LeftButton ? Handle_At(Event_Point(*event)) : -1;
  if (index < 0) {
    QWidget::mouseDoubleClickEvent(event);
    return;
  }
  d_Handles.Select_Only(index);
  update();
  emit Handles_Selected();
  emit Handle_Activated(index);
}

// Like a zoom band, but the handles inside it become the selection and the view stays.
void TGraphWidget::End_Band_Selection()
{
  d_BandSelects = false;
  if (!d_BandDrawn) {
    return;
  }
  d_BandVisible = false;
  d_BandDrawn = false;
  const std::vector<int> inside =
    Handles_In_Band(d_Handles.Points(), Screen_Mapping(), Screen_Plot(), d_BandRect);
  d_Handles.Select(inside, inside.empty() ? -1 : inside.front());
  update();
  emit Handles_Selected();
}

// Over a handle the pointer offers a vertical move and the readout describes the handle.
bool TGraphWidget::Hover_Handle(const QPoint &point)
{
  const int index = Handle_At(point);
  d_ReadoutHandle = index;
  if (index < 0) {
    unsetCursor();
    return false;
  }
  setCursor(Qt::SizeVerCursor);
  if (d_ShowReadout) {
    repaint();
  }
  return true;
}

QString TGraphWidget::Handle_Text(const int index) const
{
  if (d_HandleReadout) {
    return d_HandleReadout(index);
  }
  return Readout_Text(d_Handles.Points()[static_cast<std::size_t>(index)],
                      Decimal_Point(locale()));
}

// On the image, not in it, so that selecting or moving handles redraws no curve.
void TGraphWidget::Paint_Handles(QPainter *painter)
{
  if (d_Handles.Count() > 0 && Plot_Has_Extent(d_Layout.Plot)) {
    Draw_Handles(painter, d_Handles, Screen_Mapping(), Screen_Plot());
  }
}

void TGraphWidget::Set_Menu_Delay(const int milliseconds)
{
  d_HoldTimer->setInterval(std::max(milliseconds, 0));
}

void TGraphWidget::Set_Image_Actions(QAction *copy, QAction *save)
{
  Replace_Menu_Action(&d_CopyImage, copy);
  Replace_Menu_Action(&d_ExportImage, save);
}

// At the size shown, as the exports draw it, at the screen's pixel density.
void TGraphWidget::Copy_Image()
{
  const qreal ratio = devicePixelRatioF();
  QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    return;
  }
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  Render_Graph_View(&painter, rect(), true);
  painter.end();
  QGuiApplication::clipboard()->setImage(image);
}

// The graph exports no files itself: Export Image... stays out of the menu until a window
// gives its own command for it.
void TGraphWidget::Build_Menu()
{
  d_Menu = new QMenu(this);
  d_Menu->setObjectName(QStringLiteral("graph_menu"));
  Add_Menu_Action(tr("Fit to Data"), "fit_to_data_action", &TGraphWidget::ScaleToFit);
  Add_Menu_Action(tr("Zoom Out"), "zoom_out_action", &TGraphWidget::ZoomOut);
  d_CopyImage = Add_Menu_Action(tr("Copy Image"), "copy_image_action", &TGraphWidget::Copy_Image);
  d_ExportImage = Add_Menu_Action(tr("Export Image..."), "export_image_action", nullptr);
  d_ExportImage->setVisible(false);
  d_Menu->addSeparator();
  d_RoundTicksSwitch = Add_Menu_Action(tr("Round Tick Numbers"), "round_ticks_action", nullptr);
  d_RoundTicksSwitch->setCheckable(true);
  connect(d_RoundTicksSwitch, &QAction::toggled, this, &TGraphWidget::Set_Round_Ticks);
  auto *opener = new QAction(tr("Graph Menu"), this);
  opener->setObjectName(QStringLiteral("graph_menu_action"));
  opener->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(QStringLiteral("Shift+F10"))});
  opener->setShortcutContext(Qt::WidgetShortcut);
  connect(opener, &QAction::triggered, this, [this] { Open_Menu(Keyboard_Menu_Point()); });
  addAction(opener);
}

QAction *TGraphWidget::Add_Menu_Action(const QString &text, const char *name,
                                       void (TGraphWidget::*slot)())
{
  auto *action = new QAction(text, this);
  action->setObjectName(QLatin1String(name));
  if (slot) {
    connect(action, &QAction::triggered, this, slot);
  }
  d_Menu->addAction(action);
  return action;
}

void TGraphWidget::Replace_Menu_Action(QAction **entry, QAction *action)
{
  if (!action || action == *entry) {
    return;
  }
  d_Menu->insertAction(*entry, action);
  d_Menu->removeAction(*entry);
  *entry = action;
}

// Where the pointer is over the plot area, as a context menu key opens menus; otherwise
// at the plot area's centre.
QPoint TGraphWidget::Keyboard_Menu_Point() const
{
  const QPoint pointer = mapFromGlobal(QCursor::pos());
  return Plot_Contains(pointer) ? pointer : d_Layout.Plot.center();
}

void TGraphWidget::Open_Menu(const QPoint &point)
{
  if (!d_Menu->isVisible()) {
    d_Menu->popup(mapToGlobal(point));
  }
}

// Only a press that neither moved nor was released opens the menu.
void TGraphWidget::Open_Held_Menu()
{
  if (!d_RightArmed || d_RightDragged) {
    return;
  }
  d_RightArmed = false;
  d_MenuHeld = true;
  Open_Menu(d_BandRect.topLeft());
}

// A window system follows a right press with a context menu event, and some the Menu key
// as well. The press is the graph's own gesture, so that event opens nothing, not even a
// menu of the windows around the graph; the key's opens the menu where the keys do, and
// one asked for in any other way where it says.
void TGraphWidget::contextMenuEvent(QContextMenuEvent *event)
{
  event->accept();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    Open_Menu(Keyboard_Menu_Point());
  } else if (event->reason() == QContextMenuEvent::Other) {
    Open_Menu(event->pos());
  }
}
