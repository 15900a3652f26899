// The window's Edit menu: undo and redo, and the commands on the selected cells.

#include "src/window/vandrel.h"

#include "core/tableeditor.h"
#include "src/files/recovery.h"
#include "src/document/undohistory.h"
#include "src/window/userdialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QUndoStack>

namespace {

// The platform's redo keys, and Ctrl+Y wherever the platform lacks it.
QList<QKeySequence> Redo_Keys()
{
  QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
  const QKeySequence control_y(QStringLiteral("Ctrl+Y"));
  if (!keys.contains(control_y)) {
    keys.append(control_y);
  }
  return keys;
}

}  // namespace

QUndoStack *TVandrel::Undo_Stack() const
{
  return d_history->Stack();
}

void TVandrel::Build_Edit_Menu()
{
  d_history = std::make_unique<TUndo_History>(this);
  QUndoStack *const stack = d_history->Stack();
  QMenu *const menu = menuBar()->addMenu(QStringLiteral("&Edit"));
  menu->setObjectName("edit_menu");
  QAction *const undo = stack->createUndoAction(this, QStringLiteral("&Undo"));
  undo->setObjectName("undo_action");
  undo->setShortcuts(QKeySequence::Undo);
  QAction *const redo = stack->createRedoAction(this, QStringLiteral("&Redo"));
  redo->setObjectName("redo_action");
  redo->setShortcuts(Redo_Keys());
  menu->addAction(undo);
  menu->addAction(redo);
  menu->addSeparator();
  d_interpolate_action = Add_Command(menu, QStringLiteral("&Interpolate"), "interpolate_action");
  d_interpolate_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
  d_add_action = Add_Command(menu, QStringLiteral("&Add\u2026"), "add_action");
  d_multiply_action = Add_Command(menu, QStringLiteral("&Multiply\u2026"), "multiply_action");
  d_set_value_action = Add_Command(menu, QStringLiteral("&Set Value\u2026"), "set_value_action");
  d_invert_action = Add_Command(menu, QStringLiteral("In&vert Sign"), "invert_action");
  connect(stack, &QUndoStack::cleanChanged, this, [this](const bool clean) {
    Clean_Changed(clean);
  });
  connect(stack, &QUndoStack::indexChanged, this, [this] { Document_Changed(); });
}

QAction *TVandrel::Add_Command(QMenu *menu, const QString &text, const QString &name)
{
  QAction *const action = menu->addAction(text);
  action->setObjectName(name);
  action->setEnabled(false);
  return action;
}

// The tables offer the same commands in their context menus; they stay disabled while
// the read-only output table has the focus.
void TVandrel::Connect_Edit_Commands()
{
  connect(d_interpolate_action, &QAction::triggered, this, [this] {
    if (TEditTable *table = Command_Table()) {
      table->Interpolate_Selection();
    }
  });
  connect(d_add_action, &QAction::triggered, this,
          [this] { Ask_And_Apply(QStringLiteral("Add"), &TEditTable::Add_To_Selection); });
  connect(d_multiply_action, &QAction::triggered, this, [this] {
    Ask_And_Apply(QStringLiteral("Multiply"), &TEditTable::Multiply_Selection);
  });
  connect(d_set_value_action, &QAction::triggered, this,
          [this] { Ask_And_Apply(QStringLiteral("Set Value"), &TEditTable::Set_Selection); });
  connect(d_invert_action, &QAction::triggered, this, [this] {
    if (TEditTable *table = Command_Table()) {
      table->Invert_Selection();
    }
  });
  const QList<QAction *> commands = {d_interpolate_action, d_add_action, d_multiply_action,
                                     d_set_value_action, d_invert_action};
  for (TEditTable *table : {d_input_table, d_edit_table, d_output_table}) {
    table->Add_Context_Actions(commands);
    connect(table, &TEditTable::Selection_Changed, this, [this] { Update_Edit_Commands(); });
  }
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget *, QWidget *now) { Focus_Changed(now); });
}

// Focus moving anywhere but to a table (a range field, a dialog) leaves the commands with
// the table that had it last.
void TVandrel::Focus_Changed(QWidget *now)
{
  if (!now) {
    return;
  }
  for (TEditTable *table : {d_input_table, d_edit_table, d_output_table}) {
    if (now == table || table->isAncestorOf(now)) {
      d_focus_table = table;
      Update_Edit_Commands();
      return;
    }
  }
}

TEditTable *TVandrel::Command_Table() const
{
  return d_focus_table && !d_focus_table->Is_Read_Only() ? d_focus_table : nullptr;
}

void TVandrel::Update_Edit_Commands()
{
  const TEditTable *const table = Command_Table();
  const bool selected = table && table->Has_Selection();
  for (QAction *action : {d_add_action, d_multiply_action, d_set_value_action, d_invert_action}) {
    action->setEnabled(selected);
  }
  d_interpolate_action->setEnabled(selected && table->Selected_Row_Count() >= 2);
}

void TVandrel::Ask_And_Apply(const QString &title, void (TEditTable::*command)(const double &))
{
  TEditTable *const table = Command_Table();
  if (!table || !table->Has_Selection()) {
    return;
  }
  double number = 0.0;
  if (d_dialogs->Ask_Number(this, title, &number)) {
    (table->*command)(number);
  }
}

// Back at the saved state, nothing is left to recover.
void TVandrel::Clean_Changed(const bool clean)
{
  setWindowModified(!clean);
  if (clean) {
    d_recovery_timer->stop();
    d_recovery->Remove();
  }
}
