// Editing offsets in the graph window of the real main window, with mouse and key events:
// drags, selection, keys, the typed field, undo and redo, and the view they keep.
#include "core/graphwidget.h"
#include "core/numberformat.h"
#include "core/tableeditor.h"
#include "src/model/editoutput.h"
#include "src/window/graphdialog.h"
#include "src/window/helpdialogs.h"
#include "tests/mouse_events.h"
#include "tests/scripted_dialogs.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <cmath>

namespace {

// The window with input 0 to 200 by 10 holding position / 10 and editor 0 to 200 by 50
// holding 0, 1, 2, 1, 0, a clean history, and the graph window shown and active.
class TEditing_Window : public TScripted_Window
{
public:
  explicit TEditing_Window(const TRange &edit = {0, 50, 200}, const bool zero_offset = false)
  {
    TDocument *document = d_window->Document();
    document->Start({0, 10, 200}, edit, zero_offset);
    TCell_Edits values;
    for (int row = 0; row <= 20; ++row) {
      values.push_back({row, 0, row * 1.0});
    }
    document->Edit_Cells(INPUT_DATA, "Paste", values);
    document->Edit_Cells(EDIT_DATA, "Paste", {{1, 0, 1}, {2, 0, 2}, {3, 0, 1}});
    document->Undo_Stack()->clear();
    document->Undo_Stack()->setClean();
    Find<QToolButton>("graph_button")->click();
    if (!QTest::qWaitForWindowExposed(Dialog())) {
      qWarning("graph window not exposed");
    }
    Activate_Graph();
  }

  TVandrel *get() const { return d_window.get(); }
  TInterpolationGraphDialog *Dialog() const { return Find<TInterpolationGraphDialog>("graph_dialog"); }
  TGraphWidget *Graph() const { return Find<TGraphWidget>("graph_widget"); }
  TEditTable *Table(const QString &group) const { return Find<TEditTable>(group + "_table"); }
  QUndoStack *Stack() const { return d_window->Document()->Undo_Stack(); }
  QPoint At(const int row) const { return Graph()->Handle_Position(row).toPoint(); }
  double Offset(const int row) const { return d_window->Document()->Model().Edit()[row].y; }
  void Set_Precision(const int precision) const { Find<QSpinBox>("display_precision")->setValue(precision); }

  void Activate_Graph() const
  {
    QApplication::setActiveWindow(Dialog());
    Graph()->setFocus();
  }

  // A data value's distance on screen, in pixels downwards.
  double Pixels_Down(const double &data) const { return data * Graph()->Screen_Mapping().YScale; }

  void Press(const int row) const
  {
    Send_Mouse(Graph(), QEvent::MouseButtonPress, At(row), Qt::LeftButton, Qt::LeftButton);
  }

