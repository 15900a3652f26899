#ifndef SRC_WINDOW_VANDREL_H
#define SRC_WINDOW_VANDREL_H

#include "src/model/model.h"
#include "src/document/undocommands.h"

#include <QMainWindow>

#include <memory>

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QAction;
class QMenu;
class QUndoStack;
class TUndo_History;
class QTimer;
class TBusy_Cursor;
class TRecovery_File;
class TUser_Dialogs;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QSettings;
class QSpinBox;
class QToolButton;
class TDoubleEdit;
class TEditTable;
class TIntEdit;
class TInterpolationGraphDialog;

// The main window: input, editor and output tables with their ranges, and the model that
// derives the output from the input and the editor's offsets. Every change a user makes
// is one step in its undo history.
class TVandrel : public QMainWindow, private TUndo_View
{
  Q_OBJECT

public:
  explicit TVandrel(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  ~TVandrel() override;

  // The document's file, empty for one never saved.
  const QString &Document_Path() const { return d_document_path; }
  const TResampling_Model &Model() const { return d_model; }
  void Set_User_Dialogs(std::unique_ptr<TUser_Dialogs> dialogs);
  QUndoStack *Undo_Stack() const;

  // File menu. Each asks about unsaved changes first where they would be lost.
  void New_Document();
  void Open_Document();
  // Opens the file; false, with a message and the work unchanged, when it cannot.
  bool Open_File(const QString &path);
  void Open_Recent(const QString &path);
  bool Save_Document();
  bool Save_Document_As();
  // A new unnamed document whose input comes from a data file (.csv, .tsv, .txt) the user
  // picks; the editor range stays, with every offset 0.0.
  void Import_Data();
  // The same for the named file; false, with a message and the work unchanged, when it
  // cannot be read.
  bool Import_File(const QString &path);
  // Write the output table (.csv or .tsv) or the graph as the graph window shows it (.png,
  // .svg, .pdf) to a file the user picks; a failure is reported.
  bool Export_Output();
  bool Export_Graph();
  // Offers the work that crashed windows left behind, newest first, until one is restored.
  void Offer_Recovery();

protected:
  void closeEvent(QCloseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private slots:
  void Display_Precision_Changed(int precision);
  void Copy_Output();
  void Show_Hide_Graph(bool shown);
  void Graph_Closed();
  void Zero_Offset_Toggled(bool checked);
  void Input_Selection_Mode_Changed();
  void Input_Range_Changed();
  void Input_Increment_Count_Changed();
  void Input_Changed(int row, int column, double value);
  void Edit_Selection_Mode_Changed();
  void Edit_Range_Changed();
  void Edit_Increment_Count_Changed();
  void Edit_Changed(int row, int column, double value);
  void Start_Multiple_Cell_Change(const QString &description);
  void End_Multiple_Cell_Change();

private:
  void Fields_Skipped(int count);
  void Open_Settings();
  void Build_Input_Group(QWidget *central);
  void Build_Edit_Group(QWidget *central);
  void Build_Output_Group(QWidget *central);
  QHBoxLayout *Build_Bottom_Row(QWidget *central);
  void Restore_Settings();
  void Fill_Combo_Boxes();
  void Configure_Tables();
  void Set_Tab_Order();
  void Connect_Signals();
  void Save_Settings();

  void Build_File_Menu();
  void Update_Recent_Menu();
  void Show_Content();
  bool Maybe_Save();
  bool Load(const QString &path);
  bool Load_Data_File(const QString &path);
  QString Export_Suggestion(const QString &suffix) const;
  bool Write_To(const QString &path);
  void Document_Changed();
  void Mark_Saved();
  void Set_Document_Path(const QString &path);
  QString Document_Name() const;
  void Save_Recovery();
  bool Restore_Recovered(const QString &path);

  void Build_Edit_Menu();
  QAction *Add_Command(QMenu *menu, const QString &text, const QString &name);
  void Connect_Edit_Commands();
  void Focus_Changed(QWidget *now);
  TEditTable *Command_Table() const;
  void Update_Edit_Commands();
  void Ask_And_Apply(const QString &title, void (TEditTable::*command)(const double &));
  void Clean_Changed(bool clean);
  void Record_Cell(TData_Table table, int row, const double &old_value, const double &new_value);
  void Push_Cell_Step();
  void Change_Input_Range();
  void Change_Edit_Range();
  TUndo_View *Undo_View() { return this; }
  void Show_Cells(TData_Table table, int first_row, int last_row) override;
  void Show_Input_Range() override;
  void Show_Edit_Range() override;
  void Show_Zero_Offset() override;
  void Show_Input_Part();
  void Show_Edit_Part();

  void Rebuild_Input_Data();
  void Rebuild_Edit_Data();
  void Calculate_Output_Data();
  void Update_Graph_Dialog();
  void Recalculate_And_Plot();

  QComboBox *d_input_selection_mode = nullptr;
  QComboBox *d_edit_selection_mode = nullptr;
  QComboBox *d_output_copy_option = nullptr;
  QGroupBox *d_edit_group = nullptr;
  QGroupBox *d_input_group = nullptr;
  QGroupBox *d_output_group = nullptr;
  TIntEdit *d_input_count = nullptr;
  TIntEdit *d_edit_count = nullptr;
  TIntEdit *d_output_count = nullptr;
  TDoubleEdit *d_edit_end = nullptr;
  TDoubleEdit *d_edit_increment = nullptr;
  TDoubleEdit *d_edit_start = nullptr;
  TDoubleEdit *d_input_end = nullptr;
  TDoubleEdit *d_input_increment = nullptr;
  TDoubleEdit *d_input_start = nullptr;
  TDoubleEdit *d_output_end = nullptr;
  TDoubleEdit *d_output_increment = nullptr;
  TDoubleEdit *d_output_start = nullptr;
  TEditTable *d_edit_table = nullptr;
  TEditTable *d_input_table = nullptr;
  TEditTable *d_output_table = nullptr;
  QSpinBox *d_display_precision = nullptr;
  QToolButton *d_graph_button = nullptr;
  QToolButton *d_copy_button = nullptr;
  QToolButton *d_zero_offset_button = nullptr;
  TInterpolationGraphDialog *d_graph_dialog = nullptr;
  std::unique_ptr<QSettings> d_settings;
  QMenu *d_recent_menu = nullptr;
  QTimer *d_recovery_timer = nullptr;
  std::unique_ptr<TUser_Dialogs> d_dialogs;
  std::unique_ptr<TRecovery_File> d_recovery;
  TResampling_Model d_model;
  QString d_document_path;
  bool d_multiple_cell_change = false;
  std::unique_ptr<TUndo_History> d_history;
  // The cells a multiple-cell change has changed so far, for its step.
  std::vector<TCell_Change> d_pending_cells;
  TData_Table d_pending_table = INPUT_DATA;
  QString d_pending_name;
  // The table that has or last had the focus: the Edit menu's commands act on it.
  TEditTable *d_focus_table = nullptr;
  QAction *d_interpolate_action = nullptr;
  QAction *d_add_action = nullptr;
  QAction *d_multiply_action = nullptr;
  QAction *d_set_value_action = nullptr;
  QAction *d_invert_action = nullptr;
  std::unique_ptr<TBusy_Cursor> d_busy_cursor;
};

#endif
