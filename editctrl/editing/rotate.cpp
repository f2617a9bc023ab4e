// Turning the selection by 90 degrees and mirroring it (QCM_ROTATE), about
// the centre of the selection's bounding frame. Controls cannot turn.
#include <algorithm>

#include "drawobj.h"
#include "piceditwnd.h"

void CPicEditWnd::OnRotate(int code) {
  if (!m_pPicture || m_selection.empty() || code < 0 || code > 2) return;
  if (code == 0 && RefuseControls("选择的图形中含有控件，控件不能旋转!", MB_ICONINFORMATION)) return;
  CRectD bounds = m_selection.front()->GetRect();
  bounds.Normalize();
  for (CDrawObj* obj : m_selection) {
    CRectD r = obj->GetRect();
    r.Normalize();
    bounds.Set(std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
               std::max(bounds.bottom, r.bottom));
  }
  const CPointD centre((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  SaveUndoState();
  for (CDrawObj* obj : m_selection) {
    if (code == 0)
      obj->Rotate(centre, DirPair{1.0, 0.0});
    else
      obj->Flip(centre.x, centre.y, code == 1 ? 0 : 1);
  }
  if (code != 0) RepositionControls(true);
  Invalidate(FALSE);
}
