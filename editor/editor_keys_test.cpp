// The keyboard in a picture, driven as a user drives it: a real click in the
// real editing window (through the input queue, SendInput), then real keys.
// The arrow keys, Delete and the editing accelerators reach the picture
// whose window was clicked or whose frame became active, wherever the focus
// was before. The cases need the focus of the shared display: they run alone.
#include <initializer_list>
#include <memory>
#include <vector>

#include "archive.h"
#include "demoproject.h"
#include "drawobj.h"
#include "file.h"
#include "picframe.h"
#include "qel/picmsg.h"
#include "picobj.h"
#include "picview.h"
#include "resource.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

const DWORD kInputMs = 10000;
// The rectangle as dragged in the editing window (zoom 100, no scrolling),
// on the snap grid; a click at its centre hits it.
const RECT kDrag = {80, 80, 240, 160};
const POINT kCentre = {(kDrag.left + kDrag.right) / 2, (kDrag.top + kDrag.bottom) / 2};
const POINT kEmpty = {20, 20};

// What the saved picture holds: its first layer's objects and where the
// first of them lies.
struct PictureState {
  int count = -1;
  int left = 0;
  int top = 0;
  bool operator==(const PictureState& o) const { return count == o.count && left == o.left && top == o.top; }
};

std::string StateText(const PictureState& s) {
  return std::to_string(s.count) + " at " + std::to_string(s.left) + "," + std::to_string(s.top);
}

PictureState ReadState(const std::string& path) {
  demo::RegisterDemoClasses();
  PictureState state;
  CPicObj picture;
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead)) return state;
  CArchive ar(&file, CArchive::load);
  picture.Serialize(ar);
  CPicLayer* layer = picture.GetLayer(0);
  if (!layer) return state;
  state.count = static_cast<int>(layer->m_objects.GetCount());
  if (state.count > 0) {
    CRectD r = static_cast<CDrawObj*>(layer->m_objects.GetHead())->GetRect();
    state.left = static_cast<int>(r.left);
    state.top = static_cast<int>(r.top);
  }
  return state;
}

// The pointer moved to a point of the screen and the buttons pressed and
// released there, in one piece of input: each event names the point, so a
// stale move of the display's pointer that slips in between is taken back
// before the button comes up.
void SendMouseAt(POINT screen, std::initializer_list<DWORD> buttons) {
  std::vector<INPUT> inputs;
  for (DWORD flags : buttons) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs.push_back(in);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKey(WORD key, bool up) {
  static const WORD kExtended[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_DELETE, VK_INSERT};
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, 0));
  for (WORD e : kExtended)
    if (e == key) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  if (up) in.ki.dwFlags |= KEYEVENTF_KEYUP;
  ::SendInput(1, &in, sizeof in);
}

// A window's class and the process it belongs to, for a failure's message.
std::string WindowName(HWND hwnd) {
  char name[128] = "";
  ::GetClassNameA(hwnd, name, sizeof name);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return std::string(name) + (pid == ::GetCurrentProcessId() ? " (this program)" : " (another program)");
}

// One key with the modifiers held (0 for none).
struct Stroke {
  WORD modifier;
  WORD key;
  const char* name;
};

