#include "src/model/modelviews.h"

#include "core/assertion.h"

#include <algorithm>

namespace {

const Point_List &Points_Of(const TResampling_Model &model, const TModel_Column column)
{
  return column == EDIT_COLUMN ? model.Edit() : model.Input();
}

}  // namespace

TModel_Table_Values::TModel_Table_Values(const TResampling_Model *model,
                                         const TModel_Column column)
  : d_model(model), d_column(column)
{
  ASSERT(model);
}

double TModel_Table_Values::Value(const int row, const int) const
{
  const std::size_t index = static_cast<std::size_t>(row);
  if (d_column == OUTPUT_COLUMN) {
    return index < d_model->Row_Count() ? d_model->Output(index) : 0.0;
  }
  const Point_List &points = Points_Of(*d_model, d_column);
  return index < points.size() ? points[index].y : 0.0;
}

double TModel_Table_Values::Position(const int row) const
{
  const Point_List &points = Points_Of(*d_model, d_column);
  const std::size_t index = static_cast<std::size_t>(row);
  return index < points.size() ? points[index].x : 0.0;
}

int TModel_Table_Values::Row_Count() const
{
  return static_cast<int>(Points_Of(*d_model, d_column).size());
}

TModel_Curve::TModel_Curve(const TResampling_Model *model, const TModel_Column column)
  : d_model(model), d_column(column)
{
  ASSERT(model);
}

std::size_t TModel_Curve::Point_Count() const
{
  return Points_Of(*d_model, d_column).size();
}

// The input is held as points; the output is made as it is read.
const TVector2 *TModel_Curve::Held_Points() const
{
  return d_column == OUTPUT_COLUMN ? nullptr : Points_Of(*d_model, d_column).data();
}

void TModel_Curve::Copy_Points(const std::size_t first, const std::size_t count,
                               TVector2 *points) const
{
  const Point_List &source = Points_Of(*d_model, d_column);
  if (!ASSERT(first + count <= source.size())) {
    return;
  }
  if (d_column != OUTPUT_COLUMN) {
    std::copy(source.begin() + static_cast<std::ptrdiff_t>(first),
              source.begin() + static_cast<std::ptrdiff_t>(first + count), points);
    return;
  }
  d_model->Copy_Outputs(first, count, points);
}
