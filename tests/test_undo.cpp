#include "core/graphwidget.h"
#include "core/numberformat.h"
#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/document/undocommands.h"
#include "src/document/undohistory.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"
#include "tests/scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QString Number(const double &value)
{
  return QString::number(value, 'g', 17);
}

// The window under test with its scripted dialogs and the user's ways of changing data.
class TWindow : public TScripted_Window
{
public:
  QUndoStack *Stack() const { return d_window->Document()->Undo_Stack(); }

  TEditTable *Table(const QString &group) const { return Find<TEditTable>(group + "_table"); }
  QAction *Action(const QString &name) const { return Find<QAction>(name + "_action"); }

  void Type(const QString &field, const QString &text) const
  {
    QLineEdit *edit = Find<QLineEdit>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  void Type_In_Cell(const QString &group, const int row, const QString &text) const
  {
    TEditTable *table = Select(group, row, row);
    QTest::keyClicks(table, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
  }

  // Focuses a table with rows first to last selected.
  TEditTable *Select(const QString &group, const int first, const int last) const
  {
    TEditTable *table = Table(group);
    table->setFocus();
    table->setCurrentCell(first, 0);
    table->clearSelection();
    table->setRangeSelected(QTableWidgetSelectionRange(first, 0, last, 0), true);
    return table;
  }

  void Paste(const QString &group, const int first, const int last, const QString &text) const
  {
    TEditTable *table = Select(group, first, last);
    QApplication::clipboard()->setText(text);
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
  }

  // Everything a step may change, as text: ranges, model, the three tables and the graph.
  QStringList Snapshot() const
  {
    QStringList state;
    for (const char *field : {"input_start", "input_increment", "input_end", "edit_start",
                              "edit_increment", "edit_end", "output_start", "output_end"}) {
      state << QString("%1 %2").arg(field).arg(Find<TDoubleEdit>(field)->Value());
    }
    for (const char *group : {"input", "edit", "output"}) {
      const int count = Find<TIntEdit>(QString(group) + "_count")->Value();
      state << QString("%1 count %2").arg(group).arg(count);
      TEditTable *table = Table(group);
      QStringList cells;
      for (int row = 0; row < table->Row_Count(); ++row) {
        cells << Number(table->Value(row, 0));
      }
      state << QString(group) + " table " + cells.join(' ');
    }
    const TResampling_Model &model = d_window->Document()->Model();
    for (const Point_List *points : {&model.Input(), &model.Edit()}) {
      QStringList values;
      for (const TVector2 &point : *points) {
        values << Number(point.x) + ':' + Number(point.y);
      }
      state << "model " + values.join(' ');
    }
    QStringList output;
    for (const double &value : model.Outputs()) {
      output << Number(value);
    }
    state << "output " + output.join(' ');
    state << QString("zero %1 %2").arg(model.Zero_Offset()).arg(
      Find<QToolButton>("zero_offset_button")->isChecked());
    state << QString("interpolation %1 %2")
               .arg(Interpolation_Name(model.Interpolation()))
               .arg(Find<QComboBox>("edit_interpolation")->currentText());
    TGraphWidget *graph = d_window->findChild<TGraphWidget *>();
    for (int set = 0; set < graph->Data_Set_Count(); ++set) {
      QStringList points;
      for (int i = 0; i < graph->Point_Count(set); ++i) {
        const TVector2 point = graph->Get_Point(set, i);
        points << Number(point.x) + ':' + Number(point.y);
      }
      state << "graph " + points.join(' ');
    }
    return state;
  }

  // The tables show exactly the document: its rows, their positions and its values, as
  // their texts read.
  void Verify_Views_Show_Document() const
  {
    const TResampling_Model &model = d_window->Document()->Model();
    const std::vector<double> outputs = model.Outputs();
    const struct
    {
      const char *group;
      const Point_List &points;
      const std::vector<double> *output;
    } views[] = {{"input", model.Input(), nullptr},
                 {"edit", model.Edit(), nullptr},
                 {"output", model.Input(), &outputs}};
    for (const auto &view : views) {
      TEditTable *table = Table(view.group);
      QCOMPARE(static_cast<std::size_t>(table->rowCount()), view.points.size());
      for (int row = 0; row < table->rowCount(); ++row) {
        const std::size_t i = static_cast<std::size_t>(row);
        const double value = view.output ? (*view.output)[i] : view.points[i].y;
        QCOMPARE(table->item(row, 0)->text(), Format_Number(value, 1));
        QCOMPARE(table->verticalHeaderItem(row)->text(),
                 Format_Number(view.points[i].x, LABEL_PRECISION));
      }
    }
  }
};

// Input 1..16 over the default 16 rows, offsets on the 5 editor rows.
void Fill(const TWindow &window)
{
  QStringList values;
  for (int i = 1; i <= 16; ++i) {
    values << QString::number(i);
  }
  window.Paste("input", 0, 0, values.join('\n'));
  window.Paste("edit", 0, 0, "1\n-2\n3\n-4\n5\n");
}

using TAction = std::function<void(const TWindow &)>;

// A change that changes nothing, logging what it is asked and how large it claims to be.
class TLogged_Change : public TDocument_Change
{
public:
  TLogged_Change(const QString &text, const std::size_t bytes, QStringList *log)
    : TDocument_Change(text), d_bytes(bytes), d_log(log)
  {
  }
  void Apply(TChange_Target *, bool again) override
  {
    *d_log << (again ? "redo " : "do ") + Text();
  }
  void Revert(TChange_Target *) override { *d_log << "undo " + Text(); }
  std::size_t Bytes() const override { return d_bytes; }

private:
  std::size_t d_bytes;
  QStringList *d_log;
};

// A document that holds nothing, for the history alone.
class TNo_Target : public TChange_Target
{
public:
  const TResampling_Model &Model() const override { return d_model; }
  void Write_Cells(TData_Table, const std::vector<TCell_Change> &, bool, bool) override {}
  void Write_Input_Series(const TSeries &, int, const std::vector<double> &) override {}
  void Write_Edit_Series(const TSeries &, const std::vector<double> *) override {}
  void Write_Zero_Offset(bool) override {}
  void Write_Interpolation(TInterpolation) override {}

private:
  TResampling_Model d_model;
};

std::vector<double> Values(const Point_List &points)
{
  std::vector<double> values;
  for (const TVector2 &point : points) {
    values.push_back(point.y);
  }
  return values;
}

// Input 0..4 by 1 holding 1..5, editor 0..4 by 2 holding 10, 20, 30, with no history.
void Fill_Document(TDocument *document)
{
  document->Start({0, 1, 4}, {0, 2, 4}, false);
  document->Edit_Cells(INPUT_DATA, "Paste", {{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {3, 0, 4}, {4, 0, 5}});
  document->Edit_Cells(EDIT_DATA, "Paste", {{0, 0, 10}, {1, 0, 20}, {2, 0, 30}});
  document->Undo_Stack()->clear();
}

// A two-column table for the commands: column 0 is 0 5 2 9, column 1 is 10 0 0 40.
std::unique_ptr<TEditTable> Command_Table()
{
  auto table = std::make_unique<TEditTable>();
  table->Set_Table_Size(4, 2);
  const double values[] = {0, 5, 2, 9, 10, 0, 0, 40};
  table->Set_Values(values);
  return table;
}

QString Columns(const TEditTable &table)
{
  QStringList columns;
  for (int column = 0; column < table.Column_Count(); ++column) {
    QStringList values;
    for (int row = 0; row < table.Row_Count(); ++row) {
      values << Number(table.Value(row, column));
    }
    columns << values.join(' ');
  }
  return columns.join(" | ");
}

}  // namespace

Q_DECLARE_METATYPE(TAction)
Q_DECLARE_METATYPE(std::vector<double>)

class TUndoTest : public QObject
{
  Q_OBJECT

private slots:
  void step_undone_and_redone_data()
  {
    QTest::addColumn<TAction>("action");
    QTest::addColumn<QString>("undo_text");
    QTest::newRow("typed input") << TAction([](const TWindow &w) {
      w.Type_In_Cell("input", 3, "42");
    }) << "Undo Typing";
    QTest::newRow("typed offset") << TAction([](const TWindow &w) {
      w.Type_In_Cell("edit", 2, "7.5");
    }) << "Undo Typing";
    QTest::newRow("paste over rows") << TAction([](const TWindow &w) {
      w.Paste("input", 2, 5, "9\n8\n7\n6\n");
    }) << "Undo Paste";
    QTest::newRow("cut offsets") << TAction([](const TWindow &w) {
      QTest::keyClick(w.Select("edit", 1, 3), Qt::Key_X, Qt::ControlModifier);
    }) << "Undo Cut";
    QTest::newRow("delete input") << TAction([](const TWindow &w) {
      QTest::keyClick(w.Select("input", 0, 15), Qt::Key_Delete);
    }) << "Undo Delete";
    QTest::newRow("invert offsets") << TAction([](const TWindow &w) {
      w.Select("edit", 0, 4);
      w.Action("invert")->trigger();
    }) << "Undo Invert Sign";
    QTest::newRow("interpolate offsets") << TAction([](const TWindow &w) {
      w.Select("edit", 0, 4);
      w.Action("interpolate")->trigger();
    }) << "Undo Interpolate";
    QTest::newRow("input range shrinks") << TAction([](const TWindow &w) {
      w.Type("input_end", "95");
    }) << "Undo Input Range";
    QTest::newRow("input range grows") << TAction([](const TWindow &w) {
      w.Type("input_end", "400");
    }) << "Undo Input Range";
    QTest::newRow("input count") << TAction([](const TWindow &w) {
      w.Type("input_count", "5");
    }) << "Undo Input Range";
    QTest::newRow("editor end") << TAction([](const TWindow &w) {
      w.Type("edit_end", "150");
    }) << "Undo Editor Range";
    QTest::newRow("editor increment") << TAction([](const TWindow &w) {
      w.Type("edit_increment", "20");
    }) << "Undo Editor Range";
    QTest::newRow("zero switch") << TAction([](const TWindow &w) {
      w.Find<QToolButton>("zero_offset_button")->click();
    }) << "Undo Zero Offset";
    QTest::newRow("monotone chosen by key") << TAction([](const TWindow &w) {
      QComboBox *combo = w.Find<QComboBox>("edit_interpolation");
      combo->setFocus();
      QTest::keyClick(combo, Qt::Key_Down);
    }) << "Undo Interpolation";
    QTest::newRow("spline chosen") << TAction([](const TWindow &w) {
      w.Find<QComboBox>("edit_interpolation")->setCurrentIndex(2);
    }) << "Undo Interpolation";
  }

  void step_undone_and_redone()
  {
    QFETCH(TAction, action);
    QFETCH(QString, undo_text);
    TWindow window;
    Fill(window);
    const int steps = window.Stack()->count();
    const QStringList before = window.Snapshot();
    action(window);
    const QStringList after = window.Snapshot();
    QVERIFY(before != after);
    QCOMPARE(window.Stack()->count(), steps + 1);
    QCOMPARE(window.Action("undo")->text(), "&" + undo_text);
    window.Action("undo")->trigger();
    QCOMPARE(window.Snapshot(), before);
    window.Verify_Views_Show_Document();
    window.Action("redo")->trigger();
    QCOMPARE(window.Snapshot(), after);
    window.Verify_Views_Show_Document();
    window.Action("undo")->trigger();
    QCOMPARE(window.Snapshot(), before);
  }

  // Each way chosen shows at once, in the output table and the graph, the input plus the
  // curve through the editor's points joined that way; undo brings back the choice and
  // the output it gave.
  void chosen_way_shows_at_once()
  {
    TWindow window;
    Fill(window);
    QComboBox *combo = window.Find<QComboBox>("edit_interpolation");
    const TResampling_Model &model = window->Document()->Model();
    TGraphWidget *graph = window->findChild<TGraphWidget *>();
    QStringList seen;
    for (const int index : {1, 2, 0}) {
      combo->setCurrentIndex(index);
      const TInterpolation way = static_cast<TInterpolation>(combo->currentData().toInt());
      QCOMPARE(model.Interpolation(), way);
      TCurve_Interpolant curve;
      curve.Set_Points(way, model.Edit());
      QStringList shown;
      for (int row = 0; row < window.Table("output")->rowCount(); ++row) {
        const double expected = model.Input()[row].y + curve.Value(model.Input()[row].x);
        QCOMPARE(window.Table("output")->item(row, 0)->text(), Format_Number(expected, 1));
        QCOMPARE(graph->Get_Point(1, row).y, expected);
        shown << Format_Number(expected, 1);
      }
      seen << shown.join(' ');
    }
    QCOMPARE(seen.removeDuplicates(), 0);
    window.Action("undo")->trigger();
    QCOMPARE(combo->currentText(), QString("Natural spline"));
    QCOMPARE(model.Interpolation(), INTERPOLATION_SPLINE);
    QCOMPARE(window.Table("output")->item(3, 0)->text(), seen[1].split(' ')[3]);
    window.Verify_Views_Show_Document();
  }

  void undo_selects_the_changed_cells()
  {
    TWindow window;
    Fill(window);
    window.Paste("input", 2, 5, "9\n8\n7\n60\n");
    window.Select("input", 12, 12);
    window.Stack()->undo();
    const QList<QTableWidgetSelectionRange> ranges = window.Table("input")->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges.first().topRow(), 2);
    QCOMPARE(ranges.first().bottomRow(), 5);
  }

  // Only cells whose value changed are kept, so a paste of the same values is no step.
  void unchanged_cells_make_no_step()
  {
    TWindow window;
    Fill(window);
    const int steps = window.Stack()->count();
    window.Paste("edit", 0, 0, "1\n-2\n3\n");
    QCOMPARE(window.Stack()->count(), steps);
    window.Type("input_end", "215");
    QCOMPARE(window.Stack()->count(), steps);
  }

  void several_steps_undone_in_turn()
  {
    TWindow window;
    Fill(window);
    const QStringList filled = window.Snapshot();
    window.Type("input_end", "50");
    const QStringList shrunk = window.Snapshot();
    window.Type("edit_end", "100");
    window.Type_In_Cell("edit", 1, "3");
    window.Stack()->undo();
    window.Stack()->undo();
    QCOMPARE(window.Snapshot(), shrunk);
    window.Stack()->undo();
    QCOMPARE(window.Snapshot(), filled);
  }

  void modified_marker_follows_clean_state()
  {
    QTemporaryDir folder;
    TWindow window;
    QVERIFY(!window->isWindowModified());
    window.Type_In_Cell("input", 0, "5");
    QVERIFY(window->isWindowModified());
    window.Stack()->undo();
    QVERIFY(!window->isWindowModified());
    window.Stack()->redo();
    QVERIFY(window->isWindowModified());
    window.Dialogs().save_name = folder.filePath("curve.vandrel");
    QVERIFY(window->File_Commands()->Save_Document());
    QVERIFY(!window->isWindowModified());
    window.Type_In_Cell("input", 1, "6");
    QVERIFY(window->isWindowModified());
    window.Stack()->undo();
    QVERIFY(!window->isWindowModified());
    window.Stack()->undo();
    QVERIFY(window->isWindowModified());
    window.Stack()->redo();
    QVERIFY(!window->isWindowModified());
    window->File_Commands()->New_Document();
    QCOMPARE(window.Stack()->count(), 0);
    QVERIFY(!window->isWindowModified());
    QVERIFY(!window.Action("undo")->isEnabled());
  }

  void opening_starts_an_empty_history()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    TWindow window;
    window.Type_In_Cell("input", 0, "5");
    window.Dialogs().save_name = path;
    QVERIFY(window->File_Commands()->Save_Document_As());
    window.Type_In_Cell("input", 1, "6");
    QVERIFY(window->File_Commands()->Open_File(path));
    QCOMPARE(window.Stack()->count(), 0);
    QVERIFY(!window->isWindowModified());
  }

