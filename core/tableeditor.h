#ifndef CORE_TABLEEDITOR_H
#define CORE_TABLEEDITOR_H

#include "core/tablevalues.h"

#include <QLineEdit>
#include <QStringList>
#include <QTableWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QContextMenuEvent;
class QFocusEvent;
class QKeyEvent;
class QMimeData;

const int ENTRY_REPLACE = 0;
const int ENTRY_ADD = 1;

const int ENTER_DOWN = 0;
const int ENTER_UP = 1;

// The single-line editor laid over a cell while the user types into a TEditTable.
// Return, Enter, Escape and any loss of focus close it; Edit_Complete() then tells the
// table to commit the text, unless Escape abandoned it first with Edit_Cancelled().
class TTableLineEditor : public QLineEdit
{
  Q_OBJECT

public:
  explicit TTableLineEditor(QWidget *parent);

  // Covers the cell, its text where the cell shows its own.
  void Fit_Text_To(const QRect &cell);

signals:
  void Edit_Complete();
  void Edit_Cancelled();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
};

// A grid of doubles. The values live in the table's own column-major store, or, after
// Show_Values, with an owner elsewhere; either is the one source of every text: a cell's
// text and a row label are formatted only when they are painted or asked for, so writes
// cost nothing per row on screen or off it. Items are made on first request and answer
// from the values. Changes made by the user are reported cell by cell with Cell_Changed,
// commands that change many cells are bracketed by Start_Multiple_Cell_Change and
// End_Multiple_Cell_Change, and every change as a whole with Cells_Edited. Values set by
// the program are never reported.
class TEditTable : public QTableWidget
{
  Q_OBJECT

public:
  explicit TEditTable(QWidget *parent = nullptr);

  // Rebuilds the grid with a store of its own: all values 0.0, blank cells and row labels;
  // a count below 1 leaves the table empty.
  void Set_Table_Size(int row_count, int column_count);
  // Shows values held elsewhere, which must outlive their showing: the table keeps no
  // store, labels each row with its position at the given precision, and changes no value
  // itself. What the user changes is reported as usual; the owner applies it and calls
  // Values_Changed. Rows are added or removed at the end, so that the rows that stay keep
  // the current cell and the selection. The store's writers are ignored meanwhile.
  void Show_Values(const TTable_Values *values, int row_count, int column_count,
                   int label_precision);
  // Repaints the rows whose values their owner changed.
  void Values_Changed(int first_row, int last_row);
  int Row_Count() const;
  int Column_Count() const;
  // 0.0 for a cell outside the table.
  double Value(int row, int column) const;
  // Stores and shows one value, emitting nothing; a cell outside the table is ignored.
  void Set_Value(int row, int column, const double &value);
  // Replaces the whole store from an array in store order (column-major).
  void Set_Values(const double *values);
  // Stores and shows a whole column from the first row on, emitting nothing; values
  // beyond the last row are ignored.
  void Set_Column(int column, const std::vector<double> &values);
  // The text a cell shows: its value at the display precision with the decimal separator
  // of the table's locale, blank until written.
  QString Cell_Text(int row, int column) const;
  // Rows are labelled with their positions at the given precision, formatted when shown
  // with the decimal separator of the table's locale, as cells are.
  void Set_Row_Positions(std::vector<double> positions, int precision);
  // Fixed label texts from the first row on; they take the place of positions.
  void Set_Row_Labels(const QStringList &labels);
  void Set_Row_Label(int row, const QString &label);
  QString Row_Label(int row) const;
  // How many cell texts and row labels have been formatted since the table was made.
  long long Formatting_Count() const;
  // Items made when first asked for; they answer from the store and the labels.
  QTableWidgetItem *item(int row, int column) const;
  QTableWidgetItem *verticalHeaderItem(int row) const;
  QList<QTableWidgetItem *> selectedItems() const;
  void Set_Display_Precision(int precision);
  void Resize_Columns(bool set_minimum_width);
  void Set_Entry_Mode(int mode);
  void Set_Enter_Mode(int mode);
  void Set_Read_Only(bool read_only);
  void Set_Invert_Enabled(bool enabled);
  // Shown after the table's own commands in its context menu.
  void Add_Context_Actions(const QList<QAction *> &actions);