class KeyboardTest : public EditorTest {
 protected:
  void SetUp() override {
    pointerShield_.Lift();  // this test's own mouse goes through the queue
    Start();
    const OpenedPicture opened = NewProjectWithPicture("p1", "a.pic", TRUE);
    doc_ = opened.doc;
    view_ = opened.view;
    ASSERT_NE(view_, nullptr);
    edit_ = view_->GetEditWindow();
    ASSERT_NE(edit_, nullptr);
    // Above whatever else the shared display shows, as the engineer's editor is.
    ::SetWindowPos(Frame()->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(Frame()->m_hWnd);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Frame()->m_hWnd; }));
    Command(ID_TOOL_RECT);
    Drag(kDrag);
    Command(ID_TOOL_SELECT);
    ASSERT_EQ(Saved(), (PictureState{1, kDrag.left, kDrag.top}));
    Click(kEmpty);  // nothing selected: a click that selects can be seen
    ASSERT_EQ(view_->GetEditHost().Query(QCQ_SELCOUNT), 0);
  }

  // Pumps as the program's loop does (its accelerators included) until
  // done() holds or the limit has passed.
  template <class Done>
  bool PumpUntil(Done done, DWORD limitMs = kInputMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
      if (::GetTickCount() - start > limitMs) return done();
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      Settle();
    }
    return true;
  }
  void Click(POINT at) {
    ::SendMessageA(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(edit_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Settle();
  }
  void Drag(const RECT& r) {
    ::SendMessageA(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left, r.top));
    ::SendMessageA(edit_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right, r.bottom));
    ::SendMessageA(edit_, WM_LBUTTONUP, 0, MAKELPARAM(r.right, r.bottom));
    Settle();
  }
  // The picture as the editing window saves it now.
  PictureState Saved() {
    view_->GetEditHost().Send(QCM_SAVEPIC);
    return ReadState(ProjectsFolder() + "p1\\pic\\a.pic");
  }
  // A real click at a point of the editing window; waits until it selected.
  void ClickInPicture(POINT at) {
    ::ClientToScreen(edit_, &at);
    // The editing window is what the display shows there (a window of the
    // last test may still be on its way out).
    ASSERT_TRUE(PumpUntil([&] { return ::WindowFromPoint(at) == edit_; }))
        << WindowName(::WindowFromPoint(at));
    SendMouseAt(at, {0});
    // The button goes down where the pointer is once it got there.
    POINT cursor = {};
    ASSERT_TRUE(PumpUntil([&] { return ::GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y; }))
        << cursor.x << "," << cursor.y;
    SendMouseAt(at, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] {
      return view_->GetEditHost().Query(QCQ_SELCOUNT) == 1 && !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    }));
  }
  // The focus is somewhere else in the frame, as after working in the tree.
  void FocusTree() {
    Tree().SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == Tree().m_hWnd; }));
  }
  void Press(const Stroke& s) {
    if (s.modifier) SendKey(s.modifier, false);
    SendKey(s.key, false);
    SendKey(s.key, true);
    if (s.modifier) SendKey(s.modifier, true);
  }
  // Presses the key and waits until the saved picture is as expected.
  void PressAndExpect(const Stroke& s, const PictureState& expected) {
    Press(s);
    PictureState now;
    EXPECT_TRUE(PumpUntil([&] { return (now = Saved()) == expected; })) << s.name << ": " << StateText(now);
  }

  CQelideDoc* doc_ = nullptr;
  CPicView* view_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(KeyboardTest, AClickGivesThePictureTheKeyboard) {
  ASSERT_NO_FATAL_FAILURE(FocusTree());
  ASSERT_NO_FATAL_FAILURE(ClickInPicture(kCentre));
  EXPECT_EQ(::GetFocus(), edit_);
  // Each key in turn on the clicked rectangle; snapping is on, so a step is 8.
  const struct {
    Stroke stroke;
    PictureState after;
  } kSteps[] = {
      {{0, VK_RIGHT, "right"}, {1, 88, 80}},      {{0, VK_DOWN, "down"}, {1, 88, 88}},
      {{0, VK_LEFT, "left"}, {1, 80, 88}},        {{0, VK_UP, "up"}, {1, 80, 80}},
      {{VK_CONTROL, 'C', "Ctrl+C"}, {1, 80, 80}}, {{VK_CONTROL, 'V', "Ctrl+V"}, {2, 80, 80}},
      {{VK_CONTROL, 'X', "Ctrl+X"}, {1, 80, 80}}, {{VK_CONTROL, 'Z', "Ctrl+Z"}, {2, 80, 80}},
  };
  for (const auto& step : kSteps) PressAndExpect(step.stroke, step.after);
}

TEST_F(KeyboardTest, DeleteCutsTheClickedObjectAndCtrlZBringsItBack) {
  ASSERT_NO_FATAL_FAILURE(FocusTree());
  ASSERT_NO_FATAL_FAILURE(ClickInPicture(kCentre));
  PressAndExpect({0, VK_DELETE, "Delete"}, {0, 0, 0});
  PressAndExpect({VK_CONTROL, 'Z', "Ctrl+Z"}, {1, kDrag.left, kDrag.top});
}

TEST_F(KeyboardTest, APictureFrameThatBecomesActiveTakesTheKeyboard) {
  ASSERT_NO_FATAL_FAILURE(ClickInPicture(kCentre));
  // Another window of the project, then the picture's frame again.
  Command(ID_OPEN_LOCALTAGS);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() != edit_; }));
  view_->GetParentFrame()->ActivateFrame();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == edit_; })) << ::GetFocus();
  PressAndExpect({0, VK_RIGHT, "right"}, {1, 88, 80});
}

}  // namespace
}  // namespace editortest
