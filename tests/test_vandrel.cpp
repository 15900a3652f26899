#include "core/assertion.h"
#include "core/graphwidget.h"
#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/graphdialog.h"
#include "src/window/helpdialogs.h"
#include "src/model/resampling.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"
#include "src/window/windowgeometry.h"
#include "tests/scripted_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const char CONSTRUCTION_PROBE[] = "construction_probe";

QString Settings_Path()
{
  return QDir::homePath() + "/.vandrel/Settings.ini";
}

// Replaces the settings file with the given keys (none: no file and no folder).
void Write_Settings(const QVariantMap &values)
{
  QDir(QDir::homePath() + "/.vandrel").removeRecursively();
  if (values.isEmpty()) {
    return;
  }
  QDir(QDir::homePath()).mkdir(".vandrel");
  QSettings settings(Settings_Path(), QSettings::IniFormat);
  for (auto it = values.cbegin(); it != values.cend(); ++it) {
    settings.setValue(it.key(), it.value());
  }
}

// The window under test, with typed access to its widgets.
class TWindow
{
public:
  TWindow() : d_window(std::make_unique<TVandrel>())
  {
    // Closing discards the test's unsaved changes without a modal question.
    d_window->Set_User_Dialogs(std::make_unique<TScripted_Dialogs>());
    d_window->show();
    QApplication::setActiveWindow(d_window.get());
  }

  TVandrel *operator->() const { return d_window.get(); }
  TVandrel *get() const { return d_window.get(); }

  template <class TChild>
  TChild *Find(const QString &name) const
  {
    TChild *child = d_window->findChild<TChild *>(name);
    if (!child) {
      qFatal("no widget %s", qPrintable(name));
    }
    return child;
  }

  TEditTable *Table(const QString &group) const { return Find<TEditTable>(group + "_table"); }
  TDoubleEdit *Field(const QString &name) const { return Find<TDoubleEdit>(name); }
  TIntEdit *Count(const QString &group) const { return Find<TIntEdit>(group + "_count"); }
  QComboBox *Combo(const QString &name) const { return Find<QComboBox>(name); }
  QToolButton *Button(const QString &name) const { return Find<QToolButton>(name); }
  QSpinBox *Precision() const { return Find<QSpinBox>("display_precision"); }

