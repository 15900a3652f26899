// Times the number reader over a million fields, the data importer at the row maximum in
// each file layout, and graph export of a table at the row maximum in each format.
#include "core/graphwidget.h"
#include "core/numberreader.h"
#include "src/files/dataimport.h"
#include "src/graphdialog.h"
#include "src/files/graphexport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int RUNS = 5;
const int FIELD_COUNT = 1000000;

double Median_Milliseconds(const std::function<void()> &step)
{
  std::vector<double> times;
  for (int run = 0; run < RUNS; ++run) {
    QElapsedTimer timer;
    timer.start();
    step();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1.0e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const char *name, const double &milliseconds)
{
  std::printf("%-58s median %9.1f ms\n", name, milliseconds);
}

void Time_Reader(const char *name, const QStringList &fields, const QLocale &locale)
{
  Report(name, Median_Milliseconds([&fields, &locale]() {
           double sum = 0.0;
           for (const QString &field : fields) {
             double value = 0.0;
             Read_Number(field, locale, &value);
             sum += value;
           }
           if (sum == 0.123) {
             std::printf("-");
           }
         }));
}

QStringList Fields(const QLocale &locale)
{
  QStringList fields;
  fields.reserve(FIELD_COUNT);
  for (int i = 0; i < FIELD_COUNT; ++i) {
    fields.append(locale.toString(i * 0.37 - 1000.0, 'f', 6));
  }
  return fields;
}

QByteArray File_Text(const char *format, int rows, bool uneven)
{
  QByteArray text = "position;value\n";
  text.reserve(rows * 24);
  for (int row = 0; row < rows; ++row) {
    const double position = uneven ? row + 0.25 * std::sin(row) : row;
    text += QByteArray::number(position, 'f', 6) + format;
    text += QByteArray::number(row * 0.01, 'f', 6) + '\n';
  }
  return text;
}

void Time_Import(const char *name, const QByteArray &text)
{
  Report(name, Median_Milliseconds([&text]() {
           TImportedData data;
           QString message;
           if (!Import_Data_Text(text, QStringLiteral("bench"), QLocale::c(), &data, &message)) {
             std::printf("%s\n", qPrintable(message));
           }
         }));
}

void Time_Export(TInterpolationGraphDialog *dialog, const QString &path)
{
  qint64 size = 0;
  const double milliseconds = Median_Milliseconds([dialog, &path, &size]() {
    QString message;
    if (!dialog->Save_Graph_File(path, DEFAULT_GRAPH_SIZE, &message)) {
      std::printf("%s\n", qPrintable(message));
    }
    size = QFileInfo(path).size();
  });
  const QByteArray name = "export " + QFileInfo(path).suffix().toLatin1() + " 800 x 600";
  Report(name.constData(), milliseconds);
  std::printf("  (%lld bytes)\n", static_cast<long long>(size));
}

}  // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);

  std::printf("Number reader, %d fields\n", FIELD_COUNT);
  Time_Reader("C syntax, German locale given", Fields(QLocale::c()), QLocale(QLocale::German));
  Time_Reader("decimal commas, German locale", Fields(QLocale(QLocale::German)),
              QLocale(QLocale::German));
  Time_Reader("grouped, English locale", Fields(QLocale(QLocale::English)),
              QLocale(QLocale::English));

  std::printf("Data import, %d lines\n", MAXIMUM_ROW_COUNT);
  QByteArray one_column = "value\n";
  for (int row = 0; row < MAXIMUM_ROW_COUNT; ++row) {
    one_column += QByteArray::number(row * 0.01, 'f', 6) + '\n';
  }
  Time_Import("one column", one_column);
  Time_Import("two columns, comma, even", File_Text(",", MAXIMUM_ROW_COUNT, false));
  Time_Import("two columns, tab, uneven (resampled)", File_Text("\t", MAXIMUM_ROW_COUNT, true));
  QByteArray semicolons = File_Text(";", MAXIMUM_ROW_COUNT, false);
  semicolons.replace('.', ',');
  Time_Import("two columns, semicolon, decimal commas", semicolons);

  std::printf("Graph export, two curves of %d points\n", MAXIMUM_ROW_COUNT);
  Point_List input;
  Point_List output;
  for (int row = 0; row < MAXIMUM_ROW_COUNT; ++row) {
    input.push_back(TVector2(row, std::sin(row * 0.001) * 100.0));
    output.push_back(TVector2(row, std::sin(row * 0.001) * 100.0 + (row % 13)));
  }
  TInterpolationGraphDialog dialog;
  dialog.Set_Graph_Data(input, output);
  QTemporaryDir folder;
  for (const char *name : {"graph.png", "graph.svg", "graph.pdf"}) {
    Time_Export(&dialog, folder.filePath(QString::fromLatin1(name)));
  }
  return 0;
}
