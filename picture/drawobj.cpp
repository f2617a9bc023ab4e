// CDrawObj: construction, stored fields, links, cloning, properties and lookup.
#include "drawobj.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <utility>

#include "archive.h"
#include "crtformat.h"
#include "memfile.h"
#include "objlist_io.h"
#include "qel/picmsg.h"

IMPLEMENT_SERIAL(CDrawObj, CObject, 0)

CDrawObj::CDrawObj() = default;

CDrawObj::~CDrawObj() { DeleteActions(); }

void CDrawObj::DeleteActions() {
  for (int i = 0; i < m_actions.GetSize(); ++i) delete m_actions.GetAt(i);
  m_actions.RemoveAll();
}

void CDrawObj::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strName << m_strComment;
    ar << m_rect.left << m_rect.top << m_rect.right << m_rect.bottom;
    ar << static_cast<DWORD>(m_clrLine) << static_cast<DWORD>(m_clrText);
    ar << m_nLineWidth << m_nLineStyle << m_nFillStyle;
    ar << static_cast<DWORD>(m_clrFill1) << static_cast<DWORD>(m_clrFill2);
    ar << static_cast<int>(m_bVisible);
    ar << m_nReserved[0] << m_nReserved[1] << m_nReserved[2];
    ar << m_strReserved;
    StoreObjectArray(ar, m_actions);
  } else {
    DWORD clrLine, clrText, clrFill1, clrFill2;
    int visible;
    ar >> m_strName >> m_strComment;
    ar >> m_rect.left >> m_rect.top >> m_rect.right >> m_rect.bottom;
    ar >> clrLine >> clrText;
    ar >> m_nLineWidth >> m_nLineStyle >> m_nFillStyle;
    ar >> clrFill1 >> clrFill2;
    ar >> visible;
    ar >> m_nReserved[0] >> m_nReserved[1] >> m_nReserved[2];
    ar >> m_strReserved;
    m_clrLine = clrLine;
    m_clrText = clrText;
    m_clrFill1 = clrFill1;
    m_clrFill2 = clrFill2;
    m_bVisible = visible;
    DeleteActions();
    const DrawLinkOps* pOps = GetDrawLinkOps();
    LoadObjectArray(ar, m_actions, pOps ? pOps->pLinkClass : nullptr);
  }
}

void CDrawObj::AssertValid() const {}

void CDrawObj::Dump(void*) const {}

BOOL CDrawObj::AttachView(const DrawViewContext* pContext, BOOL) {
  m_context = pContext ? *pContext : DrawViewContext();
  return TRUE;
}

void CDrawObj::PrepareActions(const DrawViewContext* pContext) {
  if (m_bActionsPrepared) return;
  DrawViewContext link;
  if (pContext) link = *pContext;
  link.pObject = this;
  const DrawLinkOps* pOps = GetDrawLinkOps();
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CObject* pLink = m_actions.GetAt(i);
    if (!pOps) continue;
    pOps->Prepare(pLink, link);
    int kind = pOps->GetKind(pLink);
    if (kind >= AK_MOUSE_CLICK && kind <= AK_RBUTTON_UP) m_bHasMouseActions = TRUE;
  }
  m_bActionsPrepared = TRUE;
}

void CDrawObj::SetViewTransform(POINT ptOrigin, double dZoom) {
  m_view.zoom = dZoom;
  m_view.originX = ptOrigin.x;
  m_view.originY = ptOrigin.y;
  OnViewChanged();
}

CRectD CDrawObj::GetRect() { return m_rect; }

void CDrawObj::Delete() { delete this; }

void CDrawObj::Draw(CDC* pDC, DWORD) {
  if (m_bSelected) DrawSelFrame(pDC);
}

void CDrawObj::SetText(const char*) {}

CString CDrawObj::GetText() { return CString(); }

int CDrawObj::Stretch(const CPointD&, const CPointD&, const CPointD&) { return 0; }

void CDrawObj::Rotate(const CPointD&, const DirPair&) {}

void CDrawObj::Flip(double, double, int) {}

void CDrawObj::OnViewChanged() {}

void CDrawObj::EnableWnd(BOOL) {}

