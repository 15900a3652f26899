#ifndef CORE_GRAPHHANDLES_H
#define CORE_GRAPHHANDLES_H

#include "core/graphmapping.h"
#include "core/vector2.h"

#include <QPointF>
#include <QRect>
#include <QRgb>

#include <vector>

class QPainter;

// A handle is a round marker this many logical pixels across (at least 7 device pixels at
// any pixel density); the pointer grabs the nearest one within the radius.
constexpr double HANDLE_DIAMETER = 9.0;
constexpr double HANDLE_GRAB_RADIUS = 6.0;
// Dark green, a colour of its own beside the blue and red curves; a selected handle has a
// lighter fill inside a dark green ring.
constexpr QRgb HANDLE_COLOR = qRgb(0, 128, 0);
constexpr QRgb SELECTED_HANDLE_FILL = qRgb(150, 230, 150);

// Points of a curve that a user grabs and moves: their places in data units, which of
// them are selected, and the current one, which the keys go on from.
class TGraph_Handles
{
public:
  // New places; the selection stays when the count does and is cleared otherwise.
  void Set_Points(const Point_List &points);
  const Point_List &Points() const { return d_points; }
  int Count() const { return static_cast<int>(d_points.size()); }

  bool Is_Selected(int index) const;
  // The selected indices, ascending.
  std::vector<int> Selected() const;
  int Selected_Count() const { return d_selected_count; }
  // -1 when there is none.
  int Current() const { return d_current; }

  void Set_Current(int index);
  // Selects one handle alone and makes it current.
  void Select_Only(int index);
  // Adds a handle to the selection or removes it; it becomes current.
  void Toggle(int index);
  // Replaces the selection; indices outside the handles are ignored.
  void Select(const std::vector<int> &indices, int current);
  void Clear_Selection();

private:
  bool Contains(int index) const;
  void Mark(int index, bool selected);

  Point_List d_points;
  std::vector<char> d_selected;
  int d_selected_count = 0;
  int d_current = -1;
};

// Where a point of data lands in pixels under a mapping.
QPointF Pixel_Of(const TGraphMapping &mapping, const TVector2 &point);

// The handle whose centre lies inside `plot` and nearest `pixel`, within `radius` of it;
// -1 when there is none.
int Nearest_Handle(const Point_List &points, const TGraphMapping &mapping, const QRect &plot,
                   const QPointF &pixel, const double &radius);

// The handles whose centres lie inside both `band` (corners in any order) and `plot`.
std::vector<int> Handles_In_Band(const Point_List &points, const TGraphMapping &mapping,
                                 const QRect &plot, const QRect &band);

// Draws the handles whose centres lie inside `plot`, clipped to it, the selected ones over
// the others. Of handles whose centres fall on one pixel only the first is drawn, so that
// thousands of close handles cost no more than the pixels they cover.
void Draw_Handles(QPainter *painter, const TGraph_Handles &handles, const TGraphMapping &mapping,
                  const QRect &plot);

#endif
