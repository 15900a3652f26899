#include "src/files/dataexport.h"

#include "core/shortestnumber.h"

namespace {

// The longest line: two numbers of at most 24 characters, a separator and a line end.
const int LINE_RESERVE = 52;

// A header line for CSV, then one line per point, each fed in by `visit`.
template <class TVisit>
QByteArray Write_Table(const std::size_t count, const TTable_Format format, TVisit visit)
{
  const char separator = format == TABLE_CSV ? ',' : '\t';
  QByteArray text;
  text.reserve(static_cast<int>(count) * LINE_RESERVE + 16);
  if (format == TABLE_CSV) {
    text += "position,value\n";
  }
  visit([&](const TVector2 &point) {
    text += Shortest_Number(point.x);
    text += separator;
    text += Shortest_Number(point.y);
    text += '\n';
  });
  return text;
}

}  // namespace

QByteArray Table_Text(const Point_List &points, const TTable_Format format)
{
  return Write_Table(points.size(), format, [&](const auto &line) {
    for (const TVector2 &point : points) {
      line(point);
    }
  });
}

QByteArray Table_Text(const TGraph_Curve &points, const TTable_Format format)
{
  TGraphDataSet set;
  set.Curve = &points;
  return Write_Table(points.Point_Count(), format,
                     [&](const auto &line) { Visit_Points(set, line); });
}
