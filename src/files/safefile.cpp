#include "src/files/safefile.h"

#include "core/assertion.h"
#include "src/files/filename.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const qint64 KIB = 1024;
const qint64 MIB = 1024 * KIB;
// The first buffer for a file that says it is empty (as files of /proc do) or was cut
// short; it grows as the file turns out longer.
const qint64 FIRST_CHUNK = 64 * KIB;

QString Too_Large(const qint64 size, const TFile_Kind &kind)
{
  return QCoreApplication::translate("Safe_File",
                                     "it is too large (%1 bytes) to be %2, which has at most %3")
    .arg(size)
    .arg(QCoreApplication::translate("Safe_File", kind.name), Size_Text(kind.maximum_size));
}

// Reads to the end, but never more than one byte past the maximum: a file that grows
// while it is read is refused as any other file that is too large.
bool Read_Bounded(QFile *file, const qint64 expected_size, const TFile_Kind &kind,
                  QByteArray *bytes, QString *reason)
{
  const qint64 limit = kind.maximum_size + 1;
  QByteArray read;
  read.resize(static_cast<int>(std::min(std::max(expected_size + 1, FIRST_CHUNK), limit)));
  qint64 filled = 0;
  for (;;) {
    if (filled == read.size()) {
      if (filled >= limit) {
        *reason = Too_Large(filled, kind);
        return false;
      }
      read.resize(static_cast<int>(std::min(2 * filled, limit)));
    }
    const qint64 count = file->read(read.data() + filled, read.size() - filled);
    if (count < 0) {
      *reason = file->errorString();
      return false;
    }
    if (count == 0) {
      break;
    }
    filled += count;
  }
  read.resize(static_cast<int>(filled));
  *bytes = std::move(read);
  return true;
}

#ifdef Q_OS_UNIX

QString Kind_Text(const mode_t mode)
{
  if (S_ISDIR(mode)) {
    return QCoreApplication::translate("Safe_File", "a folder");
  }
  if (S_ISFIFO(mode)) {
    return QCoreApplication::translate("Safe_File", "a FIFO (a named pipe)");
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return QCoreApplication::translate("Safe_File", "a device");
  }
  if (S_ISSOCK(mode)) {
    return QCoreApplication::translate("Safe_File", "a socket");
  }
  return QCoreApplication::translate("Safe_File", "a file of another kind");
}

// Two sentences, so that a language may put the link's target in another case.
QString Not_Regular(const mode_t mode, const bool link)
{
  const QString sentence =
    link ? QCoreApplication::translate("Safe_File", "it is a link to %1, not a regular file")
         : QCoreApplication::translate("Safe_File", "it is %1, not a regular file");
  return sentence.arg(Kind_Text(mode));
}

QString System_Reason(const int error, const bool link)
{
  switch (error) {
  case ENOENT:
    return link ? QCoreApplication::translate("Safe_File",
                                              "it is a link to a file that does not exist")
                : QCoreApplication::translate("Safe_File", "it does not exist");
  case EACCES:
  case EPERM:
    return QCoreApplication::translate("Safe_File", "you have no permission to read it");
  case ELOOP:
    return QCoreApplication::translate("Safe_File", "it is a link in a loop of links");
  default:
    return QString::fromLocal8Bit(std::strerror(error));
  }
}

// The file's type as its name leads to it, before anything is opened: a device is
// refused without opening it, since opening some devices does something.
bool Check_Before_Opening(const QByteArray &name, bool *link, QString *reason)
{
  struct stat status;
  *link = ::lstat(name.constData(), &status) == 0 && S_ISLNK(status.st_mode);
  if (::stat(name.constData(), &status) != 0) {
    *reason = System_Reason(errno, *link);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    *reason = Not_Regular(status.st_mode, *link);
    return false;
  }
  return true;
}

// Opens without blocking, since an ordinary open of a FIFO waits for a writer, and checks
// the descriptor itself, so that a file swapped since the first check is refused too.
// Reading then blocks again as it does for any file.
int Open_Regular(const QByteArray &name, const bool link, qint64 *size, QString *reason)
{
  const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    *reason = System_Reason(errno, link);
    return -1;
  }
  struct stat status;
  if (::fstat(descriptor, &status) != 0) {
    *reason = System_Reason(errno, link);
  } else if (!S_ISREG(status.st_mode)) {
    *reason = Not_Regular(status.st_mode, link);
  } else {
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags != -1 && ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != -1) {
      *size = static_cast<qint64>(status.st_size);
      return descriptor;
    }
    *reason = System_Reason(errno, link);
  }
  ::close(descriptor);
  return -1;
}

bool Open_File(const QString &path, QFile *file, qint64 *size, QString *reason)
{
  const QByteArray name = Encode_File_Name(path);
  bool link = false;
  if (!Check_Before_Opening(name, &link, reason)) {
    return false;
  }
  const int descriptor = Open_Regular(name, link, size, reason);
  if (descriptor < 0) {
    return false;
  }
  if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    *reason = file->errorString();
    return false;
  }
  return true;
}

#else

// Elsewhere Qt's own checks stand in: devices and pipes are rarely reached by a path there.
bool Open_File(const QString &path, QFile *file, qint64 *size, QString *reason)
{
  const QFileInfo info(path);
  if (info.isDir()) {
    *reason = QCoreApplication::translate("Safe_File", "it is a folder, not a regular file");
    return false;
  }
  if (info.exists() && !info.isFile()) {
    *reason = QCoreApplication::translate("Safe_File", "it is not a regular file");
    return false;
  }
  file->setFileName(path);
  if (!file->open(QIODevice::ReadOnly)) {
    *reason = file->errorString();
    return false;
  }
  *size = file->size();
  return true;
}

#endif

}  // namespace

bool Read_Regular_File(const QString &path, const TFile_Kind &kind, QByteArray *bytes,
                       QString *reason)
{
  if (!ASSERT(bytes) || !ASSERT(reason) || !ASSERT(kind.maximum_size > 0)) {
    return false;
  }
  QFile file;
  qint64 size = 0;
  if (!Open_File(path, &file, &size, reason)) {
    return false;
  }
  if (size > kind.maximum_size) {
    *reason = Too_Large(size, kind);
    return false;
  }
  return Read_Bounded(&file, size, kind, bytes, reason);
}

QString Size_Text(const qint64 bytes)
{
  if (bytes > 0 && bytes % MIB == 0) {
    return QStringLiteral("%1 MiB").arg(bytes / MIB);
  }
  if (bytes > 0 && bytes % KIB == 0) {
    return QStringLiteral("%1 KiB").arg(bytes / KIB);
  }
  return QCoreApplication::translate("Safe_File", "%1 bytes").arg(bytes);
}
