#include "src/files/dataimport.h"

#include "core/assertion.h"
#include "core/interpolation.h"
#include "core/numberreader.h"
#include "src/files/filename.h"
#include "src/files/safefile.h"
#include "src/model/model.h"

#include <QCoreApplication>
#include <QDir>

#include <csv.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

// A million rows of two quoted 17-digit numbers with exponents take 55 bytes a line,
// 55 MB in all; the cap leaves more than twice that for blanks, headers and longer
// spellings, and keeps the whole file well within memory.
const TFile_Kind DATA_FILE{QT_TRANSLATE_NOOP("Safe_File", "a data file"), 128LL * 1024 * 1024};
// A longer line is no data line; it is refused before it can fill the memory. A record
// whose quoted field holds line breaks has the same limit across its lines.
const qint64 MAXIMUM_LINE_LENGTH = 65536;
// More lines of text before the numbers than any header has; past them the file is no
// data file, and reading on would only take time.
const int MAXIMUM_HEADER_LINES = 10000;
// Every field costs a call of the parser, so their number bounds the time a file takes:
// room for a million lines of two numbers with a few separators after them.
const int MAXIMUM_FIELD_COUNT = 8 * MAXIMUM_ROW_COUNT;
// How much of the file's beginning decides the separator.
const qint64 SEPARATOR_SAMPLE_BYTES = 65536;
const int SEPARATOR_SAMPLE_LINES = 50;
// Positions this close to an even range, relative to the span, are taken as even.
const double EVEN_TOLERANCE = 1.0e-9;
// The share of rows (at least one) that resampling may drop to keep jittered positions as
// far apart as the input's rows must be.
const double RESAMPLING_ROW_LOSS = 0.01;
const int MAXIMUM_COLUMNS = 2;
// Room kept for one field's text.
const int SHORT_FIELD_CAPACITY = 256;
// A line is quoted in messages up to this many characters.
const int QUOTED_LENGTH = 80;
const char UTF8_BOM[] = "\xEF\xBB\xBF";

