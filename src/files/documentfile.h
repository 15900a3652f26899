#ifndef SRC_FILES_DOCUMENTFILE_H
#define SRC_FILES_DOCUMENTFILE_H

#include "src/model/model.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The document format's version; files of a higher version are refused.
constexpr int DOCUMENT_VERSION = 1;

// The document as a JSON object, for files that carry a document among other keys.
QJsonObject Document_Object(const TContent &content);

// Reads a document from its JSON object; see Parse_Document.
bool Read_Document_Object(const QJsonObject &root, TContent *content, QString *reason);

// The document's JSON text: ranges, values and offsets with every double exact, non-finite
// values as the strings "nan", "inf" and "-inf".
QByteArray Document_Bytes(const TContent &content);

// Reads document text. On refusal returns false, leaves the content as it was and says
// what is wrong in the reason (without the file's name).
bool Parse_Document(const QByteArray &bytes, TContent *content, QString *reason);

// Reads a document file; the error names the file and what is wrong with it.
bool Read_Document(const QString &path, TContent *content, QString *error);

// Writes atomically: a failed write leaves any previous file as it was.
bool Write_Document(const QString &path, const TContent &content, QString *error);

// Writes bytes atomically; the error names the file.
bool Write_File(const QString &path, const QByteArray &bytes, QString *error);

// The path as messages show it, in quotes.
QString Quoted_Path(const QString &path);

#endif
