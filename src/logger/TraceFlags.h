// Parses the flags string of makeTraceLog into channel switches and a
// category mask.
#pragma once

#include "log/SwiftTraceLog.h"

// Grammar: terms separated by blanks, applied left to right.
//   term     = channels sep what
//   channels = "*" | channel number
//   sep      = ":" | "."
//   what     = "*"          switch the channels on (every category written)
//            | "!*"         switch the channels off and clear the category mask
//            | number       add these category bits to the mask
// "*.*" writes everything; "*:!* *:3" writes results and failures (1)
// and the disabled-window notice (2) only.
// Unknown terms are ignored.
void ApplyTraceFlags(const char* pszFlags, SwiftTraceLog& log);
