#include "src/window/datacommands.h"

#include "src/document/document.h"
#include "src/files/fileformats.h"
#include "src/window/filecommands.h"
#include "src/window/graphdialog.h"
#include "src/window/userdialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

namespace {

QString Native(const QString &path)
{
  return QDir::toNativeSeparators(path);
}

}  // namespace

TData_Commands::TData_Commands(TFile_Commands *files, TInterpolationGraphDialog *graph)
  : QObject(files), d_files(files), d_graph(graph)
{
  auto *import = new QAction(tr("&Import Data\u2026"), this);
  import->setObjectName("import_action");
  import->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")));
  connect(import, &QAction::triggered, this, &TData_Commands::Import_Data);
  files->Add_Data_Entry(import, true);
  auto *output = new QAction(tr("&Export Output\u2026"), this);
  output->setObjectName("export_output_action");
  output->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+E")));
  connect(output, &QAction::triggered, this, &TData_Commands::Export_Output);
  files->Add_Data_Entry(output, false);
  auto *graph_entry = new QAction(tr("Export &Graph\u2026"), this);
  graph_entry->setObjectName("export_graph_file_action");
  connect(graph_entry, &QAction::triggered, this, &TData_Commands::Export_Graph);
  files->Add_Data_Entry(graph_entry, false);
}

void TData_Commands::Import_Data()
{
  if (!d_files->Maybe_Save()) {
    return;
  }
  const QString path = d_files->Dialogs().Import_File_Name(d_files->Window(),
                                                           d_files->Start_Folder());
  if (!path.isEmpty()) {
    Load_Data_File(path);
  }
}

bool TData_Commands::Load_Data_File(const QString &path)
{
  TImport_Report report;
  QString error;
  if (!d_files->Document()->Import(path, &report, &error)) {
    d_files->Dialogs().Show_Error(d_files->Window(), error);
    return false;
  }
  d_files->Show_Import_Message(path, report);
  return true;
}

bool TData_Commands::Export_Output()
{
  const QString path = d_files->Dialogs().Export_File_Name(
    d_files->Window(), tr("Export Output"),
    d_files->Suggested_Path(Format_Suffix(FORMAT_CSV)), Table_Filters());
  if (path.isEmpty()) {
    return false;
  }
  if (!Is_Table_Format(File_Format(path))) {
    d_files->Dialogs().Show_Error(d_files->Window(),
                                  tr("Cannot export the output as \"%1\": the name must end in "
                                     ".csv or .tsv.")
                                    .arg(Native(path)));
    return false;
  }
  QString error;
  if (!d_files->Document()->Export(path, TExport_Options(), &error)) {
    d_files->Dialogs().Show_Error(d_files->Window(), error);
    return false;
  }
  d_files->Show_Message(tr("Exported the output to %1.").arg(Native(path)));
  return true;
}

// The graph window draws the graph, shown or not, so the file shows what it shows.
bool TData_Commands::Export_Graph()
{
  const QString path = d_files->Dialogs().Export_File_Name(
    d_files->Window(), tr("Export Graph"),
    d_files->Suggested_Path(Format_Suffix(FORMAT_PNG)), Graph_Filters());
  if (path.isEmpty()) {
    return false;
  }
  QString error;
  if (!d_graph->Save_Graph_File(path, QSize(), &error)) {
    d_files->Dialogs().Show_Error(d_files->Window(), error);
    return false;
  }
  d_files->Show_Message(tr("Exported the graph to %1.").arg(Native(path)));
  return true;
}
