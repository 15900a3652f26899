#include "core/tableeditor.h"

#include "core/assertion.h"
#include "core/clipboardblock.h"
#include "core/numberformat.h"
#include "core/numberreader.h"
#include "core/tablecells.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMetaMethod>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QSignalBlocker>
#include <QStringList>
#include <QStringView>
#include <QLibraryInfo>
#include <QVersionNumber>

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

namespace {

// Cells are sized to hold this text in the application font.
const char SIZING_TEXT[] = "99999j999^";
const int ROW_MARGIN = 8;
// How much lighter a selection is drawn while its table has no focus, in percent.
const int PALE_SELECTION = 165;
const int COLUMN_MARGIN = 4;
// Longer pasted numbers are rare enough to take the slow conversion.

double Zero(const double &)
{
  return 0.0;
}

double Negated(const double &value)
{
  return -value;
}

// Keys the view's own handling moves the current cell or the selection with; Shift
// extends the selection from its anchor, Ctrl goes to the table's ends.
bool Is_Navigation_Key(const QKeyEvent &event)
{
  if (event.matches(QKeySequence::SelectAll)) {
    return true;
  }
  const Qt::KeyboardModifiers allowed =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier;
  if (event.modifiers() & ~allowed) {
    return false;
  }
  switch (event.key()) {
  case Qt::Key_Up:
  case Qt::Key_Down:
  case Qt::Key_Left:
  case Qt::Key_Right:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
  case Qt::Key_Home:
  case Qt::Key_End:
    return true;
  default:
    return false;
  }
}

bool Is_Typing_Key(const int key)
{
  return key == Qt::Key_Plus || key == Qt::Key_Minus || key == Qt::Key_Period
         || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

// Every new section of the header takes this size. Sizing the sections one by one
// would cost time proportional to the rows for each section.
void Set_Section_Size(QHeaderView *header, const int size)
{
  header->setMinimumSectionSize(qMin(header->minimumSectionSize(), size));
  header->setDefaultSectionSize(size);
}

// One field of pasted text, converted once however often it is repeated.
struct TPaste_Field
{
  bool empty = true;
  double value = 0.0;
};

// Pasted text as lines of equally many fields; the first line fixes the width.
struct TPaste_Block
{
  int line_count = 0;
  int field_count = 0;
  int skipped_count = 0;
  std::vector<TPaste_Field> fields;

  const TPaste_Field &Field(const int line, const int field) const
  {
    return fields[static_cast<std::size_t>(line) * field_count + field];
  }
};

// Trailing line ends go, so that a copied block pastes as exactly its rows. A carriage
// return before a line feed belongs to the line end.
QStringView Without_Trailing_Line_Ends(const QStringView text)
{
  qsizetype length = text.size();
  while (length > 0 && text.at(length - 1) == QLatin1Char('\n')) {
    --length;
    if (length > 0 && text.at(length - 1) == QLatin1Char('\r')) {
      --length;
    }
  }
  return text.left(length);
}

QStringView Without_Carriage_Return(const QStringView line)
{
  return line.endsWith(QLatin1Char('\r')) ? line.left(line.size() - 1) : line;
}

// The line that starts at `*start`, without its line feed; `*start` moves past it.
QStringView Take_Line(const QStringView text, qsizetype *start)
{
  qsizetype end = text.indexOf(QLatin1Char('\n'), *start);
  if (end < 0) {
    end = text.size();
  }
  const QStringView line = text.mid(*start, end - *start);
  *start = end + 1;
  return Without_Carriage_Return(line);
}

// Fields missing at the end of a line are empty; fields beyond the block's width go.
// A field that is no number leaves its cells alone, as an empty one does.
void Append_Line(const QStringView line, const QLocale &locale, TPaste_Block *block)
{
  qsizetype start = 0;
  for (int k = 0; k < block->field_count; ++k) {
    TPaste_Field field;
    if (start <= line.size()) {
      qsizetype end = line.indexOf(QLatin1Char('\t'), start);
      if (end < 0) {
        end = line.size();
      }
      const QStringView text = line.mid(start, end - start);
      if (!text.isEmpty()) {
        field.empty = !Read_Number(text.toString(), locale, &field.value);
        block->skipped_count += field.empty ? 1 : 0;
      }
      start = end + 1;
    }
    block->fields.push_back(field);
  }
}

// False when nothing but line ends is left to paste.
bool Parse_Paste_Text(const QString &text, const QLocale &locale, TPaste_Block *block)
{
  const QStringView content = Without_Trailing_Line_Ends(QStringView(text));
  if (content.isEmpty()) {
    return false;
  }
  block->line_count = static_cast<int>(content.count(QLatin1Char('\n'))) + 1;
  qsizetype start = 0;
  const QStringView first = Take_Line(content, &start);
  block->field_count = static_cast<int>(first.count(QLatin1Char('\t'))) + 1;
  block->fields.reserve(static_cast<std::size_t>(block->line_count) * block->field_count);
  Append_Line(first, locale, block);
  while (start <= content.size()) {
    Append_Line(Take_Line(content, &start), locale, block);
  }
  return true;
}

}  // namespace

// No frame: the editor covers the painted cell exactly, so its text can sit where the
// cell's text was.
TTableLineEditor::TTableLineEditor(QWidget *parent) : QLineEdit(parent)
{
  setFrame(false);
  setPalette(palette());
  setAlignment(Qt::Alignment(CELL_ALIGNMENT));
}

// The line edit keeps a pixel for the cursor at the right of its text, which the cell
// does not: the right margin gives it back. Qt 6 places a cell's text half a pixel higher
// than Qt 5 does, so under Qt 6 a bottom margin lifts the editor's text by the same half
// pixel. What remains is where glyphs fall at fractions of a pixel: at most one pixel, for
// some font sizes.
void TTableLineEditor::Fit_Text_To(const QRect &cell)
{
  setGeometry(cell);
  const int bottom = QLibraryInfo::version().majorVersion() >= 6 ? 1 : 0;
  setTextMargins(0, 0, -1, bottom);
}

// Hiding first moves the focus away, so the text is committed before the key goes on
// to the table, which moves the current cell on Return and Enter. Escape abandons the
// text before the editor hides, so nothing is committed.
void TTableLineEditor::keyPressEvent(QKeyEvent *event)
{
  const int key = event->key();
  if (key == Qt::Key_Escape) {
    emit Edit_Cancelled();
    hide();
    event->accept();
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    hide();
  }
  QLineEdit::keyPressEvent(event);
}

void TTableLineEditor::focusOutEvent(QFocusEvent *event)
{
  if (event->type() != QEvent::FocusOut) {
    return;
  }
  hide();
  event->ignore();
  emit Edit_Complete();
}

TEditTable::TEditTable(QWidget *parent) : QTableWidget(parent)
{
  setVerticalHeader(new TTableRowHeader(this));
  setItemDelegate(new TTableCellDelegate(this, this));
  d_cell_editor = new TTableLineEditor(this);
  d_cell_editor->hide();
  d_decimal_point = Decimal_Point(locale());
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The table's own cell editor is the only one; the view never opens an item editor.
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  Use_Pale_Inactive_Selection();
  d_cut_action = Create_Action(tr("&Cut"), &TEditTable::Edit_Cut, QKeySequence::Cut);
  d_copy_action = Create_Action(tr("C&opy"), &TEditTable::Edit_Copy, QKeySequence::Copy);
  d_paste_action = Create_Action(tr("&Paste"), &TEditTable::Edit_Paste, QKeySequence::Paste);
  d_paste_action->setEnabled(false);
  d_delete_action =
    Create_Action(tr("&Delete"), &TEditTable::Edit_Delete, QKeySequence(Qt::Key_Delete));
  d_invert_action = Create_Action(tr("&Invert Sign"), &TEditTable::Edit_Invert);
  connect(this, &QTableWidget::itemSelectionChanged, this, &TEditTable::Table_Selection_Changed);
  connect(d_cell_editor, &QLineEdit::textChanged, this, &TEditTable::Cell_Editor_Changed);
  connect(d_cell_editor, &TTableLineEditor::Edit_Complete, this, &TEditTable::Cell_Editor_Closed);
  connect(d_cell_editor, &TTableLineEditor::Edit_Cancelled, this,
          &TEditTable::Cell_Editor_Cancelled);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &TEditTable::Clipboard_Data_Changed);
}

