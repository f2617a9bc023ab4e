// What the display shows of the workspace bar's lists after the frame laid
// out its bars again: compared with what the list paints of itself. The
// cases look at the shared display: they run alone, the frame topmost.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "propdesc.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

const DWORD kPaintMs = 10000;

// The pixels of a list's rows (its client area below its header): as the
// display shows them, or as the list paints them when asked to
// (WM_PRINTCLIENT).
std::vector<COLORREF> RowPixels(HWND hwnd, bool fromDisplay) {
  RECT header = {};
  ::GetWindowRect(reinterpret_cast<HWND>(::SendMessageA(hwnd, LVM_GETHEADER, 0, 0)), &header);
  RECT client;
  ::GetClientRect(hwnd, &client);
  const int w = client.right, h = client.bottom;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  if (fromDisplay) {
    POINT at = {0, 0};
    ::ClientToScreen(hwnd, &at);
    ::BitBlt(memory, 0, 0, w, h, screen, at.x, at.y, SRCCOPY);
  } else {
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
  }
  std::vector<COLORREF> pixels;
  for (int y = header.bottom - header.top; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(::GetPixel(memory, x, y));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

class WorkspaceLayoutTest : public EditorTest {
 protected:
  void SetUp() override {
    Start();
    ASSERT_NE(NewProject("p1"), nullptr);
    ::SetWindowPos(Frame()->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // An object's links in the list, the "属性/动作" tab shown.
    static const char* const kNames[] = {"填充颜色", "线条颜色", "闪烁", "显示/隐藏", "旋转", "鼠标单击"};
    for (const char* name : kNames) {
      ActionKindDesc link = {};
      link.kind = static_cast<int>(links_.size()) + 1;
      link.flags = 0x0301;
      std::strncpy(link.name, name, sizeof link.name - 1);
      links_.push_back(link);
    }
    ActionKindList list = {static_cast<int>(links_.size()), links_.data()};
    Frame()->ShowEventLinks(&list);
    Frame()->GetWorkspaceBar().SelectTab(CWorkspaceBar::kTabProperties);
    Frame()->ShowOutput();
    Repaint();
  }
  void Repaint() {
    Settle();
    ::RedrawWindow(Frame()->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // Waits until the display shows the list as the list paints itself.
  bool ListShownWhole() {
    HWND list = Frame()->GetWorkspaceBar().GetEventLinkList().m_hWnd;
    const DWORD start = ::GetTickCount();
    while (RowPixels(list, true) != RowPixels(list, false)) {
      if (::GetTickCount() - start > kPaintMs) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      Settle();
    }
    return true;
  }
  std::vector<ActionKindDesc> links_;
};

TEST_F(WorkspaceLayoutTest, TheEventLinkListIsShownWholeAfterTheOutputBarGoesOrComesBack) {
  ASSERT_TRUE(ListShownWhole());
  COutputBar& output = Frame()->GetOutputBar();
  for (BOOL show : {FALSE, TRUE, FALSE}) {
    Frame()->ShowControlBar(&output, show);
    Repaint();
    EXPECT_TRUE(ListShownWhole()) << (show ? "output bar shown" : "output bar closed");
  }
}

TEST_F(WorkspaceLayoutTest, TheEventLinkListIsShownWholeAfterTheOutputBarFloats) {
  ASSERT_TRUE(ListShownWhole());
  Frame()->FloatControlBar(&Frame()->GetOutputBar(), POINT{600, 300});
  Repaint();
  EXPECT_TRUE(ListShownWhole());
}

}  // namespace
}  // namespace editortest
