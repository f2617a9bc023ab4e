// Undo and redo: each saved state is the current layer's object list before
// a change. Undoing keeps the present state on the redo list, redoing keeps
// it on the undo list; a new change drops the redo list.
#include "drawobj.h"
#include "layerwalk.h"
#include "piceditwnd.h"
#include "picobj.h"

void CPicEditWnd::SaveUndoState() {
  if (!m_pCurrentLayer) return;
  m_undo.Push(SaveObjectList(m_pCurrentLayer->m_objects, kMemFileGrowth));
  m_redo.Clear();
  SetModified();
}

void CPicEditWnd::RestoreLayerState(CMemFile& state) {
  ClearSelection();
  CObList& objects = m_pCurrentLayer->m_objects;
  while (!objects.IsEmpty()) static_cast<CDrawObj*>(objects.RemoveHead())->Delete();
  LoadObjectListFrom(state, objects);
  ForEachObjectInLayer(*m_pCurrentLayer, [&](CDrawObj* obj) { AttachObject(obj); });
  RepositionControls();
  SetModified();
  Invalidate(FALSE);
  NotifySelectionChanged();
}

void CPicEditWnd::SwapLayerState(CLayerStateStack& take, CLayerStateStack& keep) {
  if (!m_pPicture || !m_pCurrentLayer || take.empty()) return;
  // A shape being drawn is finished first, so that the state kept holds it
  // as the engineer would have left it.
  LayerChanging();
  keep.Push(SaveObjectList(m_pCurrentLayer->m_objects, kMemFileGrowth));
  std::unique_ptr<CMemFile> state = take.TakeNewest();
  RestoreLayerState(*state);
}

void CPicEditWnd::OnUndo() { SwapLayerState(m_undo, m_redo); }

void CPicEditWnd::OnRedo() { SwapLayerState(m_redo, m_undo); }
