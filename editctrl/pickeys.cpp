// The keyboard of the editing window: the arrow keys move the selection by
// one grid step (one pixel with snapping off); Delete cuts it.
#include "drawobj.h"
#include "piceditwnd.h"
#include "picobj.h"

namespace {

struct ArrowMove {
  UINT key;
  int dx;
  int dy;
};

const ArrowMove kArrowMoves[] = {{VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}, {VK_UP, 0, -1}, {VK_DOWN, 0, 1}};

}  // namespace

bool CPicEditWnd::OnKeyDown(UINT key) {
  if (m_selection.empty() || !m_pPicture) return false;
  if (key == VK_DELETE) {
    SendMessage(QCM_CUT);
    return false;  // the key goes on to the default handling
  }
  for (const ArrowMove& move : kArrowMoves) {
    if (move.key != key) continue;
    int step = m_bSnap ? kGridStep : 1;
    MoveSelection(move.dx * step, move.dy * step);
    return true;
  }
  return false;
}

void CPicEditWnd::MoveSelection(int dx, int dy) {
  {
    CRepaintBatch repaint(*this, m_selection.size());
    for (CDrawObj* obj : m_selection) {
      repaint.Add(obj);
      obj->MoveBy(CPointD(dx, dy));
      repaint.Add(obj);
    }
  }
  m_pPicture->m_bModified = TRUE;
  RepositionControls(true);
}
