#include "src/window/vandrel.h"

#include "core/assertion.h"
#include "core/clipboardblock.h"
#include "core/numberformat.h"
#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/window/busywork.h"
#include "src/window/graphdialog.h"
#include "src/window/helpdialogs.h"
#include "src/files/recovery.h"
#include "src/model/resampling.h"
#include "src/files/settingsfile.h"
#include "src/window/tooltips.h"
#include "src/document/undohistory.h"
#include "src/window/userdialogs.h"
#include "src/window/windowgeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidgetItem>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>

namespace {

const char SETTINGS_FOLDER[] = ".vandrel";
const char SETTINGS_FILE[] = "/Settings.ini";
const char COPYRIGHT[] = "Vandrel \u00a9 2026 the Vandrel developers";

const double DEFAULT_INPUT_START = -10.0;
const double DEFAULT_INPUT_INCREMENT = 15.0;
const double DEFAULT_INPUT_END = 215.0;
const double DEFAULT_EDIT_START = 0.0;
const double DEFAULT_EDIT_INCREMENT = 50.0;
const double DEFAULT_EDIT_END = 200.0;
const int DEFAULT_DISPLAY_PRECISION = 1;
const int MINIMUM_DISPLAY_PRECISION = 1;
const int MAXIMUM_DISPLAY_PRECISION = 9;
const int FIELD_MINIMUM_WIDTH = 100;
const int GROUP_VERTICAL_SPACING = 4;
const int SKIPPED_MESSAGE_MS = 10000;

QSpacerItem *Horizontal_Spacer()
{
  return new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

template <class TField>
TField *Range_Field(QWidget *parent, const QString &name)
{
  auto *field = new TField(parent);
  field->setObjectName(name);
  field->setMinimumSize(FIELD_MINIMUM_WIDTH, 0);
  field->setAlignment(Qt::AlignCenter);
  return field;
}

QToolButton *Tool_Button(QWidget *parent, const QString &name, const QString &text,
                         const bool checkable)
{
  auto *button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setCheckable(checkable);
  button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  return button;
}

QComboBox *Combo_Box(QWidget *parent, const QString &name)
{
  auto *combo = new QComboBox(parent);
  combo->setObjectName(name);
  return combo;
}

void Add_Items(QComboBox *combo, const QString &first, const QString &second)
{
  combo->addItem(first, 0);
  combo->addItem(second, 1);
}

// Sets a field only when the value differs, so that text the user typed for an unchanged
// value stays as typed.
void Write_Back(TDoubleEdit *field, const double &value)
{
  if (field->Value() != value) {
    field->Set_Value(value);
  }
}

std::vector<double> Positions_Of(const Point_List &points)
{
  std::vector<double> positions(points.size());
  std::transform(points.begin(), points.end(), positions.begin(),
                 [](const TVector2 &point) { return point.x; });
  return positions;
}

std::vector<double> Values_Of(const Point_List &points)
{
  std::vector<double> values(points.size());
  std::transform(points.begin(), points.end(), values.begin(),
                 [](const TVector2 &point) { return point.y; });
  return values;
}

// Shows a point list in a one-column table: one row per point (none for an empty list),
// each labelled with its position and showing its value.
void Show_Points(TEditTable *table, const Point_List &points)
{
  const int rows = static_cast<int>(points.size());
  table->Set_Table_Size(rows, 1);
  if (rows == 0) {
    return;
  }
  table->Set_Row_Positions(Positions_Of(points), LABEL_PRECISION);
  table->Set_Column(0, Values_Of(points));
  table->horizontalHeaderItem(0)->setData(Qt::DisplayRole, QStringLiteral("Value"));
}

// The widgets of one range group: the four range fields with their labels above the table.
struct TRange_Group
{
  QGroupBox *group = nullptr;
  QGridLayout *layout = nullptr;
  TDoubleEdit *start = nullptr;
  TDoubleEdit *increment = nullptr;
  TDoubleEdit *end = nullptr;
  TIntEdit *count = nullptr;
  TEditTable *table = nullptr;
};

void Set_Range_Tips(const TRange_Group &widgets, const TRange_Tips &tips)
{
  widgets.start->setToolTip(tips.start);
  widgets.increment->setToolTip(tips.increment);
  widgets.end->setToolTip(tips.end);
  widgets.count->setToolTip(tips.count);
}

TRange_Group Build_Range_Group(QWidget *parent, const QString &name)
{
  TRange_Group widgets;
  widgets.group = new QGroupBox(parent);
  widgets.group->setObjectName(name + "_group");
  widgets.layout = new QGridLayout(widgets.group);
  widgets.layout->setVerticalSpacing(GROUP_VERTICAL_SPACING);
  widgets.start = Range_Field<TDoubleEdit>(widgets.group, name + "_start");
  widgets.increment = Range_Field<TDoubleEdit>(widgets.group, name + "_increment");
  widgets.end = Range_Field<TDoubleEdit>(widgets.group, name + "_end");
  widgets.count = Range_Field<TIntEdit>(widgets.group, name + "_count");
  const QStringList labels = {"Start Position:", "Increment:", "End Position:", "Count:"};
  const QList<QWidget *> fields = {widgets.start, widgets.increment, widgets.end, widgets.count};
  for (int row = 0; row < fields.size(); ++row) {
    widgets.layout->addWidget(new QLabel(labels[row], widgets.group), row, 0);
    widgets.layout->addWidget(fields[row], row, 1);
  }
  widgets.table = new TEditTable(widgets.group);
  widgets.table->setObjectName(name + "_table");
  widgets.layout->addWidget(widgets.table, 4, 0, 1, 3);
  return widgets;
}

// The row below an editable table: its Enter-direction choice, kept at the left.
QComboBox *Add_Selection_Row(const TRange_Group &widgets, const QString &name)
{
  QComboBox *const combo = Combo_Box(widgets.group, name);
  auto *row = new QHBoxLayout;
  row->addWidget(combo);
  row->addItem(Horizontal_Spacer());
  widgets.layout->addLayout(row, 5, 0, 1, 3);
  return combo;
}

// The spacer beside the range fields keeps them at their minimum width.
void Add_Field_Spacer(QGridLayout *layout)
{
  layout->addItem(Horizontal_Spacer(), 0, 2, 3, 1);
}

}  // namespace

TVandrel::TVandrel(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
  Open_Settings();
  Build_File_Menu();
  Build_Edit_Menu();
  auto *central = new QWidget(this);
  auto *grid = new QGridLayout(central);
  setCentralWidget(central);
  Build_Input_Group(central);
  Build_Edit_Group(central);
  Build_Output_Group(central);
  grid->addWidget(d_input_group, 0, 0);
  grid->addWidget(d_edit_group, 0, 1);
  grid->addWidget(d_output_group, 0, 2);
  grid->addLayout(Build_Bottom_Row(central), 1, 0, 1, 3);
  d_graph_dialog = new TInterpolationGraphDialog(this, Qt::Tool);
  d_graph_dialog->setObjectName("graph_dialog");
  Restore_Settings();
  Restore_Window_Geometry(this, *d_settings);
  Configure_Tables();
  Set_Tab_Order();

  // The output always derives from input and offsets, so it is computed before the window
  // first shows.
  d_model.Set_Zero_Offset(d_zero_offset_button->isChecked());
  Rebuild_Input_Data();
  Rebuild_Edit_Data();
  Recalculate_And_Plot();
  Input_Selection_Mode_Changed();
  Edit_Selection_Mode_Changed();
  Display_Precision_Changed(d_display_precision->value());
  Connect_Signals();
  // Last, so that Help stays the last menu; the shortcut table is made from whatever
  // actions the window has when it opens.
  Add_Help_Menu(menuBar(), this, [this] { return Window_Actions(*this); });
}

// The children and the application outlive this part of the window while it goes: the
// stack, the tables and focus changes must not report to a window half gone.
TVandrel::~TVandrel()
{
  for (QObject *sender : std::initializer_list<QObject *>{
         Undo_Stack(), qApp, d_input_table, d_edit_table, d_output_table}) {
    sender->disconnect(this);
  }
}

void TVandrel::Open_Settings()
{
  QDir folder(QDir::homePath());
  if (!folder.exists(SETTINGS_FOLDER)) {
    folder.mkdir(SETTINGS_FOLDER);
  }
  folder.cd(SETTINGS_FOLDER);
  d_settings = Open_Settings_File(folder.absolutePath() + SETTINGS_FILE);
}

void TVandrel::Build_Input_Group(QWidget *central)
{
  const TRange_Group widgets = Build_Range_Group(central, "input");
  Set_Range_Tips(widgets, Range_Tips(INPUT_RANGE));
  Add_Field_Spacer(widgets.layout);
  d_input_group = widgets.group;
  d_input_start = widgets.start;
  d_input_increment = widgets.increment;
  d_input_end = widgets.end;
  d_input_count = widgets.count;
  d_input_table = widgets.table;
  d_input_selection_mode = Add_Selection_Row(widgets, "input_selection_mode");
  d_input_group->setTitle("Input Data");
}

void TVandrel::Build_Edit_Group(QWidget *central)
{
  const TRange_Group widgets = Build_Range_Group(central, "edit");
  Set_Range_Tips(widgets, Range_Tips(EDIT_RANGE));
  Add_Field_Spacer(widgets.layout);
  d_edit_group = widgets.group;
  d_edit_start = widgets.start;
  d_edit_increment = widgets.increment;
  d_edit_end = widgets.end;
  d_edit_count = widgets.count;
  d_edit_table = widgets.table;
  d_edit_selection_mode = Add_Selection_Row(widgets, "edit_selection_mode");
  d_edit_group->setTitle("Editor");
}

void TVandrel::Build_Output_Group(QWidget *central)
{
  const TRange_Group widgets = Build_Range_Group(central, "output");
  Set_Range_Tips(widgets, Range_Tips(OUTPUT_RANGE));
  d_output_group = widgets.group;
  d_output_start = widgets.start;
  d_output_increment = widgets.increment;
  d_output_end = widgets.end;
  d_output_count = widgets.count;
  d_output_table = widgets.table;
  for (QLineEdit *field : {static_cast<QLineEdit *>(d_output_start),
                           static_cast<QLineEdit *>(d_output_increment),
                           static_cast<QLineEdit *>(d_output_end),
                           static_cast<QLineEdit *>(d_output_count)}) {
    field->setReadOnly(true);
  }
  d_output_copy_option = Combo_Box(d_output_group, "output_copy_option");
  d_output_copy_option->setToolTip(Copy_Layout_Tip());
  d_copy_button = Tool_Button(d_output_group, "copy_button", "Copy to Clipboard", false);
  auto *row = new QHBoxLayout;
  row->addItem(Horizontal_Spacer());
  row->addWidget(d_output_copy_option);
  row->addWidget(d_copy_button);
  widgets.layout->addLayout(row, 5, 0, 1, 3);
  Add_Field_Spacer(widgets.layout);
  d_output_group->setTitle("Output Data");
}

QHBoxLayout *TVandrel::Build_Bottom_Row(QWidget *central)
{
  QFont copyright_font("Verdana", 8);
  copyright_font.setItalic(true);
  auto *copyright = new QLabel(COPYRIGHT, central);
  copyright->setFont(copyright_font);
  d_zero_offset_button = Tool_Button(central, "zero_offset_button", "Zero Offset Data", true);
  d_zero_offset_button->setToolTip(Zero_Offset_Tip());
  d_display_precision = new QSpinBox(central);
  d_display_precision->setObjectName("display_precision");
  d_display_precision->setToolTip(Display_Precision_Tip());
  d_display_precision->setRange(MINIMUM_DISPLAY_PRECISION, MAXIMUM_DISPLAY_PRECISION);
  d_graph_button = Tool_Button(central, "graph_button", "Show Graph", true);

  auto *row = new QHBoxLayout;
  row->addWidget(copyright);
  row->addItem(Horizontal_Spacer());
  row->addWidget(d_zero_offset_button);
  row->addWidget(new QLabel("Display Precision:", central));
  row->addWidget(d_display_precision);
  row->addWidget(d_graph_button);
  return row;
}

void TVandrel::Restore_Settings()
{
  QSettings &settings = *d_settings;
  d_input_start->Set_Value(settings.value("Input_Start", DEFAULT_INPUT_START).toDouble());
  d_input_increment->Set_Value(
    settings.value("Input_Increment", DEFAULT_INPUT_INCREMENT).toDouble());
  d_input_end->Set_Value(settings.value("Input_End", DEFAULT_INPUT_END).toDouble());
  d_edit_start->Set_Value(settings.value("Edit_Start", DEFAULT_EDIT_START).toDouble());
  d_edit_increment->Set_Value(settings.value("Edit_Increment", DEFAULT_EDIT_INCREMENT).toDouble());
  d_edit_end->Set_Value(settings.value("Edit_End", DEFAULT_EDIT_END).toDouble());
  d_output_start->Set_Value(d_input_start->Value());
  d_output_increment->Set_Value(d_input_increment->Value());
  d_output_end->Set_Value(d_input_end->Value());
  Fill_Combo_Boxes();
  d_input_selection_mode->setCurrentIndex(settings.value("Input_Selection_Mode", 0).toInt());
  d_edit_selection_mode->setCurrentIndex(settings.value("Edit_Selection_Mode", 0).toInt());
  d_output_copy_option->setCurrentIndex(settings.value("Output_Copy_Option", 0).toInt());
  d_display_precision->setValue(
    settings.value("Display_Precision", DEFAULT_DISPLAY_PRECISION).toInt());
  d_zero_offset_button->setChecked(settings.value("Zero_Offset_Data", false).toBool());
}

void TVandrel::Fill_Combo_Boxes()
{
  Add_Items(d_input_selection_mode, "Enter Down", "Enter Up");
  Add_Items(d_edit_selection_mode, "Enter Down", "Enter Up");
  Add_Items(d_output_copy_option, "Data Only", "Position and Data");
}

void TVandrel::Configure_Tables()
{
  d_input_table->Set_Enter_Mode(ENTER_DOWN);
  d_edit_table->Set_Enter_Mode(ENTER_DOWN);
  for (TEditTable *table : {d_input_table, d_edit_table, d_output_table}) {
    table->Set_Entry_Mode(ENTRY_REPLACE);
    table->Set_Invert_Enabled(false);
  }
  d_output_table->Set_Read_Only(true);
  d_multiple_cell_change = false;
}

void TVandrel::Set_Tab_Order()
{
  const QList<QWidget *> chain = {
    d_input_start,  d_input_increment,  d_input_end,  d_input_count,  d_input_table,
    d_input_selection_mode, d_edit_start, d_edit_increment, d_edit_end, d_edit_count,
    d_edit_table, d_edit_selection_mode, d_output_start, d_output_increment, d_output_end,
    d_output_count, d_output_table, d_output_copy_option, d_copy_button, d_graph_button};
  for (int i = 0; i + 1 < chain.size(); ++i) {
    setTabOrder(chain[i], chain[i + 1]);
  }
  setTabOrder(d_copy_button, d_zero_offset_button);
  setTabOrder(d_zero_offset_button, d_display_precision);
}

void TVandrel::Connect_Signals()
{
  connect(d_display_precision, SIGNAL(valueChanged(int)), this,
          SLOT(Display_Precision_Changed(int)));
  connect(d_copy_button, SIGNAL(clicked(void)), this, SLOT(Copy_Output(void)));
  connect(d_graph_button, SIGNAL(toggled(bool)), this, SLOT(Show_Hide_Graph(bool)));
  connect(d_zero_offset_button, SIGNAL(toggled(bool)), this, SLOT(Zero_Offset_Toggled(bool)));
  connect(d_graph_dialog, SIGNAL(Dialog_Close(void)), this, SLOT(Graph_Closed(void)));
  connect(d_input_selection_mode, SIGNAL(currentIndexChanged(int)), this,
          SLOT(Input_Selection_Mode_Changed(void)));
  connect(d_input_start, SIGNAL(Edit_Finished(void)), this, SLOT(Input_Range_Changed(void)));
  connect(d_input_increment, SIGNAL(Edit_Finished(void)), this,
          SLOT(Input_Increment_Count_Changed(void)));
  connect(d_input_end, SIGNAL(Edit_Finished(void)), this, SLOT(Input_Range_Changed(void)));
  connect(d_input_count, SIGNAL(Edit_Finished(void)), this,
          SLOT(Input_Increment_Count_Changed(void)));
  connect(d_edit_selection_mode, SIGNAL(currentIndexChanged(int)), this,
          SLOT(Edit_Selection_Mode_Changed(void)));
  connect(d_edit_start, SIGNAL(Edit_Finished(void)), this, SLOT(Edit_Range_Changed(void)));
  connect(d_edit_increment, SIGNAL(Edit_Finished(void)), this,
          SLOT(Edit_Increment_Count_Changed(void)));
  connect(d_edit_end, SIGNAL(Edit_Finished(void)), this, SLOT(Edit_Range_Changed(void)));
  connect(d_edit_count, SIGNAL(Edit_Finished(void)), this,
          SLOT(Edit_Increment_Count_Changed(void)));
  connect(d_input_table, SIGNAL(Cell_Changed(const int, const int, const double &)), this,
          SLOT(Input_Changed(const int, const int, const double &)));
  connect(d_input_table, SIGNAL(Start_Multiple_Cell_Change(const QString &)), this,
          SLOT(Start_Multiple_Cell_Change(const QString &)));
  connect(d_input_table, SIGNAL(End_Multiple_Cell_Change(void)), this,
          SLOT(End_Multiple_Cell_Change(void)));
  connect(d_edit_table, SIGNAL(Cell_Changed(const int, const int, const double &)), this,
          SLOT(Edit_Changed(const int, const int, const double &)));
  connect(d_edit_table, SIGNAL(Start_Multiple_Cell_Change(const QString &)), this,
          SLOT(Start_Multiple_Cell_Change(const QString &)));
  connect(d_edit_table, SIGNAL(End_Multiple_Cell_Change(void)), this,
          SLOT(End_Multiple_Cell_Change(void)));
  Connect_Edit_Commands();
  for (TEditTable *table : {d_input_table, d_edit_table}) {
    connect(table, &TEditTable::Fields_Skipped, this, &TVandrel::Fields_Skipped);
  }
}

void TVandrel::Fields_Skipped(const int count)
{
  statusBar()->showMessage(
    tr("%n pasted field(s) not a number: the cells kept their values.", nullptr, count),
    SKIPPED_MESSAGE_MS);
}

void TVandrel::Save_Settings()
{
  QSettings &settings = *d_settings;
  settings.setValue("Input_Start", d_input_start->Value());
  settings.setValue("Input_Increment", d_input_increment->Value());
  settings.setValue("Input_End", d_input_end->Value());
  settings.setValue("Edit_Start", d_edit_start->Value());
  settings.setValue("Edit_Increment", d_edit_increment->Value());
  settings.setValue("Edit_End", d_edit_end->Value());
  settings.setValue("Input_Selection_Mode", d_input_selection_mode->currentIndex());
  settings.setValue("Edit_Selection_Mode", d_edit_selection_mode->currentIndex());
  settings.setValue("Output_Copy_Option", d_output_copy_option->currentIndex());
  settings.setValue("Display_Precision", d_display_precision->value());
  settings.setValue("Zero_Offset_Data", d_zero_offset_button->isChecked());
  Save_Window_Geometry(*this, &settings);
  settings.sync();
}

void TVandrel::Display_Precision_Changed(const int precision)
{
  for (TEditTable *table : {d_input_table, d_edit_table, d_output_table}) {
    table->Set_Display_Precision(precision);
  }
  for (TDoubleEdit *field : {d_input_start, d_input_increment, d_input_end, d_edit_start,
                             d_edit_increment, d_edit_end, d_output_start, d_output_increment,
                             d_output_end}) {
    field->Set_Precision(precision);
  }
}

void TVandrel::Copy_Output()
{
  const bool with_positions = d_output_copy_option->currentData().toInt() != 0;
  const Point_List &output = d_model.Output();
  TClipboard_Block block(d_display_precision->value(), locale());
  block.Reserve(qsizetype(output.size()) * (with_positions ? 2 : 1));
  for (const TVector2 &point : output) {
    if (with_positions) {
      block.Add(point.x);
    }
    block.Add(point.y);
    block.End_Row();
  }
  QApplication::clipboard()->setMimeData(block.Mime_Data().release(), QClipboard::Clipboard);
}

void TVandrel::Show_Hide_Graph(const bool shown)
{
  d_graph_dialog->setVisible(shown);
  d_graph_button->setText(shown ? "Hide Graph" : "Show Graph");
}

void TVandrel::Graph_Closed()
{
  d_graph_button->setChecked(false);
}

void TVandrel::Zero_Offset_Toggled(const bool checked)
{
  d_model.Set_Zero_Offset(checked);
  Recalculate_And_Plot();
  d_history->Push(std::make_unique<TZero_Offset_Step>(&d_model, Undo_View(), checked));
}

void TVandrel::Input_Selection_Mode_Changed()
{
  d_input_table->Set_Enter_Mode(d_input_selection_mode->currentData().toInt());
}

void TVandrel::Input_Range_Changed()
{
  d_output_start->Set_Value(d_input_start->Value());
  d_output_end->Set_Value(d_input_end->Value());
  Change_Input_Range();
}

void TVandrel::Input_Increment_Count_Changed()
{
  const double start = d_input_start->Value();
  const double increment = d_input_increment->Value();
  const int count = Corrected_Count(d_input_count->Value());
  if (count != d_input_count->Value()) {
    d_input_count->Set_Value(count);
    d_output_count->Set_Value(count);
  }
  d_output_increment->Set_Value(increment);
  const double end = start + (count - 1) * increment;
  d_input_end->Set_Value(end);
  d_output_end->Set_Value(end);
  Change_Input_Range();
}

void TVandrel::Input_Changed(const int row, const int column, const double value)
{
  if (!ASSERT(column == 0) || !ASSERT(static_cast<unsigned int>(row) < d_model.Input().size())) {
    return;
  }
  Record_Cell(INPUT_DATA, row, d_model.Input()[static_cast<std::size_t>(row)].y, value);
  d_model.Set_Input_Value(row, value);
  if (!d_multiple_cell_change) {
    Recalculate_And_Plot();
    Push_Cell_Step();
  }
}

void TVandrel::Edit_Selection_Mode_Changed()
{
  d_edit_table->Set_Enter_Mode(d_edit_selection_mode->currentData().toInt());
}

void TVandrel::Edit_Range_Changed()
{
  Change_Edit_Range();
}

void TVandrel::Edit_Increment_Count_Changed()
{
  const double start = d_edit_start->Value();
  const double increment = d_edit_increment->Value();
  const int count = Corrected_Count(d_edit_count->Value());
  if (count != d_edit_count->Value()) {
    d_edit_count->Set_Value(count);
  }
  d_edit_end->Set_Value(start + increment * (count - 1));
  Change_Edit_Range();
}

void TVandrel::Edit_Changed(const int row, const int column, const double value)
{
  if (!ASSERT(column == 0) || !ASSERT(static_cast<unsigned int>(row) < d_model.Edit().size())) {
    return;
  }
  Record_Cell(EDIT_DATA, row, d_model.Edit()[static_cast<std::size_t>(row)].y, value);
  d_model.Set_Offset(row, value);
  if (!d_multiple_cell_change) {
    Recalculate_And_Plot();
    Push_Cell_Step();
  }
}

// The cells between here and the end signal come from one table and make one step. A
// paste over many rows and the recalculation after it can take a while.
void TVandrel::Start_Multiple_Cell_Change(const QString &description)
{
  d_multiple_cell_change = true;
  d_pending_name = Step_Name(description);
  d_busy_cursor = std::make_unique<TBusy_Cursor>();
}

void TVandrel::End_Multiple_Cell_Change()
{
  d_multiple_cell_change = false;
  Recalculate_And_Plot();
  Push_Cell_Step();
  d_busy_cursor.reset();
}

// A typed value comes alone, outside any multiple-cell change.
void TVandrel::Record_Cell(const TData_Table table, const int row, const double &old_value,
                           const double &new_value)
{
  if (!d_multiple_cell_change) {
    d_pending_name = QStringLiteral("Typing");
  }
  d_pending_table = table;
  if (old_value != new_value) {
    d_pending_cells.push_back({row, old_value, new_value});
  }
}

void TVandrel::Push_Cell_Step()
{
  if (d_pending_cells.empty()) {
    return;
  }
  d_history->Push(std::make_unique<TCell_Step>(&d_model, Undo_View(), d_pending_name,
                                               d_pending_table, std::move(d_pending_cells)));
  d_pending_cells.clear();
}

void TVandrel::Change_Input_Range()
{
  const TSeries old_series = d_model.Input_Series();
  const std::vector<double> old_values = Values_Of(d_model.Input());
  Rebuild_Input_Data();
  Recalculate_And_Plot();
  if (!Same_Series(old_series, d_model.Input_Series())) {
    d_history->Push(std::make_unique<TInput_Range_Step>(&d_model, Undo_View(), old_series,
                                                        old_values, d_model.Input_Series()));
  }
}

// Even the same range clears the offsets; the step keeps them unless all were 0.0.
void TVandrel::Change_Edit_Range()
{
  const TSeries old_series = d_model.Edit_Series();
  std::vector<double> old_offsets = Values_Of(d_model.Edit());
  Rebuild_Edit_Data();
  Recalculate_And_Plot();
  const bool cleared = std::any_of(old_offsets.begin(), old_offsets.end(),
                                   [](const double &offset) { return offset != 0.0; });
  if (cleared || !Same_Series(old_series, d_model.Edit_Series())) {
    d_history->Push(std::make_unique<TEdit_Range_Step>(&d_model, Undo_View(), old_series,
                                                       std::move(old_offsets),
                                                       d_model.Edit_Series()));
  }
}

void TVandrel::Rebuild_Input_Data()
{
  TRange typed;
  typed.start = d_input_start->Value();
  typed.increment = d_input_increment->Value();
  typed.end = d_input_end->Value();
  const TSeries series = d_model.Set_Input_Range(typed);
  Write_Back(d_input_start, series.range.start);
  Write_Back(d_output_start, series.range.start);
  Write_Back(d_input_increment, series.range.increment);
  Write_Back(d_output_increment, series.range.increment);
  Write_Back(d_input_end, series.range.end);
  Write_Back(d_output_end, series.range.end);
  d_input_count->Set_Value(series.count);
  d_output_count->Set_Value(series.count);
  Show_Points(d_input_table, d_model.Input());
  Show_Points(d_output_table, d_model.Output());
}

void TVandrel::Rebuild_Edit_Data()
{
  TRange typed;
  typed.start = d_edit_start->Value();
  typed.increment = d_edit_increment->Value();
  typed.end = d_edit_end->Value();
  const TSeries series = d_model.Set_Edit_Range(typed);
  Write_Back(d_edit_start, series.range.start);
  Write_Back(d_edit_increment, series.range.increment);
  Write_Back(d_edit_end, series.range.end);
  d_edit_count->Set_Value(series.count);
  Show_Points(d_edit_table, d_model.Edit());
}

void TVandrel::Calculate_Output_Data()
{
  const Point_List &output = d_model.Output();
  if (!ASSERT(static_cast<unsigned int>(d_output_table->Row_Count()) == output.size())) {
    return;
  }
  d_model.Recalculate();
  d_output_table->Set_Column(0, Values_Of(output));
}

// Shows the model's whole content: range fields, counts, tables, switch and output.
void TVandrel::Show_Content()
{
  Show_Input_Part();
  Show_Edit_Part();
  {
    const QSignalBlocker blocker(d_zero_offset_button);
    d_zero_offset_button->setChecked(d_model.Zero_Offset());
  }
  Recalculate_And_Plot();
}

void TVandrel::Show_Input_Part()
{
  const TSeries &input = d_model.Input_Series();
  for (TDoubleEdit *field : {d_input_start, d_output_start}) {
    field->Set_Value(input.range.start);
  }
  for (TDoubleEdit *field : {d_input_increment, d_output_increment}) {
    field->Set_Value(input.range.increment);
  }
  for (TDoubleEdit *field : {d_input_end, d_output_end}) {
    field->Set_Value(input.range.end);
  }
  d_input_count->Set_Value(input.count);
  d_output_count->Set_Value(input.count);
  Show_Points(d_input_table, d_model.Input());
  Show_Points(d_output_table, d_model.Output());
}

void TVandrel::Show_Edit_Part()
{
  const TSeries &edit = d_model.Edit_Series();
  d_edit_start->Set_Value(edit.range.start);
  d_edit_increment->Set_Value(edit.range.increment);
  d_edit_end->Set_Value(edit.range.end);
  d_edit_count->Set_Value(edit.count);
  Show_Points(d_edit_table, d_model.Edit());
}

void TVandrel::Show_Input_Range()
{
  Show_Input_Part();
  Recalculate_And_Plot();
}

void TVandrel::Show_Edit_Range()
{
  Show_Edit_Part();
  Recalculate_And_Plot();
}

void TVandrel::Show_Zero_Offset()
{
  {
    const QSignalBlocker blocker(d_zero_offset_button);
    d_zero_offset_button->setChecked(d_model.Zero_Offset());
  }
  Recalculate_And_Plot();
}

// The changed rows become the selection, so the user sees what the step touched.
void TVandrel::Show_Cells(const TData_Table table, const int first_row, const int last_row)
{
  TEditTable *const view = table == INPUT_DATA ? d_input_table : d_edit_table;
  view->Set_Column(0, Values_Of(table == INPUT_DATA ? d_model.Input() : d_model.Edit()));
  view->setCurrentCell(first_row, 0, QItemSelectionModel::NoUpdate);
  view->clearSelection();
  view->setRangeSelected(QTableWidgetSelectionRange(first_row, 0, last_row, 0), true);
  Recalculate_And_Plot();
}

void TVandrel::Update_Graph_Dialog()
{
  d_graph_dialog->Set_Graph_Data(d_model.Input(), d_model.Output());
}

void TVandrel::Recalculate_And_Plot()
{
  Calculate_Output_Data();
  Update_Graph_Dialog();
}
