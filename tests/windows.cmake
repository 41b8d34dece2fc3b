# Windows tests, run under Wine. Each area keeps its tests in a file of its own.

# What many tests share: watching message boxes, putting registry keys back.
add_library(test_support STATIC
  support/message_box_watch.cpp support/registry_guard.cpp support/import_patch.cpp
  support/gdiplus_session.cpp)
target_link_libraries(test_support PUBLIC velomir_state advapi32 gdiplus GTest::gtest)
velomir_strict(test_support)

# A clock window made in the test process as program entry makes it.
add_library(clock_test_support STATIC support/clock_window.cpp)
target_link_libraries(clock_test_support PUBLIC velomir_shell)
velomir_strict(clock_test_support)

include(face.cmake)
include(settings.cmake)
include(shell.cmake)
include(ui.cmake)
