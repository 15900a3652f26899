// Times the main window's heavy paths at 100,000 input rows and at the row maximum,
// driven through its widgets as a user would drive them.
#include "core/tableeditor.h"
#include "src/resampling.h"
#include "src/vandrel.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidgetSelectionRange>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const int REPEATS = 7;

// Runs the step REPEATS times and prints the median and the fastest time in milliseconds.
void Time(const char *name, const std::function<void(int)> &step)
{
  std::vector<double> times;
  for (int i = 0; i < REPEATS; ++i) {
    QElapsedTimer timer;
    timer.start();
    step(i);
    times.push_back(timer.nsecsElapsed() / 1.0e6);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-58s median %9.1f ms   fastest %9.1f ms\n", name, times[REPEATS / 2], times[0]);
  std::fflush(stdout);
}

void Type(TVandrel *window, const char *field, const QString &text)
{
  auto *edit = window->findChild<QLineEdit *>(field);
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

void Type_In_Cell(TEditTable *table, const int row, const QString &text)
{
  table->setFocus();
  table->setCurrentCell(row, 0);
  QTest::keyClicks(table, text.left(1));
  QWidget *editor = QApplication::focusWidget();
  if (!editor || editor == table) {
    std::fprintf(stderr, "the cell editor did not open\n");
    std::exit(1);
  }
  QTest::keyClicks(editor, text.mid(1));
  QTest::keyClick(editor, Qt::Key_Return);
}

// Input rows 0 .. rows - 1 by 1, editor rows every 10 positions.
void Run_Scenario(TVandrel *window, const int rows)
{
  auto *input = window->findChild<TEditTable *>("input_table");
  auto *edit = window->findChild<TEditTable *>("edit_table");
  auto *copy = window->findChild<QToolButton *>("copy_button");
  auto *zero_offset = window->findChild<QToolButton *>("zero_offset_button");
  auto *graph = window->findChild<QToolButton *>("graph_button");
  const QString last = QString::number(rows - 1);
  const QString one_short = QString::number(rows - 2);
  const QString edit_last = QString::number((rows - 1) / 10 * 10);
  const QString edit_one_short = QString::number((rows - 1) / 10 * 10 - 10);

  std::printf("Main window, %d input rows, %d editor rows\n", rows, (rows - 1) / 10 + 1);
  Type(window, "input_start", "0");
  Type(window, "input_increment", "1");
  Time("input range rebuild (input and output tables)", [&](const int i) {
    Type(window, "input_end", i % 2 ? last : one_short);
  });
  Type(window, "input_end", last);
  Type(window, "edit_start", "0");
  Type(window, "edit_increment", "10");
  Time("editor range rebuild", [&](const int i) {
    Type(window, "edit_end", i % 2 ? edit_last : edit_one_short);
  });
  Type(window, "edit_end", edit_last);
  Time("single editor cell edit", [&](const int i) {
    Type_In_Cell(edit, 500, QString::number(i + 1));
  });
  Time("single input cell edit", [&](const int i) {
    Type_In_Cell(input, 500, QString::number(i + 1));
  });
  zero_offset->click();
  Time("input cell edit at position 0, zero offset on (all change)", [&](const int i) {
    Type_In_Cell(input, 0, QString::number(i + 1));
  });
  graph->click();
  QApplication::processEvents();
  QApplication::setActiveWindow(window);
  Time("the same with the graph shown", [&](const int i) {
    Type_In_Cell(input, 0, QString::number(i + 10));
  });
  graph->click();
  QApplication::setActiveWindow(window);
  zero_offset->click();
  Time("paste of one value over every input row", [&](const int i) {
    input->setFocus();
    input->setRangeSelected(QTableWidgetSelectionRange(0, 0, input->rowCount() - 1, 0), true);
    QApplication::clipboard()->setText(QString::number(i + 1) + "\n");
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
  });
  Time("Copy_Output", [&](int) { copy->click(); });
  std::printf("  (%d lines copied)\n", QApplication::clipboard()->text().count('\n'));
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TVandrel window;
  window.show();
  QApplication::setActiveWindow(&window);
  Run_Scenario(&window, 100000);
  Run_Scenario(&window, MAXIMUM_ROW_COUNT);
  return 0;
}
