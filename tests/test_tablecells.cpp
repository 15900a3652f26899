#include "core/numberformat.h"
#include "core/tablecells.h"
#include "core/tableeditor.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

const int ROWS = 6;
const int COLUMNS = 2;
const int LABEL_DIGITS = 3;
const int MANY_ROWS = 100000;
// The exact decimal expansion of the double nearest 1e300.
const char HUGE_DIGITS[] =
  "10000000000000000525047602552044202487044685811081591549158541155118024579889081"
  "95786371375080447864043704443832883878176942523235360430575644792184786706982848"
  "38720092657580373783023379478809005936895323497079994508111903896764088007465274"
  "2780142494579258788820056842838115669472196386865459400540160";

enum TStep { WRITE_VALUE, WRITE_COLUMN, WRITE_ALL, CHANGE_PRECISION, REBUILD, PASTE };

// Row r of column c holds r + 10 c + 0.25, positions are -2.5 r.
std::vector<double> Column_Values(const int rows, const int column)
{
  std::vector<double> values(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    values[static_cast<std::size_t>(row)] = row + 10.0 * column + 0.25;
  }
  return values;
}

std::vector<double> Positions(const int rows)
{
  std::vector<double> positions(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    positions[static_cast<std::size_t>(row)] = -2.5 * row;
  }
  return positions;
}

// Shows what the view is given to paint for a cell.
class TPaintProbe : public TTableCellDelegate
{
public:
  explicit TPaintProbe(const TEditTable *table) : TTableCellDelegate(table, nullptr) {}

  QStyleOptionViewItem Option(const QModelIndex &index) const
  {
    QStyleOptionViewItem option;
    initStyleOption(&option, index);
    return option;
  }
};

// Values and positions 0, 10, 20, ... kept outside the table.
class TOwned_Values : public TTable_Values
{
public:
  double Value(int row, int) const override { return values[static_cast<std::size_t>(row)]; }
  double Position(int row) const override { return 10.0 * row; }
  std::vector<double> values;
};

}  // namespace

class TTableCellsTest : public QObject
{
  Q_OBJECT

private:
  std::unique_ptr<QWidget> d_window;
  TEditTable *d_table = nullptr;
  // Outlives the window, as an owner of values shown must.
  TOwned_Values d_owned;

  // Every cell item shows its stored value at the precision, blank where never written.
  void Verify_Cells(const int precision, const int written_rows) const
  {
    for (int column = 0; column < d_table->Column_Count(); ++column) {
      for (int row = 0; row < d_table->Row_Count(); ++row) {
        const QString expected =
          row < written_rows ? Format_Number(d_table->Value(row, column), precision) : QString();
        QCOMPARE(d_table->item(row, column)->text(), expected);
        QCOMPARE(d_table->item(row, column)->data(Qt::DisplayRole).toString(), expected);
        QCOMPARE(d_table->item(row, column)->data(Qt::EditRole).toString(), expected);
      }
    }
  }

  void Scroll_To_Row(const int row)
  {
    d_table->scrollToItem(d_table->item(row, 0), QAbstractItemView::PositionAtTop);
  }

  // Paints the table and its row header at once, as an exposed window is painted.
  void Paint()
  {
    d_table->viewport()->repaint();
    d_table->verticalHeader()->viewport()->repaint();
  }

  int Visible_Rows() const
  {
    return d_table->viewport()->height() / d_table->rowHeight(0) + 2;
  }

  // One kind of write; a paste goes through the keyboard as the user's does.
  void Apply_Step(const int step, const int precision)
  {
    switch (step) {
    case WRITE_VALUE:
      d_table->Set_Value(3, 1, -7.75);
      break;
    case WRITE_COLUMN:
      d_table->Set_Column(0, Column_Values(ROWS, 5));
      break;
    case WRITE_ALL: {
      const std::vector<double> store(ROWS * COLUMNS, 1.0e300);
      d_table->Set_Values(store.data());
      break;
    }
    case CHANGE_PRECISION:
      d_table->Set_Display_Precision(precision);
      break;
    case REBUILD:
      d_table->Set_Table_Size(ROWS, COLUMNS);
      break;
    case PASTE:
      d_table->setFocus();
      d_table->setRangeSelected(QTableWidgetSelectionRange(0, 1, 0, 1), true);
      QApplication::clipboard()->setText("-1.5\n2e3\n\n4\n");
      QTest::keyClick(d_table, Qt::Key_V, Qt::ControlModifier);
      break;
    }
  }