// A table keeps its selection for the commands when the focus leaves; drawn paler, it
// does not look like the selection the keys act on.
void TEditTable::Use_Pale_Inactive_Selection()
{
  QPalette colours = palette();
  const QColor active = colours.color(QPalette::Active, QPalette::Highlight);
  colours.setColor(QPalette::Inactive, QPalette::Highlight, active.lighter(PALE_SELECTION));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::Text));
  setPalette(colours);
}

// The table's key handling runs the commands; an action's keys only show in its menu and
// in lists of shortcuts. The actions are never added to the table, so their shortcuts
// do not fire a second time.
QAction *TEditTable::Create_Action(const QString &text, void (TEditTable::*slot)(),
                                   const QKeySequence &keys)
{
  QAction *const action = new QAction(text, this);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetShortcut);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void TEditTable::Set_Table_Size(const int row_count, const int column_count)
{
  clear();
  setRowCount(0);
  setColumnCount(0);
  Release_Store();
  d_row_count = 0;
  d_column_count = 0;
  if (row_count < 1 || column_count < 1) {
    return;
  }
  const std::size_t size = static_cast<std::size_t>(row_count) * column_count;
  d_values.assign(size, 0.0);
  d_shown.assign(size, false);
  Resize_Grid(row_count, column_count);
}

