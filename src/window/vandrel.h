#ifndef SRC_WINDOW_VANDREL_H
#define SRC_WINDOW_VANDREL_H

#include "core/tablevalues.h"
#include "src/document/undocommands.h"

#include <QMainWindow>

#include <memory>

class QCloseEvent;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QGroupBox;
class QHBoxLayout;
class QSettings;
class QSpinBox;
class QToolButton;
class TBusy_Cursor;
class TData_Commands;
class TDocument;
class TDoubleEdit;
class TEditTable;
class TEdit_Commands;
class TFile_Commands;
class TIntEdit;
class TInterpolationGraphDialog;
class TUser_Dialogs;

// The main window: the input, editor and output tables with their ranges, a view of one
// document. What the user does goes to the document; what the document reports, whoever
// caused it, shows in the fields, tables and graph.
class TVandrel : public QMainWindow
{
  Q_OBJECT

public:
  explicit TVandrel(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  ~TVandrel() override;

  TDocument *Document() const { return d_document; }
  TFile_Commands *File_Commands() const { return d_file_commands; }
  TData_Commands *Data_Commands() const { return d_data_commands; }
  // The questions and messages the window puts to the user; tests answer them instead.
  void Set_User_Dialogs(std::unique_ptr<TUser_Dialogs> dialogs);

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
  void Input_Changed(const QString &description, const TCell_Edits &edits);
  void Edit_Selection_Mode_Changed();
  void Edit_Range_Changed();
  void Edit_Increment_Count_Changed();
  void Edit_Changed(const QString &description, const TCell_Edits &edits);

private:
  void Build_Groups();
  QHBoxLayout *Build_Bottom_Row(QWidget *central);
  void Restore_Settings();
  void Configure_Tables();
  void Set_Tab_Order();
  void Follow_Document();
  void Connect_Signals();
  void Save_Settings();

  void Show_Input_Range();
  void Show_Edit_Range();
  void Show_Cells(TData_Table table, int first_row, int last_row);
  void Select_Cells(TData_Table table, int first_row, int last_row);
  void Show_Output(int first_row, int last_row);
  void Show_Zero_Offset(bool zero_offset);
  void Show_Title();
  void Show_Message(const QString &message);
  TEditTable *Table_Of(TData_Table table) const;

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
  TDocument *d_document = nullptr;
  TFile_Commands *d_file_commands = nullptr;
  TData_Commands *d_data_commands = nullptr;
  TEdit_Commands *d_edit_commands = nullptr;
  // Up from the start of a change of many cells until the document has taken it.
  std::unique_ptr<TBusy_Cursor> d_busy_cursor;
};

#endif
