#include "core/numberformat.h"

#include <QLatin1Char>
#include <QLatin1String>

#include <charconv>
#include <cmath>
#include <cstddef>
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

bool Has_Short_Path(const double &value, const int precision)
{
  return precision >= 0 && precision <= FAST_MAXIMUM_PRECISION
         && std::fabs(value) < FAST_MAXIMUM_MAGNITUDE;
}

// Writes the text QString::arg would give, or returns false where that is not sure:
// nan, inf, huge values, precisions beyond the bound, and the sign of negative values
// that round to zero. std::to_chars rounds ties to even, QString::arg away from zero,
// so a tie is written with its exact last digit and rounded here.
bool Format_Exactly(const double &value, const int precision, char *buffer, int *length)
{
  if (!Has_Short_Path(value, precision)) {
    return false;
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
