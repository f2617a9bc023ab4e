// Run-time class records and the root class of every serializable object.
//
// Each class that wants its name known at run time carries one static
// CRuntimeClass record (declared by DECLARE_DYNAMIC/DYNCREATE/SERIAL, defined
// by the matching IMPLEMENT_ macro). The records form a registry, so an archive
// can create an object from the class name it finds in a stream.
//
// Registration and static libraries
// ---------------------------------
// IMPLEMENT_DYNCREATE and IMPLEMENT_SERIAL register their class from a static
// initializer in the class's own object file. The linker, however, takes an
// object file out of a static library only when something references it, so a
// class that no code of the program names would be missing from the registry,
// and a stream that holds it would fail to load ("unknown class").
//
// Therefore every library that holds serializable classes offers ONE
// registration function that names all of them, and every program (and test)
// calls it before it loads anything:
//
//   void RegisterPictureClasses() {
//     static CRuntimeClass* const classes[] = {
//         RUNTIME_CLASS(CPicObj), RUNTIME_CLASS(CPicLayer), RUNTIME_CLASS(CDrawLine), ...};
//     CRuntimeClass::RegisterAll(classes);
//   }
//
// Naming RUNTIME_CLASS(C) references the record, which pulls C's object file
// (and its static initializer) into the program. Registering is idempotent, so
// calling the function more than once, or after the static initializers ran,
// is harmless. The framework's own serializable classes (CObList, CObArray,
// CDWordArray, CStringArray) are registered by FromName itself.
#pragma once
#include <windows.h>

#include <cstddef>
#include <new>

#include "objpool.h"

class CArchive;
class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                   // 0xFFFF: not serializable
  CObject* (*m_pfnCreateObject)();  // null: not creatable by name
  CRuntimeClass* m_pBaseClass;      // null only for CObject

  enum : UINT { kNoSchema = 0xFFFF };

  // A new object of this class, or null when the class is not creatable.
  // Throws CMemoryException when memory runs out.
  CObject* CreateObject() const;
  // True when this class is pBase or derives from it.
  BOOL IsDerivedFrom(const CRuntimeClass* pBase) const;
  // True when the class can be written to and read from an archive.
  bool IsSerializable() const { return m_wSchema != kNoSchema && m_pfnCreateObject != nullptr; }

  // The registered class of that name (case-sensitive), or null.
  static CRuntimeClass* FromName(const char* lpszClassName);
  // A new object of the registered class of that name, or null.
  static CObject* CreateObject(const char* lpszClassName);

  // Registration (see the file comment). Idempotent; the first class
  // registered under a name keeps it.
  static void Register(CRuntimeClass* pClass);
  static void RegisterAll(CRuntimeClass* const* classes, size_t count);
  template <size_t N>
  static void RegisterAll(CRuntimeClass* const (&classes)[N]) {
    RegisterAll(classes, N);
  }
};

// Registers a class from a static initializer (used by the IMPLEMENT_ macros).
struct CClassRegistrar {
  explicit CClassRegistrar(CRuntimeClass* pClass) { CRuntimeClass::Register(pClass); }
};

class CObject {
 public:
  virtual ~CObject() { ::InterlockedDecrement(&s_nLive); }

  // Objects of every class alive now in this module (each program and DLL
  // links its own framework): a test proves with it that nothing leaks.
  static LONG GetLiveCount() { return s_nLive; }

  virtual CRuntimeClass* GetRuntimeClass() const;
  // Stores or loads the object's fields (the archive says which direction);
  // base-class fields first. CObject has none.
  virtual void Serialize(CArchive& ar);

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

  static CRuntimeClass classCObject;
  static CRuntimeClass* GetThisClass() { return &classCObject; }

  // Objects live in the framework's pools (objpool.h). The nothrow and
  // placement forms are declared too, as this operator new hides the global ones.
  static void* operator new(size_t nSize) { return qel::AllocateObjectMemory(nSize); }
  static void* operator new(size_t nSize, const std::nothrow_t&) noexcept;
  static void* operator new(size_t, void* pWhere) noexcept { return pWhere; }
  static void operator delete(void* p) noexcept { qel::FreeObjectMemory(p); }
  static void operator delete(void* p, const std::nothrow_t&) noexcept { qel::FreeObjectMemory(p); }
  static void operator delete(void*, void*) noexcept {}

 protected:
  CObject() { ::InterlockedIncrement(&s_nLive); }
  CObject(const CObject&) { ::InterlockedIncrement(&s_nLive); }
  CObject& operator=(const CObject&) = default;

 private:
  static LONG s_nLive;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// Declarations (inside the class body; they leave the access at public).
#define DECLARE_DYNAMIC(class_name)                                   \
 public:                                                              \
  static CRuntimeClass class##class_name;                             \
  static CRuntimeClass* GetThisClass() { return &class##class_name; } \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

// Definitions (in the class's .cpp file, at namespace scope).
#define QEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, pfnNew)                        \
  CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name), (UINT)(schema), \
                                                 pfnNew, RUNTIME_CLASS(base_class_name)};              \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  QEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, CRuntimeClass::kNoSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                            \
  CObject* class_name::CreateObject() { return new class_name; }                    \
  QEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, CRuntimeClass::kNoSchema, \
                             class_name::CreateObject)                              \
  static CClassRegistrar qel_registrar_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                               \
  CObject* class_name::CreateObject() { return new class_name; }                             \
  QEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
  static CClassRegistrar qel_registrar_##class_name(RUNTIME_CLASS(class_name));
