#include "src/window/editcommands.h"

#include "core/tableeditor.h"
#include "src/document/document.h"
#include "src/window/filecommands.h"
#include "src/window/userdialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
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

// Undo or Redo, named after the step it takes back or makes again ("&Undo Paste"); a
// translation may put the step's name anywhere in the text.
QAction *Step_Action(QUndoStack *stack, QObject *parent, const bool undo)
{
  const QString named = undo ? TEdit_Commands::tr("&Undo %1") : TEdit_Commands::tr("&Redo %1");
  const QString plain = undo ? TEdit_Commands::tr("&Undo") : TEdit_Commands::tr("&Redo");
  auto *const action = new QAction(parent);
  const auto show = [action, named, plain](const QString &step) {
    action->setText(step.isEmpty() ? plain : named.arg(step));
  };
  show(undo ? stack->undoText() : stack->redoText());
  action->setEnabled(undo ? stack->canUndo() : stack->canRedo());
  QObject::connect(stack, undo ? &QUndoStack::undoTextChanged : &QUndoStack::redoTextChanged,
                   action, show);
  QObject::connect(stack, undo ? &QUndoStack::canUndoChanged : &QUndoStack::canRedoChanged,
                   action, &QAction::setEnabled);
  QObject::connect(action, &QAction::triggered, stack,
                   undo ? &QUndoStack::undo : &QUndoStack::redo);
  return action;
}

}  // namespace

TEdit_Commands::TEdit_Commands(QMainWindow *window, TDocument *document, TFile_Commands *files,
                               const QList<TEditTable *> &tables)
  : QObject(window), d_window(window), d_files(files), d_tables(tables)
{
  QUndoStack *const stack = document->Undo_Stack();
  d_menu = window->menuBar()->addMenu(tr("&Edit"));
  d_menu->setObjectName("edit_menu");
  QAction *const undo = Step_Action(stack, window, true);
  undo->setObjectName("undo_action");
  undo->setShortcuts(QKeySequence::Undo);
  QAction *const redo = Step_Action(stack, window, false);
  redo->setObjectName("redo_action");
  redo->setShortcuts(Redo_Keys());
  d_menu->addAction(undo);
  d_menu->addAction(redo);
  d_menu->addSeparator();
  d_interpolate_action = Add_Command(tr("&Interpolate"), "interpolate_action");
  d_interpolate_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
  d_add_action = Add_Command(tr("&Add\u2026"), "add_action");
  d_multiply_action = Add_Command(tr("&Multiply\u2026"), "multiply_action");
  d_set_value_action = Add_Command(tr("&Set Value\u2026"), "set_value_action");
  d_invert_action = Add_Command(tr("In&vert Sign"), "invert_action");
  Connect_Commands();
}

void TEdit_Commands::Stop_Following()
{
  qApp->disconnect(this);
}

QAction *TEdit_Commands::Add_Command(const QString &text, const QString &name)
{
  QAction *const action = d_menu->addAction(text);
  action->setObjectName(name);
  action->setEnabled(false);
  return action;
}

// The commands stay disabled while the read-only output table has the focus.
void TEdit_Commands::Connect_Commands()
{
  connect(d_interpolate_action, &QAction::triggered, this, [this] {
    if (TEditTable *table = Command_Table()) {
      table->Interpolate_Selection();
    }
  });
  connect(d_add_action, &QAction::triggered, this,
          [this] { Ask_And_Apply(tr("Add"), &TEditTable::Add_To_Selection); });
  connect(d_multiply_action, &QAction::triggered, this,
          [this] { Ask_And_Apply(tr("Multiply"), &TEditTable::Multiply_Selection); });
  connect(d_set_value_action, &QAction::triggered, this,
          [this] { Ask_And_Apply(tr("Set Value"), &TEditTable::Set_Selection); });
  connect(d_invert_action, &QAction::triggered, this, [this] {
    if (TEditTable *table = Command_Table()) {
      table->Invert_Selection();
    }
  });
  const QList<QAction *> commands = {d_interpolate_action, d_add_action, d_multiply_action,
                                     d_set_value_action, d_invert_action};
  for (TEditTable *table : d_tables) {
    table->Add_Context_Actions(commands);
    connect(table, &TEditTable::Selection_Changed, this, &TEdit_Commands::Update_Commands);
  }
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget *, QWidget *now) { Focus_Changed(now); });
}

// Focus moving anywhere but to a table (a range field, a dialog) leaves the commands with
// the table that had it last.
void TEdit_Commands::Focus_Changed(QWidget *now)
{
  if (!now) {
    return;
  }
  for (TEditTable *table : d_tables) {
    if (now == table || table->isAncestorOf(now)) {
      d_focus_table = table;
      Update_Commands();
      return;
    }
  }
}

TEditTable *TEdit_Commands::Command_Table() const
{
  return d_focus_table && !d_focus_table->Is_Read_Only() ? d_focus_table : nullptr;
}

void TEdit_Commands::Update_Commands()
{
  const TEditTable *const table = Command_Table();
  const bool selected = table && table->Has_Selection();
  for (QAction *action : {d_add_action, d_multiply_action, d_set_value_action, d_invert_action}) {
    action->setEnabled(selected);
  }
  d_interpolate_action->setEnabled(selected && table->Selected_Row_Count() >= 2);
}

void TEdit_Commands::Ask_And_Apply(const QString &title,
                                   void (TEditTable::*command)(const double &))
{
  TEditTable *const table = Command_Table();
  if (!table || !table->Has_Selection()) {
    return;
  }
  double number = 0.0;
  if (d_files->Dialogs().Ask_Number(d_window, title, &number)) {
    (table->*command)(number);
  }
}
