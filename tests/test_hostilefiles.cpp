#include "hostile_files.h"
#include "src/files/documentfile.h"
#include "src/files/importeddocument.h"
#include "src/model/constants.h"
#include "src/files/recovery.h"
#include "src/files/settingsfile.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using hostile::TMaker;

Q_DECLARE_METATYPE(hostile::TMaker)

namespace {

const qint64 MIB = 1024 * 1024;
const QByteArray NON_UTF8_NAME("na\xefve");
const int FAST_MS = 1000;

QByteArray Repeated(const QByteArray &piece, const qint64 size)
{
  return piece.repeated(int(size / piece.size()));
}

// A small valid document, with more text before its closing brace.
QByteArray Document_With(const QByteArray &more)
{
  return "{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": 1, \"end\": 1, \"values\": "
         "[1, 2]}, \"editor\": {\"start\": 0, \"increment\": 1, \"end\": 1, \"offsets\": [0, 0]}"
         + more + "}";
}

// Lines of position and value, positions from 0 by `spacing`.
QByteArray Positions(const double &spacing, const int count)
{
  QByteArray text = "position,value\n";
  for (int i = 0; i < count; ++i) {
    text += QByteArray::number(i * spacing, 'f', 3) + ',' + QByteArray::number(i) + '\n';
  }
  return text;
}

TContent Sentinel()
{
  TContent content;
  content.input = Corrected_Input({0, 1, 1});
  content.values = {42, 43};
  content.edit = Corrected_Edit({0, 1, 1}, 1);
  content.offsets = {7, 8};
  return content;
}

QString Hostile_Path(const QTemporaryDir &folder, const TMaker maker, const QByteArray &name)
{
  return maker == hostile::DEVICE ? QStringLiteral("/dev/zero")
                                  : folder.filePath(QFile::decodeName(name));
}

void Columns()
{
  QTest::addColumn<TMaker>("maker");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("reason");
  QTest::addColumn<qint64>("limit_ms");
}

void Row(const char *tag, const TMaker maker, const QByteArray &name, const QByteArray &bytes,
         const QString &reason, const qint64 limit_ms = hostile::READ_TIME_LIMIT_MS)
{
  QTest::newRow(tag) << maker << name << bytes << reason << limit_ms;
}

// What no reader opens, whatever it reads.
void Non_Regular_Rows(const QByteArray &suffix)
{
  Row("fifo", hostile::FIFO, "x" + suffix, {}, "it is a FIFO (a named pipe), not a regular file");
  Row("socket", hostile::SOCKET, "x" + suffix, {}, "it is a socket, not a regular file");
  Row("folder", hostile::FOLDER, "x" + suffix, {}, "it is a folder, not a regular file");
  Row("link to /dev/zero", hostile::LINK_TO_ZERO, "x" + suffix, {},
      "it is a link to a device, not a regular file");
  Row("device", hostile::DEVICE, {}, {}, "it is a device, not a regular file");
  Row("non-UTF-8 name", hostile::FIFO, NON_UTF8_NAME + suffix, {}, "it is a FIFO");
}

void Document_Rows()
{
  Columns();
  Non_Regular_Rows(".vandrel");
  Row("missing", hostile::MISSING, "x.vandrel", {}, "it does not exist");
  Row("oversized", hostile::SPARSE, "x.vandrel", QByteArray::number(129 * MIB),
      "it is too large (135266304 bytes) to be a Vandrel document, which has at most 128 MiB");
  Row("ignored key holding 127 MiB", hostile::BYTES, "x.vandrel",
      Document_With(", \"x\": [" + Repeated("[0],", 127 * MIB) + "0]"),
      "more than 1 MiB of it is data that Vandrel does not read");
  Row("a million [0]", hostile::BYTES, "x.vandrel",
      "{\"x\": [" + Repeated("[0],", 4000000) + "0]}", "more than 1 MiB of it is data", FAST_MS);
  Row("deep nesting", hostile::BYTES, NON_UTF8_NAME + ".vandrel",
      QByteArray(100000, '[') + QByteArray(100000, ']'),
      "it nests lists and objects more than 32 deep (at byte 32)", FAST_MS);
  Row("list beyond the row maximum", hostile::BYTES, "x.vandrel",
      "{\"input\": {\"values\": [" + Repeated("0,", 2 * (MAXIMUM_ROW_COUNT + 1)) + "0]}}",
      "its \"values\" list holds more than 1000000 entries");
  Row("a key twice", hostile::BYTES, "x.vandrel", Document_With(", \"input\": {}"),
      "the key \"input\" appears twice in one object");
  Row("long text", hostile::BYTES, "x.vandrel",
      Document_With(", \"zero_offset\": \"" + QByteArray(70000, 'x') + "\""),
      "longer than 65536 bytes");
}

}  // namespace

