#include "src/files/dataimport.h"

#include "core/assertion.h"
#include "core/interpolation.h"
#include "core/numberreader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csv.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// A longer line is no data line; it is refused before it can fill the memory.
const qint64 MAXIMUM_LINE_LENGTH = 65536;
// How much of the file's beginning decides the separator.
const qint64 SEPARATOR_SAMPLE_BYTES = 65536;
const int SEPARATOR_SAMPLE_LINES = 50;
// Positions this close to an even range, relative to the span, are taken as even.
const double EVEN_TOLERANCE = 1.0e-9;
const int MAXIMUM_COLUMNS = 2;
// Room kept for one field's and one line's text.
const int SHORT_FIELD_CAPACITY = 256;
// A line is quoted in messages up to this many characters.
const int QUOTED_LENGTH = 80;
const char UTF8_BOM[] = "\xEF\xBB\xBF";

QString Refusal(const QString &name, const QString &reason)
{
  return QStringLiteral("Cannot import \"%1\": %2.").arg(name, reason);
}

struct TSeparatorCount
{
  int tabs = 0;
  int semicolons = 0;
  int commas = 0;
};

// Letters other than an exponent's mark a header line, whose text may hold any separator.
bool Has_Words(const QByteArray &line)
{
  for (const char c : line) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter && c != 'e' && c != 'E') {
      return true;
    }
  }
  return false;
}

void Count_Separators(const QByteArray &line, TSeparatorCount *count)
{
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted) {
      count->tabs += c == '\t';
      count->semicolons += c == ';';
      count->commas += c == ',';
    }
  }
}

// The separator of the first lines that look like numbers (of all first lines when none
// does): a tab before a semicolon before a comma, since a semicolon file writes decimal
// commas.
char Find_Separator(const QByteArray &sample)
{
  const QList<QByteArray> lines = sample.split('\n').mid(0, SEPARATOR_SAMPLE_LINES);
  TSeparatorCount in_numbers;
  TSeparatorCount in_all;
  for (const QByteArray &line : lines) {
    Count_Separators(line, &in_all);
    if (!Has_Words(line)) {
      Count_Separators(line, &in_numbers);
    }
  }
  const bool numbers_tell = in_numbers.tabs + in_numbers.semicolons + in_numbers.commas > 0;
  const TSeparatorCount &count = numbers_tell ? in_numbers : in_all;
  if (count.tabs > 0) {
    return '\t';
  }
  return count.semicolons > 0 ? ';' : ',';
}

// Spreadsheets that separate fields with semicolons write decimal commas, whatever the
// locale of the machine that reads the file.
QLocale Number_Locale(const char separator, const QLocale &locale)
{
  if (separator != ';' || QString(locale.decimalPoint()) == QLatin1String(",")) {
    return locale;
  }
  return QLocale(QLocale::German, QLocale::Germany);
}

// Numbers are trimmed by the reader, so only blanks count as space and a tab stays a
// separator in tab files.
int Is_Blank(const unsigned char c)
{
  return c == ' ';
}

QString Quoted_Line(const QByteArray &text)
{
  QString line = QString::fromUtf8(text).trimmed();
  line.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
  if (line.size() > QUOTED_LENGTH) {
    line = line.left(QUOTED_LENGTH) + QStringLiteral("...");
  }
  return QStringLiteral("\"%1\"").arg(line);
}

bool Is_Blank_Line(const QByteArray &line)
{
  for (const char c : line) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      return false;
    }
  }
  return true;
}

// Collects the parser's records into columns of numbers; the first failure stops it.
class TColumnReader
{
public:
  explicit TColumnReader(const QLocale &locale);

  bool Read(QIODevice *device);

  int Columns() const { return d_columns; }
  const std::vector<double> &Column(int index) const { return d_numbers[index]; }
  QString Error() const { return d_error; }

private:
  static void Field_Done(void *field, std::size_t length, void *reader);
  static void Record_Done(int terminator, void *reader);