  // Commands on the selected cells, each one multiple-cell change named after it; a
  // read-only table or one without a selection is left alone.
  bool Has_Selection() const;
  int Selected_Row_Count() const;
  bool Is_Read_Only() const { return d_read_only; }
  // In each selected column, the cells strictly between the first and last selected
  // rows take values on the straight line between those two rows' values.
  void Interpolate_Selection();
  void Add_To_Selection(const double &number);
  void Multiply_Selection(const double &number);
  void Set_Selection(const double &number);
  void Invert_Selection();

signals:
  void Selection_Changed();
  void Cell_Changed(const int row, const int column, const double &value);
  void Start_Multiple_Cell_Change(const QString &description);
  void End_Multiple_Cell_Change();
  // After a paste: how many fields were no number and left their cells as they were.
  void Fields_Skipped(int count);
  // Every change a user makes, as a whole, once it is complete: a typed value ("Typing")
  // or a command on many cells, named as its bracketing signals name it, in the user's
  // language.
  void Cells_Edited(const QString &description, const TCell_Edits &edits);

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void changeEvent(QEvent *event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(
    const QModelIndex &index, const QEvent *event = nullptr) const override;
  void contextMenuEvent(QContextMenuEvent *event) override;

private slots:
  void Table_Selection_Changed();
  void Activate_Cell(int row, int column);
  void Cell_Editor_Changed();
  void Cell_Editor_Closed();
  void Cell_Editor_Cancelled();
  void Clipboard_Data_Changed();
  void Edit_Cut();
  void Edit_Copy();
  void Edit_Delete();
  void Edit_Paste();
  void Edit_Invert();

private:
  void Use_Pale_Inactive_Selection();
  QAction *Create_Action(const QString &text, void (TEditTable::*slot)(),
                         const QKeySequence &keys = QKeySequence());
  void Release_Store();
  void Resize_Grid(int row_count, int column_count);
  void Install_Column_Titles();
  void Repaint_Cells();
  void Repaint_Labels(int count);
  bool Contains(int row, int column) const;
  int Offset(int row, int column) const;
  void Store_Value(int offset, const double &value);
  void Apply_Edits(const QString &description, const TCell_Edits &edits, bool bracketed);
  std::unique_ptr<QMimeData> Selection_Data() const;
  void Change_Selection(const QString &description,
                        const std::function<double(const double &value)> &change);
  void Change_Rows(const QString &description, int first_row, int last_row,
                   const std::function<double(int row, int column)> &value_at);
  void Paste_Text(const QString &text);
  bool Handle_Command_Key(const QKeyEvent &event);
  void Move_Current_Row();
  void Select_Current_Cell();
  void Type_Into_Cell(const QKeyEvent &event);
  void Edit_Current_Value();
  QRect Painted_Cell_Rect(int row, int column) const;
  bool Handle_Control_Key(int key);

  TTableLineEditor *d_cell_editor = nullptr;
  QAction *d_cut_action = nullptr;
  QAction *d_copy_action = nullptr;
  QAction *d_paste_action = nullptr;
  QAction *d_delete_action = nullptr;
  QAction *d_invert_action = nullptr;
  QList<QAction *> d_context_actions;
  bool d_invert_enabled = true;
  bool d_read_only = false;
  bool d_editor_changed = false;
  // The cell the open editor writes to.
  int d_edit_row = -1;
  int d_edit_column = -1;
  int d_row_count = 0;
  int d_column_count = 0;
  // The values of their owner, when they are shown from there.
  const TTable_Values *d_source = nullptr;
  std::vector<double> d_values;
  // True where the cell shows its value; cells never written since a rebuild are blank.
  std::vector<bool> d_shown;
  std::vector<double> d_positions;
  int d_label_precision = 0;
  // Fixed labels; a null text leaves the row to its position.
  std::vector<QString> d_labels;
  mutable long long d_formatting_count = 0;
  int d_entry_mode = ENTRY_REPLACE;
  int d_enter_mode = ENTER_DOWN;
  int d_selection_left = -1;
  int d_selection_top = -1;
  int d_selection_right = -1;
  int d_selection_bottom = -1;
  int d_precision = 1;
  // The separator of the numbers shown, from the table's locale.
  QString d_decimal_point = QStringLiteral(".");
};

#endif