  // Types into a range field and finishes with Return, as a user would.
  void Type(const QString &field, const QString &text) const
  {
    QLineEdit *edit = Find<QLineEdit>(field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  // Types a number into a table cell: the first key opens the cell editor, which takes
  // the rest and Return.
  void Type_In_Cell(const QString &group, const int row, const QString &text) const
  {
    TEditTable *table = Table(group);
    table->setFocus();
    table->setCurrentCell(row, 0);
    QTest::keyClicks(table, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
  }

  // Pastes text over rows first to last of a table.
  void Paste(const QString &group, const int first, const int last, const QString &text) const
  {
    TEditTable *table = Table(group);
    table->setFocus();
    table->setRangeSelected(QTableWidgetSelectionRange(first, 0, last, 0), true);
    QApplication::clipboard()->setText(text);
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
  }

  QStringList Cells(const QString &group) const
  {
    QStringList texts;
    TEditTable *table = Table(group);
    for (int row = 0; row < table->rowCount(); ++row) {
      texts << table->item(row, 0)->text();
    }
    return texts;
  }

  QStringList Labels(const QString &group) const
  {
    QStringList texts;
    TEditTable *table = Table(group);
    for (int row = 0; row < table->rowCount(); ++row) {
      texts << table->verticalHeaderItem(row)->text();
    }
    return texts;
  }

  void Close() const { d_window->close(); }

private:
  std::unique_ptr<TVandrel> d_window;
};

QStringList Numbers(std::initializer_list<double> values, const int precision = 1)
{
  QStringList texts;
  for (const double value : values) {
    texts << QString::number(value, 'f', precision);
  }
  return texts;
}

QStringList Repeated(const QString &text, const int count)
{
  QStringList texts;
  for (int i = 0; i < count; ++i) {
    texts << text;
  }
  return texts;
}

}  // namespace

class TVandrelTest : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase()
  {
    // Never touch a real settings file: the suite runs with a throw-away home folder.
    QVERIFY(QDir::homePath().contains("vandrel-home"));
  }

  void init() { Write_Settings(QVariantMap()); }

  void first_start_shows_the_defaults()
  {
    TWindow window;
    QCOMPARE(window->windowTitle(), QString("Untitled[*] - Vandrel"));
    QCOMPARE(window->size(), QSize(1001, 635));
    QStringList input_labels;
    for (int i = 0; i < 16; ++i) {
      input_labels << QString::number(-10 + 15 * i) + ".000";
    }
    QCOMPARE(window.Labels("input"), input_labels);
    QCOMPARE(window.Labels("output"), input_labels);
    QCOMPARE(window.Labels("edit"),
             QStringList() << "0.000" << "50.000" << "100.000" << "150.000" << "200.000");
    QCOMPARE(window.Cells("input"), Repeated("0.0", 16));
    QCOMPARE(window.Cells("edit"), Repeated("0.0", 5));
    QCOMPARE(window.Cells("output"), Repeated("0.0", 16));
    QCOMPARE(window.Table("input")->horizontalHeaderItem(0)->text(), QString("Value"));
    QCOMPARE(window.Field("input_start")->text(), QString("-10.0"));
    QCOMPARE(window.Field("output_increment")->text(), QString("15.0"));
    QCOMPARE(window.Count("input")->text(), QString("16"));
    QCOMPARE(window.Count("output")->text(), QString("16"));
    QCOMPARE(window.Count("edit")->text(), QString("5"));
    QCOMPARE(window.Combo("input_selection_mode")->currentText(), QString("Enter Down"));
    QCOMPARE(window.Combo("edit_selection_mode")->currentText(), QString("Enter Down"));
    QCOMPARE(window.Combo("output_copy_option")->currentText(), QString("Data Only"));
    QCOMPARE(window.Precision()->value(), 1);
    QVERIFY(!window.Button("zero_offset_button")->isChecked());
    QVERIFY(!window.Find<TInterpolationGraphDialog>("graph_dialog")->isVisible());
    QCOMPARE(window.Button("graph_button")->text(), QString("Show Graph"));
    for (const QString name : {"output_start", "output_increment", "output_end"}) {
      QVERIFY(window.Field(name)->isReadOnly());
    }
    QVERIFY(window.Count("output")->isReadOnly());
  }

  void worked_example_data()
  {
    QTest::addColumn<bool>("zero_offset");
    QTest::addColumn<QStringList>("outputs");
    const QStringList rise = Numbers({9.6, 10.2, 10.8, 11.4, 12.0, 11.4, 10.8, 10.2});
    const QStringList shifted = Numbers({-0.4, 0.2, 0.8, 1.4, 2.0, 1.4, 0.8, 0.2});
    QTest::newRow("plain") << false << rise + Repeated("10.0", 8);
    QTest::newRow("zero offset") << true << shifted + Repeated("0.0", 8);
  }

  // Every input 10.0 and an offset of 2.0 at position 50.
  void worked_example()
  {
    QFETCH(bool, zero_offset);
    QFETCH(QStringList, outputs);
    TWindow window;
    window.Paste("input", 0, 15, "10\n");
    window.Type_In_Cell("edit", 1, "2");
    QCOMPARE(window.Cells("edit")[1], QString("2.0"));
    if (zero_offset) {
      window.Button("zero_offset_button")->click();
    }
    QCOMPARE(window.Cells("output"), outputs);
    if (zero_offset) {
      window.Button("zero_offset_button")->click();
      QCOMPARE(window.Cells("output")[0], QString("9.6"));
    }
  }

  // Typed steps "field=text", then checks "widget=text" of fields and of the table
  // state "rows:group", "first:group" and "last:group" (labels).
  void range_corrections_data()
  {
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("checks");
    const QVariantMap none;
    QTest::newRow("end not reached")
      << none << QStringList{"input_start=0", "input_increment=3", "input_end=10"}
      << QStringList{"input_count=4", "output_count=4", "last:input=9.000", "input_end=10",
                     "output_end=10.0", "rows:output=4"};
    QTest::newRow("increment too small")
      << QVariantMap{{"Input_Start", 0}, {"Input_Increment", 0.25}, {"Input_End", 10}}
      << QStringList()
      << QStringList{"input_increment=1.0", "output_increment=1.0", "input_count=11",
                     "rows:input=11"};
    QTest::newRow("descending")
      << none << QStringList{"input_increment=5", "input_start=10", "input_end=0"}
      << QStringList{"input_increment=-1.0", "input_count=11", "first:input=10.000",
                     "last:input=0.000", "last:output=0.000"};
    QTest::newRow("editor not finer than input")
      << QVariantMap{{"Edit_Increment", 5}} << QStringList()
      << QStringList{"edit_increment=15.0", "edit_count=14", "last:edit=195.000"};
    QTest::newRow("count of one")
      << none << QStringList{"input_count=1"}
      << QStringList{"input_count=2", "output_count=2", "input_end=5.0", "output_end=5.0",
                     "rows:input=2"};
    QTest::newRow("negative count")
      << none << QStringList{"edit_count=-4"} << QStringList{"edit_count=2", "edit_end=50.0"};
    QTest::newRow("count sets the end")
      << none << QStringList{"input_start=0", "input_count=10", "input_increment=0.5"}
      << QStringList{"input_increment=1.0", "input_end=4.5", "input_count=6"};
    QTest::newRow("end equals start")
      << none << QStringList{"input_end=-10"}
      << QStringList{"rows:input=0", "rows:output=0", "input_count=0", "output_count=0"};
    QTest::newRow("single point")
      << none << QStringList{"edit_end=10"} << QStringList{"rows:edit=0", "edit_count=0"};
    QTest::newRow("increment of zero")
      << none << QStringList{"input_increment=0"}
      << QStringList{"rows:input=0", "input_end=-10.0", "input_count=0"};
    QTest::newRow("not a number")
      << none << QStringList{"input_start=nan", "edit_end=inf"}
      << QStringList{"input_start=0.0", "output_start=0.0", "first:input=0.000", "edit_end=0.0",
                     "rows:edit=0"};
    QTest::newRow("count beyond int")
      << none << QStringList{"edit_count=1e12"}
      << QStringList{"edit_count=" + QString::number(MAXIMUM_ROW_COUNT),
                     "rows:edit=" + QString::number(MAXIMUM_ROW_COUNT)};
  }

  void range_corrections()
  {
    QFETCH(QVariantMap, stored);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, checks);
    Write_Settings(stored);
    TWindow window;
    for (const QString &step : steps) {
      window.Type(step.section('=', 0, 0), step.section('=', 1));
    }
    for (const QString &check : checks) {
      const QString name = check.section('=', 0, 0);
      const QString expected = check.section('=', 1);
      QString actual;
      if (name.startsWith("rows:")) {
        actual = QString::number(window.Table(name.mid(5))->rowCount());
      } else if (name.startsWith("first:")) {
        actual = window.Labels(name.mid(6)).value(0);
      } else if (name.startsWith("last:")) {
        actual = window.Labels(name.mid(5)).value(window.Table(name.mid(5))->rowCount() - 1);
      } else {
        actual = window.Find<QLineEdit>(name)->text();
      }
      QVERIFY2(actual == expected, qPrintable(check + ", but got " + actual));
    }
    // Whatever the ranges, edits, toggles and copies keep working on consistent data.
    window.Button("zero_offset_button")->click();
    window.Button("copy_button")->click();
    const int rows = window.Table("output")->rowCount();
    QCOMPARE(QApplication::clipboard()->text().count('\n'), rows);
    if (window.Table("input")->rowCount() > 0) {
      window.Type_In_Cell("input", 0, "7");
    }
  }

