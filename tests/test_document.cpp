#include "src/files/documentfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();

TContent Content(const TRange &input, const TRange &edit, const bool zero_offset = false)
{
  TContent content;
  content.input = Corrected_Input(input);
  content.edit = Corrected_Edit(edit, content.input.range.increment);
  content.values.assign(static_cast<std::size_t>(content.input.count), 0.0);
  content.offsets.assign(static_cast<std::size_t>(content.edit.count), 0.0);
  content.zero_offset = zero_offset;
  return content;
}

TContent Default_Content()
{
  return Content({-10, 15, 215}, {0, 50, 200});
}

bool Same_Bits(const double &a, const double &b)
{
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

bool Same_Numbers(const std::vector<double> &a, const std::vector<double> &b)
{
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!Same_Bits(a[i], b[i])) {
      qWarning("number %zu differs: %.17g and %.17g", i, a[i], b[i]);
      return false;
    }
  }
  return true;
}

// Any double but the non-finite and negative zero, drawn from its bits.
std::vector<double> Random_Doubles(const std::size_t count)
{
  std::mt19937_64 generator(20261207);
  std::vector<double> numbers;
  while (numbers.size() < count) {
    const std::uint64_t bits = generator();
    double number = 0.0;
    std::memcpy(&number, &bits, sizeof number);
    if (std::isfinite(number) && !(number == 0.0 && std::signbit(number))) {
      numbers.push_back(number);
    }
  }
  return numbers;
}

QByteArray Document(const QByteArray &input, const QByteArray &editor,
                    const QByteArray &rest = QByteArray())
{
  return "{\"vandrel\": 1, \"input\": " + input + ", \"editor\": " + editor + rest + "}";
}

const QByteArray SMALL_INPUT = "{\"start\": 0, \"increment\": 1, \"end\": 2, \"values\": [1, 2, 3]}";
const QByteArray SMALL_EDITOR = "{\"start\": 0, \"increment\": 2, \"end\": 2, \"offsets\": [5, 6]}";

// A document of version 2, with `rest` added to its top-level object.
QByteArray Smooth_Document(const QByteArray &rest)
{
  return "{\"vandrel\": 2, \"input\": " + SMALL_INPUT + ", \"editor\": " + SMALL_EDITOR + rest
         + "}";
}

// A small document as Vandrel wrote it before offsets could be joined any other way than
// in straight lines, byte for byte.
const QByteArray VERSION_1_TEXT = "{\n"
                                  "    \"editor\": {\n"
                                  "        \"end\": 4,\n"
                                  "        \"increment\": 2,\n"
                                  "        \"offsets\": [\n"
                                  "            -0.5,\n"
                                  "            \"nan\",\n"
                                  "            3\n"
                                  "        ],\n"
                                  "        \"start\": 0\n"
                                  "    },\n"
                                  "    \"input\": {\n"
                                  "        \"end\": 3,\n"
                                  "        \"increment\": 1.5,\n"
                                  "        \"start\": 0,\n"
                                  "        \"values\": [\n"
                                  "            0.30000000000000004,\n"
                                  "            1e+300,\n"
                                  "            -2\n"
                                  "        ]\n"
                                  "    },\n"
                                  "    \"vandrel\": 1,\n"
                                  "    \"zero_offset\": true\n"
                                  "}\n";

TContent Version_1_Content()
{
  TContent content = Content({0, 1.5, 3}, {0, 2, 4}, true);
  content.values = {0.1 + 0.2, 1e300, -2};
  content.offsets = {-0.5, NaN, 3};
  return content;
}

}  // namespace

Q_DECLARE_METATYPE(TInterpolation)

class TDocumentTest : public QObject
{
  Q_OBJECT

private slots:
  void round_trip_is_exact_data()
  {
    QTest::addColumn<int>("kind");
    QTest::newRow("defaults") << 0;
    QTest::newRow("non-finite values") << 1;
    QTest::newRow("random doubles") << 2;
    QTest::newRow("empty ranges") << 3;
    QTest::newRow("row maximum") << 4;
    QTest::newRow("zero offset on, extreme ranges") << 5;
  }