void TEditTable::Show_Values(const TTable_Values *values, const int row_count,
                             const int column_count, const int label_precision)
{
  const bool empty = !values || row_count < 1 || column_count < 1;
  if (d_source != values || empty || column_count != d_column_count) {
    clear();
    setRowCount(0);
    setColumnCount(0);
    d_row_count = 0;
    d_column_count = 0;
  }
  Release_Store();
  d_source = values;
  d_label_precision = label_precision;
  if (empty) {
    return;
  }
  Resize_Grid(row_count, column_count);
  Repaint_Cells();
  Repaint_Labels(d_row_count);
}

void TEditTable::Values_Changed(const int first_row, const int last_row)
{
  if (d_source && first_row <= last_row && last_row >= 0 && first_row < d_row_count) {
    Repaint_Cells();
  }
}

// Rows come and go at the end; a grid built from nothing gets its section sizes first.
void TEditTable::Resize_Grid(const int row_count, const int column_count)
{
  setUpdatesEnabled(false);
  if (d_row_count == 0) {
    const QRect bounds =
      QFontMetrics(QApplication::font()).boundingRect(QString::fromLatin1(SIZING_TEXT));
    Set_Section_Size(verticalHeader(), bounds.height() + ROW_MARGIN);
    Set_Section_Size(horizontalHeader(), bounds.width() + COLUMN_MARGIN);
  }
  d_row_count = row_count;
  setRowCount(row_count);
  if (d_column_count != column_count) {
    d_column_count = column_count;
    setColumnCount(column_count);
    Install_Column_Titles();
  }
  setUpdatesEnabled(true);
}

// The values and labels the table holds itself.
void TEditTable::Release_Store()
{
  d_source = nullptr;
  d_values = std::vector<double>();
  d_shown = std::vector<bool>();
  d_positions = std::vector<double>();
  d_labels = std::vector<QString>();
}

// Cells and row labels get no items: they are made on request.
void TEditTable::Install_Column_Titles()
{
  for (int column = 0; column < d_column_count; ++column) {
    setHorizontalHeaderItem(column, new QTableWidgetItem(0));
  }
}

int TEditTable::Row_Count() const
{
  return d_row_count;
}

int TEditTable::Column_Count() const
{
  return d_column_count;
}

double TEditTable::Value(const int row, const int column) const
{
  if (!Contains(row, column)) {
    return 0.0;
  }
  return d_source ? d_source->Value(row, column) : d_values[Offset(row, column)];
}

void TEditTable::Set_Value(const int row, const int column, const double &value)
{
  if (d_source || !Contains(row, column)) {
    return;
  }
  Store_Value(Offset(row, column), value);
  Repaint_Cells();
}

void TEditTable::Set_Values(const double *values)
{
  if (!ASSERT(values) || d_source) {
    return;
  }
  clearSelection();
  std::copy(values, values + d_values.size(), d_values.begin());
  d_shown.assign(d_values.size(), true);
  Repaint_Cells();
}

