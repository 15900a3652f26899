// Times the main window's heavy paths at 100,000 input rows and 10,000 editor rows,
// driven through its widgets as a user would drive them.
#include "core/tableeditor.h"
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
  QTest::keyClicks(editor, text.mid(1));
  QTest::keyClick(editor, Qt::Key_Return);
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TVandrel window;
  window.show();
  QApplication::setActiveWindow(&window);
  auto *input = window.findChild<TEditTable *>("input_table");
  auto *edit = window.findChild<TEditTable *>("edit_table");
  auto *copy = window.findChild<QToolButton *>("copy_button");
  auto *zero_offset = window.findChild<QToolButton *>("zero_offset_button");

  std::printf("Main window, 100,000 input rows, 10,000 editor rows\n");
  Time("input range rebuild (100,000 rows, two tables)", [&](const int i) {
    Type(&window, "input_start", "0");
    Type(&window, "input_increment", "1");
    Type(&window, "input_end", i % 2 ? "99999" : "99998");
  });
  Type(&window, "input_end", "99999");
  Time("editor range rebuild (10,000 rows)", [&](const int i) {
    Type(&window, "edit_start", "0");
    Type(&window, "edit_increment", "10");
    Type(&window, "edit_end", i % 2 ? "99990" : "99980");
  });
  Type(&window, "edit_end", "99990");
  Time("single editor cell edit", [&](const int i) {
    Type_In_Cell(edit, 500, QString::number(i + 1));
  });
  Time("single input cell edit", [&](const int i) {
    Type_In_Cell(input, 500, QString::number(i + 1));
  });
  zero_offset->click();
  Time("single editor cell edit, zero offset on", [&](const int i) {
    Type_In_Cell(edit, 500, QString::number(i + 1));
  });
  Time("paste of 100,000 values into the input table", [&](const int i) {
    input->setFocus();
    input->setRangeSelected(QTableWidgetSelectionRange(0, 0, input->rowCount() - 1, 0), true);
    QApplication::clipboard()->setText(QString::number(i + 1) + "\n");
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
  });
  Time("Copy_Output of 100,000 rows", [&](int) { copy->click(); });
  return 0;
}
