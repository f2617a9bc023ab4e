#include "picwindowhost.h"

#include "qel/picmsg.h"
#include "qel/hostcallbacks.h"

CPicWindowHost::CPicWindowHost(const char* library, const char* windowClass)
    : m_library(library), m_windowClass(windowClass) {}

CPicWindowHost::~CPicWindowHost() { Destroy(); }

bool CPicWindowHost::Create(HWND parent, UINT id) {
  Destroy();
  m_hWnd = ::CreateWindowExA(0, m_windowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             ::GetModuleHandleA(nullptr), nullptr);
  return m_hWnd != nullptr;
}

void CPicWindowHost::Destroy() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  m_hWnd = nullptr;
}

LRESULT CPicWindowHost::Send(UINT msg, WPARAM wp, LPARAM lp) const {
  return Exists() ? ::SendMessageA(m_hWnd, msg, wp, lp) : 0;
}

LRESULT CPicWindowHost::Query(int code) const { return Send(QCM_QUERY, static_cast<WPARAM>(code), 0); }

void CPicWindowHost::SendCallbacks(const HostCallbackBlock& host, const LocalTagCallbackBlock& local) const {
  Send(QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&host));
  Send(QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&local));
}
