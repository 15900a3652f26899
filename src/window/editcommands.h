#ifndef SRC_WINDOW_EDITCOMMANDS_H
#define SRC_WINDOW_EDITCOMMANDS_H

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMainWindow;
class QWidget;
class TDocument;
class TEditTable;
class TFile_Commands;

// The Edit menu: undo and redo of the document's steps, and the commands on the selected
// cells of the table that has, or last had, the focus. The tables offer the same commands
// in their context menus.
class TEdit_Commands : public QObject
{
  Q_OBJECT

public:
  TEdit_Commands(QMainWindow *window, TDocument *document, TFile_Commands *files,
                 const QList<TEditTable *> &tables);

  // The window goes: focus changes must no longer reach the commands.
  void Stop_Following();

private:
  QAction *Add_Command(const QString &text, const QString &name);
  void Connect_Commands();
  void Focus_Changed(QWidget *now);
  TEditTable *Command_Table() const;
  void Update_Commands();
  void Ask_And_Apply(const QString &title, void (TEditTable::*command)(const double &));

  QMainWindow *d_window;
  TFile_Commands *d_files;
  QList<TEditTable *> d_tables;
  QMenu *d_menu = nullptr;
  // The table that has or last had the focus: the commands act on it.
  TEditTable *d_focus_table = nullptr;
  QAction *d_interpolate_action = nullptr;
  QAction *d_add_action = nullptr;
  QAction *d_multiply_action = nullptr;
  QAction *d_set_value_action = nullptr;
  QAction *d_invert_action = nullptr;
};

#endif
