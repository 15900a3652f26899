#include "src/commandline.h"
#include "src/document.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The default document: input -10 to 215 by 15, editor 0 to 200 by 50.
TContent Sample_Content()
{
  TContent content;
  content.input = Corrected_Input({-10, 15, 215});
  content.edit = Corrected_Edit({0, 50, 200}, content.input.range.increment);
  content.values.assign(static_cast<std::size_t>(content.input.count), 0.0);
  content.offsets.assign(static_cast<std::size_t>(content.edit.count), 0.0);
  content.values[0] = 0.1;
  content.offsets = {1, 2, 3, 4, 5};
  return content;
}

QByteArray Read_All(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TRun
{
  int status = -1;
  QByteArray output;
  QByteArray error;
};

// Runs the real program with no display at all.
TRun Run_Program(const QStringList &arguments)
{
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  process.setProcessEnvironment(environment);
  process.start(QString::fromLocal8Bit(qgetenv("VANDREL_PROGRAM")), arguments);
  TRun run;
  if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
    run.status = process.exitCode();
  }
  run.output = process.readAllStandardOutput();
  run.error = process.readAllStandardError();
  return run;
}

}  // namespace

class TCommandLineTest : public QObject
{
  Q_OBJECT

private slots:
  void parsing_data()
  {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("output");
    QTest::newRow("nothing") << QStringList() << int(COMMAND_WINDOW) << "" << "";
    QTest::newRow("a document") << QStringList{"a.vandrel"} << int(COMMAND_WINDOW)
                                << "a.vandrel" << "";
    QTest::newRow("toolkit options")
      << QStringList{"-style", "fusion", "-platform", "offscreen", "a.vandrel"}
      << int(COMMAND_WINDOW) << "a.vandrel" << "";
    QTest::newRow("help") << QStringList{"--help"} << int(COMMAND_HELP) << "" << "";
    QTest::newRow("help short") << QStringList{"-h"} << int(COMMAND_HELP) << "" << "";
    QTest::newRow("help with toolkit options") << QStringList{"--help-all"} << int(COMMAND_HELP)
                                               << "" << "";
    QTest::newRow("version") << QStringList{"--version"} << int(COMMAND_VERSION) << "" << "";
    QTest::newRow("export csv") << QStringList{"--export", "out.csv", "a.vandrel"}
                                << int(COMMAND_EXPORT) << "a.vandrel" << "out.csv";
    QTest::newRow("export upper-case tsv") << QStringList{"a.vandrel", "--export", "OUT.TSV"}
                                           << int(COMMAND_EXPORT) << "a.vandrel" << "OUT.TSV";
    QTest::newRow("export document") << QStringList{"--export=b.vandrel", "a.vandrel"}
                                     << int(COMMAND_EXPORT) << "a.vandrel" << "b.vandrel";
    QTest::newRow("export to standard output") << QStringList{"--export", "-", "a.vandrel"}
                                               << int(COMMAND_EXPORT) << "a.vandrel" << "-";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"}
                                    << int(COMMAND_USAGE_ERROR) << "" << "";
    QTest::newRow("two documents") << QStringList{"a.vandrel", "b.vandrel"}
                                   << int(COMMAND_USAGE_ERROR) << "" << "";
    QTest::newRow("export without a value") << QStringList{"--export"}
                                            << int(COMMAND_USAGE_ERROR) << "" << "";
    QTest::newRow("export without a file") << QStringList{"--export", "out.csv"}
                                           << int(COMMAND_USAGE_ERROR) << "" << "";
    QTest::newRow("export of unknown type") << QStringList{"--export", "out.xls", "a.vandrel"}
                                            << int(COMMAND_USAGE_ERROR) << "" << "";
  }

