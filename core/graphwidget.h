#ifndef CORE_GRAPHWIDGET_H
#define CORE_GRAPHWIDGET_H

#include "core/vector2.h"

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class QMouseEvent;
class QPaintEvent;
class QPainter;
class QResizeEvent;

// How a data set is drawn; any other value is not drawn but still counts in the fit.
const int STYLE_DEFAULT = 0;
const int STYLE_LINES = 1;
const int STYLE_BARS = 2;
const int STYLE_MARKERS = 3;

struct TGraphDataSet
{
  Point_List Points;
  QColor Color;
  int Style = STYLE_DEFAULT;
};

// Linear mapping between data and pixels: pixel = value * scale + offset on each axis.
// YScale is negative, since pixel rows grow downwards.
struct TGraphMapping
{
  double XScale = 1.0;
  double YScale = -1.0;
  double XOffset = 0.0;
  double YOffset = 0.0;

  double Data_X(const double &pixel_x) const { return (pixel_x - XOffset) / XScale; }
  double Data_Y(const double &pixel_y) const { return (pixel_y - YOffset) / YScale; }
};

// A mapping fitted to data, with the data spans it covers before its margins.
struct TGraphFit
{
  TGraphMapping Mapping;
  double XSpan = 0.0;
  double YSpan = 0.0;
};

// Minimum width and decimals of the tick labels of one axis.
struct TLabelDigits
{
  int Width = 6;
  int Decimals = 5;
};

// A distinct colour for data set `index`, 0 to 96; outside that range the colour is black
// and the result false.
bool Palette_Color(int index, int *red, int *green, int *blue);

// True when the plot rectangle spans at least one pixel step on both axes.
bool Plot_Has_Extent(const QRect &plot);

// The mapping that shows every finite point of `sets` in `plot`, with y = 0 always in range.
TGraphFit Fit_Mapping(const std::vector<TGraphDataSet> &sets, const QRect &plot,
                      const double &min_y_extent, bool equal_scale);

// The mapping that fills `plot` with the data range under pixel rectangle `band` of `view`
// (its corners in any order), each span capped at fifty times the fitted one.
TGraphMapping Zoom_Mapping(const TGraphMapping &view, const QRect &band, const QRect &plot,
                           const double &x_fit_span, const double &y_fit_span);

// Label width and decimals for an axis showing values up to `magnitude` over `span`.
TLabelDigits Label_Digits(const double &magnitude, const double &span);

// The printf format of a tick label, "% w.dlf", and of its zero-padded sample, "%0w.dlf".
QString Label_Format(const TLabelDigits &digits);
QString Sample_Format(const TLabelDigits &digits);

// `value` printed with a printf format of one double conversion; any length is safe.
QString Format_Label(const QString &format, const double &value);

// True when drawing consecutive line points in one pixel column as a single vertical run
// gives the same pixels as drawing every segment, for lines of `color` in this painter.
bool Column_Runs_Keep_Pixels(const QPainter *painter, const QColor &color);

// Pixel positions of the ticks between `first` and `last` spaced at least `spacing` apart.
std::vector<int> Tick_Positions(int first, int last, int spacing);

// The pixel rectangle twice as wide and high as `plot` about its centre.
QRect Zoom_Out_Rect(const QRect &plot);

// Plots indexed data sets against fitted linear axes with ticks, labels and three titles.
// A left drag zooms to a rubber band, a right drag pans, a right click zooms out and the
// pointer over the plot area shows its data coordinates.
class TGraphWidget : public QWidget
{
  Q_OBJECT

public:
  explicit TGraphWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

  // The data operations change nothing on screen until Update_Graph.
  int Add_Data_Set(const QColor &color, int style);
  bool Add_Point(int Set, const TVector2 &point);
  // Replaces all points of a set at once, reusing its storage.
  bool Set_Points(int Set, const Point_List &points);
  int Point_Count(int Set) const;
  TVector2 Get_Point(int Set, int Offset) const;
  bool Set_Point(int Set, int Offset, const TVector2 &point);
  bool Remove_Point(int Set, int Offset);
  bool Remove_Data_Set(int Offset);
  void Clear_Data_Sets();
  int Data_Set_Count() const;

  void Set_Minimum_Y_Extent(const double &value);
  void Set_Equal_Scale(bool on);
  void Set_Show_Readout(bool on);
  // On (the default), consecutive line points in one pixel column are drawn as one
  // vertical run wherever that gives the same pixels as drawing every segment.
  void Set_Column_Runs(bool on);

