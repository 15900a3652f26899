#include "src/window/vandrel.h"

#include "core/clipboardblock.h"
#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/document/document.h"
#include "src/files/settingsfile.h"
#include "src/model/constants.h"
#include "src/window/busywork.h"
#include "src/window/datacommands.h"
#include "src/window/editcommands.h"
#include "src/window/filecommands.h"
#include "src/window/graphdialog.h"
#include "src/window/helpdialogs.h"
#include "src/window/interpolationchoice.h"
#include "src/window/rangegroup.h"
#include "src/window/userdialogs.h"
#include "src/window/windowgeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidgetItem>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

const int DEFAULT_DISPLAY_PRECISION = 1;
const int MINIMUM_DISPLAY_PRECISION = 1;
const int MAXIMUM_DISPLAY_PRECISION = 9;

QString First_Local_File(const QMimeData *mime)
{
  if (!mime || !mime->hasUrls()) {
    return QString();
  }
  for (const QUrl &url : mime->urls()) {
    if (url.isLocalFile()) {
      return url.toLocalFile();
    }
  }
  return QString();
}

TRange Typed_Range(const TDoubleEdit *start, const TDoubleEdit *increment, const TDoubleEdit *end)
{
  return TRange{start->Value(), increment->Value(), end->Value()};
}

// A table shows one column of the document under the title "Value".
void Show_Column(TEditTable *table, const TTable_Values *values, const int rows)
{
  table->Show_Values(values, rows, 1, LABEL_PRECISION);
  if (QTableWidgetItem *title = table->horizontalHeaderItem(0)) {
    title->setData(Qt::DisplayRole, TVandrel::tr("Value"));
  }
}

// The selected cells' rows become the changed ones, so the user sees what a step touched.
void Select_Rows(TEditTable *table, const int first_row, const int last_row)
{
  table->setCurrentCell(first_row, 0, QItemSelectionModel::NoUpdate);
  table->clearSelection();
  table->setRangeSelected(QTableWidgetSelectionRange(first_row, 0, last_row, 0), true);
}

}  // namespace

TVandrel::TVandrel(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
  QDir().mkpath(Settings_Folder_Path());
  QString settings_message;
  d_settings = Open_Settings_File(Settings_File_Path(), &settings_message);
  auto document = std::make_unique<TDocument>();
  d_document = document.get();
  d_document->Enable_Recovery(RECOVERY_DELAY_MS);
  Build_Groups();
  d_graph_dialog = new TInterpolationGraphDialog(this, Qt::Tool);
  d_graph_dialog->setObjectName("graph_dialog");
  d_graph_dialog->Show_Curves(d_document->Curve(INPUT_COLUMN), d_document->Curve(OUTPUT_COLUMN));
  d_graph_dialog->Edit_Document(d_document, d_edit_table);
  d_file_commands = new TFile_Commands(this, d_document, d_settings.get());
  d_data_commands = new TData_Commands(d_file_commands, d_graph_dialog);
  d_edit_commands = new TEdit_Commands(this, d_document, d_file_commands,
                                       {d_input_table, d_edit_table, d_output_table});
  Restore_Settings();
  Restore_Window_Geometry(this, *d_settings);
  Configure_Tables();
  Set_Tab_Order();
  d_document->Start(Typed_Range(d_input_start, d_input_increment, d_input_end),
                    Typed_Range(d_edit_start, d_edit_increment, d_edit_end),
                    d_zero_offset_button->isChecked());
  Show_Input_Range();
  Show_Edit_Range();
  Show_Title();
  Input_Selection_Mode_Changed();
  Edit_Selection_Mode_Changed();
  Display_Precision_Changed(d_display_precision->value());
  Follow_Document();
  Connect_Signals();
  setAcceptDrops(true);
  if (!settings_message.isEmpty()) {
    Show_Message(settings_message);
  }
  // Last, so that Help stays the last menu; the shortcut table is made from whatever
  // actions the window has when it opens.
  Add_Help_Menu(menuBar(), this, [this] { return Window_Actions(*this); });
  // The window's last child is deleted last: every view of the document goes before it.
  d_document->setParent(this);
  document.release();
}

