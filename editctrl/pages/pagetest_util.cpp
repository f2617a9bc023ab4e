#include "pagetest_util.h"

#include <commctrl.h>

#include "linkclasses.h"
#include "picmsg.h"
#include "picobj.h"
#include "pictureclasses.h"
#include "wndclass.h"

namespace pagetest {

namespace {

const char kEditClass[] = "QelLinkPageTestEdit";
const char kParentClass[] = "QelLinkPageTestParent";
const int kApplyButton = 0x3021;  // the sheet's Apply button
int g_linkNotices = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == QCN_EVENTLINKS) {
    ++g_linkNotices;
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  RegisterPictureClasses();
  RegisterLinkClasses();
  QelRegisterGlobalClass<CPicEditWnd>(kEditClass, CS_DBLCLKS, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kParentClass;
  ::RegisterClassA(&wc);
  done = true;
}

void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      DeleteTree(folder + name + "\\");
      ::RemoveDirectoryA((folder + name).c_str());
    } else {
      ::DeleteFileA((folder + name).c_str());
    }
  } while (::FindNextFileA(h, &found));
  ::FindClose(h);
}

std::string ItemText(HWND tree, HTREEITEM item) {
  char text[260] = "";
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
  return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

void AddLines(HWND tree, HTREEITEM item, int depth, std::vector<std::string>& lines) {
  for (; item; item = Next(tree, item, TVGN_NEXT)) {
    lines.push_back(std::string(2 * depth, ' ') + ItemText(tree, item));
    AddLines(tree, Next(tree, item, TVGN_CHILD), depth + 1, lines);
  }
}

}  // namespace

void EditWindowTest::SetUp() {
  RegisterClasses();
  g_linkNotices = 0;
  parent_ = ::CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent_, nullptr);
  child_ = ::CreateWindowExA(0, kEditClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 400, parent_,
                             reinterpret_cast<HMENU>(1000), ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(child_, nullptr);
  wnd_ = static_cast<CPicEditWnd*>(CWnd::FromHandlePermanent(child_));
  ASSERT_NE(wnd_, nullptr);
  const std::string folder = FreshFolder("pictures");
  ::SendMessageA(child_, QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  ASSERT_EQ(::SendMessageA(child_, QCM_NEWPIC, 0, reinterpret_cast<LPARAM>("t.pic")), 0);
  g_linkNotices = 0;
}

void EditWindowTest::TearDown() {
  if (child_) ::DestroyWindow(child_);
  if (parent_) ::DestroyWindow(parent_);
}

int EditWindowTest::LinkNotices() const { return g_linkNotices; }

void EditWindowTest::ForgetNotices() { g_linkNotices = 0; }

bool EditWindowTest::PictureModified() const { return ::SendMessageA(child_, QCM_QUERY, QCQ_MODIFIED, 0) != 0; }

namespace {

// The files of this test process, in a folder of its own (ctest runs the
// cases side by side, each in its own process), which goes when the process ends.
struct ProcessFolder {
  std::string path;
  ProcessFolder() {
    char cwd[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof cwd, cwd);
    path = std::string(cwd) + "\\linkpage_files";
    ::CreateDirectoryA(path.c_str(), nullptr);
    path += "\\p" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(path.c_str(), nullptr);
    path += "\\";
  }
  ~ProcessFolder() {
    DeleteTree(path);
    ::RemoveDirectoryA(path.substr(0, path.size() - 1).c_str());
  }
};

}  // namespace

std::string EditWindowTest::FreshFolder(const char* name) {
  static ProcessFolder process;
  std::string folder = process.path + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += "\\";
  DeleteTree(folder);
  return folder;
}

void EditWindowTest::WriteFile(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
}

const char kSheetTitle[] = "页测试";

INT_PTR RunSheet(qeltest::DialogScript& script, HWND owner, std::initializer_list<CPropertyPage*> pages) {
  CPropertySheet sheet(kSheetTitle, owner);
  for (CPropertyPage* page : pages) sheet.AddPage(page);
  INT_PTR result = 0;
  script.Run([&] { result = sheet.DoModal(); });
  return result;
}

void ClickUpDown(HWND updown, bool up) {
  RECT rc;
  ::GetClientRect(updown, &rc);
  const LPARAM at = MAKELPARAM(rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4);
  ::SendMessageA(updown, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(updown, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> TreeLines(HWND tree) {
  std::vector<std::string> lines;
  AddLines(tree, Next(tree, nullptr, TVGN_ROOT), 0, lines);
  return lines;
}

bool SelectTreeItem(HWND tree, const std::vector<std::string>& path) {
  HTREEITEM item = Next(tree, nullptr, TVGN_ROOT);
  for (size_t i = 0; i < path.size(); ++i) {
    while (item && ItemText(tree, item) != path[i]) item = Next(tree, item, TVGN_NEXT);
    if (!item) return false;
    if (i + 1 < path.size()) item = Next(tree, item, TVGN_CHILD);
  }
  return ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}

bool IsApplyEnabled(const qeltest::DialogDriver& sheet) {
  HWND apply = ::GetDlgItem(sheet.Window(), kApplyButton);
  return apply && ::IsWindowEnabled(apply);
}

}  // namespace pagetest
