#include "core/graphwidget.h"
#include "tests/mouse_events.h"
#include "tests/failure_recorder.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

Q_DECLARE_METATYPE(Point_List)

namespace {

const QRgb LINE_COLOR = qRgb(0, 0, 200);
const QRgb BAR_COLOR = qRgb(0, 150, 0);
const QRgb MARKER_COLOR = qRgb(200, 0, 0);
const QRgb WHITE = qRgb(255, 255, 255);
const QRgb FRAME_GRAY = QColor(Qt::darkGray).rgb();
const QRgb LIGHT_GRAY = QColor(Qt::lightGray).rgb();
const double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
const double INFINITE = std::numeric_limits<double>::infinity();

std::vector<TAssertion_Failure> &failures = Recorded_Failures();

int Add_Set(TGraphWidget *graph, const QRgb color, const int style, const Point_List &points)
{
  const int set = graph->Add_Data_Set(QColor(color), style);
  for (const TVector2 &point : points) {
    graph->Add_Point(set, point);
  }
  return set;
}

// Points held outside the graph.
class TPoint_Curve : public TGraph_Curve
{
public:
  explicit TPoint_Curve(const Point_List &points) : d_points(points) {}
  std::size_t Point_Count() const override { return d_points.size(); }
  void Copy_Points(std::size_t first, std::size_t count, TVector2 *points) const override
  {
    std::copy(d_points.begin() + first, d_points.begin() + first + count, points);
  }

private:
  const Point_List &d_points;
};

std::unique_ptr<TGraphWidget> Shown_Graph(const QSize &size)
{
  std::unique_ptr<TGraphWidget> graph(new TGraphWidget);
  graph->Set_Show_Readout(false);
  graph->resize(size);
  graph->show();
  if (!QTest::qWaitForWindowExposed(graph.get())) {
    qWarning("graph window not exposed");
  }
  return graph;
}

const Point_List SQUARE_DATA{TVector2(0.0, 0.0), TVector2(10.0, 10.0)};

std::unique_ptr<TGraphWidget> Fitted_Graph(const Point_List &points = SQUARE_DATA)
{
  std::unique_ptr<TGraphWidget> graph = Shown_Graph(QSize(400, 300));
  Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, points);
  graph->Update_Graph();
  return graph;
}

QImage Grab(QWidget *widget)
{
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int Count_Color(const QImage &image, const QRect &area, const QRgb color)
{
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      count += image.pixel(x, y) == color ? 1 : 0;
    }
  }
  return count;
}

// The off-screen image is drawn through a viewport one pixel smaller than its window, so
// a logical coordinate lands at about coordinate * size / (size + 1).
int Shrunk(const int coordinate, const int size)
{
  return static_cast<int>(std::lround(static_cast<double>(coordinate) * size / (size + 1)));
}

// The plot area's inside, two pixels clear of its frame.
QRect Plot_Inside(const TGraphWidget &graph)
{
  const QRect plot = graph.Plot_Rect();
  const int width = graph.width();
  const int height = graph.height();
  return QRect(QPoint(Shrunk(plot.left(), width) + 2, Shrunk(plot.top(), height) + 2),
               QPoint(Shrunk(plot.right(), width) - 2, Shrunk(plot.bottom(), height) - 2));
}

struct TRange
{
  double Left, Right, Bottom, Top;
};

TRange Visible_Range(const TGraphMapping &mapping, const QRect &plot)
{
  return TRange{mapping.Data_X(plot.left()), mapping.Data_X(plot.right()),
                mapping.Data_Y(plot.bottom()), mapping.Data_Y(plot.top())};
}

bool Near(const double actual, const double expected, const double tolerance)
{
  return std::abs(actual - expected) <= tolerance;
}

bool Same_Mapping(const TGraphMapping &a, const TGraphMapping &b)
{
  return a.XScale == b.XScale && a.YScale == b.YScale && a.XOffset == b.XOffset
         && a.YOffset == b.YOffset;
}

QImage White_Image(const QSize &size)
{
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Collects the regions of the paint events a widget receives.
class TPaintRecorder : public QObject
{
public:
  QRegion Painted;

  bool eventFilter(QObject *, QEvent *event) override
  {
    if (event->type() == QEvent::Paint) {
      Painted += static_cast<QPaintEvent *>(event)->region();
    }
    return false;
  }
};

// The scene the widget draws for its layout, mapping and locale, built from what it tells.
TGraph_Scene Widget_Scene(const TGraphWidget &graph)
{
  const TGraph_Content content = graph.Content();
  TGraph_Scene scene;
  scene.Sets = content.Sets;
  scene.Titles = content.Titles;
  scene.DecimalPoint = content.DecimalPoint;
  scene.Layout = Frame_Layout(graph.width(), graph.height(), QFontMetrics(graph.font()).height());
  scene.Mapping = graph.Mapping();
  return scene;
}

// The scene drawn as the widget draws its image: through a viewport one pixel smaller.
QImage Scene_Image(const TGraph_Scene &scene, const QSize &shown)
{
  QImage drawn(scene.Layout.Whole.size(), QImage::Format_RGB32);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  painter.setWindow(0, 0, scene.Layout.Whole.width(), scene.Layout.Whole.height());
  painter.setViewport(0, 0, scene.Layout.Whole.right(), scene.Layout.Whole.bottom());
  Draw_Graph(&painter, scene);
  painter.end();
  return drawn.copy(QRect(QPoint(0, 0), shown));
}

TGraph_Tick_Labels Scene_Labels(const TGraph_Scene &scene)
{
  QImage image(scene.Layout.Whole.size(), QImage::Format_RGB32);
  QPainter painter(&image);
  return Tick_Labels(&painter, scene);
}

const QLocale GERMAN(QLocale::German, QLocale::Germany);
const QLocale ENGLISH(QLocale::English, QLocale::UnitedStates);

}  // namespace

