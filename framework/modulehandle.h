// A loaded library, freed by its owner's destructor.
#pragma once
#include <windows.h>

#include "qel/exportproc.h"

class CModuleHandle {
 public:
  CModuleHandle() = default;
  explicit CModuleHandle(const char* name) { Load(name); }
  ~CModuleHandle() { Free(); }
  CModuleHandle(const CModuleHandle&) = delete;
  CModuleHandle& operator=(const CModuleHandle&) = delete;

  // Loads by name with the platform's search order (frees what was held
  // first); false when the library cannot be loaded.
  bool Load(const char* name) {
    Free();
    m_hModule = name ? ::LoadLibraryA(name) : nullptr;
    return m_hModule != nullptr;
  }
  void Free() {
    if (m_hModule) ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
  }
  HMODULE Get() const { return m_hModule; }
  // An export by name; null when missing or nothing is loaded.
  FARPROC Find(const char* name) const { return m_hModule ? ::GetProcAddress(m_hModule, name) : nullptr; }
  // The same as a function pointer of type Fn.
  template <class Fn>
  Fn Find(const char* name) const {
    return QelProcAs<Fn>(Find(name));
  }
  bool IsLoaded() const { return m_hModule != nullptr; }

 private:
  HMODULE m_hModule = nullptr;
};