// The children and the application outlive this part of the window while it goes: the
// document, the tables and focus changes must not report to a window half gone.
TVandrel::~TVandrel()
{
  for (QObject *sender : std::initializer_list<QObject *>{
         d_document, qApp, d_input_table, d_edit_table, d_output_table}) {
    sender->disconnect(this);
  }
  d_edit_commands->Stop_Following();
  d_graph_dialog->Stop_Editing();
}

void TVandrel::Set_User_Dialogs(std::unique_ptr<TUser_Dialogs> dialogs)
{
  d_file_commands->Set_User_Dialogs(std::move(dialogs));
}

void TVandrel::Build_Groups()
{
  auto *central = new QWidget(this);
  auto *grid = new QGridLayout(central);
  setCentralWidget(central);
  const TRange_Group input = Build_Range_Group(central, "input", tr("Input Data"), INPUT_RANGE);
  Add_Field_Spacer(input);
  d_input_group = input.group;
  d_input_start = input.start;
  d_input_increment = input.increment;
  d_input_end = input.end;
  d_input_count = input.count;
  d_input_table = input.table;
  d_input_selection_mode = Add_Selection_Row(input, "input_selection_mode");
  const TRange_Group edit = Build_Range_Group(central, "edit", tr("Editor"), EDIT_RANGE);
  Add_Field_Spacer(edit);
  d_edit_group = edit.group;
  d_edit_start = edit.start;
  d_edit_increment = edit.increment;
  d_edit_end = edit.end;
  d_edit_count = edit.count;
  d_edit_table = edit.table;
  auto *interpolation = new TInterpolation_Choice(edit.group, d_document);
  interpolation->setObjectName("edit_interpolation");
  Add_Extra_Field(edit, tr("Interpolation:"), interpolation);
  d_edit_selection_mode = Add_Selection_Row(edit, "edit_selection_mode");
  const TRange_Group output =
    Build_Range_Group(central, "output", tr("Output Data"), OUTPUT_RANGE);
  d_output_group = output.group;
  d_output_start = output.start;
  d_output_increment = output.increment;
  d_output_end = output.end;
  d_output_count = output.count;
  d_output_table = output.table;
  for (QLineEdit *field : std::initializer_list<QLineEdit *>{
         d_output_start, d_output_increment, d_output_end, d_output_count}) {
    field->setReadOnly(true);
  }
  d_output_copy_option = new QComboBox(d_output_group);
  d_output_copy_option->setObjectName("output_copy_option");
  d_output_copy_option->setToolTip(Copy_Layout_Tip());
  d_copy_button = Tool_Button(d_output_group, "copy_button", tr("Copy to Clipboard"), false);
  auto *row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(d_output_copy_option);
  row->addWidget(d_copy_button);
  output.layout->addLayout(row, BELOW_TABLE_ROW, 0, 1, 3);
  Add_Field_Spacer(output);
  grid->addWidget(d_input_group, 0, 0);
  grid->addWidget(d_edit_group, 0, 1);
  grid->addWidget(d_output_group, 0, 2);
  grid->addLayout(Build_Bottom_Row(central), 1, 0, 1, 3);
}

QHBoxLayout *TVandrel::Build_Bottom_Row(QWidget *central)
{
  QFont copyright_font("Verdana", 8);
  copyright_font.setItalic(true);
  //: The program's name, then the people who hold its copyright.
  auto *copyright = new QLabel(tr("Vandrel \u00a9 2026 the Vandrel developers"), central);
  copyright->setFont(copyright_font);
  d_zero_offset_button =
    Tool_Button(central, "zero_offset_button", tr("Zero Offset Data"), true);
  d_zero_offset_button->setToolTip(Zero_Offset_Tip());
  d_display_precision = new QSpinBox(central);
  d_display_precision->setObjectName("display_precision");
  d_display_precision->setToolTip(Display_Precision_Tip());
  d_display_precision->setRange(MINIMUM_DISPLAY_PRECISION, MAXIMUM_DISPLAY_PRECISION);
  d_graph_button = Tool_Button(central, "graph_button", tr("Show Graph"), true);
  auto *row = new QHBoxLayout;
  row->addWidget(copyright);
  row->addStretch();
  row->addWidget(d_zero_offset_button);
  row->addWidget(new QLabel(tr("Display Precision:"), central));
  row->addWidget(d_display_precision);
  row->addWidget(d_graph_button);
  return row;
}

