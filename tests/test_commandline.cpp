#include "src/commandline/commandline.h"
#include "src/files/documentfile.h"
#include "src/files/filename.h"
#include "tests/curve_pixels.h"
#include "tests/testpaths.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

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

void Write_Text(const QString &path, const QByteArray &text)
{
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(text);
  }
}

QByteArray Read_All(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every long option a text names, as --name; the manual page escapes its dashes.
QSet<QString> Long_Options(QString text)
{
  text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
  QSet<QString> options;
  QRegularExpressionMatchIterator it =
    QRegularExpression(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*")).globalMatch(text);
  while (it.hasNext()) {
    options.insert(it.next().captured(0));
  }
  return options;
}

// The manual page's section from its .SH heading up to the next one.
QString Manual_Section(const QString &page, const QString &heading)
{
  const int start = page.indexOf(QStringLiteral(".SH ") + heading);
  const int end = page.indexOf(QStringLiteral("\n.SH "), start + 1);
  return start < 0 ? QString() : page.mid(start, end < 0 ? -1 : end - start);
}

struct TRun
{
  int status = -1;
  QByteArray output;
  QByteArray error;
};

// Runs the real program with no display at all, in the given locale unless it is empty.
TRun Run_Program(const QStringList &arguments, const QString &locale = QString())
{
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  if (!locale.isEmpty()) {
    for (const char *name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
      environment.insert(QString::fromLatin1(name), locale);
    }
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

Q_DECLARE_METATYPE(TInterpolation)

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
    QTest::newRow("export of a data file") << QStringList{"--export", "out.csv", "in.txt"}
                                           << int(COMMAND_EXPORT) << "in.txt" << "out.csv";
    QTest::newRow("graph with a size") << QStringList{"--export", "g.PDF", "--size", "5x7", "a.csv"}
                                       << int(COMMAND_EXPORT) << "a.csv" << "g.PDF";
    QTest::newRow("size without export") << QStringList{"--size", "5x7", "a.vandrel"}
                                         << int(COMMAND_USAGE_ERROR) << "" << "";
    QTest::newRow("size of a table") << QStringList{"--export", "o.csv", "--size", "5x7", "a.csv"}
                                     << int(COMMAND_USAGE_ERROR) << "" << "";
    QTest::newRow("bad size") << QStringList{"--export", "g.png", "--size", "0x7", "a.csv"}
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

  void graph_sizes_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");
    QTest::newRow("plain") << "800x600" << QSize(800, 600);
    QTest::newRow("capital X") << "1X2" << QSize(1, 2);
    QTest::newRow("largest") << "8192x8192" << QSize(8192, 8192);
    QTest::newRow("above the largest") << "8193x100" << QSize();
    QTest::newRow("zero width") << "0x600" << QSize();
    QTest::newRow("too high") << "10x16385" << QSize();
    QTest::newRow("far too wide") << "99999999x10" << QSize();
    QTest::newRow("negative") << "-800x600" << QSize();
    QTest::newRow("one number") << "800" << QSize();
    QTest::newRow("no height") << "800x" << QSize();
    QTest::newRow("exponent") << "8e2x600" << QSize();
    QTest::newRow("fraction") << "800.5x600" << QSize();
    QTest::newRow("spaces") << " 800x600" << QSize();
    QTest::newRow("three numbers") << "8x6x2" << QSize();
    QTest::newRow("star") << "800*600" << QSize();
  }

  void graph_sizes()
  {
    QFETCH(QString, text);
    QFETCH(QSize, size);
    QSize parsed(-5, -5);
    QCOMPARE(Parse_Graph_Size(text, &parsed), size.isValid());
    QCOMPARE(parsed, size.isValid() ? size : QSize(-5, -5));
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

  // A document joined another way exports its smooth output: each value is the input plus
  // the curve through the editor's points, exactly, and not what straight lines give.
  void smooth_documents_export_their_curve_data()
  {
    QTest::addColumn<TInterpolation>("way");
    QTest::newRow("monotone") << INTERPOLATION_MONOTONE;
    QTest::newRow("spline") << INTERPOLATION_SPLINE;
  }

  void smooth_documents_export_their_curve()
  {
    QFETCH(TInterpolation, way);
    QTemporaryDir folder;
    const QString document = folder.filePath("smooth.vandrel");
    TContent content = Sample_Content();
    content.offsets = {1, 4, -2, 3, 0.5};
    content.interpolation = way;
    QString error;
    QVERIFY(Write_Document(document, content, &error));
    QVERIFY(Read_All(document).contains("\"vandrel\": 2,"));
    const TRun run = Run_Program({"--export", "-", document});
    QVERIFY2(run.status == 0, run.error.constData());
    QList<QByteArray> lines = run.output.split('\n');
    QCOMPARE(lines.takeFirst(), QByteArray("position,value"));
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), content.input.count);
    const double editor_positions[] = {0, 50, 100, 150, 200};
    TCurve_Interpolant curve;
    TCurve_Interpolant line;
    QVERIFY(curve.Set_Points(way, editor_positions, content.offsets.data(), 5));
    QVERIFY(line.Set_Points(INTERPOLATION_LINEAR, editor_positions, content.offsets.data(), 5));
    int smooth_rows = 0;
    for (int row = 0; row < lines.size(); ++row) {
      const QList<QByteArray> fields = lines[row].split(',');
      QCOMPARE(fields.size(), 2);
      const double position = -10 + 15.0 * row;
      QCOMPARE(fields[0].toDouble(), position);
      const double value = content.values[static_cast<std::size_t>(row)];
      QCOMPARE(fields[1].toDouble(), value + curve.Value(position));
      smooth_rows += fields[1].toDouble() != value + line.Value(position);
    }
    QVERIFY(smooth_rows > lines.size() / 2);
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
    // One column over the default input range -10, 5, 20, ...: three values, 13 zeros.
    QTest::newRow("data file to csv")
      << QStringList{"--export", "-", "@/column.txt"} << 0
      << QByteArray("position,value\n-10,1.5\n5,2.5\n20,-3\n35,0\n") << QByteArray();
    QTest::newRow("even positions to tsv")
      << QStringList{"--export", "-", "@/pairs.csv"} << 0
      << QByteArray("position,value\n100,0.5\n102.5,1.5\n105,2.5\n") << QByteArray();
    QTest::newRow("refused data file")
      << QStringList{"--export", "@/a.csv", "@/bad.csv"} << 1 << QByteArray()
      << QByteArray("line 2");
    QTest::newRow("size of a table")
      << QStringList{"--export", "@/a.csv", "--size", "10x10", "@/a.vandrel"} << 2
      << QByteArray() << QByteArray("Usage:");
    QTest::newRow("bad size")
      << QStringList{"--export", "@/a.png", "--size", "10x0", "@/a.vandrel"} << 2
      << QByteArray() << QByteArray("--size");
    QTest::newRow("unwritable graph")
      << QStringList{"--export", "@/no/such/folder/a.png", "@/a.vandrel"} << 1 << QByteArray()
      << QByteArray("a.png");
    QTest::newRow("graph too large")
      << QStringList{"--export", "@/a.png", "--size", "8193x100", "@/a.vandrel"} << 2
      << QByteArray() << QByteArray("8192");
    QTest::newRow("resampling is said")
      << QStringList{"--export", "-", "@/uneven.csv"} << 0
      << QByteArray("position,value\n0,1\n1.5,3.25\n3,4\n") << QByteArray("Resampled uneven.csv");
    // OUT must never be the file read, by whatever name it is given.
    QTest::newRow("out is the input")
      << QStringList{"--export", "@/pairs.csv", "@/pairs.csv"} << 2 << QByteArray()
      << QByteArray("write over");
    QTest::newRow("out is the input through a folder")
      << QStringList{"--export", "@/sub/../pairs.csv", "@/pairs.csv"} << 2 << QByteArray()
      << QByteArray("write over");
    QTest::newRow("out is a link to the input")
      << QStringList{"--export", "@/link.csv", "@/pairs.csv"} << 2 << QByteArray()
      << QByteArray("write over");
    QTest::newRow("out is another name of the input")
      << QStringList{"--export", "@/hard.vandrel", "@/a.vandrel"} << 2 << QByteArray()
      << QByteArray("write over");
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
    Write_Text(folder.filePath("column.txt"), "value\n1.5\n2.5\n-3\n");
    Write_Text(folder.filePath("pairs.csv"), "position;value\n100;0,5\n102,5;1,5\n105;2,5\n");
    Write_Text(folder.filePath("bad.csv"), "1,2\nx,3\n");
    Write_Text(folder.filePath("uneven.csv"), "0,1\n1,3\n3,4\n");
    QVERIFY(QDir(folder.path()).mkdir("sub"));
    QVERIFY(QFile::link(folder.filePath("pairs.csv"), folder.filePath("link.csv")));
    QCOMPARE(::link(QFile::encodeName(folder.filePath("a.vandrel")).constData(),
                    QFile::encodeName(folder.filePath("hard.vandrel")).constData()),
             0);
    const QByteArray pairs = Read_All(folder.filePath("pairs.csv"));
    const QByteArray document = Read_All(folder.filePath("a.vandrel"));
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
    QCOMPARE(Read_All(folder.filePath("pairs.csv")), pairs);
    QCOMPARE(Read_All(folder.filePath("a.vandrel")), document);
  }

  // Standard output that takes nothing, full or closed, is a failure the program says.
  void standard_output_failures_are_reported_data()
  {
    QTest::addColumn<QString>("redirection");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("full, table") << "> /dev/full" << QStringList{"--export", "-", "@"};
    QTest::newRow("closed, table") << ">&-" << QStringList{"--export", "-", "@"};
    QTest::newRow("full, version") << "> /dev/full" << QStringList{"--version"};
    QTest::newRow("full, help") << "> /dev/full" << QStringList{"--help"};
  }

  void standard_output_failures_are_reported()
  {
    QFETCH(QString, redirection);
    QFETCH(QStringList, arguments);
    QTemporaryDir folder;
    QString error;
    QVERIFY(Write_Document(folder.filePath("a.vandrel"), Sample_Content(), &error));
    arguments.replaceInStrings("@", folder.filePath("a.vandrel"));
    QProcess process;
    process.start("/bin/sh", QStringList{"-c", "exec \"$0\" \"$@\" " + redirection,
                                         QString::fromLocal8Bit(qgetenv("VANDREL_PROGRAM"))}
                               + arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), EXIT_FILE_ERROR);
    QVERIFY2(process.readAllStandardError().contains("Cannot write to standard output"),
             qPrintable(redirection));
  }

  // Names that are no text in the locale's encoding reach the file system as their bytes.
  void names_that_are_no_text()
  {
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    const QString input = Decode_File_Name(base + "/na\xefve.csv");
    const QString output = Decode_File_Name(base + "/o\xe9ut.tsv");
    QString error;
    QVERIFY(Save_Whole_File(input, "1\n2\n", &error));
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QCOMPARE(Run_Command(Parse_Command_Line({"vandrel", "--export", output, input}), &out, &err),
             EXIT_DONE);
    struct stat status;
    QCOMPARE(::stat((base + "/o\xe9ut.tsv").constData(), &status), 0);
    QCOMPARE(Run_Command(Parse_Command_Line({"vandrel", "--export", output,
                                             Decode_File_Name(base + "/gone\xef.csv")}),
                         &out, &err),
             EXIT_FILE_ERROR);
    QVERIFY2(QString::fromLocal8Bit(err.data()).contains("gone"), err.data().constData());
  }

  // Drawn with no display at all; the document's offsets part the output from the input.
  void graphs_without_a_display_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("size");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("png, default size") << "graph.png" << QStringList() << QSize(800, 600);
    QTest::newRow("png, given size") << "graph.png" << QStringList{"--size", "320x240"}
                                     << QSize(320, 240);
    QTest::newRow("svg") << "graph.svg" << QStringList{"--size", "400x300"} << QSize(400, 300);
    QTest::newRow("pdf") << "graph.pdf" << QStringList() << QSize(800, 600);
  }

  void graphs_without_a_display()
  {
    QFETCH(QString, name);
    QFETCH(QStringList, size);
    QFETCH(QSize, expected);
    QTemporaryDir folder;
    QString error;
    QVERIFY(Write_Document(folder.filePath("a.vandrel"), Sample_Content(), &error));
    const QString output = folder.filePath(name);
    const TRun run = Run_Program(QStringList{"--export", output, folder.filePath("a.vandrel")}
                                 + size);
    QVERIFY2(run.status == EXIT_DONE, run.error.constData());
    const QByteArray bytes = Read_All(output);
    if (name.endsWith(".png")) {
      const QImage image = QImage::fromData(bytes, "PNG");
      QCOMPARE(image.size(), expected);
      QVERIFY(Curve_Pixels(image, false) > 100);
      QVERIFY(Curve_Pixels(image, true) > 100);
    } else if (name.endsWith(".svg")) {
      QVERIFY(bytes.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"")
                               .arg(expected.width())
                               .arg(expected.height())
                               .toLatin1()));
      QVERIFY(bytes.contains("stroke=\"#0000a4\""));
      QVERIFY(bytes.contains("stroke=\"#a40000\""));
      QVERIFY(bytes.contains(">Position</text>"));
    } else {
      QVERIFY(bytes.startsWith("%PDF-"));
      QVERIFY(bytes.trimmed().endsWith("%%EOF"));
      // 800 x 600 pixels at 96 per inch make a page of 600 x 450 points.
      const QRegularExpression media_box(
        QStringLiteral(R"(/MediaBox \[0 0 600(\.0*)? 450(\.0*)?\])"));
      QVERIFY(media_box.match(QString::fromLatin1(bytes.constData(), bytes.size())).hasMatch());
    }
  }

  // The command line draws graphs in a program that has no widgets at all: this suite runs
  // with a painting application object only.
  void graphs_need_no_widgets_data()
  {
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << "graph.png";
    QTest::newRow("svg") << "graph.svg";
    QTest::newRow("pdf") << "graph.pdf";
    QTest::newRow("csv") << "table.csv";
  }

  void graphs_need_no_widgets()
  {
    QFETCH(QString, name);
    QVERIFY(!QCoreApplication::instance()->inherits("QApplication"));
    QTemporaryDir folder;
    QString error;
    QVERIFY(Write_Document(folder.filePath("a.vandrel"), Sample_Content(), &error));
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const QString output = folder.filePath(name);
    const TCommand command =
      Parse_Command_Line({"vandrel", "--export", output, folder.filePath("a.vandrel")});
    QCOMPARE(Draws_Graph(command), !name.endsWith(".csv"));
    QCOMPARE(Run_Command(command, &out, &err), EXIT_DONE);
    QVERIFY(Read_All(output).size() > 100);
    if (name.endsWith(".png")) {
      const QImage image(output);
      QVERIFY(Curve_Pixels(image, false) > 100);
      QVERIFY(Curve_Pixels(image, true) > 100);
    }
  }

  void exports_keep_the_c_form_in_any_locale_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("c_form");
    QTest::newRow("png") << "graph.png" << "^.PNG";
    QTest::newRow("svg") << "graph.svg" << ">\\s*-?\\d+\\.\\d+</text>";
    QTest::newRow("csv") << "table.csv" << "\n-10,0\\.9\n";
    QTest::newRow("tsv") << "table.tsv" << "^-10\t0\\.9\n";
    QTest::newRow("document") << "again.vandrel" << "\\s0\\.1,\n";
  }

  // Files and the graphs the command line draws keep the C form whatever the user's
  // locale: the same bytes under a German locale as under C.
  void exports_keep_the_c_form_in_any_locale()
  {
    QFETCH(QString, name);
    QFETCH(QString, c_form);
    QTemporaryDir folder;
    QString error;
    QVERIFY(Write_Document(folder.filePath("a.vandrel"), Sample_Content(), &error));
    QByteArray outputs[2];
    const QString locales[2] = {"C.UTF-8", "de_DE.UTF-8"};
    for (int i = 0; i < 2; ++i) {
      const QString output = folder.filePath(locales[i] + name);
      const TRun run = Run_Program({"--export", output, folder.filePath("a.vandrel")}, locales[i]);
      QVERIFY2(run.status == EXIT_DONE, run.error.constData());
      outputs[i] = Read_All(output);
    }
    QVERIFY(outputs[0].size() > 100);
    QVERIFY(QRegularExpression(c_form).match(QString::fromLatin1(outputs[0])).hasMatch());
    QCOMPARE(outputs[1], outputs[0]);
  }

  // A data file's graph: the output lies on the input, so its colour is drawn.
  void graph_of_a_data_file()
  {
    QTemporaryDir folder;
    Write_Text(folder.filePath("curve.tsv"), "0\t1\n10\t5\n20\t2\n");
    const TRun run = Run_Program({"--export", folder.filePath("g.png"), folder.filePath("curve.tsv")});
    QVERIFY2(run.status == EXIT_DONE, run.error.constData());
    const QImage image(folder.filePath("g.png"));
    QCOMPARE(image.size(), QSize(800, 600));
    QVERIFY(Curve_Pixels(image, true) > 100);
  }
  // The help text and the manual page describe the same command line: the same long
  // options, and the same exit statuses with the same meaning.
  void help_and_manual_page_agree()
  {
    QBuffer output;
    QBuffer error;
    output.open(QIODevice::WriteOnly);
    error.open(QIODevice::WriteOnly);
    TCommand help;
    help.action = COMMAND_HELP;
    QCOMPARE(Run_Command(help, &output, &error), EXIT_DONE);
    const QString help_text = QString::fromLocal8Bit(output.data());
    const QString page = QString::fromUtf8(Read_All(QString::fromUtf8(MANUAL_PAGE_SOURCE)));
    QVERIFY(!page.isEmpty());
    const QSet<QString> in_help = Long_Options(help_text);
    QVERIFY(in_help.contains("--export"));
    QCOMPARE(Long_Options(Manual_Section(page, "OPTIONS")), in_help);
    QCOMPARE(Long_Options(Manual_Section(page, "SYNOPSIS")), in_help);
    const QString statuses = Manual_Section(page, "\"EXIT STATUS\"");
    const QList<QPair<int, QString>> meanings = {
      {EXIT_DONE, "success"}, {EXIT_FILE_ERROR, "could not be"}, {EXIT_USAGE_ERROR, "usage"}};
    for (const auto &meaning : meanings) {
      const QString code = QString::number(meaning.first);
      const QString in_help = help_text.section("Exit status:", 1).section('\n', 0, 0);
      const QString explained = in_help.section(" " + code + " ", 1).section(',', 0, 0);
      QVERIFY2(explained.contains(meaning.second, Qt::CaseInsensitive), qPrintable(in_help));
      QVERIFY2(statuses.contains(".B " + code + "\n"), qPrintable(code));
      const QString described = statuses.section(".B " + code + "\n", 1).section(".TP", 0, 0);
      QVERIFY2(described.contains(meaning.second, Qt::CaseInsensitive), qPrintable(described));
    }
  }
};

int main(int argc, char *argv[])
{
  QGuiApplication application(argc, argv);
  TCommandLineTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_commandline.moc"
