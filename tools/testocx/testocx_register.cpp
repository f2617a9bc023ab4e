#include "testocx_register.h"

#include "testocx_ids.h"

namespace {

const char kDllName[] = "QelTestOcx.dll";

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

FARPROC Export(const char* name) {
  HMODULE dll = ::GetModuleHandleA(kDllName);
  return dll ? ::GetProcAddress(dll, name) : nullptr;
}

}  // namespace

bool RegisterTestOcx() {
  // Kept loaded: COM finds the same module when it creates the control.
  HMODULE dll = ::LoadLibraryA((ProgramFolder() + kDllName).c_str());
  if (!dll) return false;
  using RegisterFn = HRESULT(__stdcall*)();
  auto reg = reinterpret_cast<RegisterFn>(::GetProcAddress(dll, "DllRegisterServer"));
  return reg && SUCCEEDED(reg());
}

std::string TestOcxLog() {
  auto log = reinterpret_cast<TestOcxLogFn>(Export("QelTestOcxLog"));
  return log ? std::string(log()) : std::string();
}

void ClearTestOcxLog() {
  if (auto clear = reinterpret_cast<TestOcxClearLogFn>(Export("QelTestOcxClearLog"))) clear();
}

LONG TestOcxLiveObjects() {
  auto live = reinterpret_cast<TestOcxLiveFn>(Export("QelTestOcxLiveObjects"));
  return live ? live() : -1;
}
