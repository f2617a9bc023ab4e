// CDialog: a dialog window made from a dialog template of the module that the
// dialog's class is compiled into (resources/resload.h).
//
// A dialog is its template, one class and its data exchange:
//
//   class CPortDlg : public CDialog {
//    public:
//     CPortDlg() : CDialog(IDD_PORT) {}
//     UINT m_port = 0;
//    protected:
//     void DoDataExchange(CDataExchange* dx) override {
//       DDX_Text(dx, IDC_PORT, m_port);
//       DDV_MinMaxUInt(dx, m_port, 1024, 65535);
//     }
//   };
//   CPortDlg dlg;
//   if (dlg.DoModal() == IDOK) use(dlg.m_port);
//
// DoModal disables the owner, runs our own message loop (each message offered
// to PreTranslateMessage, whose default lets IsDialogMessage handle the keys)
// until EndDialog, enables the owner again only if it was enabled, and
// destroys the window. OnInitDialog loads the controls (UpdateData(FALSE));
// OnOK takes them back (UpdateData(TRUE)) and ends with IDOK only when every
// field was accepted; a refused field has shown its message and has the focus.
//
// Create makes a modeless dialog, or a child dialog when the template has
// WS_CHILD; it lives until DestroyWindow or the object's end.
#pragma once
#include "dialogs/dataexchange.h"
#include "wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog() = default;
  explicit CDialog(UINT templateId, HWND parent = nullptr);

  // IDOK, IDCANCEL or the value given to EndDialog; -1 when the template is
  // missing or the window could not be made.
  virtual INT_PTR DoModal();
  // A modeless (or child) dialog from the template; FALSE on failure.
  BOOL Create(UINT templateId, HWND parent = nullptr);
  // Ends a modal dialog with result once the current message is handled; a
  // modeless dialog is hidden.
  void EndDialog(INT_PTR result);

  // Exchanges every field with its control (save TRUE: controls to fields,
  // with validation). FALSE when a field was refused.
  BOOL UpdateData(BOOL save = TRUE);

  // Moves the focus to a control as the dialog's keyboard does (an edit's text
  // gets selected).
  void GotoDlgCtrl(HWND control);

  UINT GetTemplateId() const { return m_templateId; }
  bool IsModal() const { return m_modal; }

  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // TRUE lets the platform put the focus on the first control.
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // Lists the fields in the order the user sees them.
  virtual void DoDataExchange(CDataExchange* dx);
  // A WM_COMMAND other than IDOK and IDCANCEL that no control handled itself;
  // true when handled.
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  // A WM_NOTIFY that no control handled itself; true when handled, with the
  // answer in *result.
  virtual bool OnNotify(NMHDR* header, LRESULT* result);

  UINT m_templateId = 0;
  HWND m_parent = nullptr;

 private:
  friend INT_PTR CALLBACK QelDialogProc(HWND, UINT, WPARAM, LPARAM);
  friend struct CDialogAccess;
  bool m_modal = false;
  bool m_ended = false;
  INT_PTR m_result = IDCANCEL;
};

// The dialog procedure of every dialog of the layer: it attaches the object
// handed over with WM_INITDIALOG and runs OnInitDialog; everything else
// reaches the object through its window procedure first.
INT_PTR CALLBACK QelDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

struct CDialogAccess {
  // Attaches the dialog to the window being initialised and runs its
  // OnInitDialog (exceptions reported); the answer to WM_INITDIALOG.
  static INT_PTR Initialise(CDialog* dialog, HWND hwnd);
};
