// Include first in every test. GoogleTest takes Winelib for Windows because
// _WIN32 is defined; its headers are read as on Linux, then <windows.h>.
#pragma once

#pragma push_macro("_WIN32")
#pragma push_macro("__WIN32__")
#pragma push_macro("_WIN64")
#pragma push_macro("__WIN64")
#undef _WIN32
#undef __WIN32__
#undef _WIN64
#undef __WIN64
#include <gtest/gtest.h>
#pragma pop_macro("__WIN64")
#pragma pop_macro("_WIN64")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("_WIN32")

#include <windows.h>
