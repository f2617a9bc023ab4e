#include "editctrl_harness.h"

#include <cstdio>
#include <fstream>

namespace edittest {

namespace {

std::vector<Notice> g_notices;
int g_refusedBoxes = 0;
HHOOK g_boxGuard = nullptr;
// The buttons that the next boxes get, in order; the last one stays for every
// later box. 0 (or none): boxes are refused.
std::vector<int> g_boxAnswers;
std::vector<SeenBox> g_seenBoxes;

bool IsDialogWindow(HWND hwnd) {
  char cls[16] = "";
  return ::GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpiA(cls, "#32770") == 0;
}

// Reads a shown box and presses the test's button.
void AnswerBox(HWND box) {
  SeenBox seen;
  char buf[512] = "";
  ::GetWindowTextA(box, buf, sizeof buf);
  seen.caption = buf;
  buf[0] = '\0';
  ::GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
  seen.text = buf;
  g_seenBoxes.push_back(seen);
  ::PostMessageA(box, WM_COMMAND, g_boxAnswers.front(), 0);
  if (g_boxAnswers.size() > 1) g_boxAnswers.erase(g_boxAnswers.begin());
}

bool Answering() { return !g_boxAnswers.empty() && g_boxAnswers.front() != 0; }

bool IsDialogClass(LPCSTR cls) {
  if (IS_INTRESOURCE(cls)) return LOWORD(reinterpret_cast<ULONG_PTR>(cls)) == 32770;
  return lstrcmpiA(cls, "#32770") == 0;
}

LRESULT CALLBACK BoxGuard(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lp);
    if (create->lpcs && IsDialogClass(create->lpcs->lpszClass) && !Answering()) {
      ++g_refusedBoxes;
      return 1;  // the box is not made; MessageBox returns at once
    }
  }
  if (code == HCBT_ACTIVATE && Answering() && IsDialogWindow(reinterpret_cast<HWND>(wp)))
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
        n.propTexts.push_back((p.kind & 0x7F) == PE_TEXT && p.value
                                  ? reinterpret_cast<const char*>(p.value)
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

CompilePicFn CompilePicExport() {
  return reinterpret_cast<CompilePicFn>(::GetProcAddress(Library(), "QEL_CompilePic"));
}

namespace {

void DeleteFilesIn(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      DeleteFilesIn(folder + name + "\\");
      ::RemoveDirectoryA((folder + name).c_str());
    } else {
      ::DeleteFileA((folder + name).c_str());
    }
  } while (::FindNextFileA(h, &found));
  ::FindClose(h);
}

// The files of this test process: ctest runs the cases side by side, each
// in its own process, so every process works in a folder of its own, which
// goes when the process ends.
struct ProcessFolder {
  std::string path;
  ProcessFolder() {
    char cwd[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof cwd, cwd);
    path = std::string(cwd) + "\\editctrl_files";
    ::CreateDirectoryA(path.c_str(), nullptr);
    path += "\\p" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(path.c_str(), nullptr);
    path += "\\";
  }
  ~ProcessFolder() {
    DeleteFilesIn(path);
    ::RemoveDirectoryA(path.substr(0, path.size() - 1).c_str());
  }
};

const std::string& ProcessFolderPath() {
  static ProcessFolder folder;
  return folder.path;
}

}  // namespace

std::string FreshFolder(const char* name) {
  std::string folder = ProcessFolderPath() + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += "\\";
  DeleteFilesIn(folder);
  return folder;
}

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void EditWindowTest::SetUp() {
  ASSERT_NE(Library(), nullptr) << "QelCtrl.dll not found beside the tests";
  g_boxGuard = ::SetWindowsHookExA(WH_CBT, BoxGuard, nullptr, ::GetCurrentThreadId());
  g_refusedBoxes = 0;
  g_boxAnswers.clear();
  g_seenBoxes.clear();
  RegisterParentClass();
  parent_ = ::CreateWindowExA(0, kParentClass, "parent",
                              WS_OVERLAPPEDWINDOW | (VisibleParent() ? WS_VISIBLE : 0), 0, 0,
                              1200, 900, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent_, nullptr);
  g_notices.clear();
}

void EditWindowTest::TearDown() {
  if (child_) ::DestroyWindow(child_);
  if (parent_) ::DestroyWindow(parent_);
  if (g_boxGuard) ::UnhookWindowsHookEx(g_boxGuard);
  g_boxGuard = nullptr;
  EXPECT_EQ(g_refusedBoxes, 0) << "a message box was raised inside the library";
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
  SCROLLINFO info = {sizeof info, SIF_ALL};
  if (!::GetScrollInfo(child_, bar, &info)) info = {sizeof info, 0};
  return info;
}

}  // namespace edittest
