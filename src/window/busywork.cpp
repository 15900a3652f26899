#include "src/window/busywork.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

// The dialog moves in steps of a thousandth: finer steps would cost repaints, not news.
const int PROGRESS_STEPS = 1000;

int Step_Of(const long long done, const long long total)
{
  if (total <= 0) {
    return PROGRESS_STEPS;
  }
  const long long bounded = qBound(0LL, done, total);
  return static_cast<int>(static_cast<double>(bounded) / static_cast<double>(total)
                          * PROGRESS_STEPS);
}

}  // namespace

TBusy_Cursor::TBusy_Cursor()
{
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusy_Cursor::~TBusy_Cursor()
{
  QApplication::restoreOverrideCursor();
}

TBusy_Progress::TBusy_Progress(QWidget *parent, const QString &label, const long long total)
  : d_parent(parent), d_label(label), d_total(total)
{
  d_clock.start();
}

TBusy_Progress::~TBusy_Progress() = default;

bool TBusy_Progress::Advance(const long long done)
{
  if (d_cancelled) {
    return false;
  }
  const int step = Step_Of(done, d_total);
  if (step == d_shown_step) {
    return true;
  }
  d_shown_step = step;
  if (!d_dialog && d_clock.elapsed() >= PROGRESS_DELAY_MS) {
    Show_Dialog();
  }
  if (d_dialog) {
    // A window-modal dialog handles pending events here, which keeps the program drawn.
    d_dialog->setValue(step);
    d_cancelled = d_dialog->wasCanceled();
  }
  return !d_cancelled;
}

bool TBusy_Progress::Cancelled() const
{
  return d_cancelled;
}

void TBusy_Progress::Show_Dialog()
{
  d_dialog = std::make_unique<QProgressDialog>(d_label, QObject::tr("Cancel"), 0,
                                               PROGRESS_STEPS, d_parent);
  d_dialog->setWindowModality(Qt::WindowModal);
  d_dialog->setMinimumDuration(0);
  d_dialog->setAutoReset(false);
  d_dialog->setAutoClose(false);
  d_dialog->setValue(0);
}
