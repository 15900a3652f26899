#include "core/numberreader.h"

#include "core/assertion.h"

namespace {

// The C syntax exactly as cells have always read it; Qt trims the white space itself.
bool Read_C_Number(const QString &text, double *value)
{
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
