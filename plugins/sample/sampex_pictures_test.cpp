// Sampex in the picture windows: plug-in objects of a picture load
// "Sampex.dll" by name and show its control in the runtime window (enabled,
// its mouse report answered 0) and in the editing window (disabled, no
// report); show/hide links and SetViewFlag hide and show the control; the
// editing side opens the control's property sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../../compiler/testing/delivered_stdlib.h"
#include "../../editctrl/testing/editctrl_harness.h"
#include "../../runctrl/testing/runharness.h"
#include "actkinds.h"
#include "qel/checkword.h"
#include "drawplugin.h"
#include "picfile.h"
#include "picobj.h"
#include "testing/dialogscript.h"
#include "wndtest/wndtest_util.h"

namespace {

// Sampex from the program folder, so that "Sampex.dll" names a loaded module
// whatever the search order finds.
HMODULE SampexLibrary() {
  static HMODULE module = ::LoadLibraryA("..\\out\\Sampex.dll");
  return module;
}

CDrawPlugin* AddPlugin(CPicObj& picture, const CRectD& r, const char* name) {
  auto* plugin = new CDrawPlugin(kToolPluginLibrary);
  plugin->m_rect = r;
  plugin->m_strName = name;
  picture.GetLayer(0)->m_objects.AddTail(plugin);
  return plugin;
}

BOOL CALLBACK CollectSampexWindow(HWND child, LPARAM lp) {
  char name[32] = "";
  ::GetClassNameA(child, name, sizeof name);
  if (std::string(name) == "Sampxe_1.0") reinterpret_cast<std::vector<HWND>*>(lp)->push_back(child);
  return TRUE;
}

// The Sampex windows under a picture window, by control id.
std::vector<HWND> PluginWindows(HWND view) {
  std::vector<HWND> found;
  ::EnumChildWindows(view, &CollectSampexWindow, reinterpret_cast<LPARAM>(&found));
  std::sort(found.begin(), found.end(), [](HWND a, HWND b) { return ::GetDlgCtrlID(a) < ::GetDlgCtrlID(b); });
  return found;
}

// Every QPM_FIREEVENT that a picture window received, with its answer.
struct Fired {
  DWORD checkWord;
  LRESULT answer;
};
std::vector<Fired> g_fired;
WNDPROC g_viewProc = nullptr;

LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT answer = ::CallWindowProcA(g_viewProc, hwnd, msg, wp, lp);
  if (msg == QPM_FIREEVENT) g_fired.push_back({static_cast<DWORD>(wp), answer});
  return answer;
}

// Listens to a picture window's QPM_FIREEVENT for its lifetime.
class FireEventSpy {
 public:
  explicit FireEventSpy(HWND view) : m_view(view) {
    g_fired.clear();
    g_viewProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpyProc)));
  }
  ~FireEventSpy() { ::SetWindowLongPtrA(m_view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_viewProc)); }

 private:
  HWND m_view;
};

// Moves the real mouse to the centre of a window (through the input queue,
// as a user's mouse would) and lets the messages arrive: every input comes
// before a timer set after it.
void MoveMouseOver(HWND hwnd) {
  ::SetWindowPos(::GetAncestor(hwnd, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RECT r;
  ::GetWindowRect(hwnd, &r);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN) - 1;
  const int cy = ::GetSystemMetrics(SM_CYSCREEN) - 1;
  for (POINT p : {POINT{r.left + 3, r.top + 3}, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}}) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / cx;
    in.mi.dy = p.y * 65535 / cy;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    EXPECT_TRUE(wndtest::PumpPastTheQueue()) << "the mouse move was never taken in";
  }
}

// ---- the runtime window -----------------------------------------------------------

class SampexRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(SampexLibrary(), nullptr);
    ASSERT_TRUE(h.Ok());
    picture.reset(runtest::NewPicture());
    first = AddPlugin(*picture, CRectD(10, 10, 170, 130), "plug1");
    second = AddPlugin(*picture, CRectD(200, 10, 360, 130), "plug2");
  }

  runtest::Harness h{400, 300, 50, 50};
  std::unique_ptr<CPicObj> picture;
  CDrawPlugin* first = nullptr;
  CDrawPlugin* second = nullptr;
};