void TVandrel::Restore_Settings()
{
  const QSettings &settings = *d_settings;
  const auto number = [&settings](const char *key, const double &fallback) {
    return settings.value(key, fallback).toDouble();
  };
  d_input_start->Set_Value(number("Input_Start", DEFAULT_INPUT_RANGE.start));
  d_input_increment->Set_Value(number("Input_Increment", DEFAULT_INPUT_RANGE.increment));
  d_input_end->Set_Value(number("Input_End", DEFAULT_INPUT_RANGE.end));
  d_edit_start->Set_Value(number("Edit_Start", DEFAULT_EDIT_RANGE.start));
  d_edit_increment->Set_Value(number("Edit_Increment", DEFAULT_EDIT_RANGE.increment));
  d_edit_end->Set_Value(number("Edit_End", DEFAULT_EDIT_RANGE.end));
  for (QComboBox *combo : {d_input_selection_mode, d_edit_selection_mode}) {
    combo->addItem(tr("Enter Down"), 0);
    combo->addItem(tr("Enter Up"), 1);
  }
  d_output_copy_option->addItem(tr("Data Only"), 0);
  d_output_copy_option->addItem(tr("Position and Data"), 1);
  d_input_selection_mode->setCurrentIndex(settings.value("Input_Selection_Mode", 0).toInt());
  d_edit_selection_mode->setCurrentIndex(settings.value("Edit_Selection_Mode", 0).toInt());
  d_output_copy_option->setCurrentIndex(settings.value("Output_Copy_Option", 0).toInt());
  d_display_precision->setValue(
    settings.value("Display_Precision", DEFAULT_DISPLAY_PRECISION).toInt());
  d_zero_offset_button->setChecked(settings.value("Zero_Offset_Data", false).toBool());
  d_graph_dialog->Set_Round_Tick_Numbers(settings.value("Round_Tick_Numbers", false).toBool());
}

void TVandrel::Configure_Tables()
{
  for (TEditTable *table : {d_input_table, d_edit_table, d_output_table}) {
    table->Set_Entry_Mode(ENTRY_REPLACE);
    table->Set_Invert_Enabled(false);
  }
  d_output_table->Set_Read_Only(true);
}

void TVandrel::Set_Tab_Order()
{
  // The only widget of the chain the window keeps no pointer to: it follows the document
  // by itself.
  auto *interpolation = d_edit_group->findChild<QComboBox *>("edit_interpolation");
  const QList<QWidget *> chain = {
    d_input_start,  d_input_increment,  d_input_end,  d_input_count,  d_input_table,
    d_input_selection_mode, d_edit_start, d_edit_increment, d_edit_end, d_edit_count,
    interpolation, d_edit_table, d_edit_selection_mode, d_output_start,
    d_output_increment, d_output_end, d_output_count, d_output_table, d_output_copy_option,
    d_copy_button, d_graph_button};
  for (int i = 0; i + 1 < chain.size(); ++i) {
    setTabOrder(chain[i], chain[i + 1]);
  }
  setTabOrder(d_copy_button, d_zero_offset_button);
  setTabOrder(d_zero_offset_button, d_display_precision);
}

