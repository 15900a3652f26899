#include "core/tablecells.h"

#include "core/tableeditor.h"

namespace {

bool Is_Text_Role(const int role)
{
  return role == Qt::DisplayRole || role == Qt::EditRole;
}

}  // namespace

TTableCellItem::TTableCellItem(const TEditTable *table, const int row, const int column)
  : QTableWidgetItem(UserType), d_table(table), d_row(row), d_column(column)
{
  setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

QVariant TTableCellItem::data(const int role) const
{
  if (Is_Text_Role(role)) {
    return d_table->Cell_Text(d_row, d_column);
  }
  if (role == Qt::TextAlignmentRole) {
    return CELL_ALIGNMENT;
  }
  return QTableWidgetItem::data(role);
}

TTableLabelItem::TTableLabelItem(TEditTable *table, const int row)
  : QTableWidgetItem(UserType), d_table(table), d_row(row)
{
}

QVariant TTableLabelItem::data(const int role) const
{
  if (Is_Text_Role(role)) {
    return d_table->Row_Label(d_row);
  }
  if (role == Qt::TextAlignmentRole) {
    return CELL_ALIGNMENT;
  }
  return QTableWidgetItem::data(role);
}

void TTableLabelItem::setData(const int role, const QVariant &value)
{
  if (Is_Text_Role(role)) {
    d_table->Set_Row_Label(d_row, value.toString());
    return;
  }
  QTableWidgetItem::setData(role, value);
}

TTableCellDelegate::TTableCellDelegate(const TEditTable *table, QObject *parent)
  : QStyledItemDelegate(parent), d_table(table)
{
}

void TTableCellDelegate::initStyleOption(QStyleOptionViewItem *option,
                                         const QModelIndex &index) const
{
  QStyledItemDelegate::initStyleOption(option, index);
  option->text = d_table->Cell_Text(index.row(), index.column());
  option->features |= QStyleOptionViewItem::HasDisplay;
  option->displayAlignment = Qt::Alignment(CELL_ALIGNMENT);
}

TTableRowHeader::TTableRowHeader(TEditTable *table)
  : QHeaderView(Qt::Vertical, table), d_table(table)
{
  setSectionsClickable(true);
  setHighlightSections(true);
}

void TTableRowHeader::paintSection(QPainter *painter, const QRect &rect,
                                   const int logical_index) const
{
  d_table->verticalHeaderItem(logical_index);
  QHeaderView::paintSection(painter, rect, logical_index);
}

QSize TTableRowHeader::sectionSizeFromContents(const int logical_index) const
{
  d_table->verticalHeaderItem(logical_index);
  return QHeaderView::sectionSizeFromContents(logical_index);
}
