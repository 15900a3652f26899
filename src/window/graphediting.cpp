#include "src/window/graphediting.h"

#include "core/graphwidget.h"
#include "core/numberformat.h"
#include "core/tableeditor.h"
#include "src/document/document.h"
#include "src/model/editoutput.h"
#include "src/window/userdialogs.h"

#include <QAction>
#include <QFontMetrics>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <QUndoStack>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The field for a typed offset is as wide as this text, beside its handle.
const char FIELD_SIZING_TEXT[] = "-00000.0000000";
const int FIELD_GAP = 8;

// Undo, or redo, for the keys the Edit menu gives them.
bool Is_Undo_Key(const QKeyEvent &key)
{
  return key.matches(QKeySequence::Undo);
}

bool Is_Redo_Key(const QKeyEvent &key)
{
  return key.matches(QKeySequence::Redo)
         || (key.modifiers() == Qt::ControlModifier && key.key() == Qt::Key_Y);
}

QList<QKeySequence> Keys(const QString &portable)
{
  return QKeySequence::listFromString(portable);
}

// Consecutive rows as one range each, so that selecting thousands of rows is a few calls.
QItemSelection Row_Selection(const QAbstractItemModel &model, const std::vector<int> &rows)
{
  QItemSelection selection;
  for (std::size_t first = 0; first < rows.size();) {
    std::size_t last = first;
    while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) {
      ++last;
    }
    selection.select(model.index(rows[first], 0), model.index(rows[last], 0));
    first = last + 1;
  }
  return selection;
}

std::vector<int> Selected_Rows(const TEditTable &table)
{
  std::vector<int> rows;
  for (const QTableWidgetSelectionRange &range : table.selectedRanges()) {
    for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
      rows.push_back(row);
    }
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

}  // namespace

TGraph_Editing::TGraph_Editing(QWidget *window, TGraphWidget *graph, TDocument *document,
                               TEditTable *table)
  : QObject(window), d_graph(graph), d_document(document), d_table(table),
    d_field(new TTableLineEditor(graph))
{
  d_field->setObjectName("graph_offset_field");
  d_field->setFrame(true);
  d_field->hide();
  d_graph->setFocusPolicy(Qt::StrongFocus);
  d_graph->Set_Handle_Readout([this](const int index) { return Handle_Text(index); });
  Add_Key_Commands();
  d_graph->installEventFilter(this);
  Follow();
  Show_Handles();
}

TGraph_Editing::~TGraph_Editing()
{
  if (d_graph) {
    d_graph->Set_Handle_Readout(nullptr);
  }
}

void TGraph_Editing::Set_Display_Precision(const int precision)
{
  d_precision = precision;
}

// The keys act while the graph has the focus, and the Help lists them.
QAction *TGraph_Editing::Add_Command(QWidget *owner, const QString &text, const char *name,
                                     const QList<QKeySequence> &keys,
                                     void (TGraph_Editing::*command)())
{
  auto *action = new QAction(text, owner);
  action->setObjectName(QLatin1String(name));
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WidgetShortcut);
  connect(action, &QAction::triggered, this, command);
  owner->addAction(action);
  return action;
}

void TGraph_Editing::Add_Key_Commands()
{
  Add_Command(d_graph.data(), tr("Select Previous Point"), "previous_point_action", Keys("Left"),
              &TGraph_Editing::Select_Previous);
  Add_Command(d_graph.data(), tr("Select Next Point"), "next_point_action", Keys("Right"),
              &TGraph_Editing::Select_Next);
  Add_Command(d_graph.data(), tr("Raise Points One Step"), "raise_points_action", Keys("Up"),
              &TGraph_Editing::Raise);
  Add_Command(d_graph.data(), tr("Lower Points One Step"), "lower_points_action", Keys("Down"),
              &TGraph_Editing::Lower);
  Add_Command(d_graph.data(), tr("Raise Points Ten Steps"), "raise_points_ten_action", Keys("Shift+Up"),
              &TGraph_Editing::Raise_Ten);
  Add_Command(d_graph.data(), tr("Lower Points Ten Steps"), "lower_points_ten_action",
              Keys("Shift+Down"), &TGraph_Editing::Lower_Ten);
  Add_Command(d_graph.data(), tr("Type Point Offset\u2026"), "type_offset_action", Keys("Return; Enter"),
              &TGraph_Editing::Open_Field);
  Add_Command(d_graph.data(), tr("Set Point Offsets to 0"), "delete_offsets_action", Keys("Del"),
              &TGraph_Editing::Delete_Selected);
}

