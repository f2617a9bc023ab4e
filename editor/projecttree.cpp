#include "projecttree.h"

#include <cstring>

#include "crtformat.h"
#include "editorapp.h"
#include "editortexts.h"
#include "itemnames.h"
#include "msgbox.h"
#include "newitem.h"
#include "qelidedoc.h"
#include "resource.h"
#include "commands/cmdids.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CProjectTree, CWnd)

namespace {

int CALLBACK CompareKinds(LPARAM a, LPARAM b, LPARAM) {
  DWORD ka = a ? reinterpret_cast<const ProjectItemRecord*>(a)->kind : 0;
  DWORD kb = b ? reinterpret_cast<const ProjectItemRecord*>(b)->kind : 0;
  return ka < kb ? -1 : ka > kb ? 1 : 0;
}

bool IsFolderKind(DWORD kind) { return kind == kItemPictureFolder || kind == kItemFolder; }

}  // namespace

BOOL CProjectTree::Create(HWND parent, UINT id) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                TVS_SHOWSELALWAYS | TVS_INFOTIP;
  return CreateEx(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

HTREEITEM CProjectTree::InsertItem(const char* text, DWORD kind, const char* tip, CQelideDoc* doc,
                                   HTREEITEM parent, int image, int selectedImage, HTREEITEM after) {
  auto* record = new ProjectItemRecord{kind, {}, doc};
  lstrcpynA(record->tip, tip ? tip : "", sizeof record->tip);
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent ? parent : TVI_ROOT;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(text ? text : "");
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.lParam = reinterpret_cast<LPARAM>(record);
  auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) delete record;
  return item;
}

void CProjectTree::DeleteAllItems() { SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

HTREEITEM CProjectTree::GetRoot() const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_ROOT, 0));
}
HTREEITEM CProjectTree::GetParentItem(HTREEITEM item) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}
HTREEITEM CProjectTree::GetChild(HTREEITEM item) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}
HTREEITEM CProjectTree::GetNextSibling(HTREEITEM item) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

CString CProjectTree::GetItemText(HTREEITEM item) const {
  // A name is a file name: MAX_PATH bytes and a little room for GBK.
  char text[MAX_PATH * 2] = "";
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return CString(text);
}

const ProjectItemRecord* CProjectTree::GetRecord(HTREEITEM item) const {
  TVITEMA tv = {};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!item || !SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return reinterpret_cast<const ProjectItemRecord*>(tv.lParam);
}

