// The selection of the current layer and the changes of the layer that the
// tools and the commands share: adding and removing objects, hit testing,
// the rubber band, the modified mark and the drawing colour.
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "drawobj.h"
#include "inversecolor.h"
#include "layerwalk.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "tools/drawtool.h"

void CPicEditWnd::NotifySelectionChanged() {
  NotifySelection();
  NotifyActions();
}

bool CPicEditWnd::IsSelected(CDrawObj* obj) const {
  return std::find(m_selection.begin(), m_selection.end(), obj) != m_selection.end();
}

void CPicEditWnd::Deselect(CDrawObj* obj) {
  auto at = std::find(m_selection.begin(), m_selection.end(), obj);
  if (at == m_selection.end()) return;
  m_selection.erase(at);
  obj->SetSelected(FALSE);
  InvalidateObject(obj);
  NotifySelectionChanged();
}

void CPicEditWnd::SelectInRect(const RECT& client, bool add) {
  if (!m_pCurrentLayer) return;
  bool changed = false;
  if (!add && !m_selection.empty()) {
    Invalidate(FALSE);
    ClearSelection();
    changed = true;
  }
  RECT pic = ClientToPicRect(client);
  CRectD area(pic.left, pic.top, pic.right, pic.bottom);
  // One walk of the layer, each object looked up once: a band over tens of
  // thousands of objects must not search the selection for every one.
  const std::unordered_set<CDrawObj*> selected(m_selection.begin(), m_selection.end());
  std::vector<CDrawObj*> caught;
  ForEachObjectInLayer(*m_pCurrentLayer, [&](CDrawObj* obj) {
    if (selected.count(obj) || !obj->IsInRect(area)) return;
    obj->SetSelected(TRUE);
    caught.push_back(obj);
  });
  CRepaintBatch repaint(*this, caught.size());
  for (CDrawObj* obj : caught) {
    m_selection.push_back(obj);
    repaint.Add(obj);
  }
  if (changed || !caught.empty()) NotifySelectionChanged();
}

CDrawObj* CPicEditWnd::ObjectAt(const CPointD& pic, int* handle) {
  if (!m_pCurrentLayer) return nullptr;
  CObList& objects = m_pCurrentLayer->m_objects;
  for (POSITION pos = objects.GetTailPosition(); pos;) {
    auto* obj = static_cast<CDrawObj*>(objects.GetPrev(pos));
    CDrawObj* hit = nullptr;
    int answer = obj->HitTest(pic, &hit);
    if (answer < 0) continue;
    if (handle) *handle = answer;
    return obj;
  }
  return nullptr;
}

void CPicEditWnd::AttachObject(CDrawObj* obj) {
  DrawViewContext context;
  context.pPicture = m_pPicture.get();
  context.hView = m_hWnd;
  context.pUpdateRect = &m_rcDirty;
  obj->AttachView(&context, FALSE);
  obj->SetViewTransform(m_ptOrigin, m_dZoom);
}

void CPicEditWnd::AddObject(CDrawObj* obj, bool saveUndo) {
  if (saveUndo)
    SaveUndoState();
  else
    SetModified();
  obj->m_strName.Trim();
  m_pCurrentLayer->m_objects.AddTail(obj);
  AttachObject(obj);
}

void CPicEditWnd::LayerChanging() {
  if (m_pCurrentLayer) CDrawTool::TellLayerChanging(*this);
}

void CPicEditWnd::RemoveObject(CDrawObj* obj) {
  if (!m_pCurrentLayer) return;
  if (POSITION pos = m_pCurrentLayer->m_objects.Find(obj)) m_pCurrentLayer->m_objects.RemoveAt(pos);
  auto at = std::find(m_selection.begin(), m_selection.end(), obj);
  if (at != m_selection.end()) m_selection.erase(at);
  SetModified();
}

void CPicEditWnd::RemoveObjects(const std::vector<CDrawObj*>& objects) {
  if (!m_pCurrentLayer) return;
  const std::unordered_set<CDrawObj*> leaving(objects.begin(), objects.end());
  CObList& layer = m_pCurrentLayer->m_objects;
  for (POSITION pos = layer.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    if (leaving.count(static_cast<CDrawObj*>(layer.GetNext(pos)))) layer.RemoveAt(at);
  }
  m_selection.erase(std::remove_if(m_selection.begin(), m_selection.end(),
                                   [&](CDrawObj* obj) { return leaving.count(obj) != 0; }),
                    m_selection.end());
  SetModified();
}

void CPicEditWnd::SetModified() {
  if (m_pPicture) m_pPicture->m_bModified = TRUE;
}

CRepaintBatch::~CRepaintBatch() {
  if (m_whole) m_wnd.Invalidate(FALSE);
}

void CRepaintBatch::Add(CDrawObj* obj) {
  if (!m_whole) m_wnd.InvalidateObject(obj);
}

void CPicEditWnd::InvalidateObject(CDrawObj* obj) {
  RECT area = obj->GetInvalidRect();
  InvalidateRect(&area, FALSE);
}

namespace {

bool HoldsControl(CDrawObj* obj) { return obj->GetObjType() >= DOT_CTRL || obj->HasType(DOT_CTRL); }

}  // namespace

bool CPicEditWnd::RefuseControls(const char* text, UINT icon) {
  for (CDrawObj* obj : m_selection) {
    if (!HoldsControl(obj)) continue;
    QelMessageBox(m_hWnd, text, "提示", MB_OK | icon);
    return true;
  }
  return false;
}

COLORREF CPicEditWnd::DrawingColor() {
  if (m_pPicture && m_clrDrawing == m_pPicture->m_clrBack) m_clrDrawing = InverseColor(m_clrDrawing);
  return m_clrDrawing;
}
