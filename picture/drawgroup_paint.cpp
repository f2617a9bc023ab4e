// CDrawGroup: the paint of the children, with what many children share
// between them.
#include "drawgroup.h"

#include <optional>

#include "drawpolygon.h"
#include "knownclip.h"
#include "paintcover.h"
#include "trackerframe.h"

std::vector<bool> CDrawGroup::ChildrenCoveredByLaterTwins(HDC hdc) const {
  const int count = m_children.GetCount();
  std::vector<bool> covered;
  // A mixing raster operation makes every drawing depend on what lies under it.
  if (count < kTwinSearchChildren || !hdc || ::GetROP2(hdc) != R2_COPYPEN) return covered;
  covered.assign(count, false);
  // The drawings met so far, from the last child back, by hash: open
  // addressing at most half full, a slot holding a child's index + 1.
  size_t slots = 2;
  while (slots < 2 * static_cast<size_t>(count)) slots *= 2;
  const size_t mask = slots - 1;
  std::vector<int> table(slots, 0);
  std::vector<size_t> hashes(count);
  std::vector<const CDrawPolygon*> drawers(count, nullptr);
  CRunDrawing drawing, later;
  int index = count;
  for (POSITION pos = m_children.GetTailPosition(); pos;) {
    --index;
    CDrawObj* child = ChildAt(m_children.GetPrev(pos));
    if (child->GetObjType() != DOT_POLYGON) continue;
    const auto* polygon = static_cast<const CDrawPolygon*>(child);
    if (!polygon->DescribeRunDrawing(drawing)) continue;
    const size_t hash = drawing.Hash();
    size_t slot = hash & mask;
    for (; table[slot]; slot = (slot + 1) & mask) {
      const int twin = table[slot] - 1;
      if (hashes[twin] == hash && drawers[twin]->DescribeRunDrawing(later) && later == drawing) break;
    }
    if (table[slot]) {
      covered[index] = true;
      continue;
    }
    table[slot] = index + 1;
    hashes[index] = hash;
    drawers[index] = polygon;
  }
  return covered;
}

void CDrawGroup::Draw(CDC* pDC, DWORD dwFlags) {
  // The children ask for the clip box once between them, and plain
  // polygons one after another share their pen and brush: a metafile's
  // import is a group of many thousands. A drawing that a later child
  // repeats is left out: the later one sets the same pixels last; and so
  // is a child that a later one hides (CCoverCut).
  const HDC hdc = pDC ? pDC->GetSafeHdc() : nullptr;
  std::optional<CKnownClipBox> known;
  RECT clip;
  if (hdc && !CKnownClipBox::Of(hdc) && ::GetClipBox(hdc, &clip) != ERROR) known.emplace(hdc, clip);
  // The selected children's frames ask the DC once between them.
  std::optional<CFramePaint> frames;
  if (hdc && !CFramePaint::Of(hdc)) frames.emplace(hdc);
  const std::vector<bool> covered = ChildrenCoveredByLaterTwins(hdc);
  const CCoverCut cut(hdc, m_children);
  CPlainPolygonRun run(pDC);
  size_t index = 0;
  ForEachChild([&](CDrawObj* p) {
    const size_t at = index++;
    if ((at < covered.size() && covered[at]) || !cut.Draws(at, p)) return;
    if (p->GetObjType() == DOT_POLYGON && static_cast<CDrawPolygon*>(p)->IsPlain()) {
      static_cast<CDrawPolygon*>(p)->DrawInRun(pDC, dwFlags, run);
      return;
    }
    run.End();
    p->Draw(pDC, dwFlags);
  });
}
