// Pictures from outside in the library's runtime window: running one starts
// no code that the program folder does not hold, with the foreign objects at
// the top of the layer, in a group or in a sub-picture cell. Nothing is said
// at run time and no window is made for them.
#include <gtest/gtest.h>

#include <string>

#include "../editctrl/testing/foreign_pictures.h"
#include "runharness.h"
#include "testing/loadmarker.h"
#include "testocx_register.h"

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int WindowsBelow(HWND view) {
  int count = 0;
  ::EnumChildWindows(view, &CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class ForeignRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }
  void SetUp() override { runtest::RegisterClassesOnce(); }
};

TEST_F(ForeignRunTest, RunningAForeignPictureStartsNoForeignCode) {
  for (const auto& n : foreign::kNestings) {
    SCOPED_TRACE(n.what);
    loadmarker::Armed marker;
    runtest::Harness h;
    ASSERT_TRUE(h.Ok());
    ASSERT_EQ(h.Load(foreign::PictureBytes(n.nesting, "foreign.pic")), 0);
    h.Tick(3);
    EXPECT_EQ(marker.Written(), "") << "foreign code ran";
    EXPECT_EQ(WindowsBelow(h.View()), 0);
    EXPECT_TRUE(h.NoticesOf(QCN_OUTPUTTEXT).empty()) << "nothing is said at run time";
  }
}

}  // namespace