  void round_trip_is_exact()
  {
    QFETCH(int, kind);
    TContent content = Default_Content();
    if (kind == 1) {
      content.values[0] = NaN;
      content.values[1] = INF;
      content.values[2] = -INF;
      content.offsets[4] = NaN;
    } else if (kind == 2) {
      content.values = Random_Doubles(content.values.size());
      content.offsets = Random_Doubles(content.offsets.size());
    } else if (kind == 3) {
      content = Content({5, 1, 5}, {3, 1, 3});
    } else if (kind == 4) {
      content = Content({0, 1, MAXIMUM_ROW_COUNT - 1}, {0, 1, 100});
      content.values = Random_Doubles(content.values.size());
    } else if (kind == 5) {
      content = Content({-1e300, 1, 1e300}, {1e-3, 0.1, 7.0 / 3}, true);
      content.values = Random_Doubles(content.values.size());
    }
    const QByteArray bytes = Document_Bytes(content);
    TContent read;
    QString reason;
    QVERIFY2(Parse_Document(bytes, &read, &reason), qPrintable(reason));
    QVERIFY(Same_Numbers(read.values, content.values));
    QVERIFY(Same_Numbers(read.offsets, content.offsets));
    QCOMPARE(read.input.count, content.input.count);
    QCOMPARE(read.edit.count, content.edit.count);
    QVERIFY(Same_Numbers({read.input.range.start, read.input.range.increment,
                          read.input.range.end, read.edit.range.start,
                          read.edit.range.increment, read.edit.range.end},
                         {content.input.range.start, content.input.range.increment,
                          content.input.range.end, content.edit.range.start,
                          content.edit.range.increment, content.edit.range.end}));
    QCOMPARE(read.zero_offset, content.zero_offset);
    QCOMPARE(Document_Bytes(read), bytes);
  }

  // Straight lines are written as they always were; another way needs version 2 and its
  // name, and every way reads back as written.
  void interpolation_round_trip_data()
  {
    QTest::addColumn<TInterpolation>("way");
    QTest::addColumn<int>("version");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("linear") << INTERPOLATION_LINEAR << 1 << QByteArray();
    QTest::newRow("monotone") << INTERPOLATION_MONOTONE << 2
                              << QByteArray("    \"interpolation\": \"monotone\",\n");
    QTest::newRow("spline") << INTERPOLATION_SPLINE << 2
                            << QByteArray("    \"interpolation\": \"spline\",\n");
  }

  void interpolation_round_trip()
  {
    QFETCH(TInterpolation, way);
    QFETCH(int, version);
    QFETCH(QByteArray, key);
    TContent content = Version_1_Content();
    content.interpolation = way;
    const QByteArray bytes = Document_Bytes(content);
    QByteArray expected = VERSION_1_TEXT;
    const QByteArray version_line = "    \"vandrel\": " + QByteArray::number(version) + ",";
    expected.replace("    \"vandrel\": 1,", key + version_line);
    QCOMPARE(bytes, expected);
    TContent read;
    QString reason;
    QVERIFY2(Parse_Document(bytes, &read, &reason), qPrintable(reason));
    QCOMPARE(read.interpolation, way);
    QVERIFY(Same_Numbers(read.offsets, content.offsets));
    QCOMPARE(Document_Bytes(read), bytes);
  }

  // A document from before reads as it always did, and is written back unchanged.
  void version_1_reads_and_writes_as_before()
  {
    TContent read;
    QString reason;
    QVERIFY2(Parse_Document(VERSION_1_TEXT, &read, &reason), qPrintable(reason));
    QCOMPARE(read.interpolation, INTERPOLATION_LINEAR);
    QVERIFY(read.zero_offset);
    QVERIFY(Same_Numbers(read.values, Version_1_Content().values));
    QCOMPARE(Document_Bytes(read), VERSION_1_TEXT);
  }