  // Typed input values stay with their rows when the range changes; new rows hold 0.0,
  // and the output is input plus offsets again at once.
  void input_rebuild_keeps_values_and_recomputes()
  {
    TWindow window;
    window.Type_In_Cell("input", 0, "4");
    window.Type_In_Cell("input", 1, "5");
    window.Paste("edit", 0, 4, "1");
    QCOMPARE(window.Cells("output").mid(0, 2), Numbers({5.0, 6.0}));
    window.Type("input_end", "245");
    QCOMPARE(window.Table("input")->rowCount(), 18);
    QCOMPARE(window.Cells("input").mid(0, 2), Numbers({4.0, 5.0}));
    QCOMPARE(window.Cells("input").last(), QString("0.0"));
    QCOMPARE(window.Cells("output").mid(0, 2), Numbers({5.0, 6.0}));
    QCOMPARE(window.Cells("output").last(), QString("1.0"));

    // An editor rebuild clears every offset, and the output follows.
    window.Type("edit_start", "10");
    QCOMPARE(window.Cells("edit"), Repeated("0.0", 5));
    QCOMPARE(window.Cells("output").mid(0, 2), Numbers({4.0, 5.0}));
  }

  // A paste stores every cell at once but recomputes only when it ends.
  void paste_recomputes_once_at_the_end()
  {
    TWindow window;
    TEditTable *input = window.Table("input");
    TEditTable *output = window.Table("output");
    int changes = 0;
    int outputs_changed_during_paste = 0;
    QObject::connect(input, &TEditTable::Cell_Changed, [&](const int row, int, const double &) {
      ++changes;
      outputs_changed_during_paste += output->item(row, 0)->text() != "0.0" ? 1 : 0;
    });
    window.Paste("input", 0, 15, "1\n2\n");
    QCOMPARE(changes, 16);
    QCOMPARE(outputs_changed_during_paste, 0);
    QCOMPARE(window.Cells("output").mid(0, 4), Numbers({1.0, 2.0, 1.0, 2.0}));
  }