int CDrawObj::GetBasePropList(PropDescList* pList) {
  PropDesc* rec = pList->items;
  const char* type = GetTypeName();
  GetPropDesc(PROP_TYPE, PE_TEXT | PK_READONLY, &rec[0]);
  rec[0].value = reinterpret_cast<LONG_PTR>(type ? type : "");
  GetPropDesc(PROP_NAME, PE_TEXT, &rec[1]);
  rec[1].value = reinterpret_cast<LONG_PTR>(m_strName.GetString());
  GetPropDesc(PROP_COMMENT, PE_TEXT, &rec[2]);
  rec[2].value = reinterpret_cast<LONG_PTR>(m_strComment.GetString());
  pList->count = 3;
  return 3;
}

void CDrawObj::GetPropList(PropDescList* pList) { GetBasePropList(pList); }

DrawObjType CDrawObj::GetObjType() { return DOT_BASE; }

BOOL CDrawObj::SetBaseProp(int nId, LONG_PTR value) {
  const char* text = reinterpret_cast<const char*>(value);
  switch (nId) {
    case PROP_NAME: m_strName = text; return TRUE;
    case PROP_COMMENT: m_strComment = text; return TRUE;
    default: return FALSE;
  }
}

BOOL CDrawObj::SetLineAndTopProp(int nId, LONG_PTR value) {
  const int n = static_cast<int>(value);
  switch (nId) {
    case PROP_LINESTYLE: m_nLineStyle = n; return TRUE;
    case PROP_LINEWIDTH: m_nLineWidth = n; return TRUE;
    case PROP_LINECOLOR: m_clrLine = static_cast<COLORREF>(n); return TRUE;
    case PROP_TOPX: MoveBy(CPointD(n - GetRect().left, 0.0)); return TRUE;
    case PROP_TOPY: MoveBy(CPointD(0.0, n - GetRect().top)); return TRUE;
    default: return FALSE;
  }
}

BOOL CDrawObj::SetFillProp(int nId, LONG_PTR value) {
  const int n = static_cast<int>(value);
  switch (nId) {
    case PROP_FILLCOLOR1: m_clrFill1 = static_cast<COLORREF>(n); return TRUE;
    case PROP_FILLCOLOR2: m_clrFill2 = static_cast<COLORREF>(n); return TRUE;
    case PROP_FILLMODE: m_nFillStyle = n; return TRUE;
    default: return FALSE;
  }
}

BOOL CDrawObj::SetProp(int nId, LONG_PTR value) { return SetBaseProp(nId, value); }

int CDrawObj::ShowProperties(HWND) { return 0; }

int CDrawObj::GetActionKinds(ActionKindList* pList) {
  if (pList) pList->count = 0;
  return 0;
}

void CDrawObj::CountWindows(int&) {}

void CDrawObj::DeferWindowPos(HDWP&) {}

void CDrawObj::SetSelected(BOOL bSelected) { m_bSelected = bSelected; }

BOOL CDrawObj::IsSelected(CDrawObj** ppObj) {
  if (!m_bSelected) return FALSE;
  if (ppObj) *ppObj = this;
  return TRUE;
}

BOOL CDrawObj::HasType(DrawObjType type) { return GetObjType() == type; }

void CDrawObj::CopyToList(CObList& list) {
  if (CDrawObj* pCopy = Clone()) list.AddTail(pCopy);
}

void CDrawObj::CompileScripts(HWND hOutput, const char* pszCompiler, int& nErrors) {
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (!pOps) return;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CObject* pLink = m_actions.GetAt(i);
    if (pOps->GetMode(pLink) != AM_SCRIPT || !pOps->HasScriptSource(pLink)) continue;
    CString errors;
    int lines = pOps->Compile(pLink, pszCompiler, errors);
    if (lines == 0) continue;
    nErrors += lines;
    CString text = OutputHeading(GetActionKindName(pOps->GetKind(pLink)));
    text += errors;
    ::SendMessageA(hOutput, QCN_OUTPUTTEXT, 1, reinterpret_cast<LPARAM>(text.GetString()));
  }
}

CString CDrawObj::OutputHeading(const char* pszWhat) {
  CRectD r = m_rect;
  r.Normalize();
  const char* type = GetTypeName();
  return CString(qel::FormatStr("\n\t%s(%s@LEFT=%.0f,TOP=%.0f) - (%s):\n\t\t", type ? type : "",
                                m_strName.GetString(), r.left, r.top, pszWhat ? pszWhat : "")
                     .c_str());
}

