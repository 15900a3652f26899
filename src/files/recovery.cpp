#include "src/files/recovery.h"

#include "core/assertion.h"
#include "src/files/documentfile.h"
#include "src/files/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLockFile>

namespace {

const char RECOVERY_PATTERN[] = "Recovery-*.vandrel";
const char LOCK_SUFFIX[] = ".lock";
const char KEY_DOCUMENT_PATH[] = "recovered_document";
// More windows than anyone runs at once; past it, a window keeps no recovery file.
const int MAXIMUM_SLOTS = 1000;

QString Folder()
{
  return Settings_Folder_Path();
}

QString Slot_Path(const int slot)
{
  return QStringLiteral("%1/Recovery-%2.vandrel").arg(Folder()).arg(slot);
}

// The lock of a recovery file, taken without waiting; a lock left by a program that is no
// longer running counts as free.
std::unique_ptr<QLockFile> Try_Lock(const QString &recovery_path)
{
  auto lock = std::make_unique<QLockFile>(recovery_path + LOCK_SUFFIX);
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    return nullptr;
  }
  return lock;
}

// Work that was never saved has no document path; the key is then empty or missing.
bool Read_Document_Path(const QJsonObject &root, QString *path, QString *reason)
{
  const QJsonValue value = root.value(KEY_DOCUMENT_PATH);
  if (!value.isUndefined() && !value.isString()) {
    *reason = QCoreApplication::translate("Recovery", "\"%1\" is not a text")
                .arg(KEY_DOCUMENT_PATH);
    return false;
  }
  *path = value.toString();
  return true;
}

}  // namespace

// Takes the first slot that is neither owned by a running window nor holds work left
// behind, which stays for the next start to offer.
TRecovery_File::TRecovery_File()
{
  QDir().mkpath(Folder());
  for (int slot = 1; slot <= MAXIMUM_SLOTS && !d_lock; ++slot) {
    const QString path = Slot_Path(slot);
    if (QFile::exists(path)) {
      continue;
    }
    d_lock = Try_Lock(path);
    if (d_lock) {
      d_path = path;
    }
  }
}

TRecovery_File::~TRecovery_File() = default;

bool TRecovery_File::Write(const TRecovered_Work &work, QString *error)
{
  if (!ASSERT(error)) {
    return false;
  }
  if (d_path.isEmpty()) {
    *error = QCoreApplication::translate("Recovery", "No recovery file is free in %1.")
               .arg(Quoted_Path(Folder()));
    return false;
  }
  QJsonObject root = Document_Object(work.content);
  root.insert(KEY_DOCUMENT_PATH, work.document_path);
  return Write_File(d_path, QJsonDocument(root).toJson(QJsonDocument::Compact), error);
}

void TRecovery_File::Remove()
{
  if (!d_path.isEmpty()) {
    QFile::remove(d_path);
  }
}

QStringList Recovery_Files()
{
  const QDir folder(Folder());
  QStringList paths;
  for (const QFileInfo &file :
       folder.entryInfoList({QString::fromLatin1(RECOVERY_PATTERN)}, QDir::Files, QDir::Time)) {
    paths << file.absoluteFilePath();
  }
  return paths;
}

QStringList Orphaned_Recovery_Files()
{
  QStringList orphans;
  for (const QString &path : Recovery_Files()) {
    if (Try_Lock(path)) {
      orphans << path;
    }
  }
  return orphans;
}

bool Parse_Recovery(const QByteArray &bytes, TRecovered_Work *work, QString *reason)
{
  if (!ASSERT(work) || !ASSERT(reason)) {
    return false;
  }
  QJsonObject root;
  TRecovered_Work read;
  if (!Parse_Document_Root(bytes, KEY_DOCUMENT_PATH, &root, reason)
      || !Read_Document_Object(root, &read.content, reason)
      || !Read_Document_Path(root, &read.document_path, reason)) {
    return false;
  }
  *work = std::move(read);
  return true;
}

bool Read_Recovery(const QString &path, TRecovered_Work *work, QString *error)
{
  if (!ASSERT(work) || !ASSERT(error)) {
    return false;
  }
  QByteArray bytes;
  QString reason;
  if (Read_Document_Bytes(path, &bytes, &reason) && Parse_Recovery(bytes, work, &reason)) {
    return true;
  }
  *error = Open_Error(path, reason);
  return false;
}

void Discard_Recovery(const QString &path)
{
  QFile::remove(path);
}
