#include "core/numberformat.h"

#include <QLatin1Char>
#include <QLatin1String>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Within these bounds std::to_chars gives the same digits as QString::arg.
const int FAST_MAXIMUM_PRECISION = 20;
const double FAST_MAXIMUM_MAGNITUDE = 1.0e15;
const int BUFFER_SIZE = 64;

// A value exactly halfway between two texts at this precision: its exact decimal
// expansion has precision + 1 digits after the point, as many as its binary one.
bool Is_Tie(const double &value, const int precision)
{
  const double wider = std::ldexp(value, precision + 1);
  const double narrower = std::ldexp(value, precision);
  return wider == std::trunc(wider) && narrower != std::trunc(narrower);
}

bool All_Zero_Digits(const char *first, const char *last)
{
  for (const char *c = first; c != last; ++c) {
    if (*c >= '1' && *c <= '9') {
      return false;
    }
  }
  return true;
}

// Adds one unit of the last digit to the magnitude of the text in [first, last) and
// returns its new end, one further when the carry adds a leading digit.
char *Round_Up_Magnitude(char *first, char *last)
{
  char *const digits = *first == '-' ? first + 1 : first;
  for (char *c = last; c != digits;) {
    --c;
    if (*c == '.') {
      continue;
    }
    if (*c != '9') {
      ++*c;
      return last;
    }
    *c = '0';
  }
  std::memmove(digits + 1, digits, static_cast<std::size_t>(last - digits));
  *digits = '1';
  return last + 1;
}

// The scaled path: the value times a power of ten, rounded to a whole number, written as
// digits. Below the limit every half is a double, and rounding keeps order, so the
// rounded product lies on the same side of a half as the exact one, or on the half
// itself: only a product on a half is in doubt.
const int SCALED_MAXIMUM_PRECISION = 15;
const double SCALED_LIMIT = 4503599627370496.0;  // 2^52
const std::uint64_t POWERS_OF_TEN[SCALED_MAXIMUM_PRECISION + 1] = {
  1ULL,          10ULL,          100ULL,          1000ULL,
  10000ULL,      100000ULL,      1000000ULL,      10000000ULL,
  100000000ULL,  1000000000ULL,  10000000000ULL,  100000000000ULL,
  1000000000000ULL, 10000000000000ULL, 100000000000000ULL, 1000000000000000ULL};

// Writes the decimal digits of `number`, at least `count` of them, ending at `end`;
// returns where they start.
char *Write_Digits(std::uint64_t number, int count, char *end)
{
  char *c = end;
  while (number != 0 || count > 0) {
    *--c = static_cast<char>('0' + number % 10);
    number /= 10;
    --count;
  }
  return c;
}

// The rounded whole number of `value` times ten to the precision, or false where the
// product is a half.
bool Scaled_Whole(const double &value, const int precision, std::uint64_t *whole)
{
  if (precision > SCALED_MAXIMUM_PRECISION) {
    return false;
  }
  const double scaled = std::fabs(value) * static_cast<double>(POWERS_OF_TEN[precision]);
  if (!(scaled < SCALED_LIMIT)) {
    return false;
  }
  const double below = std::floor(scaled);
  const double fraction = scaled - below;
  if (fraction == 0.5) {
    return false;
  }
  *whole = static_cast<std::uint64_t>(below) + (fraction > 0.5 ? 1U : 0U);
  return true;
}

// Writes the number through Scaled_Whole, or returns false where that is not sure or a
// negative value rounds to zero.
bool Format_Scaled(const double &value, const int precision, char *buffer, int *length)
{
  std::uint64_t whole = 0;
  if (!Scaled_Whole(value, precision, &whole) || (whole == 0 && std::signbit(value))) {
    return false;
  }
  char digits[BUFFER_SIZE];
  char *const end = digits + BUFFER_SIZE;
  const std::uint64_t unit = POWERS_OF_TEN[precision];
  char *first = end;
  if (precision > 0) {
    first = Write_Digits(whole % unit, precision, end);
    *--first = '.';
  }
  first = Write_Digits(whole / unit, 1, first);
  if (value < 0) {
    *--first = '-';
  }
  *length = static_cast<int>(end - first);
  std::memcpy(buffer, first, static_cast<std::size_t>(*length));
  return true;
}

