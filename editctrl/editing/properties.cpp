// Properties set by the host (QCM_SETPROPERTY) on the picture, on the one
// selected object, or on every selected object (one undo state for each
// change of objects); and the selected object's own dialog (QCM_OBJECTDIALOG).
#include "dialogs/editdialogs.h"
#include "drawgroup.h"
#include "drawmtext.h"
#include "drawobj.h"
#include "drawtext.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "picobj.h"

namespace {

bool IsGeometryId(int id) { return id >= PROP_TOPX && id <= PROP_HEIGHT; }

bool IsGroupKind(CDrawObj* obj) {
  DrawObjType kind = obj->GetObjType();
  return kind == DOT_GROUP || kind == DOT_CELL;
}

// A changed line colour from or to "none" changes which properties apply.
bool ChangesPropertyList(int id, LONG_PTR value, COLORREF oldLine) {
  if (id == PROP_FILLMODE) return true;
  return id == PROP_LINECOLOR && (static_cast<COLORREF>(value) == CLR_INVALID || oldLine == CLR_INVALID);
}

}  // namespace

void CPicEditWnd::OnSetProperty(int id, LONG_PTR value) {
  if (!m_pPicture) return;
  if (m_selection.empty()) {
    SetPictureProperty(id, value);
    return;
  }
  SaveUndoState();
  bool resend = false;
  if (m_selection.size() == 1) {
    CDrawObj* target = m_selection.front();
    resend = ChangesPropertyList(id, value, target->m_clrLine);
    SetOneObjectProperty(target, id, value);
  } else {
    {
      CRepaintBatch repaint(*this, m_selection.size());
      for (CDrawObj* obj : m_selection) {
        resend = ChangesPropertyList(id, value, obj->m_clrLine) || resend;
        repaint.Add(obj);
        obj->SetProp(id, value);
        if (obj->GetObjType() == DOT_TEXT) static_cast<CDrawText*>(obj)->CalcExtent(m_hWnd);
        repaint.Add(obj);
      }
    }
    if (IsGeometryId(id)) RepositionControls(true);
  }
  SetModified();
  if (resend) NotifySelection();
}

void CPicEditWnd::SetOneObjectProperty(CDrawObj* target, int id, LONG_PTR value) {
  InvalidateObject(target);
  target->SetProp(id, value);
  if (target->GetObjType() == DOT_TEXT) static_cast<CDrawText*>(target)->CalcExtent(m_hWnd);
  if (IsGeometryId(id) && IsGroupKind(target)) {
    auto* group = static_cast<CDrawGroup*>(target);
    group->GetRect();
    group->ResetReferenceRect();
    InvalidateObject(group);
    RepositionControls(true);
    return;
  }
  InvalidateObject(target);
  if (target->GetObjType() == DOT_CTRLEDIT) RepositionControls(true);
}

void CPicEditWnd::SetPictureProperty(int id, LONG_PTR value) {
  CPicObj& picture = *m_pPicture;
  switch (id) {
    case PROP_WIDTH:
    case PROP_HEIGHT:
      (id == PROP_WIDTH ? picture.m_nWidth : picture.m_nHeight) = static_cast<int>(value);
      UpdateScrollRanges();
      SetObjectsViewTransform();
      Invalidate(TRUE);
      RepositionControls();
      break;
    case PROP_PICBKCOLOR: picture.m_clrBack = static_cast<COLORREF>(value); break;
    case PROP_PICPERIOD: picture.m_nPeriod = static_cast<int>(value); break;
    case PROP_STRUCTNAME: picture.m_strStructName = value ? reinterpret_cast<const char*>(value) : ""; break;
  }
  SetModified();
  Invalidate(FALSE);
}

void CPicEditWnd::OnObjectDialog() {
  if (!m_pPicture) return;
  if (m_selection.empty()) {
    QelMessageBox(m_hWnd, "<画面层管理> 暂未开放!", "提示", MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (m_selection.size() != 1) return;
  CDrawObj* obj = m_selection.front();
  const int changed = obj->GetObjType() == DOT_MTEXT ? OpenTextDialog(m_hWnd, static_cast<CDrawMtext*>(obj))
                                                     : obj->ShowProperties(m_hWnd);
  if (changed) SetModified();
}
