#include "editctrl_harness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "qel/exportproc.h"

namespace edittest {

namespace {

std::vector<Notice> g_notices;
// The boxes refused, each as a failure names it: caption and text.
std::vector<std::string> g_refusedBoxes;
HHOOK g_boxGuard = nullptr;
// The buttons that the next boxes (message boxes and the dialogs of the
// library that are no sheets) get, in order; the last one stays for every
// later box. None: boxes are refused.
std::vector<int> g_boxAnswers;
int g_sheetAnswer = 0;
// A dialog script drives every window: the guard neither refuses nor answers.
bool g_scripted = false;
std::vector<SeenBox> g_seenBoxes;

bool IsDialogWindow(HWND hwnd) {
  char cls[16] = "";
  return ::GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpiA(cls, "#32770") == 0;
}

// A property sheet (a link dialog) rather than a message box: it has the tabs.
bool IsPropertySheet(HWND hwnd) {
  char cls[32] = "";
  HWND tabs = ::GetDlgItem(hwnd, 0x3020);
  return tabs && ::GetClassNameA(tabs, cls, sizeof cls) && lstrcmpiA(cls, WC_TABCONTROLA) == 0;
}

// The boxes and sheets answered that still stand. A window is activated
// again whenever the activation comes back to this thread (the test display is
// shared with other programs, whose windows take it now and then) and may be
// so before the posted answer closes it: it is recorded and answered once.
std::vector<HWND> g_answered;

bool WasAnswered(HWND window) {
  return std::find(g_answered.begin(), g_answered.end(), window) != g_answered.end();
}

// The icon that a message box shows: that of its icon control, whatever
// the control's id.
HICON BoxIcon(HWND box) {
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[16] = "";
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    if (::GetClassNameA(child, cls, sizeof cls) && lstrcmpiA(cls, "Static") == 0 &&
        (style & SS_TYPEMASK) == SS_ICON)
      return reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
  }
  return nullptr;
}

// Records a shown box or sheet and presses the test's button for it; one
// that the test did not expect is counted and cancelled.
void AnswerWindow(HWND box, int answer) {
  g_answered.push_back(box);
  SeenBox seen;
  char buf[512] = "";
  ::GetWindowTextA(box, buf, sizeof buf);
  seen.caption = buf;
  buf[0] = '\0';
  ::GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
  seen.text = buf;
  seen.icon = BoxIcon(box);
  g_seenBoxes.push_back(seen);
  if (answer == 0)
    g_refusedBoxes.push_back("\"" + seen.caption + "\" saying \"" + seen.text + "\" (cancelled when shown)");
  ::PostMessageA(box, WM_COMMAND, answer ? answer : IDCANCEL, 0);
}

// A sheet is activated before it has its title: it is answered from the
// loop that runs it, a moment later.
std::vector<HWND> g_pendingSheets;

void CALLBACK AnswerPendingSheets(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  std::vector<HWND> sheets;
  sheets.swap(g_pendingSheets);
  for (HWND sheet : sheets)
    if (::IsWindow(sheet)) AnswerWindow(sheet, g_sheetAnswer);
}

int NextBoxAnswer() {
  if (g_boxAnswers.empty()) return 0;
  const int answer = g_boxAnswers.front();
  if (g_boxAnswers.size() > 1) g_boxAnswers.erase(g_boxAnswers.begin());
  return answer;
}

bool AnsweringBoxes() { return !g_boxAnswers.empty() && g_boxAnswers.front() != 0; }

void AnswerBox(HWND box) {
  if (WasAnswered(box)) return;
  if (!IsPropertySheet(box)) {
    AnswerWindow(box, NextBoxAnswer());
    return;
  }
  if (std::find(g_pendingSheets.begin(), g_pendingSheets.end(), box) != g_pendingSheets.end()) return;
  if (g_pendingSheets.empty()) ::SetTimer(nullptr, 0, 10, AnswerPendingSheets);
  g_pendingSheets.push_back(box);
}

// A dialog of this thread. The hook also hears of other programs' windows:
// when an active window of this thread is hidden and it is not the
// foreground one, Wine offers the activation to the next window in z-order,
// whichever program's it is, and calls this thread's hook before it finds it
// cannot activate it. Such a window is not the library's to answer.
bool IsThreadDialog(HWND hwnd) {
  return ::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId() && IsDialogWindow(hwnd);
}

bool IsDialogClass(LPCSTR cls) {
  if (IS_INTRESOURCE(cls)) return LOWORD(reinterpret_cast<ULONG_PTR>(cls)) == 32770;
  return lstrcmpiA(cls, "#32770") == 0;
}

// A window refused as it is made, as a failure names it: its text is not
// set yet, its caption may be (a dialog's template gives it), and the window
// it belongs to says where it came from.
std::string RefusedText(const CREATESTRUCTA& create) {
  const std::string caption = create.lpszName && !IS_INTRESOURCE(create.lpszName) ? create.lpszName : "";
  char owner[256] = "";
  if (create.hwndParent) ::GetWindowTextA(create.hwndParent, owner, sizeof owner);
  return "\"" + caption + "\"" + ((create.style & WS_CHILD) ? " (a child)" : "") + " of \"" + owner +
         "\" (refused as it was made)";
}

LRESULT CALLBACK BoxGuard(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lp);
    if (create->lpcs && IsDialogClass(create->lpcs->lpszClass) && !AnsweringBoxes() && g_sheetAnswer == 0 &&
        !g_scripted) {
      g_refusedBoxes.push_back(RefusedText(*create->lpcs));
      return 1;  // the box is not made; MessageBox returns at once
    }
  }
  if (code == HCBT_DESTROYWND) {
    HWND gone = reinterpret_cast<HWND>(wp);
    g_answered.erase(std::remove(g_answered.begin(), g_answered.end(), gone), g_answered.end());
  }
  if (code == HCBT_ACTIVATE && !g_scripted && (AnsweringBoxes() || g_sheetAnswer != 0) &&
      IsThreadDialog(reinterpret_cast<HWND>(wp)))
    AnswerBox(reinterpret_cast<HWND>(wp));
  return ::CallNextHookEx(g_boxGuard, code, wp, lp);
}

