# Settings store and window placement, on the real registry and real windows of the test prefix.

# Started with arguments, one with a double blank and one long past any fixed buffer, so saving
# the autorun value shows the arguments kept exactly and the whole command line written.
string(REPEAT "x" 600 long_argument)
velomir_test(settings_store_test SOURCES settings/settings_store_test.cpp
             LIBS velomir_settings test_support
             ARGS "two  blanks" ${long_argument})
velomir_test(placement_test SOURCES settings/placement_test.cpp LIBS velomir_settings test_support)
