// Groups and sub-pictures (QCM_GROUP, QCM_SUBPICTURE): the selected objects
// gathered into one object that takes the first one's place in the layer,
// and such an object broken up again.
#include <objbase.h>

#include <algorithm>
#include <vector>

#include "drawcell.h"
#include "drawgroup.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "picobj.h"

void CPicEditWnd::OnGroup(int code) {
  if (!m_pPicture) return;
  LayerChanging();
  if (code == 0 && m_selection.size() >= 2)
    GroupSelection(new CDrawGroup);
  else if (code == 1)
    UngroupSelection(DOT_GROUP);
}

void CPicEditWnd::OnSubPicture(int code) {
  if (!m_pPicture) return;
  LayerChanging();
  if (code == 1) {
    UngroupSelection(DOT_CELL);
    return;
  }
  if (code != 0 || m_selection.empty()) return;
  if (RefuseControls("选择的图形中含有控件，不能打成子图!", MB_ICONWARNING)) return;
  auto* cell = new CDrawCell;
  ::CoCreateGuid(&cell->m_id);  // every sub-picture is told apart by its own
  GroupSelection(cell);
}

// Every group of the editor is made here, so that any rule on what a group
// may hold (such as how deep groups may nest) is checked in one place.
void CPicEditWnd::GroupSelection(CDrawGroup* group) {
  // The new group is one level above the deepest selected group; past the
  // model's bound nothing changes (such a picture could not be read back).
  int deepest = 0;
  for (CDrawObj* obj : m_selection) deepest = std::max(deepest, CDrawGroup::NestingOf(obj));
  if (deepest + 1 > CDrawGroup::kMaxNesting) {
    delete group;
    QelBeep(MB_ICONWARNING);
    return;
  }
  CObList& objects = m_pCurrentLayer->m_objects;
  SaveUndoState();
  objects.InsertBefore(objects.Find(m_selection.front()), group);
  for (CDrawObj* obj : m_selection) {
    obj->SetSelected(FALSE);
    if (POSITION at = objects.Find(obj)) objects.RemoveAt(at);
    group->AddChild(obj);
  }
  m_selection.clear();
  group->ResetReferenceRect();
  AttachObject(group);
  m_selection.push_back(group);
  group->SetSelected(TRUE);
  Invalidate(FALSE);
  NotifySelectionChanged();
}

void CPicEditWnd::UngroupSelection(DrawObjType kind) {
  if (m_selection.size() != 1 || m_selection.front()->GetObjType() != kind) return;
  auto* group = static_cast<CDrawGroup*>(m_selection.front());
  CObList& objects = m_pCurrentLayer->m_objects;
  POSITION at = objects.Find(group);
  if (!at) return;
  SaveUndoState();
  ClearSelection();
  // The children leave the group before it goes, so that it deletes none.
  std::vector<CDrawObj*> children = group->ReleaseChildren();
  POSITION after = at;
  for (CDrawObj* child : children) after = objects.InsertAfter(after, child);
  objects.RemoveAt(at);
  group->Delete();
  for (CDrawObj* child : children) {
    m_selection.push_back(child);
    child->SetSelected(TRUE);
  }
  Invalidate(FALSE);
  NotifySelectionChanged();
}
