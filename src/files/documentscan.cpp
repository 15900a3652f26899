#include "src/files/documentscan.h"

#include "core/assertion.h"
#include "src/files/safefile.h"
#include "src/model/resampling.h"

#include <QCoreApplication>

#include <cstring>
#include <vector>

namespace {

// The objects and lists the reader looks into, each one level of the scan's stack.
enum class TPlace
{
  ROOT,
  SECTION,
  LIST
};

struct TFrame
{
  TPlace place = TPlace::ROOT;
  // In a section or its list: the section's index in the layout; in the top-level
  // object: that of the section being opened.
  int section = -1;
  // In an object: whether a key comes next, the key of the entry being read (its bytes
  // between the quotes), and one bit for each key of the layout read so far.
  bool expect_key = true;
  QByteArray key;
  quint64 seen = 0;
  // In a list: its entries so far.
  int count = 0;
};

// What a value is to the reader, decided where it starts.
enum class TValue
{
  READ,
  UNREAD,
  OPENS_FRAME
};

bool Is_Delimiter(const char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '{' || c == '}' || c == '['
         || c == ']' || c == ',' || c == ':' || c == '"';
}

// A tokenizer that keeps only what the bounds need: a stack as deep as the nesting
// allowed, the current keys, counts and the bytes seen where the reader does not look.
// Every byte is visited once. Text that is not JSON is followed as far as it goes: the
// parser stops at its first error, so nothing past it is ever built.
class TDocument_Scan
{
public:
  TDocument_Scan(const QByteArray &bytes, const TDocument_Layout &layout)
    : d_bytes(bytes), d_layout(layout)
  {
    d_frames.reserve(MAXIMUM_DOCUMENT_DEPTH + 1);
  }

  bool Run(QString *reason);

private:
  void Step();
  void Skip_Blanks();
  void Open(char bracket);
  void Close();
  void Comma();
  void String();
  void Scalar();
  void Scalar_Value(qint64 length);
  void Key(qint64 start, qint64 length);
  TValue Classify(char bracket);
  TValue Classify_Root(TFrame *frame, char bracket);
  TValue Classify_Section(TFrame *frame, char bracket);
  TValue Classify_List(TFrame *frame, char bracket);
  bool First_Time(TFrame *frame, int bit);
  void Count_Unread(qint64 length);
  void Check_Unread();
  bool Check_Token(qint64 length);
  void Refuse(const QString &reason);

