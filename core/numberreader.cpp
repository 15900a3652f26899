#include "core/numberreader.h"

#include "core/assertion.h"

#include <charconv>
#include <system_error>

namespace {

// Fields longer than this take Qt's general path.
const int SHORT_FIELD = 64;
const int GROUP_SIZE = 3;

// The characters a plain number may use besides its digits: the decimal separator and,
// where the syntax groups digits by threes, the group separator (0 for none).
struct TPlainSyntax
{
  char16_t decimal = u'.';
  char16_t group = 0;
};

const TPlainSyntax C_SYNTAX;

bool Is_Space(const QChar c)
{
  return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
         c == QLatin1Char('\n');
}

bool Is_Digit(const char16_t c)
{
  return c >= u'0' && c <= u'9';
}

bool Is_Sign_Or_Exponent(const char16_t c)
{
  return c == u'-' || c == u'+' || c == u'e' || c == u'E';
}

// Copies a plain number into `ascii` in the C syntax: the decimal separator becomes a
// point, group separators are dropped where they stand in whole groups of the integer
// digits. False for anything else, which the caller leaves to Qt.
class TPlainCopy
{
public:
  explicit TPlainCopy(const TPlainSyntax &syntax) : d_syntax(syntax) {}

  bool Add(const char16_t c)
  {
    if (d_syntax.group != 0 && c == d_syntax.group) {
      return Add_Group();
    }
    char ascii = 0;
    if (c == d_syntax.decimal) {
      ascii = '.';
    } else if (Is_Digit(c) || Is_Sign_Or_Exponent(c)) {
      ascii = static_cast<char>(c);
    } else {
      return false;
    }
    return Add_Ascii(ascii);
  }

  bool Finish() { return !d_integer || Whole_Groups(); }

  const char *Begin() const { return d_ascii; }
  const char *End() const { return d_ascii + d_length; }

private:
  bool Add_Group()
  {
    if (!d_integer || d_digits == 0 || !Whole_Groups() ||
        (d_group_digits < 0 && d_digits > GROUP_SIZE)) {
      return false;
    }
    d_group_digits = 0;
    return true;
  }

  bool Add_Ascii(const char ascii)
  {
    if (d_length == SHORT_FIELD) {
      return false;
    }
    const bool leading_sign = d_length == 0 && ascii == '-';
    if (d_integer && !leading_sign && !Is_Digit(static_cast<char16_t>(ascii))) {
      if (!Whole_Groups()) {
        return false;
      }
      d_integer = false;
    }
    if (d_integer && !leading_sign) {
      ++d_digits;
      d_group_digits += d_group_digits >= 0;
    }
    d_ascii[d_length++] = ascii;
    return true;
  }

  bool Whole_Groups() const { return d_group_digits < 0 || d_group_digits == GROUP_SIZE; }

  TPlainSyntax d_syntax;
  char d_ascii[SHORT_FIELD] = {};
  int d_length = 0;
  bool d_integer = true;
  int d_digits = 0;
  int d_group_digits = -1;
};

// The common case of a plain number, read without any allocation. Anything unusual
// (words, overflow, odd signs, long fields) gives false and is left to Qt, so that every
// result is the one Qt gives.
bool Read_Plain_Number(const QString &text, const TPlainSyntax &syntax, double *value)
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
  if (first == last || last - first > SHORT_FIELD) {
    return false;
  }
  TPlainCopy copy(syntax);
  for (int i = first; i < last; ++i) {
    if (!copy.Add(text.at(i).unicode())) {
      return false;
    }
  }
  if (!copy.Finish()) {
    return false;
  }
  double number = 0.0;
  const std::from_chars_result result = std::from_chars(copy.Begin(), copy.End(), number);
  if (result.ec != std::errc() || result.ptr != copy.End()) {
    return false;
  }
  *value = number;
  return true;
}

// A locale's separators for the plain path, when it writes and reads numbers as the C
// syntax does apart from them: ASCII digits and signs, a one-character decimal separator
// and groups of three (some Qt versions write groups of three where they read others).
// Otherwise the decimal separator is a character no text holds, so every
// number goes to Qt.
TPlainSyntax Plain_Syntax_Of(const QLocale &locale)
{
  const QString decimal = QString(locale.decimalPoint());
  const QString group = QString(locale.groupSeparator());
  TPlainSyntax syntax;
  syntax.decimal = u'\uFFFF';
  const QString sample = QLatin1String("-1") + group + QLatin1String("234") + group +
                         QLatin1String("567") + decimal + QLatin1String("5");
  const QString long_sample = QLatin1String("12") + group + QLatin1String("345") + group +
                              QLatin1String("678");
  bool sample_read = false;
  bool long_sample_read = false;
  locale.toDouble(sample, &sample_read);
  locale.toDouble(long_sample, &long_sample_read);
  const bool plain = decimal.size() == 1 && group.size() == 1 && decimal != group &&
                     locale.toString(-1234567.5, 'f', 1) == sample && sample_read &&
                     long_sample_read &&
                     QString(locale.positiveSign()) == QLatin1String("+") &&
                     QString(locale.exponential()).compare(QLatin1String("e"),
                                                          Qt::CaseInsensitive) == 0;
  if (plain) {
    syntax.decimal = decimal.at(0).unicode();
    syntax.group = group.at(0).unicode();
  }
  return syntax;
}

// The syntax of the locale of the previous call, kept since a paste or a file reads all
// its fields in one locale.
TPlainSyntax Cached_Plain_Syntax(const QLocale &locale)
{
  thread_local QLocale cached_locale = QLocale::c();
  thread_local TPlainSyntax cached_syntax = Plain_Syntax_Of(QLocale::c());
  if (!(locale == cached_locale)) {
    cached_locale = locale;
    cached_syntax = Plain_Syntax_Of(locale);
  }
  return cached_syntax;
}

// Qt's C conversion takes no comma at all, so a comma needs no second look.
bool Read_C_Number(const QString &text, double *value)
{
  if (Read_Plain_Number(text, C_SYNTAX, value)) {
    return true;
  }
  if (text.contains(QLatin1Char(','))) {
    return false;
  }
  bool converted = false;
  *value = text.toDouble(&converted);
  return converted;
}

bool Read_Locale_Number(const QString &text, const QLocale &locale, double *value)
{
  if (Read_Plain_Number(text, Cached_Plain_Syntax(locale), value)) {
    return true;
  }
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
  *value = 0.0;
  return Read_C_Number(text, value) || Read_Locale_Number(text, locale, value);
}

bool Read_Number(const QString &text, double *value)
{
  if (!ASSERT(value)) {
    return false;
  }
  *value = 0.0;
  return Read_C_Number(text, value) || Read_Locale_Number(text, QLocale::system(), value);
}
