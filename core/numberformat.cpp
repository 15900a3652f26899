#include "core/numberformat.h"

#include <QLatin1Char>

QString Format_Number(const double &value, const int precision)
{
  return QStringLiteral("%1").arg(value, 0, 'f', precision, QLatin1Char(' '));
}
