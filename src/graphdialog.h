#ifndef SRC_GRAPHDIALOG_H
#define SRC_GRAPHDIALOG_H

// The graph window, for programs that embed it; it lives with the other window units.
#include "src/window/graphdialog.h"

#endif
