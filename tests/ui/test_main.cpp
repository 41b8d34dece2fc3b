// Runs the dialog tests with GDI+ started, as the program starts it before its window exists.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

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
  testing::AddGlobalTestEnvironment(new GdiplusSession);
  return RUN_ALL_TESTS();
}