// The main window's Undo and Redo shortcuts also work in the graph window, a tool window
// of it, but they would fit the graph to the data again. Over the graph the keys are
// taken before any shortcut sees them and undo or redo as a change from the graph window,
// keeping its view.
bool TGraph_Editing::eventFilter(QObject *watched, QEvent *event)
{
  const QEvent::Type type = event->type();
  if (watched == d_graph && type == QEvent::Show && d_handles_stale) {
    Show_Handles();
  }
  if (watched != d_graph || (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)) {
    return false;
  }
  const QKeyEvent &key = *static_cast<QKeyEvent *>(event);
  const bool undo = Is_Undo_Key(key);
  if (!undo && !Is_Redo_Key(key)) {
    return false;
  }
  event->accept();
  if (type == QEvent::KeyPress) {
    QUndoStack *const stack = d_document->Undo_Stack();
    Change([stack, undo] { undo ? stack->undo() : stack->redo(); });
  }
  return true;
}

void TGraph_Editing::Follow()
{
  // Not only on output changes: an offset beyond the input moves its handle though no
  // output changes.
  connect(d_document, &TDocument::Change_Applied, this, &TGraph_Editing::Show_Handles);
  connect(d_graph.data(), &TGraphWidget::Handles_Selected, this, &TGraph_Editing::Graph_Selection_Changed);
  connect(d_graph.data(), &TGraphWidget::Handle_Drag_Started, this, &TGraph_Editing::Drag_Started);
  connect(d_graph.data(), &TGraphWidget::Handles_Dragged, this, &TGraph_Editing::Dragged);
  connect(d_graph.data(), &TGraphWidget::Handle_Drag_Finished, this, &TGraph_Editing::Drag_Finished);
  connect(d_graph.data(), &TGraphWidget::Handle_Drag_Cancelled, this, &TGraph_Editing::Drag_Cancelled);
  connect(d_graph.data(), &TGraphWidget::Handle_Activated, this, &TGraph_Editing::Open_Field);
  connect(d_table.data(), &TEditTable::Selection_Changed, this, &TGraph_Editing::Table_Selection_Changed);
  connect(d_field, &TTableLineEditor::Edit_Complete, this, &TGraph_Editing::Field_Complete);
  connect(d_field, &TTableLineEditor::Edit_Cancelled, this, &TGraph_Editing::Field_Cancelled);
}

// After every change: the handles move with the output, and a new editor range brings
// new handles, which take the table's selection. A hidden graph gets its handles when it
// is shown: a hundred thousand of them cost more than the rest of a typed value.
void TGraph_Editing::Show_Handles()
{
  d_handles_stale = !d_graph->isVisible();
  if (d_handles_stale) {
    return;
  }
  const int count = d_graph->Handles().Count();
  d_graph->Set_Handles(Output_At_Edit_Positions(d_document->Model()));
  if (d_graph->Handles().Count() != count) {
    Table_Selection_Changed();
  }
}

QString TGraph_Editing::Handle_Text(const int index) const
{
  const TVector2 &point = d_graph->Handles().Points()[static_cast<std::size_t>(index)];
  return tr("position %1   offset %2   output %3")
    .arg(Format_Number(point.x, d_precision), Format_Number(Offset(index), d_precision),
         Format_Number(point.y, d_precision));
}

void TGraph_Editing::Graph_Selection_Changed()
{
  if (!d_table) {
    return;
  }
  const QScopedValueRollback<bool> showing(d_showing_selection, true);
  const QAbstractItemModel &model = *d_table->model();
  d_table->selectionModel()->select(Row_Selection(model, d_graph->Handles().Selected()),
                                    QItemSelectionModel::ClearAndSelect);
  const int current = d_graph->Handles().Current();
  if (current >= 0 && current < model.rowCount()) {
    const QModelIndex index = model.index(current, 0);
    d_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    d_table->scrollTo(index);
  }
}

void TGraph_Editing::Table_Selection_Changed()
{
  if (d_showing_selection || !d_table) {
    return;
  }
  const std::vector<int> rows = Selected_Rows(*d_table);
  const int current = d_table->currentRow();
  const bool current_selected = std::binary_search(rows.begin(), rows.end(), current);
  d_graph->Select_Handles(rows, current_selected ? current : (rows.empty() ? -1 : rows.front()));
}

void TGraph_Editing::Drag_Started()
{
  d_drag_rows = d_graph->Handles().Selected();
  d_drag_start.clear();
  for (const int row : d_drag_rows) {
    d_drag_start.push_back(Offset(row));
  }
  const auto grabbed = std::lower_bound(d_drag_rows.begin(), d_drag_rows.end(),
                                        d_graph->Handles().Current());
  d_grabbed = grabbed == d_drag_rows.end() ? 0 : static_cast<std::size_t>(grabbed - d_drag_rows.begin());
  d_drag = d_document->Start_Drag();
}

