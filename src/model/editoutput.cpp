#include "src/model/editoutput.h"

#include "core/interpolation.h"
#include "src/model/resampling.h"

#include <algorithm>
#include <vector>

namespace {

// The input rows Value_At_Zero looks at: from two before the first row at or past
// position 0 (in the direction the positions run) to two after it, within the rows.
Point_List Rows_Around_Zero(const Point_List &input)
{
  const bool ascending = input.back().x >= input.front().x;
  const auto reached = ascending
    ? std::partition_point(input.begin(), input.end(), [](const TVector2 &p) { return p.x < 0.0; })
    : std::partition_point(input.begin(), input.end(), [](const TVector2 &p) { return p.x > 0.0; });
  const std::size_t row = static_cast<std::size_t>(reached - input.begin());
  const std::size_t first = row >= 2 ? row - 2 : 0;
  const std::size_t last = std::min(row + 2, input.size() - 1);
  return Point_List(input.begin() + static_cast<std::ptrdiff_t>(first),
                    input.begin() + static_cast<std::ptrdiff_t>(last + 1));
}

}  // namespace

double Zero_Shift(const Point_List &input, const Point_List &edit, const bool zero_offset)
{
  if (!zero_offset || input.size() < 2) {
    return 0.0;
  }
  const Point_List rows = Rows_Around_Zero(input);
  std::vector<double> offsets;
  Interpolate_At_Positions(edit, rows, &offsets);
  std::vector<double> unshifted(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    unshifted[i] = rows[i].y + offsets[i];
  }
  return Value_At_Zero(rows, unshifted);
}

Point_List Output_At_Edit_Positions(const TResampling_Model &model)
{
  const Point_List &edit = model.Edit();
  std::vector<double> input_there;
  Interpolate_At_Positions(model.Input(), edit, &input_there);
  const double shift = Zero_Shift(model.Input(), edit, model.Zero_Offset());
  Point_List points(edit.size());
  for (std::size_t i = 0; i < edit.size(); ++i) {
    points[i] = TVector2(edit[i].x, input_there[i] + edit[i].y - shift);
  }
  return points;
}
