#include "scriptdlg.h"

#include "action.h"
#include "controls/commoncontrols.h"
#include "dialogs/modalloop.h"
#include "moduledir.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "qel/picmsg.h"

namespace {

// Scripts may be far longer than the control's default of 32,767 characters.
constexpr LPARAM kMaxScriptChars = 16 * 1024 * 1024;
constexpr UINT_PTR kToolbarTimer = 1;
constexpr UINT kToolbarTimerMs = 250;  // the clipboard may change while the dialog is open
// Timer messages come only when no other message waits: the pieces of
// colouring fill the time the dialog would be idle.
constexpr UINT_PTR kColourTimer = 2;
constexpr UINT kColourTimerMs = 10;
constexpr double kColourBudgetMs = 30;  // per timer message
constexpr int kMinWidth = 640;
constexpr int kMinHeight = 120;
constexpr int kEditMargin = 2;  // between the edit and the picker

// The rich edit's notices while the dialog is open.
constexpr DWORD kEditNotices = ENM_CHANGE | ENM_SELCHANGE;

}  // namespace

const char CScriptDlg::kFrameScript[] =
    "//类型宏替换\r\n"
    "#define CHAR\t\tchar\r\n"
    "#define BYTE\t\tunsigned char\r\n"
    "#define SHORT\t\tshort int\r\n"
    "#define LONG\t\tint\r\n"
    "#define DWORD\t\tunsigned int\r\n"
    "#define BOOL\t\tbool\r\n"
    "#define FLOAT\t\tfloat\r\n"
    "#define __int64\t\tint64\r\n"
    "#define LONGLONG\tint64\r\n"
    "#define DOUBLE\t\tdouble\r\n"
    "\r\n"
    "int main()\r\n"
    "{\r\n"
    "\t//Add  your code here\r\n\r\n"
    "\treturn 0;\r\n"
    "}\r\n";

CScriptDlg::CScriptDlg(CPicEditWnd* editWnd, HWND parent)
    : CDialog(IDD_SCRIPT, parent), m_pEditWnd(editWnd), m_strCompiler(GetModuleDir() + "sc\\Tarnic.exe") {}

void CScriptDlg::SetTrigger(int trigger, int periodMs) {
  m_nTrigger = trigger;
  m_nPeriod = periodMs;
  m_bTriggerGiven = true;
}

void CScriptDlg::TakeTrigger(int trigger, int periodMs) {
  m_nTrigger = trigger;
  m_nPeriod = periodMs;
  m_bModified = true;
  if (m_hWnd) UpdateToolbar();
}

INT_PTR CScriptDlg::DoModal() {
  if (!QelLoadRichEdit()) return -1;  // the template holds a rich edit control
  return CDialog::DoModal();
}

BOOL CScriptDlg::OnInitDialog() {
  m_edit.SubclassDlgItem(IDC_SCRIPT_EDIT, m_hWnd);
  CreatePicker();
  CreateToolbar();
  m_edit.SendMessage(EM_EXLIMITTEXT, 0, kMaxScriptChars);
  m_edit.SetDefaultCharFormat(m_colorizer.DefaultFormat());
  // The control takes its size before its text: a new size lays out every
  // line again, and under Wine that took seconds for 5,000 lines (most of it
  // in the platform's heap).
  RECT client;
  GetClientRect(&client);
  Layout(client.right, client.bottom);
  PutText(m_strScript);
  SetWindowText(m_strCaption);
  if (m_strScript.IsEmpty()) InsertFrameScript();
  UpdateToolbar();
  SetTimer(kToolbarTimer, kToolbarTimerMs);
  m_edit.SetFocus();
  return FALSE;  // the focus is set
}

LRESULT CScriptDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (LOWORD(lp) && HIWORD(lp)) Layout(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_TIMER:
      if (wp == kToolbarTimer) {
        UpdateToolbar();
        return 0;
      }
      if (wp == kColourTimer) {
        ColourSomeNow();
        return 0;
      }
      break;
  }
  return CDialog::WindowProc(msg, wp, lp);
}

void CScriptDlg::CreatePicker() {
  const RECT none = {0, 0, 0, 0};
  if (!m_picker.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, none, m_hWnd, IDC_SCRIPT_PICKER)) return;
  m_picker.SetTarget(m_edit.m_hWnd);
  if (!m_pEditWnd) return;
  m_picker.SetHostCallbacks(&m_pEditWnd->GetHostCallbacks());
  m_picker.LoadLocalTags(&m_pEditWnd->GetLocalCallbacks());
}

void CScriptDlg::Layout(int width, int height) {
  if (width < kMinWidth) width = kMinWidth;
  if (height < kMinHeight) height = kMinHeight;
  if (m_toolbar.m_hWnd) m_toolbar.MoveWindow(0, 0, width, kToolbarHeight);
  if (m_edit.m_hWnd)
    m_edit.MoveWindow(0, kToolbarHeight, width - kPickerWidth - kEditMargin, height - kToolbarHeight);
  if (m_picker.m_hWnd)
    m_picker.MoveWindow(width - kPickerWidth, kPickerTop, kPickerWidth, height - kPickerTop);
}