QString Refusal(const QString &name, const QString &reason)
{
  return QCoreApplication::translate("Data_Import", "Cannot import \"%1\": %2.").arg(name, reason);
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

// A line of blanks and separators only is an empty line, passed by without the parser.
bool Is_Blank_Or(const char c, const char separator)
{
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == separator;
}

bool Is_Blank_Text(const char *text, const int length)
{
  for (int i = 0; i < length; ++i) {
    const char c = text[i];
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

  bool Read(const QByteArray &text);

  int Columns() const { return d_columns; }
  const std::vector<double> &Column(int index) const { return d_numbers[index]; }
  QString Error() const { return d_error; }

private:
  static void Field_Done(void *field, std::size_t length, void *reader);
  static void Record_Done(int terminator, void *reader);

  void Read_Lines(csv_parser *parser, const QByteArray &text);
  const char *Skip_Blank_Lines(const char *line, const char *end);
  void Feed(csv_parser *parser, const char *begin, const char *end);
  void Take_Field(const char *text, int length);
  bool Read_Field(const char *text, int length, double *number);
  void Take_Record();
  void Skip_Header();
  void Store();
  void Fail(const QString &reason);
  void Fail_Line(const QString &reason);

  QLocale d_locale;
  char d_separator = ',';
  // The record being read: its first fields as numbers (0.0 where a field is not one), how
  // many fields it has, how many up to the last that is not empty, and the first that is
  // empty or no number. The field's buffer keeps its memory from field to field.
  QString d_field;
  double d_record[MAXIMUM_COLUMNS] = {};
  int d_fields = 0;
  int d_filled = 0;
  int d_first_bad = -1;
  // The record's text from the start of the line it began on (null between records) to
  // the end of the line read last, and that line's number.
  const char *d_record_begin = nullptr;
  const char *d_line_end = nullptr;
  int d_record_line = 0;
  int d_line = 0;
  int d_header_lines = 0;
  int d_all_fields = 0;
  int d_columns = 0;
  std::vector<double> d_numbers[MAXIMUM_COLUMNS];
  QString d_error;
};

TColumnReader::TColumnReader(const QLocale &locale) : d_locale(locale)
{
  d_field.reserve(SHORT_FIELD_CAPACITY);
}

bool TColumnReader::Read(const QByteArray &text)
{
  d_separator = Find_Separator(text.left(static_cast<int>(SEPARATOR_SAMPLE_BYTES)));
  d_locale = Number_Locale(d_separator, d_locale);
  csv_parser parser;
  if (csv_init(&parser, 0) != 0) {
    Fail(QCoreApplication::translate("Data_Import", "out of memory"));
    return false;
  }
  csv_set_delim(&parser, static_cast<unsigned char>(d_separator));
  csv_set_space_func(&parser, Is_Blank);
  Read_Lines(&parser, text);
  if (d_error.isEmpty()) {
    csv_fini(&parser, Field_Done, Record_Done, this);
  }
  csv_free(&parser);
  return d_error.isEmpty();
}

// Lines end at a line feed; a carriage return before it is the parser's to pass by.
void TColumnReader::Read_Lines(csv_parser *parser, const QByteArray &text)
{
  const char *line = text.constData();
  const char *const end = line + text.size();
  if (text.startsWith(UTF8_BOM)) {
    line += 3;
  }
  while (line < end && d_error.isEmpty()) {
    if (!d_record_begin) {
      line = Skip_Blank_Lines(line, end);
      if (line == end) {
        break;
      }
    }
    const void *newline = std::memchr(line, '\n', static_cast<std::size_t>(end - line));
    const char *const line_end = newline ? static_cast<const char *>(newline) + 1 : end;
    ++d_line;
    if (line_end - line > MAXIMUM_LINE_LENGTH) {
      Fail(QCoreApplication::translate("Data_Import", "line %1 is longer than %2 bytes")
             .arg(d_line)
             .arg(MAXIMUM_LINE_LENGTH));
    } else {
      Feed(parser, line, line_end);
    }
    line = line_end;
  }
}

// Runs of lines that hold only blanks and separators, as between records, in one pass;
// returns the start of the next line that holds more, or the end.
const char *TColumnReader::Skip_Blank_Lines(const char *line, const char *end)
{
  const char *c = line;
  for (; c < end && Is_Blank_Or(*c, d_separator); ++c) {
    if (c - line >= MAXIMUM_LINE_LENGTH) {
      Fail(QCoreApplication::translate("Data_Import", "line %1 is longer than %2 bytes")
             .arg(d_line + 1)
             .arg(MAXIMUM_LINE_LENGTH));
      return end;
    }
    if (*c == '\n') {
      line = c + 1;
      ++d_line;
    }
  }
  return c == end ? end : line;
}

// Blank lines between records are passed by; inside a quoted field they are its text.
void TColumnReader::Feed(csv_parser *parser, const char *begin, const char *end)
{
  if (!d_record_begin) {
    d_record_begin = begin;
    d_record_line = d_line;
  }
  d_line_end = end;
  if (end - d_record_begin > MAXIMUM_LINE_LENGTH) {
    Fail(QCoreApplication::translate("Data_Import",
                                     "the record that begins on line %1 runs on over more than %2 "
                                     "bytes; a quoted field in it may lack its closing quote")
           .arg(d_record_line)
           .arg(MAXIMUM_LINE_LENGTH));
    return;
  }
  const std::size_t size = static_cast<std::size_t>(end - begin);
  if (csv_parse(parser, begin, size, Field_Done, Record_Done, this) != size) {
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
  self->d_fields = 0;
  self->d_filled = 0;
  self->d_first_bad = -1;
  self->d_record_begin = nullptr;
}

// Once a field is empty or no number, a later field that is not empty makes the record
// no line of numbers, so later fields need no reading: a header line of many words
// costs little.
void TColumnReader::Take_Field(const char *text, const int length)
{
  if (++d_all_fields > MAXIMUM_FIELD_COUNT) {
    Fail(QCoreApplication::translate("Data_Import",
                                     "it has more than %1 fields, far more than a table's %2 rows "
                                     "of position and value")
           .arg(MAXIMUM_FIELD_COUNT)
           .arg(MAXIMUM_ROW_COUNT));
    return;
  }
  const int index = d_fields++;
  const bool blank = Is_Blank_Text(text, length);
  if (!blank) {
    d_filled = index + 1;
  }
  double number = 0.0;
  const bool readable = !blank && d_first_bad < 0 && Read_Field(text, length, &number);
  if (index < MAXIMUM_COLUMNS) {
    d_record[index] = number;
  }
  if (!readable && d_first_bad < 0) {
    d_first_bad = index;
  }
}

// ASCII text is copied into the kept buffer, so that most fields cost no allocation.
// Files carry finite numbers only, so that every position and value can be drawn.
bool TColumnReader::Read_Field(const char *text, const int length, double *number)
{
  bool ascii = true;
  for (int i = 0; i < length && ascii; ++i) {
    ascii = static_cast<unsigned char>(text[i]) < 0x80;
  }
  bool readable = false;
  if (ascii) {
    d_field.resize(length);
    QChar *characters = d_field.data();
    for (int i = 0; i < length; ++i) {
      characters[i] = QLatin1Char(text[i]);
    }
    readable = Read_Number(d_field, d_locale, number);
  } else {
    readable = Read_Number(QString::fromUtf8(text, length), d_locale, number);
  }
  return readable && std::isfinite(*number);
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
      Skip_Header();
      return;
    }
    if (d_filled > MAXIMUM_COLUMNS) {
      Fail_Line(QCoreApplication::translate("Data_Import",
                                            "has %1 columns, but a file holds one column of values "
                                            "or two of positions and values")
                  .arg(d_filled));
      return;
    }
    d_columns = d_filled;
  }
  if (d_filled != d_columns) {
    Fail_Line(QCoreApplication::translate("Data_Import", "has %1 fields where %2 are expected")
                .arg(d_filled)
                .arg(d_columns));
  } else if (!readable) {
    Fail_Line(QCoreApplication::translate("Data_Import", "is not a line of numbers"));
  } else if (d_numbers[0].size() >= static_cast<std::size_t>(MAXIMUM_ROW_COUNT)) {
    Fail(QCoreApplication::translate("Data_Import",
                                     "it has more than %1 lines of numbers, the most a table holds")
           .arg(MAXIMUM_ROW_COUNT));
  } else {
    Store();
  }
}

// Lines of text before the numbers are headers; a file of nothing else is no data file.
void TColumnReader::Skip_Header()
{
  if (++d_header_lines > MAXIMUM_HEADER_LINES) {
    Fail(QCoreApplication::translate("Data_Import",
                                     "it has more than %1 lines before its first line of numbers")
           .arg(MAXIMUM_HEADER_LINES));
  }
}

void TColumnReader::Store()
{
  for (int i = 0; i < d_columns; ++i) {
    d_numbers[i].push_back(d_record[i]);
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
  const QByteArray text =
    d_record_begin ? QByteArray(d_record_begin, static_cast<int>(d_line_end - d_record_begin))
                   : QByteArray();
  Fail(QCoreApplication::translate("Data_Import", "line %1 %2: %3")
         .arg(d_record_line)
         .arg(reason, Quoted_Line(text)));
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

// The input's smallest increment, as its corrections give a range typed with none.
double Input_Minimum_Step()
{
  return Corrected_Input({0.0, 0.0, 1.0}).range.increment;
}

// One row for each line, or a few fewer where positions about the input's minimum step
// apart, but jittered, would otherwise come out a hair closer than it: a measurement taken
// every millimetre, give or take, is not refused for being finer than a millimetre.
std::size_t Resampled_Rows(const double &span, const std::size_t lines)
{
  const double fitting = std::floor(span / Input_Minimum_Step()) + 1.0;
  const double fewest = double(lines) - std::max(1.0, double(lines) * RESAMPLING_ROW_LOSS);
  return fitting < double(lines) && fitting >= std::max(fewest, 2.0) ? std::size_t(fitting)
                                                                      : lines;
}

// Uneven or unsorted positions: the values at an even range over the same span, with about
// as many rows as the file has lines, by linear interpolation.
bool Resample(const std::vector<double> &positions, const std::vector<double> &values,
              TImportedData *data)
{
  const Point_List points = Sorted_Points(positions, values);
  if (points.front().x == points.back().x) {
    return false;
  }
  const double span = points.back().x - points.front().x;
  data->series =
    Even_Series(points.front().x, points.back().x, Resampled_Rows(span, points.size()));
  Point_List table;
  Fill_Positions(data->series, &table);
  Interpolate_At_Positions(points, table, &data->values);
  data->resampled = true;
  return true;
}

// The power of ten that spreads positions `spacing` apart to at least `minimum`; the
// margin keeps the rounding of a computed spacing from asking for ten times more.
double Spreading_Factor(const double &spacing, const double &minimum)
{
  return std::pow(10.0, std::ceil(std::log10(minimum / spacing) - 1.0e-9));
}

// The input keeps its rows at least its minimum increment apart, so finer positions would
// lose rows or collapse to none; the user decides how to scale them instead.
bool Check_Spacing(const TSeries &series, const bool even, QString *reason)
{
  const double spacing = std::fabs(series.range.increment);
  const double minimum = Input_Minimum_Step();
  if (spacing >= minimum) {
    return true;
  }
  *reason = QCoreApplication::translate("Data_Import",
                                        "its positions are %1 apart%2, but the input's rows are at "
                                        "least %3 apart, so the positions cannot be kept; multiply "
                                        "them by %4 (giving them in a smaller unit), or delete the "
                                        "position column to import the values alone, one per row")
              .arg(spacing, 0, 'g', 6)
              .arg(even ? QString() : QCoreApplication::translate("Data_Import", " on average"))
              .arg(minimum, 0, 'g', 6)
              .arg(Spreading_Factor(spacing, minimum), 0, 'g', 15);
  return false;
}

bool Resolve_Positions(const std::vector<double> &positions, const std::vector<double> &values,
                       TImportedData *data, QString *reason)
{
  if (positions.size() < 2) {
    *reason = QCoreApplication::translate("Data_Import",
                                          "it needs at least two lines of position and value");
    return false;
  }
  for (const double &position : positions) {
    if (std::fabs(position) > MAXIMUM_POSITION) {
      *reason = QCoreApplication::translate("Data_Import", "a position lies beyond %1")
                  .arg(MAXIMUM_POSITION);
      return false;
    }
  }
  data->has_positions = true;
  const bool even = Evenly_Spaced(positions);
  if (even) {
    data->series = Even_Series(positions.front(), positions.back(), positions.size());
    data->values = values;
  } else if (!Resample(positions, values, data)) {
    *reason = QCoreApplication::translate("Data_Import", "all its positions are the same");
    return false;
  }
  return Check_Spacing(data->series, even, reason);
}

bool Resolve(const TColumnReader &reader, TImportedData *data, QString *reason)
{
  if (reader.Columns() == 0) {
    *reason = QCoreApplication::translate("Data_Import", "it contains no numbers");
    return false;
  }
  if (reader.Columns() == 1) {
    data->values = reader.Column(0);
    return true;
  }
  return Resolve_Positions(reader.Column(0), reader.Column(1), data, reason);
}

bool Import_Text(const QByteArray &text, const QString &name, const QLocale &locale,
                 TImportedData *data, QString *message)
{
  TColumnReader reader(locale);
  TImportedData imported;
  QString reason;
  if (!reader.Read(text)) {
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
  const QString name = Shown_File_Name(path);
  QByteArray text;
  QString reason;
  if (!Read_Regular_File(path, DATA_FILE, &text, &reason)) {
    *message = Refusal(name, reason);
    return false;
  }
  return Import_Text(text, name, locale, data, message);
}

bool Import_Data_Text(const QByteArray &text, const QString &name, const QLocale &locale,
                      TImportedData *data, QString *message)
{
  if (!ASSERT(data) || !ASSERT(message)) {
    return false;
  }
  return Import_Text(text, name, locale, data, message);
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