class TGraphWidgetTest : public QObject
{
  Q_OBJECT

private slots:
  void init()
  {
    Start_Recording_Failures();
  }

  void cleanup() { Stop_Recording_Failures(); }

  // Before the first resize there is nothing to render into; the resize fits anyway.
  void update_before_layout_waits_for_first_resize()
  {
    TGraphWidget graph;
    Add_Set(&graph, LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    graph.Update_Graph();
    QCOMPARE(graph.Mapping().XScale, 1.0);
    graph.resize(400, 300);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    const TRange range = Visible_Range(graph.Mapping(), graph.Plot_Rect());
    QVERIFY(Near(range.Left, -0.2, 1e-9));
    QVERIFY(Near(range.Right, 10.2, 1e-9));
  }

  void new_points_show_only_after_update()
  {
    const auto graph = Shown_Graph(QSize(400, 300));
    const int set = Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    graph->Update_Graph();
    const QImage before = Grab(graph.get());
    graph->Add_Point(set, TVector2(10.0, 0.0));
    QCOMPARE(Grab(graph.get()), before);
    graph->Update_Graph();
    QVERIFY(Grab(graph.get()) != before);
  }

  void set_points_replaces_a_set_data()
  {
    QTest::addColumn<int>("set");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("first set") << 0 << true;
    QTest::newRow("second set") << 1 << true;
    QTest::newRow("no such set") << 2 << false;
  }

  // Replacing all points at once draws what adding them one by one draws.
  void set_points_replaces_a_set()
  {
    QFETCH(int, set);
    QFETCH(bool, accepted);
    const Point_List points{{0.0, 1.0}, {4.0, -2.0}, {7.0, 3.0}};
    const auto by_points = Shown_Graph(QSize(400, 300));
    const auto by_set = Shown_Graph(QSize(400, 300));
    for (TGraphWidget *graph : {by_points.get(), by_set.get()}) {
      Add_Set(graph, LINE_COLOR, STYLE_LINES, SQUARE_DATA);
      Add_Set(graph, MARKER_COLOR, STYLE_LINES, SQUARE_DATA);
    }
    if (accepted) {
      while (by_points->Point_Count(set) > 0) {
        by_points->Remove_Point(set, 0);
      }
      for (const TVector2 &point : points) {
        by_points->Add_Point(set, point);
      }
    }
    failures.clear();
    QCOMPARE(by_set->Set_Points(set, points), accepted);
    QCOMPARE(failures.empty(), accepted);
    QCOMPARE(by_set->Point_Count(set), accepted ? 3 : 0);
    by_points->Update_Graph();
    by_set->Update_Graph();
    QCOMPARE(Grab(by_set.get()), Grab(by_points.get()));
  }

  void left_drag_data()
  {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("anchor");
    QTest::newRow("down and right") << QPoint(150, 80) << QPoint(300, 200) << QPoint(150, 80);
    QTest::newRow("up and left") << QPoint(300, 200) << QPoint(150, 80) << QPoint(300, 200);
    QTest::newRow("up and right") << QPoint(150, 200) << QPoint(300, 80) << QPoint(150, 200);
    QTest::newRow("from outside the plot") << QPoint(3, 3) << QPoint(250, 180) << QPoint(-1, -1);
    QTest::newRow("click without movement") << QPoint(200, 150) << QPoint(200, 150) << QPoint();
  }

  // The data under the band fills the plot area, whichever way it was dragged; a band
  // started outside the plot area grows from its top-left corner (anchor -1, -1); a click
  // (no anchor) changes nothing.
  void left_drag()
  {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QPoint, anchor);
    const auto graph = Fitted_Graph();
    const TGraphMapping before = graph->Mapping();
    const QImage image = Grab(graph.get());
    const QRect plot = graph->Plot_Rect();
    if (from == to) {
      Drag(graph.get(), Qt::LeftButton, {from});
      graph->repaint();
      QVERIFY(Same_Mapping(graph->Mapping(), before));
      QCOMPARE(Grab(graph.get()), image);
      return;
    }
    Drag(graph.get(), Qt::LeftButton, {from, QPoint(200, 150), to});
    const QPoint first = anchor == QPoint(-1, -1) ? plot.topLeft() : anchor;
    const TRange range = Visible_Range(graph->Mapping(), plot);
    QVERIFY(Near(range.Left, before.Data_X(std::min(first.x(), to.x())), 1e-9));
    QVERIFY(Near(range.Right, before.Data_X(std::max(first.x(), to.x())), 1e-9));
    QVERIFY(Near(range.Top, before.Data_Y(std::min(first.y(), to.y())), 1e-9));
    QVERIFY(Near(range.Bottom, before.Data_Y(std::max(first.y(), to.y())), 1e-9));
  }

