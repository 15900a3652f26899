#include "src/model/model.h"

#include "core/assertion.h"

#include <algorithm>
#include <cstring>

namespace {

// The input's spacing is never finer than this.
const double INPUT_MINIMUM_STEP = 1.0;
// Up to this many offsets changed at once are joined again point by point; more are
// joined again as a whole.
const std::size_t POINTWISE_OFFSET_CHANGES = 8;

bool Fits(const TSeries &series, const std::vector<double> &values)
{
  return values.size() == static_cast<std::size_t>(series.count);
}

void Fill_Values(const std::vector<double> &values, Point_List *points)
{
  for (std::size_t i = 0; i < points->size(); ++i) {
    (*points)[i].y = values[i];
  }
}

std::vector<double> Values_Of(const Point_List &points)
{
  std::vector<double> values;
  values.reserve(points.size());
  for (const TVector2 &point : points) {
    values.push_back(point.y);
  }
  return values;
}

// The same double to the last bit; two NaNs alike count as the same.
bool Same_Bits(const double &a, const double &b)
{
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TRow_Span Span_Of(const std::size_t first, const std::size_t count)
{
  TRow_Span span;
  span.first = static_cast<int>(first);
  span.last = static_cast<int>(first + count) - 1;
  return span;
}

}  // namespace

TSeries Corrected_Input(const TRange &typed)
{
  return Correct_Range(typed, INPUT_MINIMUM_STEP);
}

TSeries Corrected_Edit(const TRange &typed, const double &input_increment)
{
  return Correct_Range(typed, Editor_Minimum_Step(input_increment));
}

void TRow_Span::Include(const TRow_Span &other)
{
  if (other.Empty()) {
    return;
  }
  if (Empty()) {
    *this = other;
    return;
  }
  first = std::min(first, other.first);
  last = std::max(last, other.last);
}

TResampling_Model::TResampling_Model()
{
  Rebuild_Offsets();
}

// With the shift off, less 0.0: the same double, whatever it is.
double TResampling_Model::Output(const std::size_t row) const
{
  return d_base[row] - Shift();
}

void TResampling_Model::Copy_Outputs(const std::size_t first, const std::size_t count,
                                     TVector2 *points) const
{
  const double shift = Shift();
  for (std::size_t row = first; row < first + count; ++row) {
    *points++ = TVector2(d_input[row].x, d_base[row] - shift);
  }
}

std::vector<double> TResampling_Model::Outputs() const
{
  std::vector<double> outputs(d_base.size());
  for (std::size_t row = 0; row < outputs.size(); ++row) {
    outputs[row] = Output(row);
  }
  return outputs;
}

double TResampling_Model::Shift() const
{
  return d_zero_offset ? d_shift : 0.0;
}

TRow_Span TResampling_Model::Set_Input_Series(const TSeries &series)
{
  d_input_series = series;
  Fill_Positions(d_input_series, &d_input);
  d_base.resize(d_input.size());
  Recompute_Rows(All_Rows());
  Update_Shift(All_Rows());
  return All_Rows();
}

TRow_Span TResampling_Model::Set_Edit_Series(const TSeries &series)
{
  d_edit_series = series;
  Fill_Positions(d_edit_series, &d_edit);
  for (TVector2 &point : d_edit) {
    point.y = 0.0;
  }
  Rebuild_Offsets();
  Recompute_Rows(All_Rows());
  Update_Shift(All_Rows());
  return All_Rows();
}

TRow_Span TResampling_Model::Set_Input_Value(const int row, const double &value)
{
  Write_Input_Value(row, value);
  return Update_Output();
}

TRow_Span TResampling_Model::Set_Offset(const int row, const double &value)
{
  Write_Offset(row, value);
  return Update_Output();
}

TRow_Span TResampling_Model::Set_Zero_Offset(const bool zero_offset)
{
  if (zero_offset == d_zero_offset) {
    return TRow_Span();
  }
  d_zero_offset = zero_offset;
  d_shift = zero_offset ? Value_At_Zero(d_input, d_base) : 0.0;
  return All_Rows();
}

TRow_Span TResampling_Model::Set_Interpolation(const TInterpolation interpolation)
{
  if (interpolation == d_offsets.Way()) {
    return TRow_Span();
  }
  d_offsets.Set_Points(interpolation, d_edit);
  Recompute_Rows(All_Rows());
  Update_Shift(All_Rows());
  return All_Rows();
}

bool TResampling_Model::Set_Offsets(const std::vector<double> &offsets, TRow_Span *changed)
{
  if (!Fits(d_edit_series, offsets)) {
    return false;
  }
  Fill_Values(offsets, &d_edit);
  Rebuild_Offsets();
  Recompute_Rows(All_Rows());
  Update_Shift(All_Rows());
  if (changed) {
    *changed = All_Rows();
  }
  return true;
}

void TResampling_Model::Write_Input_Value(const int row, const double &value)
{
  if (ASSERT(static_cast<unsigned int>(row) < d_input.size())) {
    d_input[static_cast<std::size_t>(row)].y = value;
    d_written_rows.Include(TRow_Span{row, row});
  }
}

void TResampling_Model::Write_Offset(const int row, const double &value)
{
  if (ASSERT(static_cast<unsigned int>(row) < d_edit.size())) {
    d_edit[static_cast<std::size_t>(row)].y = value;
    d_written_offsets.push_back(row);
  }
}

TRow_Span TResampling_Model::Update_Output()
{
  TRow_Span changed = Join_Changed_Offsets();
  changed.Include(d_written_rows);
  d_written_rows = TRow_Span();
  Recompute_Rows(changed);
  return Update_Shift(changed);
}

TContent TResampling_Model::Content() const
{
  TContent content;
  content.input = d_input_series;
  content.values = Values_Of(d_input);
  content.edit = d_edit_series;
  content.offsets = Values_Of(d_edit);
  content.zero_offset = d_zero_offset;
  content.interpolation = d_offsets.Way();
  return content;
}

bool TResampling_Model::Set_Content(const TContent &content)
{
  if (!Fits(content.input, content.values) || !Fits(content.edit, content.offsets)) {
    return false;
  }
  d_input_series = content.input;
  Fill_Positions(d_input_series, &d_input);
  Fill_Values(content.values, &d_input);
  d_edit_series = content.edit;
  Fill_Positions(d_edit_series, &d_edit);
  Fill_Values(content.offsets, &d_edit);
  d_zero_offset = content.zero_offset;
  d_offsets.Set_Points(content.interpolation, d_edit);
  d_written_offsets.clear();
  d_written_rows = TRow_Span();
  d_base.resize(d_input.size());
  Recompute_Rows(All_Rows());
  d_shift = d_zero_offset ? Value_At_Zero(d_input, d_base) : 0.0;
  return true;
}

void TResampling_Model::Recalculate()
{
  Rebuild_Offsets();
  Recompute_Rows(All_Rows());
  Update_Shift(All_Rows());
}

TRow_Span TResampling_Model::All_Rows() const
{
  return Span_Of(0, d_input.size());
}

void TResampling_Model::Rebuild_Offsets()
{
  d_offsets.Set_Points(d_offsets.Way(), d_edit);
  d_written_offsets.clear();
}

// A few changed offsets move only the outputs near them; many are joined again at once.
TRow_Span TResampling_Model::Join_Changed_Offsets()
{
  if (d_written_offsets.empty()) {
    return TRow_Span();
  }
  if (d_written_offsets.size() > POINTWISE_OFFSET_CHANGES || d_offsets.Count() != d_edit.size()) {
    Rebuild_Offsets();
    return All_Rows();
  }
  TRow_Span changed;
  for (const int row : d_written_offsets) {
    const std::size_t point = static_cast<std::size_t>(row);
    d_offsets.Set_Value(point, d_edit[point].y);
    std::size_t first = 0;
    std::size_t count = 0;
    d_offsets.Affected_Range(point, d_input, &first, &count);
    changed.Include(Span_Of(first, count));
  }
  d_written_offsets.clear();
  return changed;
}

// The input value plus the offset, in that order, as the output has always been added.
void TResampling_Model::Recompute_Rows(const TRow_Span &rows)
{
  if (rows.Empty() || d_base.empty()) {
    return;
  }
  const std::size_t first = static_cast<std::size_t>(rows.first);
  const std::size_t count = static_cast<std::size_t>(rows.last - rows.first + 1);
  d_offsets.Evaluate(d_input, first, count, d_base.data());
  for (std::size_t i = first; i < first + count; ++i) {
    d_base[i] = d_input[i].y + d_base[i];
  }
}

// A shift that moves moves every output.
TRow_Span TResampling_Model::Update_Shift(const TRow_Span &changed)
{
  if (!d_zero_offset) {
    return changed;
  }
  const double shift = Value_At_Zero(d_input, d_base);
  if (Same_Bits(shift, d_shift)) {
    return changed;
  }
  d_shift = shift;
  return All_Rows();
}
