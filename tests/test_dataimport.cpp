#include "hostile_files.h"
#include "src/files/dataimport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <iterator>
#include <random>
#include <vector>

Q_DECLARE_METATYPE(std::vector<double>)

class TTestDataImport : public QObject
{
  Q_OBJECT

private slots:
  void Reads_Values_data();
  void Reads_Values();
  void Reads_Positions_data();
  void Reads_Positions();
  void Refuses_data();
  void Refuses();
  void Row_Maximum_Holds();
  void Reads_And_Refuses_Files();
  void Grows_Series_data();
  void Grows_Series();
  void Survives_Mutated_Files();
};

namespace {

const QString NAME = QStringLiteral("/data/curve.csv");
const QLocale C_LOCALE = QLocale::c();
const QLocale GERMAN(QLocale::German, QLocale::Germany);
const QLocale ENGLISH(QLocale::English, QLocale::UnitedStates);

using Numbers = std::vector<double>;

TImportedData Sentinel()
{
  TImportedData data;
  data.values = {42.0};
  data.series.count = 7;
  return data;
}

void Compare_Values(const Numbers &actual, const Numbers &expected)
{
  QCOMPARE(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    QVERIFY2(std::fabs(actual[i] - expected[i]) <= 1e-12 * std::max(1.0, std::fabs(expected[i])),
             qPrintable(QStringLiteral("row %1: %2 instead of %3")
                          .arg(i)
                          .arg(actual[i], 0, 'g', 17)
                          .arg(expected[i], 0, 'g', 17)));
  }
}

QByteArray Lines(const QByteArray &line, int count)
{
  QByteArray text;
  text.reserve(line.size() * count);
  for (int i = 0; i < count; ++i) {
    text += line;
  }
  return text;
}

}  // namespace

void TTestDataImport::Reads_Values_data()
{
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<Numbers>("values");

  QTest::newRow("lines") << QByteArray("1.5\n-2\n3e2\n") << C_LOCALE << Numbers{1.5, -2, 300};
  QTest::newRow("no final newline") << QByteArray("1\n2") << C_LOCALE << Numbers{1, 2};
  QTest::newRow("crlf") << QByteArray("1\r\n2\r\n") << C_LOCALE << Numbers{1, 2};
  QTest::newRow("bom and header") << QByteArray("\xEF\xBB\xBFvalue\n4\n") << C_LOCALE
                                  << Numbers{4};
  QTest::newRow("header lines and blanks")
    << QByteArray("Logger 7\nvalue\n\n  \n1\n\n2\n\n") << C_LOCALE << Numbers{1, 2};
  QTest::newRow("white space around") << QByteArray("  1.25  \n  2\n") << C_LOCALE
                                      << Numbers{1.25, 2};
  QTest::newRow("longest line") << QByteArray("1\n") + QByteArray(65535, ' ') + "\n2\n"
                                << C_LOCALE << Numbers{1, 2};
  QTest::newRow("quoted") << QByteArray("\"value\"\n\"1.5\"\n\" 2 \"\n") << C_LOCALE
                          << Numbers{1.5, 2};
  QTest::newRow("trailing separator") << QByteArray("1;\n2;\n") << C_LOCALE << Numbers{1, 2};
  QTest::newRow("decimal comma in system locale")
    << QByteArray("Wert\n\"2,5\"\n\"-0,5\"\n") << GERMAN << Numbers{2.5, -0.5};
  QTest::newRow("tab file in comma locale") << QByteArray("1,5\t\n2,5\t\n") << GERMAN
                                            << Numbers{1.5, 2.5};
  QTest::newRow("tab file with grouping") << QByteArray("1,000\t\n2\t\n") << ENGLISH
                                          << Numbers{1000, 2};
  QTest::newRow("semicolon decimal comma in C")
    << QByteArray("Wert;\n1,5;\n2,25;\n") << C_LOCALE << Numbers{1.5, 2.25};
}

void TTestDataImport::Reads_Values()
{
  QFETCH(QByteArray, text);
  QFETCH(QLocale, locale);
  QFETCH(Numbers, values);

  TImportedData data;
  QString message;
  QVERIFY2(Import_Data_Text(text, NAME, locale, &data, &message), qPrintable(message));
  QVERIFY(!data.has_positions);
  QVERIFY(!data.resampled);
  Compare_Values(data.values, values);
}

