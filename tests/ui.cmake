# Options and About dialogs. The tests carry the program's resources, so the dialogs are made from
# the very templates the program ships.
velomir_test(ui_templates_test
  SOURCES ui/templates_test.cpp ui/dialog_template.cpp $<TARGET_OBJECTS:program_resources>)
target_include_directories(ui_templates_test PRIVATE ${CMAKE_SOURCE_DIR})

# On the real clock window, with the program's pictures installed as the system's timedate.cpl.
velomir_test(ui_dialogs_test
  SOURCES ui/options_dialog_test.cpp ui/about_dialog_test.cpp ui/dialog_test_support.cpp
          ui/dialog_template.cpp ui/window_call_trace.cpp ui/test_main.cpp
          $<TARGET_OBJECTS:program_resources>
  LIBS clock_test_support test_support)
# A dialog that never ends would hold the run: give up after a while instead.
set_tests_properties(ui_templates_test ui_dialogs_test PROPERTIES TIMEOUT 300)
