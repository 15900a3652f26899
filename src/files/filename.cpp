#include "src/files/filename.h"

#include "core/assertion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const char16_t FIRST_ESCAPE = 0xDC80;
const char16_t LAST_ESCAPE = 0xDCFF;
// The longest UTF-8 sequence of one character.
const int LONGEST_SEQUENCE = 4;

// A lone low surrogate in the range that stands for a byte.
bool Is_Escape(const QString &name, const int i)
{
  const char16_t c = name.at(i).unicode();
  const bool after_high = i > 0 && name.at(i - 1).isHighSurrogate();
  return c >= FIRST_ESCAPE && c <= LAST_ESCAPE && !after_high;
}

// The length of the UTF-8 character at `at`, or 0 when the bytes there are none: Qt's
// decoder reads it, and it must come back as the same bytes.
int Character_Length(const QByteArray &bytes, const int at)
{
  for (int length = 1; length <= LONGEST_SEQUENCE && at + length <= bytes.size(); ++length) {
    const QByteArray piece = bytes.mid(at, length);
    const QString text = QString::fromUtf8(piece);
    if (!text.isEmpty() && !text.contains(QChar::ReplacementCharacter) && text.toUtf8() == piece) {
      return length;
    }
  }
  return 0;
}

#ifdef Q_OS_LINUX
QString Error_Text()
{
  return QString::fromLocal8Bit(std::strerror(errno));
}

// A name that is no text cannot pass through Qt's file classes. The file is saved under a
// plain name in the same folder, reached through the folder's descriptor, and then takes
// its own name by one rename, which replaces an old file whole.
bool Save_Through_Folder(const QString &path, const QByteArray &bytes, QString *reason)
{
  const QFileInfo info(path);
  const int folder = ::open(Encode_File_Name(info.path()).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    *reason = Error_Text();
    return false;
  }
  const QString plain = QStringLiteral(".vandrel-save-%1").arg(::getpid());
  QSaveFile file(QStringLiteral("/proc/self/fd/%1/%2").arg(folder).arg(plain));
  bool saved = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  if (!saved) {
    *reason = file.errorString();
  } else if (::renameat(folder, plain.toLatin1().constData(), folder,
                        Encode_File_Name(info.fileName()).constData()) != 0) {
    *reason = Error_Text();
    ::unlinkat(folder, plain.toLatin1().constData(), 0);
    saved = false;
  }
  ::close(folder);
  return saved;
}
#endif

}  // namespace

QString Decode_File_Name(const QByteArray &bytes)
{
  const QString decoded = QFile::decodeName(bytes);
  if (QFile::encodeName(decoded) == bytes) {
    return decoded;
  }
  QString name;
  for (int at = 0; at < bytes.size();) {
    const int length = Character_Length(bytes, at);
    if (length > 0) {
      name += QString::fromUtf8(bytes.mid(at, length));
      at += length;
    } else {
      name += QChar(static_cast<char16_t>(FIRST_ESCAPE - 0x80 + static_cast<unsigned char>(bytes[at])));
      ++at;
    }
  }
  return name;
}

QByteArray Encode_File_Name(const QString &name)
{
  if (!Has_Undecodable_Bytes(name)) {
    return QFile::encodeName(name);
  }
  QByteArray bytes;
  int run = 0;
  for (int i = 0; i <= name.size(); ++i) {
    if (i < name.size() && !Is_Escape(name, i)) {
      continue;
    }
    bytes += name.mid(run, i - run).toUtf8();
    if (i < name.size()) {
      bytes += static_cast<char>(name.at(i).unicode() - FIRST_ESCAPE + 0x80);
    }
    run = i + 1;
  }
  return bytes;
}

bool Has_Undecodable_Bytes(const QString &name)
{
  for (int i = 0; i < name.size(); ++i) {
    if (Is_Escape(name, i)) {
      return true;
    }
  }
  return false;
}

QString Shown_File_Name(const QString &name)
{
  QString shown = QDir::toNativeSeparators(name);
  for (int i = 0; i < shown.size(); ++i) {
    if (Is_Escape(shown, i)) {
      shown[i] = QChar::ReplacementCharacter;
    }
  }
  return shown;
}

bool Save_Whole_File(const QString &path, const QByteArray &bytes, QString *reason)
{
  if (!ASSERT(reason)) {
    return false;
  }
#ifdef Q_OS_LINUX
  if (Has_Undecodable_Bytes(path)) {
    return Save_Through_Folder(path, bytes, reason);
  }
#endif
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
    return true;
  }
  *reason = file.errorString();
  return false;
}
