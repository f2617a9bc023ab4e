#include "pagetest_util.h"

#include "colortest_util.h"
#include "controls/treectrl.h"
#include "editctrl_inproc.h"
#include "editctrl_testfiles.h"
#include "qel/picmsg.h"
#include "picobj.h"

namespace pagetest {

namespace {

const char kParentClass[] = "QelLinkPageTestParent";
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
  edittest::RegisterInProcessWindow();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kParentClass;
  ::RegisterClassA(&wc);
  done = true;
}

// The page's own tree object: the test runs in the module that made it.
CTreeCtrl& TreeOf(HWND tree) { return *static_cast<CTreeCtrl*>(CWnd::FromHandlePermanent(tree)); }

void AddLines(const CTreeCtrl& tree, HTREEITEM item, int depth, std::vector<std::string>& lines) {
  for (; item; item = tree.GetNextSiblingItem(item)) {
    lines.push_back(std::string(2 * depth, ' ') + tree.GetItemText(item).GetString());
    AddLines(tree, tree.GetChildItem(item), depth + 1, lines);
  }
}

}  // namespace

void EditWindowTest::SetUp() {
  RegisterClasses();
  g_linkNotices = 0;
  parent_ = ::CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                              nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent_, nullptr);
  child_ = ::CreateWindowExA(0, edittest::kInProcessClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 400, parent_,
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

bool EditWindowTest::PictureModified() const {
  return ::SendMessageA(child_, QCM_QUERY, QCQ_MODIFIED, 0) != 0;
}

std::string EditWindowTest::FreshFolder(const char* name) { return edittest::FreshFolder(name); }

void EditWindowTest::WriteFile(const std::string& path) { edittest::WriteBytes(path, {}); }

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

bool ChooseNextColour(HWND colorControl) {
  ::SendMessageA(colorControl, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CColorPopup* popup = colortest::OpenPopup();
  if (!popup) return false;
  colortest::Key(popup->m_hWnd, VK_RIGHT);
  colortest::Key(popup->m_hWnd, VK_RETURN);
  return true;
}

std::vector<std::string> TreeLines(HWND tree) {
  std::vector<std::string> lines;
  AddLines(TreeOf(tree), TreeOf(tree).GetRootItem(), 0, lines);
  return lines;
}

bool SelectTreeItem(HWND tree, const std::vector<std::string>& path) {
  CTreeCtrl& items = TreeOf(tree);
  HTREEITEM item = items.GetRootItem();
  for (size_t i = 0; i < path.size(); ++i) {
    while (item && items.GetItemText(item) != path[i].c_str()) item = items.GetNextSiblingItem(item);
    if (!item) return false;
    if (i + 1 < path.size()) item = items.GetChildItem(item);
  }
  return items.SelectItem(item);
}

bool IsApplyEnabled(const qeltest::DialogDriver& sheet) {
  HWND apply = ::GetDlgItem(sheet.Window(), kApplyButton);
  return apply && ::IsWindowEnabled(apply);
}

}  // namespace pagetest
