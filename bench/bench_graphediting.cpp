// Times one step of a drag of an editor point in the graph window of the main window: the
// pointer moves, the offset changes, the output is recomputed, the tables and the graph
// follow and everything is painted. At 100,000 input rows with 10,000 editor points, and
// at the row maximum with 100,000.
#include "core/graphwidget.h"
#include "src/document/document.h"
#include "src/model/resampling.h"
#include "src/vandrel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const int STEPS = 21;

void Send_Mouse(QWidget *widget, const QEvent::Type type, const QPoint &position,
                const Qt::MouseButton button, const Qt::MouseButtons buttons)
{
  QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button,
                    buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Report(const char *name, std::vector<double> times)
{
  std::sort(times.begin(), times.end());
  std::printf("%-58s median %9.1f ms   fastest %9.1f ms\n", name, times[times.size() / 2],
              times[0]);
  std::fflush(stdout);
}

// Input 0 .. rows - 1 by 1 holding a wave, editor points every 10 positions.
void Fill(TDocument *document, const int rows)
{
  const double last = rows - 1;
  document->Start({0, 1, last}, {0, 10, std::floor(last / 10) * 10}, false);
  TCell_Edits values;
  values.reserve(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    values.push_back({row, 0, 50.0 * std::sin(row * 1e-4) + (row % 7)});
  }
  document->Edit_Cells(INPUT_DATA, "Paste", values);
}

// A press on the point in the middle, then STEPS moves of three pixels each, each
// handled and painted before the next.
void Time_Drag(TVandrel *window, TGraphWidget *graph, const int rows)
{
  std::printf("Graph window, %d input rows, %d editor points\n", rows, (rows - 1) / 10 + 1);
  Fill(window->Document(), rows);
  QApplication::processEvents();
  const int middle = graph->Handles().Count() / 2;
  const QPoint from = graph->Handle_Position(middle).toPoint();
  Send_Mouse(graph, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  QApplication::processEvents();
  std::vector<double> times;
  for (int step = 1; step <= STEPS; ++step) {
    QElapsedTimer timer;
    timer.start();
    Send_Mouse(graph, QEvent::MouseMove, from + QPoint(0, -3 * step), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    times.push_back(timer.nsecsElapsed() / 1.0e6);
  }
  Send_Mouse(graph, QEvent::MouseButtonRelease, from + QPoint(0, -3 * STEPS), Qt::LeftButton,
             Qt::NoButton);
  Report("drag step (offset, output, tables, graph, painted)", times);
  std::printf("  (%d undo step for the drag)\n", window->Document()->Undo_Stack()->count() - 1);
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TVandrel window;
  window.show();
  QApplication::setActiveWindow(&window);
  window.findChild<QToolButton *>("graph_button")->click();
  auto *graph = window.findChild<TGraphWidget *>("graph_widget");
  if (!QTest::qWaitForWindowExposed(graph->window())) {
    std::fprintf(stderr, "the graph window did not show\n");
    return 1;
  }
  QApplication::setActiveWindow(graph->window());
  Time_Drag(&window, graph, 100000);
  Time_Drag(&window, graph, MAXIMUM_ROW_COUNT);
  return 0;
}