  // Version 2 as another writer may lay it out; the way is read from it, straight lines
  // when it names none. In version 1 the key is unknown and, as before, ignored.
  void interpolation_is_read_data()
  {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TInterpolation>("way");
    QTest::newRow("version 2, spline")
      << Smooth_Document(", \"interpolation\": \"spline\"") << INTERPOLATION_SPLINE;
    QTest::newRow("version 2, monotone, first key")
      << QByteArray("{\"interpolation\":\"monotone\",\"vandrel\":2,\"editor\":" + SMALL_EDITOR
                    + ",\"input\":" + SMALL_INPUT + "}")
      << INTERPOLATION_MONOTONE;
    QTest::newRow("version 2, linear") << Smooth_Document(", \"interpolation\": \"linear\"")
                                       << INTERPOLATION_LINEAR;
    QTest::newRow("version 2, no way") << Smooth_Document("") << INTERPOLATION_LINEAR;
    QTest::newRow("version 1 ignores it")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"interpolation\": \"spline\"")
      << INTERPOLATION_LINEAR;
    QTest::newRow("version 1 ignores any value")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"interpolation\": [7]") << INTERPOLATION_LINEAR;
  }

  void interpolation_is_read()
  {
    QFETCH(QByteArray, bytes);
    QFETCH(TInterpolation, way);
    TContent content;
    content.interpolation = way == INTERPOLATION_MONOTONE ? INTERPOLATION_SPLINE
                                                          : INTERPOLATION_MONOTONE;
    QString reason;
    QVERIFY2(Parse_Document(bytes, &content, &reason), qPrintable(reason));
    QCOMPARE(content.interpolation, way);
    QCOMPARE(content.values, std::vector<double>({1, 2, 3}));
    QCOMPARE(content.offsets, std::vector<double>({5, 6}));
  }

  void non_finite_values_are_strings()
  {
    TContent content = Default_Content();
    content.values[0] = NaN;
    content.values[1] = -INF;
    content.values[2] = 0.1;
    const QByteArray bytes = Document_Bytes(content);
    QVERIFY(bytes.contains("\"nan\""));
    QVERIFY(bytes.contains("\"-inf\""));
    QVERIFY(bytes.contains("0.1,"));
    QVERIFY(!bytes.contains("null"));
  }

  void ranges_are_corrected_as_typed_ones()
  {
    // An increment below the minimum step becomes 1; the editor's follows the input's.
    const QByteArray bytes = Document(
      "{\"start\": 0, \"increment\": 0, \"end\": 3, \"values\": [1, 2, 3, 4]}",
      "{\"start\": 0, \"increment\": -1, \"end\": 3, \"offsets\": [0, 0, 0, 0]}");
    TContent content;
    QString reason;
    QVERIFY2(Parse_Document(bytes, &content, &reason), qPrintable(reason));
    QCOMPARE(content.input.range.increment, 1.0);
    QCOMPARE(content.edit.range.increment, 1.0);
    QCOMPARE(content.values, std::vector<double>({1, 2, 3, 4}));
  }

  // What the reader does not know is ignored up to the bounds, which texts do not fool.
  void unknown_keys_are_ignored_data()
  {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("list and object") << Document(SMALL_INPUT, SMALL_EDITOR, ", \"comment\": [1, {}]");
    QTest::newRow("brackets and quotes in texts")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"n]}\\\"\": \"[{\\\\\", \"m\": \"\\\"]]]]\"");
    QTest::newRow("key in a section")
      << Document("{\"unit\": [[\"mm\"]], " + SMALL_INPUT.mid(1), SMALL_EDITOR);
    QTest::newRow("just under 1 MiB unread")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"x\": \"" + QByteArray(1048570, 'x') + "\"");
    QTest::newRow("as deep as allowed")
      << Document(SMALL_INPUT, SMALL_EDITOR,
                  ", \"x\": " + QByteArray(31, '[') + QByteArray(31, ']'));
  }

  void unknown_keys_are_ignored()
  {
    QFETCH(QByteArray, bytes);
    TContent content;
    QString reason;
    QVERIFY2(Parse_Document(bytes, &content, &reason), qPrintable(reason));
    QCOMPARE(content.values, std::vector<double>({1, 2, 3}));
    QCOMPARE(content.offsets, std::vector<double>({5, 6}));
    QVERIFY(!content.zero_offset);
  }

  void refusals_data()
  {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << "not valid JSON";
    QTest::newRow("not JSON") << QByteArray("position,value\n0,1\n") << "not valid JSON";
    QTest::newRow("truncated") << Document(SMALL_INPUT, SMALL_EDITOR).left(60)
                               << "not valid JSON";
    QTest::newRow("array") << QByteArray("[1, 2]") << "no JSON object";
    QTest::newRow("one level too deep")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"x\": " + QByteArray(32, '[') + QByteArray(32, ']'))
      << "it nests lists and objects more than 32 deep";
    QTest::newRow("just over 1 MiB unread")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"x\": \"" + QByteArray(1048576, 'x') + "\"")
      << "more than 1 MiB of it is data that Vandrel does not read";
    QTest::newRow("list inside the list")
      << Document("{\"start\": 0, \"increment\": 1, \"end\": 1, \"values\": [1, [2]]}", SMALL_EDITOR)
      << "\"input\" values number 2 is not a number";
    QTest::newRow("no version") << QByteArray("{\"input\": {}}") << "no \"vandrel\" version";
    QTest::newRow("version as text")
      << QByteArray("{\"vandrel\": \"1\"}") << "no \"vandrel\" version";
    QTest::newRow("newer") << QByteArray("{\"vandrel\": 3}") << "written by a newer Vandrel";
    QTest::newRow("between versions")
      << QByteArray("{\"vandrel\": 1.5}") << "version 1.5 is unknown";
    QTest::newRow("older") << QByteArray("{\"vandrel\": 0}") << "version 0 is unknown";
    QTest::newRow("no input") << QByteArray("{\"vandrel\": 1}") << "no \"input\" section";
    QTest::newRow("input is a list")
      << QByteArray("{\"vandrel\": 1, \"input\": []}") << "no \"input\" section";
    QTest::newRow("no editor") << QByteArray("{\"vandrel\": 1, \"input\": " + SMALL_INPUT + "}")
                               << "no \"editor\" section";
    QTest::newRow("start as text")
      << Document("{\"start\": \"0\", \"increment\": 1, \"end\": 2, \"values\": [1, 2, 3]}",
                  SMALL_EDITOR)
      << "\"input\" has no number \"start\"";
    QTest::newRow("no end")
      << Document(SMALL_INPUT, "{\"start\": 0, \"increment\": 2, \"offsets\": [5, 6]}")
      << "\"editor\" has no number \"end\"";
    QTest::newRow("values missing")
      << Document("{\"start\": 0, \"increment\": 1, \"end\": 2}", SMALL_EDITOR)
      << "\"input\" has no list \"values\"";
    QTest::newRow("too few values")
      << Document("{\"start\": 0, \"increment\": 1, \"end\": 2, \"values\": [1, 2]}",
                  SMALL_EDITOR)
      << "\"input\" has 2 values, but its range has 3 rows";
    QTest::newRow("too many offsets")
      << Document(SMALL_INPUT, "{\"start\": 0, \"increment\": 2, \"end\": 2, \"offsets\": [5, 6, 7]}")
      << "\"editor\" has 3 offsets, but its range has 2 rows";
    QTest::newRow("a value as text")
      << Document("{\"start\": 0, \"increment\": 1, \"end\": 2, \"values\": [1, \"2\", 3]}",
                  SMALL_EDITOR)
      << "\"input\" values number 2 is not a number";
    QTest::newRow("a value null")
      << Document(SMALL_INPUT, "{\"start\": 0, \"increment\": 2, \"end\": 2, \"offsets\": [5, null]}")
      << "\"editor\" offsets number 2 is not a number";
    QTest::newRow("zero offset as number")
      << Document(SMALL_INPUT, SMALL_EDITOR, ", \"zero_offset\": 1")
      << "\"zero_offset\" is neither true nor false";
    // A range that would need more rows is widened to the row maximum, so a list longer
    // than that never matches.
    QTest::newRow("unknown way")
      << Smooth_Document(", \"interpolation\": \"cubic\"")
      << "its \"interpolation\" \"cubic\" is unknown (known are \"linear\", \"monotone\" "
         "and \"spline\")";
    QTest::newRow("way in capitals")
      << Smooth_Document(", \"interpolation\": \"Spline\"") << "\"Spline\" is unknown";
    QTest::newRow("long unknown way, shortened")
      << Smooth_Document(", \"interpolation\": \"" + QByteArray(60000, 'q') + "\"")
      << "\"" + QString(40, 'q') + "\u2026\" is unknown";
    QTest::newRow("way as a number")
      << Smooth_Document(", \"interpolation\": 1")
      << "\"interpolation\" is not the name of a way to join offsets";
    QTest::newRow("way as a list")
      << Smooth_Document(", \"interpolation\": [\"spline\"]")
      << "\"interpolation\" is not the name of a way to join offsets";
    QTest::newRow("way twice")
      << Smooth_Document(", \"interpolation\": \"spline\", \"interpolation\": \"monotone\"")
      << "the key \"interpolation\" appears twice";
    QTest::newRow("way longer than a token")
      << Smooth_Document(", \"interpolation\": \"" + QByteArray(65537, 's') + "\"")
      << "longer than 65536 bytes";
    QTest::newRow("beyond the row maximum")
      << Document("{\"start\": 0, \"increment\": 1, \"end\": 1e9, \"values\": [1]}", SMALL_EDITOR)
      << QString("\"input\" has 1 values, but its range has %1 rows").arg(MAXIMUM_ROW_COUNT);
  }

  void refusals()
  {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TContent content = Default_Content();
    content.values[3] = 42.0;
    const QByteArray before = Document_Bytes(content);
    QString said;
    QVERIFY(!Parse_Document(bytes, &content, &said));
    QVERIFY2(said.contains(reason), qPrintable(said));
    QCOMPARE(Document_Bytes(content), before);
  }

  void file_errors_name_the_file_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing.vandrel" << QByteArray() << "";
    QTest::newRow("a folder") << "." << QByteArray() << "";
    QTest::newRow("newer") << "newer.vandrel" << QByteArray("{\"vandrel\": 7}")
                           << "newer Vandrel";
    QTest::newRow("unknown way") << "way.vandrel"
                                 << Smooth_Document(", \"interpolation\": \"bezier\"")
                                 << "\"bezier\" is unknown";
  }

  void file_errors_name_the_file()
  {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (!bytes.isEmpty()) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(bytes);
    }
    TContent content;
    QString error;
    QVERIFY(!Read_Document(path, &content, &error));
    QVERIFY2(error.contains(Quoted_Path(path)), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
  }

  void file_round_trip()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    TContent content = Default_Content();
    content.values[2] = 0.1 + 0.2;
    QString error;
    QVERIFY2(Write_Document(path, content, &error), qPrintable(error));
    TContent read;
    QVERIFY2(Read_Document(path, &read, &error), qPrintable(error));
    QCOMPARE(read.values, content.values);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList("curve.vandrel"));
  }

  // A write that fails part-way (as on a full disk) leaves the previous file whole.
  void failed_save_keeps_the_old_file()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    QString error;
    QVERIFY(Write_Document(path, Default_Content(), &error));
    const QByteArray before = [&] {
      QFile file(path);
      file.open(QIODevice::ReadOnly);
      return file.readAll();
    }();
    TContent large = Content({0, 1, 99999}, {0, 1, 100});
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = Write_Document(path, large, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!written);
    QVERIFY2(error.startsWith("Cannot save " + Quoted_Path(path)), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList("curve.vandrel"));
  }
};

QTEST_APPLESS_MAIN(TDocumentTest)

#include "test_document.moc"
