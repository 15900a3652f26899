#include "src/files/settingsfile.h"

#include <QSettings>

std::unique_ptr<QSettings> Open_Settings_File(const QString &path)
{
  auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
  // Qt 6 always reads and writes INI files as UTF-8; Qt 5 needs to be told.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
  settings->setIniCodec("UTF-8");
#endif
  return settings;
}