TEST_F(SampexRunTest, EachLoadedPictureNumbersItsPluginWindowsFrom1) {
  for (int load = 0; load < 2; ++load) {
    ASSERT_EQ(h.Load(*picture), 0);
    const std::vector<HWND> windows = PluginWindows(h.View());
    ASSERT_EQ(windows.size(), 2u) << "load " << load;
    EXPECT_EQ(::GetDlgCtrlID(windows[0]), 1);
    EXPECT_EQ(::GetDlgCtrlID(windows[1]), 2);
    for (HWND w : windows) EXPECT_TRUE(::IsWindowEnabled(w)) << "live at run time";
    RECT r;
    ::GetWindowRect(windows[0], &r);
    ::MapWindowPoints(nullptr, h.View(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 170);
  }
}

TEST_F(SampexRunTest, AnObjectWithoutLibraryNameHasNoWindow) {
  AddPlugin(*picture, CRectD(10, 150, 60, 200), "nameless")->SetLibraryName("");
  ASSERT_EQ(h.Load(*picture), 0);
  EXPECT_EQ(PluginWindows(h.View()).size(), 2u);
}

TEST_F(SampexRunTest, TheMouseReportIsAnsweredZero) {
  ASSERT_EQ(h.Load(*picture), 0);
  const std::vector<HWND> windows = PluginWindows(h.View());
  ASSERT_EQ(windows.size(), 2u);
  FireEventSpy spy(h.View());
  ::SendMessageA(windows[1], WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
  ASSERT_EQ(g_fired.size(), 1u);
  EXPECT_EQ(g_fired[0].checkWord, MakeHostParam(2));
  EXPECT_EQ(g_fired[0].answer, 0);

  g_fired.clear();
  MoveMouseOver(windows[0]);
  ASSERT_FALSE(g_fired.empty()) << "the real mouse over the control";
  EXPECT_EQ(g_fired.back().checkWord, MakeHostParam(1));
  EXPECT_EQ(g_fired.back().answer, 0);
}

// Show/hide links are offered to no control; a group's link shows and hides
// its members, the plug-in's window with them.
TEST_F(SampexRunTest, AGroupsShowHideLinkHidesAndShowsTheControl) {
  runtest::GroupWithShowHide(*picture, first, "lamp");
  h.host.values["lamp"] = runtest::IntValue(0);
  ASSERT_EQ(h.Load(*picture), 0);
  const std::vector<HWND> windows = PluginWindows(h.View());
  ASSERT_EQ(windows.size(), 2u);
  const HWND grouped = ::GetDlgCtrlID(windows[0]) == 2 ? windows[0] : windows[1];
  const HWND alone = grouped == windows[0] ? windows[1] : windows[0];
  h.Tick(8);
  EXPECT_FALSE(::IsWindowVisible(grouped));
  EXPECT_TRUE(::IsWindowVisible(alone));
  h.host.values["lamp"] = runtest::IntValue(1);
  h.Tick(8);
  EXPECT_TRUE(::IsWindowVisible(grouped));
}

TEST_F(SampexRunTest, SetViewFlagHidesAndShowsTheControl) {
  const std::string source =
      "int n;\nint main()\n{\n  n = n + 1;\n  if (n == 1) SetViewFlag(\"plug2\", 0);\n"
      "  if (n == 3) SetViewFlag(\"plug2\", 1);\n  return 0;\n}\n";
  tarnic::CompileOutput out = tarnic::Compile(source);
  ASSERT_TRUE(out.generated) << out.err_text;
  auto* link = new CActMove;
  link->m_nMode = AM_SCRIPT;
  link->m_nTrigger = AT_OWN_PERIOD;
  link->m_nPeriod = 100;
  link->m_script.m_strSource = source.c_str();
  link->m_script.m_code.SetData(out.code.data(), static_cast<int>(out.code.size()));
  first->AddAction(link);
  ASSERT_EQ(h.Load(*picture), 0);
  const std::vector<HWND> windows = PluginWindows(h.View());
  ASSERT_EQ(windows.size(), 2u);
  std::vector<bool> visible;
  for (int i = 0; i < 4; ++i) {
    h.Tick(1);
    visible.push_back(::IsWindowVisible(windows[1]) != FALSE);
  }
  // The script runs once per tick from the first: hidden on run 1, shown on run 3.
  EXPECT_EQ(visible, (std::vector<bool>{false, false, true, true}));
}

// ---- the editing window -----------------------------------------------------------

class SampexEditTest : public edittest::EditWindowTest {
 protected:
  bool VisibleParent() const override { return true; }
  void SetUp() override {
    edittest::EditWindowTest::SetUp();
    ASSERT_NE(SampexLibrary(), nullptr);
    runtest::RegisterClassesOnce();
    CPicObj picture;
    picture.EnsureLayer();
    AddPlugin(picture, CRectD(20, 20, 180, 140), "plug1");
    AddPlugin(picture, CRectD(200, 20, 360, 140), "plug2");
    const std::string folder = edittest::FreshFolder("sampex");
    edittest::WriteBytes(folder + "plugins.pic", StorePictureBytes(picture));
    MakeChild(600, 400);
    SendText(QCM_PICFOLDER, folder);
    ASSERT_EQ(SendText(QCM_OPENPIC, "plugins.pic"), 0);
  }
};

TEST_F(SampexEditTest, ControlsAreShownDisabledWithIds1And2) {
  const std::vector<HWND> windows = PluginWindows(child_);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(::GetDlgCtrlID(windows[0]), 1);
  EXPECT_EQ(::GetDlgCtrlID(windows[1]), 2);
  for (HWND w : windows) {
    EXPECT_FALSE(::IsWindowEnabled(w));
    EXPECT_TRUE(::IsWindowVisible(w));
  }
}

TEST_F(SampexEditTest, TheMouseOverADisabledControlIsNotReported) {
  const std::vector<HWND> windows = PluginWindows(child_);
  ASSERT_EQ(windows.size(), 2u);
  FireEventSpy spy(child_);
  MoveMouseOver(windows[0]);
  EXPECT_TRUE(g_fired.empty());
}

// ---- the pages -----------------------------------------------------------------

// The editing window's property-page property: Sampex shows its sheet,
// titled with the picture model's prefix, over the view's top-level window;
// the answer counts as a change whatever the button, and the control, which
// the editor keeps disabled, stays disabled after the sheet.
TEST(SampexPages, AnAttachedObjectShowsThePagesAndCountsThatAsAChange) {
  // The object's host is linked into this program: it loads the copy of
  // Sampex beside the program.
  runtest::RegisterClassesOnce();
  CWnd view;
  ASSERT_TRUE(wndtest::CreateTopLevel(view, false, "pages"));
  CPicObj picture;
  DrawViewContext context;
  context.hView = view;
  context.pPicture = &picture;
  CDrawPlugin plugin(kToolPluginLibrary);
  plugin.m_rect = CRectD(0, 0, 320, 240);
  EXPECT_EQ(plugin.ShowProperties(view), 0) << "no window yet";
  plugin.AttachView(&context, FALSE);
  ASSERT_NE(plugin.GetPluginWnd(), nullptr);
  EXPECT_STREQ(plugin.GetHost().GetIdentifier(), "Sampxe_1.0");
  for (const int button : {IDCANCEL, IDOK}) {
    bool viewEnabledMeanwhile = true;
    qeltest::DialogScript script;
    script.On("插件1 插件属性页", [&](qeltest::DialogDriver& d) {
      viewEnabledMeanwhile = ::IsWindowEnabled(view) != FALSE;
      d.Click(button);
    });
    int result = -1;
    script.Run([&] { result = plugin.ShowProperties(view); });
    EXPECT_EQ(result, 1) << button;
    EXPECT_FALSE(viewEnabledMeanwhile);
    EXPECT_TRUE(::IsWindowEnabled(view));
    EXPECT_FALSE(::IsWindowEnabled(plugin.GetPluginWnd()));
  }
  view.DestroyWindow();
}

}  // namespace
