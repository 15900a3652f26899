#include "src/model/editoutput.h"

#include <algorithm>
#include <cmath>

namespace {

// The input's value at a position, on the straight line between the two rows around it,
// or along the first or last two beyond the ends. The rows are evenly spaced, so the row
// is found from the position; the neighbours then settle where rounding put it. For
// drawing, not for the output's arithmetic.
double Input_At(const Point_List &input, const double x)
{
  const std::size_t n = input.size();
  if (n < 2) {
    return n == 1 ? input[0].y : 0.0;
  }
  const double step = input[1].x - input[0].x;
  if (step == 0.0 || !std::isfinite(step)) {
    return input[0].y;
  }
  const double found = std::floor((x - input[0].x) / step);
  std::size_t k = found <= 0.0 ? 0 : std::min(static_cast<std::size_t>(std::min(found, 1e18)), n - 2);
  const double direction = step > 0.0 ? 1.0 : -1.0;
  while (k > 0 && (x - input[k].x) * direction < 0.0) {
    --k;
  }
  while (k + 2 < n && (x - input[k + 1].x) * direction > 0.0) {
    ++k;
  }
  const TVector2 &a = input[k];
  const TVector2 &b = input[k + 1];
  return a.y + (b.y - a.y) * ((x - a.x) / (b.x - a.x));
}

}  // namespace

Point_List Output_At_Edit_Positions(const TResampling_Model &model)
{
  const Point_List &edit = model.Edit();
  const double shift = model.Shift();
  Point_List points(edit.size());
  for (std::size_t i = 0; i < edit.size(); ++i) {
    points[i] = TVector2(edit[i].x, Input_At(model.Input(), edit[i].x) + edit[i].y - shift);
  }
  return points;
}
