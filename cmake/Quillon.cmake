# Helpers shared by the CMake files of the modules.

# The Win32 libraries every module may call.
set(QUILLON_WIN32_LIBS user32 gdi32 comctl32 comdlg32 advapi32 shell32 ole32 oleaut32 uuid mpr)

# Links a target against Logger.dll. Under Winelib the import library made by
# winebuild carries only the function; the exported data object is reached by
# also linking the ELF module itself, found through the build's run path.
function(quillon_link_logger target)
  add_dependencies(${target} Logger)
  if(QUILLON_WINELIB)
    target_link_libraries(${target} PRIVATE ${CMAKE_BINARY_DIR}/lib/libLogger.a
                          ${CMAKE_BINARY_DIR}/bin/Logger.dll.so)
  else()
    target_link_libraries(${target} PRIVATE Logger)
  endif()
endfunction()

# One GoogleTest program registered with CTest.
function(quillon_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} WIN32 ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest ${QUILLON_WIN32_LIBS})
  quillon_link_logger(${name})
  add_test(NAME ${name} COMMAND ${CMAKE_BINARY_DIR}/bin/${name}${CMAKE_EXECUTABLE_SUFFIX})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
