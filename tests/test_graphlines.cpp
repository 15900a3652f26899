#include "core/graphcache.h"
#include "core/graphwidget.h"
#include "tests/mouse_events.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

Q_DECLARE_METATYPE(Point_List)

namespace {

const double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

Point_List Random_Walk(const int count, const unsigned seed)
{
  std::mt19937 generator(seed);
  std::normal_distribution<double> step(0.0, 1.0);
  Point_List points;
  double value = 0.0;
  for (int i = 0; i < count; ++i) {
    value += step(generator);
    points.push_back(TVector2(i, value));
  }
  return points;
}

// Slowly varying values: many consecutive points share one pixel.
Point_List Smooth(const int count)
{
  Point_List points;
  for (int i = 0; i < count; ++i) {
    const double x = i * 0.001;
    points.push_back(TVector2(x, std::sin(x) + 0.2 * std::sin(7.0 * x)));
  }
  return points;
}

// Fifty points at each position, jumping up and down, some repeated.
Point_List Sawtooth_In_Columns(const int count, const unsigned seed)
{
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> value(-20, 20);
  Point_List points;
  for (int i = 0; i < count; ++i) {
    const bool repeat = value(generator) > 12 && !points.empty();
    points.push_back(TVector2(i / 50, repeat ? points.back().y : value(generator)));
  }
  return points;
}

Point_List Descending(const int count, const unsigned seed)
{
  Point_List points = Random_Walk(count, seed);
  for (TVector2 &point : points) {
    point.x = -point.x * 0.37;
  }
  return points;
}

Point_List Scattered(const int count, const unsigned seed)
{
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> value(-100.0, 100.0);
  Point_List points;
  for (int i = 0; i < count; ++i) {
    points.push_back(TVector2(value(generator), value(generator)));
  }
  return points;
}

Point_List With_Gaps(const int count, const unsigned seed)
{
  Point_List points = Random_Walk(count, seed);
  for (std::size_t i = 0; i < points.size(); i += 97) {
    points[i].y = NOT_A_NUMBER;
  }
  for (std::size_t i = 50; i < points.size(); i += 211) {
    points[i].x = std::numeric_limits<double>::infinity();
  }
  return points;
}

// Points held outside the graph, which changes them in place.
class TCurve_Of : public TGraph_Curve
{
public:
  explicit TCurve_Of(const Point_List *points) : d_points(points) {}
  std::size_t Point_Count() const override { return d_points->size(); }
  void Copy_Points(std::size_t first, std::size_t count, TVector2 *points) const override
  {
    std::copy(d_points->begin() + first, d_points->begin() + first + count, points);
  }

private:
  const Point_List *d_points;
};

void Fill(TGraphWidget *graph, const Point_List &points)
{
  const int first = graph->Add_Data_Set(QColor(0, 0, 164), STYLE_LINES);
  const int second = graph->Add_Data_Set(QColor(164, 0, 0), STYLE_DEFAULT);
  const int translucent = graph->Add_Data_Set(QColor(0, 160, 0, 120), STYLE_LINES);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TVector2 &point = points[i];
    graph->Add_Point(first, point);
    graph->Add_Point(second, TVector2(point.x, point.y * 0.5 + 3.0));
    if (i % 3 == 0) {
      graph->Add_Point(translucent, TVector2(point.x, -point.y));
    }
  }
}

// A band zoom onto the middle of the plot, then a pan, so most points lie outside it.
void Zoom_And_Pan(TGraphWidget *graph)
{
  const QPoint centre = graph->Plot_Rect().center();
  Drag(graph, Qt::LeftButton, {centre - QPoint(30, 25), centre + QPoint(30, 25)});
  Drag(graph, Qt::RightButton, {centre, centre + QPoint(37, -11)});
}

QImage Outside_Render(TGraphWidget *graph, const QSize &size, const qreal ratio,
                      const QPoint &offset)
{
  QImage image(QSize(qCeil((size.width() + offset.x()) * ratio),
                     qCeil((size.height() + offset.y()) * ratio)),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  graph->Render_Graph(&painter, QRect(offset, size), true);
  return image;
}

}  // namespace

class TGraphLinesTest : public QObject
{
  Q_OBJECT

private slots:
  void runs_keep_pixels_data()
  {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("keeps");
    QTest::newRow("opaque, cosmetic") << "" << true;
    QTest::newRow("scaled") << "scale" << true;
    QTest::newRow("translucent colour") << "translucent" << false;
    QTest::newRow("antialiased") << "antialias" << false;
    QTest::newRow("half opacity") << "opacity" << false;
    QTest::newRow("xor composition") << "xor" << false;
    QTest::newRow("rotated") << "rotate" << false;
    QTest::newRow("scaled pen") << "scaled pen" << false;
  }

