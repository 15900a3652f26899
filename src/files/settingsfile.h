#ifndef SRC_FILES_SETTINGSFILE_H
#define SRC_FILES_SETTINGSFILE_H

#include <QString>

#include <memory>

class QSettings;

// The folder in the home folder where the settings file and the recovery files live.
QString Settings_Folder_Path();

// The settings file in it.
QString Settings_File_Path();

// The settings file at path, in INI format with UTF-8 text under every Qt version, so
// that a file written by one build reads back the same under another.
//
// A file that is there but cannot be read safely (a FIFO, a device, a socket, a folder, a
// link to one of those, a file larger than a settings file can be, or one without read
// permission) is left as it is: the settings then start empty, so that every setting
// takes its default, and live in a temporary file removed with them, so nothing is ever
// written to the path. `message`, when given, then names the file and says what is wrong
// and what follows, for the caller to show; it is emptied when the file opened normally.
std::unique_ptr<QSettings> Open_Settings_File(const QString &path, QString *message = nullptr);

#endif
