#ifndef SRC_WINDOW_GRAPHEDITING_H
#define SRC_WINDOW_GRAPHEDITING_H

#include "core/tablevalues.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QAction;
class QEvent;
class QKeyEvent;
class QWidget;
class TDocument;
class TEditTable;
class TGraphWidget;
class TTableLineEditor;

// Editing the document's offsets in the graph window. The editor's points are the graph's
// handles, where the output passes their positions. A drag, a key or a typed value changes
// the selected offsets, each gesture one undo step; values a drag or a key sets are
// rounded to the display precision. The handles' selection and the editor table's follow
// each other. Changes made here, and undo and redo in the graph window, keep the graph's
// view. The Undo and Redo keys over the graph reach the document's history there.
class TGraph_Editing : public QObject
{
  Q_OBJECT

public:
  TGraph_Editing(QWidget *window, TGraphWidget *graph, TDocument *document, TEditTable *table);
  // The graph, if still there, describes its handles on its own again.
  ~TGraph_Editing() override;

  void Set_Display_Precision(int precision);
  // True while a change made from the graph window is under way.
  bool Keeps_View() const { return d_keeping_view; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QAction *Add_Command(QWidget *owner, const QString &text, const char *name,
                       const QList<QKeySequence> &keys, void (TGraph_Editing::*command)());
  void Add_Key_Commands();
  void Follow();

  void Show_Handles();
  QString Handle_Text(int index) const;
  void Graph_Selection_Changed();
  void Table_Selection_Changed();

  void Drag_Started();
  void Dragged(double delta);
  void Drag_Finished();
  void Drag_Cancelled();

  void Select_Previous();
  void Select_Next();
  void Select_Neighbour(int direction);
  void Raise() { Move_Selected(1); }
  void Lower() { Move_Selected(-1); }
  void Raise_Ten() { Move_Selected(10); }
  void Lower_Ten() { Move_Selected(-10); }
  void Move_Selected(int steps);
  void Delete_Selected();
  void Open_Field();
  void Field_Complete();
  void Field_Cancelled();

  double Offset(int row) const;
  double Rounded(const double &value) const;
  // Makes a change of the document from the graph window: the graph keeps its view.
  void Change(const std::function<void()> &change);
  void Set_Selected(const QString &name, const std::function<double(int row)> &value);

  QPointer<TGraphWidget> d_graph;
  TDocument *d_document;
  QPointer<TEditTable> d_table;
  TTableLineEditor *d_field;
  int d_precision = 1;
  bool d_keeping_view = false;
  // The document changed while the graph was hidden.
  bool d_handles_stale = false;
  // The graph's selection is being shown in the table, which must not answer back.
  bool d_showing_selection = false;
  // The drag under way (0 when none), its rows, their offsets when it started and which
  // of them the pointer holds.
  int d_drag = 0;
  std::vector<int> d_drag_rows;
  std::vector<double> d_drag_start;
  std::size_t d_grabbed = 0;
  // The rows the open field's value goes to.
  std::vector<int> d_field_rows;
};

#endif
