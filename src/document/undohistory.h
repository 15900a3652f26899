#ifndef SRC_DOCUMENT_UNDOHISTORY_H
#define SRC_DOCUMENT_UNDOHISTORY_H

#include <cstddef>
#include <memory>

class QObject;
class QUndoStack;
class TUndo_Step;

// The history bound: the oldest steps go once all of them hold more than this.
constexpr std::size_t UNDO_HISTORY_BUDGET = 64u * 1024u * 1024u;

// The undo stack with a bound on the memory its steps hold. The stack gives the Edit
// menu its texts and the document its clean state; this class adds what the stack cannot
// do, dropping its oldest steps.
class TUndo_History
{
public:
  explicit TUndo_History(QObject *parent, std::size_t budget = UNDO_HISTORY_BUDGET);

  QUndoStack *Stack() const { return d_stack; }
  // Records a step whose change the model already holds; redo is not run for it.
  void Push(std::unique_ptr<TUndo_Step> step);
  // Forgets every step; the stack is clean.
  void Clear();
  // Forgets every step; the stack is not clean, and no undo ever makes it so.
  void Clear_Unsaved();
  std::size_t Bytes() const { return d_bytes; }
  std::size_t Budget() const { return d_budget; }

private:
  void Forget_Undone_Steps();
  void Drop_Oldest_Steps();
  std::size_t Step_Bytes(int index) const;

  QUndoStack *d_stack;
  std::size_t d_budget;
  std::size_t d_bytes = 0;
};

#endif
