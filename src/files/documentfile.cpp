#include "src/files/documentfile.h"

#include "core/assertion.h"
#include "src/files/documentscan.h"
#include "src/files/filename.h"
#include "src/files/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <limits>

namespace {

// Well above the text of two full tables at the row maximum (about 40 bytes a number);
// a larger file is not a document and is refused before it fills the memory.
const TFile_Kind DOCUMENT_FILE{QT_TRANSLATE_NOOP("Safe_File", "a Vandrel document"),
                               128LL * 1024 * 1024};

const char KEY_VERSION[] = "vandrel";
const char KEY_INPUT[] = "input";
const char KEY_EDITOR[] = "editor";
const char KEY_START[] = "start";
const char KEY_INCREMENT[] = "increment";
const char KEY_END[] = "end";
const char KEY_VALUES[] = "values";
const char KEY_OFFSETS[] = "offsets";
const char KEY_ZERO_OFFSET[] = "zero_offset";
const char KEY_INTERPOLATION[] = "interpolation";

// The most of an unknown name a message repeats.
const int SHOWN_NAME_LENGTH = 40;

// Where the reader looks, for the scan before parsing.
TDocument_Layout Layout(const char *extra_key)
{
  TDocument_Layout layout;
  layout.root_keys = {KEY_VERSION, KEY_ZERO_OFFSET, KEY_INTERPOLATION};
  if (extra_key) {
    layout.root_keys.append(extra_key);
  }
  layout.sections = {{KEY_INPUT, KEY_VALUES}, {KEY_EDITOR, KEY_OFFSETS}};
  layout.range_keys = {KEY_START, KEY_INCREMENT, KEY_END};
  return layout;
}

// JSON has no non-finite numbers, so they travel as strings.
QJsonValue Number_Value(const double &value)
{
  if (std::isnan(value)) {
    return QStringLiteral("nan");
  }
  if (std::isinf(value)) {
    return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
  }
  return value;
}

bool Read_Number(const QJsonValue &json, double *value)
{
  if (json.isDouble()) {
    *value = json.toDouble();
    return true;
  }
  const QString text = json.toString();
  if (text == QLatin1String("nan")) {
    *value = std::numeric_limits<double>::quiet_NaN();
  } else if (text == QLatin1String("inf")) {
    *value = std::numeric_limits<double>::infinity();
  } else if (text == QLatin1String("-inf")) {
    *value = -std::numeric_limits<double>::infinity();
  } else {
    return false;
  }
  return true;
}

QJsonArray Number_Array(const std::vector<double> &numbers)
{
  QJsonArray array;
  for (const double &number : numbers) {
    array.append(Number_Value(number));
  }
  return array;
}

QJsonObject Range_Object(const TSeries &series, const char *list_key,
                         const std::vector<double> &numbers)
{
  QJsonObject object;
  object.insert(KEY_START, Number_Value(series.range.start));
  object.insert(KEY_INCREMENT, Number_Value(series.range.increment));
  object.insert(KEY_END, Number_Value(series.range.end));
  object.insert(list_key, Number_Array(numbers));
  return object;
}

bool Read_Version(const QJsonObject &root, int *version, QString *reason)
{
  const QJsonValue value = root.value(KEY_VERSION);
  if (!value.isDouble()) {
    *reason = QCoreApplication::translate("Document_File",
                                          "it is not a Vandrel document (no \"vandrel\" version "
                                          "number)");
    return false;
  }
  const double number = value.toDouble();
  if (number > DOCUMENT_VERSION) {
    *reason = QCoreApplication::translate("Document_File",
                                          "it was written by a newer Vandrel (format version %1)")
                .arg(number);
    return false;
  }
  if (number != LINEAR_DOCUMENT_VERSION && number != DOCUMENT_VERSION) {
    *reason = QCoreApplication::translate("Document_File", "its format version %1 is unknown")
                .arg(number);
    return false;
  }
  *version = static_cast<int>(number);
  return true;
}

bool Read_Range(const QJsonObject &object, const QString &name, TRange *range, QString *reason)
{
  const struct
  {
    const char *key;
    double *target;
  } fields[] = {{KEY_START, &range->start}, {KEY_INCREMENT, &range->increment},
                {KEY_END, &range->end}};
  for (const auto &field : fields) {
    if (!Read_Number(object.value(field.key), field.target)) {
      *reason = QCoreApplication::translate("Document_File", "\"%1\" has no number \"%2\"")
                  .arg(name, field.key);
      return false;
    }
  }
  return true;
}

bool Read_Numbers(const QJsonObject &object, const QString &name, const char *key,
                  const int count, std::vector<double> *numbers, QString *reason)
{
  const QJsonValue list = object.value(key);
  if (!list.isArray()) {
    *reason = QCoreApplication::translate("Document_File", "\"%1\" has no list \"%2\"")
                .arg(name, key);
    return false;
  }
  const QJsonArray array = list.toArray();
  if (array.size() != count) {
    *reason = QCoreApplication::translate("Document_File",
                                          "\"%1\" has %2 %3, but its range has %4 rows")
                .arg(name).arg(array.size()).arg(key).arg(count);
    return false;
  }
  numbers->clear();
  numbers->reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    double number = 0.0;
    if (!Read_Number(array.at(i), &number)) {
      *reason = QCoreApplication::translate("Document_File", "\"%1\" %2 number %3 is not a number")
                  .arg(name, key)
                  .arg(i + 1);
      return false;
    }
    numbers->push_back(number);
  }
  return true;
}

