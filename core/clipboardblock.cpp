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

}  // namespace

TClipboard_Block::TClipboard_Block(const int precision, const QLocale &locale)
  : d_precision(precision), d_decimal_point(Decimal_Point(locale))
{
}

void TClipboard_Block::Reserve(const qsizetype cells)
{
  // A cell of a few digits takes about ten characters as text, twenty as HTML.
  d_text.reserve(cells * 10);
  d_html_rows.reserve(cells * 20);
}

void TClipboard_Block::Add(const double &value)
{
  const QString number = Clipboard_Number(value, d_precision, d_decimal_point);
  if (d_row_open) {
    d_text += QLatin1Char('\t');
  } else {
    d_html_rows += QLatin1String("<tr>");
    d_row_open = true;
  }
  d_text += number;
  d_html_rows += QLatin1String("<td>");
  d_html_rows += number;
  d_html_rows += QLatin1String("</td>");
}

void TClipboard_Block::End_Row()
{
  if (!d_row_open) {
    d_html_rows += QLatin1String("<tr>");
  }
  d_html_rows += QLatin1String("</tr>");
  d_text += QLatin1Char('\n');
  d_row_open = false;
}

QString TClipboard_Block::Html() const
{
  return QLatin1String(HTML_START) + d_html_rows + QLatin1String(HTML_END);
}

std::unique_ptr<QMimeData> TClipboard_Block::Mime_Data() const
{
  auto data = std::make_unique<QMimeData>();
  data->setText(d_text);
  data->setHtml(Html());
  return data;
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
