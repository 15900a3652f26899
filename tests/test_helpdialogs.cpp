#include "src/buildinfo.h"
#include "src/window/helpdialogs.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QAction *Action(const QString &text, const QList<QKeySequence> &shortcuts, QObject *parent)
{
  auto *const action = new QAction(text, parent);
  action->setShortcuts(shortcuts);
  return action;
}

QStringList Commands(const std::vector<TShortcut_Row> &rows)
{
  QStringList commands;
  for (const TShortcut_Row &row : rows) {
    commands.append(row.command);
  }
  return commands;
}

QStringList Keys(const std::vector<TShortcut_Row> &rows)
{
  QStringList keys;
  for (const TShortcut_Row &row : rows) {
    keys.append(row.keys);
  }
  return keys;
}

QStringList Column(const QTableWidget &table, const int column)
{
  QStringList texts;
  for (int row = 0; row < table.rowCount(); ++row) {
    texts.append(table.item(row, column)->text());
  }
  return texts;
}

}  // namespace

class TTest_Help_Dialogs : public QObject
{
  Q_OBJECT

private slots:
  void plain_action_text_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");
    QTest::newRow("mnemonic") << "&Save" << "Save";
    QTest::newRow("mnemonic inside") << "Save &As" << "Save As";
    QTest::newRow("escaped ampersand") << "Input && Output" << "Input & Output";
    QTest::newRow("dots") << "&Open..." << "Open";
    QTest::newRow("ellipsis") << QString::fromUtf8("Export Graph\u2026") << "Export Graph";
    QTest::newRow("shortcut hint") << "&Copy\tCtrl+C" << "Copy";
    QTest::newRow("lone trailing ampersand") << "Fish &" << "Fish &";
    QTest::newRow("plain") << "Zoom Out" << "Zoom Out";
  }

  void plain_action_text()
  {
    QFETCH(QString, text);
    QFETCH(QString, plain);
    QCOMPARE(Plain_Action_Text(text), plain);
  }

  // Each action's shortcuts are given in portable text, separated by "; ".
  void shortcut_rows_list_only_actions_with_keys_data()
  {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("shortcuts");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("no actions") << QStringList() << QStringList() << QStringList()
                                << QStringList();
    QTest::newRow("none has a shortcut") << QStringList{"&Cut", "Invert Sign"}
                                         << QStringList{"", ""} << QStringList()
                                         << QStringList();
    QTest::newRow("mixed, order kept")
        << QStringList{"&Save", "Invert Sign", "Save &As...", "&Quit"}
        << QStringList{"Ctrl+S", "", "Ctrl+Shift+S", "Ctrl+Q"}
        << QStringList{"Save", "Save As", "Quit"}
        << QStringList{"Ctrl+S", "Ctrl+Shift+S", "Ctrl+Q"};
    QTest::newRow("several shortcuts of one action")
        << QStringList{"&Help Contents"} << QStringList{"F1; Ctrl+?"}
        << QStringList{"Help Contents"} << QStringList{"F1, Ctrl+?"};
  }

  void shortcut_rows_list_only_actions_with_keys()
  {
    QFETCH(QStringList, texts);
    QFETCH(QStringList, shortcuts);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, keys);
    QObject owner;
    QList<QAction *> actions;
    for (int i = 0; i < texts.size(); ++i) {
      actions.append(Action(texts[i], QKeySequence::listFromString(shortcuts[i]), &owner));
    }
    const std::vector<TShortcut_Row> rows = Shortcut_Rows(actions);
    QCOMPARE(Commands(rows), commands);
    QCOMPARE(Keys(rows), keys);
  }

  void shortcut_rows_ignore_empty_sequences()
  {
    QObject owner;
    QAction *const blank = Action("&Blank", {QKeySequence()}, &owner);
    QAction *const save =
        Action("&Save", {QKeySequence(), QKeySequence(Qt::CTRL | Qt::Key_S)}, &owner);
    const std::vector<TShortcut_Row> rows = Shortcut_Rows({blank, save});
    QCOMPARE(Commands(rows), QStringList{"Save"});
    QCOMPARE(Keys(rows), QStringList{"Ctrl+S"});
  }

  void shortcut_rows_skip_repeats_and_null()
  {
    QObject owner;
    QAction *const save = Action("&Save", {QKeySequence(Qt::CTRL | Qt::Key_S)}, &owner);
    QAction *const open = Action("&Open...", {QKeySequence(Qt::CTRL | Qt::Key_O)}, &owner);
    const std::vector<TShortcut_Row> rows = Shortcut_Rows({save, nullptr, open, save});
    QCOMPARE(Commands(rows), (QStringList{"Save", "Open"}));
  }

  void dialog_shows_the_rows_read_only()
  {
    QObject owner;
    const QList<QAction *> actions{
        Action("&New", {QKeySequence(Qt::CTRL | Qt::Key_N)}, &owner),
        Action("Invert Sign", {}, &owner),
        Action("&Quit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, &owner)};
    TShortcuts_Dialog dialog(actions);
    auto *const table = dialog.findChild<QTableWidget *>("shortcut_table");
    QVERIFY(table != nullptr);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(Column(*table, 0), (QStringList{"New", "Quit"}));
    QCOMPARE(Column(*table, 1), (QStringList{"Ctrl+N", "Ctrl+Q"}));
    QVERIFY(!(table->item(0, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(!(table->item(1, 1)->flags() & Qt::ItemIsEditable));
  }

  void about_text_names_version_and_licence()
  {
    const QString version = QString::fromLatin1(VANDREL_VERSION);
    QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(version).hasMatch());
    const QString text = About_Text();
    QVERIFY2(text.contains("Vandrel " + version), qPrintable(text));
    QVERIFY(text.contains("MIT licence"));
  }

  void help_menu_lists_actions_known_when_it_opens()
  {
    QMainWindow window;
    QList<QAction *> actions{Action("&Save", {QKeySequence(Qt::CTRL | Qt::Key_S)}, &window)};
    QMenu *const menu = Add_Help_Menu(window.menuBar(), &window, [&actions] { return actions; });
    QCOMPARE(menu->actions().size(), 2);
    actions.append(Action("&Quit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, &window));

    QStringList listed;
    QTimer::singleShot(0, [&listed] {
      auto *const dialog = qobject_cast<TShortcuts_Dialog *>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      listed = Column(*dialog->findChild<QTableWidget *>("shortcut_table"), 0);
      dialog->reject();
    });
    window.findChild<QAction *>("shortcuts_action")->trigger();
    QCOMPARE(listed, (QStringList{"Save", "Quit"}));
  }

  void help_menu_about_opens_a_box_with_the_version()
  {
    QMainWindow window;
    Add_Help_Menu(window.menuBar(), &window, [] { return QList<QAction *>(); });
    QString shown;
    QTimer::singleShot(0, [&shown] {
      QWidget *const box = QApplication::activeModalWidget();
      QVERIFY(box != nullptr);
      shown = box->windowTitle();
      box->close();
    });
    window.findChild<QAction *>("about_action")->trigger();
    QCOMPARE(shown, QString("About Vandrel"));
  }
};

QTEST_MAIN(TTest_Help_Dialogs)
#include "test_helpdialogs.moc"
