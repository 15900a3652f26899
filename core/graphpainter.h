#ifndef CORE_GRAPHPAINTER_H
#define CORE_GRAPHPAINTER_H

#include "core/graphdata.h"
#include "core/graphlayout.h"
#include "core/graphmapping.h"

#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// The three titles: above the plot, below it and, reading upwards, left of it.
struct TGraph_Titles
{
  QString Title;
  QString HTitle;
  QString VTitle;
};

// Everything one drawing of a graph needs: where its parts go and which data range its
// plot area shows.
struct TGraph_Scene
{
  const std::vector<TGraphDataSet> *Sets = nullptr;
  // For each set, when given, the few points that draw its line as all its points do at
  // this mapping in column runs (TGraph_Set_Cache::Line_Points); a painter that cannot
  // draw column runs draws every point.
  const std::vector<const Point_List *> *Line_Points = nullptr;
  TGraph_Layout Layout;
  TGraphMapping Mapping;
  TGraph_Titles Titles;
  bool Border = true;
  bool ColumnRuns = true;
  // The decimal separator of the tick labels.
  QString DecimalPoint = QStringLiteral(".");
  // Ticks at round numbers (Round_Ticks) instead of evenly over the plot area.
  bool RoundTicks = false;
};

// Draws ticks, labels, zero lines, frames, titles and the data sets with any painter: a
// widget's, an image's, an SVG or PDF generator's.
void Draw_Graph(QPainter *painter, const TGraph_Scene &scene);

// The tick labels Draw_Graph writes with this painter's font: below the plot from left to
// right, and beside it from top to bottom.
struct TGraph_Tick_Labels
{
  std::vector<QString> X;
  std::vector<QString> Y;
};
TGraph_Tick_Labels Tick_Labels(QPainter *painter, const TGraph_Scene &scene);

// What a graph shows, wherever it is drawn.
struct TGraph_Content
{
  const std::vector<TGraphDataSet> *Sets = nullptr;
  TGraph_Titles Titles;
  double MinYExtent = 5e-6;
  bool EqualScale = false;
  bool ColumnRuns = true;
  // The decimal separator of the tick labels: the C form's point unless a viewer's
  // locale has another.
  QString DecimalPoint = QStringLiteral(".");
  bool RoundTicks = false;
};

// Which data range a drawing shows: fitted to the data, or the range under `Plot` of
// another drawing with `Mapping` (a graph window zoomed and panned), with the spans its
// own fit covered.
struct TGraph_View
{
  bool Fitted = true;
  TGraphMapping Mapping;
  QRect Plot;
  double XFitSpan = 0.0;
  double YFitSpan = 0.0;
};

// Draws the graph laid out for the painter's font into `rect`, with a frame around it if
// `border`, and without titles if `compact`. The painter's state is kept.
void Paint_Graph(QPainter *painter, const QRect &rect, const TGraph_Content &content,
                 const TGraph_View &view, bool border, bool compact);

// True when drawing consecutive line points in one pixel column as a single vertical run
// gives the same pixels as drawing every segment, for lines of `color` in this painter.
bool Column_Runs_Keep_Pixels(const QPainter *painter, const QColor &color);

#endif
