#ifndef SRC_VANDREL_H
#define SRC_VANDREL_H

// The main window, for programs that embed it; it lives with the other window units.
#include "src/window/vandrel.h"

#endif
