// The window's data files: importing into a new document, exporting the output and graph.

#include "src/window/vandrel.h"

#include "core/assertion.h"
#include "src/files/dataexport.h"
#include "src/files/documentfile.h"
#include "src/window/graphdialog.h"
#include "src/files/graphexport.h"
#include "src/files/importeddocument.h"
#include "src/document/undohistory.h"
#include "src/window/userdialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>

namespace {

const int STATUS_MESSAGE_MS = 10000;

QString Output_File_Filters()
{
  return QStringLiteral("CSV table (*.csv);;Tab-separated table (*.tsv)");
}

QString Native(const QString &path)
{
  return QDir::toNativeSeparators(path);
}

QString Import_Report(const QString &path, const TSeries &input, const bool resampled)
{
  const QString name = QFileInfo(path).fileName();
  if (!resampled) {
    return QStringLiteral("Imported %1 rows from %2.").arg(input.count).arg(name);
  }
  return QStringLiteral("Resampled %1 onto %2 evenly spaced rows from %3 to %4 by %5.")
    .arg(name)
    .arg(input.count)
    .arg(input.range.start)
    .arg(input.range.end)
    .arg(input.range.increment);
}

}  // namespace

void TVandrel::Import_Data()
{
  if (!Maybe_Save()) {
    return;
  }
  const QString folder = d_document_path.isEmpty() ? QDir::homePath()
                                                   : QFileInfo(d_document_path).absolutePath();
  const QString path = d_dialogs->Import_File_Name(this, folder);
  if (!path.isEmpty()) {
    Load_Data_File(path);
  }
}

bool TVandrel::Import_File(const QString &path)
{
  return Maybe_Save() && Load_Data_File(path);
}

// The new document starts over this window's ranges: a one-column file fills the input
// range, and the editor keeps its range with every offset 0.0, as New gives.
bool TVandrel::Load_Data_File(const QString &path)
{
  TImport_Ranges ranges;
  ranges.input = d_model.Input_Series();
  ranges.edit = d_model.Edit_Series().range;
  ranges.zero_offset = d_model.Zero_Offset();
  TContent content;
  bool resampled = false;
  QString error;
  if (!Import_Document(path, QLocale::system(), ranges, &content, &resampled, &error)) {
    d_dialogs->Show_Error(this, error);
    return false;
  }
  ASSERT(d_model.Set_Content(content));
  Show_Content();
  Set_Document_Path(QString());
  // The imported work is in no document yet: closing asks, and recovery keeps it. Its
  // history starts empty, with no saved state to go back to.
  d_history->Clear_Unsaved();
  Document_Changed();
  statusBar()->showMessage(Import_Report(path, content.input, resampled), STATUS_MESSAGE_MS);
  return true;
}

bool TVandrel::Export_Output()
{
  const QString path = d_dialogs->Export_File_Name(this, QStringLiteral("Export Output"),
                                                   Export_Suggestion("csv"),
                                                   Output_File_Filters());
  if (path.isEmpty()) {
    return false;
  }
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("csv") && suffix != QLatin1String("tsv")) {
    d_dialogs->Show_Error(this, QStringLiteral("Cannot export the output as \"%1\": the name "
                                               "must end in .csv or .tsv.")
                                  .arg(Native(path)));
    return false;
  }
  const TTable_Format format = suffix == QLatin1String("tsv") ? TABLE_TSV : TABLE_CSV;
  QString error;
  if (!Write_File(path, Table_Text(d_model.Output(), format), &error)) {
    d_dialogs->Show_Error(this, error);
    return false;
  }
  statusBar()->showMessage(QStringLiteral("Exported the output to %1.").arg(Native(path)),
                           STATUS_MESSAGE_MS);
  return true;
}

// The graph window draws the graph, shown or not, so the file shows what it shows.
bool TVandrel::Export_Graph()
{
  const QString path = d_dialogs->Export_File_Name(this, QStringLiteral("Export Graph"),
                                                   Export_Suggestion("png"),
                                                   Graph_File_Filters());
  if (path.isEmpty()) {
    return false;
  }
  QString error;
  if (!d_graph_dialog->Save_Graph_File(path, QSize(), &error)) {
    d_dialogs->Show_Error(this, error);
    return false;
  }
  statusBar()->showMessage(QStringLiteral("Exported the graph to %1.").arg(Native(path)),
                           STATUS_MESSAGE_MS);
  return true;
}

QString TVandrel::Export_Suggestion(const QString &suffix) const
{
  if (d_document_path.isEmpty()) {
    return QDir::homePath() + "/Untitled." + suffix;
  }
  const QFileInfo document(d_document_path);
  return document.absolutePath() + '/' + document.completeBaseName() + '.' + suffix;
}
