#include "viewer_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

#include "qel/picmsg.h"

namespace viewertest {

namespace {

const char kFakeClass[] = "QELPICVIEW";
const UINT kRequestPictures = WM_APP + 1;

LRESULT CALLBACK FakeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  RuntimeLog& log = Runtime();
  switch (msg) {
    case WM_CREATE: log.hwnd = hwnd; return 0;
    case QCM_SETHOSTCALLBACKS:
      log.events.push_back("host");
      log.host = *reinterpret_cast<const HostCallbackBlock*>(lp);
      return 0;
    case QCM_SETLOCALCALLBACKS:
      log.events.push_back("local");
      log.local = *reinterpret_cast<const LocalTagCallbackBlock*>(lp);
      return 0;
    case QCM_LOADPICDATA: {
      const PictureDataBlock* block = reinterpret_cast<const PictureDataBlock*>(lp);
      log.events.push_back("load");
      log.loads.emplace_back(static_cast<const char*>(block->bytes), block->count);
      if (std::memcmp(block->hostCallbacks, &log.host, sizeof log.host) != 0 ||
          std::memcmp(block->localTags, &log.local, sizeof log.local) != 0)
        log.tablesMatchedOnLoad = false;
      if (!log.requestOnLoad.empty()) {
        std::string name;
        name.swap(log.requestOnLoad);
        ::SendMessageA(::GetParent(hwnd), QCN_LINKPICTURE, ::GetDlgCtrlID(hwnd),
                       reinterpret_cast<LPARAM>(name.c_str()));
      }
      return 0;
    }
    case kRequestPictures: {
      const auto* names = reinterpret_cast<const std::vector<const char*>*>(lp);
      for (const char* name : *names)
        ::SendMessageA(::GetParent(hwnd), QCN_LINKPICTURE, ::GetDlgCtrlID(hwnd),
                       reinterpret_cast<LPARAM>(name));
      return 0;
    }
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

RuntimeLog& Runtime() {
  static RuntimeLog log;
  return log;
}

FakeRuntimeClass::FakeRuntimeClass() {
  Runtime() = RuntimeLog();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FakeProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kFakeClass;
  EXPECT_NE(::RegisterClassA(&wc), 0);
}

FakeRuntimeClass::~FakeRuntimeClass() { ::UnregisterClassA(kFakeClass, ::GetModuleHandleA(nullptr)); }

void RequestPictures(const std::vector<const char*>& names) {
  ASSERT_NE(Runtime().hwnd, nullptr);
  ::SendMessageA(Runtime().hwnd, kRequestPictures, 0, reinterpret_cast<LPARAM>(&names));
}

}  // namespace viewertest
