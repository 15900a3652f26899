#ifndef CORE_GRAPHDATA_H
#define CORE_GRAPHDATA_H

#include "core/vector2.h"

#include <QColor>

#include <cstddef>
#include <vector>

// How a data set is drawn; any other value is not drawn but still counts in the fit.
const int STYLE_DEFAULT = 0;
const int STYLE_LINES = 1;
const int STYLE_BARS = 2;
const int STYLE_MARKERS = 3;

// Points a graph shows without holding them: their owner keeps them and tells the graph
// when they change. A graph may read a long curve from two threads at once, so reading
// must not change the curve.
class TGraph_Curve
{
public:
  virtual ~TGraph_Curve() = default;
  virtual std::size_t Point_Count() const = 0;
  // Copies the points from `first` on, `count` of them, into `points`.
  virtual void Copy_Points(std::size_t first, std::size_t count, TVector2 *points) const = 0;
  // All points in one array, where the curve holds them so, to be read in place; none
  // otherwise.
  virtual const TVector2 *Held_Points() const { return nullptr; }
};

// A set holds its own points, or shows a curve held elsewhere when Curve is set.
struct TGraphDataSet
{
  Point_List Points;
  QColor Color;
  int Style = STYLE_DEFAULT;
  const TGraph_Curve *Curve = nullptr;
};

// How many points the set shows, from whichever source it has.
std::size_t Set_Point_Count(const TGraphDataSet &set);

// Calls visit(point) for every point of the set in order. A curve's points are fetched in
// blocks, so that a set of a million points costs one call per block, not per point.
template <class TVisit>
void Visit_Points(const TGraphDataSet &set, TVisit visit)
{
  if (!set.Curve) {
    for (const TVector2 &point : set.Points) {
      visit(point);
    }
    return;
  }
  const std::size_t block_size = 4096;
  TVector2 block[block_size];
  const std::size_t count = set.Curve->Point_Count();
  for (std::size_t first = 0; first < count; first += block_size) {
    const std::size_t size = count - first < block_size ? count - first : block_size;
    set.Curve->Copy_Points(first, size, block);
    for (std::size_t i = 0; i < size; ++i) {
      visit(block[i]);
    }
  }
}

#endif