  bool Read_Line(QIODevice *device, QByteArray *line);
  void Feed(csv_parser *parser, const QByteArray &line);
  void Take_Field(const char *text, int length);
  void Take_Record();
  void Store();
  void Fail(const QString &reason);
  void Fail_Line(const QString &reason);

  QLocale d_locale;
  // The record being read: its fields as numbers (0.0 where a field is not one), how many
  // there are up to the last that is not empty, and the first that is empty or no number.
  // The buffers keep their memory from record to record.
  QString d_field;
  std::vector<double> d_record;
  int d_filled = 0;
  int d_first_bad = -1;
  QByteArray d_record_text;
  int d_line = 0;
  int d_record_line = 0;
  int d_columns = 0;
  std::vector<double> d_numbers[MAXIMUM_COLUMNS];
  QString d_error;
};

TColumnReader::TColumnReader(const QLocale &locale) : d_locale(locale)
{
  d_field.reserve(SHORT_FIELD_CAPACITY);
  d_record_text.reserve(static_cast<int>(SHORT_FIELD_CAPACITY));
}

bool TColumnReader::Read(QIODevice *device)
{
  const char separator = Find_Separator(device->peek(SEPARATOR_SAMPLE_BYTES));
  d_locale = Number_Locale(separator, d_locale);
  csv_parser parser;
  if (csv_init(&parser, 0) != 0) {
    Fail(QStringLiteral("out of memory"));
    return false;
  }
  csv_set_delim(&parser, static_cast<unsigned char>(separator));
  csv_set_space_func(&parser, Is_Blank);
  QByteArray line;
  while (d_error.isEmpty() && Read_Line(device, &line)) {
    Feed(&parser, line);
  }
  if (d_error.isEmpty()) {
    csv_fini(&parser, Field_Done, Record_Done, this);
  }
  csv_free(&parser);
  return d_error.isEmpty();
}

bool TColumnReader::Read_Line(QIODevice *device, QByteArray *line)
{
  if (device->atEnd()) {
    return false;
  }
  // readLine keeps one byte of the buffer for a terminating zero.
  line->resize(static_cast<int>(MAXIMUM_LINE_LENGTH + 1));
  const qint64 length = device->readLine(line->data(), MAXIMUM_LINE_LENGTH + 1);
  line->resize(static_cast<int>(std::max<qint64>(length, 0)));
  ++d_line;
  if (!line->endsWith('\n') && !device->atEnd()) {
    Fail(QStringLiteral("line %1 is longer than %2 bytes").arg(d_line).arg(MAXIMUM_LINE_LENGTH));
    return false;
  }
  if (d_line == 1 && line->startsWith(UTF8_BOM)) {
    line->remove(0, 3);
  }
  return true;
}

// Blank lines between records are passed by; inside a quoted field they are its text.
void TColumnReader::Feed(csv_parser *parser, const QByteArray &line)
{
  if (d_record_text.isEmpty()) {
    if (Is_Blank_Line(line)) {
      return;
    }
    d_record_line = d_line;
  }
  d_record_text += line;
  const std::size_t size = static_cast<std::size_t>(line.size());
  if (csv_parse(parser, line.constData(), size, Field_Done, Record_Done, this) != size) {
    Fail(QString::fromUtf8(csv_strerror(csv_error(parser))));
  }
}

void TColumnReader::Field_Done(void *field, const std::size_t length, void *reader)
{
  const char *text = field ? static_cast<const char *>(field) : "";
  static_cast<TColumnReader *>(reader)->Take_Field(text, field ? static_cast<int>(length) : 0);
}

void TColumnReader::Record_Done(int, void *reader)
{
  auto *self = static_cast<TColumnReader *>(reader);
  self->Take_Record();
  self->d_record.clear();
  self->d_filled = 0;
  self->d_first_bad = -1;
  self->d_record_text.resize(0);
}

