#include "tests/support/gdiplus_session.h"

#include <gdiplus.h>

void GdiplusSession::SetUp() {
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
}

void GdiplusSession::TearDown() {
  Gdiplus::GdiplusShutdown(token_);
}
