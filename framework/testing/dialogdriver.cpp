#include "testing/dialogdriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/ipaddress.h"
#include "controls/listctrl.h"
#include "wnd.h"

namespace qeltest {

namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = "";
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool IsClass(HWND hwnd, const char* name) { return ::lstrcmpiA(ClassOf(hwnd).c_str(), name) == 0; }

bool IsEditClass(HWND hwnd) {
  return IsClass(hwnd, "Edit") || IsClass(hwnd, "RichEdit20A") || IsClass(hwnd, "RichEdit20W");
}

// The id of a message box's text control.
const int kMessageTextId = 0xFFFF;

}  // namespace

std::string WindowText(HWND hwnd) { return QelGetWindowText(hwnd).str(); }

std::string DialogDriver::Caption() const { return WindowText(m_window); }

namespace {

struct IdSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM lp) {
  auto* search = reinterpret_cast<IdSearch*>(lp);
  if (::GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

}  // namespace

HWND DescendantWithId(HWND parent, int id) {
  IdSearch search = {id, nullptr};
  ::EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND DialogDriver::Item(int id) const {
  HWND page = Page();
  HWND item = page ? ::GetDlgItem(page, id) : nullptr;
  // A page may hold windows of its own with controls inside (the page of an
  // ActiveX control in its property frame).
  if (!item && page) item = DescendantWithId(page, id);
  return item ? item : ::GetDlgItem(m_window, id);
}

std::string DialogDriver::Text(int id) const { return WindowText(Item(id)); }

std::vector<std::string> DialogDriver::StaticTexts() const {
  std::vector<std::string> texts;
  HWND parent = Page() ? Page() : m_window;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (IsClass(child, "Static")) texts.push_back(WindowText(child));
  return texts;
}

std::string DialogDriver::MessageText() const { return WindowText(::GetDlgItem(m_window, kMessageTextId)); }

bool DialogDriver::IsEnabled(int id) const { return Item(id) && ::IsWindowEnabled(Item(id)); }
bool DialogDriver::IsVisible(int id) const { return Item(id) && ::IsWindowVisible(Item(id)); }
bool DialogDriver::IsChecked(int id) const {
  return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int DialogDriver::FocusId() const {
  HWND focus = ::GetFocus();
  if (!focus || !::IsChild(m_window, focus)) {
    // Tests run side by side on one desktop: another program's window may have
    // taken the activation, and with it this thread's focus. A dialog keeps
    // its focus control while inactive and gives it back when activated.
    ::SetActiveWindow(m_window);
    focus = ::GetFocus();
  }
  if (!focus || !::IsChild(m_window, focus)) return 0;
  HWND page = Page();
  while (focus && ::GetParent(focus) != m_window && ::GetParent(focus) != page) focus = ::GetParent(focus);
  return focus && focus != page ? ::GetDlgCtrlID(focus) : 0;
}

HWND DialogDriver::Require(int id, bool mustBeEnabled) const {
  HWND item = Item(id);
  if (!item) {
    ADD_FAILURE() << "no control " << id << " in \"" << Caption() << "\"";
    return nullptr;
  }
  if (!::IsWindowVisible(item) || (mustBeEnabled && !::IsWindowEnabled(item))) {
    ADD_FAILURE() << "control " << id << " of \"" << Caption() << "\" is hidden or disabled";
    return nullptr;
  }
  return item;
}

void DialogDriver::Type(int id, const char* text) {
  HWND item = Require(id, true);
  if (!item) return;
  if (IsClass(item, WC_IPADDRESSA)) {
    DWORD packed = 0;
    if (text && *text && QelParseDottedAddress(text, &packed))
      ::SendMessageA(item, IPM_SETADDRESS, 0, static_cast<LPARAM>(packed));
    else
      ::SendMessageA(item, IPM_CLEARADDRESS, 0, 0);
    return;
  }
  // A combo box with an edit of its own is typed into that edit.
  HWND edit = IsClass(item, "ComboBox") ? ::GetWindow(item, GW_CHILD) : item;
  if (edit && IsEditClass(edit)) {
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text ? text : ""));
  } else {
    ::SetWindowTextA(item, text ? text : "");
  }
}

std::string DialogDriver::IpAddress(int id) const {
  DWORD packed = 0;
  ::SendMessageA(Item(id), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
  return QelDottedAddress(packed).str();
}

void DialogDriver::ChooseComboItem(int id, int index) {
  HWND combo = Require(id, true);
  if (!combo) return;
  ::SendMessageA(combo, CB_SETCURSEL, index, 0);
  ::PostMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void DialogDriver::Click(int id) {
  if (HWND button = Require(id, true)) ::PostMessageA(button, BM_CLICK, 0, 0);
}

int DialogDriver::ListRowCount(int id) const {
  return static_cast<int>(::SendMessageA(Item(id), LVM_GETITEMCOUNT, 0, 0));
}

std::string DialogDriver::ListText(int id, int row, int column) const {
  return QelListViewText(Item(id), row, column).str();
}

int DialogDriver::ListSelectedRow(int id) const {
  return static_cast<int>(::SendMessageA(Item(id), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

void DialogDriver::SelectListRow(int id, int row) {
  HWND list = Require(id, true);
  if (!list) return;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void DialogDriver::DoubleClickListRow(int id, int row) {
  HWND list = Require(id, true);
  if (!list) return;
  SelectListRow(id, row);
  RECT cell = {LVIR_LABEL, 0, 0, 0};
  if (!::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) {
    ADD_FAILURE() << "row " << row << " of list " << id << " is not there";
    return;
  }
  LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
}

bool DialogDriver::IsSheet() const { return Page() != nullptr; }

HWND DialogDriver::Page() const {
  HWND page = reinterpret_cast<HWND>(::SendMessageA(m_window, PSM_GETCURRENTPAGEHWND, 0, 0));
  return page && ::IsChild(m_window, page) ? page : nullptr;
}

int DialogDriver::ActivePage() const {
  HWND page = Page();
  return page ? static_cast<int>(::SendMessageA(m_window, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0))
              : -1;
}

std::string DialogDriver::PageTitle(int index) const {
  HWND tabs = IsSheet() ? reinterpret_cast<HWND>(::SendMessageA(m_window, PSM_GETTABCONTROL, 0, 0)) : nullptr;
  char text[256] = "";
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!tabs || !::SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item)))
    return std::string();
  return text;
}

void DialogDriver::SelectPage(int index) {
  if (!IsSheet()) {
    ADD_FAILURE() << "\"" << Caption() << "\" is no property sheet";
    return;
  }
  ::PostMessageA(m_window, PSM_SETCURSEL, index, 0);
}

}  // namespace qeltest
