#ifndef SRC_MODEL_CONSTANTS_H
#define SRC_MODEL_CONSTANTS_H

#include "src/model/resampling.h"

// Facts that more than one part of the program relies on, each kept here once.

// The ranges of a first start, and of a document the command line makes from a data file.
constexpr TRange DEFAULT_INPUT_RANGE{-10.0, 15.0, 215.0};
constexpr TRange DEFAULT_EDIT_RANGE{0.0, 50.0, 200.0};

// The folder in the home folder that holds the settings file and the recovery files.
constexpr char SETTINGS_FOLDER_NAME[] = ".vandrel";

// Unsaved work reaches the recovery file at most this long after the last change.
constexpr int RECOVERY_DELAY_MS = 5000;

// How long a message stays in the status bar.
constexpr int STATUS_MESSAGE_MS = 10000;

// The program's translations, vandrel_<language>.qm, carried as resources in this folder.
constexpr char TRANSLATION_CATALOGUE[] = "vandrel";
constexpr char TRANSLATION_FOLDER[] = ":/translations";

#endif
