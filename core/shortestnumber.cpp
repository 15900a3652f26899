#include "core/shortestnumber.h"

#include <charconv>
#include <cmath>

QByteArray Shortest_Number(const double &value)
{
  if (std::isnan(value)) {
    return QByteArrayLiteral("nan");
  }
  if (std::isinf(value)) {
    return value > 0 ? QByteArrayLiteral("inf") : QByteArrayLiteral("-inf");
  }
  // The longest shortest form is "-2.2250738585072014e-308": 24 characters.
  char text[32];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  return QByteArray(text, static_cast<int>(result.ptr - text));
}
