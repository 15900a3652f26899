#ifndef CORE_CLIPBOARDBLOCK_H
#define CORE_CLIPBOARDBLOCK_H

#include <QLocale>
#include <QString>

#include <memory>
#include <string>

class QMimeData;

// A block of numbers on its way to the clipboard, in the two forms spreadsheets read:
// plain text (cells separated by tabs, every row ending in a line feed) and an HTML
// table. Numbers are fixed-point at the given precision with the locale's decimal
// separator and never a group separator, so that a spreadsheet of that locale reads
// them as numbers. The text is written as the cells come, into one growing text; the
// HTML table is made from it only when someone asks for it.
class TClipboard_Block
{
public:
  TClipboard_Block(int precision, const QLocale &locale);

  // Reserves room for a block of about this many cells.
  void Reserve(qsizetype cells);
  // The next cell of the current row.
  void Add(const double &value);
  void End_Row();

  QString Text() const;
  QString Html() const;
  // Both forms; the HTML is made when a receiver first asks for it.
  std::unique_ptr<QMimeData> Mime_Data() const;

private:
  int d_precision = 1;
  QString d_decimal_point;
  bool d_point_kept = true;
  // The text in ASCII with points, which become the locale's separator when it is read:
  // a million numbers cost no text object and no search each.
  std::string d_text;
  bool d_row_open = false;
};

// The HTML table of tab-separated text, one row per line.
QString Html_Table(const QString &text);

// The number as the clipboard carries it: fixed-point with the locale's decimal
// separator.
QString Clipboard_Number(const double &value, int precision, const QString &decimal_point);

// Tab-separated text of the clipboard's content: its plain text where it has any,
// otherwise the cells of the first table in its HTML, one line per row.
QString Clipboard_Table_Text(const QMimeData &data);

#endif
