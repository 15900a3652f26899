#include "src/files/recentfiles.h"

#include "core/assertion.h"

#include <QSettings>

namespace {

const char RECENT_FILES_KEY[] = "Recent_Files";

void Store(QSettings *settings, const QStringList &files)
{
  settings->setValue(RECENT_FILES_KEY, files);
  settings->sync();
}

}  // namespace

QStringList Recent_Files(const QSettings &settings)
{
  QStringList files = settings.value(RECENT_FILES_KEY).toStringList();
  files.removeAll(QString());
  files.removeDuplicates();
  return files.mid(0, RECENT_FILE_COUNT);
}

void Add_Recent_File(QSettings *settings, const QString &path)
{
  if (!ASSERT(settings)) {
    return;
  }
  QStringList files = Recent_Files(*settings);
  files.removeAll(path);
  files.prepend(path);
  Store(settings, files.mid(0, RECENT_FILE_COUNT));
}

void Remove_Recent_File(QSettings *settings, const QString &path)
{
  if (!ASSERT(settings)) {
    return;
  }
  QStringList files = Recent_Files(*settings);
  files.removeAll(path);
  Store(settings, files);
}
