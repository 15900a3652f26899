#include "core/graphdata.h"

std::size_t Set_Point_Count(const TGraphDataSet &set)
{
  return set.Curve ? set.Curve->Point_Count() : set.Points.size();
}
