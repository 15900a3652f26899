#ifndef SRC_DOCUMENT_UNDOHISTORY_H
#define SRC_DOCUMENT_UNDOHISTORY_H

#include <cstddef>
#include <memory>

class QObject;
class QUndoStack;
class TChange_Target;
class TDocument_Change;

// The history bound: the oldest steps go once all of them hold more than this.
constexpr std::size_t UNDO_HISTORY_BUDGET = 64u * 1024u * 1024u;

// The undo stack with a bound on the memory its changes hold. The stack gives the Edit
// menu its texts and the document its clean state; this class adds what the stack cannot
// do, dropping its oldest steps.
class TUndo_History
{
public:
  TUndo_History(QObject *parent, TChange_Target *target,
                std::size_t budget = UNDO_HISTORY_BUDGET);

  QUndoStack *Stack() const { return d_stack; }
  // Makes the change, through the stack's push, and keeps it for undo.
  void Push(std::unique_ptr<TDocument_Change> change);
  // The change the next undo takes back; null when there is none.
  TDocument_Change *Last_Change() const;
  // Takes back the last change and forgets it: no redo brings it back.
  void Undo_And_Forget();
  // Forgets every step; the stack is clean.
  void Clear();
  // Forgets every step; the stack is not clean, and no undo ever makes it so.
  void Clear_Unsaved();
  std::size_t Bytes() const { return d_bytes; }

private:
  void Forget_Undone_Steps();
  void Count_Pushed(int index, std::size_t last_bytes);
  void Drop_Oldest_Steps();
  std::size_t Step_Bytes(int index) const;

  QUndoStack *d_stack;
  TChange_Target *d_target;
  std::size_t d_budget;
  std::size_t d_bytes = 0;
};

#endif