bool Has_Short_Path(const double &value, const int precision)
{
  return precision >= 0 && precision <= FAST_MAXIMUM_PRECISION
         && std::fabs(value) < FAST_MAXIMUM_MAGNITUDE;
}

// Writes the text QString::arg would give, or returns false where that is not sure:
// nan, inf, huge values, precisions beyond the bound, and the sign of negative values
// that round to zero. Most values take the scaled path; the rest go through
// std::to_chars, which rounds ties to even where QString::arg rounds away from zero, so a
// tie is written with its exact last digit and rounded here.
bool Format_Exactly(const double &value, const int precision, char *buffer, int *length)
{
  if (!Has_Short_Path(value, precision)) {
    return false;
  }
  if (Format_Scaled(value, precision, buffer, length)) {
    return true;
  }
  const bool tie = Is_Tie(value, precision);
  const std::to_chars_result result = std::to_chars(
    buffer, buffer + BUFFER_SIZE - 1, value, std::chars_format::fixed, tie ? precision + 1 : precision);
  if (result.ec != std::errc()) {
    return false;
  }
  char *last = result.ptr;
  if (tie) {
    last = Round_Up_Magnitude(buffer, last - (precision == 0 ? 2 : 1));
  }
  if (std::signbit(value) && All_Zero_Digits(buffer, last)) {
    return false;
  }
  *length = static_cast<int>(last - buffer);
  return true;
}

// The text of a number in the C form as a QString, its point replaced by the separator.
QString Latin1_Number(const char *text, const int length, const QString &decimal_point)
{
  const void *const found = std::memchr(text, '.', static_cast<std::size_t>(length));
  if (!found || decimal_point == QLatin1String(".")) {
    return QString::fromLatin1(text, length);
  }
  const int before = static_cast<int>(static_cast<const char *>(found) - text);
  QString number;
  number.reserve(length - 1 + decimal_point.size());
  number += QLatin1String(text, before);
  number += decimal_point;
  number += QLatin1String(text + before + 1, length - before - 1);
  return number;
}

}  // namespace

QString Format_Number(const double &value, const int precision)
{
  return Format_Number(value, precision, QStringLiteral("."));
}

QString Format_Number(const double &value, const int precision, const QString &decimal_point)
{
  char buffer[BUFFER_SIZE];
  int length = 0;
  if (Format_Exactly(value, precision, buffer, &length)) {
    return Latin1_Number(buffer, length, decimal_point);
  }
  return With_Decimal_Point(QStringLiteral("%1").arg(value, 0, 'f', precision, QLatin1Char(' ')),
                            decimal_point);
}

void Append_Number(const double &value, const int precision, std::string *text)
{
  char buffer[BUFFER_SIZE];
  int length = 0;
  if (Format_Exactly(value, precision, buffer, &length)) {
    text->append(buffer, static_cast<std::size_t>(length));
  } else {
    text->append(Format_Number(value, precision).toLatin1().constData());
  }
}

QString Aligned_Number(QString number, const int width)
{
  if (!number.startsWith(QLatin1Char('-'))) {
    number.prepend(QLatin1Char(' '));
  }
  if (number.size() < width) {
    number.prepend(QString(width - number.size(), QLatin1Char(' ')));
  }
  return number;
}

QString Format_Exponent_Number(const double &value, const int precision,
                               const QString &decimal_point)
{
  return With_Decimal_Point(QString::number(value, 'e', precision), decimal_point);
}

QString Decimal_Point(const QLocale &locale)
{
  return QString(locale.decimalPoint());
}

QString With_Decimal_Point(QString text, const QString &decimal_point)
{
  if (decimal_point != QLatin1String(".")) {
    const int point = static_cast<int>(text.indexOf(QLatin1Char('.')));
    if (point >= 0) {
      text.replace(point, 1, decimal_point);
    }
  }
  return text;
}
