// Helpers of Sampex's tests: the library from the program folder, and a guard
// that refuses every message box of the thread and counts them.
#pragma once
#include <windows.h>

namespace sampextest {

// Sampex.dll, loaded once from the program folder for the whole test program.
inline HMODULE Library() {
  static HMODULE module = ::LoadLibraryA("..\\out\\Sampex.dll");
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
      const bool dialog = cls && (IS_INTRESOURCE(cls)
                                      ? LOWORD(reinterpret_cast<ULONG_PTR>(cls)) == 32770
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

}  // namespace sampextest
