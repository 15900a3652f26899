#ifndef SRC_WINDOW_HELPDIALOGS_H
#define SRC_WINDOW_HELPDIALOGS_H

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QTableWidget;

// One line of the keyboard shortcut table: what an action does and every key that
// triggers it, as the platform writes keys.
struct TShortcut_Row
{
  QString command;
  QString keys;
};

// The rows for the actions that have at least one shortcut, in the order given; an
// action given twice is listed once.
std::vector<TShortcut_Row> Shortcut_Rows(const QList<QAction *> &actions);

// An action's text as a reader sees it: without mnemonic markers, a trailing ellipsis or
// a tab-separated shortcut hint.
QString Plain_Action_Text(const QString &text);

// The body of the About box: name, version of this build, what the program does and its
// licence, as rich text.
QString About_Text();

// A small dialog with a read-only table of commands and their shortcuts.
class TShortcuts_Dialog : public QDialog
{
  Q_OBJECT

public:
  TShortcuts_Dialog(const QList<QAction *> &actions, QWidget *parent = nullptr);

private:
  QTableWidget *d_table;
};

// Lists the window's actions for the shortcut table when it opens, so actions added
// later are listed too.
using TAction_Source = std::function<QList<QAction *>()>;

// Every action of the window: its menus and their submenus in menu order, then the
// actions of the window and of all widgets within it (tables, dialogs), however deep.
QList<QAction *> Window_Actions(const QMainWindow &window);

// Adds a Help menu with "About Vandrel" and "Keyboard Shortcuts" to the menu bar; the
// dialogs open over parent.
QMenu *Add_Help_Menu(QMenuBar *menu_bar, QWidget *parent, const TAction_Source &actions);

#endif