  // The band's outline is drawn over the image, and moving it repaints only the strips
  // under the old and the new outline.
  void band_outline_repaints_strips()
  {
    const auto graph = Fitted_Graph();
    const QRgb outline = graph->palette().color(graph->foregroundRole()).rgb();
    Send_Mouse(graph.get(), QEvent::MouseButtonPress, QPoint(150, 80), Qt::LeftButton,
               Qt::LeftButton);
    Send_Mouse(graph.get(), QEvent::MouseMove, QPoint(300, 200), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    TPaintRecorder recorder;
    graph->installEventFilter(&recorder);
    Send_Mouse(graph.get(), QEvent::MouseMove, QPoint(250, 150), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    for (const QPoint &strip : {QPoint(200, 80), QPoint(150, 180), QPoint(200, 201),
                                QPoint(301, 180), QPoint(200, 151), QPoint(251, 100)}) {
      QVERIFY(recorder.Painted.contains(strip));
    }
    QVERIFY(!recorder.Painted.contains(QPoint(200, 120)));
    QVERIFY(!recorder.Painted.contains(QPoint(280, 180)));
    const QImage image = Grab(graph.get());
    QCOMPARE(image.pixel(200, 80), outline);
    QCOMPARE(image.pixel(251, 120), outline);
    QVERIFY(image.pixel(301, 180) != outline);
  }

  void right_button_data()
  {
    QTest::addColumn<QPoint>("to");
    QTest::newRow("click zooms out") << QPoint(200, 150);
    QTest::newRow("drag pans") << QPoint(230, 170);
  }

  // A click zooms out at the next paint to twice the span about the same centre; during a
  // drag the content follows the pointer, and its release does not zoom out.
  void right_button()
  {
    QFETCH(QPoint, to);
    const auto graph = Fitted_Graph();
    const TGraphMapping before = graph->Mapping();
    const QRect plot = graph->Plot_Rect();
    const QPoint from(200, 150);
    const std::vector<QPoint> path =
      to == from ? std::vector<QPoint>{from} : std::vector<QPoint>{from, QPoint(210, 155), to};
    Drag(graph.get(), Qt::RightButton, path);
    const TGraphMapping released = graph->Mapping();
    graph->repaint();
    const TRange old_range = Visible_Range(before, plot);
    const TRange range = Visible_Range(graph->Mapping(), plot);
    if (to != from) {
      QVERIFY(Same_Mapping(graph->Mapping(), released));
      const QPoint shift = to - from;
      QVERIFY(Near(range.Left, before.Data_X(plot.left() - shift.x()), 1e-9));
      QVERIFY(Near(range.Right, before.Data_X(plot.right() - shift.x()), 1e-9));
      QVERIFY(Near(range.Top, before.Data_Y(plot.top() - shift.y()), 1e-9));
      QVERIFY(Near(range.Bottom, before.Data_Y(plot.bottom() - shift.y()), 1e-9));
      return;
    }
    QVERIFY(Same_Mapping(released, before));
    const double old_width = old_range.Right - old_range.Left;
    const double width_ratio = (range.Right - range.Left) / old_width;
    const double height_ratio = (range.Top - range.Bottom) / (old_range.Top - old_range.Bottom);
    QVERIFY(width_ratio >= 2.0 && width_ratio <= 2.0 + 1.5 / (plot.right() - plot.left()));
    QVERIFY(height_ratio >= 2.0 && height_ratio <= 2.0 + 1.5 / (plot.bottom() - plot.top()));
    const double pixel = old_width / (plot.right() - plot.left());
    QVERIFY(Near(range.Left + range.Right, old_range.Left + old_range.Right, 2 * pixel));
  }

  void zoom_out_stops_at_fifty_fitted_spans()
  {
    const auto graph = Fitted_Graph({TVector2(0.0, 1.0), TVector2(10.0, 5.0)});
    for (int i = 0; i < 10; ++i) {
      graph->ZoomOut();
      graph->repaint();
    }
    const TRange range = Visible_Range(graph->Mapping(), graph->Plot_Rect());
    QVERIFY(Near(range.Right - range.Left, 500.0, 1e-9));
    QVERIFY(Near(range.Top - range.Bottom, 50.0 * (5.0 + 5e-6), 1e-9));
  }

  // ScaleToFit returns to the fitted view at the next paint, Update_Graph at once.
  void fitted_view_returns()
  {
    const auto graph = Fitted_Graph();
    const TGraphMapping fitted = graph->Mapping();
    Drag(graph.get(), Qt::LeftButton, {QPoint(150, 80), QPoint(300, 200)});
    const TGraphMapping zoomed = graph->Mapping();
    QVERIFY(!Same_Mapping(zoomed, fitted));
    graph->ScaleToFit();
    QVERIFY(Same_Mapping(graph->Mapping(), zoomed));
    graph->repaint();
    QVERIFY(Same_Mapping(graph->Mapping(), fitted));
    Drag(graph.get(), Qt::LeftButton, {QPoint(150, 80), QPoint(300, 200)});
    graph->Update_Graph();
    QVERIFY(Same_Mapping(graph->Mapping(), fitted));
  }

  void readout_data()
  {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("outside_last");
    QTest::addColumn<QString>("text");
    QTest::newRow("plot corner") << true << false << "-0.20000,   10.20000";
    QTest::newRow("outside keeps last text") << true << true << "-0.20000,   10.20000";
    QTest::newRow("hidden readout") << false << false << "0.00000,   0.00000";
  }

  // Over the plot's top-left corner the readout shows the view's left and top bounds.
  void readout()
  {
    QFETCH(bool, shown);
    QFETCH(bool, outside_last);
    QFETCH(QString, text);
    const auto graph = Shown_Graph(QSize(400, 300));
    graph->Set_Show_Readout(shown);
    Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    graph->Update_Graph();
    Hover(graph.get(), QPoint(2, 2));
    QCOMPARE(graph->Readout(), QString("0.00000,   0.00000"));
    Hover(graph.get(), graph->Plot_Rect().topLeft());
    if (outside_last) {
      Hover(graph.get(), QPoint(graph->width() - 2, graph->height() - 2));
    }
    QCOMPARE(graph->Readout(), text);
    const QRect plot = graph->Plot_Rect();
    const QRect corner(QPoint(plot.center().x(), plot.top() + 1),
                       QPoint(plot.right() - 1, plot.top() + 30));
    QCOMPARE(Count_Color(Grab(graph.get()), corner, LIGHT_GRAY) > 0, shown);
  }

  // Lines, bars and markers in their colours on white, inside the frames.
  void styles_frames_and_background()
  {
    const auto graph = Shown_Graph(QSize(400, 300));
    Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, {TVector2(1.0, 4.0), TVector2(9.0, 4.0)});
    Add_Set(graph.get(), BAR_COLOR, STYLE_BARS, {TVector2(3.0, 2.0), TVector2(7.0, 2.0)});
    Add_Set(graph.get(), MARKER_COLOR, STYLE_MARKERS, {TVector2(5.0, 1.0)});
    Add_Set(graph.get(), qRgb(250, 0, 250), 7, {TVector2(5.0, 3.0), TVector2(6.0, 3.5)});
    graph->Update_Graph();
    const QImage image = Grab(graph.get());
    const QRect inside = Plot_Inside(*graph);
    const QRect plot = graph->Plot_Rect();
    const TGraphMapping view = graph->Mapping();
    QCOMPARE(image.pixel(inside.topLeft()), WHITE);
    QCOMPARE(image.pixel(0, 150), FRAME_GRAY);
    QCOMPARE(image.pixel(150, 0), FRAME_GRAY);
    const int plot_left = Shrunk(plot.left(), graph->width());
    QVERIFY(Count_Color(image, QRect(plot_left - 1, 150, 3, 1), FRAME_GRAY) > 0);
    const int line_length = Count_Color(image, inside, LINE_COLOR);
    QVERIFY(line_length >= (inside.width() * 8) / 10 && line_length <= inside.width());
    QCOMPARE(Count_Color(image, inside, qRgb(250, 0, 250)), 0);
    const int markers = Count_Color(image, inside, MARKER_COLOR);
    QVERIFY2(markers >= 11 && markers <= 14, qPrintable(QString::number(markers)));
    const int bar_width = (plot.width() / 4 - 1) * 2;
    const int bar_height = static_cast<int>(2.0 * -view.YScale);
    const int bars = Count_Color(image, inside, BAR_COLOR);
    QVERIFY2(std::abs(bars - 2 * bar_width * bar_height) < 4 * (bar_width + bar_height),
             qPrintable(QString("%1 of %2").arg(bars).arg(2 * bar_width * bar_height)));
    int lowest = -1;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      const QRect row(inside.left(), y, inside.width(), 1);
      lowest = Count_Color(image, row, BAR_COLOR) > 0 ? y : lowest;
    }
    const int above_zero = Shrunk(static_cast<int>(std::trunc(view.YOffset)) - 1, graph->height());
    QVERIFY(std::abs(lowest - above_zero) <= 1);
  }

