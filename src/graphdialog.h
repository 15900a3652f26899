#ifndef SRC_GRAPHDIALOG_H
#define SRC_GRAPHDIALOG_H

#include "core/vector2.h"

#include <QDialog>

class QCloseEvent;
class TGraphWidget;

// The window that plots the input (dark blue) against the output (dark red).
class TInterpolationGraphDialog : public QDialog
{
  Q_OBJECT

public:
  explicit TInterpolationGraphDialog(QWidget *parent = nullptr,
                                     Qt::WindowFlags flags = Qt::WindowFlags());

  // Replaces both curves and fits the graph to them, shown or hidden.
  void Set_Graph_Data(const Point_List &input, const Point_List &output);

signals:
  void Dialog_Close();

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  TGraphWidget *d_graph_widget = nullptr;
};

#endif
