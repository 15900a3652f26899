// Times the edit table at 10,000, 100,000 and 1,000,000 rows of one column, shown in a
// window as the main window shows it, and prints the heap it holds per row.
#include "core/numberformat.h"
#include "core/tableeditor.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QStringList>
#include <QtTest>

#include <malloc.h>

#include <cstdio>
#include <vector>

namespace {

const int ROW_COUNTS[] = {10000, 100000, 1000000};
// Writing labels one by one through the header items makes an item for every row.
const int MAXIMUM_ROWS_LABELLED_ONE_BY_ONE = 100000;

std::size_t Heap_In_Use()
{
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

QStringList Row_Labels(const int rows)
{
  QStringList labels;
  labels.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    labels.append(Format_Number(-10.0 + 15.0 * row, 3));
  }
  return labels;
}

std::vector<double> Positions(const int rows)
{
  std::vector<double> positions(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    positions[static_cast<std::size_t>(row)] = -10.0 + 15.0 * row;
  }
  return positions;
}

std::vector<double> Column(const int rows, const double &offset)
{
  std::vector<double> values(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    values[static_cast<std::size_t>(row)] = offset + 0.25 * row;
  }
  return values;
}

void Write_Values(TEditTable *table, const double &offset)
{
  for (int row = 0; row < table->Row_Count(); ++row) {
    table->Set_Value(row, 0, offset + 0.25 * row);
  }
}

double Milliseconds(const QElapsedTimer &timer)
{
  return static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
}

// Sizes and writes the table as the main window does after a range change.
double Size_And_Write(TEditTable *table, const int rows)
{
  QElapsedTimer timer;
  timer.start();
  table->Set_Table_Size(rows, 1);
  table->Set_Row_Positions(Positions(rows), 3);
  table->Set_Column(0, Column(rows, 1.0));
  table->horizontalHeaderItem(0)->setData(Qt::DisplayRole, QStringLiteral("Value"));
  QApplication::processEvents();
  return Milliseconds(timer);
}

void Write_Labels_One_By_One(TEditTable *table, const QStringList &labels)
{
  for (int row = 0; row < table->Row_Count(); ++row) {
    table->verticalHeaderItem(row)->setData(Qt::DisplayRole, labels.at(row));
  }
}

template <typename Step>
double Time(const Step &step)
{
  QElapsedTimer timer;
  timer.start();
  step();
  QApplication::processEvents();
  return Milliseconds(timer);
}

void Run(const int rows)
{
  TEditTable table;
  table.resize(300, 600);
  table.show();
  QApplication::processEvents();
  const std::size_t heap_before = Heap_In_Use();

  QElapsedTimer timer;
  timer.start();
  table.Set_Table_Size(rows, 1);
  const double size_only = Milliseconds(timer);
  const double positions = Time([&] { table.Set_Row_Positions(Positions(rows), 3); });
  const double column = Time([&] { table.Set_Column(0, Column(rows, 1.0)); });
  const std::size_t heap_after = Heap_In_Use();
  const double labels = Time([&] { table.Set_Row_Labels(Row_Labels(rows)); });
  const double values = Time([&] { Write_Values(&table, 1.0); });
  const double resize_and_write = Size_And_Write(&table, rows);
  const double same_values = Time([&] { Write_Values(&table, 1.0); });
  const double new_values = Time([&] { Write_Values(&table, 2.0); });
  const double precision = Time([&] { table.Set_Display_Precision(3); });
  const double new_column = Time([&] { table.Set_Column(0, Column(rows, 3.0)); });
  const long long formatted_before = table.Formatting_Count();
  const double scroll = Time([&] {
    table.scrollToBottom();
    table.repaint();
  });
  const long long formatted = table.Formatting_Count() - formatted_before;
  const QStringList other_labels = Row_Labels(rows + 1).mid(1);
  const double labels_one_by_one =
    rows > MAXIMUM_ROWS_LABELLED_ONE_BY_ONE
      ? -1.0
      : Time([&] { Write_Labels_One_By_One(&table, other_labels); });

  int changes = 0;
  QObject::connect(&table, &TEditTable::Cell_Changed, [&changes] { ++changes; });
  QApplication::clipboard()->setText(QStringLiteral("7.5\n"));
  table.setFocus();
  table.setRangeSelected(QTableWidgetSelectionRange(0, 0, rows - 1, 0), true);
  const double paste =
    Time([&] { QTest::keyClick(&table, Qt::Key_V, Qt::ControlModifier); });
  const double home = Time([&] { QTest::keyClick(&table, Qt::Key_Home, Qt::ControlModifier); });
  const double extend = Time(
    [&] { QTest::keyClick(&table, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier); });
  const double move_up = Time([&] { QTest::keyClick(&table, Qt::Key_Up); });
  const double select_all =
    Time([&] { QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier); });

  std::printf("rows %d\n", rows);
  std::printf("  Set_Table_Size (first)                %9.1f ms\n", size_only);
  std::printf("  label rows by position (first)        %9.1f ms\n", positions);
  std::printf("  write the column (Set_Column, first)  %9.1f ms\n", column);
  std::printf("  write every row label (Set_Row_Labels)%9.1f ms\n", labels);
  std::printf("  write every value (Set_Value)         %9.1f ms\n", values);
  std::printf("  size again, label by position, column %9.1f ms\n", resize_and_write);
  std::printf("  rewrite every value, unchanged        %9.1f ms\n", same_values);
  std::printf("  rewrite every value, changed          %9.1f ms\n", new_values);
  std::printf("  Set_Display_Precision                 %9.1f ms\n", precision);
  std::printf("  write the column again (Set_Column)   %9.1f ms\n", new_column);
  std::printf("  scroll to the end and paint           %9.1f ms (%lld texts formatted)\n", scroll,
              formatted);
  if (labels_one_by_one < 0.0) {
    std::printf("  row labels one by one through items       skipped\n");
  } else {
    std::printf("  row labels one by one through items   %9.1f ms\n", labels_one_by_one);
  }
  std::printf("  paste one value over the column       %9.1f ms (%d Cell_Changed)\n", paste,
              changes);
  std::printf("  Ctrl+Home                             %9.1f ms\n", home);
  std::printf("  Ctrl+Shift+End (select every row)     %9.1f ms\n", extend);
  std::printf("  Up at the last row                    %9.1f ms\n", move_up);
  std::printf("  Ctrl+A                                %9.1f ms\n", select_all);
  std::printf("  heap per row                          %9.0f bytes\n",
              static_cast<double>(heap_after - heap_before) / rows);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  for (const int rows : ROW_COUNTS) {
    Run(rows);
  }
  return 0;
}
