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
std::unique_ptr<QSettings> Open_Settings_File(const QString &path);

#endif
