#include "src/window/application.h"
#include "src/commandline/commandline.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

int Run_With_Standard_Files(const TCommand &command)
{
  QFile standard_output;
  QFile standard_error;
  standard_output.open(stdout, QIODevice::WriteOnly);
  standard_error.open(stderr, QIODevice::WriteOnly);
  return Run_Command(command, &standard_output, &standard_error);
}

}  // namespace

int main(int argc, char *argv[])
{
  // The command line is read before any application object exists: exporting needs no
  // display, and the window's toolkit would refuse to start without one.
  const TCommand command = Parse_Command_Line(Command_Line_Arguments(argc, argv));
  if (command.action == COMMAND_WINDOW) {
    return Run_Vandrel(argc, argv, command.document);
  }
  if (Draws_Graph(command)) {
    // Fonts and images need a platform, but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return Run_With_Standard_Files(command);
  }
  QCoreApplication application(argc, argv);
  return Run_With_Standard_Files(command);
}
