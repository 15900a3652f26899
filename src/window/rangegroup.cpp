#include "src/window/rangegroup.h"

#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/model/resampling.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QToolButton>

namespace {

const int FIELD_MINIMUM_WIDTH = 100;
const int GROUP_VERTICAL_SPACING = 4;

QSpacerItem *Horizontal_Spacer()
{
  return new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

template <class TField>
TField *Range_Field(QWidget *parent, const QString &name)
{
  auto *field = new TField(parent);
  field->setObjectName(name);
  field->setMinimumSize(FIELD_MINIMUM_WIDTH, 0);
  field->setAlignment(Qt::AlignCenter);
  return field;
}

void Set_Range_Tips(const TRange_Group &widgets, const TRange_Tips &tips)
{
  widgets.start->setToolTip(tips.start);
  widgets.increment->setToolTip(tips.increment);
  widgets.end->setToolTip(tips.end);
  widgets.count->setToolTip(tips.count);
}

void Write_Back(TDoubleEdit *field, const double &value)
{
  if (field->Value() != value) {
    field->Set_Value(value);
  }
}

}  // namespace

TRange_Group Build_Range_Group(QWidget *parent, const QString &name, const QString &title,
                               const int tip_group)
{
  TRange_Group widgets;
  widgets.group = new QGroupBox(title, parent);
  widgets.group->setObjectName(name + "_group");
  widgets.layout = new QGridLayout(widgets.group);
  widgets.layout->setVerticalSpacing(GROUP_VERTICAL_SPACING);
  widgets.start = Range_Field<TDoubleEdit>(widgets.group, name + "_start");
  widgets.increment = Range_Field<TDoubleEdit>(widgets.group, name + "_increment");
  widgets.end = Range_Field<TDoubleEdit>(widgets.group, name + "_end");
  widgets.count = Range_Field<TIntEdit>(widgets.group, name + "_count");
  const QStringList labels = {QCoreApplication::translate("Range_Group", "Start Position:"),
                              QCoreApplication::translate("Range_Group", "Increment:"),
                              QCoreApplication::translate("Range_Group", "End Position:"),
                              QCoreApplication::translate("Range_Group", "Count:")};
  const QList<QWidget *> fields = {widgets.start, widgets.increment, widgets.end, widgets.count};
  for (int row = 0; row < fields.size(); ++row) {
    widgets.layout->addWidget(new QLabel(labels[row], widgets.group), row, 0);
    widgets.layout->addWidget(fields[row], row, 1);
  }
  widgets.table = new TEditTable(widgets.group);
  widgets.table->setObjectName(name + "_table");
  widgets.layout->addWidget(widgets.table, TABLE_ROW, 0, 1, 3);
  Set_Range_Tips(widgets, Range_Tips(tip_group));
  return widgets;
}

QComboBox *Add_Selection_Row(const TRange_Group &widgets, const QString &name)
{
  QComboBox *const combo = new QComboBox(widgets.group);
  combo->setObjectName(name);
  auto *row = new QHBoxLayout;
  row->addWidget(combo);
  row->addItem(Horizontal_Spacer());
  widgets.layout->addLayout(row, BELOW_TABLE_ROW, 0, 1, 3);
  return combo;
}

void Add_Extra_Field(const TRange_Group &widgets, const QString &label, QWidget *field)
{
  auto *shown = new QLabel(label, widgets.group);
  shown->setBuddy(field);
  widgets.layout->addWidget(shown, EXTRA_FIELD_ROW, 0);
  widgets.layout->addWidget(field, EXTRA_FIELD_ROW, 1);
}

void Add_Field_Spacer(const TRange_Group &widgets)
{
  widgets.layout->addItem(Horizontal_Spacer(), 0, 2, 3, 1);
}

QComboBox *Two_Way_Combo(QWidget *parent, const QString &name, const QString &first,
                         const QString &second)
{
  auto *combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItem(first, 0);
  combo->addItem(second, 1);
  return combo;
}

QToolButton *Tool_Button(QWidget *parent, const QString &name, const QString &text,
                         const bool checkable)
{
  auto *button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setCheckable(checkable);
  button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  return button;
}

void Show_Series(const TSeries &series, TDoubleEdit *start, TDoubleEdit *increment,
                 TDoubleEdit *end, TIntEdit *count)
{
  Write_Back(start, series.range.start);
  Write_Back(increment, series.range.increment);
  Write_Back(end, series.range.end);
  count->Set_Value(series.count);
}
