// Times a full render (fit, labels, axes, data) and a right-drag pan step of one line set
// in an 800 x 600 graph, with column runs and with every segment drawn on its own.

#include "core/graphwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

const double PI = 3.14159265358979323846;

// Evenly spaced positions with a slow wave and some noise, as the application plots.
void Fill(TGraphWidget *graph, const int count)
{
  std::mt19937 generator(12345);
  std::uniform_real_distribution<double> noise(-5.0, 5.0);
  graph->Clear_Data_Sets();
  const int set = graph->Add_Data_Set(QColor(0, 0, 164), STYLE_DEFAULT);
  for (int i = 0; i < count; ++i) {
    const double wave = std::sin(2.0 * PI * 3.0 * i / count) * 100.0;
    graph->Add_Point(set, TVector2(i * 0.01, wave + noise(generator)));
  }
}

double Median(std::vector<double> values)
{
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer &timer)
{
  return static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
}

double Time_Full_Render(TGraphWidget *graph, const int repeats)
{
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    QElapsedTimer timer;
    timer.start();
    graph->Update_Graph();
    times.push_back(Milliseconds(timer));
  }
  return Median(times);
}

void Send_Mouse(QWidget *widget, const QEvent::Type type, const QPoint &position,
                const Qt::MouseButton button, const Qt::MouseButtons buttons)
{
  QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button,
                    buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// One step is one mouse move of a right drag: the new view is rendered and shown at once.
double Time_Pan_Step(TGraphWidget *graph, const int steps)
{
  graph->Update_Graph();
  const QPoint start = graph->Plot_Rect().center();
  Send_Mouse(graph, QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
  std::vector<double> times;
  QPoint position = start;
  for (int i = 0; i < steps; ++i) {
    position += QPoint(i % 2 == 0 ? 3 : -2, 1);
    QElapsedTimer timer;
    timer.start();
    Send_Mouse(graph, QEvent::MouseMove, position, Qt::NoButton, Qt::RightButton);
    times.push_back(Milliseconds(timer));
  }
  Send_Mouse(graph, QEvent::MouseButtonRelease, position, Qt::RightButton, Qt::NoButton);
  return Median(times);
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TGraphWidget graph;
  graph.Set_Show_Readout(false);
  graph.resize(800, 600);
  graph.show();
  if (!QTest::qWaitForWindowExposed(&graph)) {
    std::fprintf(stderr, "graph window not exposed\n");
    return 1;
  }
  std::printf("Graph widget 800 x 600, one line set; median milliseconds\n");
  std::printf("%10s  %-13s %12s %12s\n", "points", "lines", "full render", "pan step");
  for (const int count : {1000, 100000, 1000000}) {
    Fill(&graph, count);
    const int repeats = count >= 1000000 ? 5 : 21;
    for (const bool runs : {true, false}) {
      graph.Set_Column_Runs(runs);
      const double render = Time_Full_Render(&graph, repeats);
      const double pan = Time_Pan_Step(&graph, repeats);
      std::printf("%10d  %-13s %12.2f %12.2f\n", count, runs ? "column runs" : "each segment",
                  render, pan);
      std::fflush(stdout);
    }
  }
  return 0;
}
