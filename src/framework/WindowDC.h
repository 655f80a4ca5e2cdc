// Kept only for the title tip and the in-place edit until they include
// framework/Handles.h, where these owners now live.
#pragma once

#include "framework/Handles.h"
