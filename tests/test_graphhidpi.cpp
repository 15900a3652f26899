#include "core/graphwidget.h"
#include "tests/mouse_events.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

const int RATIO = 2;

void Fill(TGraphWidget *graph)
{
  const int set = graph->Add_Data_Set(QColor(0, 0, 164), STYLE_LINES);
  for (int i = 0; i < 20000; ++i) {
    graph->Add_Point(set, TVector2(i, std::sin(i * 0.01) * 50.0 + (i % 7) - 3.0));
  }
}

// True when some aligned square of RATIO by RATIO device pixels holds different colours,
// which an image drawn at one device pixel per logical pixel and scaled up cannot show.
bool Has_Detail_Below_Logical_Pixel(const QImage &image)
{
  for (int y = 0; y + RATIO <= image.height(); y += RATIO) {
    for (int x = 0; x + RATIO <= image.width(); x += RATIO) {
      const QRgb corner = image.pixel(x, y);
      for (int dy = 0; dy < RATIO; ++dy) {
        for (int dx = 0; dx < RATIO; ++dx) {
          if (image.pixel(x + dx, y + dy) != corner) {
            return true;
          }
        }
      }
    }
  }
  return false;
}

}  // namespace

class TGraphHighDensityTest : public QObject
{
  Q_OBJECT

private slots:
  // The image keeps the widget's logical size but has a device pixel for each screen pixel.
  void image_at_screen_density()
  {
    TGraphWidget graph;
    graph.Set_Show_Readout(false);
    Fill(&graph);
    graph.resize(300, 200);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QCOMPARE(graph.devicePixelRatioF(), static_cast<qreal>(RATIO));
    const QImage image = graph.grab().toImage();
    QCOMPARE(image.size(), QSize(300 * RATIO, 200 * RATIO));
    QVERIFY(Has_Detail_Below_Logical_Pixel(image));
    QCOMPARE(image.pixel(0, 200), QColor(Qt::darkGray).rgb());
    QCOMPARE(image.pixel(20, 20), qRgb(255, 255, 255));
  }

  void runs_keep_pixels_data()
  {
    QTest::addColumn<bool>("zoomed");
    QTest::newRow("fitted") << false;
    QTest::newRow("zoomed and panned") << true;
  }

  void runs_keep_pixels()
  {
    QFETCH(bool, zoomed);
    TGraphWidget graph;
    graph.Set_Show_Readout(false);
    Fill(&graph);
    graph.resize(457, 311);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QImage pictures[2];
    for (int runs = 0; runs < 2; ++runs) {
      graph.Set_Column_Runs(runs == 1);
      graph.Update_Graph();
      if (zoomed) {
        const QPoint centre = graph.Plot_Rect().center();
        Drag(&graph, Qt::LeftButton, {centre, centre + QPoint(80, 60)});
        Drag(&graph, Qt::RightButton, {centre, centre + QPoint(-41, 17)});
      }
      pictures[runs] = graph.grab().toImage();
    }
    QCOMPARE(pictures[1], pictures[0]);
  }

  // At two device pixels per logical pixel a handle covers at least seven device pixels,
  // sits where the pointer finds it, and a drag measures the pointer's logical movement.
  void handles_at_screen_density()
  {
    TGraphWidget graph;
    graph.Set_Show_Readout(false);
    Fill(&graph);
    graph.Set_Handles({TVector2(5000.0, 20.0), TVector2(12000.0, -30.0)});
    graph.resize(300, 200);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    const QPoint at = graph.Handle_Position(1).toPoint();
    const QImage image = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int run = 0;
    for (int x = at.x() * RATIO - 12; x <= at.x() * RATIO + 12; ++x) {
      run = image.pixel(x, at.y() * RATIO) == HANDLE_COLOR ? run + 1 : run;
    }
    QVERIFY2(run >= 7, qPrintable(QString::number(run)));
    QSignalSpy dragged(&graph, &TGraphWidget::Handles_Dragged);
    Drag(&graph, Qt::LeftButton, {at + QPoint(1, 1), at + QPoint(1, -29)});
    QCOMPARE(dragged.count(), 1);
    QCOMPARE(graph.Handles().Selected(), std::vector<int>{1});
    const TGraphMapping mapping = graph.Screen_Mapping();
    const double moved = dragged.first().at(0).toDouble() * mapping.YScale;
    QVERIFY2(std::fabs(moved + 30.0) < 1e-9, qPrintable(QString::number(moved)));
  }
};

int main(int argc, char *argv[])
{
  qputenv("QT_SCALE_FACTOR", QByteArray::number(RATIO));
  QApplication application(argc, argv);
  TGraphHighDensityTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_graphhidpi.moc"
