#ifndef SRC_WINDOW_APPLICATION_H
#define SRC_WINDOW_APPLICATION_H

// Runs the program: application object, translations for the user's locale, style, main
// window, event loop. Returns the event loop's exit code. Arguments other than the
// toolkit's own are ignored.
int Run_Vandrel(int &argc, char **argv);

class QString;

// The same, opening the document at start-up unless work left by a crash is restored.
int Run_Vandrel(int &argc, char **argv, const QString &document);

#endif
