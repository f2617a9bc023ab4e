#include "picedithost.h"

#include "picmsg.h"

namespace {
const char kEditClass[] = "QELPICEDIT";
const char kQelCtrl[] = "QelCtrl.dll";
}  // namespace

CPicEditHost::CPicEditHost() : m_library(kQelCtrl) {}

CPicEditHost::~CPicEditHost() { Destroy(); }

BOOL CPicEditHost::Create(HWND parent, UINT id) {
  Destroy();
  m_hWnd = ::CreateWindowExA(0, kEditClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                             nullptr);
  return m_hWnd != nullptr;
}

void CPicEditHost::Destroy() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  m_hWnd = nullptr;
}

LRESULT CPicEditHost::Send(UINT msg, WPARAM wp, LPARAM lp) const {
  return m_hWnd ? ::SendMessageA(m_hWnd, msg, wp, lp) : 0;
}

LRESULT CPicEditHost::Query(int code) const { return Send(QCM_QUERY, static_cast<WPARAM>(code), 0); }
