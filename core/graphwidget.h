#ifndef CORE_GRAPHWIDGET_H
#define CORE_GRAPHWIDGET_H

#include "core/graphcache.h"
#include "core/graphhandles.h"
#include "core/graphpainter.h"
#include "core/vector2.h"

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QContextMenuEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QPaintEvent;
class QPainter;
class QResizeEvent;
class QTimer;

// Plots indexed data sets against fitted linear axes with ticks, labels and three titles,
// drawn by Draw_Graph into an image that the widget keeps. A left drag zooms to a rubber
// band, a right drag pans, a right click zooms out, the right button held still opens the
// graph's menu and the pointer over the plot area shows its data coordinates. Labels and readout show numbers with the decimal separator
// of the widget's locale, and so do drawings of Content() elsewhere. Handles, when given,
// are drawn over the data: the user selects them and drags them vertically, and the widget
// reports what the user does without moving them itself.
class TGraphWidget : public QWidget
{
  Q_OBJECT

public:
  explicit TGraphWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

  // The data operations change nothing on screen until Update_Graph.
  int Add_Data_Set(const QColor &color, int style);
  // A set that shows a curve held elsewhere, which must outlive the set. Its points are
  // read, never changed: the point operations that change a set refuse it.
  int Add_Curve(const TGraph_Curve *curve, const QColor &color, int style);
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
  // Ticks at round numbers (1, 2 or 5 times a power of ten) labelled with the decimals they
  // need, instead of ticks spread evenly; off by default. Drawings of Content() follow.
  void Set_Round_Ticks(bool on);
  bool Round_Ticks() const { return d_RoundTicks; }

  // The graph's menu: Fit to Data, Zoom Out, Copy Image, Export Image... and the Round Tick
  // Numbers switch. The Menu key and Shift+F10 open it while the graph has the focus, and
  // so does the right button held still for the menu delay; a quicker right click still
  // zooms out and a right drag still pans.
  QMenu *Menu() const { return d_Menu; }
  // How long the right button must be held still to open the menu: 500 ms unless set.
  void Set_Menu_Delay(int milliseconds);
  // A window's own commands, shown in the menu in place of Copy Image (which copies the
  // graph as shown) and of Export Image..., which the graph cannot do alone and leaves
  // out; nullptr keeps the graph's own entry.
  void Set_Image_Actions(QAction *copy, QAction *save);

  // Fits the axes to all data and redraws, once the widget has been laid out.
  void Update_Graph();
  // Points first to last of a set that shows a curve changed their values (their
  // positions stayed); Refresh_Graph then reads only those again.
  void Points_Changed(int Set, std::size_t first, std::size_t last);
  // Any point of the set may have changed, its positions too.
  void Points_Changed(int Set);
  // Redraws when the widget is next painted, reading again only what was changed since:
  // many changes before a paint cost one drawing, and none while the widget is hidden.
  // The axes are fitted to the data again unless every refresh since asked to keep them.
  void Refresh_Graph(bool fit = true);

  // Draw the graph fitted into `rect` of an outside painter; the widget stays as it was.
  bool Render_Graph(QPainter *Device, const QRect &rect, bool border);
  bool Render_Graph_Compact(QPainter *Device, const QRect &rect, bool border);
  // Draw the graph as the widget shows it now, zoom and pan included, into `rect` of an
  // outside painter; a widget that was never laid out draws it fitted.
  bool Render_Graph_View(QPainter *Device, const QRect &rect, bool border);

  TGraphMapping Mapping() const;
  QRect Plot_Rect() const;
  QString Readout() const;
  // What the graph shows and the data range it shows it at, for drawing it elsewhere
  // with Paint_Graph as it is shown here.
  TGraph_Content Content() const;
  TGraph_View View() const;

  // Handles: points drawn over the graph that the user selects and drags vertically.
  // New places keep the selection when the count stays.
  void Set_Handles(const Point_List &points);
  // Selects these handles, `current` the one the keys go on from, and reports nothing.
  void Select_Handles(const std::vector<int> &indices, int current);
  const TGraph_Handles &Handles() const { return d_Handles; }
  // How the readout describes the handle under the pointer; by default its coordinates.
  void Set_Handle_Readout(std::function<QString(int index)> text);
  // Where a handle is drawn in the widget.
  QPointF Handle_Position(int index) const;
  // Data to widget pixels as the graph is drawn on screen: the image is drawn one pixel
  // narrower and lower than the widget, so this differs slightly from Mapping().
  TGraphMapping Screen_Mapping() const;
  // Draws the changed data at the data range shown now, keeping a zoom or pan; a graph
  // not yet drawn is fitted.
  void Redraw_Graph();
  bool Is_Dragging_Handles() const { return d_HandleDragging; }