  // Text painted inside a cell: the pixels darker than mid-grey, in the cell's own frame.
  static QImage Ink(const QImage &image, const QRect &cell)
  {
    QImage ink(cell.size(), QImage::Format_Mono);
    ink.fill(0);
    for (int y = 0; y < cell.height(); ++y) {
      for (int x = 0; x < cell.width(); ++x) {
        if (qGray(image.pixel(cell.x() + x, cell.y() + y)) < 128) {
          ink.setPixel(x, y, 1);
        }
      }
    }
    return ink;
  }

  // The smallest rectangle holding all the ink; a null rectangle for none.
  static QRect Ink_Box(const QImage &ink)
  {
    QRect box;
    for (int y = 0; y < ink.height(); ++y) {
      for (int x = 0; x < ink.width(); ++x) {
        if (ink.pixelIndex(x, y) != 0) {
          box |= QRect(x, y, 1, 1);
        }
      }
    }
    return box;
  }

  QRect Cell_Rect(const int row, const int column) const
  {
    const QRect cell = d_table->visualRect(d_table->model()->index(row, column));
    return cell.translated(d_table->viewport()->geometry().topLeft());
  }

private slots:
  void init()
  {
    d_window = std::make_unique<QWidget>();
    auto *const layout = new QVBoxLayout(d_window.get());
    d_table = new TEditTable(d_window.get());
    layout->addWidget(d_table);
    d_window->resize(400, 500);
    d_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(d_window.get()));
    d_table->Set_Table_Size(ROWS, COLUMNS);
  }

  void cleanup()
  {
    d_window.reset();
  }

  void items_show_the_store_after_each_step_data()
  {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("written_rows");
    QTest::newRow("one value") << int(WRITE_VALUE) << 1 << ROWS;
    QTest::newRow("whole column") << int(WRITE_COLUMN) << 1 << ROWS;
    QTest::newRow("whole store") << int(WRITE_ALL) << 1 << ROWS;
    QTest::newRow("precision") << int(CHANGE_PRECISION) << 4 << ROWS;
    QTest::newRow("rebuild") << int(REBUILD) << 1 << 0;
    QTest::newRow("paste") << int(PASTE) << 1 << ROWS;
  }

  // Items are read before the step as well, so that a text kept by an item shows up.
  void items_show_the_store_after_each_step()
  {
    QFETCH(int, step);
    QFETCH(int, precision);
    QFETCH(int, written_rows);
    for (int column = 0; column < COLUMNS; ++column) {
      d_table->Set_Column(column, Column_Values(ROWS, column));
    }
    Verify_Cells(1, ROWS);
    Apply_Step(step, precision);
    if (step == PASTE) {
      QCOMPARE(d_table->Value(1, 1), 2000.0);
    }
    Verify_Cells(precision, written_rows);
  }

  void labels_follow_the_latest_source_data()
  {
    QTest::addColumn<bool>("labels_first");
    QTest::addColumn<QString>("label");
    QTest::newRow("positions after labels") << true << "-5.000";
    QTest::newRow("labels after positions") << false << "x";
  }

  void labels_follow_the_latest_source()
  {
    QFETCH(bool, labels_first);
    QFETCH(QString, label);
    QCOMPARE(d_table->verticalHeaderItem(2)->text(), QString());
    if (labels_first) {
      d_table->Set_Row_Labels(QStringList() << "a" << "b" << "x");
      d_table->Set_Row_Positions(Positions(ROWS), LABEL_DIGITS);
    } else {
      d_table->Set_Row_Positions(Positions(ROWS), LABEL_DIGITS);
      QCOMPARE(d_table->verticalHeaderItem(2)->text(), QString("-5.000"));
      d_table->Set_Row_Labels(QStringList() << "a" << "b" << "x");
    }
    QCOMPARE(d_table->verticalHeaderItem(2)->text(), label);
    QCOMPARE(d_table->model()->headerData(2, Qt::Vertical).toString(), label);
    QCOMPARE(d_table->verticalHeaderItem(ROWS - 1)->text(), QString("-12.500"));
    d_table->Set_Table_Size(ROWS, COLUMNS);
    QCOMPARE(d_table->verticalHeaderItem(2)->text(), QString());
  }

  void a_smaller_table_keeps_no_items_beyond_it()
  {
    d_table->Set_Column(0, Column_Values(ROWS, 0));
    QCOMPARE(d_table->item(ROWS - 1, 1)->text(), QString());
    QCOMPARE(d_table->item(ROWS - 1, 0)->text(), QString("5.3"));
    d_table->Set_Table_Size(2, 1);
    QVERIFY(!d_table->item(ROWS - 1, 0));
    QVERIFY(!d_table->item(0, 1));
    QVERIFY(!d_table->verticalHeaderItem(2));
    QCOMPARE(d_table->item(1, 0)->text(), QString());
    d_table->Set_Value(1, 0, 3.0);
    QCOMPARE(d_table->item(1, 0)->text(), QString("3.0"));
  }

  void writes_format_nothing_data()
  {
    QTest::addColumn<int>("step");
    QTest::newRow("one value") << int(WRITE_VALUE);
    QTest::newRow("whole column") << int(WRITE_COLUMN);
    QTest::newRow("whole store") << int(WRITE_ALL);
    QTest::newRow("precision") << int(CHANGE_PRECISION);
    QTest::newRow("rebuild") << int(REBUILD);
  }

  // Until the next paint: a write only marks the view for repainting.
  void writes_format_nothing()
  {
    QFETCH(int, step);
    d_table->Set_Table_Size(MANY_ROWS, 1);
    d_table->Set_Row_Positions(Positions(MANY_ROWS), LABEL_DIGITS);
    const long long before = d_table->Formatting_Count();
    switch (step) {
    case WRITE_VALUE:
      d_table->Set_Value(MANY_ROWS / 2, 0, 1.0e300);
      break;
    case WRITE_COLUMN:
      d_table->Set_Column(0, std::vector<double>(MANY_ROWS, 1.0e300));
      break;
    case WRITE_ALL:
      d_table->Set_Values(std::vector<double>(MANY_ROWS, -1.0e300).data());
      break;
    case CHANGE_PRECISION:
      d_table->Set_Display_Precision(9);
      break;
    case REBUILD:
      d_table->Set_Table_Size(MANY_ROWS, 2);
      break;
    }
    QCOMPARE(d_table->Formatting_Count(), before);
  }

  void painting_formats_only_visible_rows_data()
  {
    QTest::addColumn<int>("row");
    QTest::newRow("top") << 0;
    QTest::newRow("middle") << MANY_ROWS / 2;
    QTest::newRow("bottom") << MANY_ROWS - 1;
  }

  // Measuring the row header reads the labels of its first and last hundred rows once.
  void painting_formats_only_visible_rows()
  {
    QFETCH(int, row);
    d_table->Set_Table_Size(MANY_ROWS, 1);
    d_table->Set_Row_Positions(Positions(MANY_ROWS), LABEL_DIGITS);
    d_table->Set_Column(0, std::vector<double>(MANY_ROWS, 1.0e300));
    QApplication::processEvents();
    Paint();
    const long long before = d_table->Formatting_Count();
    Scroll_To_Row(row);
    Paint();
    QApplication::processEvents();
    const long long formatted = d_table->Formatting_Count() - before;
    QVERIFY2(formatted > 0, "nothing was painted");
    QVERIFY2(formatted <= 4 * Visible_Rows(), qPrintable(QString::number(formatted)));
    const int shown = d_table->rowAt(0);
    QVERIFY(std::abs(shown - row) < Visible_Rows());
    QCOMPARE(d_table->model()->headerData(shown, Qt::Vertical).toString(),
             Format_Number(-2.5 * shown, LABEL_DIGITS));
  }

  void sizing_columns_formats_a_bounded_number_of_rows()
  {
    d_table->Set_Table_Size(MANY_ROWS, 1);
    d_table->Set_Column(0, std::vector<double>(MANY_ROWS, 1.0e300));
    const long long before = d_table->Formatting_Count();
    d_table->Resize_Columns(true);
    QVERIFY(d_table->Formatting_Count() - before <= 1000);
    QVERIFY(d_table->columnWidth(0) > d_table->fontMetrics().horizontalAdvance(QString(300, '9')));
  }

  void extreme_values_format_as_before_data()
  {
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("text");
    QTest::newRow("huge") << 1.0e300 << 2 << QString(HUGE_DIGITS) + ".00";
    QTest::newRow("huge negative") << -1.0e300 << 0 << "-" + QString(HUGE_DIGITS);
    QTest::newRow("tiny") << 1.0e-300 << 2 << "0.00";
    QTest::newRow("tiny negative") << -1.0e-300 << 2 << "-0.00";
    QTest::newRow("negative zero") << -0.0 << 1 << "0.0";
    QTest::newRow("not a number") << std::nan("") << 3 << "nan";
    QTest::newRow("infinity") << infinity << 3 << "inf";
    QTest::newRow("negative infinity") << -infinity << 3 << "-inf";
  }

  // The item, the painted cell and the label all show the same text.
  void extreme_values_format_as_before()
  {
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, text);
    d_table->Set_Display_Precision(precision);
    d_table->Set_Value(4, 1, value);
    d_table->Set_Row_Positions(std::vector<double>(ROWS, value), precision);
    const TPaintProbe probe(d_table);
    const QStyleOptionViewItem option = probe.Option(d_table->model()->index(4, 1));
    QCOMPARE(d_table->item(4, 1)->text().size(), text.size());
    QCOMPARE(d_table->item(4, 1)->text(), text);
    QCOMPARE(option.text, text);
    QVERIFY(option.features & QStyleOptionViewItem::HasDisplay);
    QCOMPARE(option.displayAlignment, Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(d_table->verticalHeaderItem(4)->text(), text);
  }

  void unwritten_cells_paint_blank()
  {
    const TPaintProbe probe(d_table);
    QCOMPARE(probe.Option(d_table->model()->index(2, 0)).text, QString());
    d_table->Set_Value(2, 0, 0.0);
    QCOMPARE(probe.Option(d_table->model()->index(2, 0)).text, QString("0.0"));
  }

  void pasted_text_converts_as_qt_does_data()
  {
    QTest::addColumn<QString>("text");
    const char *const texts[] = {"1.5", "-0", "0.1", "3.14159265358979323846264338327950288",
                                 "1e300", "-1E-300", "1e400", "1e-400", "4.9e-324",
                                 "1.7976931348623157e308", "2.2250738585072014e-308", ".5", "5.",
                                 "+3", " 7 ", "1,5", "1e", "1e+", "-", ".", "-.e1", "nan", "inf",
                                 "-Infinity", "0x10", "1\u00a02", "12345678901234567890123",
                                 "0.000000000000000000000000000000000000000000000000000000001",
                                 "9007199254740993", "1e-5", "2.5e+2", "--1", "1.2.3", "\u0661"};
    for (const char *const text : texts) {
      QTest::newRow(text) << QString::fromUtf8(text);
    }
  }

  // Every field that Qt's own conversion reads lands as the same double, bit for bit; a
  // field it does not read leaves the cell as it was.
  void pasted_text_converts_as_qt_does()
  {
    QFETCH(QString, text);
    bool converted = false;
    const double expected = text.toDouble(&converted);
    d_table->setLocale(QLocale::c());
    d_table->Set_Value(3, 0, 99.0);
    d_table->setFocus();
    d_table->setRangeSelected(QTableWidgetSelectionRange(2, 0, 2, 0), true);
    QApplication::clipboard()->setText("8\n" + text + "\n");
    QTest::keyClick(d_table, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d_table->Value(2, 0), 8.0);
    const double pasted = d_table->Value(3, 0);
    if (!converted) {
      QCOMPARE(pasted, 99.0);
    } else if (std::isnan(expected)) {
      QVERIFY(std::isnan(pasted));
    } else {
      QVERIFY2(std::memcmp(&pasted, &expected, sizeof(double)) == 0,
               qPrintable(QString::number(pasted, 'g', 17) + " != "
                          + QString::number(expected, 'g', 17)));
    }
  }

  void alignment_holds_after_each_step_data()
  {
    items_show_the_store_after_each_step_data();
  }

  // Items made before the step keep answering with the alignment, and so do those made
  // after it; painted cells and row labels are aligned alike.
  void alignment_holds_after_each_step()
  {
    QFETCH(int, step);
    QFETCH(int, precision);
    const QVariant expected = int(Qt::AlignRight | Qt::AlignVCenter);
    d_table->Set_Row_Positions(Positions(ROWS), LABEL_DIGITS);
    d_table->Set_Column(0, Column_Values(ROWS, 0));
    QCOMPARE(d_table->item(0, 0)->data(Qt::TextAlignmentRole), expected);
    QCOMPARE(d_table->verticalHeaderItem(0)->data(Qt::TextAlignmentRole), expected);
    Apply_Step(step, precision);
    d_table->Set_Row_Positions(Positions(ROWS), LABEL_DIGITS);
    const TPaintProbe probe(d_table);
    for (int row = 0; row < ROWS; ++row) {
      const QModelIndex index = d_table->model()->index(row, 1);
      QCOMPARE(d_table->item(row, 0)->data(Qt::TextAlignmentRole), expected);
      QCOMPARE(d_table->item(row, 1)->data(Qt::TextAlignmentRole), expected);
      QCOMPARE(d_table->model()->headerData(row, Qt::Vertical, Qt::TextAlignmentRole), expected);
      QCOMPARE(int(probe.Option(index).displayAlignment), expected.toInt());
    }
  }

  void editor_text_stays_where_the_cell_text_was_data()
  {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("point_size");
    QTest::newRow("short") << 12.5 << 1 << 0 << 0 << 0;
    QTest::newRow("negative, second column") << -123.45 << 2 << 3 << 1 << 0;
    QTest::newRow("last row") << 7.25 << 2 << 5 << 0 << 0;
    for (int size = 8; size <= 16; ++size) {
      QTest::newRow(qPrintable(QString("%1 points").arg(size))) << 42.5 << 1 << 1 << 0 << size;
    }
  }

  // Pixel for pixel: the cell painted by the view, then the editor opened over it on the
  // same text. The view places glyphs at fractions of a pixel and the editor at whole
  // pixels, so the text's left end may differ by one pixel; in the table's own font its
  // right end and its rows may not. Other font sizes put glyph edges at other fractions,
  // and there a pixel's difference remains. The editor's cursor is hidden, as it blinks.
  void editor_text_stays_where_the_cell_text_was()
  {
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, point_size);
    if (point_size > 0) {
      QFont font = d_table->font();
      font.setPointSize(point_size);
      d_table->setFont(font);
      d_table->resizeRowsToContents();
    }
    d_table->Set_Display_Precision(precision);
    d_table->Set_Value(row, column, value);
    d_table->setCurrentCell(row, column, QItemSelectionModel::NoUpdate);
    d_table->clearSelection();
    const QRect cell = Cell_Rect(row, column);
    const QImage painted = Ink(d_table->grab().toImage(), cell);
    QVERIFY(!Ink_Box(painted).isNull());
    d_table->setFocus();
    QTest::keyClick(d_table, Qt::Key_F2);
    auto *const editor = d_table->findChild<TTableLineEditor *>();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->text(), d_table->Cell_Text(row, column));
    QCOMPARE(editor->geometry(), cell);
    editor->setReadOnly(true);
    const QImage edited = Ink(d_table->grab().toImage(), cell);
    const QRect before = Ink_Box(painted);
    const QRect after = Ink_Box(edited);
    const int allowed = point_size > 0 ? 1 : 0;
    QVERIFY2(qAbs(after.right() - before.right()) <= allowed, "the text moved sideways");
    QVERIFY2(qAbs(after.top() - before.top()) <= allowed, "the text moved up or down");
    QVERIFY2(qAbs(after.bottom() - before.bottom()) <= allowed, "the text moved up or down");
    QVERIFY2(qAbs(after.left() - before.left()) <= 1, "the text changed its width");
    QCOMPARE(after.height(), before.height());
  }

  void label_items_take_written_text_data()
  {
    QTest::addColumn<int>("role");
    QTest::newRow("display role") << int(Qt::DisplayRole);
    QTest::newRow("edit role") << int(Qt::EditRole);
  }

  // Text written into a label item through Qt becomes the row's label, and reads back
  // through either role.
  void label_items_take_written_text()
  {
    QFETCH(int, role);
    d_table->Set_Row_Positions(Positions(ROWS), LABEL_DIGITS);
    d_table->verticalHeaderItem(1)->setData(role, QString("here"));
    QCOMPARE(d_table->Row_Label(1), QString("here"));
    QCOMPARE(d_table->verticalHeaderItem(1)->text(), QString("here"));
    QCOMPARE(d_table->verticalHeaderItem(1)->data(Qt::EditRole).toString(), QString("here"));
    QCOMPARE(d_table->verticalHeaderItem(2)->text(), QString("-5.000"));
    QCOMPARE(d_table->verticalHeaderItem(2)->data(Qt::EditRole).toString(), QString("-5.000"));
  }

  // Values held elsewhere: items and labels answer from their owner, rows come and go at
  // the end keeping the current cell, and what the user changes is reported but only the
  // owner stores it.
  void values_held_elsewhere()
  {
    TOwned_Values &owned = d_owned;
    owned.values = {1.5, -2, 3};
    d_table->Show_Values(&owned, 3, 1, LABEL_DIGITS);
    QCOMPARE(d_table->Row_Count(), 3);
    QCOMPARE(d_table->item(1, 0)->text(), QString("-2.0"));
    QCOMPARE(d_table->verticalHeaderItem(2)->text(), QString("20.000"));
    d_table->setCurrentCell(1, 0);
    owned.values.push_back(4.25);
    d_table->Show_Values(&owned, 4, 1, LABEL_DIGITS);
    QCOMPARE(d_table->currentRow(), 1);
    QCOMPARE(d_table->item(3, 0)->text(), QString("4.3"));
    qRegisterMetaType<TCell_Edits>();
    QSignalSpy edited(d_table, &TEditTable::Cells_Edited);
    d_table->setFocus();
    d_table->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 0), true);
    d_table->Set_Selection(9.0);
    QCOMPARE(edited.size(), 1);
    QCOMPARE(edited.first().first().toString(), QString("Set Value"));
    QCOMPARE(edited.first().at(1).value<TCell_Edits>().size(), std::size_t(2));
    QCOMPARE(d_table->Value(0, 0), 1.5);
    owned.values[0] = 9.0;
    d_table->Values_Changed(0, 0);
    QCOMPARE(d_table->item(0, 0)->text(), QString("9.0"));
    owned.values.resize(2);
    d_table->Show_Values(&owned, 2, 1, LABEL_DIGITS);
    QCOMPARE(d_table->currentRow(), 1);
    QVERIFY(!d_table->item(2, 0));
    d_table->Set_Value(0, 0, 5.0);
    QCOMPARE(d_table->Value(0, 0), 9.0);
  }
};

QTEST_MAIN(TTableCellsTest)
#include "test_tablecells.moc"