  void commands_need_an_editable_selection()
  {
    TWindow window;
    const QStringList commands = {"add", "multiply", "set_value", "invert"};
    for (const QString &name : commands + QStringList{"interpolate"}) {
      QVERIFY2(!window.Action(name)->isEnabled(), qPrintable(name));
    }
    window.Select("input", 3, 3);
    for (const QString &name : commands) {
      QVERIFY2(window.Action(name)->isEnabled(), qPrintable(name));
    }
    QVERIFY(!window.Action("interpolate")->isEnabled());
    window.Select("edit", 1, 2);
    QVERIFY(window.Action("interpolate")->isEnabled());
    window.Select("output", 1, 5);
    for (const QString &name : commands + QStringList{"interpolate"}) {
      QVERIFY2(!window.Action(name)->isEnabled(), qPrintable(name));
    }
    // A range field between keeps the commands with the table focused last.
    window.Select("input", 1, 5);
    window.Find<QLineEdit>("edit_start")->setFocus();
    QVERIFY(window.Action("interpolate")->isEnabled());
  }

  void number_commands_read_the_dialog_data()
  {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("undo_text");
    QTest::newRow("add") << "add" << "2.5" << "1 2 5.5 6.5 7.5 6 7" << "&Undo Add";
    QTest::newRow("multiply") << "multiply" << "-2" << "1 2 -6 -8 -10 6 7" << "&Undo Multiply";
    QTest::newRow("set value") << "set_value" << "1e3" << "1 2 1000 1000 1000 6 7"
                               << "&Undo Set Value";
    QTest::newRow("cancelled") << "add" << QString() << "1 2 3 4 5 6 7" << "&Undo Paste";
    QTest::newRow("not a number") << "multiply" << "2x" << "1 2 3 4 5 6 7" << "&Undo Paste";
  }

