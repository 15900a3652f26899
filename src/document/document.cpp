#include "src/document/document.h"

#include "core/assertion.h"
#include "core/numberformat.h"
#include "src/document/undohistory.h"
#include "src/files/dataexport.h"
#include "src/files/documentfile.h"
#include "src/files/fileformats.h"
#include "src/files/graphexport.h"
#include "src/files/importeddocument.h"
#include "src/files/recovery.h"
#include "src/model/constants.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

namespace {

// The values of a table's rows.
const Point_List &Points_Of(const TResampling_Model &model, const TData_Table table)
{
  return table == INPUT_DATA ? model.Input() : model.Edit();
}

bool Rows_Ascend(const TCell_Edits &edits)
{
  for (std::size_t i = 1; i < edits.size(); ++i) {
    if (edits[i].row <= edits[i - 1].row) {
      return false;
    }
  }
  return true;
}

QString Absolute(const QString &path)
{
  return QFileInfo(path).absoluteFilePath();
}

// A number as messages write it, six significant digits, with the decimal separator.
QString Message_Number(const double value, const QString &decimal_point)
{
  return With_Decimal_Point(QStringLiteral("%1").arg(value), decimal_point);
}

}  // namespace

QString Import_Message(const QString &path, const TImport_Report &report,
                       const QString &decimal_point)
{
  const QString name = QFileInfo(path).fileName();
  const TSeries &input = report.input;
  if (!report.resampled) {
    return QCoreApplication::translate("Document", "Imported %1 rows from %2.")
      .arg(input.count)
      .arg(name);
  }
  return QCoreApplication::translate("Document",
                                     "Resampled %1 onto %2 evenly spaced rows from %3 to %4 by %5.")
    .arg(name)
    .arg(input.count)
    .arg(Message_Number(input.range.start, decimal_point),
         Message_Number(input.range.end, decimal_point),
         Message_Number(input.range.increment, decimal_point));
}

TDocument::TDocument(QObject *parent)
  : QObject(parent),
    d_history(std::make_unique<TUndo_History>(this, static_cast<TChange_Target *>(this)))
{
  QUndoStack *const stack = d_history->Stack();
  connect(stack, &QUndoStack::cleanChanged, this, &TDocument::Clean_Changed);
  connect(stack, &QUndoStack::indexChanged, this, &TDocument::Index_Changed);
  Start(DEFAULT_INPUT_RANGE, DEFAULT_EDIT_RANGE, false);
}

// The stack goes before the model it reports on.
TDocument::~TDocument()
{
  d_history->Stack()->disconnect(this);
}

QUndoStack *TDocument::Undo_Stack() const
{
  return d_history->Stack();
}

QString TDocument::Name() const
{
  return d_path.isEmpty() ? QCoreApplication::translate("Document", "Untitled")
                          : QFileInfo(d_path).fileName();
}

bool TDocument::Is_Modified() const
{
  return !d_history->Stack()->isClean();
}

const TTable_Values *TDocument::Table_Values(const TModel_Column column) const
{
  switch (column) {
  case INPUT_COLUMN:
    return &d_input_values;
  case EDIT_COLUMN:
    return &d_edit_values;
  case OUTPUT_COLUMN:
    break;
  }
  return &d_output_values;
}

const TGraph_Curve *TDocument::Curve(const TModel_Column column) const
{
  return column == OUTPUT_COLUMN ? &d_output_curve : &d_input_curve;
}

void TDocument::Start(const TRange &input, const TRange &edit, const bool zero_offset)
{
  TContent content;
  content.input = Corrected_Input(input);
  content.values.assign(static_cast<std::size_t>(content.input.count), 0.0);
  content.edit = Corrected_Edit(edit, content.input.range.increment);
  content.offsets.assign(static_cast<std::size_t>(content.edit.count), 0.0);
  content.zero_offset = zero_offset;
  Replace_Content(content);
  d_history->Clear();
  Mark_Saved();
}

void TDocument::Set_Input_Range(const TRange &typed)
{
  const TSeries series = Corrected_Input(typed);
  if (!Same_Series(series, d_model.Input_Series())) {
    d_history->Push(std::make_unique<TInput_Range_Change>(d_model, series));
  }
}

// Even the same range clears the offsets; only when all were 0.0 is nothing changed.
void TDocument::Set_Edit_Range(const TRange &typed)
{
  const TSeries series = Corrected_Edit(typed, d_model.Input_Series().range.increment);
  const Point_List &edit = d_model.Edit();
  const bool clears = std::any_of(edit.begin(), edit.end(),
                                  [](const TVector2 &point) { return point.y != 0.0; });
  if (clears || !Same_Series(series, d_model.Edit_Series())) {
    d_history->Push(std::make_unique<TEdit_Range_Change>(d_model, series));
  }
}

void TDocument::Set_Zero_Offset(const bool zero_offset)
{
  if (zero_offset != d_model.Zero_Offset()) {
    d_history->Push(std::make_unique<TZero_Offset_Change>(zero_offset));
  }
}

