# Winelib build: the Win32 sources compiled with wineg++/winegcc into ELF
# modules that Wine loads (foo.exe launcher script + foo.exe.so).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER /usr/lib/wine/winegcc)
set(CMAKE_CXX_COMPILER /usr/lib/wine/wineg++)
set(CMAKE_RC_COMPILER /usr/lib/wine/wrc)
# find_package(GTest) looks in the multiarch folders only when it knows the architecture.
set(CMAKE_LIBRARY_ARCHITECTURE x86_64-linux-gnu)
# CMake resets suffixes set here; the real ones live in the rules override.
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/winelib-overrides.cmake)
set(QUILLON_WINELIB ON)
