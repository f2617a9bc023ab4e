// The tests' box guard answers the dialogs of the thread under test only: a
// dialog of another program, offered the activation when a window of this
// thread goes, is left alone (the display is shared with other programs).
#include <gtest/gtest.h>

#include "editctrl_harness.h"

namespace edittest {
namespace {

const char kOtherCaption[] = "别的线程";
const DWORD kGenerousMs = 30000;

DWORD WINAPI ShowOtherBox(LPVOID) {
  ::MessageBoxA(nullptr, "别的线程的提示", kOtherCaption, MB_OK);
  return 0;
}

// The visible box of another thread, once it is shown, or null after the limit.
HWND WaitForBox(DWORD thread) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    HWND box = ::FindWindowA("#32770", kOtherCaption);
    if ((box && ::IsWindowVisible(box) && ::GetWindowThreadProcessId(box, nullptr) == thread) ||
        ::GetTickCount() - start > kGenerousMs)
      return box;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

class BoxGuardTest : public EditWindowTest {};

TEST_F(BoxGuardTest, ADialogOfAnotherThreadOfferedTheActivationIsNotAnswered) {
  AnswerBoxesWith(IDOK);
  DWORD thread = 0;
  HANDLE other = ::CreateThread(nullptr, 0, ShowOtherBox, nullptr, 0, &thread);
  ASSERT_NE(other, nullptr);
  HWND box = WaitForBox(thread);
  ASSERT_NE(box, nullptr) << "the other thread's box never showed";
  // What Wine does when an active window of this thread is hidden in the
  // background: the next window in z-order is offered, this thread's hook
  // hears of it, the activation itself is refused.
  ::SetActiveWindow(box);
  EXPECT_TRUE(SeenBoxes().empty()) << SeenBoxes()[0].caption;
  EXPECT_TRUE(::IsWindow(box));
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(::WaitForSingleObject(other, kGenerousMs), WAIT_OBJECT_0);
  ::CloseHandle(other);
}

}  // namespace
}  // namespace edittest
