#include "src/document/undohistory.h"

#include "core/assertion.h"
#include "src/document/undocommands.h"

#include <QSignalBlocker>
#include <QUndoCommand>
#include <QUndoStack>

#include <vector>

namespace {

// Where a command stands: a new change, which the stack's push applies; a kept change put
// back after older ones were dropped, which the document already holds; or a change
// undone, or done before, that a redo makes once more.
enum TCommand_State
{
  TO_APPLY,
  APPLIED,
  TO_APPLY_AGAIN
};

// The stack owns its commands and deletes them when cleared; the changes they carry are
// shared so that the history can clear the stack and push the newer changes again.
class TChange_Command : public QUndoCommand
{
public:
  TChange_Command(std::shared_ptr<TDocument_Change> change, TChange_Target *target,
                  const TCommand_State state)
    : QUndoCommand(change->Text()), d_change(std::move(change)), d_target(target), d_state(state)
  {
  }

  const std::shared_ptr<TDocument_Change> &Change() const { return d_change; }

  // A withdrawn change marks its command obsolete, which the stack then deletes.
  void undo() override
  {
    d_change->Revert(d_target);
    setObsolete(d_change->Is_Withdrawn());
  }

  void redo() override
  {
    const TCommand_State state = d_state;
    d_state = TO_APPLY_AGAIN;
    if (state != APPLIED) {
      d_change->Apply(d_target, state == TO_APPLY_AGAIN);
    }
  }

  int id() const override { return d_change->Merge_Id(); }

  // The stack merges only commands of one id; the change decides whether `other` belongs
  // to it. Merged into nothing, the command is obsolete and the stack deletes it.
  bool mergeWith(const QUndoCommand *other) override
  {
    const auto *next = static_cast<const TChange_Command *>(other);
    if (!d_change->Merge_With(*next->Change())) {
      return false;
    }
    setObsolete(d_change->Changes_Nothing());
    return true;
  }

private:
  std::shared_ptr<TDocument_Change> d_change;
  TChange_Target *d_target;
  TCommand_State d_state;
};

const TChange_Command *Command_At(const QUndoStack &stack, const int index)
{
  return static_cast<const TChange_Command *>(stack.command(index));
}

}  // namespace

TUndo_History::TUndo_History(QObject *parent, TChange_Target *target, const std::size_t budget)
  : d_stack(new QUndoStack(parent)), d_target(target), d_budget(budget)
{
  ASSERT(target);
}

void TUndo_History::Push(std::unique_ptr<TDocument_Change> change)
{
  if (!ASSERT(change)) {
    return;
  }
  Forget_Undone_Steps();
  const int index = d_stack->index();
  const std::size_t last_bytes = index > 0 ? Step_Bytes(index - 1) : 0;
  d_stack->push(new TChange_Command(std::move(change), d_target, TO_APPLY));
  Count_Pushed(index, last_bytes);
  if (d_bytes > d_budget) {
    Drop_Oldest_Steps();
  }
}

// The new step on top adds its memory; a step merged into the last one replaces it, and
// one that merged it into nothing took it away.
void TUndo_History::Count_Pushed(const int index, const std::size_t last_bytes)
{
  const int now = d_stack->index();
  if (now != index + 1) {
    d_bytes -= last_bytes;
  }
  if (now >= index && now > 0) {
    d_bytes += Step_Bytes(now - 1);
  }
}

TDocument_Change *TUndo_History::Last_Change() const
{
  const int index = d_stack->index();
  return index > 0 ? Command_At(*d_stack, index - 1)->Change().get() : nullptr;
}

void TUndo_History::Undo_And_Forget()
{
  TDocument_Change *const change = Last_Change();
  if (!ASSERT(change)) {
    return;
  }
  d_bytes -= change->Bytes();
  change->Withdraw();
  d_stack->undo();
}

void TUndo_History::Clear()
{
  d_stack->clear();
  d_bytes = 0;
}

void TUndo_History::Clear_Unsaved()
{
  Clear();
  d_stack->resetClean();
}

std::size_t TUndo_History::Step_Bytes(const int index) const
{
  return Command_At(*d_stack, index)->Change()->Bytes();
}

// A push deletes the steps that were undone; their memory no longer counts.
void TUndo_History::Forget_Undone_Steps()
{
  for (int index = d_stack->index(); index < d_stack->count(); ++index) {
    d_bytes -= Step_Bytes(index);
  }
}

// The stack can only lose its oldest commands through an undo limit, which it accepts
// only while empty. So the newer changes are taken out, the stack cleared, and they go
// back in as changes the document already holds, with the clean state where it was, or
// unreachable if it was among the dropped. Rebuilding costs time in proportion to the
// steps, so it drops down to three quarters of the budget and is rare even for many small
// steps. The newest step always stays, however large.
void TUndo_History::Drop_Oldest_Steps()
{
  const int count = d_stack->count();
  const std::size_t target = d_budget / 4 * 3;
  int first_kept = count - 1;
  std::size_t kept_bytes = Step_Bytes(first_kept);
  while (first_kept > 0 && kept_bytes + Step_Bytes(first_kept - 1) <= target) {
    --first_kept;
    kept_bytes += Step_Bytes(first_kept);
  }
  std::vector<std::shared_ptr<TDocument_Change>> kept;
  kept.reserve(static_cast<std::size_t>(count - first_kept));
  for (int index = first_kept; index < count; ++index) {
    kept.push_back(Command_At(*d_stack, index)->Change());
  }
  const int clean = d_stack->cleanIndex() - first_kept;
  // Before and after, the newest step is on top and the stack is not clean, so nothing
  // the menu or the window shows changes.
  const QSignalBlocker blocker(d_stack);
  d_stack->clear();
  if (clean < 0) {
    d_stack->resetClean();
  }
  for (std::size_t i = 0; i < kept.size(); ++i) {
    d_stack->push(new TChange_Command(kept[i], d_target, APPLIED));
    if (static_cast<int>(i) + 1 == clean) {
      d_stack->setClean();
    }
  }
  d_bytes = kept_bytes;
}
