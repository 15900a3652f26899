#include "src/document/undohistory.h"

#include "core/assertion.h"
#include "src/document/undocommands.h"

#include <QSignalBlocker>
#include <QUndoCommand>
#include <QUndoStack>

#include <vector>

namespace {

// The stack owns its commands and deletes them when cleared; the steps they carry are
// shared so that the history can clear the stack and push the newer steps again.
class TStep_Command : public QUndoCommand
{
public:
  explicit TStep_Command(std::shared_ptr<TUndo_Step> step)
    : QUndoCommand(step->Text()), d_step(std::move(step))
  {
  }

  const std::shared_ptr<TUndo_Step> &Step() const { return d_step; }

  void undo() override { d_step->Undo(); }

  // The stack runs redo on push, when the user's action has already made the change.
  void redo() override
  {
    if (d_applied) {
      d_applied = false;
      return;
    }
    d_step->Redo();
  }

private:
  std::shared_ptr<TUndo_Step> d_step;
  bool d_applied = true;
};

const TStep_Command *Command_At(const QUndoStack &stack, const int index)
{
  return static_cast<const TStep_Command *>(stack.command(index));
}

}  // namespace

TUndo_History::TUndo_History(QObject *parent, const std::size_t budget)
  : d_stack(new QUndoStack(parent)), d_budget(budget)
{
}

void TUndo_History::Push(std::unique_ptr<TUndo_Step> step)
{
  if (!ASSERT(step)) {
    return;
  }
  Forget_Undone_Steps();
  d_bytes += step->Bytes();
  d_stack->push(new TStep_Command(std::move(step)));
  if (d_bytes > d_budget) {
    Drop_Oldest_Steps();
  }
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
  return Command_At(*d_stack, index)->Step()->Bytes();
}

// A push deletes the steps that were undone; their memory no longer counts.
void TUndo_History::Forget_Undone_Steps()
{
  for (int index = d_stack->index(); index < d_stack->count(); ++index) {
    d_bytes -= Step_Bytes(index);
  }
}

// The stack can only lose its oldest commands through an undo limit, which it accepts
// only while empty. So the newer steps are taken out, the stack cleared, and they go back
// in, already applied, with the clean state where it was, or unreachable if it was among
// the dropped. Rebuilding costs time in proportion to the steps, so it drops down to
// three quarters of the budget and is rare even for many small steps. The newest step
// always stays, however large.
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
  std::vector<std::shared_ptr<TUndo_Step>> kept;
  kept.reserve(static_cast<std::size_t>(count - first_kept));
  for (int index = first_kept; index < count; ++index) {
    kept.push_back(Command_At(*d_stack, index)->Step());
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
    d_stack->push(new TStep_Command(kept[i]));
    if (static_cast<int>(i) + 1 == clean) {
      d_stack->setClean();
    }
  }
  d_bytes = kept_bytes;
}