// The views show what the document reports, whether a user, an undo or a file changed it.
void TVandrel::Follow_Document()
{
  connect(d_document, &TDocument::Input_Range_Changed, this, &TVandrel::Show_Input_Range);
  connect(d_document, &TDocument::Edit_Range_Changed, this, &TVandrel::Show_Edit_Range);
  connect(d_document, &TDocument::Cells_Changed, this, &TVandrel::Show_Cells);
  connect(d_document, &TDocument::Cells_Revisited, this, &TVandrel::Select_Cells);
  connect(d_document, &TDocument::Output_Changed, this, &TVandrel::Show_Output);
  connect(d_document, &TDocument::Zero_Offset_Changed, this, &TVandrel::Show_Zero_Offset);
  connect(d_document, &TDocument::Modified_Changed, this, &TVandrel::Show_Title);
  connect(d_document, &TDocument::Path_Changed, this, &TVandrel::Show_Title);
  connect(d_document, &TDocument::Recovery_Failed, this, &TVandrel::Show_Message);
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
  connect(d_input_table, &TEditTable::Cells_Edited, this, &TVandrel::Input_Changed);
  connect(d_edit_table, &TEditTable::Cells_Edited, this, &TVandrel::Edit_Changed);
  for (TEditTable *table : {d_input_table, d_edit_table}) {
    // A change of many cells, a paste above all, can take a while.
    connect(table, &TEditTable::Start_Multiple_Cell_Change, this,
            [this] { d_busy_cursor = std::make_unique<TBusy_Cursor>(); });
    connect(table, &TEditTable::Fields_Skipped, this, [this](const int count) {
      Show_Message(tr("%n pasted field(s) not a number: the cells kept their values.", nullptr,
                      count));
    });
  }
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
  settings.setValue("Round_Tick_Numbers", d_graph_dialog->Round_Tick_Numbers());
  Save_Window_Geometry(*this, &settings);
  settings.sync();
}

void TVandrel::closeEvent(QCloseEvent *event)
{
  if (!d_file_commands->Maybe_Save()) {
    event->ignore();
    return;
  }
  Save_Settings();
  d_document->Discard_Recovery();
  event->accept();
}