void TDocument::Set_Interpolation(const TInterpolation way)
{
  if (way != d_model.Interpolation()) {
    d_history->Push(std::make_unique<TInterpolation_Change>(d_model.Interpolation(), way));
  }
}

void TDocument::Edit_Cells(const TData_Table table, const QString &name, const TCell_Edits &edits)
{
  std::vector<TCell_Change> changes = Cell_Changes(table, edits);
  if (!changes.empty()) {
    d_history->Push(std::make_unique<TCell_Changes>(name, table, std::move(changes)));
  }
}

int TDocument::Start_Drag()
{
  return ++d_last_drag;
}

void TDocument::Drag_Offsets(const int drag, const TCell_Edits &edits)
{
  std::vector<TCell_Change> changes = Cell_Changes(EDIT_DATA, edits);
  if (!changes.empty()) {
    d_history->Push(std::make_unique<TDrag_Changes>(drag, std::move(changes)));
  }
}

// Only a drag whose step is the last one has anything to take back.
void TDocument::Cancel_Drag(const int drag)
{
  const auto *last = dynamic_cast<const TDrag_Changes *>(d_history->Last_Change());
  if (last && last->Session() == drag) {
    d_history->Undo_And_Forget();
  }
}

// Only the cells whose value changes. A cell edited twice in one edit changes from the
// value the first edit gave it, as if each were made in turn.
std::vector<TCell_Change> TDocument::Cell_Changes(const TData_Table table,
                                                  const TCell_Edits &edits) const
{
  const Point_List &points = Points_Of(d_model, table);
  std::vector<double> current;
  if (!Rows_Ascend(edits)) {
    current.reserve(points.size());
    for (const TVector2 &point : points) {
      current.push_back(point.y);
    }
  }
  std::vector<TCell_Change> changes;
  changes.reserve(edits.size());
  for (const TCell_Edit &edit : edits) {
    const std::size_t row = static_cast<std::size_t>(edit.row);
    if (!ASSERT(edit.column == 0) || !ASSERT(row < points.size())) {
      continue;
    }
    const double old_value = current.empty() ? points[row].y : current[row];
    if (old_value != edit.value) {
      changes.push_back({edit.row, old_value, edit.value});
    }
    if (!current.empty()) {
      current[row] = edit.value;
    }
  }
  return changes;
}

void TDocument::New()
{
  TContent content = d_model.Content();
  std::fill(content.values.begin(), content.values.end(), 0.0);
  std::fill(content.offsets.begin(), content.offsets.end(), 0.0);
  Replace_Content(content);
  Set_Path(QString());
  d_history->Clear();
  Mark_Saved();
}

bool TDocument::Open(const QString &path, QString *error)
{
  TContent content;
  if (!Read_Document(path, &content, error)) {
    return false;
  }
  Replace_Content(content);
  Set_Path(Absolute(path));
  d_history->Clear();
  Mark_Saved();
  return true;
}

bool TDocument::Open_Any(const QString &path, TImport_Report *report, QString *error)
{
  if (Is_Data_File(path)) {
    return Import(path, report, error);
  }
  return Open(path, error);
}

bool TDocument::Save(QString *error)
{
  if (!ASSERT(!d_path.isEmpty())) {
    return false;
  }
  return Save_As(d_path, error);
}

bool TDocument::Save_As(const QString &path, QString *error)
{
  if (!Write_Document(path, d_model.Content(), error)) {
    return false;
  }
  Set_Path(Absolute(path));
  Mark_Saved();
  return true;
}

// The new document starts over this document's ranges: a one-column file fills the input
// range, and the editor keeps its range with every offset 0.0, as New gives. The
// imported work is in no file yet: closing asks, and recovery keeps it. Its history
// starts empty, with no saved state to go back to.
bool TDocument::Import(const QString &path, TImport_Report *report, QString *error)
{
  TImport_Ranges ranges;
  ranges.input = d_model.Input_Series();
  ranges.edit = d_model.Edit_Series().range;
  ranges.zero_offset = d_model.Zero_Offset();
  ranges.interpolation = d_model.Interpolation();
  TContent content;
  bool resampled = false;
  if (!Import_Document(path, QLocale::system(), ranges, &content, &resampled, error)) {
    return false;
  }
  Replace_Content(content);
  Set_Path(QString());
  d_history->Clear_Unsaved();
  Index_Changed();
  if (report) {
    report->input = content.input;
    report->resampled = resampled;
  }
  return true;
}

bool TDocument::Export(const QString &path, const TExport_Options &options,
                       QString *error) const
{
  const TFile_Format format = File_Format(path);
  if (format == FORMAT_DOCUMENT) {
    return Write_Document(path, d_model.Content(), error);
  }
  if (Is_Table_Format(format)) {
    return Write_File(path, Output_Table(format == FORMAT_TSV), error);
  }
  const std::vector<TGraphDataSet> sets = Document_Graph_Sets(&d_input_curve, &d_output_curve);
  TGraph_Content content;
  content.Sets = &sets;
  content.Titles = Document_Graph_Titles();
  return Export_Graph(content, options.view, path, options.size, options.pixel_ratio, error);
}

