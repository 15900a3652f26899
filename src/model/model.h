#ifndef SRC_MODEL_MODEL_H
#define SRC_MODEL_MODEL_H

#include "core/curveinterpolant.h"
#include "core/vector2.h"
#include "src/model/resampling.h"

#include <cstddef>
#include <vector>

// Everything a user's work consists of: the two ranges (corrected), the input values,
// the editor offsets, how the offsets are joined and the zero-offset switch. Documents,
// recovery and undo move whole contents in and out of the model.
struct TContent
{
  TSeries input;
  std::vector<double> values;
  TSeries edit;
  std::vector<double> offsets;
  bool zero_offset = false;
  TInterpolation interpolation = INTERPOLATION_LINEAR;
};

// The input range as typed into the fields, corrected.
TSeries Corrected_Input(const TRange &typed);

// The editor range as typed, corrected: its step is never finer than the input's.
TSeries Corrected_Edit(const TRange &typed, const double &input_increment);

// Rows first to last; none when last is before first.
struct TRow_Span
{
  int first = 0;
  int last = -1;

  bool Empty() const { return last < first; }
  // The smallest span holding both.
  void Include(const TRow_Span &other);
};

// A user's work, free of widgets: input points and editor points, each value held once,
// and the output derived from them at the input's positions. The output is kept as the
// input plus the offset there, before the shift of Zero Offset Data, so that switching
// the shift or moving it changes nothing held. Each change keeps the output up to date
// and says which rows' output it changed; changes written one by one are brought up to
// date together, so that a batch costs one pass over what it touched.
class TResampling_Model
{
public:
  TResampling_Model();

  const TSeries &Input_Series() const { return d_input_series; }
  const TSeries &Edit_Series() const { return d_edit_series; }
  const Point_List &Input() const { return d_input; }
  const Point_List &Edit() const { return d_edit; }
  bool Zero_Offset() const { return d_zero_offset; }
  TInterpolation Interpolation() const { return d_offsets.Way(); }
  std::size_t Row_Count() const { return d_input.size(); }
  // The output at an input row: the input value plus the offset interpolated there, less
  // the result at position 0 while Zero Offset Data is on.
  double Output(std::size_t row) const;
  // The outputs of rows first to first + count - 1, with the rows' positions.
  void Copy_Outputs(std::size_t first, std::size_t count, TVector2 *points) const;
  // Every output value, in row order.
  std::vector<double> Outputs() const;
  // What Zero Offset Data takes off every output (0.0 while it is off).
  double Shift() const;

  // A corrected series: surviving rows keep their values by index, new rows hold 0.0.
  TRow_Span Set_Input_Series(const TSeries &series);
  // Every offset becomes 0.0: offsets belong to positions that a new range no longer has.
  TRow_Span Set_Edit_Series(const TSeries &series);
  TRow_Span Set_Input_Value(int row, const double &value);
  TRow_Span Set_Offset(int row, const double &value);
  TRow_Span Set_Zero_Offset(bool zero_offset);
  TRow_Span Set_Interpolation(TInterpolation interpolation);
  // Every offset at once; false, changing nothing, when the count does not match.
  bool Set_Offsets(const std::vector<double> &offsets, TRow_Span *changed = nullptr);

  // Values written one by one leave the output behind until Update_Output brings it up to
  // date and returns the rows whose output changed.
  void Write_Input_Value(int row, const double &value);
  void Write_Offset(int row, const double &value);
  TRow_Span Update_Output();

  TContent Content() const;
  // False, leaving the model as it was, when a count does not match its series.
  bool Set_Content(const TContent &content);

  // Computes every output anew from the input and the offsets; the changes keep the
  // output up to date, so this is for those who want to check it.
  void Recalculate();

private:
  TRow_Span All_Rows() const;
  void Rebuild_Offsets();
  TRow_Span Join_Changed_Offsets();
  void Recompute_Rows(const TRow_Span &rows);
  TRow_Span Update_Shift(const TRow_Span &changed);

  TSeries d_input_series;
  TSeries d_edit_series;
  Point_List d_input;
  Point_List d_edit;
  TCurve_Interpolant d_offsets;
  // Input value plus offset at every input row.
  std::vector<double> d_base;
  bool d_zero_offset = false;
  double d_shift = 0.0;
  // Written but not yet brought into the output: input rows, and editor rows.
  TRow_Span d_written_rows;
  std::vector<int> d_written_offsets;
};

#endif
