#include "src/commandline/commandline.h"

#include "core/assertion.h"
#include "src/buildinfo.h"
#include "src/files/dataexport.h"
#include "src/files/documentfile.h"
#include "src/window/graphdialog.h"
#include "src/files/graphexport.h"
#include "src/files/importeddocument.h"
#include "src/model/model.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIODevice>
#include <QLocale>
#include <QRegularExpression>

#include <memory>

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

enum TOutput_Format
{
  OUTPUT_UNKNOWN,
  OUTPUT_DOCUMENT,
  OUTPUT_CSV,
  OUTPUT_TSV,
  OUTPUT_GRAPH
};

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

// The one description of the command line, for parsing and for the help text.
std::unique_ptr<QCommandLineParser> Parser()
{
  auto parser = std::make_unique<QCommandLineParser>();
  parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser->setApplicationDescription(
    QStringLiteral("Resamples and adjusts a table of values over a position axis.\n"
                   "Without --export, opens the window (with FILE if given).\n"
                   "Exit status: %1 success, %2 a file could not be read or written, "
                   "%3 a usage error.")
      .arg(EXIT_DONE)
      .arg(EXIT_FILE_ERROR)
      .arg(EXIT_USAGE_ERROR));
  parser->addHelpOption();
  parser->addVersionOption();
  parser->addOption(QCommandLineOption(
    QString::fromLatin1(EXPORT_OPTION),
    QStringLiteral("Reads FILE and writes OUT, no window: .vandrel (the document), .csv "
                   "(output table with a header), .tsv (output table, tab-separated), - "
                   "(CSV on standard output), .png, .svg or .pdf (the graph)."),
    QStringLiteral("OUT")));
  parser->addOption(QCommandLineOption(
    QString::fromLatin1(SIZE_OPTION),
    QStringLiteral("The size of an exported graph in pixels (default 800x600)."),
    QStringLiteral("WxH")));
  parser->addPositionalArgument(
    QStringLiteral("FILE"),
    QStringLiteral("A Vandrel document (.vandrel), or a data file (.csv, .tsv, .txt) read "
                   "into the input of a new document."),
    QStringLiteral("[FILE]"));
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

TOutput_Format Output_Format(const QString &output)
{
  if (output == QLatin1String(STANDARD_OUTPUT)) {
    return OUTPUT_CSV;
  }
  const QString suffix = QFileInfo(output).suffix().toLower();
  if (suffix == QLatin1String(DOCUMENT_SUFFIX)) {
    return OUTPUT_DOCUMENT;
  }
  if (suffix == QLatin1String("csv")) {
    return OUTPUT_CSV;
  }
  if (suffix == QLatin1String("tsv")) {
    return OUTPUT_TSV;
  }
  if (suffix == QLatin1String("png") || suffix == QLatin1String("svg")
      || suffix == QLatin1String("pdf")) {
    return OUTPUT_GRAPH;
  }
  return OUTPUT_UNKNOWN;
}

TCommand Export_Command(const QCommandLineParser &parser)
{
  const QStringList files = parser.positionalArguments();
  TCommand command;
  command.action = COMMAND_EXPORT;
  command.output = parser.value(QString::fromLatin1(EXPORT_OPTION));
  if (files.size() != 1) {
    return Usage_Error(QStringLiteral("--export needs exactly one FILE to read."));
  }
  const TOutput_Format format = Output_Format(command.output);
  if (format == OUTPUT_UNKNOWN) {
    return Usage_Error(QStringLiteral("--export cannot tell the format of %1: its name must "
                                      "end in .vandrel, .csv, .tsv, .png, .svg or .pdf, or "
                                      "be -.")
                         .arg(Quoted_Path(command.output)));
  }
  command.size = DEFAULT_GRAPH_SIZE;
  if (parser.isSet(QString::fromLatin1(SIZE_OPTION))) {
    if (format != OUTPUT_GRAPH) {
      return Usage_Error(QStringLiteral("--size applies only to a graph (.png, .svg, .pdf)."));
    }
    const QString size = parser.value(QString::fromLatin1(SIZE_OPTION));
    if (!Parse_Graph_Size(size, &command.size)) {
      return Usage_Error(QStringLiteral("--size must be WIDTHxHEIGHT in whole pixels from 1 "
                                        "to %1, not \"%2\".")
                           .arg(MAXIMUM_GRAPH_SIDE)
                           .arg(size));
    }
  }
  command.document = files.first();
  return command;
}

// A data file becomes a new document over the default ranges, as the window imports it.
bool Read_Input_File(const QString &path, TContent *content, QString *error)
{
  if (!Is_Data_File(path)) {
    return Read_Document(path, content, error);
  }
  TImport_Ranges ranges;
  ranges.input = Corrected_Input(Default_Input_Range());
  ranges.edit = Default_Edit_Range();
  bool resampled = false;
  return Import_Document(path, QLocale::system(), ranges, content, &resampled, error);
}

TResampling_Model Calculated_Model(const TContent &content)
{
  TResampling_Model model;
  ASSERT(model.Set_Content(content));
  model.Recalculate();
  return model;
}

QByteArray Output_Bytes(const TContent &content, const TOutput_Format format)
{
  if (format == OUTPUT_DOCUMENT) {
    return Document_Bytes(content);
  }
  return Table_Text(Calculated_Model(content).Output(),
                    format == OUTPUT_TSV ? TABLE_TSV : TABLE_CSV);
}

// Drawn by the graph window itself, never shown, so that the file matches what it shows.
bool Write_Graph(const TContent &content, const TCommand &command, QString *error)
{
  const TResampling_Model model = Calculated_Model(content);
  TInterpolationGraphDialog graph;
  graph.Set_Graph_Data(model.Input(), model.Output());
  return graph.Save_Graph_File(command.output, command.size, error);
}

int Export(const TCommand &command, QIODevice *standard_output, QIODevice *standard_error)
{
  TContent content;
  QString error;
  if (!Read_Input_File(command.document, &content, &error)) {
    standard_error->write(error.toLocal8Bit() + '\n');
    return EXIT_FILE_ERROR;
  }
  const TOutput_Format format = Output_Format(command.output);
  if (format == OUTPUT_GRAPH) {
    if (!Write_Graph(content, command, &error)) {
      standard_error->write(error.toLocal8Bit() + '\n');
      return EXIT_FILE_ERROR;
    }
    return EXIT_DONE;
  }
  const QByteArray bytes = Output_Bytes(content, format);
  if (command.output == QLatin1String(STANDARD_OUTPUT)) {
    return standard_output->write(bytes) == bytes.size() ? EXIT_DONE : EXIT_FILE_ERROR;
  }
  if (!Write_File(command.output, bytes, &error)) {
    standard_error->write(error.toLocal8Bit() + '\n');
    return EXIT_FILE_ERROR;
  }
  return EXIT_DONE;
}

}  // namespace

QStringList Command_Line_Arguments(const int argc, char **argv)
{
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
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

bool Needs_Widgets(const TCommand &command)
{
  return command.action == COMMAND_EXPORT && Output_Format(command.output) == OUTPUT_GRAPH;
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
    command = Usage_Error(QStringLiteral("--size applies only with --export."));
  } else if (parser->positionalArguments().size() > 1) {
    command = Usage_Error(QStringLiteral("Vandrel opens one document at a time."));
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
    standard_output->write(Parser()->helpText().toLocal8Bit());
    return EXIT_DONE;
  case COMMAND_VERSION:
    standard_output->write(QByteArray("Vandrel ") + VANDREL_VERSION + '\n');
    return EXIT_DONE;
  case COMMAND_EXPORT:
    return Export(command, standard_output, standard_error);
  case COMMAND_USAGE_ERROR:
    standard_error->write(command.error.toLocal8Bit() + "\n\n");
    standard_error->write(Parser()->helpText().toLocal8Bit());
    return EXIT_USAGE_ERROR;
  case COMMAND_WINDOW:
    break;
  }
  ASSERT(command.action != COMMAND_WINDOW);
  return EXIT_USAGE_ERROR;
}
