#include "src/document/undocommands.h"

#include "core/assertion.h"

#include <algorithm>
#include <utility>

namespace {

// What the stack's own command around a step costs besides the step's data.
const std::size_t COMMAND_OVERHEAD = 128;

template <class TValue>
std::size_t Vector_Bytes(const std::vector<TValue> &values)
{
  return values.capacity() * sizeof(TValue);
}

}  // namespace

TUndo_Step::TUndo_Step(TResampling_Model *model, TUndo_View *view, const QString &text)
  : d_model(model), d_view(view), d_text(text)
{
  ASSERT(model && view);
}

std::size_t TUndo_Step::Common_Bytes() const
{
  return COMMAND_OVERHEAD + static_cast<std::size_t>(d_text.capacity()) * sizeof(QChar);
}

TCell_Step::TCell_Step(TResampling_Model *model, TUndo_View *view, const QString &text,
                       const TData_Table table, std::vector<TCell_Change> changes)
  : TUndo_Step(model, view, text), d_table(table), d_changes(std::move(changes))
{
  d_changes.shrink_to_fit();
  const auto by_row = [](const TCell_Change &a, const TCell_Change &b) { return a.row < b.row; };
  const auto bounds = std::minmax_element(d_changes.begin(), d_changes.end(), by_row);
  if (bounds.first != d_changes.end()) {
    d_first_row = bounds.first->row;
    d_last_row = bounds.second->row;
  }
}

// Changes are taken back in reverse, so that a cell changed twice in one step ends with
// its first old value.
void TCell_Step::Undo()
{
  for (auto change = d_changes.rbegin(); change != d_changes.rend(); ++change) {
    if (d_table == INPUT_DATA) {
      Model().Set_Input_Value(change->row, change->old_value);
    } else {
      Model().Set_Offset(change->row, change->old_value);
    }
  }
  View().Show_Cells(d_table, d_first_row, d_last_row);
}

void TCell_Step::Redo()
{
  for (const TCell_Change &change : d_changes) {
    if (d_table == INPUT_DATA) {
      Model().Set_Input_Value(change.row, change.new_value);
    } else {
      Model().Set_Offset(change.row, change.new_value);
    }
  }
  View().Show_Cells(d_table, d_first_row, d_last_row);
}

std::size_t TCell_Step::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_changes);
}

TInput_Range_Step::TInput_Range_Step(TResampling_Model *model, TUndo_View *view,
                                     const TSeries &old_series,
                                     const std::vector<double> &old_values,
                                     const TSeries &new_series)
  : TUndo_Step(model, view, QStringLiteral("Input Range")),
    d_old_series(old_series),
    d_new_series(new_series)
{
  const std::size_t kept = static_cast<std::size_t>(std::max(new_series.count, 0));
  if (kept < old_values.size()) {
    d_dropped.assign(old_values.begin() + static_cast<std::ptrdiff_t>(kept), old_values.end());
  }
}

void TInput_Range_Step::Undo()
{
  Model().Set_Input_Series(d_old_series);
  const int first = d_new_series.count;
  for (std::size_t i = 0; i < d_dropped.size(); ++i) {
    Model().Set_Input_Value(first + static_cast<int>(i), d_dropped[i]);
  }
  View().Show_Input_Range();
}

void TInput_Range_Step::Redo()
{
  Model().Set_Input_Series(d_new_series);
  View().Show_Input_Range();
}

std::size_t TInput_Range_Step::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_dropped);
}

TEdit_Range_Step::TEdit_Range_Step(TResampling_Model *model, TUndo_View *view,
                                   const TSeries &old_series, std::vector<double> old_offsets,
                                   const TSeries &new_series)
  : TUndo_Step(model, view, QStringLiteral("Editor Range")),
    d_old_series(old_series),
    d_new_series(new_series),
    d_old_offsets(std::move(old_offsets))
{
}

void TEdit_Range_Step::Undo()
{
  Model().Set_Edit_Series(d_old_series);
  ASSERT(Model().Set_Offsets(d_old_offsets));
  View().Show_Edit_Range();
}

void TEdit_Range_Step::Redo()
{
  Model().Set_Edit_Series(d_new_series);
  View().Show_Edit_Range();
}

std::size_t TEdit_Range_Step::Bytes() const
{
  return sizeof(*this) + Common_Bytes() + Vector_Bytes(d_old_offsets);
}

TZero_Offset_Step::TZero_Offset_Step(TResampling_Model *model, TUndo_View *view,
                                     const bool zero_offset)
  : TUndo_Step(model, view, QStringLiteral("Zero Offset")), d_zero_offset(zero_offset)
{
}

void TZero_Offset_Step::Undo()
{
  Apply(!d_zero_offset);
}

void TZero_Offset_Step::Redo()
{
  Apply(d_zero_offset);
}

void TZero_Offset_Step::Apply(const bool zero_offset)
{
  Model().Set_Zero_Offset(zero_offset);
  View().Show_Zero_Offset();
}

std::size_t TZero_Offset_Step::Bytes() const
{
  return sizeof(*this) + Common_Bytes();
}

QString Step_Name(const QString &description)
{
  const QString suffix = QStringLiteral(" values");
  return description.endsWith(suffix) ? description.left(description.size() - suffix.size())
                                      : description;
}

bool Same_Series(const TSeries &a, const TSeries &b)
{
  return a.count == b.count && a.range.start == b.range.start
         && a.range.increment == b.range.increment && a.range.end == b.range.end;
}