void TEditTable::Set_Column(const int column, const std::vector<double> &values)
{
  if (d_source || column < 0 || column >= d_column_count) {
    return;
  }
  const int count = static_cast<int>(std::min<std::size_t>(values.size(), d_row_count));
  const int first = Offset(0, column);
  std::copy(values.begin(), values.begin() + count, d_values.begin() + first);
  std::fill(d_shown.begin() + first, d_shown.begin() + first + count, true);
  Repaint_Cells();
}

QString TEditTable::Cell_Text(const int row, const int column) const
{
  if (!Contains(row, column)) {
    return QString();
  }
  const int offset = Offset(row, column);
  if (!d_source && !d_shown[offset]) {
    return QString();
  }
  ++d_formatting_count;
  return Format_Number(Value(row, column), d_precision, d_decimal_point);
}

void TEditTable::Set_Row_Positions(std::vector<double> positions, const int precision)
{
  if (d_source) {
    return;
  }
  d_positions = std::move(positions);
  d_label_precision = precision;
  d_labels = std::vector<QString>();
  Repaint_Labels(d_row_count);
}

void TEditTable::Set_Row_Labels(const QStringList &labels)
{
  const int count = qMin(static_cast<int>(labels.size()), d_row_count);
  if (count < 1) {
    return;
  }
  d_labels.resize(static_cast<std::size_t>(d_row_count));
  std::copy(labels.begin(), labels.begin() + count, d_labels.begin());
  Repaint_Labels(count);
}

void TEditTable::Set_Row_Label(const int row, const QString &label)
{
  if (row < 0 || row >= d_row_count) {
    return;
  }
  d_labels.resize(static_cast<std::size_t>(d_row_count));
  d_labels[static_cast<std::size_t>(row)] = label.isNull() ? QLatin1String("") : label;
  emit model()->headerDataChanged(Qt::Vertical, row, row);
}

QString TEditTable::Row_Label(const int row) const
{
  if (row < 0 || row >= d_row_count) {
    return QString();
  }
  const std::size_t index = static_cast<std::size_t>(row);
  if (index < d_labels.size() && !d_labels[index].isNull()) {
    return d_labels[index];
  }
  if (d_source || index < d_positions.size()) {
    ++d_formatting_count;
    const double position = d_source ? d_source->Position(row) : d_positions[index];
    return Format_Number(position, d_label_precision, d_decimal_point);
  }
  return QString();
}

long long TEditTable::Formatting_Count() const
{
  return d_formatting_count;
}

// The model learns of the new item quietly: it shows what the view already paints.
QTableWidgetItem *TEditTable::item(const int row, const int column) const
{
  if (!Contains(row, column)) {
    return nullptr;
  }
  if (QTableWidgetItem *const existing = QTableWidget::item(row, column)) {
    return existing;
  }
  TEditTable *const table = const_cast<TEditTable *>(this);
  QTableWidgetItem *const cell = new TTableCellItem(this, row, column);
  const QSignalBlocker blocker(model());
  table->setItem(row, column, cell);
  return cell;
}

QTableWidgetItem *TEditTable::verticalHeaderItem(const int row) const
{
  if (row < 0 || row >= d_row_count) {
    return nullptr;
  }
  if (QTableWidgetItem *const existing = QTableWidget::verticalHeaderItem(row)) {
    return existing;
  }
  TEditTable *const table = const_cast<TEditTable *>(this);
  QTableWidgetItem *const label = new TTableLabelItem(table, row);
  const QSignalBlocker blocker(model());
  table->setVerticalHeaderItem(row, label);
  return label;
}

QList<QTableWidgetItem *> TEditTable::selectedItems() const
{
  QList<QTableWidgetItem *> items;
  const QModelIndexList indexes = selectionModel()->selectedIndexes();
  for (const QModelIndex &index : indexes) {
    if (!isIndexHidden(index)) {
      items.append(item(index.row(), index.column()));
    }
  }
  return items;
}

// Only the rows on screen are formatted again, when they are painted.
void TEditTable::Repaint_Cells()
{
  viewport()->update();
}

