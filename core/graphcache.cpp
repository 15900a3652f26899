#include "core/graphcache.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <thread>

namespace {

// Points per block of bounds: a change of one point reads its block again, not the set.
const std::size_t BLOCK_SIZE = 4096;

// Below this many points a second thread costs about what it saves.
const std::size_t SIDE_BY_SIDE_MINIMUM = 16384;

// Runs first_half(first, last) over the range, or, where the range is long enough to
// repay a second thread, first_half(first, middle - 1) here and second_half(middle, last)
// beside it. Returns the middle, or last + 1 where the range was not split.
template <class TFirst_Half, class TSecond_Half>
std::size_t Side_By_Side(const std::size_t first, const std::size_t last,
                         const std::size_t minimum, TFirst_Half first_half,
                         TSecond_Half second_half)
{
  if (last - first < minimum) {
    first_half(first, last);
    return last + 1;
  }
  const std::size_t middle = first + (last - first + 1) / 2;
  std::thread second([&] { second_half(middle, last); });
  first_half(first, middle - 1);
  second.join();
  return middle;
}

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

// The set's points in one array, where it has them so.
const TVector2 *Held_Points(const TGraphDataSet &set)
{
  return set.Curve ? set.Curve->Held_Points() : set.Points.data();
}

// Calls visit(index, point) for points first to last: in place where the set holds them
// in one array, otherwise read a block at a time.
template <class TVisit>
void Visit_Range(const TGraphDataSet &set, const std::size_t first, const std::size_t last,
                 TVisit visit)
{
  if (const TVector2 *held = Held_Points(set)) {
    for (std::size_t i = first; i <= last; ++i) {
      visit(i, held[i]);
    }
    return;
  }
  TVector2 block[BLOCK_SIZE];
  for (std::size_t start = first; start <= last; start += BLOCK_SIZE) {
    const std::size_t size = std::min(BLOCK_SIZE, last - start + 1);
    Read_Points(set, start, size, block);
    for (std::size_t i = 0; i < size; ++i) {
      visit(start + i, block[i]);
    }
  }
}

// A pixel's whole-number coordinate: what std::trunc gives, as an integer that compares
// and converts at a single instruction's cost, which is most of the work of finding the
// columns of a million points. Beyond the integer's range, which lies some 1e18 pixels
// off the plot, coordinates are held at its ends: points there share a pixel, though no
// line or dot of theirs reaches the plot.
using TPixel = long long;

TPixel Truncated(const double value)
{
  const double limit = 4.0e18;
  return value > -limit && value < limit ? static_cast<TPixel>(value)
                                         : (value < 0.0 ? TPixel(-limit) : TPixel(limit));
}

// The pixel column of a point as its run is found; false where it has none.
bool Pixel_Column(const TVector2 &point, const TGraphMapping &mapping, TPixel *column)
{
  const double x = point.x * mapping.XScale + mapping.XOffset;
  *column = Truncated(x);
  return std::isfinite(x);
}

bool Same_Horizontal(const TGraphMapping &a, const TGraphMapping &b)
{
  return a.XScale == b.XScale && a.XOffset == b.XOffset;
}

// A point's index and the pixel row the painter places it in: truncated, not rounded.
struct TPixel_Row
{
  std::size_t index = 0;
  TPixel row = 0;
};

bool By_Row(const TPixel_Row &a, const TPixel_Row &b)
{
  return a.row < b.row;
}

// A run of points in one pixel column, kept so that column runs draw the same pixels as
// all of its points: the vertical line between its lowest and highest pixel rows, a dot
// wherever two points in a row share a pixel (the painter places a single point by other
// rounding than a line through it), and its first and last points, which the lines to the
// columns beside it start and end at. Only indices and rows are followed point by point;
// the points themselves are read when the run is kept.
class TColumn_Group
{
public:
  explicit TColumn_Group(const TGraphDataSet &set) : d_set(set) {}

  // Starts the run anew at a point, keeping the memory of the last.
  void Start(const TPixel_Row &first)
  {
    d_first = d_low = d_high = d_last = first;
    d_dots.clear();
  }

