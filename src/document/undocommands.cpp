#include "src/document/undocommands.h"

#include "core/assertion.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace {

// What the stack's own command around a change costs besides the change's data.
const std::size_t COMMAND_OVERHEAD = 128;

// The merge id of drags, apart from every other change.
const int DRAG_MERGE_ID = 1;

bool Row_Before(const TCell_Change &change, const int row)
{
  return change.row < row;
}

template <class TValue>
std::size_t Vector_Bytes(const std::vector<TValue> &values)
{
  return values.capacity() * sizeof(TValue);
}

std::vector<double> Values_From(const Point_List &points, const std::size_t first)
{
  std::vector<double> values;
  for (std::size_t i = first; i < points.size(); ++i) {
    values.push_back(points[i].y);
  }
  return values;
}

}  // namespace

TDocument_Change::TDocument_Change(const QString &text) : d_text(text)
{
}

std::size_t TDocument_Change::Common_Bytes() const
{
  return COMMAND_OVERHEAD + static_cast<std::size_t>(d_text.capacity()) * sizeof(QChar);
}

TCell_Changes::TCell_Changes(const QString &text, const TData_Table table,
                             std::vector<TCell_Change> changes)
  : TDocument_Change(text), d_table(table), d_changes(std::move(changes))
{
  d_changes.shrink_to_fit();
}

void TCell_Changes::Apply(TChange_Target *target, const bool again)
{
  target->Write_Cells(d_table, d_changes, true, again);
}

void TCell_Changes::Revert(TChange_Target *target)
{
  target->Write_Cells(d_table, d_changes, false, true);
}

std::size_t TCell_Changes::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_changes);
}

bool TDocument_Change::Merge_With(const TDocument_Change &)
{
  return false;
}

TDrag_Changes::TDrag_Changes(const int session, std::vector<TCell_Change> changes)
  : TDocument_Change(QCoreApplication::translate("Undo_Steps", "Drag Offsets")),
    d_session(session),
    d_changes(std::move(changes))
{
  std::stable_sort(d_changes.begin(), d_changes.end(),
                   [](const TCell_Change &a, const TCell_Change &b) { return a.row < b.row; });
}

void TDrag_Changes::Apply(TChange_Target *target, const bool again)
{
  target->Write_Cells(EDIT_DATA, d_changes, true, again);
}

void TDrag_Changes::Revert(TChange_Target *target)
{
  target->Write_Cells(EDIT_DATA, d_changes, false, true);
}

std::size_t TDrag_Changes::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_changes);
}

int TDrag_Changes::Merge_Id() const
{
  return DRAG_MERGE_ID;
}

// Only the steps of the same drag merge, so two drags one after the other are two steps.
bool TDrag_Changes::Merge_With(const TDocument_Change &next)
{
  const auto *drag = dynamic_cast<const TDrag_Changes *>(&next);
  if (!drag || drag->d_session != d_session) {
    return false;
  }
  for (const TCell_Change &change : drag->d_changes) {
    Merge_Cell(change);
  }
  return true;
}

// A cell the drag changed before keeps its first old value; a new one comes in whole.
void TDrag_Changes::Merge_Cell(const TCell_Change &change)
{
  const auto place = std::lower_bound(d_changes.begin(), d_changes.end(), change.row, Row_Before);
  if (place != d_changes.end() && place->row == change.row) {
    place->new_value = change.new_value;
  } else {
    d_changes.insert(place, change);
  }
}

bool TDrag_Changes::Changes_Nothing() const
{
  return std::all_of(d_changes.begin(), d_changes.end(),
                     [](const TCell_Change &change) { return change.old_value == change.new_value; });
}

TInput_Range_Change::TInput_Range_Change(const TResampling_Model &model,
                                         const TSeries &new_series)
  : TDocument_Change(QCoreApplication::translate("Undo_Steps", "Input Range")),
    d_old_series(model.Input_Series()),
    d_new_series(new_series),
    d_dropped(Values_From(model.Input(), static_cast<std::size_t>(std::max(new_series.count, 0))))
{
}

void TInput_Range_Change::Apply(TChange_Target *target, bool)
{
  target->Write_Input_Series(d_new_series, d_new_series.count, std::vector<double>());
}

void TInput_Range_Change::Revert(TChange_Target *target)
{
  target->Write_Input_Series(d_old_series, d_new_series.count, d_dropped);
}

std::size_t TInput_Range_Change::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_dropped);
}

TEdit_Range_Change::TEdit_Range_Change(const TResampling_Model &model, const TSeries &new_series)
  : TDocument_Change(QCoreApplication::translate("Undo_Steps", "Editor Range")),
    d_old_series(model.Edit_Series()),
    d_new_series(new_series),
    d_old_offsets(Values_From(model.Edit(), 0))
{
}

void TEdit_Range_Change::Apply(TChange_Target *target, bool)
{
  target->Write_Edit_Series(d_new_series, nullptr);
}

void TEdit_Range_Change::Revert(TChange_Target *target)
{
  target->Write_Edit_Series(d_old_series, &d_old_offsets);
}

std::size_t TEdit_Range_Change::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_old_offsets);
}

TZero_Offset_Change::TZero_Offset_Change(const bool zero_offset)
  : TDocument_Change(QCoreApplication::translate("Undo_Steps", "Zero Offset")),
    d_zero_offset(zero_offset)
{
}

void TZero_Offset_Change::Apply(TChange_Target *target, bool)
{
  target->Write_Zero_Offset(d_zero_offset);
}

void TZero_Offset_Change::Revert(TChange_Target *target)
{
  target->Write_Zero_Offset(!d_zero_offset);
}

std::size_t TZero_Offset_Change::Bytes() const
{
  return sizeof(*this) + Common_Bytes();
}

TInterpolation_Change::TInterpolation_Change(const TInterpolation old_way,
                                             const TInterpolation new_way)
  : TDocument_Change(QCoreApplication::translate("Undo_Steps", "Interpolation")),
    d_old_way(old_way),
    d_new_way(new_way)
{
}

void TInterpolation_Change::Apply(TChange_Target *target, bool)
{
  target->Write_Interpolation(d_new_way);
}

void TInterpolation_Change::Revert(TChange_Target *target)
{
  target->Write_Interpolation(d_old_way);
}

std::size_t TInterpolation_Change::Bytes() const
{
  return sizeof(*this) + Common_Bytes();
}

QString Step_Name(const QString &description)
{
  const QString suffix = QStringLiteral(" values");
  return description.endsWith(suffix) ? description.left(description.size() - suffix.size())
                                      : description;
}