QByteArray TDocument::Output_Table(const bool tab_separated) const
{
  return Table_Text(d_output_curve, tab_separated ? TABLE_TSV : TABLE_CSV);
}

void TDocument::Restore(const TRecovered_Work &work)
{
  Replace_Content(work.content);
  Set_Path(work.document_path);
  d_history->Clear_Unsaved();
  Save_Recovery();
}

void TDocument::Enable_Recovery(const int delay_ms)
{
  if (!d_recovery) {
    d_recovery = std::make_unique<TRecovery_File>();
    d_recovery_timer = new QTimer(this);
    d_recovery_timer->setSingleShot(true);
    connect(d_recovery_timer, &QTimer::timeout, this, &TDocument::Save_Recovery);
  }
  Set_Recovery_Delay(delay_ms);
}

void TDocument::Set_Recovery_Delay(const int delay_ms)
{
  if (d_recovery_timer) {
    d_recovery_timer->setInterval(delay_ms);
  }
}

void TDocument::Save_Recovery()
{
  if (!d_recovery || !Is_Modified()) {
    return;
  }
  QString error;
  if (!d_recovery->Write({d_model.Content(), d_path}, &error)) {
    emit Recovery_Failed(error);
  }
}

void TDocument::Discard_Recovery()
{
  if (d_recovery) {
    d_recovery_timer->stop();
    d_recovery->Remove();
  }
}

QString TDocument::Recovery_Path() const
{
  return d_recovery ? d_recovery->Path() : QString();
}

void TDocument::Write_Cells(const TData_Table table, const std::vector<TCell_Change> &changes,
                            const bool forward, const bool again)
{
  if (changes.empty()) {
    return;
  }
  int first = changes.front().row;
  int last = first;
  const auto write = [&](const TCell_Change &change) {
    const double value = forward ? change.new_value : change.old_value;
    if (table == INPUT_DATA) {
      d_model.Write_Input_Value(change.row, value);
    } else {
      d_model.Write_Offset(change.row, value);
    }
    first = std::min(first, change.row);
    last = std::max(last, change.row);
  };
  if (forward) {
    std::for_each(changes.begin(), changes.end(), write);
  } else {
    std::for_each(changes.rbegin(), changes.rend(), write);
  }
  const TRow_Span output = d_model.Update_Output();
  emit Cells_Changed(table, first, last);
  if (again) {
    emit Cells_Revisited(table, first, last);
  }
  Report_Output(output);
}

void TDocument::Write_Input_Series(const TSeries &series, const int first_restored,
                                   const std::vector<double> &restored)
{
  d_model.Set_Input_Series(series);
  for (std::size_t i = 0; i < restored.size(); ++i) {
    d_model.Write_Input_Value(first_restored + static_cast<int>(i), restored[i]);
  }
  d_model.Update_Output();
  emit Input_Range_Changed();
  Report_Output(All_Rows());
}

void TDocument::Write_Edit_Series(const TSeries &series, const std::vector<double> *offsets)
{
  d_model.Set_Edit_Series(series);
  if (offsets) {
    ASSERT(d_model.Set_Offsets(*offsets));
  }
  emit Edit_Range_Changed();
  Report_Output(All_Rows());
}

void TDocument::Write_Zero_Offset(const bool zero_offset)
{
  const TRow_Span output = d_model.Set_Zero_Offset(zero_offset);
  emit Zero_Offset_Changed(zero_offset);
  Report_Output(output);
}

void TDocument::Write_Interpolation(const TInterpolation way)
{
  const TRow_Span output = d_model.Set_Interpolation(way);
  emit Interpolation_Changed(way);
  Report_Output(output);
}

TRow_Span TDocument::All_Rows() const
{
  return TRow_Span{0, static_cast<int>(d_model.Row_Count()) - 1};
}

// The last step of every change applied.
void TDocument::Report_Output(const TRow_Span &rows)
{
  if (!rows.Empty()) {
    emit Output_Changed(rows.first, rows.last);
  }
  emit Change_Applied();
}

void TDocument::Replace_Content(const TContent &content)
{
  ASSERT(d_model.Set_Content(content));
  emit Input_Range_Changed();
  emit Edit_Range_Changed();
  emit Zero_Offset_Changed(d_model.Zero_Offset());
  emit Interpolation_Changed(d_model.Interpolation());
  Report_Output(All_Rows());
}

void TDocument::Set_Path(const QString &path)
{
  if (path != d_path) {
    d_path = path;
    emit Path_Changed(d_path);
  }
}

void TDocument::Mark_Saved()
{
  d_history->Stack()->setClean();
  Discard_Recovery();
}

// Once per step done or undone, never per cell: restarting the timer is all it costs.
void TDocument::Index_Changed()
{
  if (d_recovery && Is_Modified()) {
    d_recovery_timer->start();
  }
}

// Back at the saved state, nothing is left to recover.
void TDocument::Clean_Changed(const bool clean)
{
  if (clean) {
    Discard_Recovery();
  }
  emit Modified_Changed(!clean);
}
