#include "core/graphhandles.h"

#include "core/assertion.h"

#include <QBrush>
#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPixmap>

#include <cmath>

namespace {

const double SELECTED_RING_WIDTH = 2.0;

bool Is_Finite(const QPointF &pixel)
{
  return std::isfinite(pixel.x()) && std::isfinite(pixel.y());
}

// Inside the rectangle with both its corners, as drawing sees it.
bool Inside(const QRect &rect, const QPointF &pixel)
{
  return Is_Finite(pixel) && pixel.x() >= rect.left() && pixel.x() <= rect.right() + 1
         && pixel.y() >= rect.top() && pixel.y() <= rect.bottom() + 1;
}

// One flag per pixel of the plot area: whether a handle was drawn centred there.
class TPixel_Marks
{
public:
  explicit TPixel_Marks(const QRect &plot)
    : d_plot(plot),
      d_marks(static_cast<std::size_t>(plot.width() + 1) * static_cast<std::size_t>(plot.height() + 1))
  {
  }

  // True the first time a pixel is marked.
  bool Mark(const QPointF &pixel)
  {
    const int x = static_cast<int>(std::floor(pixel.x())) - d_plot.left();
    const int y = static_cast<int>(std::floor(pixel.y())) - d_plot.top();
    const std::size_t index = static_cast<std::size_t>(y) * (d_plot.width() + 1) + x;
    if (d_marks[index]) {
      return false;
    }
    d_marks[index] = true;
    return true;
  }

private:
  QRect d_plot;
  std::vector<bool> d_marks;
};

// One handle drawn once at the painter's pixel density, centred in its image, so that a
// handle costs a copy of a few pixels, not a curve to fill.
class THandle_Stamp
{
public:
  THandle_Stamp(const bool selected, const qreal ratio)
  {
    const double radius = HANDLE_DIAMETER / 2.0 + (selected ? 1.0 : 0.0);
    d_half = std::ceil(radius + SELECTED_RING_WIDTH);
    const int side = static_cast<int>(std::ceil(2.0 * d_half * ratio));
    d_image = QPixmap(side, side);
    d_image.setDevicePixelRatio(ratio);
    d_image.fill(Qt::transparent);
    QPainter painter(&d_image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (selected) {
      painter.setPen(QPen(QColor(HANDLE_COLOR), SELECTED_RING_WIDTH));
      painter.setBrush(QColor(SELECTED_HANDLE_FILL));
    } else {
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(HANDLE_COLOR));
    }
    painter.drawEllipse(QPointF(d_half, d_half), radius, radius);
  }

  void Draw(QPainter *painter, const QPointF &centre) const
  {
    painter->drawPixmap(QPointF(std::round(centre.x() - d_half), std::round(centre.y() - d_half)),
                        d_image);
  }

private:
  double d_half = 0.0;
  QPixmap d_image;
};

void Draw_Set(QPainter *painter, const TGraph_Handles &handles, const TGraphMapping &mapping,
              const QRect &plot, const bool selected)
{
  const THandle_Stamp stamp(selected, painter->device()->devicePixelRatioF());
  TPixel_Marks marks(plot);
  const Point_List &points = handles.Points();
  for (int i = 0; i < handles.Count(); ++i) {
    if (handles.Is_Selected(i) != selected) {
      continue;
    }
    const QPointF centre = Pixel_Of(mapping, points[static_cast<std::size_t>(i)]);
    if (Inside(plot, centre) && marks.Mark(centre)) {
      stamp.Draw(painter, centre);
    }
  }
}

}  // namespace

void TGraph_Handles::Set_Points(const Point_List &points)
{
  const bool same_count = points.size() == d_points.size();
  d_points = points;
  if (!same_count) {
    d_selected.assign(d_points.size(), 0);
    d_selected_count = 0;
    d_current = -1;
  }
}

bool TGraph_Handles::Contains(const int index) const
{
  return index >= 0 && index < Count();
}

bool TGraph_Handles::Is_Selected(const int index) const
{
  return Contains(index) && d_selected[static_cast<std::size_t>(index)] != 0;
}

std::vector<int> TGraph_Handles::Selected() const
{
  std::vector<int> indices;
  indices.reserve(static_cast<std::size_t>(d_selected_count));
  for (int i = 0; i < Count() && static_cast<int>(indices.size()) < d_selected_count; ++i) {
    if (d_selected[static_cast<std::size_t>(i)]) {
      indices.push_back(i);
    }
  }
  return indices;
}

void TGraph_Handles::Mark(const int index, const bool selected)
{
  char &flag = d_selected[static_cast<std::size_t>(index)];
  d_selected_count += (selected ? 1 : 0) - (flag ? 1 : 0);
  flag = selected ? 1 : 0;
}

void TGraph_Handles::Set_Current(const int index)
{
  d_current = Contains(index) ? index : -1;
}

void TGraph_Handles::Select_Only(const int index)
{
  Clear_Selection();
  if (ASSERT(Contains(index))) {
    Mark(index, true);
    d_current = index;
  }
}

void TGraph_Handles::Toggle(const int index)
{
  if (ASSERT(Contains(index))) {
    Mark(index, !Is_Selected(index));
    d_current = index;
  }
}

void TGraph_Handles::Select(const std::vector<int> &indices, const int current)
{
  Clear_Selection();
  for (const int index : indices) {
    if (Contains(index)) {
      Mark(index, true);
    }
  }
  Set_Current(current);
}

// Only the flags set are cleared, so clearing a few of a million costs a few steps.
void TGraph_Handles::Clear_Selection()
{
  for (int i = 0; i < Count() && d_selected_count > 0; ++i) {
    Mark(i, false);
  }
  d_current = -1;
}

QPointF Pixel_Of(const TGraphMapping &mapping, const TVector2 &point)
{
  return QPointF(point.x * mapping.XScale + mapping.XOffset,
                 point.y * mapping.YScale + mapping.YOffset);
}

int Nearest_Handle(const Point_List &points, const TGraphMapping &mapping, const QRect &plot,
                   const QPointF &pixel, const double &radius)
{
  int nearest = -1;
  double nearest_distance = radius * radius;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const QPointF centre = Pixel_Of(mapping, points[i]);
    if (!Inside(plot, centre)) {
      continue;
    }
    const QPointF apart = centre - pixel;
    const double distance = apart.x() * apart.x() + apart.y() * apart.y();
    if (distance <= nearest_distance) {
      nearest = static_cast<int>(i);
      nearest_distance = distance;
    }
  }
  return nearest;
}

std::vector<int> Handles_In_Band(const Point_List &points, const TGraphMapping &mapping,
                                 const QRect &plot, const QRect &band)
{
  const QRect ordered = Ordered_Corners(band);
  std::vector<int> inside;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const QPointF centre = Pixel_Of(mapping, points[i]);
    if (Inside(plot, centre) && Inside(ordered, centre)) {
      inside.push_back(static_cast<int>(i));
    }
  }
  return inside;
}

void Draw_Handles(QPainter *painter, const TGraph_Handles &handles, const TGraphMapping &mapping,
                  const QRect &plot)
{
  if (!ASSERT(painter) || handles.Count() == 0 || plot.isEmpty()) {
    return;
  }
  painter->save();
  painter->setClipRect(plot.adjusted(0, 0, 1, 1), Qt::IntersectClip);
  Draw_Set(painter, handles, mapping, plot, false);
  if (handles.Selected_Count() > 0) {
    Draw_Set(painter, handles, mapping, plot, true);
  }
  painter->restore();
}
