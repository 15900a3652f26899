#include "src/commandline/commandline.h"

#include "core/assertion.h"
#include "src/buildinfo.h"
#include "src/document/document.h"
#include "src/files/documentfile.h"
#include "src/files/filename.h"
#include "src/files/fileformats.h"
#include "src/files/graphexport.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>

#include <filesystem>
#include <memory>
#include <system_error>

namespace {

const char EXPORT_OPTION[] = "export";
const char SIZE_OPTION[] = "size";
const char STANDARD_OUTPUT[] = "-";

// Options the window's toolkit reads from the command line: accepted here, hidden from
// the help, and left for the toolkit.
const char *const TOOLKIT_VALUE_OPTIONS[] = {
  "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
  "qwindowtitle", "qwindowicon", "style", "stylesheet", "display", "geometry", "session"};
const char *const TOOLKIT_SWITCHES[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void Add_Toolkit_Options(QCommandLineParser *parser)
{
  for (const char *name : TOOLKIT_VALUE_OPTIONS) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser->addOption(option);
  }
  for (const char *name : TOOLKIT_SWITCHES) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser->addOption(option);
  }
}

// The one description of the command line, for parsing and for the help text, in the
// user's language; the options' names stay as they are.
std::unique_ptr<QCommandLineParser> Parser()
{
  auto parser = std::make_unique<QCommandLineParser>();
  parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser->setApplicationDescription(
    QCoreApplication::translate("Command_Line",
                                "Resamples and adjusts a table of values over a position axis.\n"
                                "Without --export, opens the window (with FILE if given).\n"
                                "Exit status: %1 success, %2 a file could not be read or "
                                "written, %3 a usage error.")
      .arg(EXIT_DONE)
      .arg(EXIT_FILE_ERROR)
      .arg(EXIT_USAGE_ERROR));
  parser->addHelpOption();
  parser->addVersionOption();
  parser->addOption(QCommandLineOption(
    QString::fromLatin1(EXPORT_OPTION),
    QCoreApplication::translate("Command_Line",
                                "Reads FILE and writes OUT, no window: .vandrel (the document), "
                                ".csv (output table with a header), .tsv (output table, "
                                "tab-separated), - (CSV on standard output), .png, .svg or .pdf "
                                "(the graph)."),
    QCoreApplication::translate("Command_Line", "OUT")));
  parser->addOption(QCommandLineOption(
    QString::fromLatin1(SIZE_OPTION),
    QCoreApplication::translate("Command_Line",
                                "The size of an exported graph in pixels (default 800x600)."),
    QCoreApplication::translate("Command_Line", "WxH")));
  parser->addPositionalArgument(
    QCoreApplication::translate("Command_Line", "FILE"),
    QCoreApplication::translate("Command_Line",
                                "A Vandrel document (.vandrel), or a data file (.csv, .tsv, "
                                ".txt) read into the input of a new document."),
    QCoreApplication::translate("Command_Line", "[FILE]"));
  Add_Toolkit_Options(parser.get());
  return parser;
}

TCommand Usage_Error(const QString &error)
{
  TCommand command;
  command.action = COMMAND_USAGE_ERROR;
  command.error = error;
  return command;
}

// The format OUT names; "-" is CSV on standard output.
TFile_Format Output_Format(const QString &output)
{
  if (output == QLatin1String(STANDARD_OUTPUT)) {
    return FORMAT_CSV;
  }
  const TFile_Format format = File_Format(output);
  return format == FORMAT_TEXT ? FORMAT_UNKNOWN : format;
}

TCommand Export_Command(const QCommandLineParser &parser)
{
  const QStringList files = parser.positionalArguments();
  TCommand command;
  command.action = COMMAND_EXPORT;
  command.output = parser.value(QString::fromLatin1(EXPORT_OPTION));
  if (files.size() != 1) {
    return Usage_Error(
      QCoreApplication::translate("Command_Line", "--export needs exactly one FILE to read."));
  }
  const TFile_Format format = Output_Format(command.output);
  if (format == FORMAT_UNKNOWN) {
    return Usage_Error(QCoreApplication::translate("Command_Line",
                                                   "--export cannot tell the format of %1: its "
                                                   "name must end in .vandrel, .csv, .tsv, .png, "
                                                   ".svg or .pdf, or be -.")
                         .arg(Quoted_Path(command.output)));
  }
  command.size = DEFAULT_GRAPH_SIZE;
  if (parser.isSet(QString::fromLatin1(SIZE_OPTION))) {
    if (!Is_Graph_Format(format)) {
      return Usage_Error(QCoreApplication::translate(
        "Command_Line", "--size applies only to a graph (.png, .svg, .pdf)."));
    }
    const QString size = parser.value(QString::fromLatin1(SIZE_OPTION));
    if (!Parse_Graph_Size(size, &command.size)) {
      return Usage_Error(QCoreApplication::translate("Command_Line",
                                                     "--size must be WIDTHxHEIGHT in whole pixels "
                                                     "from 1 to %1, not \"%2\".")
                           .arg(MAXIMUM_GRAPH_SIDE)
                           .arg(size));
    }
  }
  command.document = files.first();
  return command;
}

// A file's name in the file system's own bytes, so that a name which is no UTF-8 text
// still names its file.
std::filesystem::path System_Path(const QString &path)
{
  return std::filesystem::path(Encode_File_Name(path).toStdString());
}

