#ifndef SRC_WINDOW_BUSYWORK_H
#define SRC_WINDOW_BUSYWORK_H

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// How long work may run before a progress dialog appears; shorter work shows only the
// busy cursor, so quick commands never flash a dialog.
const int PROGRESS_DELAY_MS = 500;

// A busy cursor over the whole program for as long as the object lives, so that long work
// never makes a window look hung. Nested ones stack.
class TBusy_Cursor
{
public:
  TBusy_Cursor();
  ~TBusy_Cursor();
  TBusy_Cursor(const TBusy_Cursor &) = delete;
  TBusy_Cursor &operator=(const TBusy_Cursor &) = delete;
};

// Countable work: the busy cursor, and a progress dialog over the parent once the work has
// run for PROGRESS_DELAY_MS. The worker reports how far it is, as often as it likes: the
// dialog is touched only when the shown fraction changes.
class TBusy_Progress
{
public:
  TBusy_Progress(QWidget *parent, const QString &label, long long total);
  ~TBusy_Progress();
  TBusy_Progress(const TBusy_Progress &) = delete;
  TBusy_Progress &operator=(const TBusy_Progress &) = delete;

  // False once the user has cancelled; the worker should then stop and leave the work as
  // it was.
  bool Advance(long long done);
  bool Cancelled() const;
  // Null until the work has run long enough to show it.
  const QProgressDialog *Dialog() const { return d_dialog.get(); }

private:
  void Show_Dialog();

  TBusy_Cursor d_cursor;
  QWidget *d_parent;
  QString d_label;
  long long d_total;
  int d_shown_step = -1;
  bool d_cancelled = false;
  QElapsedTimer d_clock;
  std::unique_ptr<QProgressDialog> d_dialog;
};

#endif
