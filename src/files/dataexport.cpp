#include "src/files/dataexport.h"

#include "core/shortestnumber.h"

namespace {

// The longest line: two numbers of at most 24 characters, a separator and a line end.
const int LINE_RESERVE = 52;

}  // namespace

QByteArray Table_Text(const Point_List &points, const TTable_Format format)
{
  const char separator = format == TABLE_CSV ? ',' : '\t';
  QByteArray text;
  text.reserve(static_cast<int>(points.size()) * LINE_RESERVE + 16);
  if (format == TABLE_CSV) {
    text += "position,value\n";
  }
  for (const TVector2 &point : points) {
    text += Shortest_Number(point.x);
    text += separator;
    text += Shortest_Number(point.y);
    text += '\n';
  }
  return text;
}
