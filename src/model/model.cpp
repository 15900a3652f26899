#include "src/model/model.h"

#include "core/assertion.h"

namespace {

// The input's spacing is never finer than this.
const double INPUT_MINIMUM_STEP = 1.0;

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

}  // namespace

TSeries Corrected_Input(const TRange &typed)
{
  return Correct_Range(typed, INPUT_MINIMUM_STEP);
}

TSeries Corrected_Edit(const TRange &typed, const double &input_increment)
{
  return Correct_Range(typed, Editor_Minimum_Step(input_increment));
}

void TResampling_Model::Set_Input_Series(const TSeries &series)
{
  d_input_series = series;
  Fill_Positions(d_input_series, &d_input);
  d_output = Values_Of(d_input);
}

void TResampling_Model::Set_Edit_Series(const TSeries &series)
{
  d_edit_series = series;
  Fill_Positions(d_edit_series, &d_edit);
  for (TVector2 &point : d_edit) {
    point.y = 0.0;
  }
}

void TResampling_Model::Set_Input_Value(const int row, const double &value)
{
  if (ASSERT(static_cast<unsigned int>(row) < d_input.size())) {
    d_input[static_cast<std::size_t>(row)].y = value;
  }
}

void TResampling_Model::Set_Offset(const int row, const double &value)
{
  if (ASSERT(static_cast<unsigned int>(row) < d_edit.size())) {
    d_edit[static_cast<std::size_t>(row)].y = value;
  }
}

void TResampling_Model::Set_Zero_Offset(const bool zero_offset)
{
  d_zero_offset = zero_offset;
}

bool TResampling_Model::Set_Offsets(const std::vector<double> &offsets)
{
  if (!Fits(d_edit_series, offsets)) {
    return false;
  }
  Fill_Values(offsets, &d_edit);
  return true;
}

TContent TResampling_Model::Content() const
{
  TContent content;
  content.input = d_input_series;
  content.values = Values_Of(d_input);
  content.edit = d_edit_series;
  content.offsets = Values_Of(d_edit);
  content.zero_offset = d_zero_offset;
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
  d_output = content.values;
  d_edit_series = content.edit;
  Fill_Positions(d_edit_series, &d_edit);
  Fill_Values(content.offsets, &d_edit);
  d_zero_offset = content.zero_offset;
  return true;
}

void TResampling_Model::Recalculate()
{
  if (ASSERT(d_output.size() == d_input.size())) {
    Calculate_Output(d_input, d_edit, d_zero_offset, &d_output);
  }
}
