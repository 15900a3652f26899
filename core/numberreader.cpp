#include "core/numberreader.h"

#include "core/assertion.h"

#include <charconv>
#include <system_error>

namespace {

// Fields longer than this take the general path.
const int SHORT_FIELD = 64;

bool Is_Space(const QChar c)
{
  return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
         c == QLatin1Char('\n');
}

bool Is_Plain_Number_Char(const char16_t c)
{
  return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' ||
         c == u'E';
}

// The common case of a plain decimal number, read without any allocation; anything
// unusual (words, overflow, odd signs) is left to Qt, so the result is always Qt's.
bool Read_Plain_Number(const QString &text, double *value)
{
  int first = 0;
  int last = text.size();
  while (first < last && Is_Space(text.at(first))) {
    ++first;
  }
  while (last > first && Is_Space(text.at(last - 1))) {
    --last;
  }
  // from_chars takes no plus sign, and one sign at most may lead.
  if (first < last && text.at(first) == QLatin1Char('+')) {
    ++first;
    const bool signed_again = first < last && (text.at(first) == QLatin1Char('+') ||
                                               text.at(first) == QLatin1Char('-'));
    if (signed_again) {
      return false;
    }
  }
  const int length = last - first;
  if (length == 0 || length > SHORT_FIELD) {
    return false;
  }
  char ascii[SHORT_FIELD];
  for (int i = 0; i < length; ++i) {
    const char16_t c = text.at(first + i).unicode();
    if (!Is_Plain_Number_Char(c)) {
      return false;
    }
    ascii[i] = static_cast<char>(c);
  }
  const std::from_chars_result result = std::from_chars(ascii, ascii + length, *value);
  return result.ec == std::errc() && result.ptr == ascii + length;
}

// The C syntax exactly as cells have always read it; Qt trims the white space itself.
bool Read_C_Number(const QString &text, double *value)
{
  if (Read_Plain_Number(text, value)) {
    return true;
  }
  bool converted = false;
  *value = text.toDouble(&converted);
  return converted;
}

bool Read_Locale_Number(const QString &text, const QLocale &locale, double *value)
{
  bool converted = false;
  *value = locale.toDouble(text.trimmed(), &converted);
  if (!converted) {
    *value = 0.0;
  }
  return converted;
}

}  // namespace

bool Read_Number(const QString &text, const QLocale &locale, double *value)
{
  if (!ASSERT(value)) {
    return false;
  }
  return Read_C_Number(text, value) || Read_Locale_Number(text, locale, value);
}

bool Read_Number(const QString &text, double *value)
{
  if (!ASSERT(value)) {
    return false;
  }
  return Read_C_Number(text, value) || Read_Locale_Number(text, QLocale::system(), value);
}
