#ifndef SRC_FILES_DOCUMENTFILE_H
#define SRC_FILES_DOCUMENTFILE_H

#include "src/model/model.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The newest document format version; files of a higher version are refused. A document
// whose offsets are joined in straight lines is written as version 1, which every Vandrel
// reads alike; any other way is written as version 2, which older ones refuse rather than
// compute another curve.
constexpr int DOCUMENT_VERSION = 2;
constexpr int LINEAR_DOCUMENT_VERSION = 1;

// The document as a JSON object, for files that carry a document among other keys.
QJsonObject Document_Object(const TContent &content);

// Reads a document from its JSON object; see Parse_Document.
bool Read_Document_Object(const QJsonObject &root, TContent *content, QString *reason);

// The document's JSON text: ranges, values and offsets with every double exact, non-finite
// values as the strings "nan", "inf" and "-inf".
QByteArray Document_Bytes(const TContent &content);

// Reads document text. On refusal returns false, leaves the content as it was and says
// what is wrong in the reason (without the file's name). Text beyond what a document
// holds (see documentscan.h) is refused before it is parsed, in time and memory linear in
// the document's size.
bool Parse_Document(const QByteArray &bytes, TContent *content, QString *reason);

// The top-level JSON object of document text, parsed once the text is within the bounds
// of a document; `extra_key`, when not null, names one more top-level key whose value the
// caller reads. On refusal returns false with the reason.
bool Parse_Document_Root(const QByteArray &bytes, const char *extra_key, QJsonObject *root,
                         QString *reason);

// The whole of a document file: a regular file of at most the document size cap, read
// without blocking on FIFOs or devices. On refusal returns false with the reason.
bool Read_Document_Bytes(const QString &path, QByteArray *bytes, QString *reason);

// Reads a document file; the error names the file and what is wrong with it.
bool Read_Document(const QString &path, TContent *content, QString *error);

// The message for a file that cannot be opened: "Cannot open “path”: reason."
QString Open_Error(const QString &path, const QString &reason);

// Writes atomically: a failed write leaves any previous file as it was.
bool Write_Document(const QString &path, const TContent &content, QString *error);

// Writes bytes atomically; the error names the file.
bool Write_File(const QString &path, const QByteArray &bytes, QString *error);

// The path as messages show it, in quotes.
QString Quoted_Path(const QString &path);

#endif
