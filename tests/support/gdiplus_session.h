// Starts GDI+ around a test run, as program entry starts it before the clock window exists.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

class GdiplusSession : public testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

 private:
  ULONG_PTR token_ = 0;
};