// The header measures its width again from the labels of its first and last rows. Either
// row's change makes it forget its measure; naming every row would make some Qt versions
// look up each one, a million calls for what the repaint below does at once.
void TEditTable::Repaint_Labels(const int count)
{
  if (count < 1) {
    return;
  }
  emit model()->headerDataChanged(Qt::Vertical, 0, 0);
  emit model()->headerDataChanged(Qt::Vertical, count - 1, count - 1);
  verticalHeader()->viewport()->update();
}

void TEditTable::Set_Display_Precision(const int precision)
{
  d_precision = precision;
  clearSelection();
  Repaint_Cells();
}

void TEditTable::Resize_Columns(const bool set_minimum_width)
{
  resizeColumnsToContents();
  if (!set_minimum_width) {
    return;
  }
  int width = 2 + verticalHeader()->sizeHint().width();
  for (int column = 0; column < columnCount(); ++column) {
    width += columnWidth(column);
  }
  setMinimumWidth(width);
}

void TEditTable::Set_Entry_Mode(const int mode)
{
  d_entry_mode = mode;
}

void TEditTable::Set_Enter_Mode(const int mode)
{
  d_enter_mode = mode;
}

void TEditTable::Set_Read_Only(const bool read_only)
{
  d_read_only = read_only;
}

void TEditTable::Set_Invert_Enabled(const bool enabled)
{
  d_invert_enabled = enabled;
}

void TEditTable::Add_Context_Actions(const QList<QAction *> &actions)
{
  d_context_actions += actions;
}

bool TEditTable::Contains(const int row, const int column) const
{
  return row >= 0 && row < d_row_count && column >= 0 && column < d_column_count;
}

int TEditTable::Offset(const int row, const int column) const
{
  if (!ASSERT(d_row_count) || !ASSERT(d_column_count)) {
    return 0;
  }
  return row + column * d_row_count;
}

void TEditTable::Store_Value(const int offset, const double &value)
{
  d_values[offset] = value;
  d_shown[offset] = true;
}

void TEditTable::Table_Selection_Changed()
{
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  if (ranges.isEmpty()) {
    d_selection_left = -1;
    d_selection_top = -1;
    d_selection_right = -1;
    d_selection_bottom = -1;
  } else {
    d_selection_left = ranges.first().leftColumn();
    d_selection_top = ranges.first().topRow();
    d_selection_right = ranges.first().rightColumn();
    d_selection_bottom = ranges.first().bottomRow();
    for (const QTableWidgetSelectionRange &range : ranges) {
      d_selection_left = qMin(d_selection_left, range.leftColumn());
      d_selection_top = qMin(d_selection_top, range.topRow());
      d_selection_right = qMax(d_selection_right, range.rightColumn());
      d_selection_bottom = qMax(d_selection_bottom, range.bottomRow());
    }
  }
  emit Selection_Changed();
}

bool TEditTable::Has_Selection() const
{
  return d_selection_left >= 0 && d_selection_top >= 0 && d_selection_right >= 0
         && d_selection_bottom >= 0;
}

// The selected block as the clipboard carries it, in the table's locale.
std::unique_ptr<QMimeData> TEditTable::Selection_Data() const
{
  TClipboard_Block block(d_precision, locale());
  block.Reserve(qsizetype(d_selection_bottom - d_selection_top + 1)
                * (d_selection_right - d_selection_left + 1));
  for (int row = d_selection_top; row <= d_selection_bottom; ++row) {
    for (int column = d_selection_left; column <= d_selection_right; ++column) {
      block.Add(Value(row, column));
    }
    block.End_Row();
  }
  return block.Mime_Data();
}

void TEditTable::Change_Selection(const QString &description,
                                  const std::function<double(const double &value)> &change)
{
  Change_Rows(description, d_selection_top, d_selection_bottom,
              [this, &change](const int row, const int column) {
                return change(Value(row, column));
              });
}

// The selected columns of the given rows take new values.
void TEditTable::Change_Rows(const QString &description, const int first_row,
                             const int last_row,
                             const std::function<double(int row, int column)> &value_at)
{
  TCell_Edits edits;
  const int columns = d_selection_right - d_selection_left + 1;
  edits.reserve(static_cast<std::size_t>(std::max(last_row - first_row + 1, 0)) * columns);
  for (int row = first_row; row <= last_row; ++row) {
    for (int column = d_selection_left; column <= d_selection_right; ++column) {
      edits.push_back({row, column, value_at(row, column)});
    }
  }
  Apply_Edits(description, edits, true);
}

