// QComPtr<T>: one counted reference to a COM interface, released by its
// owner's destructor. Out-parameters of platform calls take its address:
//
//   QComPtr<IDispatch> dispatch;
//   unknown->QueryInterface(IID_IDispatch, dispatch.OutVoid());
//
// taking the address releases what the pointer held before, so a pointer is
// never leaked by being filled twice.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <utility>

template <class T>
class QComPtr {
 public:
  QComPtr() = default;
  // Adds a reference of its own to p.
  explicit QComPtr(T* p) : m_p(p) {
    if (m_p) m_p->AddRef();
  }
  QComPtr(const QComPtr& o) : QComPtr(o.m_p) {}
  QComPtr(QComPtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
  QComPtr& operator=(QComPtr o) noexcept {
    std::swap(m_p, o.m_p);
    return *this;
  }
  ~QComPtr() { Release(); }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }

  // Drops the reference now.
  void Release() {
    if (T* p = m_p) {
      m_p = nullptr;
      p->Release();
    }
  }
  // Takes over a reference the caller owns (no AddRef).
  void Attach(T* p) {
    Release();
    m_p = p;
  }
  // Hands the reference to the caller.
  T* Detach() {
    T* p = m_p;
    m_p = nullptr;
    return p;
  }
  // For out-parameters: releases the old reference first.
  T** Out() {
    Release();
    return &m_p;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

  // This pointer filled from another object's QueryInterface; the result of the call.
  HRESULT QueryFrom(IUnknown* from, REFIID iid) {
    Release();
    if (!from) return E_POINTER;
    HRESULT hr = from->QueryInterface(iid, OutVoid());
    if (FAILED(hr)) m_p = nullptr;  // a failing object may leave garbage behind
    return hr;
  }

 private:
  T* m_p = nullptr;
};
