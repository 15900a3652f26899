#ifndef SRC_FILES_DOCUMENTSCAN_H
#define SRC_FILES_DOCUMENTSCAN_H

#include <QByteArray>
#include <QList>
#include <QString>

// A section of a document: an object under a top-level key, holding the range keys and
// one list of numbers.
struct TDocument_Section
{
  QByteArray key;
  QByteArray list_key;
};

// Where a document's reader looks: values under `root_keys` of the top-level object, the
// sections, and in each section values under `range_keys` and its list.
struct TDocument_Layout
{
  QList<QByteArray> root_keys;
  QList<TDocument_Section> sections;
  QList<QByteArray> range_keys;
};

// How deep lists and objects may nest: a document needs three levels, the rest is room for
// what a newer version may add under keys this one ignores.
constexpr int MAXIMUM_DOCUMENT_DEPTH = 32;

// How many bytes may lie where the reader does not look (under unknown keys, and lists or
// objects where it expects a number): far more than any notes a newer version may add,
// and few enough to build in an instant, whatever they hold.
constexpr int MAXIMUM_UNREAD_BYTES = 1024 * 1024;

// The longest key, text or number where the reader looks; a file path is the longest
// text a document holds.
constexpr int MAXIMUM_TOKEN_LENGTH = 64 * 1024;

// Checks JSON text in one pass, before it is parsed, against what a document may hold:
// the nesting depth, at most MAXIMUM_ROW_COUNT entries in each list, the bytes where the
// reader does not look, the length of keys, texts and numbers, and no key of the layout
// twice in one object. Text that is not valid JSON passes where no bound is broken,
// for the parser to say what is wrong. On refusal returns false with the reason.
bool Scan_Document(const QByteArray &bytes, const TDocument_Layout &layout, QString *reason);

#endif
