// A serializable class in a static library whose object file nothing names
// but the library's registration function (fwtest_libreg.cpp).
#include "framework.h"

class CLibOnlyItem : public CObject {
  DECLARE_SERIAL(CLibOnlyItem)
 public:
  int m_v = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_v;
    else
      ar >> m_v;
  }
};

IMPLEMENT_SERIAL(CLibOnlyItem, CObject, 3)

CRuntimeClass* LibOnlyItemClass() { return RUNTIME_CLASS(CLibOnlyItem); }
