// CAdviseHolder: an interface pointer (a reference held) and the cookie of
// an advise connection made on it. Destruction revokes the cookie through the
// interface's own unadvise operation, then releases the interface. Three
// variants differ only in that operation: connection points, the OLE
// object's advise sinks and the data object's advise sinks.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

// The COM error raised by a revoke that cannot be made.
struct CAdviseError {
  HRESULT hr;
};

template <class Interface, HRESULT (*Unadvise)(Interface*, DWORD)>
class CAdviseHolder {
 public:
  explicit CAdviseHolder(Interface* itf = nullptr) : m_pItf(itf) {
    if (m_pItf) m_pItf->AddRef();
  }
  // Never throws: a failing revoke while COM objects go away is dropped.
  ~CAdviseHolder() {
    try {
      Revoke();
    } catch (...) {
    }
    if (m_pItf) m_pItf->Release();
  }
  CAdviseHolder(const CAdviseHolder&) = delete;
  CAdviseHolder& operator=(const CAdviseHolder&) = delete;

  Interface* Get() const { return m_pItf; }
  DWORD m_dwCookie = 0;

  // Revokes a non-zero cookie and sets it to 0; a cookie without an
  // interface raises E_POINTER.
  void Revoke() {
    if (m_dwCookie == 0) return;
    if (!m_pItf) throw CAdviseError{E_POINTER};
    Unadvise(m_pItf, m_dwCookie);
    m_dwCookie = 0;
  }

 private:
  Interface* m_pItf;
};

inline HRESULT UnadviseConnection(IConnectionPoint* p, DWORD cookie) { return p->Unadvise(cookie); }
inline HRESULT UnadviseOleObject(IOleObject* p, DWORD cookie) { return p->Unadvise(cookie); }
inline HRESULT UnadviseDataObject(IDataObject* p, DWORD cookie) { return p->DUnadvise(cookie); }

using CConnectionAdviseHolder = CAdviseHolder<IConnectionPoint, &UnadviseConnection>;
using COleObjectAdviseHolder = CAdviseHolder<IOleObject, &UnadviseOleObject>;
using CDataAdviseHolder = CAdviseHolder<IDataObject, &UnadviseDataObject>;
