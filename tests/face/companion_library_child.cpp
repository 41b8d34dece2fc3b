// Started by face_images_test with Wine reporting Windows XP to this program, from a folder of
// its own that holds the companion library or not.
#include <gtest/gtest.h>

#include "face/face_images.h"
#include "resources/resource_ids.h"
#include "tests/face/face_test_support.h"
#include "tests/support/message_box_watch.h"

namespace {

bool RunsOnOlderWindows() {
  return LOBYTE(GetVersion()) <= 5;
}

TEST(CompanionLibrary, MissingLibraryStopsTheSetUp) {
  ASSERT_TRUE(RunsOnOlderWindows()) << "face_images_test starts this with Windows XP reported";
  TestClock clock;
  const HWND hwnd = clock.state.hwnd;
  MessageBoxWatch watch;
  EXPECT_FALSE(LoadResourceModule(clock.state));
  EXPECT_EQ(clock.state.resource_module, nullptr);
  // The information alone: the set-up stops before any picture is looked for.
  ASSERT_EQ(watch.seen().size(), 1u);
  const SeenMessageBox& box = watch.seen()[0];
  EXPECT_EQ(box.text, L"Additional file needed to run this program. See more in read me file");
  EXPECT_EQ(box.title, clock.state.caption);
  EXPECT_EQ(box.owner, hwnd);
  EXPECT_TRUE(box.information_icon);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(CompanionLibrary, LibraryBesideTheProgramIsTaken) {
  ASSERT_TRUE(RunsOnOlderWindows()) << "face_images_test starts this with Windows XP reported";
  TestClock clock;
  MessageBoxWatch watch;
  EXPECT_TRUE(LoadResourceModule(clock.state));
  ASSERT_NE(clock.state.resource_module, nullptr);
  EXPECT_NE(FindResourceW(clock.state.resource_module, MAKEINTRESOURCEW(IDP_FACE_65), L"PNGFILE"),
            nullptr);
  EXPECT_TRUE(watch.seen().empty());
  EXPECT_TRUE(IsWindow(clock.state.hwnd));
  FreeLibrary(clock.state.resource_module);
}

}  // namespace
