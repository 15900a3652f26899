#ifndef SRC_MODEL_MODEL_H
#define SRC_MODEL_MODEL_H

#include "core/vector2.h"
#include "src/model/resampling.h"

#include <vector>

// Everything a user's work consists of: the two ranges (corrected), the input values,
// the editor offsets and the zero-offset switch. Documents, recovery and undo move
// whole contents in and out of the model.
struct TContent
{
  TSeries input;
  std::vector<double> values;
  TSeries edit;
  std::vector<double> offsets;
  bool zero_offset = false;
};

// The input range as typed into the fields, corrected.
TSeries Corrected_Input(const TRange &typed);

// The editor range as typed, corrected: its step is never finer than the input's.
TSeries Corrected_Edit(const TRange &typed, const double &input_increment);

// A user's work, free of widgets: input points, editor points and the output derived from
// them, each value held once. The output's positions are the input's. Range changes
// correct the typed range; the output follows only when Recalculate runs, so that a batch
// of changes recomputes once.
class TResampling_Model
{
public:
  const TSeries &Input_Series() const { return d_input_series; }
  const TSeries &Edit_Series() const { return d_edit_series; }
  const Point_List &Input() const { return d_input; }
  const Point_List &Edit() const { return d_edit; }
  // One output value per input point.
  const std::vector<double> &Output() const { return d_output; }
  bool Zero_Offset() const { return d_zero_offset; }

  // A corrected series: surviving rows keep their values by index, new rows hold 0.0; the
  // output takes, until recalculated, the input's values.
  void Set_Input_Series(const TSeries &series);
  // Every offset becomes 0.0: offsets belong to positions that a new range no longer has.
  void Set_Edit_Series(const TSeries &series);
  void Set_Input_Value(int row, const double &value);
  void Set_Offset(int row, const double &value);
  void Set_Zero_Offset(bool zero_offset);
  // Every offset at once; false, changing nothing, when the count does not match.
  bool Set_Offsets(const std::vector<double> &offsets);
  TContent Content() const;
  // False, leaving the model as it was, when a count does not match its series.
  bool Set_Content(const TContent &content);

  void Recalculate();

private:
  TSeries d_input_series;
  TSeries d_edit_series;
  Point_List d_input;
  Point_List d_edit;
  std::vector<double> d_output;
  bool d_zero_offset = false;
};

#endif
