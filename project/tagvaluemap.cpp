#include "tagvaluemap.h"

#include <new>

#include "tagvalue.h"

CTagValue* CTagValueMap::Lookup(const char* name) const {
  void* value = nullptr;
  if (!name || !m_map.Lookup(name, value)) return nullptr;
  return static_cast<CTagValue*>(value);
}

CTagValue* CTagValueMap::LookupOrAdd(const char* name, int type) {
  if (!name) return nullptr;
  if (CTagValue* held = Lookup(name)) return held;
  CTagValue* value = new (std::nothrow) CTagValue(type);
  if (!value) return nullptr;
  try {
    m_map.SetAt(name, value);
  } catch (...) {
    delete value;
    throw;
  }
  return value;
}

void CTagValueMap::RemoveAll() {
  POSITION pos = m_map.GetStartPosition();
  while (pos) {
    CString name;
    void* value = nullptr;
    m_map.GetNextAssoc(pos, name, value);
    delete static_cast<CTagValue*>(value);
  }
  m_map.RemoveAll();
}
