// Undo and redo: each saved state is the current layer's object list before
// a change. Undoing keeps the present state on the redo list, redoing keeps
// it on the undo list; a new change drops the redo list.
#include <string>
#include <unordered_map>

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

namespace {

// Objects by their stored bytes, each to be taken once.
using ObjectsByBytes = std::unordered_multimap<std::string, CDrawObj*>;

ObjectsByBytes TakeObjects(CObList& objects) {
  ObjectsByBytes taken;
  taken.reserve(static_cast<size_t>(objects.GetCount()));
  while (!objects.IsEmpty()) {
    auto* obj = static_cast<CDrawObj*>(objects.RemoveHead());
    taken.emplace(StoredBytesOf(obj), obj);
  }
  return taken;
}

// The object of these bytes, taken out of the map; null when none is there.
CDrawObj* TakeSame(ObjectsByBytes& objects, const std::string& bytes) {
  auto same = bytes.empty() ? objects.end() : objects.find(bytes);
  if (same == objects.end()) return nullptr;
  CDrawObj* obj = same->second;
  objects.erase(same);
  return obj;
}

}  // namespace

void CPicEditWnd::RestoreLayerState(CMemFile& state) {
  ClearSelection();
  CObList restored;
  if (!LoadObjectListFrom(state, restored)) return;  // only memory fails it: the layer stays
  // An object the state holds unchanged stays as it is, with its control
  // window: undoing a paste of hundreds of plug-ins must not make every
  // window of the layer again. Only what differs is replaced.
  CObList& objects = m_pCurrentLayer->m_objects;
  ObjectsByBytes present = TakeObjects(objects);
  while (!restored.IsEmpty()) {
    auto* obj = static_cast<CDrawObj*>(restored.RemoveHead());
    if (CDrawObj* same = TakeSame(present, StoredBytesOf(obj))) {
      obj->Delete();
      objects.AddTail(same);
      continue;
    }
    objects.AddTail(obj);
    AttachObject(obj);
  }
  for (auto& gone : present) gone.second->Delete();
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