void CProjectTree::SetBold(HTREEITEM item, BOOL bold) {
  TVITEMA tv = {};
  tv.mask = TVIF_STATE;
  tv.hItem = item;
  tv.stateMask = TVIS_BOLD;
  tv.state = bold ? TVIS_BOLD : 0;
  SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void CProjectTree::Expand(HTREEITEM item) { SendMessage(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }

BOOL CProjectTree::IsExpanded(HTREEITEM item) const {
  return (SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void CProjectTree::Select(HTREEITEM item) { SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }

HTREEITEM CProjectTree::GetSelected() const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM CProjectTree::FindChild(HTREEITEM parent, const char* text) const {
  for (HTREEITEM child = GetChild(parent); child; child = GetNextSibling(child))
    if (GetItemText(child) == text) return child;
  return nullptr;
}

void CProjectTree::SortChildren(HTREEITEM parent) {
  TVSORTCB sort = {parent, CompareKinds, 0};
  SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

CString CProjectTree::RelativePath(HTREEITEM item) const {
  CString path;
  for (HTREEITEM at = item; at; at = GetParentItem(at)) {
    const ProjectItemRecord* record = GetRecord(at);
    if (!record || record->kind == kItemPictureFolder || record->kind == kItemRoot) break;
    path = path.IsEmpty() ? GetItemText(at) : GetItemText(at) + "\\" + path;
  }
  return path;
}

CString CProjectTree::TipText(HTREEITEM item) const {
  const ProjectItemRecord* record = GetRecord(item);
  CString tip = GetItemText(item) + " " + (record ? record->tip : "");
  return tip.Left(kTipChars);
}

CQelideDoc* CProjectTree::DocOf(HTREEITEM item) const {
  const ProjectItemRecord* record = GetRecord(item);
  return record ? record->doc : nullptr;
}

void CProjectTree::ActivateItem(HTREEITEM item) {
  const ProjectItemRecord* record = GetRecord(item);
  CQelideDoc* doc = DocOf(item);
  if (!record) return;
  switch (record->kind) {
  case kItemConnection:
    if (doc) doc->ConfigureRtdb();
    return;
  case kItemLocalTags:
    if (doc) doc->OpenLocalTagTable();
    return;
  case kItemPicture:
    if (doc) doc->OpenPicture(RelativePath(item), FALSE);
    return;
  case kItemAbout:
    if (CWinApp* app = QelGetApp()) app->OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr);
    return;
  default:
    QelMessageBox(m_hWnd, kTextNotProvided, nullptr, MB_OK | MB_ICONINFORMATION);
  }
}

BOOL CProjectTree::NewPicture(HTREEITEM folder, const char* typed) {
  CQelideDoc* doc = DocOf(folder);
  CString name = typed ? typed : "";
  name.Trim();
  if (!doc) return FALSE;
  if (name.IsEmpty()) {
    QelMessageBox(m_hWnd, kTextEnterName, kTitleError, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  if (!IsUsableItemName(name)) {
    QelMessageBox(m_hWnd, qel::FormatStr(kTextBadName, name.GetString()).c_str(), kTitleError, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  CString current = RelativePath(folder);
  CString relative = (current.IsEmpty() ? CString() : current + "\\") + name + ".pic";
  if (::GetFileAttributesA(doc->GetPictureFolder() + relative) != INVALID_FILE_ATTRIBUTES) {
    QelMessageBox(m_hWnd, kTextPictureExists, nullptr, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  if (!doc->OpenPicture(relative, TRUE)) return FALSE;
  HTREEITEM item = InsertItem(name + ".pic", kItemPicture, kTipPicture, doc, folder, kImagePicture, kImagePicture);
  Expand(folder);
  Select(item);
  return TRUE;
}

BOOL CProjectTree::NewFolder(HTREEITEM folder, const char* typed) {
  CQelideDoc* doc = DocOf(folder);
  CString name = typed ? typed : "";
  name.Trim();
  if (!doc) return FALSE;
  if (name.IsEmpty()) {
    QelMessageBox(m_hWnd, kTextEnterName, kTitleError, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  if (!IsUsableItemName(name)) {
    QelMessageBox(m_hWnd, qel::FormatStr(kTextBadName, name.GetString()).c_str(), kTitleError, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  CString current = RelativePath(folder);
  CString path = doc->GetPictureFolder() + (current.IsEmpty() ? CString() : current + "\\") + name;
  if (!::CreateDirectoryA(path, nullptr)) {
    QelMessageBox(m_hWnd, kTextMakeFolderFailed, nullptr, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  HTREEITEM item = InsertItem(name, kItemFolder, kTipFolder, doc, folder, kImageFolder, kImageFolderOpen);
  SortChildren(folder);
  Expand(folder);
  Select(item);
  return TRUE;
}

HTREEITEM CProjectTree::ItemAtCursor() const {
  TVHITTESTINFO hit = {};
  ::GetCursorPos(&hit.pt);
  ScreenToClient(&hit.pt);
  auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return item && (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

void CProjectTree::OnContextMenu(HTREEITEM item) {
  const ProjectItemRecord* record = GetRecord(item);
  if (!record || !IsFolderKind(record->kind)) return;
  Select(item);
  HMENU menu = ::LoadMenuA(QelGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENU_TREE));
  if (!menu) return;
  POINT at;
  ::GetCursorPos(&at);
  // The main frame owns the pop-up, so that its items get their images.
  HWND owner = QelGetApp() && QelGetApp()->m_pMainWnd ? QelGetApp()->m_pMainWnd->m_hWnd : m_hWnd;
  UINT chosen = ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                 at.x, at.y, 0, owner, nullptr);
  ::DestroyMenu(menu);
  if (chosen != ID_NEW_PICTURE && chosen != ID_NEW_FOLDER) return;
  bool picture = chosen == ID_NEW_PICTURE;
  CString name;
  if (!AskNewItemName(m_hWnd, picture, RelativePath(item), &name)) return;
  if (picture)
    NewPicture(item, name);
  else
    NewFolder(item, name);
}

bool CProjectTree::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
  if (msg != WM_NOTIFY) return false;
  auto* hdr = reinterpret_cast<NMHDR*>(lp);
  switch (hdr->code) {
  case TVN_DELETEITEMA:
  case TVN_DELETEITEMW: {  // the item part of both records is the same
    auto* info = reinterpret_cast<NMTREEVIEWA*>(lp);
    delete reinterpret_cast<ProjectItemRecord*>(info->itemOld.lParam);
    *result = 0;
    return true;
  }
  case TVN_GETINFOTIPA: {
    auto* tip = reinterpret_cast<NMTVGETINFOTIPA*>(lp);
    if (tip->pszText && tip->cchTextMax > 0) lstrcpynA(tip->pszText, TipText(tip->hItem), tip->cchTextMax);
    *result = 0;
    return true;
  }
  case TVN_GETINFOTIPW: {
    auto* tip = reinterpret_cast<NMTVGETINFOTIPW*>(lp);
    if (tip->pszText && tip->cchTextMax > 0) {
      tip->pszText[0] = 0;
      ::MultiByteToWideChar(CP_ACP, 0, TipText(tip->hItem), -1, tip->pszText, tip->cchTextMax);
      tip->pszText[tip->cchTextMax - 1] = 0;
    }
    *result = 0;
    return true;
  }
  case NM_DBLCLK: {
    if (HTREEITEM item = ItemAtCursor()) ActivateItem(item);
    *result = 1;  // the item is not expanded or collapsed by the double click
    return true;
  }
  case NM_RCLICK: {
    if (HTREEITEM item = ItemAtCursor()) OnContextMenu(item);
    *result = 1;
    return true;
  }
  }
  return false;
}
