#include "src/graphdialog.h"

#include "core/graphwidget.h"

#include <QCloseEvent>
#include <QColor>
#include <QGridLayout>

namespace {

const QColor INPUT_COLOR(0, 0, 164);
const QColor OUTPUT_COLOR(164, 0, 0);

const int INPUT_SET = 0;
const int OUTPUT_SET = 1;

}  // namespace

TInterpolationGraphDialog::TInterpolationGraphDialog(QWidget *parent, Qt::WindowFlags flags)
  : QDialog(parent, flags)
{
  resize(500, 400);
  setMinimumSize(400, 300);
  auto *layout = new QGridLayout(this);
  d_graph_widget = new TGraphWidget(this);
  d_graph_widget->setObjectName("graph_widget");
  layout->addWidget(d_graph_widget, 0, 0, 1, 1);
  setWindowTitle("Graph Data");
  d_graph_widget->d_Title = "Input Data: Blue  Output Data:Red";
  d_graph_widget->d_VTitle = "Value";
  d_graph_widget->d_HTitle = "Position";
  d_graph_widget->Add_Data_Set(INPUT_COLOR, STYLE_DEFAULT);
  d_graph_widget->Add_Data_Set(OUTPUT_COLOR, STYLE_DEFAULT);
}

void TInterpolationGraphDialog::Set_Graph_Data(const Point_List &input, const Point_List &output)
{
  d_graph_widget->Set_Points(INPUT_SET, input);
  d_graph_widget->Set_Points(OUTPUT_SET, output);
  d_graph_widget->Update_Graph();
}

void TInterpolationGraphDialog::closeEvent(QCloseEvent *event)
{
  emit Dialog_Close();
  event->accept();
}
