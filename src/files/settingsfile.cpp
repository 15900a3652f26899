#include "src/files/settingsfile.h"

#include "src/model/constants.h"

#include <QDir>
#include <QSettings>

QString Settings_Folder_Path()
{
  return QDir::homePath() + QLatin1Char('/') + QLatin1String(SETTINGS_FOLDER_NAME);
}

QString Settings_File_Path()
{
  return Settings_Folder_Path() + QStringLiteral("/Settings.ini");
}

std::unique_ptr<QSettings> Open_Settings_File(const QString &path)
{
  auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
  // Qt 6 always reads and writes INI files as UTF-8; Qt 5 needs to be told.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
  settings->setIniCodec("UTF-8");
#endif
  return settings;
}
