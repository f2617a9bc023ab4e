// Exports bound by name as the function types their DLLs' .def files state.
#pragma once
#include <windows.h>

// GetProcAddress hands every export back as one generic type, FARPROC; only
// the caller knows the real one. The step through void (*)(), the one
// function type that the compiler takes for "any function", says that the
// change of type is meant (a direct cast between two other function types
// is flagged as a mismatch of their parameters).
template <class Fn>
Fn QelProcAs(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// The export `name` of `dll` as Fn; null when the export is missing.
template <class Fn>
Fn QelFindExport(HMODULE dll, const char* name) {
  return QelProcAs<Fn>(::GetProcAddress(dll, name));
}