  void zero_lines_data()
  {
    QTest::addColumn<bool>("zoom_away");
    QTest::newRow("in the fitted view") << false;
    QTest::newRow("zoomed away from zero") << true;
  }

  void zero_lines()
  {
    QFETCH(bool, zoom_away);
    const auto graph = Shown_Graph(QSize(400, 300));
    Add_Set(graph.get(), MARKER_COLOR, STYLE_MARKERS, {TVector2(-10.0, -5.0), TVector2(10.0, 5.0)});
    graph->Update_Graph();
    if (zoom_away) {
      const TGraphMapping view = graph->Mapping();
      Drag(graph.get(), Qt::LeftButton,
           {QPoint(static_cast<int>(view.XOffset) + 20, static_cast<int>(view.YOffset) - 60),
            QPoint(static_cast<int>(view.XOffset) + 90, static_cast<int>(view.YOffset) - 20)});
    }
    const QImage image = Grab(graph.get());
    const QRect inside = Plot_Inside(*graph);
    const int gray = Count_Color(image, inside, LIGHT_GRAY);
    if (zoom_away) {
      QCOMPARE(gray, 0);
      return;
    }
    const TGraphMapping view = graph->Mapping();
    const int column = Shrunk(static_cast<int>(view.XOffset), graph->width());
    const int row = Shrunk(static_cast<int>(view.YOffset), graph->height());
    QVERIFY(Count_Color(image, QRect(column - 1, inside.top(), 3, inside.height()), LIGHT_GRAY)
            >= inside.height() - 20);
    QVERIFY(Count_Color(image, QRect(inside.left(), row - 1, inside.width(), 3), LIGHT_GRAY)
            >= inside.width() - 20);
  }

