// Run-time class records and their registry.
#include "object.h"

#include <cstring>
#include <new>
#include <vector>

#include "exceptions.h"

void QelRegisterFrameworkClasses();  // collections.cpp

namespace {

// A function-local registry, so that static initializers of any file may
// register before or after this file's own statics exist.
std::vector<CRuntimeClass*>& Registry() {
  static std::vector<CRuntimeClass*> classes;
  return classes;
}

CRuntimeClass* FindRegistered(const char* name) {
  for (CRuntimeClass* c : Registry())
    if (std::strcmp(c->m_lpszClassName, name) == 0) return c;
  return nullptr;
}

}  // namespace

LONG CObject::s_nLive = 0;

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), CRuntimeClass::kNoSchema, nullptr,
                                       nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

void* CObject::operator new(size_t nSize, const std::nothrow_t&) noexcept {
  try {
    return qel::AllocateObjectMemory(nSize);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

CObject* CRuntimeClass::CreateObject() const {
  if (m_pfnCreateObject == nullptr) return nullptr;
  try {
    return m_pfnCreateObject();
  } catch (const std::bad_alloc&) {
    throw CMemoryException();
  }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBase) const {
  for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass)
    if (c == pBase) return TRUE;
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* lpszClassName) {
  static const bool frameworkRegistered = (QelRegisterFrameworkClasses(), true);
  (void)frameworkRegistered;
  if (lpszClassName == nullptr) return nullptr;
  return FindRegistered(lpszClassName);
}

CObject* CRuntimeClass::CreateObject(const char* lpszClassName) {
  CRuntimeClass* c = FromName(lpszClassName);
  return c == nullptr ? nullptr : c->CreateObject();
}

void CRuntimeClass::Register(CRuntimeClass* pClass) {
  if (pClass == nullptr || pClass->m_lpszClassName == nullptr) return;
  if (FindRegistered(pClass->m_lpszClassName) != nullptr) return;
  Registry().push_back(pClass);
}

void CRuntimeClass::RegisterAll(CRuntimeClass* const* classes, size_t count) {
  for (size_t i = 0; i < count; ++i) Register(classes[i]);
}
