#ifndef SRC_MODEL_EDITOUTPUT_H
#define SRC_MODEL_EDITOUTPUT_H

#include "core/vector2.h"
#include "src/model/model.h"

// What the output's arithmetic subtracts from every output value: with the zero shift on,
// the input plus the interpolated offsets at position 0, as Calculate_Output finds it;
// 0.0 with it off. Reads only the input rows around position 0.
double Zero_Shift(const Point_List &input, const Point_List &edit, bool zero_offset);

// Where the output passes each editor position: the input interpolated (or extrapolated)
// there, plus the point's offset, less the zero shift. The graph's handles sit there.
Point_List Output_At_Edit_Positions(const TResampling_Model &model);

#endif
