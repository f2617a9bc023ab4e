// The modal state every modal window of the layer shares: the owner is
// disabled while the window runs and enabled again afterwards only if it was
// enabled before; our own message loop runs until the window says it is done.
#pragma once
#include <windows.h>

// The window that owns a modal window opened from parent: parent's top-level
// window, or this thread's active window when parent is nullptr; nullptr when
// there is none (the desktop is never disabled).
HWND QelModalOwner(HWND parent);

// Disables the owner for the life of the object when it was enabled.
class CModalOwnerLock {
 public:
  explicit CModalOwnerLock(HWND owner);
  ~CModalOwnerLock() { Release(); }
  CModalOwnerLock(const CModalOwnerLock&) = delete;
  CModalOwnerLock& operator=(const CModalOwnerLock&) = delete;

  HWND Owner() const { return m_owner; }
  // Enables the owner again, when it was enabled before; called once.
  void Release();

 private:
  HWND m_owner;
  bool m_reenable;
};

// Ends the modal state of a window that is about to be destroyed: the owner is
// enabled again (when it was) before the window hides, so that the activation
// returns to the owner and not to a window of another program.
void QelLeaveModal(HWND modal, CModalOwnerLock& owner);

// True for a key or mouse message meant for window or one of its children:
// what a dialog's keyboard handling (IsDialogMessage) is offered.
bool QelIsInputFor(HWND window, const MSG* msg);

// Runs this thread's messages until done() holds or the modal window is gone;
// each message is first offered to PreTranslateMessage of the windows from
// its own up to the modal window (QelWalkPreTranslateTree). A WM_QUIT ends
// the loop and is posted again for the loop outside. Returns FALSE when the
// loop ended for another reason than done().
template <class Done>
BOOL QelRunModalLoop(HWND modal, Done done);

// The loop's step: takes and handles one message; FALSE on WM_QUIT (posted
// again) or a failing queue.
BOOL QelModalPump(HWND modal);

template <class Done>
BOOL QelRunModalLoop(HWND modal, Done done) {
  while (!done()) {
    if (!::IsWindow(modal) || !QelModalPump(modal)) return FALSE;
  }
  return TRUE;
}
