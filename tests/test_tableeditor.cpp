#include "core/assertion.h"
#include "core/tableeditor.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using TCells = QList<double>;
Q_DECLARE_METATYPE(TCells)

namespace {

const int ROWS = 6;
const int COLUMNS = 2;

bool Go_On(const TAssertion_Failure &)
{
  return true;
}

}  // namespace

// Receives by the normalised signature texts the main window uses.
class TReceiver : public QObject
{
  Q_OBJECT

public:
  int changes = 0;
  int starts = 0;
  int ends = 0;

public slots:
  void Changed(const int, const int, const double &) { ++changes; }
  void Start() { ++starts; }
  void End() { ++ends; }
};

class TTableEditorTest : public QObject
{
  Q_OBJECT

private:
  std::unique_ptr<QWidget> d_window;
  TEditTable *d_table = nullptr;
  QLineEdit *d_other = nullptr;

  // Cell (row, column) holds row + 10 * column: 0..5 and 10..15.
  void Fill()
  {
    d_table->Set_Table_Size(ROWS, COLUMNS);
    for (int column = 0; column < COLUMNS; ++column) {
      for (int row = 0; row < ROWS; ++row) {
        d_table->Set_Value(row, column, row + 10.0 * column);
      }
    }
  }

  TCells Store() const
  {
    TCells cells;
    for (int column = 0; column < d_table->Column_Count(); ++column) {
      for (int row = 0; row < d_table->Row_Count(); ++row) {
        cells << d_table->Value(row, column);
      }
    }
    return cells;
  }

  void Select(const int top, const int left, const int bottom, const int right)
  {
    d_table->setFocus();
    d_table->clearSelection();
    d_table->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
  }

