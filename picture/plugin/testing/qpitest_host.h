// The test side of the test plug-in: the library held loaded by the test for
// the length of a case, so that its answers can be set before a host loads
// it and its log read afterwards.
#pragma once
#include <windows.h>

#include <string>

#include "qel/exportproc.h"
#include "qpitest_plugin.h"

namespace qpitest {

constexpr char kUnruly[] = "qpiunruly.dll";

// The library that must never be loaded (qpimarker.cpp): in this folder below
// the tests folder, outside every program folder the tests use; what it
// writes to the load marker.
constexpr char kMarkerFolder[] = "outside\\";
constexpr char kMarkerLibrary[] = "qpimarker.dll";
constexpr char kMarkerName[] = "qpimarker";

// The five exports, in the order the host binds them.
inline const char* const kExports[] = {QPI_EXPORT_GETPLUGINFO, QPI_EXPORT_GETPROPERTYINFOS,
                                       QPI_EXPORT_GETINTERFACEINFOS, QPI_EXPORT_GETEVENTINFOS,
                                       QPI_EXPORT_GETENUMINFOS};

// The variant that lacks one export.
inline std::string MissingExportLibrary(const char* exportName) {
  return std::string("qpimiss_") + exportName + ".dll";
}

inline bool IsLoaded(const char* library) { return ::GetModuleHandleA(library) != nullptr; }

class TestPlugin {
 public:
  TestPlugin() : module_(::LoadLibraryA(kUnruly)) { Configure(Defaults()); }
  ~TestPlugin() { Release(); }
  TestPlugin(const TestPlugin&) = delete;
  TestPlugin& operator=(const TestPlugin&) = delete;

  static QpiTestConfig Defaults() {
    QpiTestConfig c = {};
    c.counts[kTestProperties] = 2;
    c.counts[kTestInterfaces] = 1;
    c.counts[kTestEvents] = 1;
    c.counts[kTestEnums] = 1;
    return c;
  }

  bool Ok() const { return module_ != nullptr; }
  void Configure(const QpiTestConfig& config) {
    if (auto set = QelProcAs<QpiTestConfigureProc>(Find("QpiTestConfigure"))) set(&config);
  }
  const QpiTestLogRecord& Log() const {
    static QpiTestLogRecord none = {};
    auto get = QelProcAs<QpiTestGetLogProc>(Find("QpiTestLog"));
    return get ? *get() : none;
  }
  // Gives up the test's own reference: the library stays only while a host
  // holds it.
  void Release() {
    if (module_) ::FreeLibrary(module_);
    module_ = nullptr;
  }

 private:
  FARPROC Find(const char* name) const { return module_ ? ::GetProcAddress(module_, name) : nullptr; }
  HMODULE module_;
};

}  // namespace qpitest
