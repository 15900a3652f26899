#ifndef SRC_WINDOW_TOOLTIPS_H
#define SRC_WINDOW_TOOLTIPS_H

#include <QString>

// The window's tool tips: one sentence each on what a control does and how Vandrel
// corrects what it is given.

const int INPUT_RANGE = 0;
const int EDIT_RANGE = 1;
const int OUTPUT_RANGE = 2;

struct TRange_Tips
{
  QString start;
  QString increment;
  QString end;
  QString count;
};

// The tips of one group's range fields: INPUT_RANGE, EDIT_RANGE or OUTPUT_RANGE.
TRange_Tips Range_Tips(int group);

QString Zero_Offset_Tip();
QString Display_Precision_Tip();
QString Copy_Layout_Tip();
QString Interpolation_Tip();

#endif
