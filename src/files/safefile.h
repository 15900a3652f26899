#ifndef SRC_FILES_SAFEFILE_H
#define SRC_FILES_SAFEFILE_H

#include <QByteArray>
#include <QString>

// A kind of file the program reads: what messages call it and the most bytes it may have.
struct TFile_Kind
{
  const char *name;  // e.g. "a Vandrel document", translated in the context "Safe_File"
  qint64 maximum_size;
};

// Reads a whole regular file of at most the kind's size into memory. Anything else (a
// folder, a FIFO, a device, a socket, a link to one of those, a larger file) is refused
// at once, so that no reader blocks or fills the memory. On refusal returns false, leaves
// the bytes as they were and says what is wrong in the reason (without the file's name).
bool Read_Regular_File(const QString &path, const TFile_Kind &kind, QByteArray *bytes,
                       QString *reason);

// A size as messages give it: "128 MiB", "64 KiB" or "1000 bytes" (the last in the
// user's language).
QString Size_Text(qint64 bytes);

#endif