// ASCII text is copied into the kept buffer, so that most fields cost no allocation.
// Files carry finite numbers only, so that every position and value can be drawn.
void TColumnReader::Take_Field(const char *text, const int length)
{
  bool ascii = true;
  bool blank = true;
  for (int i = 0; i < length; ++i) {
    const char c = text[i];
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    blank = blank && (c == ' ' || c == '\t' || c == '\r' || c == '\n');
  }
  double number = 0.0;
  bool readable = !blank;
  if (readable && ascii) {
    d_field.resize(length);
    QChar *characters = d_field.data();
    for (int i = 0; i < length; ++i) {
      characters[i] = QLatin1Char(text[i]);
    }
    readable = Read_Number(d_field, d_locale, &number);
  } else if (readable) {
    readable = Read_Number(QString::fromUtf8(text, length), d_locale, &number);
  }
  readable = readable && std::isfinite(number);
  const int index = static_cast<int>(d_record.size());
  d_record.push_back(number);
  if (!blank) {
    d_filled = index + 1;
  }
  if (!readable && d_first_bad < 0) {
    d_first_bad = index;
  }
}

// Trailing empty fields are separators a spreadsheet wrote after the last column; a
// record of empty fields only counts as an empty line.
void TColumnReader::Take_Record()
{
  if (!d_error.isEmpty() || d_filled == 0) {
    return;
  }
  const bool readable = d_first_bad < 0 || d_first_bad >= d_filled;
  if (d_columns == 0) {
    if (!readable) {
      return;
    }
    if (d_filled > MAXIMUM_COLUMNS) {
      Fail_Line(QStringLiteral("has %1 columns, but a file holds one column of values or two "
                               "of positions and values")
                  .arg(d_filled));
      return;
    }
    d_columns = d_filled;
  }
  if (d_filled != d_columns) {
    Fail_Line(QStringLiteral("has %1 fields where %2 are expected").arg(d_filled).arg(d_columns));
  } else if (!readable) {
    Fail_Line(QStringLiteral("is not a line of numbers"));
  } else if (d_numbers[0].size() >= static_cast<std::size_t>(MAXIMUM_ROW_COUNT)) {
    Fail(QStringLiteral("it has more than %1 lines of numbers, the most a table holds")
           .arg(MAXIMUM_ROW_COUNT));
  } else {
    Store();
  }
}

void TColumnReader::Store()
{
  for (int i = 0; i < d_columns; ++i) {
    d_numbers[i].push_back(d_record[static_cast<std::size_t>(i)]);
  }
}

void TColumnReader::Fail(const QString &reason)
{
  if (d_error.isEmpty()) {
    d_error = reason;
  }
}

void TColumnReader::Fail_Line(const QString &reason)
{
  Fail(QStringLiteral("line %1 %2: %3").arg(d_record_line).arg(reason, Quoted_Line(d_record_text)));
}

bool Evenly_Spaced(const std::vector<double> &positions)
{
  const double first = positions.front();
  const double span = positions.back() - first;
  if (span == 0.0) {
    return false;
  }
  const double increment = span / static_cast<double>(positions.size() - 1);
  const double tolerance = EVEN_TOLERANCE * std::fabs(span);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (std::fabs(positions[i] - (first + static_cast<double>(i) * increment)) > tolerance) {
      return false;
    }
  }
  return true;
}

TSeries Even_Series(const double &start, const double &end, const std::size_t count)
{
  TSeries series;
  series.range.start = start;
  series.range.end = end;
  series.range.increment = (end - start) / static_cast<double>(count - 1);
  series.count = static_cast<int>(count);
  return series;
}

// The points in order of position; equal positions keep the file's order.
Point_List Sorted_Points(const std::vector<double> &positions, const std::vector<double> &values)
{
  Point_List points(positions.size());
  for (std::size_t i = 0; i < positions.size(); ++i) {
    points[i] = TVector2(positions[i], values[i]);
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const TVector2 &a, const TVector2 &b) { return a.x < b.x; });
  return points;
}

