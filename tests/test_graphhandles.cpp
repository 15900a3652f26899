// Handles on the interactive graph: their selection, hit testing and drawing, and the
// gestures the widget reports, driven with mouse and key events.
#include "core/graphhandles.h"
#include "core/graphwidget.h"
#include "tests/mouse_events.h"

#include <QImage>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const Point_List CURVE{TVector2(0.0, 0.0), TVector2(10.0, 10.0)};
const Point_List HANDLES{TVector2(2.0, 2.0), TVector2(5.0, 5.0), TVector2(8.0, 3.0)};

std::unique_ptr<TGraphWidget> Handle_Graph(const bool readout = false)
{
  auto graph = std::make_unique<TGraphWidget>();
  graph->Set_Show_Readout(readout);
  const int set = graph->Add_Data_Set(QColor(0, 0, 200), STYLE_LINES);
  graph->Set_Points(set, CURVE);
  graph->Set_Handles(HANDLES);
  graph->resize(400, 300);
  graph->show();
  if (!QTest::qWaitForWindowExposed(graph.get())) {
    qWarning("graph window not exposed");
  }
  return graph;
}

QPoint At(const TGraphWidget &graph, const int index)
{
  return graph.Handle_Position(index).toPoint();
}

QImage Grab(QWidget *widget)
{
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The longest run of one colour along the row through `centre`.
int Run_Across(const QImage &image, const QPoint &centre, const QRgb color)
{
  int longest = 0;
  int run = 0;
  for (int x = centre.x() - 12; x <= centre.x() + 12; ++x) {
    run = image.valid(x, centre.y()) && image.pixel(x, centre.y()) == color ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

int Count_Color(const QImage &image, const QRgb color)
{
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixel(x, y) == color ? 1 : 0;
    }
  }
  return count;
}

// Where the screen shows a data value on the y axis.
double Pixel_Y(const TGraphWidget &graph, const double value)
{
  return Pixel_Of(graph.Screen_Mapping(), TVector2(0.0, value)).y();
}

std::vector<int> Ints(const QList<int> &list)
{
  return std::vector<int>(list.begin(), list.end());
}

}  // namespace

class TGraphHandlesTest : public QObject
{
  Q_OBJECT

private slots:
  void selection_data()
  {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");
    QTest::newRow("one alone") << "only 1" << QList<int>{1} << 1;
    QTest::newRow("another alone") << "only 1, only 3" << QList<int>{3} << 3;
    QTest::newRow("toggled in") << "only 1, toggle 3" << QList<int>{1, 3} << 3;
    QTest::newRow("toggled out") << "only 1, toggle 3, toggle 1" << QList<int>{3} << 1;
    QTest::newRow("replaced, outside ignored") << "only 0, select" << QList<int>{2, 4} << 4;
    QTest::newRow("same count keeps") << "only 2, same places" << QList<int>{2} << 2;
    QTest::newRow("new count clears") << "only 2, fewer places" << QList<int>{} << -1;
    QTest::newRow("cleared") << "toggle 1, toggle 2, clear" << QList<int>{} << -1;
  }

  void selection()
  {
    QFETCH(QString, steps);
    QFETCH(QList<int>, selected);
    QFETCH(int, current);
    TGraph_Handles handles;
    handles.Set_Points(Point_List(5));
    for (const QString &step : steps.split(", ")) {
      const int index = step.section(' ', 1).toInt();
      if (step.startsWith("only")) {
        handles.Select_Only(index);
      } else if (step.startsWith("toggle")) {
        handles.Toggle(index);
      } else if (step == "select") {
        handles.Select({4, -1, 2, 7}, 4);
      } else if (step == "same places") {
        handles.Set_Points(Point_List(5, TVector2(1.0, 1.0)));
      } else if (step == "fewer places") {
        handles.Set_Points(Point_List(4));
      } else {
        handles.Clear_Selection();
      }
    }
    QCOMPARE(handles.Selected(), Ints(selected));
    QCOMPARE(handles.Selected_Count(), selected.size());
    QCOMPARE(handles.Current(), current);
    for (int i = 0; i < handles.Count(); ++i) {
      QCOMPARE(handles.Is_Selected(i), selected.contains(i));
    }
  }

  // Mapping x to 10x + 50 and y to -10y + 200 pixels.
  void nearest_handle_data()
  {
    QTest::addColumn<QPointF>("pixel");
    QTest::addColumn<int>("nearest");
    QTest::newRow("on the first") << QPointF(70, 180) << 0;
    QTest::newRow("just inside the radius") << QPointF(70 + 5.9, 180) << 0;
    QTest::newRow("just outside it") << QPointF(70 + 6.1, 180) << -1;
    QTest::newRow("nearer the second") << QPointF(80, 176) << 1;
    QTest::newRow("outside the plot") << QPointF(150, 170) << -1;
    QTest::newRow("nowhere near") << QPointF(120, 120) << -1;
  }

