#ifndef CORE_GRAPHCACHE_H
#define CORE_GRAPHCACHE_H

#include "core/graphdata.h"
#include "core/graphmapping.h"

#include <cstddef>
#include <vector>

// What a graph keeps of one data set between drawings, so that a drawing after a change
// costs in proportion to the change, not to the set:
// - the bounds of its points, per block of points, for fitting the axes;
// - for one mapping, the few points that draw a line exactly as all its points do in
//   column runs: of each run of consecutive points in one pixel column, the first and the
//   last, the lowest and the highest, and one point for each row where two points in a
//   row share a pixel (a point with no pixel breaks the run, as it breaks the line).
//   Chained segments within a column cover what one from its lowest to its highest point
//   covers, and the segments between columns are kept, so the pixels are the same.
class TGraph_Set_Cache
{
public:
  // Everything is to be read again: the set was replaced.
  void Invalidate();
  // Points first to last changed their values; their positions stayed.
  void Invalidate(std::size_t first, std::size_t last);

  TGraph_Bounds Bounds(const TGraphDataSet &set);
  // The points that draw the set's line at the mapping.
  const Point_List &Line_Points(const TGraphDataSet &set, const TGraphMapping &mapping);

private:
  // A kept point and the first point of its run, by which the runs stay in order.
  struct TKept
  {
    std::size_t run;
    TVector2 point;
  };

  void Update_Blocks(const TGraphDataSet &set);
  bool Reduction_Fits(const TGraphMapping &mapping) const;
  void Reduce(const TGraphDataSet &set, std::size_t first, std::size_t last,
              std::vector<TKept> *kept) const;
  void Reduce_Part(const TGraphDataSet &set, std::size_t first, std::size_t last,
                   std::vector<TKept> *kept) const;
  void Rereduce_Changed(const TGraphDataSet &set);
  std::size_t Column_Start(const TGraphDataSet &set, std::size_t index) const;
  std::size_t Column_End(const TGraphDataSet &set, std::size_t index) const;

  std::size_t d_count = 0;
  std::vector<TGraph_Bounds> d_blocks;
  std::vector<bool> d_block_valid;
  bool d_blocks_valid = false;

  TGraphMapping d_mapping;
  bool d_reduced = false;
  std::size_t d_changed_first = 1;
  std::size_t d_changed_last = 0;
  std::vector<TKept> d_kept;
  Point_List d_points;
};

#endif