// Every reader refuses what is not a regular file of sane size and shape at once, says
// which file and why, leaves its output and the file as they were, and stays within
// READ_TIME_LIMIT_MS and MEMORY_LIMIT_BYTES.
class THostileFilesTest : public QObject
{
  Q_OBJECT

private:
  // The hostile file of the current row, made in `folder`.
  QString Make_Row_File(const QTemporaryDir &folder)
  {
    QFETCH(TMaker, maker);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, bytes);
    const QString path = Hostile_Path(folder, maker, name);
    if (!hostile::Make(maker, path, bytes)) {
      qWarning("could not make %s", qPrintable(path));
      return {};
    }
    return path;
  }

  template <typename TOutput>
  void Refuses(const std::function<bool(const QString &, TOutput *, QString *)> &read,
               const TOutput &sentinel, const std::function<QByteArray(const TOutput &)> &state_of,
               const std::function<QString(const QString &)> &named)
  {
    QFETCH(QString, reason);
    QFETCH(qint64, limit_ms);
    QTemporaryDir folder;
    const QString path = Make_Row_File(folder);
    QVERIFY(!path.isEmpty());
    const QByteArray before = hostile::State(path);
    TOutput output = sentinel;
    QString message;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!read(path, &output, &message));
    const qint64 elapsed = clock.elapsed();
    qInfo("%lld ms: %s", elapsed, qPrintable(message.left(160)));
    QVERIFY2(message.contains(named(path)), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY2(elapsed < limit_ms, qPrintable(QString::number(elapsed)));
    QCOMPARE(state_of(output), state_of(sentinel));
    QCOMPARE(hostile::State(path), before);
    QVERIFY(hostile::Within_Memory_Limit([&] {
      TOutput other = sentinel;
      QString said;
      return !read(path, &other, &said) && said.contains(reason);
    }));
  }