  void nearest_handle()
  {
    QFETCH(QPointF, pixel);
    QFETCH(int, nearest);
    TGraphMapping mapping;
    mapping.XScale = 10.0;
    mapping.XOffset = 50.0;
    mapping.YScale = -10.0;
    mapping.YOffset = 200.0;
    const Point_List points{TVector2(2, 2), TVector2(3, 2.5), TVector2(10, 3)};
    QCOMPARE(Nearest_Handle(points, mapping, QRect(0, 0, 140, 300), pixel, HANDLE_GRAB_RADIUS),
             nearest);
  }

  void handles_in_band()
  {
    TGraphMapping mapping;
    const Point_List points{TVector2(10, -10), TVector2(20, -20), TVector2(30, -30),
                            TVector2(std::nan(""), -15)};
    const QRect plot(0, 0, 25, 100);
    QCOMPARE(Handles_In_Band(points, mapping, plot, QRect(QPoint(40, 40), QPoint(5, 5))),
             (std::vector<int>{0, 1}));
    QCOMPARE(Handles_In_Band(points, mapping, plot, QRect(15, 15, 4, 4)), std::vector<int>());
  }

  // A filled dark green disc at least seven pixels across where each handle is; a
  // selected one has a lighter fill in a dark green ring.
  void handles_drawn_green()
  {
    const auto graph = Handle_Graph();
    graph->Select_Handles({1}, 1);
    const QImage image = Grab(graph.get());
    QVERIFY(Run_Across(image, At(*graph, 0), HANDLE_COLOR) >= 7);
    QVERIFY(Run_Across(image, At(*graph, 2), HANDLE_COLOR) >= 7);
    QVERIFY(Run_Across(image, At(*graph, 1), SELECTED_HANDLE_FILL) >= 5);
    QVERIFY(Run_Across(image, At(*graph, 1), HANDLE_COLOR) >= 1);
  }

  // Zoomed in on the first handle, the others lie outside the view and are not drawn.
  void handles_outside_the_view_not_drawn()
  {
    const auto graph = Handle_Graph();
    const QPoint first = At(*graph, 0);
    const int all = Count_Color(Grab(graph.get()), HANDLE_COLOR);
    Drag(graph.get(), Qt::LeftButton, {first - QPoint(20, 20), first + QPoint(20, 20)});
    const QImage zoomed = Grab(graph.get());
    QVERIFY(graph->Plot_Rect().contains(At(*graph, 0)));
    QVERIFY(!graph->Plot_Rect().contains(At(*graph, 1)));
    const int seen = Count_Color(zoomed, HANDLE_COLOR);
    QVERIFY(seen > 40 && seen < all);
    graph->Set_Handles(Point_List());
    QCOMPARE(Count_Color(Grab(graph.get()), HANDLE_COLOR), 0);
  }

  // A vertical drag reports how far the pointer took the handle in data units, so that the
  // handle stays under the pointer; Shift makes each movement ten times finer.
  void drag_reports_the_distance_data()
  {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("fine");
    QTest::newRow("up") << -40 << false;
    QTest::newRow("down") << 25 << false;
    QTest::newRow("up, with Shift") << -40 << true;
  }

  void drag_reports_the_distance()
  {
    QFETCH(int, pixels);
    QFETCH(bool, fine);
    const auto graph = Handle_Graph();
    QSignalSpy started(graph.get(), &TGraphWidget::Handle_Drag_Started);
    QSignalSpy dragged(graph.get(), &TGraphWidget::Handles_Dragged);
    QSignalSpy finished(graph.get(), &TGraphWidget::Handle_Drag_Finished);
    const QPoint from = At(*graph, 1);
    const Qt::KeyboardModifiers modifiers = fine ? Qt::ShiftModifier : Qt::NoModifier;
    Drag(graph.get(), Qt::LeftButton,
         {from, from + QPoint(1, pixels / 2), from + QPoint(2, pixels)}, modifiers);
    QCOMPARE(started.count(), 1);
    QCOMPARE(dragged.count(), 2);
    QCOMPARE(finished.count(), 1);
    const double delta = dragged.last().at(0).toDouble();
    const double moved = Pixel_Y(*graph, 5.0 + (fine ? delta * 10.0 : delta)) - Pixel_Y(*graph, 5.0);
    QVERIFY2(std::fabs(moved - pixels) < 1e-9, qPrintable(QString::number(moved)));
    QCOMPARE(graph->Handles().Selected(), std::vector<int>{1});
  }