void Record(UINT msg, WPARAM wp, LPARAM lp) {
  Notice n = {};
  n.msg = msg;
  n.wp = wp;
  switch (msg) {
    case QCN_VIEWCHANGED:
      if (lp) n.view = *reinterpret_cast<const ViewInfo*>(lp);
      break;
    case QCN_PROPERTIES:
      if (auto* list = reinterpret_cast<const PropDescList*>(lp)) {
        n.props.assign(list->items, list->items + list->count);
        for (const PropDesc& p : n.props)
          n.propTexts.push_back((p.kind & 0x7F) == PE_TEXT && p.value ? reinterpret_cast<const char*>(p.value)
                                                                      : "");
      }
      break;
    case QCN_EVENTLINKS:
      if (auto* list = reinterpret_cast<const ActionKindList*>(lp))
        n.kinds.assign(list->items, list->items + list->count);
      break;
    case QCN_OUTPUTTEXT:
      if (lp) n.text = reinterpret_cast<const char*>(lp);
      break;
  }
  g_notices.push_back(n);
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if ((msg >= QCN_VIEWCHANGED && msg <= QCN_LINKPICTURE) || msg == QCN_OUTPUTTEXT) {
    Record(msg, wp, lp);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

const char kParentClass[] = "EditCtrlTestParent";

void RegisterParentClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kParentClass;
  ::RegisterClassA(&wc);
  done = true;
}

}  // namespace

HMODULE Library() {
  static HMODULE module = ::LoadLibraryA("..\\out\\QelCtrl.dll");
  return module;
}

UINT PictureClipFormat() { return ::RegisterClipboardFormatA("QELPICCLIP"); }

