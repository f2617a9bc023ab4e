// Inside the window layer: attaching objects to handles and the one dispatch
// path that every window procedure of the layer goes through.
#pragma once
#include <new>
#include <stdexcept>

#include "exceptions.h"
#include "wnd.h"

// The procedure that the layer puts in front of a created or subclassed window.
LRESULT CALLBACK QelWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

struct CWndAccess {
  // Enters the object in the handle map. With subclass, QelWndProc replaces the
  // window's procedure, which becomes the one that messages are passed on to.
  static void Attach(CWnd* wnd, HWND hwnd, bool subclass);
  // Attaches an object made by a class's own procedure; it belongs to its window.
  static void AttachOwned(CWnd* wnd, HWND hwnd);
  // Removes the object from the map, putting the window's procedure back.
  static void Detach(CWnd* wnd);
  // Reflection, WindowProc and the exception boundary; after WM_NCDESTROY the
  // object is detached and PostNcDestroy runs (the object may be gone after).
  static LRESULT Dispatch(CWnd* wnd, UINT msg, WPARAM wp, LPARAM lp);
  static bool IsSubclassed(const CWnd* wnd) { return wnd->m_subclassed; }
};

// Offers a child notification to the child's object (in this module directly,
// in another module through the reflection message); true when it handled it.
bool QelReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
// The answer of a window of this module to the reflection message.
LRESULT QelAnswerReflection(CWnd* child, LPARAM packet);
// The registered message that carries a reflected notification across modules.
UINT QelReflectMessage();

// Reports an exception caught at a window procedure and returns the result that
// keeps the window sane (creation fails; a paint is not retried forever).
LRESULT QelAfterException(HWND hwnd, UINT msg, const char* what);

// Runs fn; any exception becomes the report and the safe result above.
template <class Fn>
LRESULT QelGuarded(HWND hwnd, UINT msg, Fn fn) {
  try {
    return fn();
  } catch (const CException& e) {
    CString text = e.GetErrorMessage();
    return QelAfterException(hwnd, msg, text);
  } catch (const std::bad_alloc&) {
    return QelAfterException(hwnd, msg, "内存不足。");
  } catch (const std::exception& e) {
    return QelAfterException(hwnd, msg, e.what());
  } catch (...) {
    return QelAfterException(hwnd, msg, "发生了未知错误。");
  }
}
