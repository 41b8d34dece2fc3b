// Runs the face tests with GDI+ started, as the program starts it before its window exists.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/face/face_test_support.h"
#include "tests/support/gdiplus_session.h"

std::vector<std::wstring> test_arguments;

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    wchar_t wide[MAX_PATH * 2];
    MultiByteToWideChar(CP_ACP, 0, argv[i], -1, wide, ARRAYSIZE(wide));
    test_arguments.push_back(wide);
  }
  testing::AddGlobalTestEnvironment(new GdiplusSession);
  return RUN_ALL_TESTS();
}
