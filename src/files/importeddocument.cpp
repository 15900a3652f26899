#include "src/files/importeddocument.h"

#include "core/assertion.h"
#include "core/interpolation.h"
#include "src/files/filename.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace {

// The input series a one-column file's values fill from the first row: the current one,
// grown by its increment until every value has a row. A range without rows grows to two
// first, so that it has an increment the corrections keep.
TSeries One_Column_Series(const TSeries &current, const int value_count)
{
  const TSeries started = Corrected_Input(Grown_Series(current, std::max(value_count, 2)).range);
  return Corrected_Input(Grown_Series(started, value_count).range);
}

// The file's even series as points, to interpolate between.
Point_List Series_Points(const TSeries &series, const std::vector<double> &values)
{
  Point_List points;
  Fill_Positions(series, &points);
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i].y = values[i];
  }
  return points;
}

// A file's positions are kept exactly when a typed range would give the same rows, so
// that the document reads back as it shows. The importer refuses spacing finer than the
// input's minimum step; what differs here is the rounding of the range's corrections,
// and the values are interpolated onto the corrected range, as uneven positions are.
void Positioned_Input(const TImportedData &data, TContent *content, bool *resampled)
{
  const TSeries corrected = Corrected_Input(data.series.range);
  *resampled = data.resampled;
  if (Same_Series(corrected, data.series)) {
    content->input = data.series;
    content->values = data.values;
    return;
  }
  content->input = corrected;
  Point_List rows;
  Fill_Positions(corrected, &rows);
  Interpolate_At_Positions(Series_Points(data.series, data.values), rows, &content->values);
  *resampled = true;
}

bool One_Column_Input(const TImportedData &data, const TSeries &current, TContent *content,
                      QString *reason)
{
  const int value_count = static_cast<int>(data.values.size());
  const TSeries series = One_Column_Series(current, value_count);
  if (series.count < value_count) {
    *reason = QCoreApplication::translate("Imported_Document",
                                          "its %1 values do not fit an input range from %2 by %3")
                .arg(value_count)
                .arg(current.range.start)
                .arg(current.range.increment);
    return false;
  }
  content->input = series;
  content->values = data.values;
  content->values.resize(static_cast<std::size_t>(series.count), 0.0);
  return true;
}

}  // namespace

bool Imported_Content(const TImportedData &data, const TImport_Ranges &ranges,
                      TContent *content, bool *resampled, QString *reason)
{
  if (!ASSERT(content) || !ASSERT(resampled) || !ASSERT(reason)) {
    return false;
  }
  TContent made;
  bool interpolated = false;
  if (data.has_positions) {
    Positioned_Input(data, &made, &interpolated);
  } else if (!One_Column_Input(data, ranges.input, &made, reason)) {
    return false;
  }
  made.edit = Corrected_Edit(ranges.edit, made.input.range.increment);
  made.offsets.assign(static_cast<std::size_t>(made.edit.count), 0.0);
  made.zero_offset = ranges.zero_offset;
  made.interpolation = ranges.interpolation;
  *content = std::move(made);
  *resampled = interpolated;
  return true;
}

bool Import_Document(const QString &path, const QLocale &locale, const TImport_Ranges &ranges,
                     TContent *content, bool *resampled, QString *message)
{
  if (!ASSERT(message)) {
    return false;
  }
  TImportedData data;
  if (!Import_Data_File(path, locale, &data, message)) {
    return false;
  }
  QString reason;
  if (!Imported_Content(data, ranges, content, resampled, &reason)) {
    *message = QCoreApplication::translate("Data_Import", "Cannot import \"%1\": %2.")
                 .arg(Shown_File_Name(path), reason);
    return false;
  }
  return true;
}
