#include "runtimehost.h"

#include "../editctrl/picmsg.h"

const char CRuntimeHost::kLibraryName[] = "QelRun.dll";
const char CRuntimeHost::kWindowClass[] = "QELPICVIEW";

CRuntimeHost::CRuntimeHost() : m_module(::LoadLibraryA(kLibraryName)) {}

CRuntimeHost::~CRuntimeHost() {
  Destroy();
  if (m_module) ::FreeLibrary(m_module);
}

bool CRuntimeHost::Create(HWND parent, UINT id) {
  if (m_hWnd) return false;
  m_hWnd = ::CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             ::GetModuleHandleA(nullptr), nullptr);
  return m_hWnd != nullptr;
}

void CRuntimeHost::Destroy() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  m_hWnd = nullptr;
}

void CRuntimeHost::SendHostCallbacks(const HostCallbackBlock& host) {
  if (Exists()) ::SendMessageA(m_hWnd, QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&host));
}

void CRuntimeHost::SendLocalCallbacks(const LocalTagCallbackBlock& local) {
  if (Exists()) ::SendMessageA(m_hWnd, QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&local));
}

LRESULT CRuntimeHost::SendLoadPicData(const LocalTagCallbackBlock& local, const HostCallbackBlock& host,
                                      const void* bytes, DWORD count) {
  if (!Exists()) return 0;
  // The window copies both tables; the block only lives for the call.
  PictureDataBlock block{const_cast<LocalTagCallbackBlock*>(&local), const_cast<HostCallbackBlock*>(&host),
                         bytes, count};
  return ::SendMessageA(m_hWnd, QCM_LOADPICDATA, 0, reinterpret_cast<LPARAM>(&block));
}

void CRuntimeHost::Move(int cx, int cy) {
  if (Exists()) ::MoveWindow(m_hWnd, 0, 0, cx, cy, TRUE);
}
