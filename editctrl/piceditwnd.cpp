// The editing window's object: construction, the message switch, the host
// tables and the state queries.
#include "piceditwnd.h"

#include <algorithm>

#include "dialogs/editdialogs.h"
#include "drawobj.h"
#include "gdiplusapi.h"
#include "picobj.h"
#include "servicerequest.h"
#include "tools/drawtool.h"

UINT PicClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormatA("QELPICCLIP");
  return format;
}

int& CurrentToolId() {
  static int tool = 0;  // the selection tool
  return tool;
}

CPicEditWnd::CPicEditWnd() {
  PicClipboardFormat();
  InstallEditDialogs();
  // The model starts GDI+ once for the process and keeps it until the end.
  qel::StartGdiplus();
  ::SetRectEmpty(&m_rcDirty);
}

CPicEditWnd::~CPicEditWnd() {
  ClearSelection();
  m_undo.Clear();
  m_redo.Clear();
  m_pPicture.reset();
}

LRESULT CPicEditWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // painting fills the background itself
    case WM_DESTROY:               // no tool may keep an object of a window that goes
      CDrawTool::TellWindowGone(m_hWnd);
      break;
    case WM_SIZE:
      Default();
      OnSize(static_cast<UINT>(wp));
      return 0;
    case WM_HSCROLL:
      if (lp == 0) OnScroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      if (lp == 0) OnScroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL: return OnMouseWheel(static_cast<short>(HIWORD(wp)));
    case WM_PAINT: OnPaint(); return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wp))) return 0;
      break;
    case WM_LBUTTONDOWN:
      // The keys (arrows, Delete, the host's accelerators) go where the
      // engineer clicked.
      if (::GetFocus() != m_hWnd) SetFocus();
      OnMouse(msg, wp, lp);
      return 0;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE: OnMouse(msg, wp, lp); return 0;
    case QCM_SETLOCALCALLBACKS:
      if (lp) m_localCallbacks = *reinterpret_cast<const LocalTagCallbackBlock*>(lp);
      return 0;
    case QCM_SETHOSTCALLBACKS:
      if (lp) m_hostCallbacks = *reinterpret_cast<const HostCallbackBlock*>(lp);
      return 0;
    case QCM_PICFOLDER: m_strFolder = lp ? reinterpret_cast<const char*>(lp) : ""; return 0;
    case QCM_OPENPIC: return OnOpenPic(reinterpret_cast<const char*>(lp));
    case QCM_NEWPIC: return OnNewPic(reinterpret_cast<const char*>(lp));
    case QCM_SAVEPIC: return OnSavePic();
    case QCM_SETPROPERTY: OnSetProperty(static_cast<int>(wp), static_cast<LONG_PTR>(lp)); return 0;
    case QCM_OBJECTDIALOG: OnObjectDialog(); return 0;
    case QCM_SETEVENTLINK: OnSetEventLink(static_cast<int>(wp), static_cast<int>(lp)); return 0;
    case QCM_COPY: OnCopy(); return 0;
    case QCM_CUT: OnCut(); return 0;
    case QCM_PASTE: OnPaste(); return 0;
    case QCM_UNDO: OnUndo(); return 0;
    case QCM_REDO: OnRedo(); return 0;
    case QCM_ARRANGE: OnArrange(static_cast<int>(lp)); return 0;
    case QCM_GROUP: OnGroup(static_cast<int>(lp)); return 0;
    case QCM_SUBPICTURE: OnSubPicture(static_cast<int>(lp)); return 0;
    case QCM_ROTATE: OnRotate(static_cast<int>(lp)); return 0;
    case QCM_IMPORTWMF: OnImportWmf(); return 0;
    case QCM_SELECTTOOL: OnSelectTool(static_cast<int>(lp)); return 0;
    case QCM_RENOTIFY:
      NotifySelection();
      NotifyActions();
      return 0;
    case QCM_NOTIFYPROPS: NotifySelection(); return 0;
    case QCM_ZOOM: return OnZoom(static_cast<int>(lp));
    case QCM_SNAPGRID: OnSnapGrid(lp); return 0;
    case QCM_COMPILE: return OnCompile(reinterpret_cast<const char*>(lp));
    case QCM_QUERY: return OnQuery(static_cast<int>(wp));
    case QPM_FIREEVENT: return IsFireEventValid(static_cast<DWORD>(wp)) ? 0 : 1;
  }
  if (IsEditServiceRequest(msg)) return OnServiceRequest(msg, wp, lp);
  return CWnd::WindowProc(msg, wp, lp);
}

