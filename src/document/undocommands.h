#ifndef SRC_DOCUMENT_UNDOCOMMANDS_H
#define SRC_DOCUMENT_UNDOCOMMANDS_H

#include "src/model/model.h"

#include <QString>

#include <cstddef>
#include <vector>

// The two tables a user types into.
enum TData_Table
{
  INPUT_DATA,
  EDIT_DATA
};

struct TCell_Change
{
  int row = 0;
  double old_value = 0.0;
  double new_value = 0.0;
};

// What the window does once a step has changed the model: show the changed part and
// select it, then recompute the output and redraw the graph, once per step.
class TUndo_View
{
public:
  virtual ~TUndo_View() = default;
  virtual void Show_Cells(TData_Table table, int first_row, int last_row) = 0;
  virtual void Show_Input_Range() = 0;
  virtual void Show_Edit_Range() = 0;
  virtual void Show_Zero_Offset() = 0;
};

// One user action in the history. The action itself changed the model; the step only
// holds what it needs to take the change back and to make it again.
class TUndo_Step
{
public:
  TUndo_Step(TResampling_Model *model, TUndo_View *view, const QString &text);
  virtual ~TUndo_Step() = default;
  TUndo_Step(const TUndo_Step &) = delete;
  TUndo_Step &operator=(const TUndo_Step &) = delete;

  // The name the Edit menu shows after "Undo" and "Redo".
  const QString &Text() const { return d_text; }
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  // The memory the step holds, for the history's bound.
  virtual std::size_t Bytes() const = 0;

protected:
  TResampling_Model &Model() const { return *d_model; }
  TUndo_View &View() const { return *d_view; }
  // The text and the stack's command around the step.
  std::size_t Common_Bytes() const;

private:
  TResampling_Model *d_model;
  TUndo_View *d_view;
  QString d_text;
};

// Values typed, pasted or changed by a command in one table: only the cells that changed.
class TCell_Step : public TUndo_Step
{
public:
  TCell_Step(TResampling_Model *model, TUndo_View *view, const QString &text, TData_Table table,
             std::vector<TCell_Change> changes);
  void Undo() override;
  void Redo() override;
  std::size_t Bytes() const override;

private:
  TData_Table d_table;
  std::vector<TCell_Change> d_changes;
  int d_first_row = 0;
  int d_last_row = 0;
};

// A new input range. Values survive by index, so only those a shrink dropped are kept.
class TInput_Range_Step : public TUndo_Step
{
public:
  TInput_Range_Step(TResampling_Model *model, TUndo_View *view, const TSeries &old_series,
                    const std::vector<double> &old_values, const TSeries &new_series);
  void Undo() override;
  void Redo() override;
  std::size_t Bytes() const override;

private:
  TSeries d_old_series;
  TSeries d_new_series;
  // The old values from the new series' count on.
  std::vector<double> d_dropped;
};

// A new editor range clears every offset, so all the old ones are kept.
class TEdit_Range_Step : public TUndo_Step
{
public:
  TEdit_Range_Step(TResampling_Model *model, TUndo_View *view, const TSeries &old_series,
                   std::vector<double> old_offsets, const TSeries &new_series);
  void Undo() override;
  void Redo() override;
  std::size_t Bytes() const override;

private:
  TSeries d_old_series;
  TSeries d_new_series;
  std::vector<double> d_old_offsets;
};

class TZero_Offset_Step : public TUndo_Step
{
public:
  TZero_Offset_Step(TResampling_Model *model, TUndo_View *view, bool zero_offset);
  void Undo() override;
  void Redo() override;
  std::size_t Bytes() const override;

private:
  void Apply(bool zero_offset);

  bool d_zero_offset;
};

// The menu's name for a table's multi-cell change: "Paste values" reads "Paste".
QString Step_Name(const QString &description);

// True when a range change left the series exactly as it was: no step to record.
bool Same_Series(const TSeries &a, const TSeries &b);

#endif