  // Shift pressed midway makes only the movement after it finer.
  void shift_midway()
  {
    const auto graph = Handle_Graph();
    QSignalSpy dragged(graph.get(), &TGraphWidget::Handles_Dragged);
    const QPoint from = At(*graph, 0);
    Send_Mouse(graph.get(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send_Mouse(graph.get(), QEvent::MouseMove, from + QPoint(0, -20), Qt::NoButton, Qt::LeftButton);
    Send_Mouse(graph.get(), QEvent::MouseMove, from + QPoint(0, -40), Qt::NoButton, Qt::LeftButton,
               Qt::ShiftModifier);
    Send_Mouse(graph.get(), QEvent::MouseButtonRelease, from + QPoint(0, -40), Qt::LeftButton,
               Qt::NoButton, Qt::ShiftModifier);
    const double coarse = dragged.first().at(0).toDouble();
    QVERIFY(coarse > 0.0);
    QVERIFY(std::fabs(dragged.last().at(0).toDouble() - coarse * 1.1) < 1e-9);
  }

  // Escape ends the drag at once: the rest of the gesture reports nothing.
  void escape_cancels_the_drag()
  {
    const auto graph = Handle_Graph();
    QSignalSpy dragged(graph.get(), &TGraphWidget::Handles_Dragged);
    QSignalSpy finished(graph.get(), &TGraphWidget::Handle_Drag_Finished);
    QSignalSpy cancelled(graph.get(), &TGraphWidget::Handle_Drag_Cancelled);
    const QPoint from = At(*graph, 2);
    const TGraphMapping view = graph->Mapping();
    Send_Mouse(graph.get(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send_Mouse(graph.get(), QEvent::MouseMove, from + QPoint(0, 30), Qt::NoButton, Qt::LeftButton);
    QTest::keyClick(graph.get(), Qt::Key_Escape);
    Send_Mouse(graph.get(), QEvent::MouseMove, from + QPoint(0, 60), Qt::NoButton, Qt::LeftButton);
    Send_Mouse(graph.get(), QEvent::MouseButtonRelease, from + QPoint(30, 60), Qt::LeftButton,
               Qt::NoButton);
    QCOMPARE(dragged.count(), 1);
    QCOMPARE(cancelled.count(), 1);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(graph->Mapping().YScale, view.YScale);
    QCOMPARE(graph->Mapping().XOffset, view.XOffset);
  }

  // A click selects without moving; a press off the handles still zooms, and a press that
  // moves less than a few pixels is a click.
  void press_off_the_handles_zooms()
  {
    const auto graph = Handle_Graph();
    QSignalSpy started(graph.get(), &TGraphWidget::Handle_Drag_Started);
    const TGraphMapping fitted = graph->Mapping();
    Drag(graph.get(), Qt::LeftButton, {At(*graph, 1), At(*graph, 1) + QPoint(1, 1)});
    QCOMPARE(started.count(), 0);
    QCOMPARE(graph->Handles().Selected(), std::vector<int>{1});
    QCOMPARE(graph->Mapping().XScale, fitted.XScale);
    const QPoint empty = At(*graph, 1) + QPoint(40, -40);
    Drag(graph.get(), Qt::LeftButton, {empty, empty + QPoint(60, 60)});
    QCOMPARE(started.count(), 0);
    QVERIFY(graph->Mapping().XScale > fitted.XScale * 2.0);
    QCOMPARE(graph->Handles().Selected(), std::vector<int>{1});
  }

  // Ctrl+click adds and removes; a press on one of several selected keeps them all for a
  // drag, and selects it alone when no drag follows; Shift with a band selects those inside
  // it and leaves the view as it was.
  void selecting_with_the_mouse()
  {
    const auto graph = Handle_Graph();
    QSignalSpy selected(graph.get(), &TGraphWidget::Handles_Selected);
    QSignalSpy started(graph.get(), &TGraphWidget::Handle_Drag_Started);
    Drag(graph.get(), Qt::LeftButton, {At(*graph, 0)});
    Drag(graph.get(), Qt::LeftButton, {At(*graph, 2)}, Qt::ControlModifier);
    QCOMPARE(graph->Handles().Selected(), (std::vector<int>{0, 2}));
    QCOMPARE(graph->Handles().Current(), 2);
    Drag(graph.get(), Qt::LeftButton, {At(*graph, 0), At(*graph, 0) + QPoint(0, 20)});
    QCOMPARE(started.count(), 1);
    QCOMPARE(graph->Handles().Selected(), (std::vector<int>{0, 2}));
    Drag(graph.get(), Qt::LeftButton, {At(*graph, 2)});
    QCOMPARE(graph->Handles().Selected(), std::vector<int>{2});
    Drag(graph.get(), Qt::LeftButton, {At(*graph, 2)}, Qt::ControlModifier);
    QCOMPARE(graph->Handles().Selected(), std::vector<int>());
    const TGraphMapping view = graph->Mapping();
    const QPoint corner = At(*graph, 0) - QPoint(10, 10);
    const QPoint other(At(*graph, 1).x() + 10, At(*graph, 0).y() + 10);
    Drag(graph.get(), Qt::LeftButton, {QPoint(corner.x(), At(*graph, 1).y() - 10), other},
         Qt::ShiftModifier);
    QCOMPARE(graph->Handles().Selected(), (std::vector<int>{0, 1}));
    QCOMPARE(graph->Mapping().XScale, view.XScale);
    QCOMPARE(graph->Mapping().YOffset, view.YOffset);
    QCOMPARE(selected.count(), 7);
  }

  // Hit testing follows the view: after a zoom and a pan a press on a handle where it is
  // now drawn grabs it, and the drag's distance is measured at the new scale.
  void hit_testing_follows_the_view()
  {
    const auto graph = Handle_Graph();
    const QPoint centre = graph->Plot_Rect().center();
    Drag(graph.get(), Qt::LeftButton, {centre - QPoint(100, 80), centre + QPoint(60, 70)});
    Drag(graph.get(), Qt::RightButton, {centre, centre + QPoint(-37, 23)});
    const QPoint at = At(*graph, 1);
    QVERIFY(graph->Plot_Rect().contains(at));
    QSignalSpy dragged(graph.get(), &TGraphWidget::Handles_Dragged);
    Drag(graph.get(), Qt::LeftButton, {at + QPoint(3, -2), at + QPoint(3, 38)});
    QCOMPARE(dragged.count(), 1);
    const double moved = Pixel_Y(*graph, 5.0 + dragged.last().at(0).toDouble()) - Pixel_Y(*graph, 5.0);
    QVERIFY(std::fabs(moved - 40.0) < 1e-9);
  }

  // Over a handle the pointer offers a vertical move and the readout describes the
  // handle; elsewhere both are as before.
  void hover_over_a_handle()
  {
    const auto graph = Handle_Graph(true);
    int moves = 0;
    graph->Set_Handle_Readout([&moves](const int index) {
      return QString("handle %1 after %2 moves").arg(index).arg(moves);
    });
    Hover(graph.get(), At(*graph, 2) + QPoint(2, 2));
    QCOMPARE(graph->cursor().shape(), Qt::SizeVerCursor);
    QCOMPARE(graph->Readout(), QString("handle 2 after 0 moves"));
    moves = 1;
    graph->Set_Handles(HANDLES);
    QCOMPARE(graph->Readout(), QString("handle 2 after 1 moves"));
    const QPoint empty = At(*graph, 1) + QPoint(30, 30);
    Hover(graph.get(), empty);
    QCOMPARE(graph->cursor().shape(), Qt::ArrowCursor);
    const double x = graph->Mapping().Data_X(empty.x());
    QVERIFY(graph->Readout().startsWith(QString::asprintf("%.5lf,", x)));
  }

  void double_click_activates()
  {
    const auto graph = Handle_Graph();
    graph->Select_Handles({0, 2}, 0);
    QSignalSpy activated(graph.get(), &TGraphWidget::Handle_Activated);
    Double_Click(graph.get(), At(*graph, 1));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().at(0).toInt(), 1);
    QCOMPARE(graph->Handles().Selected(), std::vector<int>{1});
    Double_Click(graph.get(), At(*graph, 1) + QPoint(50, 50));
    QCOMPARE(activated.count(), 1);
  }

  // Redrawing changed data keeps a zoom; fitting returns to the whole data.
  void redraw_keeps_the_view()
  {
    const auto graph = Handle_Graph();
    const TGraphMapping fitted = graph->Mapping();
    const QPoint centre = graph->Plot_Rect().center();
    Drag(graph.get(), Qt::LeftButton, {centre - QPoint(50, 40), centre + QPoint(50, 40)});
    const TGraphMapping zoomed = graph->Mapping();
    graph->Set_Points(0, Point_List{TVector2(0.0, 0.0), TVector2(10.0, 30.0)});
    graph->Redraw_Graph();
    QCOMPARE(graph->Mapping().YScale, zoomed.YScale);
    QCOMPARE(graph->Mapping().YOffset, zoomed.YOffset);
    const QImage redrawn = Grab(graph.get());
    graph->Update_Graph();
    QVERIFY(graph->Mapping().YScale != fitted.YScale);
    QVERIFY(graph->Mapping().YScale != zoomed.YScale);
    QVERIFY(Grab(graph.get()) != redrawn);
  }
};

QTEST_MAIN(TGraphHandlesTest)

#include "test_graphhandles.moc"
