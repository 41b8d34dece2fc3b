# A console tool that looks at the running clock for the end-to-end checks.
add_executable(probe tools/probe.cpp)
target_link_options(probe PRIVATE -municode)
velomir_strict(probe)

# The program's resources and its entry, against the built velomir.exe.
velomir_test(resources_test SOURCES shell/resources_test.cpp ARGS $<TARGET_FILE:velomir>)
target_include_directories(resources_test PRIVATE ${CMAKE_SOURCE_DIR})
velomir_test(entry_test
  SOURCES shell/entry_test.cpp $<TARGET_OBJECTS:program_resources>
  LIBS velomir_shell test_support
  ARGS $<TARGET_FILE:velomir>)

# The shipped program imports nothing but Windows' own DLLs.
add_test(NAME imports_only_windows_dlls
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:velomir> -DOBJDUMP=${CMAKE_OBJDUMP}
                 -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)

# The real program in the Wine desktop, driven with the X mouse and keyboard.
add_test(NAME clock_e2e
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/clock_e2e.sh ${CMAKE_BINARY_DIR}/e2e)
set_tests_properties(clock_e2e PROPERTIES RUN_SERIAL ON
                     ENVIRONMENT "VELOMIR_PROGRAM=$<TARGET_FILE:velomir>;VELOMIR_PROBE=$<TARGET_FILE:probe>")

# The clock window's set-up, tear-down and procedure on real clock windows in this process, with
# the program's resources and the installed picture module.
foreach(clock_test setup_test window_proc_test)
  velomir_test(${clock_test}
    SOURCES shell/${clock_test}.cpp shell/clock_fixture.cpp $<TARGET_OBJECTS:program_resources>
    LIBS clock_test_support test_support)
endforeach()
