#include "controls/commoncontrols.h"

#include <commctrl.h>

BOOL QelInitCommonControls() {
  static const BOOL ready = [] {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_BAR_CLASSES |
                                                ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES |
                                                ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    return ::InitCommonControlsEx(&icc);
  }();
  return ready;
}

BOOL QelLoadRichEdit() {
  // Kept loaded for the life of the process: windows of its class may outlive
  // any one module that made them.
  static const HMODULE library = ::LoadLibraryA("riched20.dll");
  return library != nullptr;
}

BOOL QelCreateControl(CWnd& wnd, const char* className, DWORD exStyle, DWORD style, const RECT& rect,
                      HWND parent, UINT id) {
  QelInitCommonControls();
  return wnd.CreateEx(exStyle, className, "", style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

CString QelGetIndexedText(HWND control, UINT lengthMsg, UINT textMsg, int index) {
  CString text;
  LRESULT n = ::SendMessageA(control, lengthMsg, index, 0);
  if (n < 0) return text;
  char* buf = text.GetBuffer(static_cast<int>(n) + 1);
  buf[0] = '\0';
  LRESULT got = ::SendMessageA(control, textMsg, index, reinterpret_cast<LPARAM>(buf));
  text.ReleaseBuffer(got < 0 ? 0 : -1);
  return text;
}
