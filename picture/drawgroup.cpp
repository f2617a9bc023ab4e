// CDrawGroup: stored fields, the union rectangle, and the operations passed
// on to the children.
#include "drawgroup.h"

#include <algorithm>

#include "archive.h"
#include "objlist_io.h"
#include "wnddefer.h"

IMPLEMENT_SERIAL(CDrawGroup, CDrawObj, 0)

CDrawGroup::CDrawGroup() = default;

CDrawGroup::~CDrawGroup() { DeleteObjectList(m_children); }

void CDrawGroup::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    StoreObjectList(ar, m_children);
  } else {
    DeleteObjectList(m_children);
    LoadObjectList(ar, m_children, RUNTIME_CLASS(CDrawObj));
    // The archive bounds its own nesting; groups take a tighter bound,
    // the one that AddChild keeps in memory.
    if (Nesting() > kMaxNesting) ar.Fail(CArchiveException::tooDeep);
    ForEachChild([&](CDrawObj* p) { Adopt(p); });
    // The stored rectangle is only what it was when written; the
    // children are what the group is.
    ResetReferenceRect();
  }
}

int CDrawGroup::NestingOf(CDrawObj* pObj) {
  if (!pObj || !pObj->IsKindOf(RUNTIME_CLASS(CDrawGroup))) return 0;
  return static_cast<CDrawGroup*>(pObj)->Nesting();
}

int CDrawGroup::Nesting() const {
  int deepest = 0;
  ForEachChild([&](CDrawObj* p) { deepest = std::max(deepest, NestingOf(p)); });
  return deepest + 1;
}

void CDrawGroup::Adopt(CDrawObj* pChild) {
  if (pChild->IsKindOf(RUNTIME_CLASS(CDrawGroup))) static_cast<CDrawGroup*>(pChild)->m_pHolder = this;
}

BOOL CDrawGroup::AddChild(CDrawObj* pChild) {
  if (!pChild) return FALSE;
  const bool isGroup = pChild->IsKindOf(RUNTIME_CLASS(CDrawGroup));
  if (isGroup && static_cast<CDrawGroup*>(pChild)->m_pHolder) return FALSE;  // another group owns it already
  int levels = NestingOf(pChild);
  for (const CDrawGroup* g = this; g; g = g->m_pHolder) {
    if (g == pChild) return FALSE;  // the group would hold itself
    ++levels;
  }
  if (levels > kMaxNesting) return FALSE;
  m_children.AddTail(pChild);
  Adopt(pChild);
  return TRUE;
}

std::vector<CDrawObj*> CDrawGroup::ReleaseChildren() {
  std::vector<CDrawObj*> children;
  while (!m_children.IsEmpty()) {
    CDrawObj* child = ChildAt(m_children.RemoveHead());
    if (child->IsKindOf(RUNTIME_CLASS(CDrawGroup))) static_cast<CDrawGroup*>(child)->m_pHolder = nullptr;
    children.push_back(child);
  }
  return children;
}

BOOL CDrawGroup::AttachView(const DrawViewContext* pContext, BOOL bRunTime) {
  CDrawObj::AttachView(pContext, bRunTime);
  ForEachChild([&](CDrawObj* p) { p->AttachView(pContext, bRunTime); });
  return TRUE;
}

void CDrawGroup::PrepareActions(const DrawViewContext* pContext) {
  CDrawObj::PrepareActions(pContext);
  ForEachChild([&](CDrawObj* p) { p->PrepareActions(pContext); });
}

void CDrawGroup::SetViewTransform(POINT ptOrigin, double dZoom) {
  // The group's own view change is only its children's, which their own
  // SetViewTransform makes with the new transform.
  m_view.zoom = dZoom;
  m_view.originX = ptOrigin.x;
  m_view.originY = ptOrigin.y;
  ForEachChild([&](CDrawObj* p) { p->SetViewTransform(ptOrigin, dZoom); });
}

CRectD CDrawGroup::GetRect() {
  CRectD u;
  bool first = true;
  ForEachChild([&](CDrawObj* p) {
    CRectD r = p->GetRect();
    r.Normalize();
    if (first) {
      u = r;
      first = false;
      return;
    }
    if (r.left < u.left) u.left = r.left;
    if (r.top < u.top) u.top = r.top;
    if (r.right > u.right) u.right = r.right;
    if (r.bottom > u.bottom) u.bottom = r.bottom;
  });
  u.Normalize();
  m_rect = u;
  return u;
}