// The held point takes its start plus the distance, rounded; every selected point moves
// by the same amount, and is rounded too.
void TGraph_Editing::Dragged(const double delta)
{
  if (d_drag == 0 || d_drag_rows.empty()) {
    return;
  }
  const double start = d_drag_start[d_grabbed];
  const double moved = Rounded(start + delta) - start;
  TCell_Edits edits;
  edits.reserve(d_drag_rows.size());
  for (std::size_t i = 0; i < d_drag_rows.size(); ++i) {
    edits.push_back({d_drag_rows[i], 0, Rounded(d_drag_start[i] + moved)});
  }
  Change([this, &edits] { d_document->Drag_Offsets(d_drag, edits); });
}

void TGraph_Editing::Drag_Finished()
{
  d_drag = 0;
}

void TGraph_Editing::Drag_Cancelled()
{
  const int drag = d_drag;
  d_drag = 0;
  Change([this, drag] { d_document->Cancel_Drag(drag); });
}

void TGraph_Editing::Select_Previous()
{
  Select_Neighbour(-1);
}

void TGraph_Editing::Select_Next()
{
  Select_Neighbour(1);
}

// From the current handle on; without one, from the first or the last.
void TGraph_Editing::Select_Neighbour(const int direction)
{
  const int count = d_graph->Handles().Count();
  if (count == 0) {
    return;
  }
  const int current = d_graph->Handles().Current();
  const int next = current < 0 ? (direction > 0 ? 0 : count - 1)
                               : std::max(0, std::min(count - 1, current + direction));
  d_graph->Select_Handles({next}, next);
  Graph_Selection_Changed();
}

void TGraph_Editing::Move_Selected(const int steps)
{
  const double step = steps * std::pow(10.0, -d_precision);
  Set_Selected(tr("Move Offsets"), [this, step](const int row) { return Rounded(Offset(row) + step); });
}

void TGraph_Editing::Delete_Selected()
{
  Set_Selected(tr("Delete Offsets"), [](int) { return 0.0; });
}

// Beside the current handle, holding its offset in full.
void TGraph_Editing::Open_Field()
{
  const std::vector<int> rows = d_graph->Handles().Selected();
  if (rows.empty()) {
    return;
  }
  const int current = d_graph->Handles().Is_Selected(d_graph->Handles().Current())
                        ? d_graph->Handles().Current()
                        : rows.front();
  d_field_rows = rows;
  d_field->setText(QString::number(Offset(current), 'g', QLocale::FloatingPointShortest));
  d_field->selectAll();
  const QSize size(QFontMetrics(d_field->font()).horizontalAdvance(FIELD_SIZING_TEXT),
                   d_field->sizeHint().height());
  const QPoint at = d_graph->Handle_Position(current).toPoint();
  const int x = std::min(at.x() + FIELD_GAP, d_graph->width() - size.width());
  const int y = std::max(0, std::min(at.y() - size.height() / 2, d_graph->height() - size.height()));
  d_field->setGeometry(QRect(QPoint(std::max(0, x), y), size));
  d_field->show();
  d_field->setFocus();
}

// Text that is no number leaves the offsets as they were.
void TGraph_Editing::Field_Complete()
{
  if (d_field_rows.empty()) {
    return;
  }
  const std::vector<int> rows = std::move(d_field_rows);
  d_field_rows.clear();
  double value = 0.0;
  if (Read_Typed_Number(d_field->text(), &value)) {
    TCell_Edits edits;
    for (const int row : rows) {
      edits.push_back({row, 0, value});
    }
    Change([this, &edits] { d_document->Edit_Cells(EDIT_DATA, tr("Type Offset"), edits); });
  }
  d_graph->setFocus();
}

void TGraph_Editing::Field_Cancelled()
{
  d_field_rows.clear();
  d_graph->setFocus();
}

double TGraph_Editing::Offset(const int row) const
{
  return d_document->Model().Edit()[static_cast<std::size_t>(row)].y;
}

// The number the table shows at the display precision, read back: the value set is
// exactly what the table shows.
double TGraph_Editing::Rounded(const double &value) const
{
  if (!std::isfinite(value)) {
    return value;
  }
  const double rounded = Format_Number(value, d_precision).toDouble();
  return rounded == 0.0 ? 0.0 : rounded;
}

void TGraph_Editing::Change(const std::function<void()> &change)
{
  const QScopedValueRollback<bool> keeping(d_keeping_view, true);
  change();
}

// One undo step for all the selected offsets.
void TGraph_Editing::Set_Selected(const QString &name, const std::function<double(int)> &value)
{
  TCell_Edits edits;
  for (const int row : d_graph->Handles().Selected()) {
    edits.push_back({row, 0, value(row)});
  }
  if (!edits.empty()) {
    Change([this, &name, &edits] { d_document->Edit_Cells(EDIT_DATA, name, edits); });
  }
}