bool Read_Object(const QJsonObject &root, const char *key, QJsonObject *object, QString *reason)
{
  const QJsonValue value = root.value(key);
  if (!value.isObject()) {
    *reason = QCoreApplication::translate("Document_File", "it has no \"%1\" section").arg(key);
    return false;
  }
  *object = value.toObject();
  return true;
}

bool Read_Input(const QJsonObject &root, TContent *content, QString *reason)
{
  QJsonObject object;
  TRange typed;
  if (!Read_Object(root, KEY_INPUT, &object, reason)
      || !Read_Range(object, KEY_INPUT, &typed, reason)) {
    return false;
  }
  content->input = Corrected_Input(typed);
  return Read_Numbers(object, KEY_INPUT, KEY_VALUES, content->input.count, &content->values,
                      reason);
}

bool Read_Editor(const QJsonObject &root, TContent *content, QString *reason)
{
  QJsonObject object;
  TRange typed;
  if (!Read_Object(root, KEY_EDITOR, &object, reason)
      || !Read_Range(object, KEY_EDITOR, &typed, reason)) {
    return false;
  }
  content->edit = Corrected_Edit(typed, content->input.range.increment);
  return Read_Numbers(object, KEY_EDITOR, KEY_OFFSETS, content->edit.count, &content->offsets,
                      reason);
}

bool Read_Zero_Offset(const QJsonObject &root, bool *zero_offset, QString *reason)
{
  const QJsonValue value = root.value(KEY_ZERO_OFFSET);
  if (value.isUndefined()) {
    *zero_offset = false;
    return true;
  }
  if (!value.isBool()) {
    *reason = QCoreApplication::translate("Document_File",
                                          "\"zero_offset\" is neither true nor false");
    return false;
  }
  *zero_offset = value.toBool();
  return true;
}

// Version 1 has no way but straight lines: a key of that name there is unknown and
// ignored, as older Vandrels ignore it, so that the file means the same to all of them.
bool Read_Interpolation(const QJsonObject &root, const int version, TInterpolation *way,
                        QString *reason)
{
  *way = INTERPOLATION_LINEAR;
  const QJsonValue value = root.value(KEY_INTERPOLATION);
  if (version == LINEAR_DOCUMENT_VERSION || value.isUndefined()) {
    return true;
  }
  if (!value.isString()) {
    *reason = QCoreApplication::translate("Document_File",
                                          "\"interpolation\" is not the name of a way to join "
                                          "offsets");
    return false;
  }
  const QString name = value.toString();
  if (!Interpolation_From_Name(name.toUtf8().toStdString(), way)) {
    const QString shown = name.size() > SHOWN_NAME_LENGTH
                            ? name.left(SHOWN_NAME_LENGTH) + QStringLiteral("\u2026")
                            : name;
    *reason = QCoreApplication::translate("Document_File",
                                          "its \"interpolation\" \"%1\" is unknown (known are "
                                          "\"%2\", \"%3\" and \"%4\")")
                .arg(shown, Interpolation_Name(INTERPOLATION_LINEAR),
                     Interpolation_Name(INTERPOLATION_MONOTONE),
                     Interpolation_Name(INTERPOLATION_SPLINE));
    return false;
  }
  return true;
}

}  // namespace

