#include "colortest_util.h"

#include <cstring>

#include "qel/picmsg.h"
#include "wndtest/wndtest_util.h"

namespace colortest {

namespace {

BOOL CALLBACK FindPopup(HWND hwnd, LPARAM found) {
  char cls[32] = "";
  ::GetClassNameA(hwnd, cls, sizeof cls);
  if (std::strcmp(cls, "QelColorPopup") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

}  // namespace

bool CRecorder::Create() { return wndtest::CreateTopLevel(*this, false) != FALSE; }

int CRecorder::Changes() const {
  int changes = 0;
  for (const Report& r : reports) changes += r.msg == QCCN_CHANGED;
  return changes;
}

LRESULT CRecorder::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case QCPN_SELCHANGE:
    case QCPN_SELENDOK:
    case QCPN_SELENDCANCEL:
    case QCCN_CHANGED: reports.push_back({msg, static_cast<COLORREF>(wp)}); return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

CColorPopup* OpenPopup() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&found));
  return found ? static_cast<CColorPopup*>(CWnd::FromHandlePermanent(found)) : nullptr;
}

void Key(HWND popup, UINT key) { ::SendMessageA(popup, WM_KEYDOWN, key, 0); }

}  // namespace colortest
