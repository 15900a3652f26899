#include "src/files/settingsfile.h"

#include "src/files/documentfile.h"
#include "src/files/safefile.h"
#include "src/model/constants.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

QString Settings_Folder_Path()
{
  return QDir::homePath() + QLatin1Char('/') + QLatin1String(SETTINGS_FOLDER_NAME);
}

QString Settings_File_Path()
{
  return Settings_Folder_Path() + QStringLiteral("/Settings.ini");
}

namespace {

// A settings file holds ranges, switches, the window's place and a few recent paths: a
// few KiB. Anything far larger is not one and would only fill the memory.
const TFile_Kind SETTINGS_FILE{QT_TRANSLATE_NOOP("Safe_File", "a settings file"), 1024 * 1024};

std::unique_ptr<QSettings> Ini_Settings(const QString &path)
{
  auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
  // Qt 6 always reads and writes INI files as UTF-8; Qt 5 needs to be told.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
  settings->setIniCodec("UTF-8");
#endif
  return settings;
}

// A file that is not there is a first start. QSettings reads the file itself, and again
// before it writes, so a file it must not touch never reaches it.
bool Settings_File_Readable(const QString &path, QString *reason)
{
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) {
    return true;
  }
  QByteArray bytes;
  return Read_Regular_File(path, SETTINGS_FILE, &bytes, reason);
}

// Empty settings in a temporary file of their own, removed with them. Should no
// temporary file be made, the settings have no file at all and are never written.
std::unique_ptr<QSettings> Detached_Settings()
{
  auto file = std::make_unique<QTemporaryFile>(QDir::tempPath()
                                               + QStringLiteral("/vandrel-settings-XXXXXX.ini"));
  file->open();
  std::unique_ptr<QSettings> settings = Ini_Settings(file->fileName());
  file.release()->setParent(settings.get());
  return settings;
}

}  // namespace

std::unique_ptr<QSettings> Open_Settings_File(const QString &path, QString *message)
{
  QString reason;
  if (Settings_File_Readable(path, &reason)) {
    if (message) {
      message->clear();
    }
    return Ini_Settings(path);
  }
  if (message) {
    *message = QCoreApplication::translate("Settings_File",
                                           "Cannot read the settings file %1: %2. Vandrel starts "
                                           "with its default settings and leaves the file as it "
                                           "is; settings changed now are not saved.")
                 .arg(Quoted_Path(path), reason);
  }
  return Detached_Settings();
}
