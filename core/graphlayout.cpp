#include "core/graphlayout.h"

#include "core/graphmapping.h"

namespace {

// The width of a strip left for a title that a compact graph leaves out.
const int COMPACT_STRIP = 6;

}  // namespace

TGraph_Layout Frame_Layout(const int width, const int height, const int font_height)
{
  const int a = font_height;
  TGraph_Layout layout;
  layout.FontHeight = font_height;
  layout.Whole = Corners(0, 0, width, height);
  layout.Plot = Corners(7 * a, 2 * a, width - a, height - 4 * a);
  layout.YLabel = Corners(2 * a, 0, 6 * a, height - 2 * a);
  layout.VTitle = Corners(0, 2 * a, 2 * a, height - 4 * a);
  layout.XLabel = Corners(6 * a, height - 4 * a, width, height - 2 * a);
  layout.HTitle = Corners(7 * a, height - 2 * a, width - a, height);
  layout.Title = Corners(7 * a, 0, width, 2 * a);
  return layout;
}

TGraph_Layout Full_Layout(const int width, const int height, const int font_height)
{
  const int f = font_height;
  TGraph_Layout layout;
  layout.FontHeight = font_height;
  layout.Whole = Corners(0, 0, width - 1, height - 1);
  layout.Plot = Corners(6 * f, 2 * f, width - f, height - 4 * f);
  layout.YLabel = Corners(2 * f, 0, 6 * f, height - 2 * f);
  layout.VTitle = Corners(0, 2 * f, 2 * f, height - 4 * f);
  layout.XLabel = Corners(6 * f, height - 4 * f, width, height - 2 * f);
  layout.HTitle = Corners(6 * f, height - 2 * f, width - f, height);
  layout.Title = Corners(7 * f, 0, width, 2 * f);
  return layout;
}

TGraph_Layout Compact_Layout(const int width, const int height, const int font_height)
{
  const int f = font_height;
  const int s = COMPACT_STRIP;
  TGraph_Layout layout;
  layout.FontHeight = font_height;
  layout.Whole = Corners(0, 0, width - 1, height - 1);
  layout.Plot = Corners(4 * f + s, s, width - f, height - s - 2 * f);
  layout.YLabel = Corners(s, 0, 4 * f + s, height - s);
  layout.VTitle = Corners(0, s, s, height - s - 2 * f);
  layout.XLabel = Corners(4 * f + s, height - s - 2 * f, width, height - s);
  layout.HTitle = Corners(4 * f + s, height - s, width - f, height);
  layout.Title = Corners(2 * s, 0, width, s);
  return layout;
}
