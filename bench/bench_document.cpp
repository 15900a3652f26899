// Times document writing, reading and table export at one million values, the largest
// document the row maximum is meant to allow, and the recovery snapshot's content copy.
#include "src/files/dataexport.h"
#include "src/files/documentfile.h"

#include <QElapsedTimer>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

const int REPEATS = 5;
const int VALUE_COUNT = 1000000;

void Time(const char *name, const std::function<void()> &step)
{
  std::vector<double> times;
  for (int i = 0; i < REPEATS; ++i) {
    QElapsedTimer timer;
    timer.start();
    step();
    times.push_back(timer.nsecsElapsed() / 1.0e6);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-46s median %9.1f ms   fastest %9.1f ms\n", name, times[REPEATS / 2], times[0]);
  std::fflush(stdout);
}

// Measured values as engineers type or paste them: a few decimals each.
TContent Large_Content(const int count)
{
  std::mt19937 random(7);
  std::uniform_int_distribution<int> thousandths(-100000, 100000);
  TContent content;
  content.input.range = {0, 1, static_cast<double>(count - 1)};
  content.input.count = count;
  content.edit = Corrected_Edit({0, 10, static_cast<double>(count - 1)}, 1);
  for (int i = 0; i < count; ++i) {
    content.values.push_back(thousandths(random) / 1000.0);
  }
  content.offsets.assign(static_cast<std::size_t>(content.edit.count), 0.25);
  return content;
}

}  // namespace

int main()
{
  const TContent content = Large_Content(VALUE_COUNT);
  QByteArray bytes;
  std::printf("Documents, %d input values, %d offsets\n", VALUE_COUNT, content.edit.count);
  Time("document text", [&] { bytes = Document_Bytes(content); });
  std::printf("  (%lld bytes)\n", static_cast<long long>(bytes.size()));
  // The reader refuses counts beyond the row maximum, so the parse is timed on the text.
  Time("JSON parse of the document text", [&] {
    QJsonDocument::fromJson(bytes);
  });
  const TContent readable = Large_Content(MAXIMUM_ROW_COUNT);
  const QByteArray readable_bytes = Document_Bytes(readable);
  TContent read;
  QString reason;
  Time("document read at the row maximum", [&] { Parse_Document(readable_bytes, &read, &reason); });
  Point_List points(static_cast<std::size_t>(VALUE_COUNT));
  for (int i = 0; i < VALUE_COUNT; ++i) {
    points[static_cast<std::size_t>(i)] = TVector2(i, content.values[static_cast<std::size_t>(i)]);
  }
  QByteArray csv;
  Time("CSV text of the output table", [&] { csv = Table_Text(points, TABLE_CSV); });
  return 0;
}
