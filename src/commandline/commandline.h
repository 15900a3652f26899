#ifndef SRC_COMMANDLINE_COMMANDLINE_H
#define SRC_COMMANDLINE_COMMANDLINE_H

#include <QSize>
#include <QString>
#include <QStringList>

class QIODevice;

// What the program was asked to do.
enum TCommand_Action
{
  COMMAND_WINDOW,       // open the window, with the document if one is named
  COMMAND_HELP,
  COMMAND_VERSION,
  COMMAND_EXPORT,       // read the document or data file and write it in the output's
                        // format, no window
  COMMAND_USAGE_ERROR
};

// Exit statuses of the command-line actions.
constexpr int EXIT_DONE = 0;
constexpr int EXIT_FILE_ERROR = 1;
constexpr int EXIT_USAGE_ERROR = 2;

struct TCommand
{
  TCommand_Action action = COMMAND_WINDOW;
  QString document;   // the FILE argument, empty when none
  QString output;     // --export's OUT
  QSize size;         // --size of an exported graph
  QString error;      // what is wrong with the usage
};

// The arguments as the toolkit would see them, the program's name first.
QStringList Command_Line_Arguments(int argc, char **argv);

// Needs no application object, so that the window's toolkit starts only when a window
// is wanted. Options the toolkit itself takes (-style, -platform, ...) are accepted.
TCommand Parse_Command_Line(const QStringList &arguments);

// Reads --size's "WxH": whole numbers of pixels from 1 to the graph's maximum side.
bool Parse_Graph_Size(const QString &text, QSize *size);

// True when the action draws the graph, which needs a painting application object (though
// neither widgets nor a display).
bool Draws_Graph(const TCommand &command);

// Carries out an action other than COMMAND_WINDOW and returns the exit status. Needs a
// core application object for the help text, and a painting one where Draws_Graph says so.
int Run_Command(const TCommand &command, QIODevice *standard_output, QIODevice *standard_error);

#endif
