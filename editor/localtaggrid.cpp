#include "localtaggrid.h"

#include "resource.h"
#include "resources/resload.h"

CLocalTagGrid::CLocalTagGrid() {
  QelLoadBitmap(m_systemTag, IDB_SYSTEMTAG);
  QelLoadBitmap(m_tag, IDB_LOCALTAG);
}

CLocalTagGrid::~CLocalTagGrid() {
  // The window goes while the bitmaps it paints are still here.
  DestroyWindow();
}

int CLocalTagGrid::FirstMarkedRow() const {
  for (int row = 0; row < Records().GetCount(); ++row)
    if (IsMarked(row)) return row;
  return -1;
}

HBITMAP CLocalTagGrid::GetRowBitmap(int row) {
  const LocalTagRecord* tag = reinterpret_cast<const LocalTagRecord*>(Records().GetAt(row));
  if (!tag) return nullptr;
  return static_cast<HBITMAP>((tag->system == 1 ? m_systemTag : m_tag).GetSafeHandle());
}