// A table with its own store keeps the values as it reports them; an owner elsewhere
// applies them when told. Listeners of single cells are told only when there are any, as
// a paste over a million rows would otherwise cost a million signals.
void TEditTable::Apply_Edits(const QString &description, const TCell_Edits &edits,
                             const bool bracketed)
{
  if (bracketed) {
    emit Start_Multiple_Cell_Change(description);
  }
  const bool per_cell = isSignalConnected(QMetaMethod::fromSignal(&TEditTable::Cell_Changed));
  for (const TCell_Edit &edit : edits) {
    if (!d_source) {
      Store_Value(Offset(edit.row, edit.column), edit.value);
    }
    if (per_cell) {
      emit Cell_Changed(edit.row, edit.column, edit.value);
    }
  }
  Repaint_Cells();
  if (bracketed) {
    emit End_Multiple_Cell_Change();
  }
  emit Cells_Edited(description, edits);
}

int TEditTable::Selected_Row_Count() const
{
  return Has_Selection() ? d_selection_bottom - d_selection_top + 1 : 0;
}

void TEditTable::Interpolate_Selection()
{
  if (d_read_only || Selected_Row_Count() < 2) {
    return;
  }
  const int top = d_selection_top;
  const double span = d_selection_bottom - top;
  std::vector<double> first(static_cast<std::size_t>(d_column_count));
  std::vector<double> rise(first.size());
  for (int column = d_selection_left; column <= d_selection_right; ++column) {
    first[column] = Value(top, column);
    rise[column] = Value(d_selection_bottom, column) - first[column];
  }
  Change_Rows(tr("Interpolate"), top + 1, d_selection_bottom - 1,
              [&](const int row, const int column) {
                return first[column] + rise[column] * ((row - top) / span);
              });
}

void TEditTable::Add_To_Selection(const double &number)
{
  if (!d_read_only && Has_Selection()) {
    Change_Selection(tr("Add"), [&number](const double &value) {
      return value + number;
    });
  }
}

void TEditTable::Multiply_Selection(const double &number)
{
  if (!d_read_only && Has_Selection()) {
    Change_Selection(tr("Multiply"), [&number](const double &value) {
      return value * number;
    });
  }
}

void TEditTable::Set_Selection(const double &number)
{
  if (!d_read_only && Has_Selection()) {
    Change_Selection(tr("Set Value"), [&number](const double &) { return number; });
  }
}

void TEditTable::Invert_Selection()
{
  if (!d_read_only && Has_Selection()) {
    Change_Selection(tr("Invert Sign"), Negated);
  }
}

void TEditTable::Edit_Copy()
{
  if (!Has_Selection()) {
    return;
  }
  QApplication::clipboard()->setMimeData(Selection_Data().release());
}

// The clipboard changes only after the end signal, when the owner has seen every change.
void TEditTable::Edit_Cut()
{
  if (!Has_Selection()) {
    return;
  }
  std::unique_ptr<QMimeData> data = Selection_Data();
  Change_Selection(tr("Cut values"), Zero);
  QApplication::clipboard()->setMimeData(data.release());
}

void TEditTable::Edit_Delete()
{
  if (!Has_Selection()) {
    return;
  }
  Change_Selection(tr("Delete values"), Zero);
}

void TEditTable::Edit_Invert()
{
  Invert_Selection();
}

void TEditTable::Edit_Paste()
{
  if (!Has_Selection()) {
    return;
  }
  if (const QMimeData *const data = QApplication::clipboard()->mimeData()) {
    Paste_Text(Clipboard_Table_Text(*data));
  }
}

