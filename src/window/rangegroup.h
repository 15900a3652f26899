#ifndef SRC_WINDOW_RANGEGROUP_H
#define SRC_WINDOW_RANGEGROUP_H

#include "src/window/tooltips.h"

#include <QString>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QToolButton;
class QWidget;
class TDoubleEdit;
class TEditTable;
class TIntEdit;
struct TSeries;

// The widgets of one range group: the four range fields with their labels above the table.
struct TRange_Group
{
  QGroupBox *group = nullptr;
  QGridLayout *layout = nullptr;
  TDoubleEdit *start = nullptr;
  TDoubleEdit *increment = nullptr;
  TDoubleEdit *end = nullptr;
  TIntEdit *count = nullptr;
  TEditTable *table = nullptr;
};

// A group titled `title` whose widgets are named after `name` ("input" gives
// "input_start", "input_table", ...), with the tips of `tip_group` (INPUT_RANGE, ...).
TRange_Group Build_Range_Group(QWidget *parent, const QString &name, const QString &title,
                               int tip_group);

// The rows of a range group's grid: the four range fields, a fifth field where the group
// has one, the table and the row below it.
const int EXTRA_FIELD_ROW = 4;
const int TABLE_ROW = 5;
const int BELOW_TABLE_ROW = 6;

// The row below an editable table: its Enter-direction choice, kept at the left.
QComboBox *Add_Selection_Row(const TRange_Group &widgets, const QString &name);

// A field with its label below the range fields, in the row kept for it.
void Add_Extra_Field(const TRange_Group &widgets, const QString &label, QWidget *field);

// The spacer beside the range fields keeps them at their minimum width.
void Add_Field_Spacer(const TRange_Group &widgets);

// A combo box offering two choices whose data are 0 and 1.
QComboBox *Two_Way_Combo(QWidget *parent, const QString &name, const QString &first,
                         const QString &second);

QToolButton *Tool_Button(QWidget *parent, const QString &name, const QString &text,
                         bool checkable);

// Shows the series in the fields: a field is written only when its value differs, so that
// text the user typed for an unchanged value stays as typed.
void Show_Series(const TSeries &series, TDoubleEdit *start, TDoubleEdit *increment,
                 TDoubleEdit *end, TIntEdit *count);

#endif