  void settings_first_start_writes_every_key()
  {
    QVERIFY(!QDir(QDir::homePath() + "/.vandrel").exists());
    {
      TWindow window;
      QVERIFY(QDir(QDir::homePath() + "/.vandrel").exists());
      window.Close();
    }
    QSettings settings(Settings_Path(), QSettings::IniFormat);
    QStringList keys = settings.allKeys();
    QVERIFY(keys.removeOne("Window_Geometry"));
    QVERIFY(keys.removeOne("Window_State"));
    QCOMPARE(keys.size(), 12);
    QCOMPARE(settings.value("Input_Start").toDouble(), -10.0);
    QCOMPARE(settings.value("Input_Increment").toDouble(), 15.0);
    QCOMPARE(settings.value("Input_End").toDouble(), 215.0);
    QCOMPARE(settings.value("Edit_Start").toDouble(), 0.0);
    QCOMPARE(settings.value("Edit_Increment").toDouble(), 50.0);
    QCOMPARE(settings.value("Edit_End").toDouble(), 200.0);
    QCOMPARE(settings.value("Input_Selection_Mode").toInt(), 0);
    QCOMPARE(settings.value("Edit_Selection_Mode").toInt(), 0);
    QCOMPARE(settings.value("Output_Copy_Option").toInt(), 0);
    QCOMPARE(settings.value("Display_Precision").toInt(), 1);
    QCOMPARE(settings.value("Zero_Offset_Data").toString(), QString("false"));
    QCOMPARE(settings.value("Round_Tick_Numbers").toString(), QString("false"));
  }

