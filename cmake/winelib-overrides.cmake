# Read after CMake's platform files, so these names stick.
set(CMAKE_EXECUTABLE_SUFFIX ".exe")
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_SHARED_LIBRARY_SUFFIX ".dll")
set(CMAKE_SHARED_MODULE_PREFIX "")
set(CMAKE_SHARED_MODULE_SUFFIX ".dll")
set(CMAKE_C_CREATE_WIN32_EXE "-mwindows")
set(CMAKE_CXX_CREATE_WIN32_EXE "-mwindows")
set(CMAKE_C_CREATE_CONSOLE_EXE "-mconsole")
set(CMAKE_CXX_CREATE_CONSOLE_EXE "-mconsole")
# wrc takes -o, not /fo.
set(CMAKE_RC_COMPILE_OBJECT "<CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> <FLAGS> -o <OBJECT> <SOURCE>")