LRESULT CPicEditWnd::OnServiceRequest(UINT msg, WPARAM wp, LPARAM lp) const {
  return AnswerServiceRequest(m_hostCallbacks, msg, static_cast<DWORD>(wp), lp);
}

LRESULT CPicEditWnd::OnQuery(int code) const {
  size_t selected = m_selection.size();
  auto singleOfType = [&](DrawObjType type) {
    return selected == 1 && m_selection.front()->GetObjType() == type;
  };
  switch (code) {
    case QCQ_CANPASTE: return ::IsClipboardFormatAvailable(PicClipboardFormat()) ? 1 : 0;
    case QCQ_SELCOUNT: return static_cast<LRESULT>(selected);
    case QCQ_CANUNDO: return m_undo.empty() ? 0 : 1;
    case QCQ_CANREDO: return m_redo.empty() ? 0 : 1;
    case QCQ_MULTISEL: return selected > 1;
    case QCQ_GROUPSEL: return singleOfType(DOT_GROUP);
    case QCQ_ANYSEL: return selected > 0;
    case QCQ_SUBPICTURESEL: return singleOfType(DOT_CELL);
    case QCQ_TOOL: return CurrentToolId();
    case QCQ_MODIFIED: return m_pPicture && m_pPicture->m_bModified ? 1 : 0;
    case QCQ_SNAP: return m_bSnap ? 1 : 0;
  }
  return 0;
}

void CPicEditWnd::ClearSelection() {
  for (CDrawObj* obj : m_selection) obj->SetSelected(FALSE);
  m_selection.clear();
}

void CPicEditWnd::Select(CDrawObj* obj, bool add) {
  if (!add) {
    Invalidate(FALSE);
    ClearSelection();
  }
  if (!obj || std::find(m_selection.begin(), m_selection.end(), obj) != m_selection.end()) return;
  m_selection.push_back(obj);
  obj->SetSelected(TRUE);
  RECT area = obj->GetInvalidRect();
  InvalidateRect(&area, FALSE);
  NotifySelection();
  NotifyActions();
}

// ---- notices ------------------------------------------------------------------

void CPicEditWnd::NotifyViewChanged() {
  SendMessageToParent(QCN_VIEWCHANGED, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&m_viewInfo));
}

namespace {

bool ListHasId(const PropDesc* items, int count, int id) {
  for (int i = 0; i < count; ++i)
    if (items[i].id == id) return true;
  return false;
}

}  // namespace

// A selected object shows its own properties, a group or sub-picture too:
// selecting a group marks every member, so the member that it names as
// selected would always be its first one.
void CPicEditWnd::NotifySelection() {
  PropDescList list = {0, m_props};
  if (m_selection.empty()) {
    if (m_pPicture) list.count = m_pPicture->GetPropList(&list);
  } else {
    m_selection.front()->GetPropList(&list);
    // Several objects show only the properties that all of them have.
    PropDesc other[32];
    for (size_t i = 1; i < m_selection.size(); ++i) {
      PropDescList otherList = {0, other};
      m_selection[i]->GetPropList(&otherList);
      int kept = 0;
      for (int k = 0; k < list.count; ++k)
        if (ListHasId(other, otherList.count, m_props[k].id)) m_props[kept++] = m_props[k];
      list.count = kept;
    }
  }
  if (list.count < 0 || list.count > 32) list.count = 0;
  m_nProps = list.count;
  SendMessageToParent(QCN_PROPERTIES, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&list));
}

void CPicEditWnd::NotifyActions() {
  ActionKindList list = {0, m_actionKinds};
  if (m_selection.size() == 1) m_selection.front()->GetActionKinds(&list);
  if (list.count < 0 || list.count > 32) list.count = 0;
  m_nActionKinds = list.count;
  SendMessageToParent(QCN_EVENTLINKS, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&list));
}
