// CDynamicLibrary: a library loaded by name, freed by its owner.
#pragma once
#include <windows.h>

class CDynamicLibrary {
 public:
  CDynamicLibrary() = default;
  explicit CDynamicLibrary(const char* name) : m_module(name ? ::LoadLibraryA(name) : nullptr) {}
  ~CDynamicLibrary() { Free(); }
  CDynamicLibrary(const CDynamicLibrary&) = delete;
  CDynamicLibrary& operator=(const CDynamicLibrary&) = delete;

  BOOL Load(const char* name) {
    Free();
    m_module = name ? ::LoadLibraryA(name) : nullptr;
    return m_module != nullptr;
  }
  void Free() {
    if (m_module) ::FreeLibrary(m_module);
    m_module = nullptr;
  }
  HMODULE Handle() const { return m_module; }
  bool IsLoaded() const { return m_module != nullptr; }
  // The export of that name as a function pointer of type Fn, or nullptr.
  template <class Fn>
  Fn Get(const char* name) const {
    return m_module ? reinterpret_cast<Fn>(::GetProcAddress(m_module, name)) : nullptr;
  }

 private:
  HMODULE m_module = nullptr;
};
