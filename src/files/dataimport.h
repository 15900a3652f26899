#ifndef SRC_FILES_DATAIMPORT_H
#define SRC_FILES_DATAIMPORT_H

#include "src/model/resampling.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <vector>

// The numbers of a data file, ready for the input table.
struct TImportedData
{
  // One value per row, from the first row on.
  std::vector<double> values;
  // True for a file of positions and values: `series` is then the input range the values
  // fill exactly, one per row.
  bool has_positions = false;
  TSeries series;
  // True when uneven or unsorted positions were resampled onto an even range.
  bool resampled = false;
};

// Reads a .csv, .tsv or .txt file. Fields are separated by tabs, semicolons or commas,
// found from the file; a semicolon file writes decimal commas. Numbers are read in the C
// syntax first, then in `locale`'s. Leading lines that are not numbers are skipped as
// headers and empty lines ignored. On refusal `message` names the file and says what is
// wrong (for a line: its number and text) and `data` is left as it was.
bool Import_Data_File(const QString &path, const QLocale &locale, TImportedData *data,
                      QString *message);

// The same for text in memory; `name` stands for the file in messages.
bool Import_Data_Text(const QByteArray &text, const QString &name, const QLocale &locale,
                      TImportedData *data, QString *message);

// The input series once `value_count` values of a one-column file fill it: unchanged when
// it has rows enough, otherwise its end moves on by whole increments until every value has
// a row.
TSeries Grown_Series(const TSeries &current, int value_count);

#endif