// A single cell or a selection of exactly the block's size takes the block once, cut
// off at the table's edges; any other selection is filled by repeating the block and
// cuts it off at its own edges.
void TEditTable::Paste_Text(const QString &text)
{
  TPaste_Block block;
  if (!Parse_Paste_Text(text, locale(), &block)) {
    return;
  }
  const int rows = d_selection_bottom - d_selection_top + 1;
  const int columns = d_selection_right - d_selection_left + 1;
  const bool once = (rows == 1 && columns == 1)
                    || (columns == block.field_count && rows == block.line_count);
  const int row_limit = once ? d_row_count : d_selection_bottom + 1;
  const int column_limit = once ? d_column_count : d_selection_right + 1;
  TCell_Edits edits;
  edits.reserve(static_cast<std::size_t>(std::min(rows, row_limit - d_selection_top))
                * std::min(columns, column_limit - d_selection_left));
  for (int row_offset = 0; row_offset < rows; row_offset += block.line_count) {
    for (int line = 0; line < block.line_count; ++line) {
      const int row = d_selection_top + line + row_offset;
      for (int column_offset = 0; column_offset < columns; column_offset += block.field_count) {
        for (int k = 0; k < block.field_count; ++k) {
          const int column = d_selection_left + k + column_offset;
          const TPaste_Field &field = block.Field(line, k);
          if (row >= row_limit || column >= column_limit || field.empty) {
            continue;
          }
          const double value =
            d_entry_mode == ENTRY_ADD ? field.value + Value(row, column) : field.value;
          edits.push_back({row, column, value});
        }
      }
    }
  }
  Apply_Edits(tr("Paste values"), edits, true);
  if (block.skipped_count > 0) {
    emit Fields_Skipped(block.skipped_count);
  }
}

void TEditTable::Clipboard_Data_Changed()
{
  const QMimeData *const data = QApplication::clipboard()->mimeData();
  d_paste_action->setEnabled(data && (!data->text().isEmpty() || data->hasHtml()));
}

void TEditTable::contextMenuEvent(QContextMenuEvent *event)
{
  QMenu menu(this);
  if (!d_read_only) {
    menu.addAction(d_cut_action);
  }
  menu.addAction(d_copy_action);
  if (!d_read_only) {
    menu.addAction(d_paste_action);
    menu.addAction(d_delete_action);
  }
  if (d_invert_enabled) {
    menu.addSeparator();
    menu.addAction(d_invert_action);
  }
  if (!d_context_actions.isEmpty()) {
    menu.addSeparator();
    menu.addActions(d_context_actions);
  }
  menu.exec(event->globalPos());
}

// Cells and row labels show the decimal separator of the table's locale, whenever it
// changes.
void TEditTable::changeEvent(QEvent *event)
{
  QTableWidget::changeEvent(event);
  if (event->type() == QEvent::LocaleChange) {
    d_decimal_point = Decimal_Point(locale());
    Repaint_Cells();
    Repaint_Labels(d_row_count);
  }
}

// A table entered by Tab or a click has its current cell selected, so that the commands
// act on it at once. A selection kept from before, around the current cell, stays.
void TEditTable::focusInEvent(QFocusEvent *event)
{
  QTableWidget::focusInEvent(event);
  if (d_row_count < 1 || d_column_count < 1) {
    return;
  }
  if (!currentIndex().isValid()) {
    setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
  }
  if (!selectionModel()->isSelected(currentIndex())) {
    Select_Current_Cell();
  }
}

// Moving with the keys always selects the new current cell, Ctrl only choosing how far
// it goes; Shift extends the selection from its anchor instead.
QItemSelectionModel::SelectionFlags TEditTable::selectionCommand(const QModelIndex &index,
                                                                 const QEvent *event) const
{
  if (!event || event->type() != QEvent::KeyPress
      || !Is_Navigation_Key(*static_cast<const QKeyEvent *>(event))) {
    return QTableWidget::selectionCommand(index, event);
  }
  if (static_cast<const QKeyEvent *>(event)->modifiers() & Qt::ShiftModifier) {
    return QItemSelectionModel::SelectCurrent;
  }
  return QItemSelectionModel::ClearAndSelect;
}

// The table's commands come first, navigation goes to the view's own handling, and
// keys the table has no use for go on to the parent.
void TEditTable::keyPressEvent(QKeyEvent *event)
{
  if (Handle_Command_Key(*event)) {
    event->accept();
  } else if (Is_Navigation_Key(*event)) {
    QTableWidget::keyPressEvent(event);
  } else {
    event->ignore();
  }
}