RECT CDrawGroup::GetInvalidRect() {
  if (m_children.IsEmpty()) return InvalidRectOf(GetRect());
  RECT u = {0, 0, 0, 0};
  bool first = true;
  ForEachChild([&](CDrawObj* p) {
    RECT r = p->GetInvalidRect();
    if (first) {
      u = r;
      first = false;
    } else {
      ::UnionRect(&u, &u, &r);
    }
  });
  return u;
}

void CDrawGroup::MoveBy(const CPointD& offset) {
  ForEachChild([&](CDrawObj* p) { p->MoveBy(offset); });
  ResetReferenceRect();
}

void CDrawGroup::Rotate(const CPointD& centre, const DirPair& turn) {
  ForEachChild([&](CDrawObj* p) { p->Rotate(centre, turn); });
  ResetReferenceRect();
}

void CDrawGroup::Flip(double x, double y, int nAxis) {
  ForEachChild([&](CDrawObj* p) { p->Flip(x, y, nAxis); });
  ResetReferenceRect();
}

void CDrawGroup::OnViewChanged() {
  ForEachChild([](CDrawObj* p) { p->OnViewChanged(); });
}

DrawObjType CDrawGroup::GetObjType() { return DOT_GROUP; }

void CDrawGroup::CountWindows(int& nCount) {
  ForEachChild([&](CDrawObj* p) { p->CountWindows(nCount); });
}

void CDrawGroup::DeferWindowPos(HDWP& hdwp) {
  ForEachChild([&](CDrawObj* p) { p->DeferWindowPos(hdwp); });
}

void CDrawGroup::Scale(const CPointD& anchor, double dFactor) {
  ForEachChild([&](CDrawObj* p) { p->Scale(anchor, dFactor); });
  // A group scaled as part of a larger selection must not keep its
  // handles where it was.
  ResetReferenceRect();
}

void CDrawGroup::SetSelected(BOOL bSelected) {
  ForEachChild([&](CDrawObj* p) { p->SetSelected(bSelected); });
}

BOOL CDrawGroup::IsSelected(CDrawObj** ppObj) {
  for (POSITION pos = m_children.GetHeadPosition(); pos;)
    if (ChildAt(m_children.GetNext(pos))->IsSelected(ppObj)) return TRUE;
  return FALSE;
}

BOOL CDrawGroup::HasType(DrawObjType type) {
  if (GetObjType() == type) return TRUE;
  for (POSITION pos = m_children.GetHeadPosition(); pos;)
    if (ChildAt(m_children.GetNext(pos))->HasType(type)) return TRUE;
  return FALSE;
}

void CDrawGroup::CopyToList(CObList& list) {
  ForEachChild([&](CDrawObj* p) { p->CopyToList(list); });
}

void CDrawGroup::CompileScripts(HWND hOutput, const char* pszCompiler, int& nErrors) {
  ForEachChild([&](CDrawObj* p) { p->CompileScripts(hOutput, pszCompiler, nErrors); });
  CDrawObj::CompileScripts(hOutput, pszCompiler, nErrors);
}

CDrawObj* CDrawGroup::FindByName(const char* pszName) {
  if (CDrawObj* p = CDrawObj::FindByName(pszName)) return p;
  for (POSITION pos = m_children.GetHeadPosition(); pos;)
    if (CDrawObj* p = ChildAt(m_children.GetNext(pos))->FindByName(pszName)) return p;
  return nullptr;
}

CDrawObj* CDrawGroup::FindByNameShallow(const char* pszName) {
  if (CDrawObj* p = CDrawObj::FindByName(pszName)) return p;
  for (POSITION pos = m_children.GetHeadPosition(); pos;)
    if (CDrawObj* p = ChildAt(m_children.GetNext(pos))->FindByNameShallow(pszName)) return p;
  return nullptr;
}

int CDrawGroup::FireActions(int nKind, DWORD dwTick, HWND hWnd) {
  int ran = CDrawObj::FireActions(nKind, dwTick, hWnd);
  ForEachChild([&](CDrawObj* p) { ran += p->FireActions(nKind, dwTick, hWnd); });
  return ran;
}

void CDrawGroup::SetVisible(BOOL bVisible) {
  CDrawObj::SetVisible(bVisible);
  ForEachChild([&](CDrawObj* p) { p->SetVisible(bVisible); });
}

void CDrawGroup::MoveChildWindows() {
  int count = 0;
  CountWindows(count);
  if (count == 0) return;
  CDeferWindowPos batch(count);
  HDWP hdwp = batch.Handle();
  DeferWindowPos(hdwp);
  batch.Update(hdwp);
}
