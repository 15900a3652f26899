#ifndef CORE_TABLECELLS_H
#define CORE_TABLECELLS_H

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableWidgetItem>

class TEditTable;

// Numbers line up by their last digit and sit in the middle of their rows, beside row
// labels aligned the same way; the cell editor shows its text in the same place.
const int CELL_ALIGNMENT = Qt::AlignRight | Qt::AlignVCenter;

// A cell item that holds no text of its own: it answers from the table's store, so it
// can never show a stale value. Created only when someone asks the table for it.
class TTableCellItem : public QTableWidgetItem
{
public:
  TTableCellItem(const TEditTable *table, int row, int column);

  QVariant data(int role) const override;

private:
  const TEditTable *d_table;
  int d_row;
  int d_column;
};

// A row header item answering with the table's label of its row. Text written into it
// becomes that row's label.
class TTableLabelItem : public QTableWidgetItem
{
public:
  TTableLabelItem(TEditTable *table, int row);

  QVariant data(int role) const override;
  void setData(int role, const QVariant &value) override;

private:
  TEditTable *d_table;
  int d_row;
};

// Paints each cell with the table's text of its stored value, formatted as it is painted,
// so that only the rows on screen are ever formatted.
class TTableCellDelegate : public QStyledItemDelegate
{
public:
  TTableCellDelegate(const TEditTable *table, QObject *parent);

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
  const TEditTable *d_table;
};

// The row header: a section gets its label item only when it is painted or measured.
class TTableRowHeader : public QHeaderView
{
public:
  explicit TTableRowHeader(TEditTable *table);

protected:
  void paintSection(QPainter *painter, const QRect &rect, int logical_index) const override;
  QSize sectionSizeFromContents(int logical_index) const override;

private:
  TEditTable *d_table;
};

#endif
