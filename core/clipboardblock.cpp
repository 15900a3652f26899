#include "core/clipboardblock.h"

#include "core/numberformat.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

const char HTML_START[] =
  "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
  "</head><body><table>";
const char HTML_END[] = "</table></body></html>";

QTextTable *First_Table(const QTextDocument &document)
{
  for (QTextFrame *frame : document.rootFrame()->childFrames()) {
    if (auto *const table = qobject_cast<QTextTable *>(frame)) {
      return table;
    }
  }
  return nullptr;
}

QString Cell_Text(const QTextTable &table, const int row, const int column)
{
  const QTextTableCell cell = table.cellAt(row, column);
  QTextCursor cursor = cell.firstCursorPosition();
  cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
  return cursor.selectedText().trimmed();
}

QString Table_Text(const QTextTable &table)
{
  QString text;
  for (int row = 0; row < table.rows(); ++row) {
    for (int column = 0; column < table.columns(); ++column) {
      if (column > 0) {
        text += QLatin1Char('\t');
      }
      text += Cell_Text(table, row, column);
    }
    text += QLatin1Char('\n');
  }
  return text;
}

// Clipboard data whose HTML form is made from its text only when asked for: a receiver
// that takes the text, as most do, never pays for the HTML of a million rows.
class TClipboard_Mime : public QMimeData
{
public:
  explicit TClipboard_Mime(const QString &text) : d_text(text) {}

  QStringList formats() const override
  {
    return {QStringLiteral("text/plain"), QStringLiteral("text/html")};
  }

  bool hasFormat(const QString &type) const override { return formats().contains(type); }

protected:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  QVariant retrieveData(const QString &type, QMetaType) const override
#else
  QVariant retrieveData(const QString &type, QVariant::Type) const override
#endif
  {
    if (type == QLatin1String("text/plain")) {
      return d_text;
    }
    if (type != QLatin1String("text/html")) {
      return QVariant();
    }
    if (d_html.isNull()) {
      d_html = Html_Table(d_text);
    }
    return d_html;
  }

private:
  QString d_text;
  mutable QString d_html;
};

}  // namespace

TClipboard_Block::TClipboard_Block(const int precision, const QLocale &locale)
  : d_precision(precision),
    d_decimal_point(Decimal_Point(locale)),
    d_point_kept(d_decimal_point == QLatin1String("."))
{
}

void TClipboard_Block::Reserve(const qsizetype cells)
{
  // A cell of a few digits takes about ten characters.
  d_text.reserve(static_cast<std::size_t>(cells) * 10);
}

void TClipboard_Block::Add(const double &value)
{
  if (d_row_open) {
    d_text += '\t';
  }
  d_row_open = true;
  Append_Number(value, d_precision, &d_text);
}

void TClipboard_Block::End_Row()
{
  d_text += '\n';
  d_row_open = false;
}

// Every point in the text is a number's, as the block holds numbers alone.
QString TClipboard_Block::Text() const
{
  QString text = QString::fromLatin1(d_text.data(), static_cast<qsizetype>(d_text.size()));
  if (!d_point_kept) {
    text.replace(QLatin1Char('.'), d_decimal_point);
  }
  return text;
}

QString TClipboard_Block::Html() const
{
  return Html_Table(Text());
}

std::unique_ptr<QMimeData> TClipboard_Block::Mime_Data() const
{
  return std::make_unique<TClipboard_Mime>(Text());
}

QString Html_Table(const QString &text)
{
  QString html;
  html.reserve(text.size() * 2 + 128);
  html += QLatin1String(HTML_START);
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    if (end < 0) {
      end = text.size();
    }
    html += QLatin1String("<tr>");
    if (end > start) {
      html += QLatin1String("<td>");
      html += QStringView(text).mid(start, end - start);
      html += QLatin1String("</td>");
    }
    html += QLatin1String("</tr>");
    start = end + 1;
  }
  html += QLatin1String(HTML_END);
  html.replace(QLatin1String("\t"), QLatin1String("</td><td>"));
  return html;
}

QString Clipboard_Number(const double &value, const int precision, const QString &decimal_point)
{
  return Format_Number(value, precision, decimal_point);
}

QString Clipboard_Table_Text(const QMimeData &data)
{
  const QString text = data.text();
  if (!text.isEmpty() || !data.hasHtml()) {
    return text;
  }
  QTextDocument document;
  document.setHtml(data.html());
  if (const QTextTable *const table = First_Table(document)) {
    return Table_Text(*table);
  }
  return document.toPlainText();
}