  // Menus added after the window was built, and a submenu inside one, are listed too;
  // every action anywhere in the window that has a shortcut is in the table, once.
  void shortcut_table_lists_every_action_with_a_shortcut()
  {
    TWindow window;
    QCOMPARE(window->menuBar()->actions().last()->text(), QString("&Help"));
    QMenu *const later = window->menuBar()->addMenu("&Later");
    later->addAction("&Tidy Up")->setShortcut(QKeySequence("Ctrl+Shift+T"));
    QMenu *const nested = later->addMenu("&Deeper");
    nested->addAction("&Nested Command")->setShortcut(QKeySequence("Ctrl+Alt+N"));
    QStringList expected;
    const QList<QAction *> all = window->findChildren<QAction *>();
    for (const QAction *action : all) {
      if (!action->shortcut().isEmpty()) {
        expected << Plain_Action_Text(action->text());
      }
    }
    // The tables' Cut, Copy, Paste and Delete share their keys and take one row each.
    expected.removeDuplicates();
    QVERIFY(expected.contains("Save As"));
    QVERIFY(expected.contains("Nested Command"));
    QVERIFY(expected.contains("Paste"));
    QStringList listed;
    QTimer::singleShot(0, [&listed] {
      auto *const dialog = qobject_cast<TShortcuts_Dialog *>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      const QTableWidget *const table = dialog->findChild<QTableWidget *>("shortcut_table");
      for (int row = 0; row < table->rowCount(); ++row) {
        listed << table->item(row, 0)->text();
      }
      dialog->reject();
    });
    window->findChild<QAction *>("shortcuts_action")->trigger();
    QCOMPARE(listed.size(), expected.size());
    for (const QString &command : expected) {
      QVERIFY2(listed.contains(command), qPrintable(command));
    }
  }

  void tool_tips_name_the_corrections_data()
  {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("input start") << "input_start" << "\u00b11e300";
    QTest::newRow("input increment") << "input_increment" << "at least 1 in size";
    QTest::newRow("input end") << "input_end" << "text that is no number is refused";
    QTest::newRow("input count") << "input_count" << "at least 2 and at most 1,000,000";
    QTest::newRow("editor start") << "edit_start" << "clears every offset";
    QTest::newRow("editor increment") << "edit_increment" << "as coarse as the input";
    QTest::newRow("editor end") << "edit_end" << "\u00b11e300";
    QTest::newRow("editor count") << "edit_count" << "at most 1,000,000";
    QTest::newRow("output start") << "output_start" << "input's start";
    QTest::newRow("output increment") << "output_increment" << "input's increment";
    QTest::newRow("output end") << "output_end" << "input's end";
    QTest::newRow("output count") << "output_count" << "input's count";
    QTest::newRow("zero offset") << "zero_offset_button" << "position 0";
    QTest::newRow("precision") << "display_precision" << "from 1 to 9";
    QTest::newRow("copy layout") << "output_copy_option" << "separated by a tab";
    QTest::newRow("interpolation") << "edit_interpolation" << "never leaves the range";
  }

  // One sentence each, naming the correction that applies.
  void tool_tips_name_the_corrections()
  {
    QFETCH(QString, widget);
    QFETCH(QString, phrase);
    TWindow window;
    const QString tip = window.Find<QWidget>(widget)->toolTip();
    QVERIFY2(tip.contains(phrase), qPrintable(tip));
    QVERIFY2(tip.endsWith('.') && tip.count(". ") == 0, qPrintable(tip));
  }

