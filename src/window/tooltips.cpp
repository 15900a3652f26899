#include "src/window/tooltips.h"

#include "src/model/resampling.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// Numbers in tips are written the same way on every system.
QString Grouped(const int number)
{
  return QLocale(QLocale::English).toString(number);
}

QString Position_Limits()
{
  const QString limit = QString::number(MAXIMUM_POSITION, 'g').replace(QStringLiteral("e+"),
                                                                       QStringLiteral("e"));
  return QCoreApplication::translate("Tool_Tips",
                                     "text that is no number is refused, nan and inf count as 0, "
                                     "and positions stay within \u00b1%1")
    .arg(limit);
}

TRange_Tips Input_Tips()
{
  TRange_Tips tips;
  tips.start = QCoreApplication::translate("Tool_Tips",
                                           "Position of the first input row; a new start lays the "
                                           "rows out again from start, increment and end (%1).")
                 .arg(Position_Limits());
  tips.increment = QCoreApplication::translate("Tool_Tips",
                                               "Spacing of the input rows, at least 1 in size and "
                                               "pointing from start to end, widened where the "
                                               "range would need more than %1 rows; a new "
                                               "increment moves the end.")
                     .arg(Grouped(MAXIMUM_ROW_COUNT));
  tips.end = QCoreApplication::translate("Tool_Tips",
                                         "Position of the last input row; a new end lays the rows "
                                         "out again from start, increment and end (%1).")
               .arg(Position_Limits());
  tips.count = QCoreApplication::translate("Tool_Tips",
                                           "Number of input rows, at least 2 and at most %1; a new "
                                           "count moves the end to start + (count \u2212 1) "
                                           "\u00d7 increment.")
                 .arg(Grouped(MAXIMUM_ROW_COUNT));
  return tips;
}

TRange_Tips Edit_Tips()
{
  TRange_Tips tips;
  tips.start = QCoreApplication::translate("Tool_Tips",
                                           "Position of the first offset; a new start lays the "
                                           "editor rows out again and clears every offset to "
                                           "0 (%1).")
                 .arg(Position_Limits());
  tips.increment = QCoreApplication::translate("Tool_Tips",
                                               "Spacing of the offsets, at least as coarse as the "
                                               "input increment and pointing from start to end, "
                                               "widened where the range would need more than %1 "
                                               "rows; a new increment moves the end.")
                     .arg(Grouped(MAXIMUM_ROW_COUNT));
  tips.end = QCoreApplication::translate("Tool_Tips",
                                         "Position of the last offset; a new end lays the editor "
                                         "rows out again and clears every offset to 0 (%1).")
               .arg(Position_Limits());
  tips.count = QCoreApplication::translate("Tool_Tips",
                                           "Number of offsets, at least 2 and at most %1; a new "
                                           "count moves the end to start + (count \u2212 1) "
                                           "\u00d7 increment.")
                 .arg(Grouped(MAXIMUM_ROW_COUNT));
  return tips;
}

TRange_Tips Output_Tips()
{
  TRange_Tips tips;
  tips.start = QCoreApplication::translate("Tool_Tips",
                                           "Position of the first output row, always the input's "
                                           "start.");
  tips.increment = QCoreApplication::translate("Tool_Tips",
                                               "Spacing of the output rows, always the input's "
                                               "increment.");
  tips.end = QCoreApplication::translate("Tool_Tips",
                                         "Position of the last output row, always the input's "
                                         "end.");
  tips.count = QCoreApplication::translate("Tool_Tips",
                                           "Number of output rows, always the input's count.");
  return tips;
}

}  // namespace

TRange_Tips Range_Tips(const int group)
{
  switch (group) {
  case INPUT_RANGE:
    return Input_Tips();
  case EDIT_RANGE:
    return Edit_Tips();
  default:
    return Output_Tips();
  }
}

QString Zero_Offset_Tip()
{
  return QCoreApplication::translate("Tool_Tips",
                                     "When on, the output value at position 0 is subtracted from "
                                     "every output value, so that the output passes through 0 "
                                     "there.");
}

QString Display_Precision_Tip()
{
  return QCoreApplication::translate("Tool_Tips",
                                     "Decimals shown in the tables and range fields and copied to "
                                     "the clipboard, from 1 to 9; the stored values keep their "
                                     "full precision.");
}

QString Copy_Layout_Tip()
{
  return QCoreApplication::translate("Tool_Tips",
                                     "What Copy to Clipboard writes on each line: the output value "
                                     "alone, or its position and value separated by a tab.");
}

QString Interpolation_Tip()
{
  return QCoreApplication::translate("Tool_Tips",
                                     "How the offsets are joined between the editor's points: "
                                     "Linear in straight lines, Monotone cubic in a smooth curve "
                                     "that never leaves the range of the two points it joins, "
                                     "Natural spline in the smoothest curve, which may swing "
                                     "beyond them; beyond the editor's range each goes on straight "
                                     "with the slope at its end.");
}