  void number_commands_read_the_dialog()
  {
    QFETCH(QString, command);
    QFETCH(QString, text);
    QFETCH(QString, rows);
    QFETCH(QString, undo_text);
    TWindow window;
    Fill(window);
    window.Dialogs().number_text = text;
    window.Select("input", 2, 4);
    window.Action(command)->trigger();
    QStringList values;
    for (int row = 0; row < 7; ++row) {
      values << Number(window.Table("input")->Value(row, 0));
    }
    QCOMPARE(values.join(' '), rows);
    QCOMPARE(window.Action("undo")->text(), undo_text);
    QCOMPARE(window.Dialogs().number_titles.size(), 1);
  }

  void control_z_reaches_the_window_from_a_table()
  {
    TWindow window;
    window.Type_In_Cell("input", 0, "5");
    TEditTable *table = window.Select("input", 0, 0);
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(table->Value(0, 0), 0.0);
    QTest::keyClick(table, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(table->Value(0, 0), 5.0);
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(table->Value(0, 0), 5.0);
  }

  // Once Return has finished a range field's edit, Ctrl+Z undoes the range change; while
  // typing, it undoes the typing.
  void control_z_from_a_finished_range_field()
  {
    TWindow window;
    Fill(window);
    const QStringList filled = window.Snapshot();
    window.Type("edit_end", "150");
    QLineEdit *field = window.Find<QLineEdit>("edit_end");
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window.Snapshot(), filled);
    field->selectAll();
    QTest::keyClicks(field, "7");
    const int index = window.Stack()->index();
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window.Stack()->index(), index);
    QVERIFY(field->text() != "7");
  }

  void control_z_in_an_open_cell_stays_there()
  {
    TWindow window;
    window.Type_In_Cell("input", 0, "5");
    TEditTable *table = window.Select("input", 1, 1);
    QTest::keyClicks(table, "7");
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window.Stack()->index(), 1);
    QCOMPARE(table->Value(0, 0), 5.0);
  }

  // Each undo and redo shows its change once, so the output is computed once.
  void range_steps_restore_the_model_data()
  {
    QTest::addColumn<bool>("input");
    QTest::addColumn<double>("end");
    QTest::addColumn<std::vector<double>>("changed");
    QTest::newRow("input shrinks") << true << 2.0 << std::vector<double>{1, 2, 3};
    QTest::newRow("input grows") << true << 6.0 << std::vector<double>{1, 2, 3, 4, 5, 0, 0};
    QTest::newRow("editor shrinks") << false << 2.0 << std::vector<double>{0, 0};
    QTest::newRow("editor grows") << false << 8.0 << std::vector<double>{0, 0, 0, 0, 0};
  }

  void range_steps_restore_the_model()
  {
    QFETCH(bool, input);
    QFETCH(double, end);
    QFETCH(std::vector<double>, changed);
    TDocument document;
    Fill_Document(&document);
    const TResampling_Model &model = document.Model();
    const TContent before = model.Content();
    QSignalSpy ranges(&document,
                      input ? &TDocument::Input_Range_Changed : &TDocument::Edit_Range_Changed);
    QSignalSpy outputs(&document, &TDocument::Output_Changed);
    if (input) {
      document.Set_Input_Range({0, 1, end});
    } else {
      document.Set_Edit_Range({0, 2, end});
    }
    const Point_List &points = input ? model.Input() : model.Edit();
    QCOMPARE(Values(points), changed);
    for (int i = 0; i < 2; ++i) {
      document.Undo_Stack()->undo();
      QCOMPARE(Values(model.Input()), before.values);
      QCOMPARE(Values(model.Edit()), before.offsets);
      QCOMPARE(model.Input_Series().count, before.input.count);
      QCOMPARE(model.Edit_Series().count, before.edit.count);
      document.Undo_Stack()->redo();
      QCOMPARE(Values(points), changed);
    }
    QCOMPARE(ranges.size(), 5);
    QCOMPARE(outputs.size(), 5);
  }

  void cell_step_restores_cells_changed_twice()
  {
    TDocument document;
    Fill_Document(&document);
    QStringList shown;
    const auto record = [&shown](const char *what) {
      return [&shown, what](TData_Table table, int first, int last) {
        shown << QString("%1 %2 %3..%4").arg(what).arg(table).arg(first).arg(last);
      };
    };
    QObject::connect(&document, &TDocument::Cells_Changed, record("cells"));
    QObject::connect(&document, &TDocument::Cells_Revisited, record("revisited"));
    document.Edit_Cells(EDIT_DATA, "Paste", {{2, 0, 7}, {0, 0, 8}, {2, 0, 9}});
    const TResampling_Model &model = document.Model();
    QCOMPARE(Values(model.Edit()), std::vector<double>({8, 20, 9}));
    document.Undo_Stack()->undo();
    QCOMPARE(Values(model.Edit()), std::vector<double>({10, 20, 30}));
    document.Undo_Stack()->redo();
    QCOMPARE(Values(model.Edit()), std::vector<double>({8, 20, 9}));
    QCOMPARE(shown, QStringList({"cells 1 0..2", "cells 1 0..2", "revisited 1 0..2",
                                 "cells 1 0..2", "revisited 1 0..2"}));
    QCOMPARE(Values(model.Input()), std::vector<double>({1, 2, 3, 4, 5}));
  }

  void offsets_of_the_wrong_count_are_refused()
  {
    TDocument document;
    Fill_Document(&document);
    TResampling_Model model = document.Model();
    QVERIFY(!model.Set_Offsets({1, 2}));
    QCOMPARE(Values(model.Edit()), std::vector<double>({10, 20, 30}));
  }

  void history_drops_oldest_steps_data()
  {
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<int>("bytes");
    // The budget is 1000: past it, steps go until at most 750 remain.
    QTest::newRow("within") << QList<int>{300, 300, 400} << QStringList{"0", "1", "2"} << 1000;
    QTest::newRow("over") << QList<int>{300, 300, 300, 300} << QStringList{"2", "3"} << 600;
    QTest::newRow("largest last") << QList<int>{100, 200, 5000} << QStringList{"2"} << 5000;
    QTest::newRow("largest first") << QList<int>{5000, 10, 20} << QStringList{"1", "2"} << 30;
  }

  void history_drops_oldest_steps()
  {
    QFETCH(QList<int>, sizes);
    QFETCH(QStringList, kept);
    QFETCH(int, bytes);
    TNo_Target target;
    QStringList log;
    QObject parent;
    TUndo_History history(&parent, &target, 1000);
    QStringList done;
    for (int i = 0; i < sizes.size(); ++i) {
      history.Push(std::make_unique<TLogged_Change>(QString::number(i),
                                                    static_cast<std::size_t>(sizes[i]), &log));
      done << "do " + QString::number(i);
    }
    QCOMPARE(log, done);
    log.clear();
    QCOMPARE(history.Bytes(), static_cast<std::size_t>(bytes));
    QStringList texts;
    for (int i = 0; i < history.Stack()->count(); ++i) {
      texts << history.Stack()->text(i);
    }
    QCOMPARE(texts, kept);
    while (history.Stack()->canUndo()) {
      history.Stack()->undo();
    }
    QCOMPARE(log.size(), kept.size());
    QCOMPARE(log.first(), "undo " + kept.last());
  }

  // Five steps of 300 against a budget of 1000 keep the last three. The saved state stays
  // where it was among those, so that undoing to it, and only to it, shows the work as
  // saved; a saved state among the dropped can never come back.
  void history_keeps_or_loses_the_clean_state_data()
  {
    QTest::addColumn<int>("clean_after");
    QTest::addColumn<QList<bool>>("clean_while_undoing");
    QTest::newRow("saved after the third") << 3 << QList<bool>{false, true, false};
    QTest::newRow("saved after the fourth") << 4 << QList<bool>{true, false, false};
    QTest::newRow("saved after the second") << 2 << QList<bool>{false, false, true};
    QTest::newRow("saved after the first, dropped") << 1 << QList<bool>{false, false, false};
  }

  void history_keeps_or_loses_the_clean_state()
  {
    QFETCH(int, clean_after);
    QFETCH(QList<bool>, clean_while_undoing);
    TNo_Target target;
    QStringList log;
    QObject parent;
    TUndo_History history(&parent, &target, 1000);
    for (int i = 0; i < 5; ++i) {
      history.Push(std::make_unique<TLogged_Change>(QString::number(i), 300, &log));
      if (i + 1 == clean_after) {
        history.Stack()->setClean();
      }
    }
    QCOMPARE(history.Stack()->count(), 3);
    QVERIFY(!history.Stack()->isClean());
    QList<bool> clean;
    while (history.Stack()->canUndo()) {
      history.Stack()->undo();
      clean << history.Stack()->isClean();
    }
    QCOMPARE(clean, clean_while_undoing);
    while (history.Stack()->canRedo()) {
      history.Stack()->redo();
    }
    QVERIFY(!history.Stack()->isClean());
  }

  void history_forgets_undone_steps()
  {
    TNo_Target target;
    QStringList log;
    QObject parent;
    TUndo_History history(&parent, &target, 1000);
    for (const int size : {100, 200, 400}) {
      history.Push(std::make_unique<TLogged_Change>("step", size, &log));
    }
    history.Stack()->undo();
    history.Stack()->undo();
    history.Push(std::make_unique<TLogged_Change>("step", 50, &log));
    QCOMPARE(history.Bytes(), std::size_t(150));
    history.Clear();
    QCOMPARE(history.Bytes(), std::size_t(0));
  }

  // The steps of a drag merged into one count once; merged into nothing, or withdrawn,
  // they count no more.
  void history_counts_merged_and_withdrawn_steps()
  {
    TNo_Target target;
    QStringList log;
    QObject parent;
    TUndo_History history(&parent, &target, 1000000);
    using TChanges = std::vector<TCell_Change>;
    history.Push(std::make_unique<TLogged_Change>("before", 100, &log));
    history.Push(std::make_unique<TDrag_Changes>(1, TChanges{{0, 1, 2}}));
    const std::size_t one_cell = history.Bytes();
    history.Push(std::make_unique<TDrag_Changes>(1, TChanges{{0, 2, 3}}));
    QCOMPARE(history.Stack()->count(), 2);
    QCOMPARE(history.Bytes(), one_cell);
    history.Push(std::make_unique<TDrag_Changes>(1, TChanges{{1, 0, 5}}));
    QCOMPARE(history.Stack()->count(), 2);
    QCOMPARE(history.Bytes(), 100 + history.Last_Change()->Bytes());
    history.Push(std::make_unique<TDrag_Changes>(2, TChanges{{1, 5, 6}}));
    QCOMPARE(history.Stack()->count(), 3);
    history.Undo_And_Forget();
    QCOMPARE(history.Stack()->count(), 2);
    QVERIFY(!history.Stack()->canRedo());
    QCOMPARE(history.Bytes(), 100 + history.Last_Change()->Bytes());
    history.Push(std::make_unique<TDrag_Changes>(1, TChanges{{0, 3, 1}, {1, 5, 0}}));
    QCOMPARE(history.Stack()->count(), 1);
    QCOMPARE(history.Bytes(), std::size_t(100));
    QCOMPARE(log, QStringList{"do before"});
  }

  void table_commands_data()
  {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("changes");
    // QRect(left column, top row, columns, rows) over 0 5 2 9 | 10 0 0 40.
    QTest::newRow("interpolate block") << "Interpolate" << QRect(0, 0, 2, 4) << 0.0
                                       << "0 3 6 9 | 10 20 30 40" << 4;
    QTest::newRow("interpolate one column") << "Interpolate" << QRect(1, 0, 1, 3) << 0.0
                                            << "0 5 2 9 | 10 5 0 40" << 1;
    QTest::newRow("interpolate inner rows") << "Interpolate" << QRect(0, 1, 1, 3) << 0.0
                                            << "0 5 7 9 | 10 0 0 40" << 1;
    QTest::newRow("interpolate two rows") << "Interpolate" << QRect(0, 0, 2, 2) << 0.0
                                          << "0 5 2 9 | 10 0 0 40" << 0;
    QTest::newRow("interpolate one row") << "Interpolate" << QRect(0, 2, 2, 1) << 0.0
                                         << "0 5 2 9 | 10 0 0 40" << -1;
    QTest::newRow("add single") << "Add" << QRect(1, 1, 1, 1) << 2.5
                                << "0 5 2 9 | 10 2.5 0 40" << 1;
    QTest::newRow("add block") << "Add" << QRect(0, 1, 2, 2) << -1.0
                               << "0 4 1 9 | 10 -1 -1 40" << 4;
    QTest::newRow("multiply column") << "Multiply" << QRect(0, 0, 1, 4) << 3.0
                                     << "0 15 6 27 | 10 0 0 40" << 4;
    QTest::newRow("set value block") << "Set Value" << QRect(0, 2, 2, 2) << 7.0
                                     << "0 5 7 7 | 10 0 7 7" << 4;
    QTest::newRow("invert block") << "Invert Sign" << QRect(0, 1, 2, 1) << 0.0
                                  << "0 -5 2 9 | 10 0 0 40" << 2;
  }

  void table_commands()
  {
    QFETCH(QString, command);
    QFETCH(QRect, selection);
    QFETCH(double, number);
    QFETCH(QString, columns);
    QFETCH(int, changes);
    const std::unique_ptr<TEditTable> table = Command_Table();
    table->setRangeSelected(QTableWidgetSelectionRange(selection.top(), selection.left(),
                                                       selection.bottom(), selection.right()),
                            true);
    QSignalSpy starts(table.get(), &TEditTable::Start_Multiple_Cell_Change);
    QSignalSpy cells(table.get(), &TEditTable::Cell_Changed);
    QSignalSpy ends(table.get(), &TEditTable::End_Multiple_Cell_Change);
    if (command == "Interpolate") {
      table->Interpolate_Selection();
    } else if (command == "Add") {
      table->Add_To_Selection(number);
    } else if (command == "Multiply") {
      table->Multiply_Selection(number);
    } else if (command == "Set Value") {
      table->Set_Selection(number);
    } else {
      table->Invert_Selection();
    }
    QCOMPARE(Columns(*table), columns);
    if (changes < 0) {
      QCOMPARE(starts.size(), 0);
      QCOMPARE(ends.size(), 0);
      return;
    }
    QCOMPARE(starts.size(), 1);
    QCOMPARE(starts.first().first().toString(), command);
    QCOMPARE(cells.size(), changes);
    QCOMPARE(ends.size(), 1);
  }

  void read_only_table_takes_no_command()
  {
    const std::unique_ptr<TEditTable> table = Command_Table();
    table->Set_Read_Only(true);
    table->setRangeSelected(QTableWidgetSelectionRange(0, 0, 3, 1), true);
    QSignalSpy starts(table.get(), &TEditTable::Start_Multiple_Cell_Change);
    table->Interpolate_Selection();
    table->Add_To_Selection(1.0);
    table->Multiply_Selection(2.0);
    table->Set_Selection(3.0);
    table->Invert_Selection();
    QCOMPARE(starts.size(), 0);
    QCOMPARE(Columns(*table), QString("0 5 2 9 | 10 0 0 40"));
  }
};

QTEST_MAIN(TUndoTest)
#include "test_undo.moc"