void TVandrel::dragEnterEvent(QDragEnterEvent *event)
{
  if (!First_Local_File(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void TVandrel::dropEvent(QDropEvent *event)
{
  const QString path = First_Local_File(event->mimeData());
  if (path.isEmpty()) {
    return;
  }
  event->acceptProposedAction();
  // The question and any message are modal; they wait until the drop has finished.
  QTimer::singleShot(0, this, [this, path] { d_file_commands->Open_File(path); });
}

void TVandrel::Display_Precision_Changed(const int precision)
{
  for (TEditTable *table : {d_input_table, d_edit_table, d_output_table}) {
    table->Set_Display_Precision(precision);
  }
  d_graph_dialog->Set_Display_Precision(precision);
  for (TDoubleEdit *field : {d_input_start, d_input_increment, d_input_end, d_edit_start,
                             d_edit_increment, d_edit_end, d_output_start, d_output_increment,
                             d_output_end}) {
    field->Set_Precision(precision);
  }
}

void TVandrel::Copy_Output()
{
  const bool with_positions = d_output_copy_option->currentData().toInt() != 0;
  const TResampling_Model &model = d_document->Model();
  const std::size_t rows = model.Row_Count();
  TClipboard_Block block(d_display_precision->value(), locale());
  block.Reserve(qsizetype(rows) * (with_positions ? 2 : 1));
  for (std::size_t i = 0; i < rows; ++i) {
    if (with_positions) {
      block.Add(model.Input()[i].x);
    }
    block.Add(model.Output(i));
    block.End_Row();
  }
  QApplication::clipboard()->setMimeData(block.Mime_Data().release(), QClipboard::Clipboard);
}

void TVandrel::Show_Hide_Graph(const bool shown)
{
  d_graph_dialog->setVisible(shown);
  d_graph_button->setText(shown ? tr("Hide Graph") : tr("Show Graph"));
}

void TVandrel::Graph_Closed()
{
  d_graph_button->setChecked(false);
}

void TVandrel::Zero_Offset_Toggled(const bool checked)
{
  d_document->Set_Zero_Offset(checked);
}

void TVandrel::Input_Selection_Mode_Changed()
{
  d_input_table->Set_Enter_Mode(d_input_selection_mode->currentData().toInt());
}

// The output's range mirrors the input's; the fields show the corrected range even when
// the correction leaves the document as it was.
void TVandrel::Input_Range_Changed()
{
  d_output_start->Set_Value(d_input_start->Value());
  d_output_end->Set_Value(d_input_end->Value());
  d_document->Set_Input_Range(Typed_Range(d_input_start, d_input_increment, d_input_end));
  Show_Input_Range();
}

// A new increment or count moves the end to start + (count - 1) x increment.
void TVandrel::Input_Increment_Count_Changed()
{
  const int count = Corrected_Count(d_input_count->Value());
  d_input_count->Set_Value(count);
  d_output_count->Set_Value(count);
  d_output_increment->Set_Value(d_input_increment->Value());
  const double end = d_input_start->Value() + (count - 1) * d_input_increment->Value();
  d_input_end->Set_Value(end);
  d_output_end->Set_Value(end);
  d_document->Set_Input_Range(Typed_Range(d_input_start, d_input_increment, d_input_end));
  Show_Input_Range();
}

void TVandrel::Input_Changed(const QString &description, const TCell_Edits &edits)
{
  d_document->Edit_Cells(INPUT_DATA, Step_Name(description), edits);
  d_busy_cursor.reset();
}

void TVandrel::Edit_Selection_Mode_Changed()
{
  d_edit_table->Set_Enter_Mode(d_edit_selection_mode->currentData().toInt());
}

void TVandrel::Edit_Range_Changed()
{
  d_document->Set_Edit_Range(Typed_Range(d_edit_start, d_edit_increment, d_edit_end));
  Show_Edit_Range();
}

void TVandrel::Edit_Increment_Count_Changed()
{
  const int count = Corrected_Count(d_edit_count->Value());
  d_edit_count->Set_Value(count);
  d_edit_end->Set_Value(d_edit_start->Value() + d_edit_increment->Value() * (count - 1));
  d_document->Set_Edit_Range(Typed_Range(d_edit_start, d_edit_increment, d_edit_end));
  Show_Edit_Range();
}

void TVandrel::Edit_Changed(const QString &description, const TCell_Edits &edits)
{
  d_document->Edit_Cells(EDIT_DATA, Step_Name(description), edits);
  d_busy_cursor.reset();
}

void TVandrel::Show_Input_Range()
{
  const TSeries &series = d_document->Model().Input_Series();
  Show_Series(series, d_input_start, d_input_increment, d_input_end, d_input_count);
  Show_Series(series, d_output_start, d_output_increment, d_output_end, d_output_count);
  Show_Column(d_input_table, d_document->Table_Values(INPUT_COLUMN), series.count);
  Show_Column(d_output_table, d_document->Table_Values(OUTPUT_COLUMN), series.count);
  d_graph_dialog->Curves_Changed();
}

void TVandrel::Show_Edit_Range()
{
  const TSeries &series = d_document->Model().Edit_Series();
  Show_Series(series, d_edit_start, d_edit_increment, d_edit_end, d_edit_count);
  Show_Column(d_edit_table, d_document->Table_Values(EDIT_COLUMN), series.count);
}

void TVandrel::Show_Cells(const TData_Table table, const int first_row, const int last_row)
{
  Table_Of(table)->Values_Changed(first_row, last_row);
  if (table == INPUT_DATA) {
    d_graph_dialog->Input_Changed(first_row, last_row);
  }
}

void TVandrel::Select_Cells(const TData_Table table, const int first_row, const int last_row)
{
  Select_Rows(Table_Of(table), first_row, last_row);
}

void TVandrel::Show_Output(const int first_row, const int last_row)
{
  d_output_table->Values_Changed(first_row, last_row);
  d_graph_dialog->Output_Changed(first_row, last_row);
}

void TVandrel::Show_Zero_Offset(const bool zero_offset)
{
  const QSignalBlocker blocker(d_zero_offset_button);
  d_zero_offset_button->setChecked(zero_offset);
}

void TVandrel::Show_Title()
{
  setWindowTitle(d_document->Name() + QStringLiteral("[*] - Vandrel"));
  setWindowModified(d_document->Is_Modified());
}

void TVandrel::Show_Message(const QString &message)
{
  statusBar()->showMessage(message, STATUS_MESSAGE_MS);
}

TEditTable *TVandrel::Table_Of(const TData_Table table) const
{
  return table == INPUT_DATA ? d_input_table : d_edit_table;
}