  void outside_render_keeps_widget_data()
  {
    QTest::addColumn<bool>("compact");
    QTest::newRow("full") << false;
    QTest::newRow("compact") << true;
  }

  // Mapping, layout, titles, picture and the fitted spans that bound later zoom-outs are
  // all as they were; an identical widget without the outside render is the reference.
  void outside_render_keeps_widget()
  {
    QFETCH(bool, compact);
    const auto graph = Shown_Graph(QSize(400, 300));
    const auto reference = Shown_Graph(QSize(400, 300));
    for (TGraphWidget *widget : {graph.get(), reference.get()}) {
      widget->d_Title = "Main";
      Add_Set(widget, LINE_COLOR, STYLE_LINES, SQUARE_DATA);
      widget->Set_Equal_Scale(true);
      widget->Update_Graph();
      Drag(widget, Qt::LeftButton, {QPoint(150, 80), QPoint(300, 200)});
    }
    const TGraphMapping view = graph->Mapping();
    const QRect plot = graph->Plot_Rect();
    const QImage before = Grab(graph.get());
    QImage image = White_Image(QSize(300, 500));
    QPainter painter(&image);
    QVERIFY(compact ? graph->Render_Graph_Compact(&painter, image.rect(), false)
                    : graph->Render_Graph(&painter, image.rect(), false));
    painter.end();
    QVERIFY(Count_Color(image, image.rect(), LINE_COLOR) > 100);
    QVERIFY(Same_Mapping(graph->Mapping(), view));
    QCOMPARE(graph->Plot_Rect(), plot);
    QCOMPARE(graph->d_Title, QString("Main"));
    QCOMPARE(graph->d_HTitle, QString("H Title"));
    QCOMPARE(graph->d_VTitle, QString("V Title"));
    QCOMPARE(Grab(graph.get()), before);
    for (int i = 0; i < 10; ++i) {
      for (TGraphWidget *widget : {graph.get(), reference.get()}) {
        widget->ZoomOut();
        widget->repaint();
      }
    }
    QVERIFY(Same_Mapping(graph->Mapping(), reference->Mapping()));
    QCOMPARE(Grab(graph.get()), Grab(reference.get()));
  }

  void titles_in_outside_render_data()
  {
    QTest::addColumn<bool>("compact");
    QTest::addColumn<bool>("titles_drawn");
    QTest::newRow("full") << false << true;
    QTest::newRow("compact") << true << false;
  }