BOOL CScriptDlg::PreTranslateMessage(MSG* msg) {
  if (!QelIsInputFor(m_hWnd, msg)) return FALSE;
  const bool inEdit = msg->hwnd == m_edit.m_hWnd || ::IsChild(m_edit.m_hWnd, msg->hwnd);
  if (msg->message == WM_KEYDOWN) {
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    if ((ctrl && msg->wParam == 'V') || (shift && msg->wParam == VK_INSERT)) {
      OnPaste();
      return TRUE;
    }
    if (ctrl && (msg->wParam == 'Z' || msg->wParam == 'Y') && msg->hwnd == m_edit.m_hWnd) {
      OnUndo(msg->wParam == 'Y');
      return TRUE;
    }
    if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) {
      // A key message goes to the window that has the focus.
      if (msg->hwnd == m_edit.m_hWnd && msg->wParam == VK_ESCAPE) {
        OnCancel();
        return TRUE;
      }
      // Typed into the text, or handled by the completion list; ignored elsewhere.
      return inEdit ? FALSE : TRUE;
    }
  }
  // The edit and its completion list take every key, Tab included.
  if (inEdit) return FALSE;
  return CDialog::PreTranslateMessage(msg);
}

void CScriptDlg::PutText(const CString& text) {
  m_edit.SetEventMask(0);
  m_edit.SetRedraw(FALSE);
  m_colorizer.PutText(m_edit, text.GetString(), static_cast<size_t>(text.GetLength()));
  m_edit.SetSel(0, 0);
  m_edit.SetRedraw(TRUE);
  m_edit.Invalidate();
  m_edit.UpdateWindow();
  m_edit.SetEventMask(kEditNotices);
  ColourWhenIdle();
}

void CScriptDlg::OnUndo(bool redo) {
  m_edit.SendMessage(redo ? EM_REDO : EM_UNDO);
  const DWORD notices = m_edit.SetEventMask(0);
  m_edit.SetRedraw(FALSE);
  m_colorizer.Undone(m_edit);
  m_edit.SetRedraw(TRUE);
  m_edit.Invalidate(FALSE);
  m_edit.SetEventMask(notices);
  ColourWhenIdle();
}

void CScriptDlg::ColourWhenIdle() {
  if (m_colorizer.HasPending()) SetTimer(kColourTimer, kColourTimerMs);
}

void CScriptDlg::ColourSomeNow() {
  const DWORD notices = m_edit.SetEventMask(0);
  m_edit.SetRedraw(FALSE);
  const bool more = m_colorizer.ColourPending(m_edit, kColourBudgetMs);
  m_edit.SetRedraw(TRUE);
  m_edit.Invalidate(FALSE);
  m_edit.SetEventMask(notices);
  if (!more) KillTimer(kColourTimer);
}

void CScriptDlg::OnTextChanged() {
  const DWORD notices = m_edit.SetEventMask(0);
  m_edit.SetRedraw(FALSE);
  long start = 0, end = 0;
  m_edit.GetSel(start, end);
  m_colorizer.TextEdited(m_edit);
  m_colorizer.ColorizeLine(m_edit, m_edit.LineFromChar(start));
  m_edit.SetSel(start, end);
  m_edit.SetRedraw(TRUE);
  m_edit.Invalidate(FALSE);
  m_edit.SetEventMask(notices);
  m_bModified = true;
  UpdateToolbar();
}

void CScriptDlg::InsertFrameScript() {
  if (m_edit.GetLineCount() > 1 && QelMessageBox(m_hWnd, "框架脚本将覆盖目前的脚本,是否继续!", "提示",
                                                 MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  m_strScript = kFrameScript;
  PutText(m_strScript);
}

void CScriptDlg::Save() {
  m_strScript = m_edit.GetPlainText();
  if (m_pEditWnd && m_pLink) {
    if (m_bTriggerGiven && m_pLink->m_nTrigger < 100) {
      m_pLink->m_nPeriod = m_nPeriod;
      m_pLink->m_nTrigger = m_nTrigger;
    }
    m_pLink->m_script.m_strSource = m_strScript;
    m_pEditWnd->SendMessage(QCM_SAVEPIC);  // a failed save is not reported here
  }
  m_bModified = false;
}

void CScriptDlg::OnOK() {}  // Enter belongs to the text

void CScriptDlg::OnCancel() {
  if (m_bModified) {
    const int answer =
        QelMessageBox(m_hWnd, "脚本已改动,是否存盘!", "提示", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL || answer == 0) return;
    if (answer == IDYES) Save();
  }
  EndDialog(IDCANCEL);
}
