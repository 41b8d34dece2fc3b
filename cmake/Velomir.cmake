# Build helpers shared by the program, the picture module and the tests.

# Warnings on and fatal for the project's own code (GoogleTest keeps its own flags).
function(velomir_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# GoogleTest from Debian's source package, built here for whichever side this tree targets.
set(VELOMIR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELOMIR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A test program and its registration; on Windows ctest runs it through Wine (the emulator).
# Tests run one at a time: the Windows ones share one Wine desktop and registry.
function(velomir_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  velomir_strict(${name})
  add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL ON)
endfunction()

# A face module: a DLL of "PNGFILE" pictures with no code and no entry point (address 0). The program's own
# module and the test fixtures are all made this way.
function(velomir_face_module name rc)
  add_library(${name} SHARED ${rc})
  set_target_properties(${name} PROPERTIES PREFIX "" LINKER_LANGUAGE C)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/resources
                                             ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_options(${name} PRIVATE -nostdlib -Wl,--entry=0 -Wl,--no-insert-timestamp -s)
endfunction()
