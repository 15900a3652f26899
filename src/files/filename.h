#ifndef SRC_FILES_FILENAME_H
#define SRC_FILES_FILENAME_H

#include <QByteArray>
#include <QString>

// File names as the file system has them, in bytes, and as the program holds them, in text.
// A name whose bytes are text in the locale's encoding is that text, as Qt decodes it; a
// byte that is no text keeps its value as one of the low surrogates U+DC80 to U+DCFF, so
// that every name the file system accepts goes back to it unchanged.
QString Decode_File_Name(const QByteArray &bytes);
QByteArray Encode_File_Name(const QString &name);

// True when the name holds bytes that are no text.
bool Has_Undecodable_Bytes(const QString &name);

// The name as messages show it: bytes that are no text as the replacement character.
QString Shown_File_Name(const QString &name);

// Writes the file whole or not at all: a new file takes the place of the old one only once
// it is complete. On failure says why, without the file's name.
bool Save_Whole_File(const QString &path, const QByteArray &bytes, QString *reason);

#endif