  QString d_VTitle = tr("V Title");
  QString d_HTitle = tr("H Title");
  QString d_Title = tr("Sample Graph");

public slots:
  void ZoomOut();
  void ScaleToFit();
  // Puts the graph as shown, zoom and pan included, on the clipboard as an image.
  void Copy_Image();

signals:
  // The user changed the selection of handles: a click, Ctrl+click or Shift+drag.
  void Handles_Selected();
  // The selected handles begin to move; then, while the button is held, they should lie
  // `delta` data units above where they started (Shift makes the movement ten times
  // finer); then the drag finishes, or Escape cancels it.
  void Handle_Drag_Started();
  void Handles_Dragged(double delta);
  void Handle_Drag_Finished();
  void Handle_Drag_Cancelled();
  // A double click on a handle, which it selects alone first.
  void Handle_Activated(int index);
  // Round ticks were switched on or off, from the menu or by Set_Round_Ticks.
  void Round_Ticks_Changed(bool on);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

private:
  bool Is_Set_Index(int Set) const;
  bool Is_Point_Index(int Set, int Offset) const;
  bool Is_Own_Set(int Set) const;

  void Fit_Scale();
  void Zoom_To_Rect(const QRect &rect);
  TGraph_Scene Scene();
  void Invalidate_Caches();
  void Draw_Kept_View();
  void Apply_Pending_Refresh();

  void Replace_Pixmap();
  void Set_Pixmap_Viewport(QPainter *painter) const;
  void Render_Pixmap();
  void Render_Pixmap_Zoomed(const QRect &rect, bool new_image);
  void Render_Outside(QPainter *Device, const QRect &rect, bool border, bool compact,
                      const TGraph_View &view);

  void Copy_Exposed(QPainter *painter, const QRect &exposed);
  void Draw_Readout(QPainter *painter);
  bool Plot_Contains(const QPoint &point) const;
  void Start_Band(const QPoint &point);
  void Move_Band(const QPoint &point);
  void End_Band();
  void Pan_Step(const QPoint &point);
  void Update_Readout(const QPoint &point);
  void Invalidate_Band();

  QRect Screen_Plot() const;
  int Handle_At(const QPoint &point) const;
  bool Press_Handle(const QMouseEvent &event);
  void Drag_Handles(const QMouseEvent &event);
  void Release_Handles();
  void Cancel_Handle_Drag();
  void End_Band_Selection();
  bool Hover_Handle(const QPoint &point);
  QString Handle_Text(int index) const;
  void Paint_Handles(QPainter *painter);

  void Build_Menu();
  QAction *Add_Menu_Action(const QString &text, const char *name, void (TGraphWidget::*slot)());
  void Replace_Menu_Action(QAction **entry, QAction *action);
  QPoint Keyboard_Menu_Point() const;
  void Open_Menu(const QPoint &point);
  void Open_Held_Menu();

  TGraphMapping d_Mapping;
  std::vector<TGraphDataSet> d_DataSets;
  // What is kept of each data set between drawings, and the line points of the last.
  std::vector<TGraph_Set_Cache> d_Caches;
  std::vector<const Point_List *> d_LinePoints;
  TGraph_Layout d_Layout;
  double d_XFitSpan = 0.0;
  double d_YFitSpan = 0.0;
  QPixmap d_Pixmap;
  // The data coordinates the readout shows.
  TVector2 d_ReadoutPoint;
  QRect d_BandRect;
  bool d_BandVisible = false;
  bool d_LeftArmed = false;
  bool d_BandDrawn = false;
  bool d_RightArmed = false;
  bool d_RightDragged = false;
  bool d_ShowReadout = true;
  bool d_FitPending = false;
  bool d_RefreshPending = false;
  bool d_RefreshFits = false;
  bool d_ZoomOutPending = false;
  double d_MinYExtent = 5e-6;
  bool d_EqualScale = false;
  bool d_ColumnRuns = true;

  TGraph_Handles d_Handles;
  std::function<QString(int)> d_HandleReadout;
  // The handle pressed on, while the left button is held; -1 otherwise.
  int d_GrabbedHandle = -1;
  // The handle the readout describes, which it follows as the handles move; -1 for none.
  int d_ReadoutHandle = -1;
  bool d_HandleArmed = false;
  bool d_HandleDragging = false;
  // A press on one of several selected handles selects it alone if no drag follows.
  bool d_ClickSelectsOnly = false;
  // The band selects handles instead of zooming.
  bool d_BandSelects = false;
  QPoint d_PressPoint;
  int d_DragLastY = 0;
  double d_DragDelta = 0.0;

  bool d_RoundTicks = false;
  QMenu *d_Menu = nullptr;
  // The entries for copying and exporting the image: the graph's own or a window's.
  QAction *d_CopyImage = nullptr;
  QAction *d_ExportImage = nullptr;
  QAction *d_RoundTicksSwitch = nullptr;
  // Runs from a right press until the menu opens; a move or the release stops it.
  QTimer *d_HoldTimer = nullptr;
  // The held right button opened the menu: its release does nothing more.
  bool d_MenuHeld = false;
};

#endif
