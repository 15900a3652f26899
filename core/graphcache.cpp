#include "core/graphcache.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Points per block of bounds: a change of one point reads its block again, not the set.
const std::size_t BLOCK_SIZE = 4096;

// Reads points first to first + count - 1 of a set, whichever holds them.
void Read_Points(const TGraphDataSet &set, const std::size_t first, const std::size_t count,
                 TVector2 *points)
{
  if (set.Curve) {
    set.Curve->Copy_Points(first, count, points);
  } else {
    std::copy(set.Points.begin() + static_cast<std::ptrdiff_t>(first),
              set.Points.begin() + static_cast<std::ptrdiff_t>(first + count), points);
  }
}

TVector2 Read_Point(const TGraphDataSet &set, const std::size_t index)
{
  TVector2 point;
  Read_Points(set, index, 1, &point);
  return point;
}

// Calls visit(index, point) for points first to last, read a block at a time.
template <class TVisit>
void Visit_Range(const TGraphDataSet &set, const std::size_t first, const std::size_t last,
                 TVisit visit)
{
  TVector2 block[BLOCK_SIZE];
  for (std::size_t start = first; start <= last; start += BLOCK_SIZE) {
    const std::size_t size = std::min(BLOCK_SIZE, last - start + 1);
    Read_Points(set, start, size, block);
    for (std::size_t i = 0; i < size; ++i) {
      visit(start + i, block[i]);
    }
  }
}

// The pixel column as the painter finds it.
double Pixel_Column(const TVector2 &point, const TGraphMapping &mapping)
{
  return std::trunc(point.x * mapping.XScale + mapping.XOffset);
}


bool Same_Horizontal(const TGraphMapping &a, const TGraphMapping &b)
{
  return a.XScale == b.XScale && a.XOffset == b.XOffset;
}

// A pixel as the painter places a point: truncated, not rounded.
struct TPixel_Point
{
  std::size_t index = 0;
  TVector2 point;
  double row = 0.0;
};

// A run of points in one pixel column, kept so that column runs draw the same pixels as
// all of its points: the vertical line between its lowest and highest pixel rows, a dot
// wherever two points in a row share a pixel (the painter places a single point by other
// rounding than a line through it), and its first and last points, which the lines to the
// columns beside it start and end at.
class TColumn_Group
{
public:
  // Starts the run anew at a point, keeping the memory of the last.
  void Start(const TPixel_Point &first, const double column)
  {
    d_column = column;
    d_first = d_low = d_high = d_last = first;
    d_dots.clear();
  }

  double Column() const { return d_column; }

  void Add(const TPixel_Point &point)
  {
    if (point.row == d_last.row && (d_dots.empty() || d_dots.back().row != point.row)) {
      d_dots.push_back(point);
    }
    d_last = point;
    if (point.row < d_low.row) {
      d_low = point;
    }
    if (point.row > d_high.row) {
      d_high = point;
    }
  }

  // The first point, then each row a line or a dot needs, in order, then the last point;
  // two points share a row one after the other only where a dot belongs.
  template <class TKept>
  void Keep(std::vector<TKept> *kept)
  {
    const std::size_t first_kept = kept->size();
    std::sort(d_dots.begin(), d_dots.end(), By_Row);
    std::vector<TPixel_Point> &rows = d_rows;
    rows.assign(d_dots.begin(), d_dots.end());
    rows.push_back(d_low);
    rows.push_back(d_high);
    std::sort(rows.begin(), rows.end(), By_Row);
    const std::size_t run = d_first.index;
    TPixel_Point previous = d_first;
    kept->push_back({run, d_first.point});
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (i > 0 && rows[i].row == rows[i - 1].row) {
        continue;
      }
      const bool dot = Is_Dot(rows[i].row);
      if (rows[i].row != previous.row || dot) {
        kept->push_back({run, rows[i].point});
      }
      if (rows[i].row != previous.row && dot) {
        kept->push_back({run, rows[i].point});
      }
      previous = rows[i];
    }
    if (d_last.index == d_first.index) {
      return;
    }
    if (d_last.row == previous.row && !Is_Dot(d_last.row) && kept->size() > first_kept + 1) {
      kept->pop_back();
    }
    kept->push_back({run, d_last.point});
  }

private:
  static bool By_Row(const TPixel_Point &a, const TPixel_Point &b) { return a.row < b.row; }

  // The dots are in order of their rows by the time the run is kept.
  bool Is_Dot(const double row) const
  {
    return std::binary_search(d_dots.begin(), d_dots.end(), TPixel_Point{0, TVector2(), row},
                              By_Row);
  }

  double d_column = 0.0;
  TPixel_Point d_first;
  TPixel_Point d_low;
  TPixel_Point d_high;
  TPixel_Point d_last;
  std::vector<TPixel_Point> d_dots;
  std::vector<TPixel_Point> d_rows;
};

}  // namespace

void TGraph_Set_Cache::Invalidate()
{
  d_blocks_valid = false;
  d_reduced = false;
}

void TGraph_Set_Cache::Invalidate(const std::size_t first, const std::size_t last)
{
  if (first > last) {
    return;
  }
  const std::size_t last_block = std::min(last / BLOCK_SIZE, d_block_valid.size());
  for (std::size_t block = first / BLOCK_SIZE; block < last_block + 1; ++block) {
    if (block < d_block_valid.size()) {
      d_block_valid[block] = false;
    }
  }
  if (d_changed_first > d_changed_last) {
    d_changed_first = first;
    d_changed_last = last;
  } else {
    d_changed_first = std::min(d_changed_first, first);
    d_changed_last = std::max(d_changed_last, last);
  }
}

