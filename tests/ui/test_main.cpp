// Runs the dialog tests with GDI+ started, as the program starts it before its window exists.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/gdiplus_session.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new GdiplusSession);
  return RUN_ALL_TESTS();
}
