// Times the main window's heavy paths at 100,000 input rows and at the row maximum,
// driven through its widgets as a user would drive them, and the whole program's resident
// memory per input row at the row maximum.
#include "core/graphwidget.h"
#include "core/tableeditor.h"
#include "src/files/documentfile.h"
#include "src/window/userdialogs.h"
#include "src/model/resampling.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QLineEdit>
#include <QTableWidgetSelectionRange>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

const int REPEATS = 7;

double Milliseconds(const std::function<void()> &step)
{
  QElapsedTimer timer;
  timer.start();
  step();
  return timer.nsecsElapsed() / 1.0e6;
}

// Prints the median and the fastest of REPEATS times in milliseconds.
void Report(const char *name, std::vector<double> times)
{
  std::sort(times.begin(), times.end());
  std::printf("%-58s median %9.1f ms   fastest %9.1f ms\n", name, times[REPEATS / 2], times[0]);
  std::fflush(stdout);
}

// Runs the step REPEATS times, each until the window has painted what it changed.
void Time(const char *name, const std::function<void(int)> &step)
{
  std::vector<double> times;
  for (int i = 0; i < REPEATS; ++i) {
    times.push_back(Milliseconds([&] {
      step(i);
      QApplication::processEvents();
    }));
  }
  Report(name, times);
}

// Undoes and redoes the newest step REPEATS times, timing each apart.
void Time_Undo_Redo(const char *name, QUndoStack *stack)
{
  std::vector<double> undo_times;
  std::vector<double> redo_times;
  for (int i = 0; i < REPEATS; ++i) {
    undo_times.push_back(Milliseconds([stack] {
      stack->undo();
      QApplication::processEvents();
    }));
    redo_times.push_back(Milliseconds([stack] {
      stack->redo();
      QApplication::processEvents();
    }));
  }
  Report(qPrintable(QStringLiteral("undo of ") + name), undo_times);
  Report(qPrintable(QStringLiteral("redo of ") + name), redo_times);
}

// The process's resident memory in bytes, from the kernel's status file.
double Resident_Bytes()
{
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return 0.0;
  }
  const QList<QByteArray> lines = status.readAll().split('\n');
  for (const QByteArray &line : lines) {
    if (line.startsWith("VmRSS:")) {
      return line.mid(6).trimmed().split(' ').first().toDouble() * 1024.0;
    }
  }
  return 0.0;
}

// One line per row: a distinct value for each, as a column copied from a spreadsheet.
QString Column_Text(const int rows, const QString &value)
{
  QString text;
  text.reserve(rows * (value.size() + 8));
  for (int row = 0; row < rows; ++row) {
    text += value.isEmpty() ? QString::number(row % 1000 + 0.25) : value;
    text += QLatin1Char('\n');
  }
  return text;
}

void Paste_Over_Column(TEditTable *table, const QString &text)
{
  table->setFocus();
  table->clearSelection();
  table->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 0), true);
  QApplication::clipboard()->setText(text);
  QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
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

