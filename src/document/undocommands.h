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

// What a change does to its document: each kind of edit of the model, after which the
// document reports what changed. `again` marks a change made once more by undo or redo,
// after which views show the user what it touched.
class TChange_Target
{
public:
  virtual ~TChange_Target() = default;
  virtual const TResampling_Model &Model() const = 0;
  // Writes the new values of the changes in order, or their old values in reverse order,
  // so that a cell changed twice ends with its first old value.
  virtual void Write_Cells(TData_Table table, const std::vector<TCell_Change> &changes,
                           bool forward, bool again) = 0;
  // Values from `first_restored` on take the restored ones: those a shrink dropped.
  virtual void Write_Input_Series(const TSeries &series, int first_restored,
                                  const std::vector<double> &restored) = 0;
  // With no offsets, every offset becomes 0.0.
  virtual void Write_Edit_Series(const TSeries &series, const std::vector<double> *offsets) = 0;
  virtual void Write_Zero_Offset(bool zero_offset) = 0;
  virtual void Write_Interpolation(TInterpolation way) = 0;
};

// One user action: applying it makes the change, reverting it takes it back.
class TDocument_Change
{
public:
  explicit TDocument_Change(const QString &text);
  virtual ~TDocument_Change() = default;
  TDocument_Change(const TDocument_Change &) = delete;
  TDocument_Change &operator=(const TDocument_Change &) = delete;

  // The name the Edit menu shows after "Undo" and "Redo", in the user's language.
  const QString &Text() const { return d_text; }
  virtual void Apply(TChange_Target *target, bool again) = 0;
  virtual void Revert(TChange_Target *target) = 0;
  // The memory the change holds, for the history's bound.
  virtual std::size_t Bytes() const = 0;

  // Changes that share an id other than -1 may take a following change into themselves,
  // so that one gesture of many steps is one step to undo.
  virtual int Merge_Id() const { return -1; }
  // Takes `next`, which was just applied, into this change; false when it does not belong.
  virtual bool Merge_With(const TDocument_Change &next);
  // True when the change leaves everything as it was, after merging.
  virtual bool Changes_Nothing() const { return false; }

  // The change is taken back for good: its next revert removes it from the history.
  void Withdraw() { d_withdrawn = true; }
  bool Is_Withdrawn() const { return d_withdrawn; }

protected:
  // The text and the stack's command around the change.
  std::size_t Common_Bytes() const;

private:
  QString d_text;
  bool d_withdrawn = false;
};

// Values typed, pasted or changed by a command in one table: only the cells that changed.
class TCell_Changes : public TDocument_Change
{
public:
  TCell_Changes(const QString &text, TData_Table table, std::vector<TCell_Change> changes);
  void Apply(TChange_Target *target, bool again) override;
  void Revert(TChange_Target *target) override;
  std::size_t Bytes() const override;

private:
  TData_Table d_table;
  std::vector<TCell_Change> d_changes;
};

// The steps of one drag of editor offsets, merged into one: each cell keeps the value it
// had before the drag's first step and takes the one of the latest.
class TDrag_Changes : public TDocument_Change
{
public:
  TDrag_Changes(int session, std::vector<TCell_Change> changes);
  int Session() const { return d_session; }
  void Apply(TChange_Target *target, bool again) override;
  void Revert(TChange_Target *target) override;
  std::size_t Bytes() const override;
  int Merge_Id() const override;
  bool Merge_With(const TDocument_Change &next) override;
  bool Changes_Nothing() const override;

private:
  void Merge_Cell(const TCell_Change &change);

  int d_session;
  // Ordered by row.
  std::vector<TCell_Change> d_changes;
};

// A new input range. Values survive by index, so only those a shrink drops are kept.
class TInput_Range_Change : public TDocument_Change
{
public:
  TInput_Range_Change(const TResampling_Model &model, const TSeries &new_series);
  void Apply(TChange_Target *target, bool again) override;
  void Revert(TChange_Target *target) override;
  std::size_t Bytes() const override;

private:
  TSeries d_old_series;
  TSeries d_new_series;
  // The old values from the new series' count on.
  std::vector<double> d_dropped;
};

// A new editor range clears every offset, so all the old ones are kept.
class TEdit_Range_Change : public TDocument_Change
{
public:
  TEdit_Range_Change(const TResampling_Model &model, const TSeries &new_series);
  void Apply(TChange_Target *target, bool again) override;
  void Revert(TChange_Target *target) override;
  std::size_t Bytes() const override;

private:
  TSeries d_old_series;
  TSeries d_new_series;
  std::vector<double> d_old_offsets;
};

class TZero_Offset_Change : public TDocument_Change
{
public:
  explicit TZero_Offset_Change(bool zero_offset);
  void Apply(TChange_Target *target, bool again) override;
  void Revert(TChange_Target *target) override;
  std::size_t Bytes() const override;

private:
  bool d_zero_offset;
};

// How the editor's points are joined; the step keeps the way it replaced.
class TInterpolation_Change : public TDocument_Change
{
public:
  TInterpolation_Change(TInterpolation old_way, TInterpolation new_way);
  void Apply(TChange_Target *target, bool again) override;
  void Revert(TChange_Target *target) override;
  std::size_t Bytes() const override;

private:
  TInterpolation d_old_way;
  TInterpolation d_new_way;
};

// The menu's name for a table's multi-cell change: "Paste values" reads "Paste". A
// translated description is taken as it is.
QString Step_Name(const QString &description);

#endif