  void Move_To(const QPoint &point, const Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
  {
    Send_Mouse(Graph(), QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, modifiers);
  }

  void Release_At(const QPoint &point) const
  {
    Send_Mouse(Graph(), QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
  }

  // Types into an editor cell of the main window, as a user would.
  void Type_In_Cell(const int row, const QString &text) const
  {
    TEditTable *table = Table("edit");
    table->setFocus();
    table->setCurrentCell(row, 0);
    QTest::keyClicks(table, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
  }

  std::vector<int> Table_Rows() const
  {
    std::vector<int> rows;
    for (const QTableWidgetSelectionRange &range : Table("edit")->selectedRanges()) {
      for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
        rows.push_back(row);
      }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }
};

bool Same_View(const TGraphMapping &a, const TGraphMapping &b)
{
  return a.XScale == b.XScale && a.YScale == b.YScale && a.XOffset == b.XOffset
         && a.YOffset == b.YOffset;
}

double Rounded(const double &value, const int precision)
{
  return Format_Number(value, precision).toDouble();
}

}  // namespace

class TGraphEditingTest : public QObject
{
  Q_OBJECT

private slots:
  // While the button is held the offset, the editor and output tables and the handle follow
  // the pointer, at the display precision; Shift moves ten times finer; the release leaves
  // one undo step and the view as it was.
  void drag_sets_the_offset_live_data()
  {
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("fine");
    QTest::newRow("up, one decimal") << 1 << -37 << false;
    QTest::newRow("down, three decimals") << 3 << 23 << false;
    QTest::newRow("up with Shift, two decimals") << 2 << -45 << true;
  }

  void drag_sets_the_offset_live()
  {
    QFETCH(int, precision);
    QFETCH(int, pixels);
    QFETCH(bool, fine);
    TEditing_Window window;
    window.Set_Precision(precision);
    window.Activate_Graph();
    const TGraphMapping view = window.Graph()->Mapping();
    const QPoint from = window.At(2);
    const Qt::KeyboardModifiers modifiers = fine ? Qt::ShiftModifier : Qt::NoModifier;
    window.Press(2);
    for (const int step : {pixels / 2, pixels}) {
      window.Move_To(from + QPoint(1, step), modifiers);
      const double delta = step / window.Graph()->Screen_Mapping().YScale * (fine ? 0.1 : 1.0);
      const double offset = window.Offset(2);
      QCOMPARE(offset, Rounded(2.0 + delta, precision));
      QCOMPARE(window.Table("edit")->Cell_Text(2, 0), Format_Number(offset, precision));
      QCOMPARE(window.Table("edit")->Cell_Text(2, 0).toDouble(), offset);
      QCOMPARE(window.Table("output")->Cell_Text(10, 0), Format_Number(10.0 + offset, precision));
      QCOMPARE(window.Stack()->count(), 1);
      if (!fine) {
        QVERIFY(std::fabs(window.Graph()->Handle_Position(2).y() - (from.y() + step)) <= 0.5 + std::fabs(window.Pixels_Down(std::pow(10.0, -precision))));
      }
    }
    window.Release_At(from + QPoint(1, pixels));
    QCOMPARE(window.Stack()->count(), 1);
    QCOMPARE(window.Stack()->undoText(), QString("Drag Offsets"));
    QVERIFY(window->Document()->Is_Modified());
    QVERIFY(Same_View(window.Graph()->Mapping(), view));
    window.Stack()->undo();
    QCOMPARE(window.Offset(2), 2.0);
  }

  // Escape puts the offset back, ends the drag and leaves no step; the graph window stays.
  void escape_cancels_the_drag()
  {
    TEditing_Window window;
    const QPoint from = window.At(1);
    window.Press(1);
    window.Move_To(from + QPoint(0, -30));
    QVERIFY(window.Offset(1) > 1.0);
    QTest::keyClick(window.Graph(), Qt::Key_Escape);
    QCOMPARE(window.Offset(1), 1.0);
    QCOMPARE(window.Table("edit")->Cell_Text(1, 0), QString("1.0"));
    window.Move_To(from + QPoint(0, -60));
    window.Release_At(from + QPoint(0, -60));
    QCOMPARE(window.Offset(1), 1.0);
    QCOMPARE(window.Stack()->count(), 0);
    QVERIFY(!window->Document()->Is_Modified());
    QVERIFY(window.Dialog()->isVisible());
  }

  // A press away from the handles zooms as before and changes nothing.
  void press_off_the_handles_zooms()
  {
    TEditing_Window window;
    const TGraphMapping view = window.Graph()->Mapping();
    const QPoint corner = window.At(2) + QPoint(25, -60);
    Drag(window.Graph(), Qt::LeftButton, {corner, corner + QPoint(70, 50)});
    QVERIFY(window.Graph()->Mapping().XScale > view.XScale * 3.0);
    QCOMPARE(window.Stack()->count(), 0);
  }

  // Zoomed in, a drag, Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y in the graph window keep the zoom;
  // an edit in the main window fits the graph to the data as before.
  void undo_and_redo_in_the_graph_window_keep_the_view()
  {
    TEditing_Window window;
    const TGraphMapping fitted = window.Graph()->Mapping();
    const QPoint corner(window.At(1).x() - 30, window.At(3).y() - 40);
    Drag(window.Graph(), Qt::LeftButton, {corner, QPoint(window.At(3).x() + 30, window.At(1).y() + 40)});
    const TGraphMapping zoomed = window.Graph()->Mapping();
    QVERIFY(!Same_View(zoomed, fitted));
    Drag(window.Graph(), Qt::LeftButton, {window.At(3), window.At(3) + QPoint(0, -50)});
    const double dragged = window.Offset(3);
    QVERIFY(dragged > 1.0);
    QVERIFY(Same_View(window.Graph()->Mapping(), zoomed));
    const QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
      {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
      {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Y, Qt::ControlModifier}};
    for (int i = 0; i < keys.size(); ++i) {
      QTest::keyClick(window.Graph(), keys[i].first, keys[i].second);
      QCOMPARE(window.Offset(3), i % 2 == 0 ? 1.0 : dragged);
      QVERIFY(Same_View(window.Graph()->Mapping(), zoomed));
    }
    QApplication::setActiveWindow(window.get());
    window.Type_In_Cell(1, "5");
    QCOMPARE(window.Offset(1), 5.0);
    window.Graph()->repaint();
    QCOMPARE(window.Graph()->Mapping().XScale, fitted.XScale);
    QCOMPARE(window.Graph()->Mapping().XOffset, fitted.XOffset);
  }

  // With the zero shift on and points beyond the input, the graph zoomed out and panned,
  // a press finds the handle where it is drawn and the handle follows the pointer.
  void hit_testing_with_the_zero_shift_and_beyond_the_input()
  {
    TEditing_Window window({0, 50, 300}, true);
    Send_Mouse(window.Graph(), QEvent::MouseButtonPress, window.Graph()->Plot_Rect().center(),
               Qt::RightButton, Qt::RightButton);
    Send_Mouse(window.Graph(), QEvent::MouseButtonRelease, window.Graph()->Plot_Rect().center(),
               Qt::RightButton, Qt::NoButton);
    window.Graph()->repaint();
    Drag(window.Graph(), Qt::RightButton, {QPoint(200, 150), QPoint(170, 170)});
    for (const int row : {5, 6, 2}) {
      QVERIFY(window.Graph()->Plot_Rect().contains(window.At(row)));
      const double before = window.Offset(row);
      const QPointF handle = window.Graph()->Handle_Position(row);
      Drag(window.Graph(), Qt::LeftButton, {window.At(row) + QPoint(2, 3), window.At(row) + QPoint(2, -37)});
      const double expected = Rounded(before - 40.0 / window.Graph()->Screen_Mapping().YScale, 1);
      QCOMPARE(window.Offset(row), expected);
      const double slack = 0.5 + std::fabs(window.Pixels_Down(0.1));
      QVERIFY(std::fabs(window.Graph()->Handle_Position(row).y() - (handle.y() - 40.0)) <= slack);
    }
    QCOMPARE(window.Stack()->count(), 3);
  }

  // Changes made while the graph window is hidden, new offsets and a new editor range,
  // reach its points when it is shown again.
  void handles_follow_changes_made_while_hidden()
  {
    TEditing_Window window;
    window.Find<QToolButton>("graph_button")->click();
    QVERIFY(!window.Graph()->isVisible());
    TDocument *document = window.get()->Document();
    document->Edit_Cells(EDIT_DATA, "Paste", {{2, 0, 7.0}});
    document->Set_Edit_Range({0, 25, 200});
    document->Edit_Cells(EDIT_DATA, "Paste", {{3, 0, -4.0}});
    window.Find<QToolButton>("graph_button")->click();
    QVERIFY(QTest::qWaitForWindowExposed(window.Dialog()));
    const Point_List expected = Output_At_Edit_Positions(document->Model());
    const Point_List &shown = window.Graph()->Handles().Points();
    QCOMPARE(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
      QCOMPARE(shown[i].x, expected[i].x);
      QCOMPARE(shown[i].y, expected[i].y);
    }
  }

  // A click selects a point and makes its row current in the editor table; Ctrl+click adds;
  // Shift with a band selects those inside; rows selected in the table mark their points.
  void selection_follows_between_graph_and_table()
  {
    TEditing_Window window;
    Drag(window.Graph(), Qt::LeftButton, {window.At(3)});
    QCOMPARE(window.Table_Rows(), std::vector<int>{3});
    QCOMPARE(window.Table("edit")->currentRow(), 3);
    Drag(window.Graph(), Qt::LeftButton, {window.At(1)}, Qt::ControlModifier);
    QCOMPARE(window.Table_Rows(), (std::vector<int>{1, 3}));
    QCOMPARE(window.Table("edit")->currentRow(), 1);
    const QPoint left_top(window.At(0).x() - 10, window.At(2).y() - 10);
    const QPoint right_bottom(window.At(2).x() + 10, window.At(0).y() + 10);
    Drag(window.Graph(), Qt::LeftButton, {left_top, right_bottom}, Qt::ShiftModifier);
    QCOMPARE(window.Graph()->Handles().Selected(), (std::vector<int>{0, 1, 2}));
    QCOMPARE(window.Table_Rows(), (std::vector<int>{0, 1, 2}));
    TEditTable *table = window.Table("edit");
    table->clearSelection();
    table->setRangeSelected(QTableWidgetSelectionRange(3, 0, 4, 0), true);
    QCOMPARE(window.Graph()->Handles().Selected(), (std::vector<int>{3, 4}));
    QCOMPARE(window.Stack()->count(), 0);
  }

  // Keys in the graph window: Left and Right select, Up and Down move by one step of the
  // display precision (Shift: ten), Delete clears, Return types a value; each that
  // changes offsets is one undo step, which takes back all it changed.
  void keys_move_type_and_clear_data()
  {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QList<double>>("offsets");
    QTest::addColumn<QList<int>>("selected_after");
    QTest::addColumn<QString>("step");
    QTest::newRow("Up") << QList<int>{2} << "Up" << QList<double>{0, 1, 2.1, 1, 0}
                        << QList<int>{2} << "Move Offsets";
    QTest::newRow("Shift+Down on two") << QList<int>{1, 3} << "Shift+Down"
                                       << QList<double>{0, 0, 2, 0, 0} << QList<int>{1, 3}
                                       << "Move Offsets";
    QTest::newRow("Delete") << QList<int>{1, 2} << "Del" << QList<double>{0, 0, 0, 1, 0}
                            << QList<int>{1, 2} << "Delete Offsets";
    QTest::newRow("Return and a typed value") << QList<int>{4} << "Return, type -3.25"
                                              << QList<double>{0, 1, 2, 1, -3.25}
                                              << QList<int>{4} << "Type Offset";
    QTest::newRow("Right, Right, Up") << QList<int>{2} << "Right, Right, Right, Up"
                                      << QList<double>{0, 1, 2, 1, 0.1} << QList<int>{4}
                                      << "Move Offsets";
    QTest::newRow("Left, then Enter with nothing typed") << QList<int>{2} << "Left, Enter, Return"
                                                         << QList<double>{0, 1, 2, 1, 0}
                                                         << QList<int>{1} << "";
    QTest::newRow("text that is no number") << QList<int>{2} << "Return, type 2x"
                                            << QList<double>{0, 1, 2, 1, 0} << QList<int>{2} << "";
  }

  void keys_move_type_and_clear()
  {
    QFETCH(QList<int>, selected);
    QFETCH(QString, keys);
    QFETCH(QList<double>, offsets);
    QFETCH(QList<int>, selected_after);
    QFETCH(QString, step);
    TEditing_Window window;
    window.Graph()->Select_Handles(std::vector<int>(selected.begin(), selected.end()), selected.first());
    auto *field = window.Find<QLineEdit>("graph_offset_field");
    for (const QString &key : keys.split(", ")) {
      if (key.startsWith("type ")) {
        QVERIFY(field->isVisible());
        QTest::keyClicks(field, key.mid(5));
        QTest::keyClick(field, Qt::Key_Return);
      } else {
        QTest::keySequence(field->isVisible() ? static_cast<QWidget *>(field) : window.Graph(),
                           QKeySequence(key));
      }
    }
    QVERIFY(!field->isVisible());
    for (int row = 0; row < offsets.size(); ++row) {
      QCOMPARE(window.Offset(row), offsets[row]);
    }
    QCOMPARE(window.Graph()->Handles().Selected(),
             std::vector<int>(selected_after.begin(), selected_after.end()));
    QCOMPARE(window.Stack()->count(), step.isEmpty() ? 0 : 1);
    if (!step.isEmpty()) {
      QCOMPARE(window.Stack()->undoText(), step);
      window.Stack()->undo();
      const QList<double> before{0, 1, 2, 1, 0};
      for (int row = 0; row < before.size(); ++row) {
        QCOMPARE(window.Offset(row), before[row]);
      }
    }
  }

  // A double click opens the field with the point's offset in full; Escape closes it and
  // changes nothing, and the graph window stays.
  void double_click_opens_the_field()
  {
    TEditing_Window window;
    window.Set_Precision(1);
    window->Document()->Edit_Cells(EDIT_DATA, "Typing", {{3, 0, 1.125}});
    window.Activate_Graph();
    Double_Click(window.Graph(), window.At(3));
    auto *field = window.Find<QLineEdit>("graph_offset_field");
    QVERIFY(field->isVisible());
    QCOMPARE(field->text(), QString("1.125"));
    QVERIFY(window.Graph()->rect().contains(field->geometry()));
    QTest::keyClicks(field, "7");
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!field->isVisible());
    QCOMPARE(window.Offset(3), 1.125);
    QCOMPARE(window.Stack()->count(), 1);
    QVERIFY(window.Dialog()->isVisible());
  }

  // Over a point the readout gives its position, its offset and the output there.
  void readout_over_a_point()
  {
    TEditing_Window window;
    Hover(window.Graph(), window.At(2) + QPoint(1, -2));
    QCOMPARE(window.Graph()->cursor().shape(), Qt::SizeVerCursor);
    QCOMPARE(window.Graph()->Readout(), QString("position 100.0   offset 2.0   output 12.0"));
  }

  // The Help's shortcut table lists the graph window's keys, and Undo once.
  void help_lists_the_graph_keys()
  {
    TEditing_Window window;
    QStringList commands;
    QStringList keys;
    for (const TShortcut_Row &row : Shortcut_Rows(Window_Actions(*window.get()))) {
      commands << row.command;
      keys << row.keys;
    }
    for (const char *command : {"Select Next Point", "Raise Points One Step",
                                   "Raise Points Ten Steps", "Type Point Offset",
                                   "Set Point Offsets to 0"}) {
      QVERIFY2(commands.contains(command), qPrintable(command));
    }
    QCOMPARE(keys[commands.indexOf("Raise Points Ten Steps")],
             QKeySequence("Shift+Up").toString(QKeySequence::NativeText));
    QCOMPARE(commands.count("Undo"), 1);
  }
};

QTEST_MAIN(TGraphEditingTest)

#include "test_graphediting.moc"
