#ifndef CORE_TABLEVALUES_H
#define CORE_TABLEVALUES_H

#include <QMetaType>

#include <vector>

// One cell a user changed, and the value typed, pasted or computed for it.
struct TCell_Edit
{
  int row = 0;
  int column = 0;
  double value = 0.0;
};

using TCell_Edits = std::vector<TCell_Edit>;
Q_DECLARE_METATYPE(TCell_Edits)

// Values a table shows without holding them: their owner keeps them, applies what the
// user changes, and tells the table which rows changed.
class TTable_Values
{
public:
  virtual ~TTable_Values() = default;
  virtual double Value(int row, int column) const = 0;
  // The position a row stands for, which its label shows.
  virtual double Position(int row) const = 0;
};

#endif