void TTestDataImport::Reads_Positions_data()
{
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<Numbers>("range");
  QTest::addColumn<int>("count");
  QTest::addColumn<bool>("resampled");
  QTest::addColumn<Numbers>("values");

  QTest::newRow("comma") << QByteArray("0,1\n1,2\n2,3\n") << C_LOCALE << Numbers{0, 1, 2} << 3
                         << false << Numbers{1, 2, 3};
  QTest::newRow("tab") << QByteArray("10\t1\n15\t2\n20\t3\n") << C_LOCALE
                       << Numbers{10, 5, 20} << 3 << false << Numbers{1, 2, 3};
  QTest::newRow("semicolon spreadsheet")
    << QByteArray("position;value\r\n0;1,5\r\n1,5;2,5\r\n3;3,5\r\n") << C_LOCALE
    << Numbers{0, 1.5, 3} << 3 << false << Numbers{1.5, 2.5, 3.5};
  QTest::newRow("semicolon in comma locale")
    << QByteArray("position;value\n0;1,5\n2,5;2,5\n") << GERMAN << Numbers{0, 2.5, 2.5} << 2
    << false << Numbers{1.5, 2.5};
  QTest::newRow("quoted header with separators")
    << QByteArray("\"pos, mm\",\"value; raw\"\n\"1\",\"2.5\"\n2,3.5\n") << C_LOCALE
    << Numbers{1, 1, 2} << 2 << false << Numbers{2.5, 3.5};
  QTest::newRow("header over two lines")
    << QByteArray("\"position\nin mm\",value\n1,2\n2,3\n") << C_LOCALE << Numbers{1, 1, 2} << 2
    << false << Numbers{2, 3};
  QTest::newRow("escaped quote in header")
    << QByteArray("\"the \"\"x\"\"\",y\n1,2\n2,3\n") << C_LOCALE << Numbers{1, 1, 2} << 2 << false
    << Numbers{2, 3};
  QTest::newRow("semicolon header over commas")
    << QByteArray("position;value\n0,1\n1,2\n") << C_LOCALE << Numbers{0, 1, 1} << 2 << false
    << Numbers{1, 2};
  QTest::newRow("comma header over semicolons")
    << QByteArray("x, y\n0;1,5\n1;2,5\n") << C_LOCALE << Numbers{0, 1, 1} << 2 << false
    << Numbers{1.5, 2.5};
  QTest::newRow("tab header over commas") << QByteArray("x\ty\n0,1\n1,2\n") << C_LOCALE
                                          << Numbers{0, 1, 1} << 2 << false << Numbers{1, 2};
  QTest::newRow("tab before decimal comma") << QByteArray("0\t1,5\n1\t2,5\n") << GERMAN
                                            << Numbers{0, 1, 1} << 2 << false
                                            << Numbers{1.5, 2.5};
  QTest::newRow("descending") << QByteArray("2,20\n1,10\n0,0\n") << C_LOCALE
                              << Numbers{2, -1, 0} << 3 << false << Numbers{20, 10, 0};
  QTest::newRow("even within tolerance")
    << QByteArray("0,1\n1.000000001,2\n2,3\n") << C_LOCALE << Numbers{0, 1, 2} << 3 << false
    << Numbers{1, 2, 3};
  QTest::newRow("uneven") << QByteArray("0,0\n1,10\n3,30\n") << C_LOCALE
                          << Numbers{0, 1.5, 3} << 3 << true << Numbers{0, 15, 30};
  QTest::newRow("just beyond tolerance")
    << QByteArray("0,0\n1.00001,10\n2,20\n") << C_LOCALE << Numbers{0, 1, 2} << 3 << true
    << Numbers{0, 10 / 1.00001, 20};
  // A row fewer, so that the rows stay as far apart as the input's must be.
  QTest::newRow("jittered, a hair closer than the input's rows")
    << QByteArray("0,0\n1,10\n1.5,15\n2.9,29\n") << C_LOCALE << Numbers{0, 1.45, 2.9} << 3
    << true << Numbers{0, 14.5, 29};
  QTest::newRow("unsorted") << QByteArray("2,20\n0,0\n1,10\n") << C_LOCALE << Numbers{0, 1, 2}
                            << 3 << true << Numbers{0, 10, 20};
  QTest::newRow("uneven descending") << QByteArray("4,8\n1,2\n0,0\n") << C_LOCALE
                                     << Numbers{0, 2, 4} << 3 << true << Numbers{0, 4, 8};
}

