// What the frame's window holds of the workspace bar's lists after the
// frame laid out its bars again, compared with what the list paints of
// itself, and what an open menu draws of an item. Both are read from the
// windows' own surfaces, never from the shared display that other tests'
// windows may cover.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <utility>
#include <vector>

#include "propdesc.h"
#include "resource.h"
#include "test/editor_harness.h"
#include "windowpixels.h"
#include "wndtest/wndtest_util.h"

namespace editortest {
namespace {

const DWORD kPaintMs = 10000;

// The pixels of a list's rows (its client area below its header): as the
// window holds them now (what the frame's own surface keeps of the list,
// bits copied along by a move included), or as the list paints them when
// asked to (WM_PRINTCLIENT).
std::vector<COLORREF> RowPixels(HWND hwnd, bool held) {
  RECT header = {};
  ::GetWindowRect(reinterpret_cast<HWND>(::SendMessageA(hwnd, LVM_GETHEADER, 0, 0)), &header);
  RECT client;
  ::GetClientRect(hwnd, &client);
  const int w = client.right, h = client.bottom;
  HDC window = ::GetDC(hwnd);
  HDC memory = ::CreateCompatibleDC(window);
  HBITMAP bitmap = ::CreateCompatibleBitmap(window, w, h);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  if (held)
    ::BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
  else
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<COLORREF> pixels;
  for (int y = header.bottom - header.top; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(::GetPixel(memory, x, y));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(hwnd, window);
  return pixels;
}

class WorkspaceLayoutTest : public EditorTest {
 protected:
  void SetUp() override {
    Start();
    ASSERT_NE(NewProject("p1"), nullptr);
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
  // Waits until the window holds the list as the list paints itself.
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

// ---- menus ------------------------------------------------------------------

// What an open popup menu draws of one of its items: for each pixel column
// of the item's row, whether anything but the menu's background lies in it.
std::vector<bool> g_columnsInked;
UINT g_itemLookedAt = 0;  // its position in the menu

void CALLBACK LookAtOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND popup = wndtest::ShownMenuOfThisThread();
  RECT item = {};
  if (popup && ::GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(::SendMessageA(popup, 0x01E1, 0, 0)),
                                 g_itemLookedAt, &item)) {
    ::MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&item), 2);
    const progtest::WindowPixels menu(popup);
    const COLORREF background = menu.At(item.right - 3, item.top + 1);
    for (int x = item.left; x < item.right; ++x) {
      bool inked = false;
      for (int y = item.top + 1; y < item.bottom - 1 && !inked; ++y) inked = menu.At(x, y) != background;
      g_columnsInked.push_back(inked);
    }
  }
  ::EndMenu();
}

// The runs of inked columns, from the left: (first column, width).
std::vector<std::pair<int, int>> InkRuns(const std::vector<bool>& inked) {
  std::vector<std::pair<int, int>> runs;
  for (int x = 0; x < static_cast<int>(inked.size()); ++x) {
    if (!inked[x]) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == x)
      ++runs.back().second;
    else
      runs.push_back({x, 1});
  }
  return runs;
}

// The item's image stands in a column of its own: a gap of background
// lies between it and the first character of the text.
TEST_F(WorkspaceLayoutTest, AMenuItemsImageLeavesAGapBeforeItsText) {
  // The first item of the menu bar's menus whose command has a button image.
  static const UINT kWithImage[] = {ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE};
  HMENU bar = ::GetMenu(Frame()->m_hWnd), file = nullptr;
  for (int m = 0; m < ::GetMenuItemCount(bar) && !file; ++m) {
    HMENU sub = ::GetSubMenu(bar, m);
    for (int i = 0; sub && i < ::GetMenuItemCount(sub) && !file; ++i)
      for (UINT id : kWithImage)
        if (::GetMenuItemID(sub, i) == id) {
          file = sub;
          g_itemLookedAt = static_cast<UINT>(i);
        }
  }
  ASSERT_NE(file, nullptr);
  g_columnsInked.clear();
  // Shown away from the workspace bar, looked at once it stands, then ended.
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  ::SetTimer(nullptr, 0, 200, LookAtOpenMenu);
  ::TrackPopupMenu(file, TPM_LEFTALIGN | TPM_TOPALIGN, 500, 300, 0, Frame()->m_hWnd, nullptr);
  Settle();
  const std::vector<std::pair<int, int>> runs = InkRuns(g_columnsInked);
  ASSERT_GE(runs.size(), 2u) << g_columnsInked.size() << " columns";
  const int imageEnd = runs[0].first + runs[0].second;
  EXPECT_GE(runs[0].second, 10) << "the first run is the image";
  std::string all;
  for (auto& r : runs) all += std::to_string(r.first) + "+" + std::to_string(r.second) + " ";
  EXPECT_GE(runs[1].first - imageEnd, 3)
      << "image ends at " << imageEnd << ", text starts at " << runs[1].first << "; runs " << all;
}

}  // namespace
}  // namespace editortest
