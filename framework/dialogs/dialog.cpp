#include "dialogs/dialog.h"

#include "controls/commoncontrols.h"
#include "dialogs/modalloop.h"
#include "resources/resload.h"
#include "wndimpl.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

INT_PTR CDialogAccess::Initialise(CDialog* dialog, HWND hwnd) {
  if (CWnd::FromHandlePermanent(hwnd) || !dialog->SubclassWindow(hwnd)) return FALSE;
  return QelGuarded(hwnd, WM_INITDIALOG, [dialog] { return LRESULT(dialog->OnInitDialog()); });
}

INT_PTR CALLBACK QelDialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_INITDIALOG || !lp) return FALSE;
  return CDialogAccess::Initialise(reinterpret_cast<CDialog*>(lp), hwnd);
}

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

BOOL CDialog::Create(UINT templateId, HWND parent) {
  if (m_hWnd) return FALSE;
  m_templateId = templateId;
  m_parent = parent;
  const DLGTEMPLATE* tmpl = QelFindDialogTemplate(templateId);
  if (!tmpl) return FALSE;
  QelInitCommonControls();  // templates may hold any common control
  m_modal = false;
  m_ended = false;
  HWND hwnd = ::CreateDialogIndirectParamA(QelGetResourceHandle(), tmpl, parent, QelDialogProc,
                                           reinterpret_cast<LPARAM>(this));
  if (hwnd && hwnd != m_hWnd) ::DestroyWindow(hwnd);
  return hwnd && hwnd == m_hWnd;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  const DLGTEMPLATE* tmpl = QelFindDialogTemplate(m_templateId);
  if (!tmpl) return -1;
  QelInitCommonControls();
  CModalOwnerLock owner(QelModalOwner(m_parent));
  m_modal = true;
  m_ended = false;
  m_result = IDCANCEL;
  HWND hwnd = ::CreateDialogIndirectParamA(QelGetResourceHandle(), tmpl, owner.Owner(), QelDialogProc,
                                           reinterpret_cast<LPARAM>(this));
  if (!hwnd || hwnd != m_hWnd) {
    if (hwnd && hwnd != m_hWnd) ::DestroyWindow(hwnd);
    m_modal = false;
    return -1;
  }
  if (!m_ended && !IsWindowVisible()) {
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
  }
  QelRunModalLoop(hwnd, [this] { return m_ended; });  // a quit or a lost window: IDCANCEL
  m_modal = false;
  QelLeaveModal(hwnd, owner);
  DestroyWindow();
  return m_result;
}

void CDialog::EndDialog(INT_PTR result) {
  m_result = result;
  m_ended = true;
  if (!m_hWnd) return;
  if (m_modal)
    PostMessage(WM_NULL);  // wakes the loop, wherever the call came from
  else
    ShowWindow(SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL save) {
  CDataExchange dx(this, save);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;
  }
  return TRUE;
}

void CDialog::GotoDlgCtrl(HWND control) {
  if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  return QelIsInputFor(m_hWnd, msg) && ::IsDialogMessageA(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      UINT id = LOWORD(wp), code = HIWORD(wp);
      HWND control = reinterpret_cast<HWND>(lp);
      // Menus, accelerators and buttons command; a control's other notices do not.
      bool isCommand = !control || code == BN_CLICKED;
      if (isCommand && id == IDOK) {
        OnOK();
        return 0;
      }
      if (isCommand && id == IDCANCEL) {
        OnCancel();
        return 0;
      }
      if (OnCommand(id, code, control)) return 0;
      break;
    }
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (lp && OnNotify(reinterpret_cast<NMHDR*>(lp), &result)) {
        // Some senders read the answer from the dialog's result slot.
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return result;
      }
      break;
    }
  }
  return CWnd::WindowProc(msg, wp, lp);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnCommand(UINT, UINT, HWND) { return false; }

bool CDialog::OnNotify(NMHDR*, LRESULT*) { return false; }
