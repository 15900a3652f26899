#ifndef SRC_WINDOW_GRAPHDIALOG_H
#define SRC_WINDOW_GRAPHDIALOG_H

#include "core/graphdata.h"
#include "core/vector2.h"

#include <QDialog>
#include <QSize>
#include <QString>

class QAction;
class QCloseEvent;
class QKeySequence;
class TDocument;
class TEditTable;
class TGraphWidget;
class TGraph_Editing;

// The window that plots the input (dark blue) against the output (dark red), and where
// the user may edit a document's offsets through the editor's points (dark green).
class TInterpolationGraphDialog : public QDialog
{
  Q_OBJECT

public:
  explicit TInterpolationGraphDialog(QWidget *parent = nullptr,
                                     Qt::WindowFlags flags = Qt::WindowFlags());

  // Replaces both curves with copies of these and fits the graph to them, shown or hidden.
  void Set_Graph_Data(const Point_List &input, const Point_List &output);
  // Shows curves held elsewhere, which must outlive the dialog, instead of copies.
  void Show_Curves(const TGraph_Curve *input, const TGraph_Curve *output);
  // The curves changed: the graph fits itself to them again when it is next drawn, unless
  // the change was made in this window, which keeps what it shows.
  void Curves_Changed();
  // Points first to last of the input or the output changed their values.
  void Input_Changed(int first, int last);
  void Output_Changed(int first, int last);
  // The editor's points of the document become handles that change its offsets; the
  // table shows the offsets, and its selection and the handles' follow each other. The
  // document and the table must outlive the editing, or Stop_Editing end it first.
  void Edit_Document(TDocument *document, TEditTable *edit_table);
  void Stop_Editing();
  // Edits in the graph round offsets to, and step them by, this many decimals.
  void Set_Display_Precision(int precision);
  // Ticks at round numbers in the graph, its exports and its copies; the graph's menu
  // switches them as well.
  void Set_Round_Tick_Numbers(bool on);
  bool Round_Tick_Numbers() const;

  // Saves the graph as shown into an image file chosen by its suffix (.png, .svg, .pdf) at
  // `size`; an invalid size stands for the window's size while it is shown and the default
  // size otherwise.
  bool Save_Graph_File(const QString &path, const QSize &size, QString *message);

public slots:
  // Asks for a file name and saves the graph there; a failure is shown in a message box.
  void Export_Graph_As();
  // Puts the graph on the clipboard as an image.
  void Copy_Graph();

signals:
  void Dialog_Close();

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  QAction *Add_Command(const QString &text, const QKeySequence &keys, const char *name,
                       void (TInterpolationGraphDialog::*slot)());
  QSize Export_Size() const;
  void Refresh();

  TGraphWidget *d_graph_widget = nullptr;
  TGraph_Editing *d_editing = nullptr;
  QString d_export_folder;
};

#endif
