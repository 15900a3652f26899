#ifndef SRC_FILES_IMPORTEDDOCUMENT_H
#define SRC_FILES_IMPORTEDDOCUMENT_H

#include "src/files/dataimport.h"
#include "src/model/model.h"

#include <QLocale>
#include <QString>

// Where a new document made from a data file starts: the input range a one-column file
// fills (and grows), the editor range, the zero-offset switch and how the offsets are
// joined.
struct TImport_Ranges
{
  TSeries input;
  TRange edit;
  bool zero_offset = false;
  TInterpolation interpolation = INTERPOLATION_LINEAR;
};

// A new document from imported numbers: the input holds them, the editor range applies
// with every offset 0.0. `resampled` tells whether the values were interpolated onto
// positions other than the file's. False, with the reason, when the values cannot fit.
bool Imported_Content(const TImportedData &data, const TImport_Ranges &ranges,
                      TContent *content, bool *resampled, QString *reason);

// Reads a data file into a new document as Imported_Content makes it; the message names
// the file and says what is wrong.
bool Import_Document(const QString &path, const QLocale &locale, const TImport_Ranges &ranges,
                     TContent *content, bool *resampled, QString *message);

#endif
