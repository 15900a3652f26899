#ifndef CORE_GRAPHLAYOUT_H
#define CORE_GRAPHLAYOUT_H

#include <QRect>

// Where the parts of a graph go within its rectangle, measured in lines of its font: the
// plot area, the tick labels left of and below it, the titles above, below and left.
struct TGraph_Layout
{
  QRect Whole;
  QRect Plot;
  QRect YLabel;
  QRect VTitle;
  QRect XLabel;
  QRect HTitle;
  QRect Title;
  int FontHeight = 0;
};

// The layout of the interactive graph, whose frame runs along the widget's edges.
TGraph_Layout Frame_Layout(int width, int height, int font_height);

// The layout of a graph drawn into a rectangle of a picture, with all three titles.
TGraph_Layout Full_Layout(int width, int height, int font_height);

// The same without titles: their strips shrink to a few pixels.
TGraph_Layout Compact_Layout(int width, int height, int font_height);

#endif
