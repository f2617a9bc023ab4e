#include "popupkeys.h"

#include "colortable.h"

namespace {

constexpr int kLastCell = kPopupColorCount - 1;

int AfterLastCell(bool hasAuto, bool hasMore) {
  return hasMore ? kPopupMoreBox : (hasAuto ? kPopupAutoBox : 0);
}

int BeforeFirstCell(bool hasAuto, bool hasMore) {
  return hasAuto ? kPopupAutoBox : (hasMore ? kPopupMoreBox : kLastCell);
}

int Step(int index, int delta, bool hasAuto, bool hasMore) {
  const bool forward = delta > 0;
  if (index >= 0) {
    const int next = index + delta;
    if (next >= 0 && next < kPopupColorCount) return next;
    return forward ? AfterLastCell(hasAuto, hasMore) : BeforeFirstCell(hasAuto, hasMore);
  }
  if (index == kPopupAutoBox) return forward ? 0 : (hasMore ? kPopupMoreBox : kLastCell);
  if (index == kPopupMoreBox) return forward ? (hasAuto ? kPopupAutoBox : 0) : kLastCell;
  return 0;
}

}  // namespace

int NextPopupItem(int index, UINT key, bool hasAuto, bool hasMore) {
  switch (key) {
    case VK_RIGHT: return Step(index, 1, hasAuto, hasMore);
    case VK_LEFT: return Step(index, -1, hasAuto, hasMore);
    case VK_DOWN: return Step(index, kPopupColorColumns, hasAuto, hasMore);
    case VK_UP: return Step(index, -kPopupColorColumns, hasAuto, hasMore);
  }
  return index;
}