  const QByteArray &d_bytes;
  const TDocument_Layout &d_layout;
  std::vector<TFrame> d_frames;
  qint64 d_at = 0;
  // Nesting below a value the reader does not look into, where it began, and the unread
  // bytes of values already passed.
  int d_unread_depth = 0;
  qint64 d_unread_start = 0;
  qint64 d_unread_bytes = 0;
  QString d_reason;
};

bool TDocument_Scan::Run(QString *reason)
{
  const qint64 size = d_bytes.size();
  while (d_at < size && d_reason.isEmpty()) {
    Step();
    if (d_unread_depth > 0) {
      Check_Unread();
    }
  }
  if (!d_reason.isEmpty()) {
    *reason = d_reason;
    return false;
  }
  return true;
}

void TDocument_Scan::Step()
{
  const char c = d_bytes.constData()[d_at];
  switch (c) {
  case ' ':
  case '\t':
  case '\n':
  case '\r':
  case ':':
    Skip_Blanks();
    break;
  case '{':
  case '[':
    Open(c);
    ++d_at;
    break;
  case '}':
  case ']':
    Close();
    ++d_at;
    break;
  case ',':
    Comma();
    ++d_at;
    break;
  case '"':
    String();
    break;
  default:
    Scalar();
  }
}

// Blank runs are the bulk of an indented document: passed in one tight loop.
void TDocument_Scan::Skip_Blanks()
{
  const char *const bytes = d_bytes.constData();
  const qint64 size = d_bytes.size();
  ++d_at;
  while (d_at < size && (bytes[d_at] == ' ' || bytes[d_at] == '\n' || bytes[d_at] == '\r'
                         || bytes[d_at] == '\t')) {
    ++d_at;
  }
}

void TDocument_Scan::Open(const char bracket)
{
  if (static_cast<int>(d_frames.size()) + d_unread_depth >= MAXIMUM_DOCUMENT_DEPTH) {
    Refuse(QCoreApplication::translate("Document_Scan",
                                       "it nests lists and objects more than %1 deep (at byte %2)")
             .arg(MAXIMUM_DOCUMENT_DEPTH)
             .arg(d_at));
    return;
  }
  if (d_unread_depth > 0) {
    ++d_unread_depth;
    return;
  }
  const TValue value = Classify(bracket);
  if (value == TValue::UNREAD) {
    d_unread_depth = 1;
    d_unread_start = d_at;
    return;
  }
  TFrame frame;
  if (d_frames.empty()) {
    frame.place = TPlace::ROOT;
  } else if (d_frames.back().place == TPlace::ROOT) {
    frame.place = TPlace::SECTION;
    frame.section = d_frames.back().section;
  } else {
    frame.place = TPlace::LIST;
    frame.section = d_frames.back().section;
  }
  d_frames.push_back(frame);
}

// Brackets that do not match are the parser's to report.
void TDocument_Scan::Close()
{
  if (d_unread_depth > 0) {
    --d_unread_depth;
    if (d_unread_depth == 0) {
      d_unread_bytes += d_at + 1 - d_unread_start;
    }
  } else if (!d_frames.empty()) {
    d_frames.pop_back();
  }
}

void TDocument_Scan::Comma()
{
  if (d_unread_depth == 0 && !d_frames.empty() && d_frames.back().place != TPlace::LIST) {
    d_frames.back().expect_key = true;
  }
}

// A quote is escaped by an odd number of backslashes before it; each run of backslashes
// is counted once, so that the search stays linear.
void TDocument_Scan::String()
{
  const qint64 start = d_at;
  const char *const begin = d_bytes.constData();
  const char *const end = begin + d_bytes.size();
  const char *search = begin + start + 1;
  const char *quote = nullptr;
  while (search < end) {
    quote = static_cast<const char *>(std::memchr(search, '"', static_cast<std::size_t>(end - search)));
    if (!quote) {
      break;
    }
    const char *backslash = quote;
    while (backslash > search && backslash[-1] == '\\') {
      --backslash;
    }
    if ((quote - backslash) % 2 == 0) {
      break;
    }
    search = quote + 1;
    quote = nullptr;
  }
  d_at = quote ? (quote - begin) + 1 : d_bytes.size();
  if (d_unread_depth > 0) {
    return;
  }
  const qint64 length = d_at - start;
  if (!d_frames.empty() && d_frames.back().place != TPlace::LIST && d_frames.back().expect_key) {
    Key(start, length);
  } else {
    Scalar_Value(length);
  }
}

// Numbers, true, false and null, or any other run of bytes, which the parser refuses.
void TDocument_Scan::Scalar()
{
  const qint64 start = d_at;
  const qint64 size = d_bytes.size();
  const char *const bytes = d_bytes.constData();
  ++d_at;
  while (d_at < size && !Is_Delimiter(bytes[d_at])) {
    ++d_at;
  }
  if (d_unread_depth == 0) {
    Scalar_Value(d_at - start);
  }
}

void TDocument_Scan::Scalar_Value(const qint64 length)
{
  const TValue value = Classify(0);
  if (value == TValue::UNREAD) {
    Count_Unread(length);
  } else if (Check_Token(length) && !d_frames.empty() && d_frames.back().place == TPlace::LIST) {
    ++d_frames.back().count;
  }
}

void TDocument_Scan::Key(const qint64 start, const qint64 length)
{
  if (!Check_Token(length)) {
    return;
  }
  TFrame &frame = d_frames.back();
  // The bytes between the quotes; a key written with escapes is none of the layout's.
  const int inner = static_cast<int>(length >= 2 ? length - 2 : 0);
  frame.key = QByteArray::fromRawData(d_bytes.constData() + start + 1, inner);
  frame.expect_key = false;
}

// A value outside any object or list is the top-level value: a document is an object.
TValue TDocument_Scan::Classify(const char bracket)
{
  if (d_frames.empty()) {
    return bracket == '{' ? TValue::OPENS_FRAME : TValue::UNREAD;
  }
  TFrame *frame = &d_frames.back();
  switch (frame->place) {
  case TPlace::ROOT:
    return Classify_Root(frame, bracket);
  case TPlace::SECTION:
    return Classify_Section(frame, bracket);
  case TPlace::LIST:
    return Classify_List(frame, bracket);
  }
  return TValue::UNREAD;
}

// The bits of the top-level keys come first, then one for each section.
TValue TDocument_Scan::Classify_Root(TFrame *frame, const char bracket)
{
  for (int i = 0; i < static_cast<int>(d_layout.sections.size()); ++i) {
    if (frame->key == d_layout.sections.at(i).key) {
      if (bracket != '{' || !First_Time(frame, static_cast<int>(d_layout.root_keys.size()) + i)) {
        return TValue::UNREAD;
      }
      frame->section = i;
      return TValue::OPENS_FRAME;
    }
  }
  const int root_key = static_cast<int>(d_layout.root_keys.indexOf(frame->key));
  if (root_key < 0 || bracket != 0 || !First_Time(frame, root_key)) {
    Count_Unread(frame->key.size());
    return TValue::UNREAD;
  }
  return TValue::READ;
}

// The bits of the range keys come first, then the list's.
TValue TDocument_Scan::Classify_Section(TFrame *frame, const char bracket)
{
  if (frame->key == d_layout.sections.at(frame->section).list_key) {
    const int list_bit = static_cast<int>(d_layout.range_keys.size());
    return bracket == '[' && First_Time(frame, list_bit) ? TValue::OPENS_FRAME : TValue::UNREAD;
  }
  const int range_key = static_cast<int>(d_layout.range_keys.indexOf(frame->key));
  if (range_key < 0 || bracket != 0 || !First_Time(frame, range_key)) {
    Count_Unread(frame->key.size());
    return TValue::UNREAD;
  }
  return TValue::READ;
}

TValue TDocument_Scan::Classify_List(TFrame *frame, const char bracket)
{
  if (bracket != 0) {
    return TValue::UNREAD;
  }
  if (frame->count >= MAXIMUM_ROW_COUNT) {
    Refuse(QCoreApplication::translate("Document_Scan",
                                       "its \"%1\" list holds more than %2 entries, the most a "
                                       "table has (at byte %3)")
             .arg(QString::fromUtf8(d_layout.sections.at(frame->section).list_key))
             .arg(MAXIMUM_ROW_COUNT)
             .arg(d_at));
  }
  return TValue::READ;
}

// The parser keeps one of two equal keys; which one the reader sees must not matter, and
// each could hold a full list.
bool TDocument_Scan::First_Time(TFrame *frame, const int bit)
{
  if (!ASSERT(bit >= 0 && bit < 64)) {
    return false;
  }
  const quint64 mask = quint64(1) << bit;
  if (frame->seen & mask) {
    Refuse(QCoreApplication::translate("Document_Scan",
                                       "the key \"%1\" appears twice in one object (at byte %2)")
             .arg(QString::fromUtf8(frame->key))
             .arg(d_at));
    return false;
  }
  frame->seen |= mask;
  return true;
}

void TDocument_Scan::Count_Unread(const qint64 length)
{
  d_unread_bytes += length;
  Check_Unread();
}

void TDocument_Scan::Check_Unread()
{
  const qint64 open = d_unread_depth > 0 ? d_at - d_unread_start : 0;
  if (d_reason.isEmpty() && d_unread_bytes + open > MAXIMUM_UNREAD_BYTES) {
    Refuse(QCoreApplication::translate("Document_Scan",
                                       "more than %1 of it is data that Vandrel does not read "
                                       "(under keys it does not know, or lists and objects where "
                                       "numbers belong; at byte %2)")
             .arg(Size_Text(MAXIMUM_UNREAD_BYTES))
             .arg(d_at));
  }
}

bool TDocument_Scan::Check_Token(const qint64 length)
{
  if (length <= MAXIMUM_TOKEN_LENGTH) {
    return true;
  }
  Refuse(QCoreApplication::translate("Document_Scan",
                                     "a key, text or number in it is longer than %1 bytes "
                                     "(at byte %2)")
           .arg(MAXIMUM_TOKEN_LENGTH)
           .arg(d_at - length));
  return false;
}

void TDocument_Scan::Refuse(const QString &reason)
{
  if (d_reason.isEmpty()) {
    d_reason = reason;
  }
}

}  // namespace

bool Scan_Document(const QByteArray &bytes, const TDocument_Layout &layout, QString *reason)
{
  if (!ASSERT(reason)) {
    return false;
  }
  return TDocument_Scan(bytes, layout).Run(reason);
}