  // A point that shares its pixel with the one before it. The rest of the run's state is
  // followed by the caller in plain values, which stay in registers over a million
  // points, and handed in when the run ends.
  void Add_Dot(const std::size_t index, const TPixel row)
  {
    if (d_dots.empty() || d_dots.back().row != row) {
      d_dots.push_back(TPixel_Row{index, row});
    }
  }

  void End(const TPixel_Row &low, const TPixel_Row &high, const TPixel_Row &last)
  {
    d_low = low;
    d_high = high;
    d_last = last;
  }

  // The first point, then each row a line or a dot needs, in order, then the last point;
  // two points share a row one after the other only where a dot belongs.
  template <class TKept>
  void Keep(std::vector<TKept> *kept)
  {
    const std::size_t first_kept = kept->size();
    std::sort(d_dots.begin(), d_dots.end(), By_Row);
    d_rows.assign(d_dots.begin(), d_dots.end());
    d_rows.push_back(d_low);
    d_rows.push_back(d_high);
    std::sort(d_rows.begin(), d_rows.end(), By_Row);
    const std::size_t run = d_first.index;
    TPixel previous = d_first.row;
    kept->push_back({run, Read_Point(d_set, d_first.index)});
    for (std::size_t i = 0; i < d_rows.size(); ++i) {
      const TPixel_Row &row = d_rows[i];
      if (i > 0 && row.row == d_rows[i - 1].row) {
        continue;
      }
      const bool dot = Is_Dot(row.row);
      const int copies = row.row != previous ? (dot ? 2 : 1) : (dot ? 1 : 0);
      if (copies > 0) {
        const TVector2 point = Read_Point(d_set, row.index);
        for (int copy = 0; copy < copies; ++copy) {
          kept->push_back({run, point});
        }
      }
      previous = row.row;
    }
    if (d_last.index == d_first.index) {
      return;
    }
    if (d_last.row == previous && !Is_Dot(d_last.row) && kept->size() > first_kept + 1) {
      kept->pop_back();
    }
    kept->push_back({run, Read_Point(d_set, d_last.index)});
  }

private:
  // The dots are in order of their rows by the time the run is kept.
  bool Is_Dot(const TPixel row) const
  {
    return std::binary_search(d_dots.begin(), d_dots.end(), TPixel_Row{0, row}, By_Row);
  }

