// The built library in the program folder: loads, exports all thirty-three
// names undecorated, and refuses to load without Windows Sockets.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "qbapi.h"
#include "qel/exportproc.h"
#include "qbstartup.h"

namespace {

#define QB_EXPORT_NAME(ret, name, args) #name,
const char* const kExportNames[] = {QB_EXPORTS(QB_EXPORT_NAME)};
#undef QB_EXPORT_NAME

struct Library {
  HMODULE module = LoadLibraryA("..\\out\\qel3api.dll");
  ~Library() {
    if (module) FreeLibrary(module);
  }
};

TEST(Qel3apiDll, ExportsAllThirtyThreeNamesUndecorated) {
  Library lib;
  ASSERT_NE(nullptr, lib.module) << GetLastError();
  ASSERT_EQ(33u, sizeof kExportNames / sizeof kExportNames[0]);
  for (const char* name : kExportNames)
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(lib.module, name))) << name;
  EXPECT_EQ(nullptr, reinterpret_cast<void*>(GetProcAddress(lib.module, "_QB_Create@0")));
  EXPECT_EQ(nullptr, reinterpret_cast<void*>(GetProcAddress(lib.module, "QB_Destroy")));
}

TEST(Qel3apiDll, HandlesWorkThroughTheBoundEntryPoints) {
  Library lib;
  ASSERT_NE(nullptr, lib.module);
  auto create = QelFindExport<PFN_QB_Create>(lib.module, "QB_Create");
  auto destroy = QelFindExport<PFN_QB_Destory>(lib.module, "QB_Destory");
  auto connect = QelFindExport<PFN_QB_Connect>(lib.module, "QB_Connect");
  auto isConnected = QelFindExport<PFN_QB_IsConnnect>(lib.module, "QB_IsConnnect");
  auto readReal = QelFindExport<PFN_QB_ReadReal>(lib.module, "QB_ReadReal");
  ASSERT_TRUE(create && destroy && connect && isConnected && readReal);
  QB_HANDLE h = create();
  ASSERT_NE(nullptr, h);
  EXPECT_EQ(QB_ERR_FAIL, connect(h, "0.0.0.0", 11084, "u", "p"));
  int connected = 7;
  EXPECT_EQ(QB_OK, isConnected(h, &connected));
  EXPECT_EQ(0, connected);
  QB_TAGVALUE record = {};
  EXPECT_EQ(QB_ERR_NOTCONNECTED, readReal(h, &record, 1));
  EXPECT_EQ(QB_ERR_FAIL, readReal(nullptr, &record, 1));
  EXPECT_EQ(QB_OK, destroy(h));
}

std::string g_notified;
int FailingStartup() { return 10091; }
int WorkingStartup() { return 0; }
void Capture(const char* text) { g_notified = text; }

TEST(Qel3apiStartup, FailureShowsTheMessageAndRefusesToLoad) {
  g_notified.clear();
  EXPECT_FALSE(QbStartSockets(FailingStartup, Capture));
  // "Windows 通信端口初始化失败。" in code page 936.
  EXPECT_EQ(std::string("Windows \xCD\xA8\xD0\xC5\xB6\xCB\xBF\xDA\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7"
                        "\xB0\xDC\xA1\xA3"),
            g_notified);
  g_notified.clear();
  EXPECT_TRUE(QbStartSockets(WorkingStartup, Capture));
  EXPECT_TRUE(g_notified.empty());
}

}  // namespace
