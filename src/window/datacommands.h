#ifndef SRC_WINDOW_DATACOMMANDS_H
#define SRC_WINDOW_DATACOMMANDS_H

#include <QObject>
#include <QString>

class TFile_Commands;
class TInterpolationGraphDialog;
struct TImport_Report;

// The File menu's data file commands: Import Data, Export Output and Export Graph.
class TData_Commands : public QObject
{
  Q_OBJECT

public:
  TData_Commands(TFile_Commands *files, TInterpolationGraphDialog *graph);

  // A new unnamed document whose input comes from a data file (.csv, .tsv, .txt) the user
  // picks; the editor range stays, with every offset 0.0.
  void Import_Data();
  // Write the output table (.csv or .tsv) or the graph as the graph window shows it (.png,
  // .svg, .pdf) to a file the user picks; a failure is reported.
  bool Export_Output();
  bool Export_Graph();

private:
  bool Load_Data_File(const QString &path);

  TFile_Commands *d_files;
  TInterpolationGraphDialog *d_graph;
};

#endif
