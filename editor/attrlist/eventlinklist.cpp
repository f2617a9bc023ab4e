#include "eventlinklist.h"

#include <cstring>

#include "attrtexts.h"
#include "controls/commoncontrols.h"
#include "editortexts.h"
#include "tablists.h"
#include "qel/picmsg.h"
#include "resource.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CEventLinkList, CListCtrl)

namespace {

// The choices of menu 140: the mode each sends. A mode is allowed when its
// bit is set in the flags' second byte; removing needs an existing link.
struct LinkChoice {
  UINT command;
  int mode;
};
const LinkChoice kLinkChoices[] = {
    {ID_LINK_DIRECT, AM_DIRECT}, {ID_LINK_SCRIPT, AM_SCRIPT}, {ID_LINK_DELETE, AM_NONE}};

int ExistingMode(DWORD flags) { return static_cast<int>(flags & 0xFF); }
bool HasLink(DWORD flags) { return ExistingMode(flags) == AM_DIRECT || ExistingMode(flags) == AM_SCRIPT; }

bool IsAllowed(const LinkChoice& choice, DWORD flags) {
  if (choice.mode == AM_NONE) return HasLink(flags);
  return (flags >> 8) & static_cast<DWORD>(choice.mode);
}

const LinkChoice* FindChoice(UINT command) {
  for (const LinkChoice& choice : kLinkChoices)
    if (choice.command == command) return &choice;
  return nullptr;
}

}  // namespace

BOOL CEventLinkList::Create(HWND parent, UINT id) {
  const RECT none = {0, 0, 0, 0};
  const DWORD style =
      WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
  if (!CListCtrl::Create(style, none, parent, id, WS_EX_CLIENTEDGE)) return FALSE;
  SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  InsertColumn(0, kColumnAction, LVCFMT_LEFT, kNameColumnWidth);
  InsertColumn(1, kColumnDefinition, LVCFMT_LEFT, 0);
  return TRUE;
}

void CEventLinkList::LoadLinks(HWND editWindow, const ActionKindList* list) {
  DeleteAllItems();
  m_links.clear();
  m_editWindow = editWindow;
  if (!list || list->count <= 0 || !list->items) return;
  const int count = list->count < kMaxLinks ? list->count : kMaxLinks;
  m_links.assign(list->items, list->items + count);
  for (int row = 0; row < count; ++row) {
    const ActionKindDesc& link = m_links[static_cast<size_t>(row)];
    const CString name(link.name, static_cast<int>(strnlen(link.name, kActionKindNameSize)));
    InsertImageRow(*this, name, LinkKindToImage(link.kind));
    SetItemText(row, 1, LinkModeText(link.flags));
  }
}

int CEventLinkList::GetRowImage(int row) const { return RowImage(*this, row); }

HMENU CEventLinkList::MakeLinkMenu(int row) const {
  if (row < 0 || row >= GetLinkCount()) return nullptr;
  HMENU menu = ::LoadMenuA(QelGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENU_EVENTLINK));
  if (!menu) return nullptr;
  const DWORD flags = GetLink(row).flags;
  HMENU popup = ::GetSubMenu(menu, 0);
  for (const LinkChoice& choice : kLinkChoices) {
    ::EnableMenuItem(popup, choice.command,
                     MF_BYCOMMAND | (IsAllowed(choice, flags) ? MF_ENABLED : MF_GRAYED));
    const bool checked = choice.mode != AM_NONE && ExistingMode(flags) == choice.mode;
    ::CheckMenuItem(popup, choice.command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  return menu;
}

void CEventLinkList::ChooseLinkMode(int row, UINT command) {
  const LinkChoice* choice = FindChoice(command);
  if (!choice || row < 0 || row >= GetLinkCount()) return;
  const ActionKindDesc link = GetLink(row);
  if (!IsAllowed(*choice, link.flags) || !m_editWindow || !::IsWindow(m_editWindow)) return;
  ::SendMessageA(m_editWindow, QCM_SETEVENTLINK, static_cast<WPARAM>(choice->mode),
                 static_cast<LPARAM>(link.kind));
}

void CEventLinkList::ShowLinkMenu(int row, POINT screen) {
  HMENU menu = MakeLinkMenu(row);
  if (!menu) return;
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       screen.x, screen.y, 0, m_hWnd, nullptr));
  ::DestroyMenu(menu);
  ChooseLinkMode(row, command);
}

// A right click on the selected row.
bool CEventLinkList::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lp);
  if (msg == WM_NOTIFY && header && header->hwndFrom == m_hWnd && header->code == NM_RCLICK) {
    const int row = reinterpret_cast<NMITEMACTIVATE*>(lp)->iItem;
    if (row >= 0 && row == GetSelectedItem()) {
      POINT at;
      ::GetCursorPos(&at);
      ShowLinkMenu(row, at);
    }
    *result = 0;
    return true;
  }
  return CListCtrl::OnChildNotify(msg, wp, lp, result);
}
