#include "src/window/busywork.h"

#include <QApplication>

TBusy_Cursor::TBusy_Cursor()
{
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusy_Cursor::~TBusy_Cursor()
{
  QApplication::restoreOverrideCursor();
}