void Send_Mouse(QWidget *widget, const QEvent::Type type, const QPoint &position,
                const Qt::MouseButton button, const Qt::MouseButtons buttons)
{
  QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button,
                    buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// Right-drag steps over the graph window's two curves, each until it is painted.
void Time_Pan(TVandrel *window)
{
  auto *graph = window->findChild<TGraphWidget *>();
  const QPoint start = graph->Plot_Rect().center();
  Send_Mouse(graph, QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
  Time("one pan step of the graph (right drag)", [&](const int i) {
    Send_Mouse(graph, QEvent::MouseMove, start + QPoint(3 * (i + 1), 2 * (i % 3)), Qt::NoButton,
               Qt::RightButton);
  });
  Send_Mouse(graph, QEvent::MouseButtonRelease, start + QPoint(3 * REPEATS, 0), Qt::RightButton,
             Qt::NoButton);
}

// The way the editor's points are joined, switched in the editor group's choice and then
// kept for cell edits; every switch recomputes every output row.
void Time_Interpolation(TVandrel *window, TEditTable *edit)
{
  auto *choice = window->findChild<QComboBox *>("edit_interpolation");
  const int linear = choice->findData(INTERPOLATION_LINEAR);
  for (const TInterpolation way : {INTERPOLATION_MONOTONE, INTERPOLATION_SPLINE}) {
    const int index = choice->findData(way);
    const QByteArray name = QByteArray("way switched from linear to ") + Interpolation_Name(way);
    std::vector<double> times;
    for (int i = 0; i < REPEATS; ++i) {
      choice->setCurrentIndex(linear);
      QApplication::processEvents();
      times.push_back(Milliseconds([&] {
        choice->setCurrentIndex(index);
        QApplication::processEvents();
      }));
    }
    Report(name.constData(), times);
    const QByteArray edit_name = QByteArray("single editor cell edit, ") + Interpolation_Name(way);
    Time(edit_name.constData(), [&](const int i) {
      Type_In_Cell(edit, 500, QString::number(i + 30));
    });
  }
  choice->setCurrentIndex(linear);
  QApplication::processEvents();
  Time_Undo_Redo("the switch from spline to linear", window->Document()->Undo_Stack());
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
  Time("editor cell edit with the graph shown", [&](const int i) {
    Type_In_Cell(edit, 500, QString::number(i + 20));
  });
  auto *choice = window->findChild<QComboBox *>("edit_interpolation");
  choice->setCurrentIndex(choice->findData(INTERPOLATION_SPLINE));
  QApplication::processEvents();
  Time("the same under the natural spline (all change)", [&](const int i) {
    Type_In_Cell(edit, 500, QString::number(i + 40));
  });
  choice->setCurrentIndex(choice->findData(INTERPOLATION_LINEAR));
  Time_Pan(window);
  graph->click();
  QApplication::setActiveWindow(window);
  zero_offset->click();
  Time_Interpolation(window, edit);
  const QString column = Column_Text(rows, QString());
  Time("paste of a value for every input row", [&](int) { Paste_Over_Column(input, column); });
  Time("paste of one value over every input row", [&](const int i) {
    input->setFocus();
    input->setRangeSelected(QTableWidgetSelectionRange(0, 0, input->rowCount() - 1, 0), true);
    QApplication::clipboard()->setText(QString::number(i + 1) + "\n");
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
  });
  Time_Undo_Redo("the paste of one value over every input row", window->Document()->Undo_Stack());
  Type(window, "input_end", one_short);
  Time_Undo_Redo("an input range change (one row fewer)", window->Document()->Undo_Stack());
  Type(window, "input_end", last);
  Time("Copy_Output", [&](int) { copy->click(); });
  std::printf("  (%d lines copied)\n", static_cast<int>(QApplication::clipboard()->text().count('\n')));
}

// Unsaved work is let go without a question, as the benchmark opens document after document.
class TDiscarding_Dialogs : public TUser_Dialogs
{
public:
  TUnsaved_Answer Ask_Unsaved(QWidget *, const QString &) override { return UNSAVED_DISCARD; }
};

// A saved document of the row maximum opened from the File menu, until the window shows it.
void Time_Open(TVandrel *window)
{
  const QString path = QDir::temp().filePath(QStringLiteral("bench-million.vandrel"));
  TContent content;
  content.input = Corrected_Input({0, 1, MAXIMUM_ROW_COUNT - 1});
  content.values.resize(static_cast<std::size_t>(content.input.count));
  for (std::size_t i = 0; i < content.values.size(); ++i) {
    content.values[i] = std::sin(i * 0.001) * 100.0 + i % 17;
  }
  content.edit = Corrected_Edit({0, 10, MAXIMUM_ROW_COUNT - 10}, 1.0);
  content.offsets.assign(static_cast<std::size_t>(content.edit.count), 1.5);
  QString error;
  if (!Write_Document(path, content, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    std::exit(1);
  }
  Time("opening a document of 1,000,000 rows until shown", [&](int) {
    window->File_Commands()->Open_File(path);
  });
  QFile::remove(path);
}

// The window must answer at once however long the texts of the values are.
void Run_Huge_Values(TVandrel *window)
{
  auto *input = window->findChild<TEditTable *>("input_table");
  std::printf("Main window, values and positions near 1e300\n");
  Type(window, "input_start", "0");
  Type(window, "input_increment", "1");
  Type(window, "input_end", "99999");
  const QString huge = Column_Text(100000, QStringLiteral("1e300"));
  Time("paste of 100,000 values of 1e300, painted", [&](int) {
    Paste_Over_Column(input, huge);
    input->repaint();
  });
  Type(window, "input_start", "-1e300");
  Time("input end typed, range -1e300 .. 1e300, painted", [&](const int i) {
    Type(window, "input_end", i % 2 ? "1e300" : "9e299");
    window->repaint();
  });
}

// Resident memory of the whole program with the tables at the row maximum, the graph shown.
void Measure_Memory(TVandrel *window, const double before)
{
  auto *graph = window->findChild<QToolButton *>("graph_button");
  Type(window, "input_start", "0");
  Type(window, "input_increment", "1");
  Type(window, "input_end", QString::number(MAXIMUM_ROW_COUNT - 1));
  Type(window, "edit_start", "0");
  Type(window, "edit_increment", "10");
  Type(window, "edit_end", QString::number((MAXIMUM_ROW_COUNT - 1) / 10 * 10));
  graph->click();
  QApplication::processEvents();
  const double after = Resident_Bytes();
  std::printf("Resident memory at %d input rows, graph shown: %.0f MB in all, "
              "%.0f bytes per input row (%.0f above the empty window's)\n",
              MAXIMUM_ROW_COUNT, after / 1.0e6, after / MAXIMUM_ROW_COUNT,
              (after - before) / MAXIMUM_ROW_COUNT);
  graph->click();
  QApplication::setActiveWindow(window);
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TVandrel window;
  window.Set_User_Dialogs(std::make_unique<TDiscarding_Dialogs>());
  window.show();
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();
  const double empty_window = Resident_Bytes();
  Measure_Memory(&window, empty_window);
  Run_Scenario(&window, 100000);
  Run_Scenario(&window, MAXIMUM_ROW_COUNT);
  // Last, so that the texts of its values, some hundred digits long, are not what the
  // scenarios above paint at every edit.
  Run_Huge_Values(&window);
  Time_Open(&window);
  return 0;
}
