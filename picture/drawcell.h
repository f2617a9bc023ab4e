// CDrawCell: a sub-picture (kind 51), a group that also carries a 16-byte
// identifier and two strings, offers animation links of its own, and keeps
// its children out of the shallow name search. It never holds controls, so
// it has no windows to count or move.
#pragma once

#include "drawgroup.h"

class CDrawCell : public CDrawGroup {
  DECLARE_SERIAL(CDrawCell)

 public:
  CDrawCell();
  ~CDrawCell() override;

  void Serialize(CArchive& ar) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  void CountWindows(int& nCount) override;
  void DeferWindowPos(HDWP& hdwp) override;
  // Its own name only.
  CDrawObj* FindByNameShallow(const char* pszName) override;

  // Stored fields after the group part (the file holds the identifier first).
  CString m_strFirst;
  CString m_strSecond;
  GUID m_id = {};  // set once, when the editing window makes the sub-picture
};
static_assert(sizeof(GUID) == 16, "the identifier is stored as 16 raw bytes");
