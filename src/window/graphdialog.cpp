#include "src/window/graphdialog.h"

#include "core/graphwidget.h"
#include "src/files/fileformats.h"
#include "src/files/graphexport.h"
#include "src/window/graphediting.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QColor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>

namespace {

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
  setWindowTitle(tr("Graph Data"));
  const TGraph_Titles titles = Shown_Graph_Titles();
  d_graph_widget->d_Title = titles.Title;
  d_graph_widget->d_VTitle = titles.VTitle;
  d_graph_widget->d_HTitle = titles.HTitle;
  Set_Graph_Data(Point_List(), Point_List());
  d_export_folder = QDir::homePath();
  QAction *save = Add_Command(tr("Export Image..."), QKeySequence::Save, "export_graph_action",
                              &TInterpolationGraphDialog::Export_Graph_As);
  QAction *copy = Add_Command(tr("Copy Image"), QKeySequence::Copy, "copy_graph_action",
                              &TInterpolationGraphDialog::Copy_Graph);
  d_graph_widget->Set_Image_Actions(copy, save);
}

// The window's commands are actions, so that a menu or a list of shortcuts can show them;
// the graph's menu shows these two with their keys.
QAction *TInterpolationGraphDialog::Add_Command(const QString &text, const QKeySequence &keys,
                                                const char *name,
                                                void (TInterpolationGraphDialog::*slot)())
{
  auto *action = new QAction(text, this);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(keys);
  connect(action, &QAction::triggered, this, slot);
  addAction(action);
  return action;
}

void TInterpolationGraphDialog::Show_Curves(const TGraph_Curve *input,
                                            const TGraph_Curve *output)
{
  d_graph_widget->Clear_Data_Sets();
  for (const TGraphDataSet &set : Document_Graph_Sets(input, output)) {
    d_graph_widget->Add_Curve(set.Curve, set.Color, set.Style);
  }
  d_graph_widget->Update_Graph();
}

void TInterpolationGraphDialog::Curves_Changed()
{
  d_graph_widget->Points_Changed(INPUT_SET);
  d_graph_widget->Points_Changed(OUTPUT_SET);
  Refresh();
}

void TInterpolationGraphDialog::Input_Changed(const int first, const int last)
{
  d_graph_widget->Points_Changed(INPUT_SET, static_cast<std::size_t>(first),
                                 static_cast<std::size_t>(last));
  Refresh();
}

void TInterpolationGraphDialog::Output_Changed(const int first, const int last)
{
  d_graph_widget->Points_Changed(OUTPUT_SET, static_cast<std::size_t>(first),
                                 static_cast<std::size_t>(last));
  Refresh();
}

// A change made in this window keeps the view the user edits in.
void TInterpolationGraphDialog::Refresh()
{
  d_graph_widget->Refresh_Graph(!(d_editing && d_editing->Keeps_View()));
}

void TInterpolationGraphDialog::Edit_Document(TDocument *document, TEditTable *edit_table)
{
  Stop_Editing();
  d_editing = new TGraph_Editing(this, d_graph_widget, document, edit_table);
}

void TInterpolationGraphDialog::Stop_Editing()
{
  delete d_editing;
  d_editing = nullptr;
}

void TInterpolationGraphDialog::Set_Display_Precision(const int precision)
{
  if (d_editing) {
    d_editing->Set_Display_Precision(precision);
  }
}

void TInterpolationGraphDialog::Set_Round_Tick_Numbers(const bool on)
{
  d_graph_widget->Set_Round_Ticks(on);
}

bool TInterpolationGraphDialog::Round_Tick_Numbers() const
{
  return d_graph_widget->Round_Ticks();
}

void TInterpolationGraphDialog::Set_Graph_Data(const Point_List &input, const Point_List &output)
{
  d_graph_widget->Clear_Data_Sets();
  for (const TGraphDataSet &set : Document_Graph_Sets(nullptr, nullptr)) {
    d_graph_widget->Add_Data_Set(set.Color, set.Style);
  }
  d_graph_widget->Set_Points(INPUT_SET, input);
  d_graph_widget->Set_Points(OUTPUT_SET, output);
  d_graph_widget->Update_Graph();
}

bool TInterpolationGraphDialog::Save_Graph_File(const QString &path, const QSize &size,
                                                QString *message)
{
  const QSize drawn = size.isValid() ? size : Export_Size();
  return ::Export_Graph(d_graph_widget->Content(), d_graph_widget->View(), path, drawn,
                       devicePixelRatioF(), message);
}

void TInterpolationGraphDialog::Export_Graph_As()
{
  QString filter;
  const QString chosen = QFileDialog::getSaveFileName(this, tr("Export Graph"), d_export_folder,
                                                      Graph_Filters(), &filter);
  if (chosen.isEmpty()) {
    return;
  }
  const QString path = With_Filter_Suffix(chosen, Graph_Filters(), filter);
  d_export_folder = QFileInfo(path).absolutePath();
  QString message;
  if (!Save_Graph_File(path, QSize(), &message)) {
    QMessageBox::warning(this, tr("Export Graph"), message);
  }
}

void TInterpolationGraphDialog::Copy_Graph()
{
  QGuiApplication::clipboard()->setImage(
    Graph_Image(d_graph_widget->Content(), d_graph_widget->View(), Export_Size(),
                devicePixelRatioF()));
}

QSize TInterpolationGraphDialog::Export_Size() const
{
  return d_graph_widget->isVisible() ? d_graph_widget->size() : DEFAULT_GRAPH_SIZE;
}

void TInterpolationGraphDialog::closeEvent(QCloseEvent *event)
{
  emit Dialog_Close();
  event->accept();
}