TGraph_Bounds TGraph_Set_Cache::Bounds(const TGraphDataSet &set)
{
  Update_Blocks(set);
  TGraph_Bounds bounds;
  for (const TGraph_Bounds &block : d_blocks) {
    bounds.Include(block);
  }
  return bounds;
}

// A set of another size is another set: everything is read anew.
void TGraph_Set_Cache::Update_Blocks(const TGraphDataSet &set)
{
  const std::size_t count = Set_Point_Count(set);
  if (count != d_count || !d_blocks_valid) {
    d_count = count;
    d_blocks.assign((count + BLOCK_SIZE - 1) / BLOCK_SIZE, TGraph_Bounds());
    d_block_valid.assign(d_blocks.size(), false);
    d_blocks_valid = true;
    d_reduced = false;
  }
  for (std::size_t block = 0; block < d_blocks.size(); ++block) {
    if (d_block_valid[block]) {
      continue;
    }
    TGraph_Bounds bounds;
    const std::size_t first = block * BLOCK_SIZE;
    Visit_Range(set, first, std::min(first + BLOCK_SIZE, count) - 1,
                [&bounds](std::size_t, const TVector2 &point) { bounds.Include(point); });
    d_blocks[block] = bounds;
    d_block_valid[block] = true;
  }
}

const Point_List &TGraph_Set_Cache::Line_Points(const TGraphDataSet &set,
                                                const TGraphMapping &mapping)
{
  Bounds(set);
  if (!d_reduced || !Reduction_Fits(mapping)) {
    d_kept.clear();
    if (d_count > 0) {
      d_mapping = mapping;
      Reduce(set, 0, d_count - 1, &d_kept);
    }
    d_reduced = true;
    d_changed_first = 1;
    d_changed_last = 0;
  } else if (d_changed_first <= d_changed_last) {
    d_mapping = mapping;
    Rereduce_Changed(set);
  }
  d_mapping = mapping;
  d_points.resize(d_kept.size());
  std::transform(d_kept.begin(), d_kept.end(), d_points.begin(),
                 [](const TKept &kept) { return kept.point; });
  return d_points;
}

// Which points are kept depends on the pixel rows too.
bool TGraph_Set_Cache::Reduction_Fits(const TGraphMapping &mapping) const
{
  return Same_Horizontal(mapping, d_mapping) && mapping.YScale == d_mapping.YScale
         && mapping.YOffset == d_mapping.YOffset;
}

void TGraph_Set_Cache::Reduce(const TGraphDataSet &set, const std::size_t first,
                              const std::size_t last, std::vector<TKept> *kept) const
{
  const TGraphMapping &mapping = d_mapping;
  bool open = false;
  TColumn_Group group;
  Visit_Range(set, first, last, [&](const std::size_t index, const TVector2 &point) {
    const double column = std::trunc(point.x * mapping.XScale + mapping.XOffset);
    const double row = std::trunc(point.y * mapping.YScale + mapping.YOffset);
    if (!std::isfinite(column) || !std::isfinite(row)) {
      if (open) {
        group.Keep(kept);
        open = false;
      }
      kept->push_back({index, point});
      return;
    }
    const TPixel_Point pixel{index, point, row};
    if (open && column == group.Column()) {
      group.Add(pixel);
      return;
    }
    if (open) {
      group.Keep(kept);
    }
    group.Start(pixel, column);
    open = true;
  });
  if (open) {
    group.Keep(kept);
  }
}

// The changed points are kept anew with the whole columns they lie in, since a run
// never reaches beyond its column.
void TGraph_Set_Cache::Rereduce_Changed(const TGraphDataSet &set)
{
  const std::size_t first = Column_Start(set, std::min(d_changed_first, d_count - 1));
  const std::size_t last = Column_End(set, std::min(d_changed_last, d_count - 1));
  std::vector<TKept> fresh;
  Reduce(set, first, last, &fresh);
  const auto by_run = [](const TKept &kept, const std::size_t index) {
    return kept.run < index;
  };
  const auto begin = std::lower_bound(d_kept.begin(), d_kept.end(), first, by_run);
  const auto end = std::lower_bound(begin, d_kept.end(), last + 1, by_run);
  const auto at = d_kept.erase(begin, end);
  d_kept.insert(at, fresh.begin(), fresh.end());
  d_changed_first = 1;
  d_changed_last = 0;
}

std::size_t TGraph_Set_Cache::Column_Start(const TGraphDataSet &set, std::size_t index) const
{
  const double column = Pixel_Column(Read_Point(set, index), d_mapping);
  if (!std::isfinite(column)) {
    return index;
  }
  while (index > 0 && Pixel_Column(Read_Point(set, index - 1), d_mapping) == column) {
    --index;
  }
  return index;
}

std::size_t TGraph_Set_Cache::Column_End(const TGraphDataSet &set, std::size_t index) const
{
  const double column = Pixel_Column(Read_Point(set, index), d_mapping);
  if (!std::isfinite(column)) {
    return index;
  }
  while (index + 1 < d_count && Pixel_Column(Read_Point(set, index + 1), d_mapping) == column) {
    ++index;
  }
  return index;
}
