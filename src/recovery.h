#ifndef SRC_RECOVERY_H
#define SRC_RECOVERY_H

#include "src/model.h"

#include <QString>

// Unsaved work kept in the settings folder, so that a crash or a kill loses nothing.
// The file is a document that also names the document file the work belongs to.
struct TRecovered_Work
{
  TContent content;
  QString document_path;  // empty for work that was never saved
};

// The recovery file in the settings folder (which it does not create).
QString Recovery_Path();

bool Write_Recovery(const TRecovered_Work &work, QString *error);

// False, with the reason, when there is no recovery file or it cannot be read.
bool Read_Recovery(TRecovered_Work *work, QString *error);

void Remove_Recovery();

bool Recovery_Exists();

#endif
