#include "picobj.h"

#include "archive.h"
#include "drawobj.h"
#include "objlist_io.h"

IMPLEMENT_SERIAL(CPicLayer, CObject, 0)
IMPLEMENT_SERIAL(CPicObj, CObject, 0)

const char kLayerButtonName[] = "画面层管理";

// ---- CPicLayer --------------------------------------------------------------

CPicLayer::CPicLayer() : m_strName("default") {}

CPicLayer::~CPicLayer() { DeleteObjectList(m_objects); }

void CPicLayer::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strName << m_strSecond;
    StoreObjectList(ar, m_objects);
  } else {
    ar >> m_strName >> m_strSecond;
    DeleteObjectList(m_objects);
    LoadObjectList(ar, m_objects, RUNTIME_CLASS(CDrawObj));
  }
}

// ---- CPicObj ----------------------------------------------------------------

CPicObj::CPicObj() : m_clrBack(::GetSysColor(COLOR_BTNFACE)) {}

CPicObj::~CPicObj() { DeleteObjectList(m_layers); }

void CPicObj::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strName << static_cast<DWORD>(m_clrBack) << m_nWidth << m_nHeight;
    ar << m_strReserved << m_nReserved1 << m_nReserved2 << m_nPeriod << m_nReserved3;
    ar << m_strStructName << m_strReserved;
    StoreObjectList(ar, m_layers);
  } else {
    DWORD clrBack;
    ar >> m_strName >> clrBack >> m_nWidth >> m_nHeight;
    ar >> m_strReserved >> m_nReserved1 >> m_nReserved2 >> m_nPeriod >> m_nReserved3;
    ar >> m_strStructName >> m_strReserved;
    m_clrBack = clrBack;
    DeleteObjectList(m_layers);
    LoadObjectList(ar, m_layers, RUNTIME_CLASS(CPicLayer));
    // Whatever follows the layer list (an old, longer file's tail) is not read.
  }
}

void CPicObj::EnsureLayer() {
  if (m_layers.IsEmpty()) m_layers.AddTail(new CPicLayer);
}

CPicLayer* CPicObj::GetLayer(int nIndex) const {
  POSITION pos = m_layers.FindIndex(nIndex);
  return pos ? static_cast<CPicLayer*>(m_layers.GetAt(pos)) : nullptr;
}

CDrawObj* CPicObj::FindInLayers(const char* pszName) {
  // Later layers lie on top, so they win; within a layer the earlier object wins.
  for (POSITION layerPos = m_layers.GetTailPosition(); layerPos;) {
    auto* pLayer = static_cast<CPicLayer*>(m_layers.GetPrev(layerPos));
    for (POSITION pos = pLayer->m_objects.GetHeadPosition(); pos;) {
      auto* pObj = static_cast<CDrawObj*>(pLayer->m_objects.GetNext(pos));
      if (CDrawObj* pHit = pObj->FindByNameShallow(pszName)) return pHit;
    }
  }
  return nullptr;
}

CDrawObj* CPicObj::FindObject(const char* pszName, CDrawObj* pContext) {
  if (!pszName || !*pszName) return pContext;
  if (pContext) {
    DrawObjType type = pContext->GetObjType();
    if (type == DOT_GROUP || type == DOT_CELL) {
      // A group or sub-picture looks among its own children first.
      if (CDrawObj* pHit = pContext->FindByName(pszName)) return pHit;
    }
  }
  return FindInLayers(pszName);
}

int CPicObj::GetPropList(PropDescList* pList) {
  PropDesc* rec = pList->items;
  int n = 0;
  GetPropDesc(PROP_TYPE, PE_TEXT | PK_READONLY, &rec[n]);
  rec[n++].value = reinterpret_cast<LONG_PTR>(::GetTypeName(kPictureTypeKey));
  GetPropDesc(PROP_PICNAME, PE_TEXT | PK_READONLY, &rec[n]);
  rec[n++].value = reinterpret_cast<LONG_PTR>(m_strName.GetString());
  GetPropDesc(PROP_STRUCTNAME, PE_TEXT, &rec[n]);
  rec[n++].value = reinterpret_cast<LONG_PTR>(m_strStructName.GetString());
  GetPropDesc(PROP_PICPERIOD, PE_INTEGER, &rec[n]);
  rec[n++].value = m_nPeriod;
  GetPropDesc(PROP_PICBKCOLOR, PE_COLOR, &rec[n]);
  rec[n++].value = static_cast<LONG_PTR>(m_clrBack);
  GetPropDesc(PROP_WIDTH, PE_INTEGER, &rec[n]);
  rec[n++].value = m_nWidth;
  GetPropDesc(PROP_HEIGHT, PE_INTEGER, &rec[n]);
  rec[n++].value = m_nHeight;
  SetPropDesc(PROP_LAYERS, PE_BUTTON, kLayerButtonName, &rec[n]);
  rec[n++].value = 0;
  pList->count = n;
  return n;
}