  void titles_in_outside_render()
  {
    QFETCH(bool, compact);
    QFETCH(bool, titles_drawn);
    TGraphWidget graph;
    Add_Set(&graph, LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    QImage images[2] = {White_Image(QSize(400, 300)), White_Image(QSize(400, 300))};
    for (int titled = 0; titled < 2; ++titled) {
      const QString title = titled ? "WWWW" : "";
      graph.d_Title = title;
      graph.d_HTitle = title;
      graph.d_VTitle = title;
      QPainter painter(&images[titled]);
      if (compact) {
        graph.Render_Graph_Compact(&painter, images[titled].rect(), true);
      } else {
        graph.Render_Graph(&painter, images[titled].rect(), true);
      }
    }
    QCOMPARE(images[0] != images[1], titles_drawn);
  }

  // A rectangle away from the painter's origin gets the same picture, moved there.
  void outside_render_at_offset()
  {
    TGraphWidget graph;
    Add_Set(&graph, LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    Add_Set(&graph, BAR_COLOR, STYLE_BARS, {TVector2(3.0, 4.0)});
    QImage at_origin = White_Image(QSize(300, 200));
    QImage moved = White_Image(QSize(400, 300));
    QPainter origin_painter(&at_origin);
    graph.Render_Graph(&origin_painter, QRect(0, 0, 300, 200), true);
    origin_painter.end();
    QPainter moved_painter(&moved);
    graph.Render_Graph(&moved_painter, QRect(40, 30, 300, 200), true);
    moved_painter.end();
    QCOMPARE(moved.copy(40, 30, 300, 200), at_origin);
    QCOMPARE(Count_Color(moved, QRect(0, 0, 400, 30), FRAME_GRAY), 0);
  }

  void border_switch()
  {
    TGraphWidget graph;
    for (const bool border : {false, true}) {
      QImage image = White_Image(QSize(300, 200));
      QPainter painter(&image);
      graph.Render_Graph(&painter, image.rect(), border);
      painter.end();
      QCOMPARE(image.pixel(0, 100) == FRAME_GRAY, border);
      QCOMPARE(Count_Color(image, image.rect(), FRAME_GRAY) > 0, true);
    }
  }

  void outside_render_without_painter_fails_check()
  {
    TGraphWidget graph;
    QVERIFY(!graph.Render_Graph(nullptr, QRect(0, 0, 100, 100), true));
    QVERIFY(!graph.Render_Graph_Compact(nullptr, QRect(0, 0, 100, 100), true));
    QCOMPARE(static_cast<int>(failures.size()), 2);
    QCOMPARE(QString::fromStdString(failures[0].expression), QString("Device"));
  }

  // A widget too small for a plot area shows nothing and ignores the mouse safely.
  void plot_without_extent_draws_nothing()
  {
    const auto graph = Shown_Graph(QSize(60, 40));
    graph->Set_Show_Readout(true);
    Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    graph->Update_Graph();
    QVERIFY(!Plot_Has_Extent(graph->Plot_Rect()));
    Drag(graph.get(), Qt::LeftButton, {QPoint(5, 5), QPoint(30, 20)});
    Drag(graph.get(), Qt::RightButton, {QPoint(5, 5), QPoint(30, 20)});
    Drag(graph.get(), Qt::RightButton, {QPoint(10, 10)});
    Hover(graph.get(), QPoint(20, 20));
    graph->repaint();
    const QImage image = Grab(graph.get());
    QCOMPARE(Count_Color(image, image.rect(), WHITE), image.width() * image.height());
  }

  // Points with an infinite or undefined coordinate change neither the fit nor the picture
  // of the others, and no line leads to them.
  void non_finite_points_are_left_out()
  {
    const auto with_bad = Shown_Graph(QSize(400, 300));
    const auto without = Shown_Graph(QSize(400, 300));
    Add_Set(with_bad.get(), LINE_COLOR, STYLE_LINES,
            {TVector2(0.0, 0.0), TVector2(5.0, NOT_A_NUMBER), TVector2(10.0, 10.0)});
    Add_Set(with_bad.get(), MARKER_COLOR, STYLE_MARKERS,
            {TVector2(2.0, 2.0), TVector2(INFINITE, 3.0), TVector2(8.0, 8.0),
             TVector2(-INFINITE, NOT_A_NUMBER)});
    Add_Set(without.get(), LINE_COLOR, 9, SQUARE_DATA);
    Add_Set(without.get(), MARKER_COLOR, STYLE_MARKERS, {TVector2(2.0, 2.0), TVector2(8.0, 8.0)});
    with_bad->Update_Graph();
    without->Update_Graph();
    QVERIFY(Same_Mapping(with_bad->Mapping(), without->Mapping()));
    const QImage image = Grab(with_bad.get());
    QCOMPARE(Count_Color(image, image.rect(), LINE_COLOR), 0);
    QCOMPARE(image, Grab(without.get()));
  }

  void extreme_values_data()
  {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("labels of 309 digits") << -1e307 << 1e307;
    QTest::newRow("span beyond the largest double") << -1e308 << 1e308;
    QTest::newRow("largest doubles") << -std::numeric_limits<double>::max()
                                     << std::numeric_limits<double>::max();
    QTest::newRow("coincident large positions") << 1e12 << 1e12;
  }

  // Every style renders, zooms and pans at the limits of the doubles without fault.
  void extreme_values()
  {
    QFETCH(double, low);
    QFETCH(double, high);
    const auto graph = Shown_Graph(QSize(400, 300));
    graph->Set_Show_Readout(true);
    const Point_List points{TVector2(low, low), TVector2(high, high), TVector2(low, high)};
    for (const int style : {STYLE_LINES, STYLE_BARS, STYLE_MARKERS}) {
      Add_Set(graph.get(), LINE_COLOR, style, points);
    }
    graph->Update_Graph();
    Drag(graph.get(), Qt::LeftButton, {QPoint(150, 80), QPoint(152, 82)});
    Drag(graph.get(), Qt::RightButton, {QPoint(150, 80), QPoint(250, 180)});
    Hover(graph.get(), QPoint(200, 150));
    graph->ZoomOut();
    graph->repaint();
    QImage image = White_Image(QSize(300, 200));
    QPainter painter(&image);
    QVERIFY(graph->Render_Graph(&painter, image.rect(), true));
    QVERIFY(!Grab(graph.get()).isNull());
  }

  // Deep zooms move the line's far ends millions of pixels away; the part in view stays.
  void deep_zoom_keeps_long_line()
  {
    const auto graph = Fitted_Graph({TVector2(0.0, 0.0), TVector2(1e6, 1e6)});
    const QRect plot = graph->Plot_Rect();
    for (int i = 0; i < 8; ++i) {
      const TGraphMapping view = graph->Mapping();
      const int column = plot.center().x();
      const double value = view.Data_X(column);
      const int row = static_cast<int>(value * view.YScale + view.YOffset);
      Drag(graph.get(), Qt::LeftButton, {QPoint(column - 2, row - 2), QPoint(column + 2, row + 2)});
    }
    const TGraphMapping view = graph->Mapping();
    QVERIFY(std::abs(view.XOffset) > 1e7);
    const QImage image = Grab(graph.get());
    QVERIFY(Count_Color(image, Plot_Inside(*graph), LINE_COLOR) > plot.height() / 2);
  }

  void painter_draws_what_the_widget_shows_data()
  {
    QTest::addColumn<bool>("zoomed");
    QTest::addColumn<bool>("curves");
    QTest::newRow("fitted, own points") << false << false;
    QTest::newRow("zoomed and panned, own points") << true << false;
    QTest::newRow("fitted, curves held elsewhere") << false << true;
    QTest::newRow("zoomed and panned, curves held elsewhere") << true << true;
  }

  // The widget shows nothing but what the painter draws for its layout and mapping: the
  // same pixels, in every style, whether the widget holds its points or shows curves.
  void painter_draws_what_the_widget_shows()
  {
    QFETCH(bool, zoomed);
    QFETCH(bool, curves);
    Point_List wave;
    Point_List steps;
    for (int i = 0; i <= 400; ++i) {
      wave.push_back(TVector2(i * 0.5, std::sin(i * 0.05) * 40.0 + (i % 5)));
      steps.push_back(TVector2(i * 0.5, (i / 40) * 6.0 - 20.0));
    }
    const TPoint_Curve wave_curve(wave);
    std::unique_ptr<TGraphWidget> graph = Shown_Graph(QSize(437, 311));
    graph->Set_Show_Readout(false);
    if (curves) {
      graph->Add_Curve(&wave_curve, QColor(LINE_COLOR), STYLE_LINES);
    } else {
      Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, wave);
    }
    Add_Set(graph.get(), BAR_COLOR, STYLE_BARS, Point_List(steps.begin(), steps.begin() + 30));
    Add_Set(graph.get(), MARKER_COLOR, STYLE_MARKERS, Point_List(steps.begin(), steps.end()));
    graph->Update_Graph();
    if (zoomed) {
      const QPoint centre = graph->Plot_Rect().center();
      Drag(graph.get(), Qt::LeftButton, {centre - QPoint(60, 40), centre + QPoint(70, 50)});
      Drag(graph.get(), Qt::RightButton, {centre, centre + QPoint(-23, 17)});
    }
    const QImage shown = graph->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(Scene_Image(Widget_Scene(*graph), shown.size()), shown);
  }

  void numbers_follow_the_locale_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("first_x");
    QTest::addColumn<QString>("first_y");
    QTest::addColumn<QString>("readout");
    QTest::newRow("C") << QLocale::c() << "." << "-0.200" << " 10.200"
                       << "-0.20000,   10.20000";
    QTest::newRow("English") << ENGLISH << "." << "-0.200" << " 10.200"
                             << "-0.20000,   10.20000";
    QTest::newRow("German") << GERMAN << "," << "-0,200" << " 10,200"
                            << "-0,20000;   10,20000";
  }

