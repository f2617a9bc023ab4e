// The test plug-in: answers as configured, records what it was asked.
#include "qpitest_plugin.h"

#include <cstring>

#include "qel/picmsg.h"

namespace {

HINSTANCE g_instance = nullptr;
QpiTestConfig g_config = {{1, 2, 1, 1}, {0, 0, 0, 0}, FALSE, "", nullptr, nullptr};
QpiTestLogRecord g_log = {};
const char kLongClass[] = "QQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQ";  // 31 characters
static_assert(sizeof kLongClass == QPI_IDENT_SIZE, "the identifier less its last byte");

template <size_t n>
void Fill(char (&field)[n], const char* text, char filler) {
  if (g_config.unterminated)
    std::memset(field, filler, n);
  else
    std::memcpy(field, text, strnlen(text, n - 1));  // the host hands the fields over zeroed
}

void FillItem(QPI_ITEMINFO& item, int i) {
  item.id = static_cast<WORD>(100 + i);
  item.type = QPT_INT32;
  Fill(item.szName, "item", 'A');
  Fill(item.szDescription, "an item", 'B');
}

// Logs the call, writes at most max entries (each 128-byte entry an item)
// and answers max + delta.
int Table(QpiTestTable t, void* table, int max, int entriesPerBlock) {
  ++g_log.tableCalls[t];
  g_log.tableMax[t] = max;
  if (g_log.orderCount < kTestTables * 2) g_log.order[g_log.orderCount++] = t;
  const int answer = max + g_config.delta[t];
  const int written = answer < 0 ? 0 : (answer < max ? answer : max);
  QPI_ITEMINFO* items = static_cast<QPI_ITEMINFO*>(table);
  for (int i = 0; i < written * entriesPerBlock; ++i) FillItem(items[i], i);
  return answer;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCREATE: ++g_log.liveWindows; break;
    case WM_NCDESTROY:
      --g_log.liveWindows;
      if (g_config.onWindowGone) g_config.onWindowGone(g_config.user);
      break;
    case QPM_SHOWPAGES:
      ++g_log.pagesShown;
      std::strncpy(g_log.pagesTitle, lp ? reinterpret_cast<const char*>(lp) : "",
                   sizeof g_log.pagesTitle - 1);
      return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterClasses(bool add) {
  const char* const names[] = {QPITEST_CLASS, kLongClass};
  for (const char* name : names) {
    if (!add) {
      ::UnregisterClassA(name, g_instance);
      continue;
    }
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = g_instance;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
  }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  g_instance = instance;
  if (reason == DLL_PROCESS_ATTACH) RegisterClasses(true);
  if (reason == DLL_PROCESS_DETACH) RegisterClasses(false);
  return TRUE;
}

extern "C" {

int __stdcall QPI_GetPlugInfo(QPI_PLUGINFO* info) {
  ++g_log.infoCalls;
  info->nProperties = g_config.counts[kTestProperties];
  info->nInterfaces = g_config.counts[kTestInterfaces];
  info->nEvents = g_config.counts[kTestEvents];
  info->nEnums = g_config.counts[kTestEnums];
  Fill(info->szIdent, g_config.ident[0] ? g_config.ident : QPITEST_CLASS, 'Q');
  Fill(info->szName, "test", 'N');
  Fill(info->szMaker, "maker", 'M');
  Fill(info->szDescription, "description", 'D');
  Fill(info->szCopyright, "rights", 'R');
  return 1;
}

int __stdcall QPI_GetPropertyInfos(QPI_ITEMINFO* items, int max) {
  return Table(kTestProperties, items, max, 1);
}
int __stdcall QPI_GetInterfaceInfos(QPI_INTERFACEINFO* blocks, int max) {
  return Table(kTestInterfaces, blocks, max, QPI_BLOCK_ENTRIES);
}
int __stdcall QPI_GetEventInfos(QPI_ITEMINFO* items, int max) { return Table(kTestEvents, items, max, 1); }
int __stdcall QPI_GetEnumInfos(QPI_ENUMINFO* blocks, int max) {
  return Table(kTestEnums, blocks, max, QPI_BLOCK_ENTRIES);
}

void __stdcall QpiTestConfigure(const QpiTestConfig* config) {
  if (config) g_config = *config;
  g_log = QpiTestLogRecord();
}

QpiTestLogRecord* __stdcall QpiTestLog() { return &g_log; }

}  // extern "C"