private slots:
  void document_reader_data() { Document_Rows(); }

  void document_reader()
  {
    Refuses<TContent>(Read_Document, Sentinel(), Document_Bytes, Quoted_Path);
  }

  void recovery_reader_data()
  {
    Document_Rows();
    Row("not JSON", hostile::BYTES, "x.vandrel", "{\"vandrel\": 1,", "it is not valid JSON");
    Row("document path not a text", hostile::BYTES, "x.vandrel",
        Document_With(", \"recovered_document\": 5"), "\"recovered_document\" is not a text");
  }

  void recovery_reader()
  {
    TRecovered_Work sentinel{Sentinel(), QStringLiteral("/work/a.vandrel")};
    Refuses<TRecovered_Work>(
      Read_Recovery, sentinel,
      [](const TRecovered_Work &work) {
        return Document_Bytes(work.content) + QFile::encodeName(work.document_path);
      },
      Quoted_Path);
  }

  void data_reader_data()
  {
    Columns();
    Non_Regular_Rows(".csv");
    Row("oversized", hostile::SPARSE, "x.csv", QByteArray::number(129 * MIB),
        "it is too large (135266304 bytes) to be a data file, which has at most 128 MiB");
    Row("open quote", hostile::BYTES, "x.csv",
        "position,value\n1,2\n\"never closed\n" + Repeated("3,4\n", 200000),
        "the record that begins on line 3 runs on over more than 65536 bytes");
    Row("positions 0.001 apart", hostile::BYTES, NON_UTF8_NAME + ".csv", Positions(0.001, 1000),
        "its positions are 0.001 apart, but the input's rows are at least 1 apart, so the "
        "positions cannot be kept; multiply them by 1000");
    Row("positions 0.1 apart", hostile::BYTES, "x.csv", Positions(0.1, 4),
        "its positions are 0.1 apart, but the input's rows are at least 1 apart, so the "
        "positions cannot be kept; multiply them by 10 ");
    Row("uneven positions 0.25 apart", hostile::BYTES, "x.csv", "0,1\n0.7,2\n0.5,3\n0.75,4\n",
        "its positions are 0.25 apart on average");
    Row("endless header", hostile::BYTES, "x.csv", Repeated("text\n", 5 * 10001),
        "it has more than 10000 lines before its first line of numbers");
    Row("endless fields", hostile::BYTES, "x.csv",
        ("1" + QByteArray(999, ',') + '\n').repeated(8001),
        "it has more than 8000000 fields");
  }

  void data_reader()
  {
    Refuses<TContent>(
      [](const QString &path, TContent *content, QString *message) {
        TImport_Ranges ranges;
        ranges.input = Corrected_Input(DEFAULT_INPUT_RANGE);
        ranges.edit = DEFAULT_EDIT_RANGE;
        // A refusal leaves the resampling flag as it was, too.
        bool resampled = true;
        return Import_Document(path, QLocale::c(), ranges, content, &resampled, message)
               || !resampled;
      },
      Sentinel(), Document_Bytes, [](const QString &path) { return QDir::toNativeSeparators(path); });
  }

  void settings_file_data()
  {
    Columns();
    Non_Regular_Rows(".ini");
    Row("oversized", hostile::SPARSE, "x.ini", QByteArray::number(2 * MIB),
        "it is too large (2097152 bytes) to be a settings file, which has at most 1 MiB");
  }

  // The settings start empty in a file of their own, so the program runs on defaults and
  // writes nothing where the file is.
  void settings_file()
  {
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = Make_Row_File(folder);
    QVERIFY(!path.isEmpty());
    const QByteArray before = hostile::State(path);
    QString message;
    QElapsedTimer clock;
    clock.start();
    auto settings = Open_Settings_File(path, &message);
    QVERIFY(clock.elapsed() < hostile::READ_TIME_LIMIT_MS);
    QVERIFY(settings->allKeys().isEmpty());
    settings->setValue("Input_Start", 5.0);
    settings->sync();
    QCOMPARE(settings->value("Input_Start").toDouble(), 5.0);
    const QString detached = settings->fileName();
    settings.reset();
    QVERIFY2(message.startsWith("Cannot read the settings file " + Quoted_Path(path) + ": "
                                + reason)
               && message.contains(". Vandrel starts with its default settings"),
             qPrintable(message));
    QCOMPARE(hostile::State(path), before);
    QVERIFY(!QFileInfo::exists(detached));
    QVERIFY(hostile::Within_Memory_Limit([&] {
      QString said;
      return Open_Settings_File(path, &said)->allKeys().isEmpty() && said.contains(reason);
    }));
  }

  // The largest documents the program writes, and recovery files alike, read back within
  // the limits.
  void largest_documents_read_back()
  {
    TContent content;
    content.input = Corrected_Input({0, 1, MAXIMUM_ROW_COUNT - 1});
    content.edit = Corrected_Edit({0, 1, MAXIMUM_ROW_COUNT - 1}, 1);
    for (int i = 0; i < MAXIMUM_ROW_COUNT; ++i) {
      content.values.push_back(-1.2345678901234567e-300 * (i + 1));
    }
    content.offsets = content.values;
    QTemporaryDir folder;
    const QString path = folder.filePath("largest.vandrel");
    QString error;
    QVERIFY2(Write_Document(path, content, &error), qPrintable(error));
    TRecovery_File recovery;
    QVERIFY2(recovery.Write({content, path}, &error), qPrintable(error));
    QElapsedTimer clock;
    clock.start();
    TContent read;
    QVERIFY2(Read_Document(path, &read, &error), qPrintable(error));
    const qint64 document_ms = clock.restart();
    TRecovered_Work work;
    QVERIFY2(Read_Recovery(recovery.Path(), &work, &error), qPrintable(error));
    const qint64 recovery_ms = clock.elapsed();
    qInfo("document read in %lld ms, recovery file in %lld ms", document_ms, recovery_ms);
    QVERIFY(document_ms < hostile::READ_TIME_LIMIT_MS);
    QVERIFY(recovery_ms < hostile::READ_TIME_LIMIT_MS);
    QCOMPARE(Document_Bytes(read), Document_Bytes(content));
    QCOMPARE(Document_Bytes(work.content), Document_Bytes(content));
    QCOMPARE(work.document_path, path);
    QVERIFY(hostile::Within_Memory_Limit([&] {
      TContent again;
      QString said;
      return Read_Document(path, &again, &said) && again.values == content.values;
    }));
    recovery.Remove();
  }
};

QTEST_GUILESS_MAIN(THostileFilesTest)

#include "test_hostilefiles.moc"
