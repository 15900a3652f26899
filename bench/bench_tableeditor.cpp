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

namespace {

const int ROW_COUNTS[] = {10000, 100000, 1000000};
// Writing labels one by one through the header items costs time proportional to the
// rows for each label inside the widget; beyond this it would run for minutes.
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
  table->Set_Row_Labels(Row_Labels(rows));
  Write_Values(table, 1.0);
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
  const double labels = Time([&] { table.Set_Row_Labels(Row_Labels(rows)); });
  const double values = Time([&] { Write_Values(&table, 1.0); });
  const std::size_t heap_after = Heap_In_Use();
  const double resize_and_write = Size_And_Write(&table, rows);
  const double same_values = Time([&] { Write_Values(&table, 1.0); });
  const double new_values = Time([&] { Write_Values(&table, 2.0); });
  const double precision = Time([&] { table.Set_Display_Precision(3); });
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

  std::printf("rows %d\n", rows);
  std::printf("  Set_Table_Size (first)                %9.1f ms\n", size_only);
  std::printf("  write every row label (Set_Row_Labels)%9.1f ms\n", labels);
  std::printf("  write every value (Set_Value)         %9.1f ms\n", values);
  std::printf("  size again and write labels, values   %9.1f ms\n", resize_and_write);
  std::printf("  rewrite every value, unchanged        %9.1f ms\n", same_values);
  std::printf("  rewrite every value, changed          %9.1f ms\n", new_values);
  std::printf("  Set_Display_Precision                 %9.1f ms\n", precision);
  if (labels_one_by_one < 0.0) {
    std::printf("  row labels one by one through items       skipped\n");
  } else {
    std::printf("  row labels one by one through items   %9.1f ms\n", labels_one_by_one);
  }
  std::printf("  paste one value over the column       %9.1f ms (%d Cell_Changed)\n", paste,
              changes);
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