  // Keys go where the focus is, as typed keys do: the table, then its open editor.
  static void Type(const QString &text)
  {
    for (const QChar c : text) {
      QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
  }

  TTableLineEditor *Editor() const { return d_table->findChild<TTableLineEditor *>(); }

  QPoint Cell_Center(const int row, const int column) const
  {
    return d_table->visualItemRect(d_table->item(row, column)).center();
  }

  // Runs the context menu and returns the texts of its entries, "-" for a separator,
  // whether Paste is enabled and how many cells stay selected while the menu is open.
  QStringList Context_Menu_Entries(bool *paste_enabled, int *selected = nullptr)
  {
    QStringList entries;
    QTimer::singleShot(0, [this, &entries, paste_enabled, selected] {
      if (selected) {
        *selected = d_table->selectedItems().size();
      }
      auto *const menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
      if (!menu) {
        return;
      }
      for (const QAction *action : menu->actions()) {
        entries << (action->isSeparator() ? QString("-") : action->text());
        if (action->text() == "&Paste") {
          *paste_enabled = action->isEnabled();
        }
      }
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, Cell_Center(0, 0),
                            d_table->viewport()->mapToGlobal(Cell_Center(0, 0)));
    QApplication::sendEvent(d_table->viewport(), &event);
    return entries;
  }

private slots:
  void init()
  {
    QApplication::clipboard()->clear();
    d_window = std::make_unique<QWidget>();
    auto *const layout = new QVBoxLayout(d_window.get());
    d_table = new TEditTable(d_window.get());
    d_other = new QLineEdit(d_window.get());
    layout->addWidget(d_table);
    layout->addWidget(d_other);
    d_window->resize(400, 500);
    d_window->show();
    QVERIFY(QTest::qWaitForWindowActive(d_window.get()));
    Fill();
  }

  void cleanup()
  {
    d_window.reset();
    Set_Assertion_Handler(nullptr);
  }

  void store_is_column_major_and_silent()
  {
    QSignalSpy changes(d_table, &TEditTable::Cell_Changed);
    d_table->Set_Table_Size(3, 2);
    QCOMPARE(d_table->rowCount(), 3);
    QCOMPARE(d_table->columnCount(), 2);
    QVERIFY(d_table->item(2, 1) && d_table->verticalHeaderItem(2) && d_table->horizontalHeaderItem(1));
    QVERIFY(d_table->item(2, 1)->text().isEmpty());
    QCOMPARE(d_table->item(2, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(d_table->item(2, 1)->data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(Store(), TCells({0, 0, 0, 0, 0, 0}));
    d_table->Set_Value(2, 1, 1.5);
    QCOMPARE(d_table->item(2, 1)->text(), QString("1.5"));
    const double values[] = {1, 2, 3, 4, 5, 6};
    d_table->Set_Values(values);
    QCOMPARE(d_table->Value(2, 0), 3.0);
    QCOMPARE(d_table->item(0, 1)->text(), QString("4.0"));
    QCOMPARE(changes.count(), 0);
  }

  // A zero written into a fresh cell must still be shown, though the store held zero.
  void writing_the_stored_value_shows_it()
  {
    d_table->Set_Table_Size(2, 1);
    d_table->Set_Value(0, 0, 0.0);
    QCOMPARE(d_table->item(0, 0)->text(), QString("0.0"));
    d_table->Set_Value(1, 0, 1.26);
    d_table->Set_Display_Precision(2);
    d_table->Set_Value(1, 0, 1.26);
    QCOMPARE(d_table->item(1, 0)->text(), QString("1.26"));
  }

  void empty_sizes_data()
  {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("no rows") << 0 << 5;
    QTest::newRow("no columns") << 5 << 0;
    QTest::newRow("negative") << -1 << 3;
  }

  void empty_sizes()
  {
    QFETCH(int, rows);
    QFETCH(int, columns);
    d_table->Set_Table_Size(rows, columns);
    QCOMPARE(d_table->Row_Count(), 0);
    QCOMPARE(d_table->Column_Count(), 0);
    QCOMPARE(d_table->rowCount(), 0);
    QCOMPARE(d_table->columnCount(), 0);
    d_table->Set_Value(0, 0, 1.0);
    QCOMPARE(d_table->Value(0, 0), 0.0);
  }

  void cells_outside_are_ignored_data()
  {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("row below") << ROWS << 0;
    QTest::newRow("negative row") << -1 << 1;
    QTest::newRow("column right") << 0 << COLUMNS;
    QTest::newRow("negative column") << 3 << -1;
  }

  void cells_outside_are_ignored()
  {
    QFETCH(int, row);
    QFETCH(int, column);
    const TCells before = Store();
    d_table->Set_Value(row, column, 99.0);
    QCOMPARE(d_table->Value(row, column), 0.0);
    QCOMPARE(Store(), before);
  }

  void missing_array_is_refused()
  {
    Set_Assertion_Handler(Go_On);
    const TCells before = Store();
    d_table->Set_Values(nullptr);
    QCOMPARE(Store(), before);
  }

  void number_format_data()
  {
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("five");
    QTest::newRow("precision 0") << 0 << 2.5 << "3" << "5";
    QTest::newRow("precision 1") << 1 << 1.26 << "1.3" << "5.0";
    QTest::newRow("precision 3") << 3 << -2.0 << "-2.000" << "5.000";
  }

  void number_format()
  {
    QFETCH(int, precision);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(QString, five);
    d_table->Set_Value(1, 1, value);
    d_table->Set_Display_Precision(precision);
    QCOMPARE(d_table->item(1, 1)->text(), text);
    QCOMPARE(d_table->item(5, 0)->text(), five);
    QCOMPARE(d_table->Value(1, 1), value);
  }

  // Sizes come from the application font, not from the table's own.
  void cell_size_follows_application_font()
  {
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPointSize(original.pointSize() * 3);
    QApplication::setFont(large);
    d_table->setFont(original);
    d_table->Set_Table_Size(4, 1);
    const QRect bounds = QFontMetrics(large).boundingRect("99999j999^");
    QApplication::setFont(original);
    QCOMPARE(d_table->rowHeight(0), bounds.height() + 8);
    QCOMPARE(d_table->rowHeight(3), bounds.height() + 8);
    QCOMPARE(d_table->columnWidth(0), bounds.width() + 4);
  }

  void row_labels()
  {
    d_table->Set_Row_Labels(QStringList() << "-10.000" << "5.000");
    QCOMPARE(d_table->verticalHeaderItem(0)->text(), QString("-10.000"));
    QCOMPARE(d_table->verticalHeaderItem(1)->text(), QString("5.000"));
    QVERIFY(d_table->verticalHeaderItem(2)->text().isEmpty());
    QCOMPARE(d_table->verticalHeaderItem(1)->data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(d_table->model()->headerData(1, Qt::Vertical).toString(), QString("5.000"));
    QStringList more_than_rows;
    for (int row = 0; row < ROWS + 3; ++row) {
      more_than_rows << QString::number(row);
    }
    d_table->Set_Row_Labels(more_than_rows);
    QCOMPARE(d_table->verticalHeaderItem(ROWS - 1)->text(), QString::number(ROWS - 1));
  }

  // A laid-out header widens as it does when each item is written on its own.
  void row_labels_widen_the_header_as_item_writes_do()
  {
    TEditTable *const by_items = new TEditTable(d_window.get());
    d_window->layout()->addWidget(by_items);
    by_items->Set_Table_Size(ROWS, COLUMNS);
    by_items->Set_Row_Labels(QStringList() << "1");
    d_table->Set_Row_Labels(QStringList() << "1");
    QApplication::processEvents();
    const int narrow = d_table->verticalHeader()->width();
    QStringList labels;
    for (int row = 0; row < ROWS; ++row) {
      labels << QString::number(-123456789.0 * row, 'f', 3);
      by_items->verticalHeaderItem(row)->setData(Qt::DisplayRole, labels.last());
    }
    d_table->Set_Row_Labels(labels);
    QApplication::processEvents();
    QVERIFY(d_table->verticalHeader()->width() > narrow);
    QCOMPARE(d_table->verticalHeader()->width(), by_items->verticalHeader()->width());
  }

  void signals_connect_by_text()
  {
    TReceiver receiver;
    QVERIFY(connect(d_table, SIGNAL(Cell_Changed(const int,const int,const double&)), &receiver,
                    SLOT(Changed(const int,const int,const double&))));
    QVERIFY(connect(d_table, SIGNAL(Start_Multiple_Cell_Change(const QString&)), &receiver,
                    SLOT(Start(void))));
    QVERIFY(connect(d_table, SIGNAL(End_Multiple_Cell_Change(void)), &receiver, SLOT(End(void))));
    Select(0, 0, 1, 1);
    QTest::keyClick(d_table, Qt::Key_Delete);
    QCOMPARE(receiver.changes, 4);
    QCOMPARE(receiver.starts, 1);
    QCOMPARE(receiver.ends, 1);
  }

  void key_table_data()
  {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("read_only");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("opens_editor");
    QTest::addColumn<int>("current_row");
    const int none = Qt::NoModifier;
    const int control = Qt::ControlModifier;
    for (const bool read_only : {false, true}) {
      const QByteArray table = read_only ? "read-only: " : "editable: ";
      QTest::newRow(table + "digit") << int(Qt::Key_7) << none << read_only << true << !read_only << 2;
      QTest::newRow(table + "keypad digit") << int(Qt::Key_3) << int(Qt::KeypadModifier) << read_only << true << !read_only << 2;
      QTest::newRow(table + "minus") << int(Qt::Key_Minus) << none << read_only << true << !read_only << 2;
      QTest::newRow(table + "plus") << int(Qt::Key_Plus) << none << read_only << true << !read_only << 2;
      QTest::newRow(table + "point") << int(Qt::Key_Period) << none << read_only << true << !read_only << 2;
      QTest::newRow(table + "letter") << int(Qt::Key_A) << none << read_only << false << false << 2;
      QTest::newRow(table + "arrow") << int(Qt::Key_Down) << none << read_only << true << false << 3;
      QTest::newRow(table + "F2") << int(Qt::Key_F2) << none << read_only << true << !read_only << 2;
      QTest::newRow(table + "Delete") << int(Qt::Key_Delete) << none << read_only << true << false << 2;
      QTest::newRow(table + "Return") << int(Qt::Key_Return) << none << read_only << true << false << 3;
      QTest::newRow(table + "Ctrl+C") << int(Qt::Key_C) << control << read_only << true << false << 2;
      QTest::newRow(table + "Ctrl+V") << int(Qt::Key_V) << control << read_only << true << false << 2;
      QTest::newRow(table + "Ctrl+X") << int(Qt::Key_X) << control << read_only << true << false << 2;
      QTest::newRow(table + "Ctrl+A") << int(Qt::Key_A) << control << read_only << true << false << 2;
      QTest::newRow(table + "Ctrl+Shift+C") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << read_only << false << false << 2;
      QTest::newRow(table + "Escape") << int(Qt::Key_Escape) << none << read_only << false << false << 2;
      QTest::newRow(table + "Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << read_only << false << false << 2;
    }
  }

  void key_table()
  {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, read_only);
    QFETCH(bool, accepted);
    QFETCH(bool, opens_editor);
    QFETCH(int, current_row);
    d_table->Set_Read_Only(read_only);
    d_table->setCurrentCell(2, 1);
    d_table->setFocus();
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString());
    QApplication::sendEvent(d_table, &event);
    QCOMPARE(event.isAccepted(), accepted);
    QCOMPARE(Editor()->isVisible(), opens_editor);
    QCOMPARE(d_table->currentRow(), current_row);
  }

  // Start at (2, 0) with that cell alone selected; the selection is given as its
  // bounding box top, left, bottom, right.
  void navigation_data()
  {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("current");
    QTest::addColumn<QRect>("selection");
    const int shift = Qt::ShiftModifier;
    const int control = Qt::ControlModifier;
    const int both = Qt::ShiftModifier | Qt::ControlModifier;
    const auto box = [](int top, int left, int bottom, int right) {
      return QRect(QPoint(left, top), QPoint(right, bottom));
    };
    QTest::newRow("Down") << QList<int>{Qt::Key_Down} << 0 << QPoint(3, 0) << box(3, 0, 3, 0);
    QTest::newRow("Up") << QList<int>{Qt::Key_Up} << 0 << QPoint(1, 0) << box(1, 0, 1, 0);
    QTest::newRow("Right") << QList<int>{Qt::Key_Right} << 0 << QPoint(2, 1) << box(2, 1, 2, 1);
    QTest::newRow("Left at the edge") << QList<int>{Qt::Key_Left} << 0 << QPoint(2, 0) << box(2, 0, 2, 0);
    QTest::newRow("Shift+Down twice") << QList<int>{Qt::Key_Down, Qt::Key_Down} << shift << QPoint(4, 0) << box(2, 0, 4, 0);
    QTest::newRow("Shift+Up, Shift+Right") << QList<int>{Qt::Key_Up, Qt::Key_Right} << shift << QPoint(1, 1) << box(1, 0, 2, 1);
    QTest::newRow("End") << QList<int>{Qt::Key_End} << 0 << QPoint(2, COLUMNS - 1) << box(2, COLUMNS - 1, 2, COLUMNS - 1);
    QTest::newRow("Home after Right") << QList<int>{Qt::Key_Right, Qt::Key_Home} << 0 << QPoint(2, 0) << box(2, 0, 2, 0);
    QTest::newRow("Ctrl+End") << QList<int>{Qt::Key_End} << control << QPoint(ROWS - 1, COLUMNS - 1) << box(ROWS - 1, COLUMNS - 1, ROWS - 1, COLUMNS - 1);
    QTest::newRow("Ctrl+Home") << QList<int>{Qt::Key_Home} << control << QPoint(0, 0) << box(0, 0, 0, 0);
    QTest::newRow("Ctrl+Shift+End") << QList<int>{Qt::Key_End} << both << QPoint(ROWS - 1, COLUMNS - 1) << box(2, 0, ROWS - 1, COLUMNS - 1);
    QTest::newRow("Page Down") << QList<int>{Qt::Key_PageDown} << 0 << QPoint(ROWS - 1, 0) << box(ROWS - 1, 0, ROWS - 1, 0);
    QTest::newRow("Page Up") << QList<int>{Qt::Key_PageUp} << 0 << QPoint(0, 0) << box(0, 0, 0, 0);
    QTest::newRow("Ctrl+A") << QList<int>{Qt::Key_A} << control << QPoint(2, 0) << box(0, 0, ROWS - 1, COLUMNS - 1);
  }

  void navigation()
  {
    QFETCH(QList<int>, keys);
    QFETCH(int, modifiers);
    QFETCH(QPoint, current);
    QFETCH(QRect, selection);
    d_table->setFocus();
    d_table->setCurrentCell(2, 0, QItemSelectionModel::ClearAndSelect);
    for (const int key : keys) {
      QTest::keyClick(d_table, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    QCOMPARE(QPoint(d_table->currentRow(), d_table->currentColumn()), current);
    const QList<QTableWidgetSelectionRange> ranges = d_table->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(QRect(QPoint(ranges.first().leftColumn(), ranges.first().topRow()),
                   QPoint(ranges.first().rightColumn(), ranges.first().bottomRow())),
             selection);
  }

  // Only the current cell is selected after Tab, so Ctrl+V at once pastes into it.
  void paste_right_after_tab()
  {
    d_table->setCurrentCell(3, 1);
    d_table->clearSelection();
    d_other->setFocus();
    QApplication::clipboard()->setText("7.5\n8.5\n");
    d_table->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(d_table->hasFocus());
    QCOMPARE(d_table->selectedItems(), QList<QTableWidgetItem *>() << d_table->item(3, 1));
    QTest::keyClick(d_table, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d_table->Value(3, 1), 7.5);
    QCOMPARE(d_table->Value(4, 1), 8.5);
    QCOMPARE(d_table->Value(5, 1), 15.0);
  }

  void tab_into_a_fresh_table_selects_the_first_cell()
  {
    d_table->Set_Table_Size(3, 2);
    d_other->setFocus();
    d_table->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(d_table->hasFocus());
    QCOMPARE(d_table->currentRow(), 0);
    QCOMPARE(d_table->currentColumn(), 0);
    QCOMPARE(d_table->selectedItems().size(), 1);
  }

  void f2_edits_the_stored_value_in_full_data()
  {
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("more digits than shown") << 1.0 / 3.0 << "0.3333333333333333";
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("huge") << 1e300 << "1e+300";
    QTest::newRow("negative tiny") << -2.5e-12 << "-2.5e-12";
  }

  void f2_edits_the_stored_value_in_full()
  {
    QFETCH(double, stored);
    QFETCH(QString, shown);
    d_table->Set_Value(2, 1, stored);
    d_table->setCurrentCell(2, 1);
    d_table->setFocus();
    QSignalSpy changes(d_table, &TEditTable::Cell_Changed);
    QTest::keyClick(d_table, Qt::Key_F2);
    QVERIFY(Editor()->isVisible());
    QCOMPARE(Editor()->text(), shown);
    QCOMPARE(Editor()->cursorPosition(), shown.size());
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(d_table->Value(2, 1), stored);
  }

  void numbers_follow_the_locale_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("typed");
    QTest::newRow("C") << QLocale::c() << "-1234567.25" << "-10.500" << "0.3333333333333333"
                       << "0.55";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << "-1234567.25" << "-10.500" << "0.3333333333333333" << "0.55";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "-1234567,25"
                            << "-10,500" << "0,3333333333333333" << "0,55";
  }

  // Cells, row labels and the F2 text show the table's decimal separator without groups,
  // from the moment its locale changes; a value edited in that form reads back.
  void numbers_follow_the_locale()
  {
    QFETCH(QLocale, locale);
    QFETCH(QString, cell);
    QFETCH(QString, label);
    QFETCH(QString, full);
    QFETCH(QString, typed);
    d_table->Set_Display_Precision(2);
    d_table->Set_Value(0, 0, -1234567.25);
    d_table->Set_Value(1, 0, 1.0 / 3.0);
    d_table->Set_Value(2, 0, 0.5);
    d_table->Set_Row_Positions({-10.5, -4.0, 2.5}, 3);
    d_table->setLocale(locale);
    QCOMPARE(d_table->item(0, 0)->text(), cell);
    QCOMPARE(d_table->Cell_Text(0, 0), cell);
    QCOMPARE(d_table->Row_Label(0), label);
    QCOMPARE(d_table->model()->headerData(0, Qt::Vertical).toString(), label);
    d_table->setCurrentCell(1, 0);
    d_table->setFocus();
    QTest::keyClick(d_table, Qt::Key_F2);
    QCOMPARE(Editor()->text(), full);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    d_table->setCurrentCell(2, 0);
    d_table->setFocus();
    QTest::keyClick(d_table, Qt::Key_F2);
    Type("5");
    QCOMPARE(Editor()->text(), typed);
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCOMPARE(d_table->Value(2, 0), 0.55);
  }

  void f2_then_typing_appends()
  {
    d_table->setCurrentCell(2, 1);
    d_table->setFocus();
    QTest::keyClick(d_table, Qt::Key_F2);
    Type("5");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCOMPARE(d_table->Value(2, 1), 125.0);
  }

  void commands_in_read_only_table_data()
  {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("read_only");
    QTest::addColumn<TCells>("store");
    QTest::addColumn<QString>("clipboard");
    const TCells filled = {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15};
    const TCells cleared = {0, 0, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15};
    const int control = Qt::ControlModifier;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << false << cleared << "9\n";
    QTest::newRow("Delete, read-only") << int(Qt::Key_Delete) << 0 << true << filled << "9\n";
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << control << false << cleared << "0.0\n1.0\n";
    QTest::newRow("Ctrl+X, read-only") << int(Qt::Key_X) << control << true << filled << "9\n";
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << control << false << TCells({9, 9, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << "9\n";
    QTest::newRow("Ctrl+V, read-only") << int(Qt::Key_V) << control << true << filled << "9\n";
    QTest::newRow("Ctrl+C, read-only") << int(Qt::Key_C) << control << true << filled << "0.0\n1.0\n";
  }

  void commands_in_read_only_table()
  {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, read_only);
    QFETCH(TCells, store);
    QFETCH(QString, clipboard);
    QApplication::clipboard()->setText("9\n");
    d_table->Set_Read_Only(read_only);
    Select(0, 0, 1, 0);
    QTest::keyClick(d_table, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Store(), store);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
  }

  void return_wraps_data()
  {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("down") << ENTER_DOWN << 1 << 2;
    QTest::newRow("down from the last row") << ENTER_DOWN << ROWS - 1 << 0;
    QTest::newRow("up") << ENTER_UP << 3 << 2;
    QTest::newRow("up from the first row") << ENTER_UP << 0 << ROWS - 1;
    QTest::newRow("any other mode goes down") << 7 << ROWS - 1 << 0;
  }

  void return_wraps()
  {
    QFETCH(int, mode);
    QFETCH(int, from);
    QFETCH(int, to);
    d_table->Set_Enter_Mode(mode);
    d_table->setCurrentCell(from, 1);
    d_table->setFocus();
    QTest::keyClick(d_table, Qt::Key_Enter);
    QCOMPARE(d_table->currentRow(), to);
    QCOMPARE(d_table->currentColumn(), 1);
    QCOMPARE(d_table->selectedItems(), QList<QTableWidgetItem *>() << d_table->item(to, 1));
  }

  void commit_data()
  {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("entry_mode");
    QTest::addColumn<bool>("committed");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("current_row");
    QTest::newRow("Return") << "1.5" << "return" << ENTRY_REPLACE << true << 1.5 << 3;
    QTest::newRow("Escape") << "-.5" << "escape" << ENTRY_REPLACE << false << 12.0 << 2;
    QTest::newRow("click on another cell") << "+7" << "click" << ENTRY_REPLACE << true << 7.0 << 4;
    QTest::newRow("other widget") << "8" << "other" << ENTRY_REPLACE << true << 8.0 << 2;
    QTest::newRow("adding") << "2" << "return" << ENTRY_ADD << true << 14.0 << 3;
    QTest::newRow("lone minus") << "-" << "return" << ENTRY_REPLACE << false << 12.0 << 3;
    QTest::newRow("letters in the editor") << "1a" << "return" << ENTRY_REPLACE << false << 12.0 << 3;
    QTest::newRow("two points") << "1.2.3" << "escape" << ENTRY_REPLACE << false << 12.0 << 2;
  }

  // Typing starts at (2, 1), which holds 12.
  void commit()
  {
    QFETCH(QString, typed);
    QFETCH(QString, close);
    QFETCH(int, entry_mode);
    QFETCH(bool, committed);
    QFETCH(double, value);
    QFETCH(int, current_row);
    d_table->Set_Entry_Mode(entry_mode);
    d_table->setCurrentCell(2, 1);
    d_table->setFocus();
    QSignalSpy changes(d_table, &TEditTable::Cell_Changed);
    Type(typed);
    QVERIFY(Editor()->isVisible());
    const QRect cell = d_table->visualRect(d_table->model()->index(2, 1));
    QCOMPARE(Editor()->geometry(), cell.translated(d_table->viewport()->geometry().topLeft()));
    QCOMPARE(Editor()->text(), typed);
    if (close == "return") {
      QTest::keyClick(Editor(), Qt::Key_Return);
    } else if (close == "escape") {
      QTest::keyClick(Editor(), Qt::Key_Escape);
    } else if (close == "click") {
      QTest::mouseClick(d_table->viewport(), Qt::LeftButton, Qt::NoModifier, Cell_Center(4, 0));
    } else {
      d_other->setFocus();
    }
    QVERIFY(!Editor()->isVisible());
    QCOMPARE(d_table->Value(2, 1), value);
    QCOMPARE(d_table->item(2, 1)->text(), QString::number(value, 'f', 1));
    QCOMPARE(changes.count(), committed ? 1 : 0);
    if (committed) {
      QCOMPARE(changes.first(), QVariantList() << 2 << 1 << value);
    }
    QCOMPARE(d_table->currentRow(), current_row);
    QCOMPARE(d_table->Value(4, 0), 4.0);
  }

  // Editing makes the edited cell the whole selection; Escape leaves it so, unchanged.
  void escape_leaves_the_edited_cell_selected()
  {
    Select(0, 0, 1, 1);
    d_table->setCurrentCell(2, 1);
    QSignalSpy changes(d_table, &TEditTable::Cell_Changed);
    Type("5");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QVERIFY(!Editor()->isVisible());
    QVERIFY(d_table->hasFocus());
    QCOMPARE(changes.count(), 0);
    QCOMPARE(d_table->selectedItems(), QList<QTableWidgetItem *>() << d_table->item(2, 1));
    QTest::keyClick(d_table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("12.0\n"));
    QCOMPARE(d_table->currentRow(), 2);
  }

  void paste_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<TCells>("store");
    QTest::addColumn<int>("changes");
    // QRect(left, top, width, height) of the selection.
    QTest::newRow("one value over a column") << "7\n" << QRect(0, 0, 1, 6) << TCells({7, 7, 7, 7, 7, 7, 10, 11, 12, 13, 14, 15}) << 6;
    QTest::newRow("block into a cell, cut at the table") << "7\t8\n9\t1\n2\t3\n" << QRect(0, 4, 1, 1) << TCells({0, 1, 2, 3, 7, 9, 10, 11, 12, 13, 8, 1}) << 4;
    QTest::newRow("repeated down") << "7\n8\n" << QRect(1, 0, 1, 5) << TCells({0, 1, 2, 3, 4, 5, 7, 8, 7, 8, 7, 15}) << 5;
    QTest::newRow("repeated across") << "7\n" << QRect(0, 1, 2, 1) << TCells({0, 7, 2, 3, 4, 5, 10, 7, 12, 13, 14, 15}) << 2;
    QTest::newRow("block cut to the selection") << "7\t8\n9\t1\n2\t3\n" << QRect(0, 0, 1, 2) << TCells({7, 9, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 2;
    QTest::newRow("selection of the block's size") << "7\t8\n9\t1\n" << QRect(0, 4, 2, 2) << TCells({0, 1, 2, 3, 7, 9, 10, 11, 12, 13, 8, 1}) << 4;
    QTest::newRow("empty field keeps its cell") << "\t8\n" << QRect(0, 0, 1, 1) << TCells({0, 1, 2, 3, 4, 5, 8, 11, 12, 13, 14, 15}) << 1;
    QTest::newRow("empty line in the middle") << "7\n\n9\n" << QRect(0, 0, 1, 1) << TCells({7, 1, 9, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 2;
    QTest::newRow("short later line") << "7\t8\n9\n" << QRect(0, 0, 1, 1) << TCells({7, 9, 2, 3, 4, 5, 8, 11, 12, 13, 14, 15}) << 3;
    QTest::newRow("long later line") << "7\n9\t8\n" << QRect(0, 0, 1, 1) << TCells({7, 9, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 2;
    QTest::newRow("word leaves its cell") << " word \n" << QRect(1, 3, 1, 1) << TCells({0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 0;
    QTest::newRow("trailing line ends") << "7\n\n\n" << QRect(0, 0, 1, 1) << TCells({7, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 1;
    QTest::newRow("CR LF") << "7\r\n8\r\n" << QRect(0, 0, 1, 1) << TCells({7, 8, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 2;
    QTest::newRow("CR LF, empty last field") << "7\t\r\n8\t\r\n" << QRect(0, 0, 1, 1) << TCells({7, 8, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 2;
    QTest::newRow("CR LF, trailing line ends") << "7\t\r\n\r\n\r\n" << QRect(0, 0, 1, 1) << TCells({7, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 1;
    QTest::newRow("CR LF, empty line in the middle") << "7\r\n\r\n9\r\n" << QRect(0, 0, 1, 1) << TCells({7, 1, 9, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << 2;
    QTest::newRow("only line ends") << "\n\n" << QRect(0, 0, 1, 1) << TCells({0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << -1;
    QTest::newRow("empty clipboard") << "" << QRect(0, 0, 1, 1) << TCells({0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) << -1;
  }

  // A change count of -1 stands for no signal at all, not even the brackets.
  void paste()
  {
    QFETCH(QString, text);
    QFETCH(QRect, selection);
    QFETCH(TCells, store);
    QFETCH(int, changes);
    QApplication::clipboard()->setText(text);
    Select(selection.top(), selection.left(), selection.bottom(), selection.right());
    QSignalSpy changed(d_table, &TEditTable::Cell_Changed);
    QSignalSpy starts(d_table, &TEditTable::Start_Multiple_Cell_Change);
    QSignalSpy ends(d_table, &TEditTable::End_Multiple_Cell_Change);
    QTest::keyClick(d_table, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Store(), store);
    QCOMPARE(changed.count(), qMax(changes, 0));
    QCOMPARE(starts.count(), changes < 0 ? 0 : 1);
    QCOMPARE(ends.count(), changes < 0 ? 0 : 1);
    if (changes >= 0) {
      QCOMPARE(starts.first().first().toString(), QString("Paste values"));
    }
  }

  void paste_adds_in_add_mode()
  {
    d_table->Set_Entry_Mode(ENTRY_ADD);
    QApplication::clipboard()->setText("0.5\t\n");
    Select(1, 0, 2, 1);
    QSignalSpy changed(d_table, &TEditTable::Cell_Changed);
    QTest::keyClick(d_table, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Store(), TCells({0, 1.5, 2.5, 3, 4, 5, 10, 11, 12, 13, 14, 15}));
    QCOMPARE(changed.last(), QVariantList() << 2 << 0 << 2.5);
  }

  void copy_carries_the_digits_shown()
  {
    d_table->Set_Value(0, 0, 1.0);
    d_table->Set_Value(0, 1, -2.5);
    d_table->Set_Value(1, 0, 0.0);
    d_table->Set_Value(1, 1, 10.0);
    Select(0, 0, 1, 1);
    QTest::keyClick(d_table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("1.0\t-2.5\n0.0\t10.0\n"));
    d_table->Set_Value(3, 1, 1.26);
    Select(3, 1, 3, 1);
    QTest::keyClick(d_table, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(d_table, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d_table->Value(3, 1), 1.3);
  }

  // Ctrl+click two cells: the whole rectangle between them counts.
  void separate_cells_act_as_their_bounding_box()
  {
    d_table->setFocus();
    QTest::mouseClick(d_table->viewport(), Qt::LeftButton, Qt::NoModifier, Cell_Center(1, 0));
    QTest::mouseClick(d_table->viewport(), Qt::LeftButton, Qt::ControlModifier, Cell_Center(2, 1));
    QCOMPARE(d_table->selectedItems().size(), 2);
    QTest::keyClick(d_table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("1.0\t11.0\n2.0\t12.0\n"));
  }

  void cut_reports_before_the_clipboard_changes()
  {
    QApplication::clipboard()->setText("old");
    QStringList seen_at_end;
    connect(d_table, &TEditTable::End_Multiple_Cell_Change,
            [&seen_at_end] { seen_at_end << QApplication::clipboard()->text(); });
    QSignalSpy starts(d_table, &TEditTable::Start_Multiple_Cell_Change);
    QSignalSpy changed(d_table, &TEditTable::Cell_Changed);
    Select(4, 0, 5, 0);
    QTest::keyClick(d_table, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(seen_at_end, QStringList() << "old");
    QCOMPARE(QApplication::clipboard()->text(), QString("4.0\n5.0\n"));
    QCOMPARE(starts.first().first().toString(), QString("Cut values"));
    QCOMPARE(changed.last(), QVariantList() << 5 << 0 << 0.0);
    QCOMPARE(d_table->item(5, 0)->text(), QString("0.0"));
  }

  // Invert Sign negates the stored value, not the text shown.
  void invert_sign_from_the_menu()
  {
    d_table->Set_Value(1, 1, 1.26);
    Select(1, 1, 1, 1);
    QSignalSpy starts(d_table, &TEditTable::Start_Multiple_Cell_Change);
    QTimer::singleShot(0, [] {
      if (auto *const menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        menu->actions().last()->trigger();
        menu->close();
      }
    });
    const QPoint position = Cell_Center(1, 1);
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            d_table->viewport()->mapToGlobal(position));
    QApplication::sendEvent(d_table->viewport(), &event);
    QCOMPARE(d_table->Value(1, 1), -1.26);
    QCOMPARE(starts.first().first().toString(), QString("Invert Sign"));
  }

  void context_menu_entries_data()
  {
    QTest::addColumn<bool>("read_only");
    QTest::addColumn<bool>("invert_enabled");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("editable") << false << false << QStringList({"&Cut", "C&opy", "&Paste", "&Delete"});
    QTest::newRow("read-only") << true << false << QStringList({"C&opy"});
    QTest::newRow("with Invert Sign") << false << true << QStringList({"&Cut", "C&opy", "&Paste", "&Delete", "-", "&Invert Sign"});
  }

  // The menu's popup focus keeps the selection it acts on.
  void context_menu_entries()
  {
    QFETCH(bool, read_only);
    QFETCH(bool, invert_enabled);
    QFETCH(QStringList, entries);
    d_table->Set_Read_Only(read_only);
    d_table->Set_Invert_Enabled(invert_enabled);
    Select(0, 0, 1, 0);
    bool paste_enabled = true;
    int selected = 0;
    QCOMPARE(Context_Menu_Entries(&paste_enabled, &selected), entries);
    QCOMPARE(selected, 2);
  }

  // The Paste entry follows clipboard change notifications only; Ctrl+V ignores it.
  void paste_entry_follows_the_clipboard()
  {
    bool paste_enabled = true;
    Context_Menu_Entries(&paste_enabled);
    QVERIFY(!paste_enabled);
    QApplication::clipboard()->setText("3\n");
    Context_Menu_Entries(&paste_enabled);
    QVERIFY(paste_enabled);
    QApplication::clipboard()->clear();
    Context_Menu_Entries(&paste_enabled);
    QVERIFY(!paste_enabled);
  }

  void focus_loss_keeps_the_selection_data()
  {
    QTest::addColumn<int>("reason");
    QTest::newRow("popup") << int(Qt::PopupFocusReason);
    QTest::newRow("mouse") << int(Qt::MouseFocusReason);
    QTest::newRow("tab") << int(Qt::TabFocusReason);
  }

  void focus_loss_keeps_the_selection()
  {
    QFETCH(int, reason);
    Select(1, 0, 2, 1);
    QSignalSpy selection(d_table, &TEditTable::Selection_Changed);
    QFocusEvent event(QEvent::FocusOut, Qt::FocusReason(reason));
    QApplication::sendEvent(d_table, &event);
    QCOMPARE(d_table->selectedItems().size(), 4);
    QCOMPARE(selection.count(), 0);
  }

  // A command started from outside the table (a menu, a button) acts on the selection
  // the table kept when it lost the focus.
  void command_from_outside_acts_on_the_kept_selection()
  {
    Select(1, 0, 2, 1);
    QTest::mouseClick(d_other, Qt::LeftButton);
    d_other->setFocus();
    QCOMPARE(d_table->selectedItems().size(), 4);
    int copies = 0;
    for (QAction *action : d_table->findChildren<QAction *>()) {
      if (action->text() == "C&opy") {
        action->trigger();
        ++copies;
      }
    }
    QCOMPARE(copies, 1);
    QCOMPARE(QApplication::clipboard()->text(), QString("1.0\t11.0\n2.0\t12.0\n"));
  }
};

QTEST_MAIN(TTableEditorTest)

#include "test_tableeditor.moc"