  // The window shows the busy cursor while pasted rows go in and the output is computed,
  // and only then.
  void paste_shows_the_busy_cursor_while_it_works()
  {
    TWindow window;
    QList<bool> busy;
    QObject::connect(window.Table("input"), &TEditTable::Cell_Changed, window.get(), [&busy] {
      busy << (QApplication::overrideCursor() != nullptr
               && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    });
    window.Paste("input", 0, 2, "1\n2\n3\n");
    QCOMPARE(busy, (QList<bool>{true, true, true}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void window_comes_back_where_it_was()
  {
    QRect placed(10, 20, 780, 500);
    {
      TWindow window;
      placed.setSize(placed.size().expandedTo(window->minimumSizeHint()));
      window->setGeometry(placed);
      window.Close();
    }
    TWindow window;
    QCOMPARE(window->geometry(), placed);
  }

  void window_comes_back_maximised()
  {
    {
      TWindow window;
      window->showMaximized();
      QTRY_VERIFY(window->isMaximized());
      window.Close();
    }
    TWindow window;
    QTRY_VERIFY(window->isMaximized());
  }

  void lost_window_geometry_falls_back_data()
  {
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<bool>("garbled");
    QTest::newRow("far right, far down") << QRect(9000, 7000, 640, 400) << false;
    QTest::newRow("far left") << QRect(-9000, 10, 640, 400) << false;
    QTest::newRow("only a sliver shows") << QRect(-630, -390, 640, 400) << false;
    QTest::newRow("not a geometry") << QRect(10, 10, 640, 400) << true;
  }

  // A geometry that no screen shows any more, or bytes that are none, give the default
  // size, wholly on the primary screen where it is big enough to hold it.
  void lost_window_geometry_falls_back()
  {
    QFETCH(QRect, saved);
    QFETCH(bool, garbled);
    QWidget elsewhere;
    elsewhere.setGeometry(saved);
    const QByteArray geometry = garbled ? QByteArray("\x01\x02junk") : elsewhere.saveGeometry();
    QCOMPARE(Saved_Frame(geometry).isNull(), garbled);
    Write_Settings({{"Window_Geometry", geometry}, {"Input_Start", 5.0}});
    TWindow window;
    QCOMPARE(window->size(), QSize(DEFAULT_WINDOW_WIDTH, DEFAULT_WINDOW_HEIGHT));
    QVERIFY(Shows_On_A_Screen(window->frameGeometry()));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(window->frameGeometry().topLeft()));
    QCOMPARE(window.Field("input_start")->Value(), 5.0);
  }

  void settings_restart_restores_choices()
  {
    {
      TWindow window;
      window.Type("input_start", "5");
      window.Type("input_increment", "2.5");
      window.Type("input_end", "10");
      window.Type("edit_end", "100");
      window.Precision()->setValue(3);
      window.Combo("output_copy_option")->setCurrentIndex(1);
      window.Combo("edit_selection_mode")->setCurrentIndex(1);
      window.Button("zero_offset_button")->click();
      window.Type_In_Cell("input", 0, "8");
      window.Close();
    }
    TWindow window;
    QCOMPARE(window.Field("input_start")->text(), QString("5.000"));
    QCOMPARE(window.Field("input_increment")->text(), QString("2.500"));
    QCOMPARE(window.Field("output_end")->text(), QString("10.000"));
    QCOMPARE(window.Labels("input"), QStringList() << "5.000" << "7.500" << "10.000");
    QCOMPARE(window.Cells("input"), Repeated("0.000", 3));
    QCOMPARE(window.Count("edit")->text(), QString("3"));
    QCOMPARE(window.Precision()->value(), 3);
    QCOMPARE(window.Combo("output_copy_option")->currentText(), QString("Position and Data"));
    QCOMPARE(window.Combo("edit_selection_mode")->currentText(), QString("Enter Up"));
    QCOMPARE(window.Combo("input_selection_mode")->currentText(), QString("Enter Down"));
    QVERIFY(window.Button("zero_offset_button")->isChecked());

    // Enter Up moves the editor's current cell up; the input table still moves down.
    window.Type_In_Cell("edit", 1, "1");
    QCOMPARE(window.Table("edit")->currentRow(), 0);
    window.Type_In_Cell("input", 1, "1");
    QCOMPARE(window.Table("input")->currentRow(), 2);
  }

  void settings_out_of_range_data()
  {
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("written");
    QTest::newRow("precision above range")
      << QVariantMap{{"Display_Precision", 12}} << "Display_Precision" << "9";
    QTest::newRow("copy option naming no item")
      << QVariantMap{{"Output_Copy_Option", 5}} << "Output_Copy_Option" << "-1";
    QTest::newRow("text instead of a number")
      << QVariantMap{{"Edit_End", "lots"}} << "Edit_End" << "0";
    QTest::newRow("not a number")
      << QVariantMap{{"Input_Start", "nan"}} << "Input_Start" << "0";
    QTest::newRow("infinite end")
      << QVariantMap{{"Input_End", "inf"}} << "Input_End" << "0";
  }

  void settings_out_of_range()
  {
    QFETCH(QVariantMap, stored);
    QFETCH(QString, key);
    QFETCH(QString, written);
    Write_Settings(stored);
    {
      TWindow window;
      if (key == "Output_Copy_Option") {
        QCOMPARE(window.Combo("output_copy_option")->currentText(), QString());
        window.Button("copy_button")->click();
        QVERIFY(!QApplication::clipboard()->text().contains('\t'));
      }
      window.Close();
    }
    QSettings settings(Settings_Path(), QSettings::IniFormat);
    QCOMPARE(settings.value(key).toString(), written);
  }

  void copy_layouts_data()
  {
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("text");
    QTest::newRow("data only") << 0 << 1 << "0.04" << "2.26" << "0.0\n2.3\n";
    QTest::newRow("position and data") << 1 << 2 << "1.5" << "-0.25"
                                       << "-10.00\t1.50\n5.00\t-0.25\n";
    QTest::newRow("data only, three decimals") << 0 << 3 << "1.5" << "-0.25"
                                               << "1.500\n-0.250\n";
    QTest::newRow("nine decimals") << 1 << 9 << "215" << "0"
                                   << "-10.000000000\t215.000000000\n"
                                      "5.000000000\t0.000000000\n";
  }

  void copy_layouts()
  {
    QFETCH(int, option);
    QFETCH(int, precision);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, text);
    TWindow window;
    window.Type("input_end", "5");
    window.Type_In_Cell("input", 0, first);
    window.Type_In_Cell("input", 1, second);
    window.Precision()->setValue(precision);
    window.Combo("output_copy_option")->setCurrentIndex(option);
    window.Button("copy_button")->click();
    QCOMPARE(QApplication::clipboard()->text(), text);
  }

  // Each direction combo steers Return in its own table only.
  void enter_direction_follows_its_combo()
  {
    TWindow window;
    window.Combo("input_selection_mode")->setCurrentIndex(1);
    window.Type_In_Cell("input", 3, "1");
    QCOMPARE(window.Table("input")->currentRow(), 2);
    window.Type_In_Cell("edit", 3, "1");
    QCOMPARE(window.Table("edit")->currentRow(), 4);
    window.Combo("edit_selection_mode")->setCurrentIndex(1);
    window.Combo("input_selection_mode")->setCurrentIndex(0);
    window.Type_In_Cell("edit", 0, "1");
    QCOMPARE(window.Table("edit")->currentRow(), 4);
    window.Type_In_Cell("input", 15, "1");
    QCOMPARE(window.Table("input")->currentRow(), 0);
  }

  void precision_reformats_tables_and_fields()
  {
    TWindow window;
    window.Type_In_Cell("input", 0, "1.23456");
    window.Precision()->setValue(4);
    QCOMPARE(window.Cells("input")[0], QString("1.2346"));
    QCOMPARE(window.Cells("output")[0], QString("1.2346"));
    QCOMPARE(window.Cells("edit")[0], QString("0.0000"));
    QCOMPARE(window.Field("edit_increment")->text(), QString("50.0000"));
    QCOMPARE(window.Field("output_start")->text(), QString("-10.0000"));
    QCOMPARE(window.Count("input")->text(), QString("16"));
    QCOMPARE(window.Labels("input")[0], QString("-10.000"));
  }

  void graph_dialog_follows_the_data()
  {
    TWindow window;
    auto *dialog = window.Find<TInterpolationGraphDialog>("graph_dialog");
    auto *graph = window.Find<TGraphWidget>("graph_widget");
    QCOMPARE(dialog->windowTitle(), QString("Graph Data"));
    QCOMPARE(dialog->minimumSize(), QSize(400, 300));
    window.Type_In_Cell("input", 2, "3");
    window.Type_In_Cell("edit", 0, "1");
    QCOMPARE(graph->Point_Count(0), 16);
    QCOMPARE(graph->Point_Count(1), 16);
    QCOMPARE(graph->Get_Point(0, 2).y, 3.0);
    QCOMPARE(graph->Get_Point(1, 2).x, 20.0);
    QCOMPARE(graph->Get_Point(1, 2).y, 3.0 + 0.6);

    QToolButton *button = window.Button("graph_button");
    button->click();
    QVERIFY(dialog->isVisible());
    QCOMPARE(button->text(), QString("Hide Graph"));
    window.Type("input_end", "20");
    QCOMPARE(graph->Point_Count(0), 3);
    QCOMPARE(graph->Point_Count(1), 3);

    QSignalSpy closed(dialog, SIGNAL(Dialog_Close()));
    dialog->close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!button->isChecked());
    QCOMPARE(button->text(), QString("Show Graph"));
  }

  void tab_order()
  {
    TWindow window;
    const QStringList expected = {
      "input_start", "input_increment", "input_end", "input_count", "input_table",
      "input_selection_mode", "edit_start", "edit_increment", "edit_end", "edit_count",
      "edit_interpolation", "edit_table", "edit_selection_mode", "output_start",
      "output_increment", "output_end",
      "output_count", "output_table", "output_copy_option", "copy_button",
      "zero_offset_button", "display_precision", "graph_button"};
    QStringList chain;
    QWidget *widget = window.Field("input_start");
    while (chain.size() < expected.size()) {
      chain << widget->objectName();
      do {
        widget = widget->nextInFocusChain();
      } while (widget->objectName().isEmpty() || !expected.contains(widget->objectName()));
    }
    QCOMPARE(chain, expected);
  }

  void slots_in_declared_order()
  {
    const QMetaObject &meta = TVandrel::staticMetaObject;
    QCOMPARE(QString(meta.className()), QString("TVandrel"));
    const QStringList expected = {
      "Display_Precision_Changed(int)", "Copy_Output()", "Show_Hide_Graph(bool)",
      "Graph_Closed()", "Zero_Offset_Toggled(bool)", "Input_Selection_Mode_Changed()",
      "Input_Range_Changed()", "Input_Increment_Count_Changed()",
      "Input_Changed(QString,TCell_Edits)", "Edit_Selection_Mode_Changed()",
      "Edit_Range_Changed()", "Edit_Increment_Count_Changed()",
      "Edit_Changed(QString,TCell_Edits)"};
    QStringList own;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
      own << QString(meta.method(i).methodSignature());
    }
    QCOMPARE(own, expected);
  }

  // Runs in a child with signal dumping on; no slot of the window may run while it is built.
  void construction_probe()
  {
    qDebug("construction starts");
    TWindow window;
    qDebug("construction ends");
  }

  void no_slot_runs_during_construction()
  {
    Write_Settings(QVariantMap{{"Zero_Offset_Data", true}, {"Display_Precision", 4},
                               {"Input_Selection_Mode", 1}, {"Output_Copy_Option", 1}});
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                QStringList() << "-vs" << CONSTRUCTION_PROBE);
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QString log = QString::fromLocal8Bit(child.readAllStandardOutput());
    const int start = log.indexOf("construction starts");
    const int end = log.indexOf("construction ends");
    QVERIFY(start >= 0 && end > start);
    const QString during = log.mid(start, end - start);
    QVERIFY2(during.contains("Signal: "), "the signal dump is not working");
    QVERIFY2(!during.contains("Slot: TVandrel"), qPrintable(during));
  }
};

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TVandrelTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_vandrel.moc"