  // Fits the axes to all data and redraws, once the widget has been laid out.
  void Update_Graph();

  // Draw the graph fitted into `rect` of an outside painter; the widget stays as it was.
  bool Render_Graph(QPainter *Device, const QRect &rect, bool border);
  bool Render_Graph_Compact(QPainter *Device, const QRect &rect, bool border);
  // Draw the graph as the widget shows it now, zoom and pan included, into `rect` of an
  // outside painter; a widget that was never laid out draws it fitted.
  bool Render_Graph_View(QPainter *Device, const QRect &rect, bool border);

  TGraphMapping Mapping() const;
  QRect Plot_Rect() const;
  QString Readout() const;

  QString d_VTitle = QStringLiteral("V Title");
  QString d_HTitle = QStringLiteral("H Title");
  QString d_Title = QStringLiteral("Sample Graph");

public slots:
  void ZoomOut();
  void ScaleToFit();

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  struct TSavedView;

  bool Is_Set_Index(int Set) const;
  bool Is_Point_Index(int Set, int Offset) const;

  void Lay_Out_Frame(int width, int height);
  void Lay_Out_Full(int width, int height);
  void Lay_Out_Compact(int width, int height);
  void Set_Mapping(const TGraphMapping &mapping);
  void Fit_Scale();
  void Zoom_To_Rect(const QRect &rect);
  void Prepare_Labels(QPainter *painter);

  void Replace_Pixmap();
  void Set_Pixmap_Viewport(QPainter *painter) const;
  void Render_Pixmap();
  void Render_Pixmap_Zoomed(const QRect &rect, bool new_image);
  void Draw_View(QPainter *painter);
  void Draw_All(QPainter *painter);
  void Draw_Axes(QPainter *painter);
  void Draw_X_Ticks(QPainter *painter, int line_height);
  void Draw_Y_Ticks(QPainter *painter, int line_height);
  void Draw_Zero_Lines(QPainter *painter);
  void Draw_Frames(QPainter *painter);
  void Draw_Titles(QPainter *painter);
  void Draw_Vertical_Title(QPainter *painter);
  void Draw_Data_Sets(QPainter *painter);
  TSavedView Save_View() const;
  void Restore_View(const TSavedView &saved);
  void Render_Outside(QPainter *Device, const QRect &rect, bool border, bool compact,
                      bool keep_view = false);
  void Draw_Kept_View(QPainter *painter, const TSavedView &saved);

  void Copy_Exposed(QPainter *painter, const QRect &exposed);
  void Draw_Readout(QPainter *painter);
  bool Plot_Contains(const QPoint &point) const;
  void Start_Band(const QPoint &point);
  void Move_Band(const QPoint &point);
  void End_Band();
  void Pan_Step(const QPoint &point);
  void Update_Readout(const QPoint &point);
  void Invalidate_Band();

  double d_XScale = 1.0;
  double d_YScale = -1.0;
  double d_XOffset = 0.0;
  double d_YOffset = 0.0;
  std::vector<TGraphDataSet> d_DataSets;
  QRect d_PlotRect;
  QRect d_YLabelRect;
  QRect d_VTitleRect;
  QRect d_XLabelRect;
  QRect d_HTitleRect;
  QRect d_TitleRect;
  QRect d_WidgetRect;
  QString d_YLabelFormat = QStringLiteral("%3.4lf");
  QString d_XLabelFormat = QStringLiteral("%3.4lf");
  int d_YLabelWidth = -1;
  int d_YLabelHeight = -1;
  int d_XLabelWidth = -1;
  int d_XLabelHeight = -1;
  int d_FontHeight = 0;
  double d_XFitSpan = 0.0;
  double d_YFitSpan = 0.0;
  QPixmap d_Pixmap;
  QString d_Readout;
  QRect d_BandRect;
  bool d_BandVisible = false;
  bool d_LeftArmed = false;
  bool d_BandDrawn = false;
  bool d_RightArmed = false;
  bool d_RightDragged = false;
  bool d_ShowReadout = true;
  bool d_ShowBorder = true;
  bool d_FitPending = false;
  bool d_ZoomOutPending = false;
  double d_MinYExtent = 5e-6;
  bool d_EqualScale = false;
  bool d_ColumnRuns = true;
};

#endif
