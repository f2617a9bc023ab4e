#include "wndmodule.h"

// The image this copy of the layer is linked into (the linker's symbol for the
// module's base address): the right instance for a program and for a DLL alike.
extern "C" IMAGE_DOS_HEADER __ImageBase;

QelModuleState& QelGetModuleState() {
  static QelModuleState state = [] {
    QelModuleState s;
    s.hInstance = s.hResource = reinterpret_cast<HINSTANCE>(&__ImageBase);
    return s;
  }();
  return state;
}

HINSTANCE QelGetInstanceHandle() { return QelGetModuleState().hInstance; }
HINSTANCE QelGetResourceHandle() { return QelGetModuleState().hResource; }
void QelSetResourceHandle(HINSTANCE resources) { QelGetModuleState().hResource = resources; }

std::string QelGetModuleName() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(QelGetInstanceHandle(), path, sizeof path);
  std::string name = path;
  size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

int QelLoadString(UINT id, char* buf, int n) {
  if (!buf || n <= 0) return 0;
  int len = ::LoadStringA(QelGetResourceHandle(), id, buf, n);
  if (len <= 0) buf[0] = '\0';
  return len > 0 ? len : 0;
}

QelExceptionReporter QelSetExceptionReporter(QelExceptionReporter reporter) {
  QelExceptionReporter old = QelGetModuleState().reportException;
  QelGetModuleState().reportException = reporter;
  return old;
}
