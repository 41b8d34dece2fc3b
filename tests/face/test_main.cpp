// Runs the face tests with GDI+ started, as the program starts it before its window exists.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include "tests/face/face_test_support.h"

std::vector<std::wstring> test_arguments;

namespace {

class GdiplusSession : public testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override {
    Gdiplus::GdiplusShutdown(token_);
  }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace

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