void TTestDataImport::Reads_Positions()
{
  QFETCH(QByteArray, text);
  QFETCH(QLocale, locale);
  QFETCH(Numbers, range);
  QFETCH(int, count);
  QFETCH(bool, resampled);
  QFETCH(Numbers, values);

  TImportedData data;
  QString message;
  QVERIFY2(Import_Data_Text(text, NAME, locale, &data, &message), qPrintable(message));
  QVERIFY(data.has_positions);
  QCOMPARE(data.resampled, resampled);
  QCOMPARE(data.series.count, count);
  Compare_Values({data.series.range.start, data.series.range.increment, data.series.range.end},
                 range);
  Compare_Values(data.values, values);
}

void TTestDataImport::Refuses_data()
{
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("reason");

  QTest::newRow("empty") << QByteArray() << "it contains no numbers";
  QTest::newRow("blank lines") << QByteArray("\n \n\r\n") << "it contains no numbers";
  QTest::newRow("header only") << QByteArray("position;value\n") << "it contains no numbers";
  QTest::newRow("three columns") << QByteArray("a,b,c\n1,2,3\n")
                                 << "line 2 has 3 columns, but a file holds one column";
  QTest::newRow("word after data") << QByteArray("h\n\n1;2\n\n3;x\n")
                                   << "line 5 is not a line of numbers: \"3;x\"";
  QTest::newRow("missing field") << QByteArray("1,2\n3\n")
                                 << "line 2 has 1 fields where 2 are expected: \"3\"";
  QTest::newRow("extra field") << QByteArray("1\n2,3\n")
                               << "line 2 has 2 fields where 1 are expected: \"2,3\"";
  QTest::newRow("empty field") << QByteArray("1;2\n;3\n") << "line 2 is not a line of numbers";
  QTest::newRow("not finite") << QByteArray("1\nnan\n") << "line 2 is not a line of numbers";
  QTest::newRow("infinite position") << QByteArray("0,1\ninf,2\n")
                                     << "line 2 is not a line of numbers: \"inf,2\"";
  QTest::newRow("quoted line") << QByteArray("1,2\n\"3\nx\",4\n")
                               << "line 2 is not a line of numbers: \"\"3 x\",4\"";
  QTest::newRow("one pair") << QByteArray("1,2\n") << "it needs at least two lines";
  QTest::newRow("same positions") << QByteArray("1,2\n1,3\n1,4\n")
                                  << "all its positions are the same";
  QTest::newRow("position too large") << QByteArray("0,1\n1e301,2\n") << "a position lies beyond";
  QTest::newRow("one byte beyond the longest line")
    << QByteArray("1\n") + QByteArray(65536, ' ') + "\n2\n" << "line 2 is longer than 65536 bytes";
  QTest::newRow("line too long") << QByteArray("1\n") + QByteArray(70000, '1') + "\n2\n"
                                 << "line 2 is longer than 65536 bytes";
}

void TTestDataImport::Refuses()
{
  QFETCH(QByteArray, text);
  QFETCH(QString, reason);

  TImportedData data = Sentinel();
  QString message;
  QVERIFY(!Import_Data_Text(text, NAME, C_LOCALE, &data, &message));
  QVERIFY2(message.startsWith(QStringLiteral("Cannot import \"") + NAME + "\": "),
           qPrintable(message));
  QVERIFY2(message.contains(reason), qPrintable(message));
  QCOMPARE(data.values, Numbers{42.0});
  QCOMPARE(data.series.count, 7);
}

