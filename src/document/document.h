#ifndef SRC_DOCUMENT_DOCUMENT_H
#define SRC_DOCUMENT_DOCUMENT_H

#include "core/graphpainter.h"
#include "core/tablevalues.h"
#include "src/document/undocommands.h"
#include "src/model/model.h"
#include "src/model/modelviews.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

class QTimer;
class QUndoStack;
class TRecovery_File;
class TUndo_History;
struct TRecovered_Work;

// What an import made of a data file, for the user to be told.
struct TImport_Report
{
  TSeries input;
  // True when the file's values were interpolated onto other positions than its own.
  bool resampled = false;
};

// What the user is told after a data file was imported: how many rows, and whether and
// where its values were resampled, the positions with the given decimal separator.
QString Import_Message(const QString &path, const TImport_Report &report,
                       const QString &decimal_point = QStringLiteral("."));

// How an export draws the graph: its size, its pixel density and the data range it shows
// (fitted to the data unless a graph window's view is given).
struct TExport_Options
{
  QSize size;
  double pixel_ratio = 1.0;
  TGraph_View view;
};

// A piece of work and everything that happens to it, free of widgets: the model, its undo
// history, its file and its recovery file. Every change is an undo step whose first redo
// makes it; views follow the signals, whoever made the change. The window, the command
// line and the tests all drive it the same way.
class TDocument : public QObject, private TChange_Target
{
  Q_OBJECT

public:
  explicit TDocument(QObject *parent = nullptr);
  ~TDocument() override;

  const TResampling_Model &Model() const override { return d_model; }
  QUndoStack *Undo_Stack() const;
  // The document's file, empty for one never saved.
  const QString &Path() const { return d_path; }
  // The file's name as a title shows it, "Untitled" for a document never saved.
  QString Name() const;
  bool Is_Modified() const;

  // The input, the editor's offsets and the output as tables and graphs show them.
  const TTable_Values *Table_Values(TModel_Column column) const;
  const TGraph_Curve *Curve(TModel_Column column) const;

  // A fresh start over the ranges given (corrected), without an undo step, clean.
  void Start(const TRange &input, const TRange &edit, bool zero_offset);

  // The edits. Each that changes something is one undo step; a range as typed is
  // corrected first, and a change that leaves everything as it was makes no step.
  void Set_Input_Range(const TRange &typed);
  // A new editor range clears every offset, even the same range does.
  void Set_Edit_Range(const TRange &typed);
  void Set_Zero_Offset(bool zero_offset);
  // How the editor's points are joined, which changes the output everywhere they reach.
  void Set_Interpolation(TInterpolation way);
  // Cells of one column of a table; `name` is the step's name in the Edit menu.
  void Edit_Cells(TData_Table table, const QString &name, const TCell_Edits &edits);
  // A drag of editor offsets, as the graph makes it: Start_Drag names a new drag, each
  // Drag_Offsets step gives the offsets their values so far, and all the steps of one
  // drag are one undo step that brings back the offsets from before the drag. Steps that
  // bring every offset back to where it started leave no step; so does Cancel_Drag,
  // which takes the drag back.
  int Start_Drag();
  void Drag_Offsets(int drag, const TCell_Edits &edits);
  void Cancel_Drag(int drag);

  // The file sequences. Each that fails leaves the document as it was and says why in a
  // message that names the file.
  // All values and offsets 0.0 over the same ranges, joined the same way, no file, clean,
  // no history.
  void New();
  bool Open(const QString &path, QString *error);
  // A document opens; a data file (by its suffix) is imported.
  bool Open_Any(const QString &path, TImport_Report *report, QString *error);
  bool Save(QString *error);
  bool Save_As(const QString &path, QString *error);
  // A new unnamed and unsaved document whose input comes from a data file over the
  // current ranges; the editor keeps its range and its way of joining with every offset
  // 0.0.
  bool Import(const QString &path, TImport_Report *report, QString *error);
  // Writes what the file's suffix names: a copy of the document, the output table or the
  // graph. The document's own file and state stay as they are.
  bool Export(const QString &path, const TExport_Options &options, QString *error) const;
  // The output table as the export writes it.
  QByteArray Output_Table(bool tab_separated) const;
  // Takes over work a crashed window left behind: its content and file, unsaved.
  void Restore(const TRecovered_Work &work);

  // While recovery is on, unsaved work reaches this document's recovery file once changes
  // have rested for the delay. The command line leaves it off.
  void Enable_Recovery(int delay_ms);
  void Set_Recovery_Delay(int delay_ms);
  // Writes the recovery file now if there is unsaved work.
  void Save_Recovery();
  // The window closes normally: nothing is left to recover.
  void Discard_Recovery();
  QString Recovery_Path() const;

signals:
  // Values of rows first to last of a table changed.
  void Cells_Changed(TData_Table table, int first_row, int last_row);
  // An undo or redo changed these rows, which a view shows the user.
  void Cells_Revisited(TData_Table table, int first_row, int last_row);
  void Output_Changed(int first_row, int last_row);
  // A new range, with new rows; values and output changed with it.
  void Input_Range_Changed();
  void Edit_Range_Changed();
  void Zero_Offset_Changed(bool zero_offset);
  // Once for every change applied, done, undone or redone, after the signals above that
  // say what it changed: for a view that follows all of them alike.
  void Change_Applied();
  void Modified_Changed(bool modified);
  void Path_Changed(const QString &path);
  void Recovery_Failed(const QString &message);
  // How the editor's points are joined, when a change or a new content sets it.
  void Interpolation_Changed(TInterpolation way);

private:
  void Write_Cells(TData_Table table, const std::vector<TCell_Change> &changes, bool forward,
                   bool again) override;
  void Write_Input_Series(const TSeries &series, int first_restored,
                          const std::vector<double> &restored) override;
  void Write_Edit_Series(const TSeries &series, const std::vector<double> *offsets) override;
  void Write_Zero_Offset(bool zero_offset) override;
  void Write_Interpolation(TInterpolation way) override;

  std::vector<TCell_Change> Cell_Changes(TData_Table table, const TCell_Edits &edits) const;
  TRow_Span All_Rows() const;
  void Report_Output(const TRow_Span &rows);
  void Replace_Content(const TContent &content);
  void Set_Path(const QString &path);
  void Mark_Saved();
  void Index_Changed();
  void Clean_Changed(bool clean);

  TResampling_Model d_model;
  TModel_Table_Values d_input_values{&d_model, INPUT_COLUMN};
  TModel_Table_Values d_edit_values{&d_model, EDIT_COLUMN};
  TModel_Table_Values d_output_values{&d_model, OUTPUT_COLUMN};
  TModel_Curve d_input_curve{&d_model, INPUT_COLUMN};
  TModel_Curve d_output_curve{&d_model, OUTPUT_COLUMN};
  std::unique_ptr<TUndo_History> d_history;
  QString d_path;
  std::unique_ptr<TRecovery_File> d_recovery;
  QTimer *d_recovery_timer = nullptr;
  int d_last_drag = 0;
};

#endif