CDrawObj* CDrawObj::FindByName(const char* pszName) {
  // Names are compared byte for byte, so double-byte characters and case
  // both count.
  return std::strcmp(m_strName.GetString(), pszName ? pszName : "") == 0 ? this : nullptr;
}

CDrawObj* CDrawObj::FindByNameShallow(const char* pszName) { return FindByName(pszName); }

int CDrawObj::FireActions(int nKind, DWORD dwTick, HWND hWnd) {
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (!pOps) return 0;
  int ran = 0;
  for (int i = 0; i < m_actions.GetSize(); ++i)
    if (pOps->OnTrigger(m_actions.GetAt(i), nKind, dwTick, hWnd)) ++ran;
  return ran;
}

void CDrawObj::SetVisible(BOOL bVisible) {
  m_bVisible = bVisible;
  if (HWND hWnd = GetCtrlWnd()) ::ShowWindow(hWnd, bVisible ? SW_SHOW : SW_HIDE);
}

BOOL CDrawObj::IsVisible() { return m_bVisible; }

HWND CDrawObj::GetCtrlWnd() { return nullptr; }

void CDrawObj::SetAngle(double) {}

// ---- non-virtual -----------------------------------------------------------

int CDrawObj::FindAction(int nKind) const {
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (!pOps) return 0;
  for (int i = 0; i < m_actions.GetSize(); ++i)
    if (pOps->GetKind(m_actions.GetAt(i)) == nKind) return pOps->GetMode(m_actions.GetAt(i));
  return 0;
}

CObject* CDrawObj::GetAction(int nKind) const {
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (!pOps) return nullptr;
  for (int i = 0; i < m_actions.GetSize(); ++i)
    if (pOps->GetKind(m_actions.GetAt(i)) == nKind) return m_actions.GetAt(i);
  return nullptr;
}

BOOL CDrawObj::RemoveAction(int nKind) {
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (!pOps) return FALSE;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CObject* pLink = m_actions.GetAt(i);
    if (pOps->GetKind(pLink) == nKind) {
      m_actions.RemoveAt(i);
      delete pLink;
      return TRUE;
    }
  }
  return FALSE;
}

CDrawObj* CDrawObj::Clone() {
  // The same stream as the clipboard and undo copies: a one-element list
  // stored and read back, so links and scripts are copied with the object.
  CMemFile file(1024);
  CObList stored;
  stored.AddTail(this);
  CObList loaded;
  try {
    {
      CArchive ar(&file, CArchive::store, 4096);
      StoreObjectList(ar, stored);
      ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 4096);
    LoadObjectList(ar, loaded, RUNTIME_CLASS(CDrawObj));
    ar.Close();
  } catch (CException&) {
    DeleteObjectList(loaded);
    return nullptr;
  }
  if (loaded.GetCount() != 1) {
    DeleteObjectList(loaded);
    return nullptr;
  }
  return static_cast<CDrawObj*>(loaded.RemoveHead());
}

void CDrawObj::UnionInvalidRect(RECT* pUpdate) {
  RECT mine = GetInvalidRect();
  RECT normal = *pUpdate;
  if (normal.left > normal.right) std::swap(normal.left, normal.right);
  if (normal.top > normal.bottom) std::swap(normal.top, normal.bottom);
  if (::IsRectEmpty(&normal))
    *pUpdate = mine;
  else
    ::UnionRect(pUpdate, &normal, &mine);
}

void CDrawObj::SetPercentFill(double dFraction, int nDirection, COLORREF c) {
  // A value outside 0..1 (or not a number) from an expression must not
  // fill beyond the shape.
  m_dPerFill = std::isnan(dFraction) ? 0.0 : std::min(1.0, std::max(0.0, dFraction));
  m_nPerFillDir = nDirection;
  m_clrPerFill = c;
}

CPointD CDrawObj::GetCenter() const {
  CRectD r = m_rect;
  r.Normalize();
  return CPointD(r.left + (r.right - r.left) * 0.5, r.top + (r.bottom - r.top) * 0.5);
}

const char* CDrawObj::GetTypeName() { return ::GetTypeName(GetObjType()); }
