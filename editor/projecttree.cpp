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

IMPLEMENT_DYNAMIC(CProjectTree, CTreeCtrl)

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
  RECT none = {0, 0, 0, 0};
  return CTreeCtrl::Create(style, none, parent, id, WS_EX_CLIENTEDGE);
}

HTREEITEM CProjectTree::InsertItem(const char* text, DWORD kind, const char* tip, CQelideDoc* doc,
                                   HTREEITEM parent, int image, int selectedImage, HTREEITEM after) {
  HTREEITEM item = CTreeCtrl::InsertItem(text, image, selectedImage, parent ? parent : TVI_ROOT, after);
  if (!item) return nullptr;
  // The record goes when the item does (TVN_DELETEITEM).
  auto* record = new ProjectItemRecord{kind, {}, doc};
  lstrcpynA(record->tip, tip ? tip : "", sizeof record->tip);
  SetItemData(item, reinterpret_cast<DWORD_PTR>(record));
  return item;
}

const ProjectItemRecord* CProjectTree::GetRecord(HTREEITEM item) const {
  return item ? reinterpret_cast<const ProjectItemRecord*>(GetItemData(item)) : nullptr;
}

HTREEITEM CProjectTree::FindChild(HTREEITEM parent, const char* text) const {
  for (HTREEITEM child = GetChildItem(parent); child; child = GetNextSiblingItem(child))
    if (GetItemText(child) == text) return child;
  return nullptr;
}

void CProjectTree::SortByKind(HTREEITEM parent) { SortChildrenCB(parent, CompareKinds, 0); }

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
    default: QelMessageBox(m_hWnd, kTextNotProvided, nullptr, MB_OK | MB_ICONINFORMATION);
  }
}

BOOL CProjectTree::NewPicture(HTREEITEM folder, const char* typed) {
  CQelideDoc* doc = DocOf(folder);
  CString name = typed ? typed : "";
  if (!doc || !AcceptItemName(m_hWnd, name, kTextEnterName, kTitleError)) return FALSE;
  CString current = RelativePath(folder);
  CString relative = (current.IsEmpty() ? CString() : current + "\\") + name + ".pic";
  if (::GetFileAttributesA(doc->GetPictureFolder() + relative) != INVALID_FILE_ATTRIBUTES) {
    QelMessageBox(m_hWnd, kTextPictureExists, nullptr, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  if (!doc->OpenPicture(relative, TRUE)) return FALSE;
  HTREEITEM item =
      InsertItem(name + ".pic", kItemPicture, kTipPicture, doc, folder, kImagePicture, kImagePicture);
  Expand(folder);
  SelectItem(item);
  return TRUE;
}

BOOL CProjectTree::NewFolder(HTREEITEM folder, const char* typed) {
  CQelideDoc* doc = DocOf(folder);
  CString name = typed ? typed : "";
  if (!doc || !AcceptItemName(m_hWnd, name, kTextEnterName, kTitleError)) return FALSE;
  CString current = RelativePath(folder);
  CString path = doc->GetPictureFolder() + (current.IsEmpty() ? CString() : current + "\\") + name;
  if (!::CreateDirectoryA(path, nullptr)) {
    QelMessageBox(m_hWnd, kTextMakeFolderFailed, nullptr, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  HTREEITEM item = InsertItem(name, kItemFolder, kTipFolder, doc, folder, kImageFolder, kImageFolderOpen);
  SortByKind(folder);
  Expand(folder);
  SelectItem(item);
  return TRUE;
}

HTREEITEM CProjectTree::ItemAtCursor() const {
  POINT at;
  ::GetCursorPos(&at);
  ScreenToClient(&at);
  UINT flags = 0;
  HTREEITEM item = HitTest(at, &flags);
  return item && (flags & TVHT_ONITEM) ? item : nullptr;
}

void CProjectTree::OnContextMenu(HTREEITEM item) {
  const ProjectItemRecord* record = GetRecord(item);
  if (!record || !IsFolderKind(record->kind)) return;
  SelectItem(item);
  HMENU menu = ::LoadMenuA(QelGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENU_TREE));
  if (!menu) return;
  POINT at;
  ::GetCursorPos(&at);
  // The main frame owns the pop-up, so that its items get their images.
  HWND owner = QelGetApp() && QelGetApp()->m_pMainWnd ? QelGetApp()->m_pMainWnd->m_hWnd : m_hWnd;
  UINT chosen =
      ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       at.x, at.y, 0, owner, nullptr);
  ::DestroyMenu(menu);
  RunFolderCommand(item, chosen);
}

BOOL CProjectTree::RunFolderCommand(HTREEITEM folder, UINT id) {
  if (id != ID_NEW_PICTURE && id != ID_NEW_FOLDER) return FALSE;
  bool picture = id == ID_NEW_PICTURE;
  CString name;
  if (!AskNewItemName(m_hWnd, picture, RelativePath(folder), &name)) return FALSE;
  return picture ? NewPicture(folder, name) : NewFolder(folder, name);
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
