// Helpers of Sampex's tests: the library beside the test program, a guard
// that refuses every message box of the thread and counts them, tag attribute
// records, and a picture window that answers the tag query.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "moduledir.h"
#include "qel/qbtypes.h"

namespace sampextest {

// Sampex.dll, loaded once for the whole test program from the program's own
// folder, where a plug-in host linked into the program finds it too.
inline HMODULE Library() {
  static HMODULE module = ::LoadLibraryA((GetModuleDir() + "Sampex.dll").GetString());
  return module;
}

// While it lives, no dialog box (a message box included) of this thread is
// made; each refused one is counted, and MessageBox returns at once.
class BoxGuard {
 public:
  BoxGuard() {
    s_count = 0;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~BoxGuard() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
  }
  BoxGuard(const BoxGuard&) = delete;
  BoxGuard& operator=(const BoxGuard&) = delete;

  int Refused() const { return s_count; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
      auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lp);
      LPCSTR cls = create->lpcs ? create->lpcs->lpszClass : nullptr;
      const bool dialog = cls && (IS_INTRESOURCE(cls) ? LOWORD(reinterpret_cast<ULONG_PTR>(cls)) == 32770
                                                      : ::lstrcmpiA(cls, "#32770") == 0);
      if (dialog) {
        ++s_count;
        return 1;
      }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline int s_count = 0;
  HHOOK m_hook = nullptr;
};

// A tag attribute record whose bytes past the first 192 are 0xEE (a list
// must not keep them).
inline QB_TAGATTR Tag(const char* name, BYTE type, const char* description = "desc", const char* unit = "m") {
  QB_TAGATTR tag;
  std::memset(&tag, 0xEE, sizeof tag);
  tag.type = type;
  std::strcpy(tag.name, name);
  std::strcpy(tag.description, description);
  std::strcpy(tag.unit, unit);
  return tag;
}

// A picture window of the test: answers QPM_QUERYTAGS with `answer` after
// delivering each of `batches` through the request's callback, and keeps
// what it was asked. One at a time.
class FakePicture {
 public:
  LRESULT answer = 0;
  std::vector<std::vector<QB_TAGATTR>> batches;
  int queries = 0;
  DWORD checkWord = 0;
  std::string pattern1, pattern2;
  int selector1 = 0, selector2 = 0;
  void* user = nullptr;

  // A top-level window, or a child of parent (a picture window holding a plug-in).
  explicit FakePicture(HWND parent = nullptr) {
    s_current = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SampexFakePicture";
    ::RegisterClassA(&wc);
    m_hwnd = ::CreateWindowA(wc.lpszClassName, "", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, 0, 0, 400, 300,
                             parent, nullptr, wc.hInstance, nullptr);
  }
  ~FakePicture() {
    if (m_hwnd) ::DestroyWindow(m_hwnd);
    s_current = nullptr;
  }
  FakePicture(const FakePicture&) = delete;
  FakePicture& operator=(const FakePicture&) = delete;

  HWND Window() const { return m_hwnd; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FakePicture* self = s_current;
    if (msg != QPM_QUERYTAGS || !self) return ::DefWindowProcA(hwnd, msg, wp, lp);
    const auto* r = reinterpret_cast<const TagQueryRequest*>(lp);
    ++self->queries;
    self->checkWord = static_cast<DWORD>(wp);
    self->pattern1 = r->pattern1;
    self->pattern2 = r->pattern2;
    self->selector1 = r->selector1;
    self->selector2 = r->selector2;
    self->user = r->user;
    for (auto& batch : self->batches) r->proc(batch.data(), static_cast<int>(batch.size()), r->user);
    return self->answer;
  }
  static inline FakePicture* s_current = nullptr;
  HWND m_hwnd = nullptr;
};

}  // namespace sampextest
