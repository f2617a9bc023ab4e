// Reflection: a child's notification to its parent is first offered back to the
// child's own object, so that a control handles its own clicks and drawing.
#include "wndimpl.h"

namespace {

// What crosses to a child in another module with the reflection message.
struct ReflectedNotify {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
  LRESULT result;
};

// The answer of a window that handled a reflected notification; anything else
// (0 from a window outside the layer) means "not handled".
const LRESULT kReflectionHandled = 0x51454C52;  // "QELR"

bool IsControlDraw(UINT ctlType) { return ctlType != ODT_MENU; }

// The child window that sent a notification, or nullptr for any other message.
HWND NotifyingChild(HWND parent, UINT msg, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:  // lParam 0: a menu or an accelerator
      return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY: return lp ? reinterpret_cast<const NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      return item && IsControlDraw(item->CtlType) ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {  // the item names its control by id only
      auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
      return item && IsControlDraw(item->CtlType) ? ::GetDlgItem(parent, item->CtlID) : nullptr;
    }
    case WM_DELETEITEM: return lp ? reinterpret_cast<const DELETEITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_COMPAREITEM: return lp ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:  // lParam 0: the window's own scroll bar
    case WM_VSCROLL: return reinterpret_cast<HWND>(lp);
  }
  return nullptr;
}

// Only a child of the same thread is asked; sending to another thread from
// inside a notification could block both.
bool IsAskableChild(HWND parent, HWND child) {
  return child && child != parent && ::IsWindow(child) &&
         ::GetWindowThreadProcessId(child, nullptr) == ::GetCurrentThreadId();
}

}  // namespace

UINT QelReflectMessage() {
  static const UINT id = ::RegisterWindowMessageA("QelReflectedChildNotify");
  return id;
}

bool QelReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND child = NotifyingChild(parent, msg, lp);
  if (!IsAskableChild(parent, child)) return false;
  if (CWnd* own = CWnd::FromHandlePermanent(child)) return own->OnChildNotify(msg, wp, lp, result);
  ReflectedNotify packet{msg, wp, lp, 0};
  if (::SendMessageA(child, QelReflectMessage(), 0, reinterpret_cast<LPARAM>(&packet)) != kReflectionHandled)
    return false;
  *result = packet.result;
  return true;
}

LRESULT QelAnswerReflection(CWnd* child, LPARAM packet) {
  auto* notify = reinterpret_cast<ReflectedNotify*>(packet);
  if (!notify) return 0;
  return child->OnChildNotify(notify->msg, notify->wp, notify->lp, &notify->result) ? kReflectionHandled : 0;
}
