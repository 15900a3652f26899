#ifndef SRC_FILES_RECOVERY_H
#define SRC_FILES_RECOVERY_H

#include "src/model/model.h"

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

// Unsaved work kept in the settings folder, so that a crash or a kill loses nothing.
// A recovery file is a document that also names the document file the work belongs to.
struct TRecovered_Work
{
  TContent content;
  QString document_path;  // empty for work that was never saved
};

// One window's recovery file. Each running window has its own, locked while it runs, so
// that two windows never overwrite or remove each other's work; a file whose lock no
// running program holds is work left behind by a crash.
class TRecovery_File
{
public:
  TRecovery_File();
  ~TRecovery_File();

  bool Write(const TRecovered_Work &work, QString *error);
  void Remove();
  const QString &Path() const { return d_path; }

private:
  QString d_path;
  std::unique_ptr<QLockFile> d_lock;
};

// Every recovery file in the settings folder, newest first, whether its window runs or not.
QStringList Recovery_Files();

// The recovery files that no running window owns, newest first.
QStringList Orphaned_Recovery_Files();

// Reads a recovery file as a document file is read (the same size cap, bounds and
// messages); the error names the file and what is wrong with it. On refusal the work is
// left as it was.
bool Read_Recovery(const QString &path, TRecovered_Work *work, QString *error);

// Reads recovery file text; the reason says what is wrong (without the file's name).
bool Parse_Recovery(const QByteArray &bytes, TRecovered_Work *work, QString *reason);

// Removes work left behind once it has been restored or declined.
void Discard_Recovery(const QString &path);

#endif