  const TGraphDataSet &d_set;
  TPixel_Row d_first;
  TPixel_Row d_low;
  TPixel_Row d_high;
  TPixel_Row d_last;
  std::vector<TPixel_Row> d_dots;
  std::vector<TPixel_Row> d_rows;
};

// The run being followed, in plain values, which stay in registers over a million points
// where the run's group would be read and written through memory at every one.
struct TRun
{
  bool open = false;
  TPixel column = 0;
  TPixel_Row low;
  TPixel_Row high;
  TPixel_Row previous;
};

template <class TKept>
void End_Run(TColumn_Group *group, TRun *run, std::vector<TKept> *kept)
{
  if (run->open) {
    group->End(run->low, run->high, run->previous);
    group->Keep(kept);
    run->open = false;
  }
}

// Follows `count` points, the first of them point `first_index` of the set, through the
// runs of their columns, keeping each run as it ends; a point with no pixel is kept as it
// is, and breaks the run.
template <class TKept>
void Follow_Points(const TVector2 *points, const std::size_t first_index, const std::size_t count,
                   const TGraphMapping &mapping, TColumn_Group *group, TRun *state,
                   std::vector<TKept> *kept)
{
  const double x_scale = mapping.XScale;
  const double x_offset = mapping.XOffset;
  const double y_scale = mapping.YScale;
  const double y_offset = mapping.YOffset;
  TRun run = *state;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t index = first_index + i;
    const TVector2 &point = points[i];
    const double x = point.x * x_scale + x_offset;
    const double y = point.y * y_scale + y_offset;
    if (!std::isfinite(x) || !std::isfinite(y)) {
      End_Run(group, &run, kept);
      kept->push_back({index, point});
      continue;
    }
    const TPixel column = Truncated(x);
    const TPixel row = Truncated(y);
    if (run.open && column == run.column) {
      if (row == run.previous.row) {
        group->Add_Dot(index, row);
      }
      run.previous = TPixel_Row{index, row};
      // Selects rather than jumps: whether a noisy point is a new extreme is a coin toss
      // that a branch would guess wrong half the time.
      const bool lower = row < run.low.row;
      const bool higher = row > run.high.row;
      run.low.index = lower ? index : run.low.index;
      run.low.row = std::min(row, run.low.row);
      run.high.index = higher ? index : run.high.index;
      run.high.row = std::max(row, run.high.row);
      continue;
    }
    End_Run(group, &run, kept);
    group->Start(TPixel_Row{index, row});
    run.column = column;
    run.low = run.high = run.previous = TPixel_Row{index, row};
    run.open = true;
  }
  *state = run;
}

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
  std::vector<std::size_t> stale;
  for (std::size_t block = 0; block < d_blocks.size(); ++block) {
    if (!d_block_valid[block]) {
      stale.push_back(block);
    }
  }
  if (stale.empty()) {
    return;
  }
  // Each half writes its own blocks; the flags, packed in bits, are set afterwards.
  const auto read = [&](const std::size_t first, const std::size_t last) {
    for (std::size_t i = first; i <= last; ++i) {
      const std::size_t block = stale[i];
      const std::size_t start = block * BLOCK_SIZE;
      TGraph_Bounds bounds;
      Visit_Range(set, start, std::min(start + BLOCK_SIZE, count) - 1,
                  [&bounds](std::size_t, const TVector2 &point) { bounds.Include(point); });
      d_blocks[block] = bounds;
    }
  };
  Side_By_Side(0, stale.size() - 1, SIDE_BY_SIDE_MINIMUM / BLOCK_SIZE, read, read);
  for (const std::size_t block : stale) {
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

// The halves of a long range are reduced side by side. A run cut at the middle is kept as
// two: both points at the cut are kept, so the segment between them is drawn as before,
// and each part draws what its own points draw.
void TGraph_Set_Cache::Reduce(const TGraphDataSet &set, const std::size_t first,
                              const std::size_t last, std::vector<TKept> *kept) const
{
  std::vector<TKept> second;
  const std::size_t middle = Side_By_Side(
    first, last, SIDE_BY_SIDE_MINIMUM,
    [&](const std::size_t from, const std::size_t to) { Reduce_Part(set, from, to, kept); },
    [&](const std::size_t from, const std::size_t to) { Reduce_Part(set, from, to, &second); });
  if (middle <= last) {
    kept->insert(kept->end(), second.begin(), second.end());
  }
}

void TGraph_Set_Cache::Reduce_Part(const TGraphDataSet &set, const std::size_t first,
                                   const std::size_t last, std::vector<TKept> *kept) const
{
  TColumn_Group group(set);
  TRun run;
  if (const TVector2 *held = Held_Points(set)) {
    Follow_Points(held + first, first, last - first + 1, d_mapping, &group, &run, kept);
  } else {
    TVector2 block[BLOCK_SIZE];
    for (std::size_t start = first; start <= last; start += BLOCK_SIZE) {
      const std::size_t size = std::min(BLOCK_SIZE, last - start + 1);
      Read_Points(set, start, size, block);
      Follow_Points(block, start, size, d_mapping, &group, &run, kept);
    }
  }
  End_Run(&group, &run, kept);
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
  TPixel column = 0;
  if (!Pixel_Column(Read_Point(set, index), d_mapping, &column)) {
    return index;
  }
  TPixel before = 0;
  while (index > 0 && Pixel_Column(Read_Point(set, index - 1), d_mapping, &before)
         && before == column) {
    --index;
  }
  return index;
}

std::size_t TGraph_Set_Cache::Column_End(const TGraphDataSet &set, std::size_t index) const
{
  TPixel column = 0;
  if (!Pixel_Column(Read_Point(set, index), d_mapping, &column)) {
    return index;
  }
  TPixel after = 0;
  while (index + 1 < d_count && Pixel_Column(Read_Point(set, index + 1), d_mapping, &after)
         && after == column) {
    ++index;
  }
  return index;
}
