#include "core/translations.h"
#include "src/commandline/commandline.h"
#include "src/model/constants.h"
#include "src/window/application.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>

#include <cstdio>

namespace {

// Reads the command line again once the translations are installed, so that its messages
// and help speak the user's language; the action is the same as the first reading's.
int Run_With_Standard_Files(const QStringList &arguments)
{
  const TTranslations translations(QString::fromLatin1(TRANSLATION_CATALOGUE),
                                   QString::fromLatin1(TRANSLATION_FOLDER), QLocale::system());
  QFile standard_output;
  QFile standard_error;
  standard_output.open(stdout, QIODevice::WriteOnly);
  standard_error.open(stderr, QIODevice::WriteOnly);
  return Run_Command(Parse_Command_Line(arguments), &standard_output, &standard_error);
}

}  // namespace

int main(int argc, char *argv[])
{
  // The command line is read before any application object exists: exporting needs no
  // display, and the window's toolkit would refuse to start without one.
  const QStringList arguments = Command_Line_Arguments(argc, argv);
  const TCommand command = Parse_Command_Line(arguments);
  if (command.action == COMMAND_WINDOW) {
    return Run_Vandrel(argc, argv, command.document);
  }
  if (Draws_Graph(command)) {
    // Fonts and images need a platform, but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return Run_With_Standard_Files(arguments);
  }
  QCoreApplication application(argc, argv);
  return Run_With_Standard_Files(arguments);
}