  // Tick labels and readout show the decimal separator of the widget's locale and no
  // group separator; the widget draws the labels of that separator, also after its locale
  // changes, and hands it on to drawings elsewhere. Under C and English nothing changes.
  void numbers_follow_the_locale()
  {
    QFETCH(QLocale, locale);
    QFETCH(QString, separator);
    QFETCH(QString, first_x);
    QFETCH(QString, first_y);
    QFETCH(QString, readout);
    const auto graph = Shown_Graph(QSize(400, 300));
    graph->setLocale(QLocale::c());
    graph->Set_Show_Readout(true);
    Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, SQUARE_DATA);
    graph->Update_Graph();
    graph->Set_Show_Readout(false);
    const QImage in_c = Grab(graph.get());
    graph->Set_Show_Readout(true);
    graph->setLocale(locale);
    QCOMPARE(graph->Content().DecimalPoint, separator);
    const TGraph_Scene scene = Widget_Scene(*graph);
    const TGraph_Tick_Labels labels = Scene_Labels(scene);
    QVERIFY(labels.X.size() > 2 && labels.Y.size() > 2);
    QCOMPARE(labels.X.front(), first_x);
    QCOMPARE(labels.Y.front(), first_y);
    for (const std::vector<QString> *axis : {&labels.X, &labels.Y}) {
      for (const QString &label : *axis) {
        QCOMPARE(label.count(separator), 1);
        QCOMPARE(label.count(QLatin1Char('.')) + label.count(QLatin1Char(',')), 1);
      }
    }
    Hover(graph.get(), graph->Plot_Rect().topLeft());
    QCOMPARE(graph->Readout(), readout);
    graph->Set_Show_Readout(false);
    const QImage shown = Grab(graph.get());
    QCOMPARE(Scene_Image(scene, shown.size()), shown);
    QCOMPARE(shown == in_c, separator == QLatin1String("."));
  }

  void round_ticks_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("zooms");
    QTest::newRow("0 to 10") << SQUARE_DATA << QLocale::c() << 0;
    QTest::newRow("crossing zero, German")
      << Point_List{TVector2(-3.0, -0.4), TVector2(7.0, 0.9)} << GERMAN << 0;
    QTest::newRow("negative") << Point_List{TVector2(-250.0, -80.0), TVector2(-50.0, -20.0)}
                              << QLocale::c() << 0;
    QTest::newRow("zoomed to the narrowest span") << SQUARE_DATA << QLocale::c() << 8;
    QTest::newRow("huge values") << Point_List{TVector2(0.0, -1e300), TVector2(10.0, 1e300)}
                                 << GERMAN << 0;
  }

  // Round ticks: on each axis the labels are multiples of one step of 1, 2 or 5 times a
  // power of ten, one step apart, with the decimals the step needs and a plain 0. The
  // widget draws what the painter draws for its scene, keeps its view, and switching
  // back gives the evenly spread ticks of before, pixel for pixel.
  void round_ticks()
  {
    QFETCH(Point_List, points);
    QFETCH(QLocale, locale);
    QFETCH(int, zooms);
    const auto graph = Shown_Graph(QSize(400, 300));
    graph->setLocale(locale);
    Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, points);
    graph->Update_Graph();
    for (int zoom = 0; zoom < zooms; ++zoom) {
      const QPoint centre = graph->Plot_Rect().center();
      Drag(graph.get(), Qt::LeftButton, {centre - QPoint(10, 8), centre + QPoint(10, 8)});
    }
    const QImage even = Grab(graph.get());
    const TGraph_Tick_Labels even_labels = Scene_Labels(Widget_Scene(*graph));
    const TGraphMapping view = graph->Mapping();
    graph->Set_Round_Ticks(true);
    QVERIFY(Same_Mapping(graph->Mapping(), view));
    TGraph_Scene scene = Widget_Scene(*graph);
    scene.RoundTicks = graph->Content().RoundTicks;
    const TGraph_Tick_Labels labels = Scene_Labels(scene);
    QVERIFY(labels.X != even_labels.X && labels.Y != even_labels.Y);
    const QString point = graph->Content().DecimalPoint;
    for (const std::vector<QString> *axis : {&labels.X, &labels.Y}) {
      QVERIFY(axis->size() >= 2);
      std::vector<double> values;
      for (const QString &label : *axis) {
        QVERIFY2(!label.startsWith("-0") || label.startsWith("-0" + point), qPrintable(label));
        QVERIFY(label != "-0");
        values.push_back(QString(label).replace(point, ".").toDouble());
      }
      const double step = values[1] - values[0];
      const double power = std::pow(10.0, std::floor(std::log10(std::abs(step)) + 1e-9));
      const double mantissa = std::abs(step) / power;
      QVERIFY2(Near(mantissa, 1.0, 1e-6) || Near(mantissa, 2.0, 1e-6) || Near(mantissa, 5.0, 1e-6),
               qPrintable(axis->front() + " " + axis->back()));
      const double round_step = std::copysign(std::round(mantissa) * power, step);
      for (std::size_t i = 0; i < values.size(); ++i) {
        const double multiple = values[i] / round_step;
        QVERIFY(Near(values[i] - values[0], round_step * static_cast<double>(i), power * 1e-6));
        QVERIFY(Near(multiple, std::round(multiple), 1e-9 * std::max(1.0, std::abs(multiple))));
        const QString &label = (*axis)[i];
        if (label == "0" || label.contains('e')) {
          continue;
        }
        const int decimals = label.contains(point) ? label.size() - label.indexOf(point) - 1 : 0;
        QCOMPARE(decimals, std::max(0, -static_cast<int>(std::lround(std::log10(power)))));
      }
    }
    const QImage round = Grab(graph.get());
    QCOMPARE(Scene_Image(scene, round.size()), round);
    QVERIFY(round != even);
    graph->Set_Round_Ticks(false);
    QCOMPARE(Grab(graph.get()), even);
  }

  void huge_values_data()
  {
    QTest::addColumn<Point_List>("points");
    const double largest = std::numeric_limits<double>::max();
    QTest::newRow("largest values")
      << Point_List{TVector2(0.0, -largest), TVector2(5.0, largest), TVector2(10.0, -largest)};
    QTest::newRow("1e308 and -1e308") << Point_List{TVector2(0.0, 1e308), TVector2(10.0, -1e308)};
    QTest::newRow("one huge, one tiny")
      << Point_List{TVector2(0.0, 1e308), TVector2(10.0, 1e-308)};
    QTest::newRow("largest positions")
      << Point_List{TVector2(-largest, 1.0), TVector2(largest, 2.0)};
  }

  // At the limit of the doubles the axes have short labels, none of them nan or inf, the
  // readout is a number, and the curve is drawn, by the widget and by the painter alone,
  // fitted, zoomed out and panned.
  void huge_values()
  {
    QFETCH(Point_List, points);
    const auto graph = Shown_Graph(QSize(400, 300));
    graph->setLocale(GERMAN);
    graph->Set_Show_Readout(true);
    Add_Set(graph.get(), LINE_COLOR, STYLE_LINES, points);
    graph->Update_Graph();
    for (int step = 0; step < 3; ++step) {
      const TGraph_Tick_Labels labels = Scene_Labels(Widget_Scene(*graph));
      QVERIFY(!labels.X.empty() && !labels.Y.empty());
      for (const std::vector<QString> *axis : {&labels.X, &labels.Y}) {
        for (const QString &label : *axis) {
          QVERIFY2(!label.contains("nan") && !label.contains("inf") && label.size() <= 12,
                   qPrintable(label));
        }
      }
      Hover(graph.get(), graph->Plot_Rect().center());
      const QString readout = graph->Readout();
      QVERIFY2(!readout.contains("nan") && !readout.contains("inf") && readout.size() < 40,
               qPrintable(readout));
      QVERIFY(Count_Color(Grab(graph.get()), Plot_Inside(*graph), LINE_COLOR) > 20);
      QImage image = White_Image(QSize(500, 400));
      QPainter painter(&image);
      Paint_Graph(&painter, image.rect(), graph->Content(), graph->View(), true, false);
      painter.end();
      QVERIFY(Count_Color(image, image.rect(), LINE_COLOR) > 20);
      if (step == 0) {
        graph->ZoomOut();
        graph->repaint();
      } else {
        const QPoint centre = graph->Plot_Rect().center();
        Drag(graph.get(), Qt::RightButton, {centre, centre + QPoint(40, 30)});
      }
    }
  }
};

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TGraphWidgetTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_graphwidget.moc"
