#include "drawcell.h"

#include "archive.h"
#include "drawrect.h"

IMPLEMENT_SERIAL(CDrawCell, CDrawGroup, 0)

CDrawCell::CDrawCell() = default;

CDrawCell::~CDrawCell() = default;

void CDrawCell::Serialize(CArchive& ar) {
  CDrawGroup::Serialize(ar);
  if (ar.IsStoring()) {
    ar.Write(&m_id, sizeof m_id);
    ar << m_strFirst << m_strSecond;
  } else {
    ar.Read(&m_id, sizeof m_id);
    ar >> m_strFirst >> m_strSecond;
  }
}

void CDrawCell::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendProp(pList, PROP_SUBPICID, PE_GUID | PK_READONLY, reinterpret_cast<LONG_PTR>(&m_id));
  AppendGroupProps(pList);
}

DrawObjType CDrawCell::GetObjType() { return DOT_CELL; }

BOOL CDrawCell::SetProp(int nId, LONG_PTR value) {
  return SetBaseProp(nId, value) || SetGroupProp(nId, value);
}

int CDrawCell::GetActionKinds(ActionKindList* pList) {
  return FillObjectActionKinds(this, LF_SUBPICTURE, pList);
}

void CDrawCell::CountWindows(int&) {}

void CDrawCell::DeferWindowPos(HDWP&) {}

CDrawObj* CDrawCell::FindByNameShallow(const char* pszName) { return CDrawObj::FindByName(pszName); }