  // The runs are taken where the image comparisons below prove them exact, and only there.
  void runs_keep_pixels()
  {
    QFETCH(QString, change);
    QFETCH(bool, keeps);
    QPixmap pixmap(50, 50);
    QPainter painter(&pixmap);
    QPen pen(QColor(0, 0, 164), 1.0);
    pen.setCosmetic(change != "scaled pen");
    painter.setPen(pen);
    QColor color(0, 0, 164);
    if (change == "scale") {
      painter.setWindow(0, 0, 51, 51);
    } else if (change == "translucent") {
      color.setAlpha(254);
    } else if (change == "antialias") {
      painter.setRenderHint(QPainter::Antialiasing);
    } else if (change == "opacity") {
      painter.setOpacity(0.5);
    } else if (change == "xor") {
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    } else if (change == "rotate") {
      painter.rotate(10.0);
    }
    QCOMPARE(Column_Runs_Keep_Pixels(&painter, color), keeps);
  }

  void same_pixels_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("zoomed");
    const QSize usual(400, 300);
    const QSize odd(517, 333);
    QTest::newRow("random walk") << Random_Walk(20000, 1) << usual << false;
    QTest::newRow("random walk, odd size") << Random_Walk(20000, 2) << odd << false;
    QTest::newRow("random walk, zoomed and panned") << Random_Walk(20000, 3) << usual << true;
    QTest::newRow("smooth, repeated pixels") << Smooth(30000) << usual << false;
    QTest::newRow("smooth, odd size") << Smooth(30000) << odd << false;
    QTest::newRow("sawtooth in columns") << Sawtooth_In_Columns(20000, 4) << usual << false;
    QTest::newRow("sawtooth, zoomed and panned") << Sawtooth_In_Columns(20000, 5) << odd << true;
    QTest::newRow("descending positions") << Descending(20000, 6) << odd << false;
    QTest::newRow("scattered order") << Scattered(3000, 7) << usual << false;
    QTest::newRow("gaps of undefined points") << With_Gaps(20000, 8) << usual << false;
  }

  // Runs and single segments give identical pictures on screen and in outside images of
  // several pixel densities, also away from the painter's origin.
  void same_pixels()
  {
    QFETCH(Point_List, points);
    QFETCH(QSize, size);
    QFETCH(bool, zoomed);
    TGraphWidget graph;
    graph.Set_Show_Readout(false);
    Fill(&graph, points);
    graph.resize(size);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QImage pictures[2];
    for (int runs = 0; runs < 2; ++runs) {
      graph.Set_Column_Runs(runs == 1);
      graph.Update_Graph();
      if (zoomed) {
        Zoom_And_Pan(&graph);
      }
      pictures[runs] = graph.grab().toImage();
    }
    QCOMPARE(pictures[1], pictures[0]);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
      for (const QPoint &offset : {QPoint(0, 0), QPoint(13, 7)}) {
        graph.Set_Column_Runs(false);
        const QImage plain = Outside_Render(&graph, size, ratio, offset);
        graph.Set_Column_Runs(true);
        const QImage runs = Outside_Render(&graph, size, ratio, offset);
        QVERIFY2(runs == plain, qPrintable(QString("ratio %1, offset %2").arg(ratio).arg(
                                             offset.x())));
      }
    }
  }

  void changes_redraw_as_a_fresh_drawing_data()
  {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<double>("value");
    // NaN as the value: the changed points take the value of the point before them, so
    // their columns narrow while the graph's bounds stay.
    QTest::newRow("one point in the middle") << 9001 << 9001 << NOT_A_NUMBER;
    QTest::newRow("a run of points") << 3000 << 3400 << NOT_A_NUMBER;
    QTest::newRow("the first points") << 1 << 40 << NOT_A_NUMBER;
    QTest::newRow("the last points") << 19900 << 19999 << NOT_A_NUMBER;
    QTest::newRow("beyond the bounds: a new fit") << 7000 << 7010 << 900.0;
    QTest::newRow("undefined points break the line") << 500 << 520 << -NOT_A_NUMBER;
    QTest::newRow("infinite values") << 12000 << 12003 << std::numeric_limits<double>::infinity();
  }

  // A graph told which points of a curve changed reads only those again, and draws what
  // a graph drawing all points anew draws; the points going back to their values, the
  // runs they split or narrowed come back too.
  void changes_redraw_as_a_fresh_drawing()
  {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(double, value);
    Point_List points = Random_Walk(20000, 11);
    const Point_List original = points;
    const TCurve_Of curve(&points);
    TGraphWidget graph;
    graph.Set_Show_Readout(false);
    graph.Add_Curve(&curve, QColor(0, 0, 164), STYLE_LINES);
    graph.resize(431, 287);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    graph.Update_Graph();
    const bool flatten = std::isnan(value) && !std::signbit(value);
    for (int round = 0; round < 2; ++round) {
      for (int i = first; i <= last; ++i) {
        const std::size_t row = static_cast<std::size_t>(i);
        points[row].y = round == 1 ? original[row].y
                                   : (flatten ? original[static_cast<std::size_t>(first - 1)].y
                                              : value);
      }
      graph.Points_Changed(0, static_cast<std::size_t>(first), static_cast<std::size_t>(last));
      graph.Refresh_Graph();
      const QImage refreshed = graph.grab().toImage();
      graph.Update_Graph();
      QCOMPARE(refreshed, graph.grab().toImage());
    }
  }

  void kept_points_draw_every_point_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("shrunk");
    QTest::addColumn<bool>("far_off");
    const QList<QPair<QString, Point_List>> sets = {
      {"random walk", Random_Walk(30000, 21)},
      {"smooth", Smooth(40000)},
      {"sawtooth", Sawtooth_In_Columns(30000, 22)},
      {"descending", Descending(30000, 23)},
      {"gaps", With_Gaps(30000, 24)}};
    for (const auto &set : sets) {
      for (const double ratio : {1.0, 1.5, 2.0, 3.0}) {
        for (const bool shrunk : {false, true}) {
          QTest::newRow(qPrintable(QString("%1, ratio %2%3")
                                     .arg(set.first)
                                     .arg(ratio)
                                     .arg(shrunk ? ", window one pixel larger" : "")))
            << set.second << ratio << shrunk << false;
        }
      }
    }
    // Points some 1e300 pixels off the plot, beyond any whole number a pixel is found in.
    for (const double ratio : {1.0, 2.0}) {
      QTest::newRow(qPrintable(QString("points far off the plot, ratio %1").arg(ratio)))
        << Random_Walk(30000, 25) << ratio << false << true;
    }
  }

  // The few points the graph keeps of a line draw in column runs exactly what every point
  // draws segment by segment, at any pixel density and through the slightly shrinking
  // viewport the widget draws its image with.
  void kept_points_draw_every_point()
  {
    QFETCH(Point_List, points);
    QFETCH(double, ratio);
    QFETCH(bool, shrunk);
    QFETCH(bool, far_off);
    const QSize size(523, 341);
    std::vector<TGraphDataSet> sets(1);
    sets[0].Points = points;
    sets[0].Color = QColor(0, 0, 164);
    TGraph_Scene scene;
    scene.Sets = &sets;
    scene.Layout = Full_Layout(size.width(), size.height(), 14);
    scene.Mapping = Fit_Mapping(sets, scene.Layout.Plot, 5e-6, false).Mapping;
    for (std::size_t i = 0; far_off && i < sets[0].Points.size(); i += 101) {
      sets[0].Points[i].y = (i % 2 ? 1.0 : -1.0) * 1.0e300;
      sets[0].Points[i + 1].y = sets[0].Points[i].y;
    }
    TGraph_Set_Cache cache;
    const std::vector<const Point_List *> kept{&cache.Line_Points(sets[0], scene.Mapping)};
    QVERIFY(kept[0]->size() < points.size() / 2);
    QImage pictures[2];
    for (int reduced = 0; reduced < 2; ++reduced) {
      QImage image(QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)),
                   QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      image.fill(Qt::white);
      QPainter painter(&image);
      if (shrunk) {
        painter.setWindow(0, 0, size.width() + 1, size.height() + 1);
        painter.setViewport(0, 0, size.width(), size.height());
      }
      scene.ColumnRuns = reduced == 1;
      scene.Line_Points = reduced == 1 ? &kept : nullptr;
      Draw_Graph(&painter, scene);
      painter.end();
      pictures[reduced] = image;
    }
    QCOMPARE(pictures[1], pictures[0]);
  }
};

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TGraphLinesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_graphlines.moc"
