#include "fwtest_classes.h"

#include <cstring>

int CCountedObject::s_live = 0;

IMPLEMENT_DYNAMIC(CCountedObject, CObject)
IMPLEMENT_SERIAL(CTestItem, CCountedObject, 0)
IMPLEMENT_SERIAL(CTestOther, CCountedObject, 0)
IMPLEMENT_SERIAL(CTestPair, CCountedObject, 0)
IMPLEMENT_SERIAL(CPicLayer, CCountedObject, 0)

void CTestItem::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_a << m_b << m_d << m_s;
  else
    ar >> m_a >> m_b >> m_d >> m_s;
}

void CTestOther::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_w;
  else
    ar >> m_w;
}

void CTestPair::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_p1 << m_p2;
  } else {
    m_p1 = ar.ReadObject(RUNTIME_CLASS(CObject));
    m_p2 = ar.ReadObject(RUNTIME_CLASS(CObject));
  }
}

CPicLayer::~CPicLayer() { DeleteContents(m_objects); }

void CPicLayer::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_name << m_second;
  else
    ar >> m_name >> m_second;
  m_objects.Serialize(ar, RUNTIME_CLASS(CCountedObject));
}

void RegisterTestClasses() {
  static CRuntimeClass* const classes[] = {RUNTIME_CLASS(CTestItem), RUNTIME_CLASS(CTestOther),
                                           RUNTIME_CLASS(CTestPair), RUNTIME_CLASS(CPicLayer)};
  CRuntimeClass::RegisterAll(classes);
}

void DeleteContents(CObList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}

Bytes StoreBytes(const std::function<void(CArchive&)>& write, int bufSize) {
  CMemFile file;
  CArchive ar(&file, CArchive::store, bufSize);
  write(ar);
  ar.Close();
  return Bytes(file.GetData(), file.GetData() + file.GetLength());
}

void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read, int bufSize) {
  Bytes copy(bytes);
  CMemFile file(copy.empty() ? nullptr : copy.data(), (UINT)copy.size());
  CArchive ar(&file, CArchive::load, bufSize);
  read(ar);
}

int LoadFailureCause(const Bytes& bytes, const std::function<void(CArchive&)>& read, int bufSize) {
  try {
    LoadBytes(bytes, read, bufSize);
  } catch (CArchiveException& e) {
    return e.m_cause;
  }
  return -1;
}

void Append(Bytes& b, const char* text) { b.insert(b.end(), text, text + std::strlen(text)); }
void AppendWord(Bytes& b, WORD w) {
  b.push_back((BYTE)w);
  b.push_back((BYTE)(w >> 8));
}
void AppendDword(Bytes& b, DWORD d) {
  AppendWord(b, (WORD)d);
  AppendWord(b, (WORD)(d >> 16));
}