// False for a key that is no command of the table.
bool TEditTable::Handle_Command_Key(const QKeyEvent &event)
{
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Move_Current_Row();
  } else if (Is_Typing_Key(key)) {
    if (!d_read_only) {
      Type_Into_Cell(event);
    }
  } else if (key == Qt::Key_F2 && event.modifiers() == Qt::NoModifier) {
    if (!d_read_only) {
      Edit_Current_Value();
    }
  } else if (key == Qt::Key_Delete) {
    if (!d_read_only) {
      Edit_Delete();
    }
  } else {
    return event.modifiers() == Qt::ControlModifier && Handle_Control_Key(key);
  }
  return true;
}

// Return and Enter wrap around at the table's ends.
void TEditTable::Move_Current_Row()
{
  const int rows = rowCount();
  if (rows < 1) {
    return;
  }
  const int current = currentRow();
  int row = 0;
  if (d_enter_mode == ENTER_UP) {
    row = current <= 0 ? rows - 1 : current - 1;
  } else {
    row = current + 1 >= rows ? 0 : current + 1;
  }
  setCurrentCell(row, currentColumn());
  Select_Current_Cell();
}

void TEditTable::Select_Current_Cell()
{
  const QModelIndex current = currentIndex();
  if (current.isValid()) {
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  }
}

// The typed character replaces the cell's text; the old value is not shown.
void TEditTable::Type_Into_Cell(const QKeyEvent &event)
{
  Activate_Cell(currentRow(), currentColumn());
  d_cell_editor->setText(event.text());
}

// The editor starts from the stored value in full, the cursor at its end; only what the
// user then types counts as a change.
void TEditTable::Edit_Current_Value()
{
  const int row = currentRow();
  const int column = currentColumn();
  if (!Contains(row, column)) {
    return;
  }
  Activate_Cell(row, column);
  const QSignalBlocker blocker(d_cell_editor);
  d_cell_editor->setText(With_Decimal_Point(
    QString::number(Value(row, column), 'g', QLocale::FloatingPointShortest), d_decimal_point));
  d_cell_editor->end(false);
}

// False for a key that has no Ctrl command, so that it goes on to the parent.
bool TEditTable::Handle_Control_Key(const int key)
{
  switch (key) {
  case Qt::Key_V:
    if (!d_read_only) {
      Edit_Paste();
    }
    return true;
  case Qt::Key_X:
    if (!d_read_only) {
      Edit_Cut();
    }
    return true;
  case Qt::Key_C:
    Edit_Copy();
    return true;
  default:
    return false;
  }
}

// Editing one cell makes it the whole selection, as in a spreadsheet.
void TEditTable::Activate_Cell(const int row, const int column)
{
  if (row < 0 || column < 0) {
    return;
  }
  Select_Current_Cell();
  d_cell_editor->Fit_Text_To(Painted_Cell_Rect(row, column));
  if (d_cell_editor->isHidden()) {
    d_cell_editor->show();
    d_cell_editor->setFocus(Qt::OtherFocusReason);
  }
  d_editor_changed = false;
  d_edit_row = row;
  d_edit_column = column;
}

// Where the view paints the cell, inside its grid lines, in the table's own coordinates,
// where the editor lives.
QRect TEditTable::Painted_Cell_Rect(const int row, const int column) const
{
  return visualRect(model()->index(row, column)).translated(viewport()->geometry().topLeft());
}

void TEditTable::Cell_Editor_Changed()
{
  d_editor_changed = true;
}

void TEditTable::Cell_Editor_Cancelled()
{
  d_editor_changed = false;
}

// Text that is not a number leaves the cell as it was and reports nothing.
void TEditTable::Cell_Editor_Closed()
{
  setFocus(Qt::OtherFocusReason);
  if (!d_editor_changed) {
    return;
  }
  const int row = d_edit_row;
  const int column = d_edit_column;
  d_editor_changed = false;
  if (row < 0 || column < 0) {
    return;
  }
  const QString text = d_cell_editor->text();
  const bool was_blocked = d_cell_editor->blockSignals(true);
  d_cell_editor->clear();
  d_cell_editor->blockSignals(was_blocked);
  double number = 0.0;
  if (!Read_Number(text, locale(), &number)) {
    return;
  }
  if (d_entry_mode == ENTRY_ADD) {
    number += Value(row, column);
  }
  Apply_Edits(tr("Typing"), TCell_Edits{{row, column, number}}, false);
}
