// Arranging the selection (QCM_ARRANGE): aligning edges with the first
// selected object, equal spacing, and one step back or forward in the
// drawing order among the objects that overlap.
#include <algorithm>
#include <vector>

#include "drawobj.h"
#include "piceditwnd.h"
#include "picobj.h"

namespace {

constexpr size_t kMostSpaced = 512;

CRectD FrameOf(CDrawObj* obj) {
  CRectD r = obj->GetRect();
  r.Normalize();
  return r;
}

bool Overlap(const CRectD& a, const CRectD& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The move that brings one edge of frame onto the same edge of reference.
CPointD AlignOffset(int code, const CRectD& reference, const CRectD& frame) {
  switch (code) {
    case QCA_ALIGNLEFT: return CPointD(reference.left - frame.left, 0);
    case QCA_ALIGNTOP: return CPointD(0, reference.top - frame.top);
    case QCA_ALIGNRIGHT: return CPointD(reference.right - frame.right, 0);
    case QCA_ALIGNBOTTOM: return CPointD(0, reference.bottom - frame.bottom);
  }
  return CPointD(0, 0);
}

}  // namespace

void CPicEditWnd::OnArrange(int code) {
  if (!m_pPicture) return;
  switch (code) {
    case QCA_ALIGNLEFT:
    case QCA_ALIGNTOP:
    case QCA_ALIGNRIGHT:
    case QCA_ALIGNBOTTOM: AlignSelection(code); break;
    case QCA_SPACEHORZ:
    case QCA_SPACEVERT: SpaceSelection(code == QCA_SPACEHORZ); break;
    case QCA_BACKWARD:
    case QCA_FORWARD: StepSelection(code == QCA_FORWARD); break;
    default:
      // Codes past the table save a state and repaint, and move nothing.
      if (code > QCA_FORWARD && m_selection.size() >= 2) {
        SaveUndoState();
        Invalidate(TRUE);
      }
  }
}

void CPicEditWnd::AlignSelection(int code) {
  if (m_selection.size() < 2) return;
  SaveUndoState();
  const CRectD reference = FrameOf(m_selection.front());
  for (size_t i = 1; i < m_selection.size(); ++i) {
    CDrawObj* obj = m_selection[i];
    obj->MoveBy(AlignOffset(code, reference, FrameOf(obj)));
  }
  Invalidate(TRUE);
  RepositionControls(true);
}

void CPicEditWnd::SpaceSelection(bool horizontal) {
  if (m_selection.size() < 3) return;
  SaveUndoState();
  struct Placed {
    CDrawObj* obj;
    double start;  // left (top) edge
    double size;   // width (height)
  };
  std::vector<Placed> placed;
  double total = 0;
  for (size_t i = 0; i < m_selection.size() && i < kMostSpaced; ++i) {
    CRectD r = FrameOf(m_selection[i]);
    Placed p = {m_selection[i], horizontal ? r.left : r.top, horizontal ? r.Width() : r.Height()};
    total += p.size;
    placed.push_back(p);
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const Placed& a, const Placed& b) { return a.start < b.start; });
  const Placed& first = placed.front();
  const Placed& last = placed.back();
  const double gap = (last.start + last.size - first.start - total) / (placed.size() - 1);
  double next = first.start + first.size + gap;
  for (size_t i = 1; i < placed.size(); ++i) {
    const double by = next - placed[i].start;
    placed[i].obj->MoveBy(horizontal ? CPointD(by, 0) : CPointD(0, by));
    next += placed[i].size + gap;
  }
  Invalidate(TRUE);
  RepositionControls(true);
}

void CPicEditWnd::StepSelection(bool forward) {
  if (m_selection.size() != 1 || !m_pCurrentLayer) return;
  CObList& objects = m_pCurrentLayer->m_objects;
  CDrawObj* obj = m_selection.front();
  POSITION at = objects.Find(obj);
  if (!at) return;
  const CRectD frame = FrameOf(obj);
  // The nearest object on that side whose frame overlaps.
  POSITION pos = at;
  if (forward)
    objects.GetNext(pos);
  else
    objects.GetPrev(pos);
  while (pos) {
    POSITION here = pos;
    auto* other = static_cast<CDrawObj*>(forward ? objects.GetNext(pos) : objects.GetPrev(pos));
    if (!Overlap(frame, FrameOf(other))) continue;
    SaveUndoState();
    objects.RemoveAt(at);
    if (forward)
      objects.InsertAfter(here, obj);
    else
      objects.InsertBefore(here, obj);
    Invalidate(TRUE);
    return;
  }
}
