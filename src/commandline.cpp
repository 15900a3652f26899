#include "src/commandline.h"

#include "core/assertion.h"
#include "src/buildinfo.h"
#include "src/dataexport.h"
#include "src/document.h"
#include "src/model.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIODevice>

#include <memory>

namespace {

const char EXPORT_OPTION[] = "export";
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
  OUTPUT_TSV
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
                   "Without --export, opens the window (with FILE if given)."));
  parser->addHelpOption();
  parser->addVersionOption();
  parser->addOption(QCommandLineOption(
    QString::fromLatin1(EXPORT_OPTION),
    QStringLiteral("Reads the document FILE and writes OUT, no window: .vandrel (the "
                   "document), .csv (output table with a header), .tsv (output table, "
                   "tab-separated), - (CSV on standard output)."),
    QStringLiteral("OUT")));
  parser->addPositionalArgument(QStringLiteral("FILE"),
                                QStringLiteral("A Vandrel document (.vandrel)."),
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
  return OUTPUT_UNKNOWN;
}

TCommand Export_Command(const QCommandLineParser &parser)
{
  const QStringList files = parser.positionalArguments();
  TCommand command;
  command.action = COMMAND_EXPORT;
  command.output = parser.value(QString::fromLatin1(EXPORT_OPTION));
  if (files.size() != 1) {
    return Usage_Error(QStringLiteral("--export needs exactly one document FILE to read."));
  }
  if (Output_Format(command.output) == OUTPUT_UNKNOWN) {
    return Usage_Error(QStringLiteral("--export cannot tell the format of %1: its name must "
                                      "end in .vandrel, .csv or .tsv, or be -.")
                         .arg(Quoted_Path(command.output)));
  }
  command.document = files.first();
  return command;
}

QByteArray Output_Bytes(const TContent &content, const TOutput_Format format)
{
  if (format == OUTPUT_DOCUMENT) {
    return Document_Bytes(content);
  }
  TResampling_Model model;
  ASSERT(model.Set_Content(content));
  model.Recalculate();
  return Table_Text(model.Output(), format == OUTPUT_TSV ? TABLE_TSV : TABLE_CSV);
}

int Export(const TCommand &command, QIODevice *standard_output, QIODevice *standard_error)
{
  TContent content;
  QString error;
  if (!Read_Document(command.document, &content, &error)) {
    standard_error->write(error.toLocal8Bit() + '\n');
    return EXIT_FILE_ERROR;
  }
  const QByteArray bytes = Output_Bytes(content, Output_Format(command.output));
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
