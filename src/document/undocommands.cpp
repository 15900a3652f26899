#include "src/document/undocommands.h"

#include "core/assertion.h"

#include <algorithm>
#include <utility>

namespace {

// What the stack's own command around a change costs besides the change's data.
const std::size_t COMMAND_OVERHEAD = 128;

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

TInput_Range_Change::TInput_Range_Change(const TResampling_Model &model,
                                         const TSeries &new_series)
  : TDocument_Change(QStringLiteral("Input Range")),
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
  : TDocument_Change(QStringLiteral("Editor Range")),
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
  : TDocument_Change(QStringLiteral("Zero Offset")), d_zero_offset(zero_offset)
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

QString Step_Name(const QString &description)
{
  const QString suffix = QStringLiteral(" values");
  return description.endsWith(suffix) ? description.left(description.size() - suffix.size())
                                      : description;
}
