#include "src/files/fileformats.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

const char DOCUMENT_SUFFIX[] = "vandrel";

namespace {

struct TFormat_Entry
{
  TFile_Format format;
  const char *suffix;
  const char *description;
};

// Every format once, in the order the dialogs list them.
const TFormat_Entry FORMATS[] = {
  {FORMAT_DOCUMENT, DOCUMENT_SUFFIX, QT_TRANSLATE_NOOP("File_Formats", "Vandrel documents")},
  {FORMAT_CSV, "csv", QT_TRANSLATE_NOOP("File_Formats", "CSV table")},
  {FORMAT_TSV, "tsv", QT_TRANSLATE_NOOP("File_Formats", "Tab-separated table")},
  {FORMAT_TEXT, "txt", QT_TRANSLATE_NOOP("File_Formats", "Text file")},
  {FORMAT_PNG, "png", QT_TRANSLATE_NOOP("File_Formats", "PNG image")},
  {FORMAT_SVG, "svg", QT_TRANSLATE_NOOP("File_Formats", "SVG drawing")},
  {FORMAT_PDF, "pdf", QT_TRANSLATE_NOOP("File_Formats", "PDF document")},
};

const TFormat_Entry *Entry(const TFile_Format format)
{
  for (const TFormat_Entry &entry : FORMATS) {
    if (entry.format == format) {
      return &entry;
    }
  }
  return nullptr;
}

QString Pattern(const TFile_Format format)
{
  return QStringLiteral("*.") + Format_Suffix(format);
}

// One filter per format, "CSV table (*.csv)".
QString Filters(std::initializer_list<TFile_Format> formats)
{
  QStringList filters;
  for (const TFile_Format format : formats) {
    filters << QStringLiteral("%1 (%2)").arg(
      QCoreApplication::translate("File_Formats", Entry(format)->description), Pattern(format));
  }
  return filters.join(QStringLiteral(";;"));
}

QString All_Files()
{
  return QCoreApplication::translate("File_Formats", "All files (*)");
}

// The suffixes a filter such as "CSV table (*.csv)" names, without their dots.
QStringList Filter_Suffixes(const QString &filter)
{
  static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
  QStringList suffixes;
  QRegularExpressionMatchIterator matches = pattern.globalMatch(filter);
  while (matches.hasNext()) {
    suffixes << matches.next().captured(1);
  }
  return suffixes;
}

}  // namespace

TFile_Format File_Format(const QString &path)
{
  const QString suffix = QFileInfo(path).suffix().toLower();
  for (const TFormat_Entry &entry : FORMATS) {
    if (suffix == QLatin1String(entry.suffix)) {
      return entry.format;
    }
  }
  return FORMAT_UNKNOWN;
}

QString Format_Suffix(const TFile_Format format)
{
  const TFormat_Entry *entry = Entry(format);
  return entry ? QString::fromLatin1(entry->suffix) : QString();
}

bool Is_Data_Format(const TFile_Format format)
{
  return format == FORMAT_CSV || format == FORMAT_TSV || format == FORMAT_TEXT;
}

bool Is_Table_Format(const TFile_Format format)
{
  return format == FORMAT_CSV || format == FORMAT_TSV;
}

bool Is_Graph_Format(const TFile_Format format)
{
  return format == FORMAT_PNG || format == FORMAT_SVG || format == FORMAT_PDF;
}

bool Is_Data_File(const QString &path)
{
  return Is_Data_Format(File_Format(path));
}

QString Document_Filters()
{
  return Filters({FORMAT_DOCUMENT}) + QStringLiteral(";;") + All_Files();
}

QString Data_Filters()
{
  return QCoreApplication::translate("File_Formats", "Data files (%1 %2 %3)")
           .arg(Pattern(FORMAT_CSV), Pattern(FORMAT_TSV), Pattern(FORMAT_TEXT))
         + QStringLiteral(";;") + All_Files();
}

QString Table_Filters()
{
  return Filters({FORMAT_CSV, FORMAT_TSV});
}

QString Graph_Filters()
{
  return Filters({FORMAT_PNG, FORMAT_SVG, FORMAT_PDF});
}

QString With_Filter_Suffix(const QString &path, const QString &filters, const QString &chosen)
{
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (path.isEmpty() || Filter_Suffixes(filters).contains(suffix)) {
    return path;
  }
  QStringList chosen_suffixes = Filter_Suffixes(chosen);
  if (chosen_suffixes.isEmpty()) {
    chosen_suffixes = Filter_Suffixes(filters);
  }
  return chosen_suffixes.isEmpty() ? path : path + '.' + chosen_suffixes.first();
}