std::vector<BYTE> ClipboardBytes(HWND owner) {
  std::vector<BYTE> bytes;
  if (!::OpenClipboard(owner)) return bytes;
  if (HGLOBAL data = ::GetClipboardData(PictureClipFormat())) {
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(data));
    if (p) bytes.assign(p, p + ::GlobalSize(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return bytes;
}

void PutClipboardBytes(HWND owner, const std::vector<BYTE>& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  ::SetClipboardData(PictureClipFormat(), block);
  ::CloseClipboard();
}

CompilePicFn CompilePicExport() { return QelFindExport<CompilePicFn>(Library(), "QEL_CompilePic"); }

void EditWindowTest::SetUp() {
  ASSERT_NE(Library(), nullptr) << "QelCtrl.dll not found beside the tests";
  g_boxGuard = ::SetWindowsHookExA(WH_CBT, BoxGuard, nullptr, ::GetCurrentThreadId());
  g_refusedBoxes.clear();
  g_boxAnswers.clear();
  g_sheetAnswer = 0;
  g_scripted = false;
  g_pendingSheets.clear();
  g_answered.clear();
  g_seenBoxes.clear();
  RegisterParentClass();
  parent_ =
      ::CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW | (VisibleParent() ? WS_VISIBLE : 0),
                        0, 0, 1200, 900, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent_, nullptr);
  g_notices.clear();
}

void EditWindowTest::TearDown() {
  if (child_) ::DestroyWindow(child_);
  if (parent_) ::DestroyWindow(parent_);
  if (g_boxGuard) ::UnhookWindowsHookEx(g_boxGuard);
  g_boxGuard = nullptr;
  std::string refused;
  for (const std::string& box : g_refusedBoxes) refused += (refused.empty() ? "" : ", ") + box;
  EXPECT_TRUE(g_refusedBoxes.empty()) << "a message box was raised inside the library: " << refused;
}

HWND EditWindowTest::MakeChild(int clientWidth, int clientHeight) {
  // Room for both bars, so that the client keeps the asked size when they show.
  int w = clientWidth + ::GetSystemMetrics(SM_CXVSCROLL);
  int h = clientHeight + ::GetSystemMetrics(SM_CYHSCROLL);
  child_ = ::CreateWindowExA(0, "QELPICEDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, w, h, parent_,
                             reinterpret_cast<HMENU>(1000), ::GetModuleHandleA(nullptr), nullptr);
  g_notices.clear();
  return child_;
}

std::vector<UINT> EditWindowTest::TakeNoticeNumbers() {
  std::vector<UINT> numbers;
  for (const Notice& n : g_notices) numbers.push_back(n.msg);
  g_notices.clear();
  return numbers;
}

std::vector<Notice>& EditWindowTest::Notices() { return g_notices; }

const Notice* EditWindowTest::LastNotice(UINT msg) const {
  for (auto it = g_notices.rbegin(); it != g_notices.rend(); ++it)
    if (it->msg == msg) return &*it;
  return nullptr;
}

void EditWindowTest::AnswerBoxesWith(int button) { g_boxAnswers = {button}; }
void EditWindowTest::AnswerBoxesWith(const std::vector<int>& buttons) { g_boxAnswers = buttons; }

void EditWindowTest::AnswerSheetsWith(int button) { g_sheetAnswer = button; }

void EditWindowTest::LeaveDialogsToScript() { g_scripted = true; }

const std::vector<SeenBox>& EditWindowTest::SeenBoxes() const { return g_seenBoxes; }

void EditWindowTest::MouseDown(int x, int y, UINT flags) const {
  Send(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y));
}

void EditWindowTest::MouseUp(int x, int y, UINT flags) const { Send(WM_LBUTTONUP, flags, MAKELPARAM(x, y)); }

void EditWindowTest::MouseMove(int x, int y, UINT flags) const {
  Send(WM_MOUSEMOVE, flags, MAKELPARAM(x, y));
}

void EditWindowTest::DoubleClick(int x, int y, UINT flags) const {
  Click(x, y, flags);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON | flags, MAKELPARAM(x, y));
  MouseUp(x, y, flags);
}

void EditWindowTest::Click(int x, int y, UINT flags) const {
  MouseDown(x, y, flags);
  MouseUp(x, y, flags);
}

void EditWindowTest::Drag(int x0, int y0, int x1, int y1, UINT flags) const {
  MouseDown(x0, y0, flags);
  MouseMove((x0 + x1) / 2, (y0 + y1) / 2, MK_LBUTTON | flags);
  MouseMove(x1, y1, MK_LBUTTON | flags);
  MouseUp(x1, y1, flags);
}

SCROLLINFO EditWindowTest::Bar(int bar) const {
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(child_, bar, &info)) info = {sizeof info, 0, 0, 0, 0, 0, 0};
  return info;
}

}  // namespace edittest
