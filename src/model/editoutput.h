#ifndef SRC_MODEL_EDITOUTPUT_H
#define SRC_MODEL_EDITOUTPUT_H

#include "core/vector2.h"
#include "src/model/model.h"

// Where the output passes each editor position: the input interpolated (or extrapolated)
// there, plus the point's offset, less the zero shift. The graph's handles sit there.
Point_List Output_At_Edit_Positions(const TResampling_Model &model);

#endif
