#include "support/GTestWin.h"