// True when OUT would overwrite the file read, by whatever name it is given: a link, a
// path through other folders, the same file under another name.
bool Same_File(const QString &input, const QString &output)
{
  std::error_code error;
  return std::filesystem::equivalent(System_Path(input), System_Path(output), error) && !error;
}

void Write_Line(QIODevice *device, const QString &line)
{
  device->write(line.toLocal8Bit() + '\n');
}

// Everything reaches standard output or the failure is reported: a full disk or a closed
// output must not pass for success.
bool Write_All(QIODevice *device, const QByteArray &bytes, QIODevice *standard_error)
{
  bool written = device->write(bytes) == bytes.size();
  if (QFileDevice *file = qobject_cast<QFileDevice *>(device)) {
    written = file->flush() && written;
  }
  if (!written) {
    Write_Line(standard_error,
               QCoreApplication::translate("Command_Line", "Cannot write to standard output: %1.")
                 .arg(device->errorString()));
  }
  return written;
}

// A data file becomes a new document over the default ranges, as the window imports it.
int Export(const TCommand &command, QIODevice *standard_output, QIODevice *standard_error)
{
  const bool to_standard_output = command.output == QLatin1String(STANDARD_OUTPUT);
  if (!to_standard_output && Same_File(command.document, command.output)) {
    Write_Line(standard_error,
               QCoreApplication::translate("Command_Line",
                                           "--export would write over the file it reads, %1; "
                                           "give OUT another name.")
                 .arg(Quoted_Path(command.document)));
    return EXIT_USAGE_ERROR;
  }
  TDocument document;
  TImport_Report report;
  QString error;
  if (!document.Open_Any(command.document, &report, &error)) {
    Write_Line(standard_error, error);
    return EXIT_FILE_ERROR;
  }
  if (Is_Data_File(command.document) && report.resampled) {
    Write_Line(standard_error, Import_Message(command.document, report));
  }
  if (to_standard_output) {
    return Write_All(standard_output, document.Output_Table(false), standard_error)
             ? EXIT_DONE
             : EXIT_FILE_ERROR;
  }
  TExport_Options options;
  options.size = command.size;
  if (!document.Export(command.output, options, &error)) {
    Write_Line(standard_error, error);
    return EXIT_FILE_ERROR;
  }
  return EXIT_DONE;
}

}  // namespace

QStringList Command_Line_Arguments(const int argc, char **argv)
{
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments << Decode_File_Name(argv[i]);
  }
  return arguments;
}

bool Parse_Graph_Size(const QString &text, QSize *size)
{
  static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!ASSERT(size) || !match.hasMatch()) {
    return false;
  }
  const QSize parsed(match.captured(1).toInt(), match.captured(2).toInt());
  if (parsed.width() < 1 || parsed.height() < 1 || parsed.width() > MAXIMUM_GRAPH_SIDE
      || parsed.height() > MAXIMUM_GRAPH_SIDE) {
    return false;
  }
  *size = parsed;
  return true;
}

bool Draws_Graph(const TCommand &command)
{
  return command.action == COMMAND_EXPORT && Is_Graph_Format(Output_Format(command.output));
}

TCommand Parse_Command_Line(const QStringList &arguments)
{
  const std::unique_ptr<QCommandLineParser> parser = Parser();
  if (!parser->parse(arguments)) {
    return Usage_Error(parser->errorText());
  }
  TCommand command;
  if (parser->isSet(QStringLiteral("help"))
      || parser->optionNames().contains(QStringLiteral("help-all"))) {
    command.action = COMMAND_HELP;
  } else if (parser->isSet(QStringLiteral("version"))) {
    command.action = COMMAND_VERSION;
  } else if (parser->isSet(QString::fromLatin1(EXPORT_OPTION))) {
    command = Export_Command(*parser);
  } else if (parser->isSet(QString::fromLatin1(SIZE_OPTION))) {
    command = Usage_Error(
      QCoreApplication::translate("Command_Line", "--size applies only with --export."));
  } else if (parser->positionalArguments().size() > 1) {
    command = Usage_Error(
      QCoreApplication::translate("Command_Line", "Vandrel opens one document at a time."));
  } else if (!parser->positionalArguments().isEmpty()) {
    command.document = parser->positionalArguments().first();
  }
  return command;
}

int Run_Command(const TCommand &command, QIODevice *standard_output,
                QIODevice *standard_error)
{
  if (!ASSERT(standard_output) || !ASSERT(standard_error)) {
    return EXIT_USAGE_ERROR;
  }
  switch (command.action) {
  case COMMAND_HELP:
    return Write_All(standard_output, Parser()->helpText().toLocal8Bit(), standard_error)
             ? EXIT_DONE
             : EXIT_FILE_ERROR;
  case COMMAND_VERSION:
    return Write_All(standard_output, QByteArray("Vandrel ") + VANDREL_VERSION + '\n',
                     standard_error)
             ? EXIT_DONE
             : EXIT_FILE_ERROR;
  case COMMAND_EXPORT:
    return Export(command, standard_output, standard_error);
  case COMMAND_USAGE_ERROR:
    Write_Line(standard_error, command.error + '\n');
    standard_error->write(Parser()->helpText().toLocal8Bit());
    return EXIT_USAGE_ERROR;
  case COMMAND_WINDOW:
    break;
  }
  ASSERT(command.action != COMMAND_WINDOW);
  return EXIT_USAGE_ERROR;
}