// Uneven or unsorted positions: the values at an even range over the same span, with as
// many rows as the file has lines, by linear interpolation.
bool Resample(const std::vector<double> &positions, const std::vector<double> &values,
              TImportedData *data)
{
  const Point_List points = Sorted_Points(positions, values);
  if (points.front().x == points.back().x) {
    return false;
  }
  data->series = Even_Series(points.front().x, points.back().x, points.size());
  Point_List table;
  Fill_Positions(data->series, &table);
  Interpolate_At_Positions(points, table, &data->values);
  data->resampled = true;
  return true;
}

bool Resolve_Positions(const std::vector<double> &positions, const std::vector<double> &values,
                       TImportedData *data, QString *reason)
{
  if (positions.size() < 2) {
    *reason = QStringLiteral("it needs at least two lines of position and value");
    return false;
  }
  for (const double &position : positions) {
    if (std::fabs(position) > MAXIMUM_POSITION) {
      *reason = QStringLiteral("a position lies beyond %1").arg(MAXIMUM_POSITION);
      return false;
    }
  }
  data->has_positions = true;
  if (Evenly_Spaced(positions)) {
    data->series = Even_Series(positions.front(), positions.back(), positions.size());
    data->values = values;
    return true;
  }
  if (!Resample(positions, values, data)) {
    *reason = QStringLiteral("all its positions are the same");
    return false;
  }
  return true;
}

bool Resolve(const TColumnReader &reader, TImportedData *data, QString *reason)
{
  if (reader.Columns() == 0) {
    *reason = QStringLiteral("it contains no numbers");
    return false;
  }
  if (reader.Columns() == 1) {
    data->values = reader.Column(0);
    return true;
  }
  return Resolve_Positions(reader.Column(0), reader.Column(1), data, reason);
}

bool Import_Device(QIODevice *device, const QString &name, const QLocale &locale,
                   TImportedData *data, QString *message)
{
  TColumnReader reader(locale);
  TImportedData imported;
  QString reason;
  if (!reader.Read(device)) {
    reason = reader.Error();
  } else if (Resolve(reader, &imported, &reason)) {
    *data = std::move(imported);
    return true;
  }
  *message = Refusal(name, reason);
  return false;
}

}  // namespace

bool Import_Data_File(const QString &path, const QLocale &locale, TImportedData *data,
                      QString *message)
{
  if (!ASSERT(data) || !ASSERT(message)) {
    return false;
  }
  const QString name = QDir::toNativeSeparators(path);
  const QFileInfo info(path);
  if (info.isDir()) {
    *message = Refusal(name, QStringLiteral("it is a folder"));
    return false;
  }
  // A device or a pipe may never end.
  if (info.exists() && !info.isFile()) {
    *message = Refusal(name, QStringLiteral("it is not a regular file"));
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *message = Refusal(name, file.errorString());
    return false;
  }
  return Import_Device(&file, name, locale, data, message);
}

bool Import_Data_Text(const QByteArray &text, const QString &name, const QLocale &locale,
                      TImportedData *data, QString *message)
{
  if (!ASSERT(data) || !ASSERT(message)) {
    return false;
  }
  QBuffer buffer;
  buffer.setData(text);
  buffer.open(QIODevice::ReadOnly);
  return Import_Device(&buffer, name, locale, data, message);
}

TSeries Grown_Series(const TSeries &current, const int value_count)
{
  if (value_count <= current.count) {
    return current;
  }
  TSeries grown = current;
  const double increment = current.range.increment != 0.0 ? current.range.increment : 1.0;
  grown.count = std::min(value_count, MAXIMUM_ROW_COUNT);
  grown.range.increment = increment;
  grown.range.end = current.range.start + static_cast<double>(grown.count - 1) * increment;
  return grown;
}