void TTestDataImport::Row_Maximum_Holds()
{
  TImportedData data;
  QString message;
  QVERIFY2(Import_Data_Text("value\n" + Lines("1.5\n", MAXIMUM_ROW_COUNT), NAME, C_LOCALE, &data,
                            &message),
           qPrintable(message));
  QCOMPARE(data.values.size(), static_cast<std::size_t>(MAXIMUM_ROW_COUNT));

  TImportedData refused = Sentinel();
  QVERIFY(!Import_Data_Text(Lines("1,2\n", MAXIMUM_ROW_COUNT + 1), NAME, C_LOCALE, &refused,
                            &message));
  QVERIFY2(message.contains(QStringLiteral("more than %1 lines").arg(MAXIMUM_ROW_COUNT)),
           qPrintable(message));
  QCOMPARE(refused.values, Numbers{42.0});
}

void TTestDataImport::Reads_And_Refuses_Files()
{
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("export.csv"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("Position;Value\n0;0,5\n2;1,5\n4;2,5\n");
  file.close();

  TImportedData data;
  QString message;
  QVERIFY2(Import_Data_File(path, C_LOCALE, &data, &message), qPrintable(message));
  QCOMPARE(data.series.count, 3);
  QCOMPARE(data.series.range.increment, 2.0);
  Compare_Values(data.values, {0.5, 1.5, 2.5});

  const QString missing = folder.filePath(QStringLiteral("missing.csv"));
  QVERIFY(!Import_Data_File(missing, C_LOCALE, &data, &message));
  QVERIFY2(message.startsWith(QStringLiteral("Cannot import \"%1\": ").arg(missing)),
           qPrintable(message));
  QVERIFY(!Import_Data_File(folder.path(), C_LOCALE, &data, &message));
  QVERIFY2(message.contains(QStringLiteral("it is a folder")), qPrintable(message));
  const QString endless = QStringLiteral("/dev/zero");
  if (QFileInfo::exists(endless)) {
    QVERIFY(!Import_Data_File(endless, C_LOCALE, &data, &message));
    QVERIFY2(message.contains(QStringLiteral("it is a device, not a regular file")),
             qPrintable(message));
  }
  QCOMPARE(data.series.count, 3);
}

void TTestDataImport::Grows_Series_data()
{
  QTest::addColumn<double>("start");
  QTest::addColumn<double>("increment");
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("values");
  QTest::addColumn<int>("grown_count");
  QTest::addColumn<double>("grown_end");

  QTest::newRow("fewer values") << 0.0 << 1.0 << 10 << 4 << 10 << 9.0;
  QTest::newRow("as many values") << 0.0 << 1.0 << 10 << 10 << 10 << 9.0;
  QTest::newRow("one more") << 0.0 << 1.0 << 10 << 11 << 11 << 10.0;
  QTest::newRow("wide increment") << -5.0 << 2.5 << 3 << 7 << 7 << 10.0;
  QTest::newRow("odd increment") << 1.0 << 3.7 << 2 << 1001 << 1001 << 3701.0;
  QTest::newRow("descending") << 10.0 << -1.5 << 4 << 6 << 6 << 2.5;
  QTest::newRow("to the maximum") << 0.0 << 1.0 << 2 << MAXIMUM_ROW_COUNT << MAXIMUM_ROW_COUNT
                                  << MAXIMUM_ROW_COUNT - 1.0;
}

// The grown range must give the table exactly one row per value once corrected.
void TTestDataImport::Grows_Series()
{
  QFETCH(double, start);
  QFETCH(double, increment);
  QFETCH(int, count);
  QFETCH(int, values);
  QFETCH(int, grown_count);
  QFETCH(double, grown_end);

  TSeries current;
  current.range.start = start;
  current.range.increment = increment;
  current.range.end = start + (count - 1) * increment;
  current.count = count;
  const TSeries grown = Grown_Series(current, values);
  QCOMPARE(grown.count, grown_count);
  QCOMPARE(grown.range.start, start);
  QCOMPARE(grown.range.increment, increment);
  QVERIFY(std::fabs(grown.range.end - grown_end) < 1e-9 * std::max(1.0, std::fabs(grown_end)));
  QCOMPARE(Correct_Range(grown.range, 1.0).count, grown_count);
}

namespace {

const char *const CORPUS[] = {
  "position;value\r\n0;1,5\r\n1,5;2,5\r\n3;3,5\r\n",
  "\"pos, mm\",\"value\"\n\"1\",\"2.5\"\n2,3.5\n3,\"4\"\n",
  "1.5\n-2\n3e2\n\n4\n",
  "x\ty\n0\t0\n1\t10\n3\t30\n2\t20\n",
  "\xEF\xBB\xBF\"multi\nline\";\"h\"\"q\"\n1;2;\n2;3;\n",
  "1,2,3\n4,5,6\n",
  "0,0\n1,1\n1,1\n1,2\n",
};

const char MUTATION_BYTES[] = ",;\t\"\n\r 0123456789.eE-+nax\xEF\xBB\xBF";

QByteArray Mutated(QByteArray text, std::mt19937 *random)
{
  std::uniform_int_distribution<int> kinds(0, 4);
  std::uniform_int_distribution<int> bytes(0, static_cast<int>(sizeof(MUTATION_BYTES)) - 2);
  const int edits = 1 + static_cast<int>((*random)() % 4);
  for (int e = 0; e < edits; ++e) {
    const int size = text.size();
    const int at = size > 0 ? static_cast<int>((*random)() % static_cast<unsigned>(size)) : 0;
    switch (kinds(*random)) {
    case 0:
      text.insert(at, MUTATION_BYTES[bytes(*random)]);
      break;
    case 1:
      text.remove(at, 1);
      break;
    case 2:
      if (size > 0) {
        text[at] = MUTATION_BYTES[bytes(*random)];
      }
      break;
    case 3:
      text.insert(at, text.mid(at / 2, 1 + static_cast<int>((*random)() % 16)));
      break;
    default:
      text.truncate(at);
      break;
    }
  }
  return text;
}

void Check_Result(const QByteArray &text, bool imported, const TImportedData &data,
                  const QString &message)
{
  const QString context = QString::fromLatin1(text.toPercentEncoding());
  if (!imported) {
    QVERIFY2(message.startsWith(QStringLiteral("Cannot import \"") + NAME), qPrintable(context));
    return;
  }
  QVERIFY2(!data.values.empty(), qPrintable(context));
  QVERIFY2(data.values.size() <= static_cast<std::size_t>(MAXIMUM_ROW_COUNT), qPrintable(context));
  for (const double &value : data.values) {
    QVERIFY2(std::isfinite(value), qPrintable(context));
  }
  QVERIFY2(data.has_positions || !data.resampled, qPrintable(context));
  if (data.has_positions) {
    QCOMPARE(static_cast<std::size_t>(data.series.count), data.values.size());
    QVERIFY2(data.series.count >= 2, qPrintable(context));
    QVERIFY2(data.series.range.increment != 0.0, qPrintable(context));
    QVERIFY2(std::isfinite(data.series.range.increment), qPrintable(context));
  }
}

}  // namespace

// A fixed number of deterministic mutations of a small corpus: every text either imports
// into a consistent result or is refused with a message, within the time limit for one
// file and the memory limit for the whole run, and nothing crashes.
void TTestDataImport::Survives_Mutated_Files()
{
  const int rounds = 30000;
  std::mt19937 random(20261207);
  qint64 slowest = 0;
  for (int round = 0; round < rounds; ++round) {
    for (const char *source : CORPUS) {
      const QByteArray text = Mutated(QByteArray(source), &random);
      TImportedData data;
      QString message;
      QElapsedTimer clock;
      clock.start();
      const bool imported = Import_Data_Text(text, NAME, C_LOCALE, &data, &message);
      slowest = std::max(slowest, clock.elapsed());
      Check_Result(text, imported, data, message);
      if (QTest::currentTestFailed()) {
        return;
      }
    }
  }
  qInfo("%d mutated texts imported or refused, the slowest in %lld ms",
        rounds * int(std::size(CORPUS)), slowest);
  QVERIFY(slowest < hostile::READ_TIME_LIMIT_MS);
  QVERIFY(hostile::Within_Peak_Memory());
}

QTEST_GUILESS_MAIN(TTestDataImport)
#include "test_dataimport.moc"
