#ifndef TESTS_HOSTILE_FILES_H
#define TESTS_HOSTILE_FILES_H

// Files that are not what their names promise, and the limits every reader keeps with
// any file: an answer within READ_TIME_LIMIT_MS and MEMORY_LIMIT_BYTES.

#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hostile {

const qint64 READ_TIME_LIMIT_MS = 5000;
const rlim_t MEMORY_LIMIT_BYTES = rlim_t(1) << 30;

// AddressSanitizer reserves terabytes of address space: no limit on it stands for memory.
#if defined(__SANITIZE_ADDRESS__)
const bool ADDRESS_SANITIZER = true;
#else
const bool ADDRESS_SANITIZER = false;
#endif

// DEVICE stands for /dev/zero itself, MISSING for no file; SPARSE makes a file of the
// size the bytes give in decimal, without writing them.
enum TMaker { BYTES, FIFO, SOCKET, FOLDER, LINK_TO_ZERO, DEVICE, SPARSE, MISSING };

inline bool Make_Socket(const QByteArray &name)
{
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.size() >= int(sizeof address.sun_path)) {
    return false;
  }
  qstrcpy(address.sun_path, name.constData());
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound = ::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
  ::close(socket);
  return bound;
}

inline bool Make(const TMaker maker, const QString &path, const QByteArray &bytes)
{
  QFile file(path);
  switch (maker) {
  case BYTES:
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  case FIFO:
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
  case SOCKET:
    return Make_Socket(QFile::encodeName(path));
  case FOLDER:
    return QDir().mkdir(path);
  case LINK_TO_ZERO:
    return QFile::link(QStringLiteral("/dev/zero"), path);
  case SPARSE:
    return file.open(QIODevice::WriteOnly) && file.resize(bytes.toLongLong());
  default:
    return true;
  }
}

// What a reader must leave as it was: the kind of file, its size, its time of change and,
// for a small regular file, its bytes.
inline QByteArray State(const QString &path)
{
  struct stat status;
  if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
    return "missing";
  }
  QByteArray state = QByteArray::number(int(status.st_mode)) + ' '
                     + QByteArray::number(qlonglong(status.st_size)) + ' '
                     + QByteArray::number(qlonglong(status.st_mtime)) + ' ';
  QFile file(path);
  if (S_ISREG(status.st_mode) && status.st_size < 1024 * 1024 && file.open(QIODevice::ReadOnly)) {
    state += file.readAll();
  }
  return state;
}

// Whether `read` returns true in a child process limited to MEMORY_LIMIT_BYTES of address
// space; a child that runs out of memory dies instead. True under AddressSanitizer.
inline bool Within_Memory_Limit(const std::function<bool()> &read)
{
  if (ADDRESS_SANITIZER) {
    return true;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit limit{MEMORY_LIMIT_BYTES, MEMORY_LIMIT_BYTES};
    ::setrlimit(RLIMIT_AS, &limit);
    ::_exit(read() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)
         && WEXITSTATUS(status) == 0;
}

// Whether the process has held less than the memory limit so far.
inline bool Within_Peak_Memory()
{
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return ADDRESS_SANITIZER || rlim_t(usage.ru_maxrss) * 1024 < MEMORY_LIMIT_BYTES;
}

}  // namespace hostile

#endif