  void parsing()
  {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, document);
    QFETCH(QString, output);
    const TCommand command = Parse_Command_Line(QStringList("vandrel") + arguments);
    QCOMPARE(int(command.action), action);
    QCOMPARE(command.document, document);
    if (action == COMMAND_EXPORT) {
      QCOMPARE(command.output, output);
    }
    QCOMPARE(command.error.isEmpty(), action != COMMAND_USAGE_ERROR);
  }

  void exports_data()
  {
    QTest::addColumn<QString>("output_name");
    QTest::addColumn<QByteArray>("first_lines");
    QTest::addColumn<int>("line_count");
    // Output = value + offset interpolated, extrapolated linearly before the editor's start.
    QTest::newRow("csv") << "out.csv" << QByteArray("position,value\n-10,0.9\n5,1.1\n") << 17;
    QTest::newRow("tsv") << "out.TSV" << QByteArray("-10\t0.9\n5\t1.1\n") << 16;
  }

  void exports()
  {
    QFETCH(QString, output_name);
    QFETCH(QByteArray, first_lines);
    QFETCH(int, line_count);
    QTemporaryDir folder;
    const QString document = folder.filePath("a.vandrel");
    QString error;
    QVERIFY(Write_Document(document, Sample_Content(), &error));
    const QString output = folder.filePath(output_name);
    QBuffer standard_output;
    QBuffer standard_error;
    standard_output.open(QIODevice::WriteOnly);
    standard_error.open(QIODevice::WriteOnly);
    const int status = Run_Command(Parse_Command_Line({"vandrel", "--export", output, document}),
                                   &standard_output, &standard_error);
    QCOMPARE(status, EXIT_DONE);
    QVERIFY(standard_error.data().isEmpty());
    const QByteArray text = Read_All(output);
    QVERIFY2(text.startsWith(first_lines), text.left(80).constData());
    QCOMPARE(text.count('\n'), line_count);
  }

  void exported_document_is_the_same_document()
  {
    QTemporaryDir folder;
    const QString document = folder.filePath("a.vandrel");
    QString error;
    QVERIFY(Write_Document(document, Sample_Content(), &error));
    const QString copy = folder.filePath("b.Vandrel");
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QCOMPARE(Run_Command(Parse_Command_Line({"vandrel", "--export", copy, document}), &out, &err),
             EXIT_DONE);
    QCOMPARE(Read_All(copy), Read_All(document));
  }

  void program_runs_without_a_display_data()
  {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("output_has");
    QTest::addColumn<QByteArray>("error_has");
    QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("--export <OUT>")
                          << QByteArray();
    QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("Vandrel 1.")
                             << QByteArray();
    QTest::newRow("csv to standard output")
      << QStringList{"--export", "-", "@/a.vandrel"} << 0
      << QByteArray("position,value\n-10,0.9\n") << QByteArray();
    QTest::newRow("csv file") << QStringList{"--export", "@/a.csv", "@/a.vandrel"} << 0
                              << QByteArray() << QByteArray();
    QTest::newRow("missing document")
      << QStringList{"--export", "@/a.csv", "@/missing.vandrel"} << 1 << QByteArray()
      << QByteArray("missing.vandrel");
    QTest::newRow("broken document")
      << QStringList{"--export", "@/a.csv", "@/broken.vandrel"} << 1 << QByteArray()
      << QByteArray("broken.vandrel\xe2\x80\x9d: it is not valid JSON");
    QTest::newRow("unwritable output")
      << QStringList{"--export", "@/no/such/folder/a.csv", "@/a.vandrel"} << 1 << QByteArray()
      << QByteArray("Cannot save");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << QByteArray()
                                    << QByteArray("Usage:");
    QTest::newRow("unknown output type")
      << QStringList{"--export", "@/a.xls", "@/a.vandrel"} << 2 << QByteArray()
      << QByteArray("a.xls");
  }

  void program_runs_without_a_display()
  {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, output_has);
    QFETCH(QByteArray, error_has);
    QTemporaryDir folder;
    QString error;
    QVERIFY(Write_Document(folder.filePath("a.vandrel"), Sample_Content(), &error));
    QFile broken(folder.filePath("broken.vandrel"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"vandrel\": 1,");
    broken.close();
    for (QString &argument : arguments) {
      argument.replace("@", folder.path());
    }
    const TRun run = Run_Program(arguments);
    QVERIFY2(run.status == status, run.error.constData());
    QVERIFY2(run.output.contains(output_has), run.output.left(200).constData());
    QVERIFY2(run.error.contains(error_has), run.error.constData());
    if (arguments.contains("@/a.csv") || arguments.contains(folder.filePath("a.csv"))) {
      QCOMPARE(QFile::exists(folder.filePath("a.csv")), status == 0);
    }
  }
};

QTEST_GUILESS_MAIN(TCommandLineTest)

#include "test_commandline.moc"
