#ifndef SRC_VANDREL_H
#define SRC_VANDREL_H

#include "src/model.h"

#include <QMainWindow>

#include <memory>

class QCloseEvent;
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
// derives the output from the input and the editor's offsets.
class TVandrel : public QMainWindow
{
  Q_OBJECT

public:
  explicit TVandrel(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  ~TVandrel() override;

protected:
  void closeEvent(QCloseEvent *event) override;

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
  void Start_Multiple_Cell_Change();
  void End_Multiple_Cell_Change();

private:
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
  TResampling_Model d_model;
  bool d_multiple_cell_change = false;
};

#endif