QJsonObject Document_Object(const TContent &content)
{
  const bool linear = content.interpolation == INTERPOLATION_LINEAR;
  QJsonObject root;
  root.insert(KEY_VERSION, linear ? LINEAR_DOCUMENT_VERSION : DOCUMENT_VERSION);
  root.insert(KEY_INPUT, Range_Object(content.input, KEY_VALUES, content.values));
  root.insert(KEY_EDITOR, Range_Object(content.edit, KEY_OFFSETS, content.offsets));
  root.insert(KEY_ZERO_OFFSET, content.zero_offset);
  if (!linear) {
    root.insert(KEY_INTERPOLATION, QString::fromLatin1(Interpolation_Name(content.interpolation)));
  }
  return root;
}

bool Read_Document_Object(const QJsonObject &root, TContent *content, QString *reason)
{
  if (!ASSERT(content) || !ASSERT(reason)) {
    return false;
  }
  TContent read;
  int version = 0;
  if (!Read_Version(root, &version, reason) || !Read_Input(root, &read, reason)
      || !Read_Editor(root, &read, reason) || !Read_Zero_Offset(root, &read.zero_offset, reason)
      || !Read_Interpolation(root, version, &read.interpolation, reason)) {
    return false;
  }
  *content = std::move(read);
  return true;
}

// Qt's writer gives every double in its shortest exact form, and the indented layout
// puts one number on each line, which keeps differences between versions readable.
QByteArray Document_Bytes(const TContent &content)
{
  return QJsonDocument(Document_Object(content)).toJson(QJsonDocument::Indented);
}

bool Parse_Document_Root(const QByteArray &bytes, const char *extra_key, QJsonObject *root,
                         QString *reason)
{
  if (!ASSERT(root) || !ASSERT(reason) || !Scan_Document(bytes, Layout(extra_key), reason)) {
    return false;
  }
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError) {
    *reason = QCoreApplication::translate("Document_File", "it is not valid JSON (%1 at byte %2)")
                .arg(error.errorString()).arg(error.offset);
    return false;
  }
  if (!document.isObject()) {
    *reason = QCoreApplication::translate("Document_File",
                                          "it is not a Vandrel document (no JSON object)");
    return false;
  }
  *root = document.object();
  return true;
}

bool Parse_Document(const QByteArray &bytes, TContent *content, QString *reason)
{
  if (!ASSERT(content) || !ASSERT(reason)) {
    return false;
  }
  QJsonObject root;
  return Parse_Document_Root(bytes, nullptr, &root, reason)
         && Read_Document_Object(root, content, reason);
}

QString Quoted_Path(const QString &path)
{
  return QCoreApplication::translate("Document_File", "\u201c%1\u201d").arg(Shown_File_Name(path));
}

bool Read_Document_Bytes(const QString &path, QByteArray *bytes, QString *reason)
{
  return Read_Regular_File(path, DOCUMENT_FILE, bytes, reason);
}

QString Open_Error(const QString &path, const QString &reason)
{
  return QCoreApplication::translate("Document_File", "Cannot open %1: %2.")
           .arg(Quoted_Path(path), reason);
}

bool Read_Document(const QString &path, TContent *content, QString *error)
{
  if (!ASSERT(error)) {
    return false;
  }
  QByteArray bytes;
  QString reason;
  if (Read_Document_Bytes(path, &bytes, &reason) && Parse_Document(bytes, content, &reason)) {
    return true;
  }
  *error = Open_Error(path, reason);
  return false;
}

bool Write_File(const QString &path, const QByteArray &bytes, QString *error)
{
  if (!ASSERT(error)) {
    return false;
  }
  QString reason;
  if (Save_Whole_File(path, bytes, &reason)) {
    return true;
  }
  *error = QCoreApplication::translate("Document_File", "Cannot save %1: %2.")
             .arg(Quoted_Path(path), reason);
  return false;
}

bool Write_Document(const QString &path, const TContent &content, QString *error)
{
  return Write_File(path, Document_Bytes(content), error);
}
