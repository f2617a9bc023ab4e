#include "pageexp.h"

#include "crtformat.h"
#include "experror.h"
#include "exphelp.h"
#include "expression.h"
#include "msgbox.h"
#include "pageres.h"
#include "piceditwnd.h"

IMPLEMENT_DYNCREATE(CPageExp, CLinkPage)

CPageExp::CPageExp(CPicEditWnd* wnd, CAction* link)
    : CLinkPage(IDD_PAGE_EXP, wnd), m_strHelp(ExpressionHelpText()), m_pLink(link) {}

BOOL CPageExp::OnInitDialog() {
  m_editExpression.SubclassDlgItem(IDC_EXP_TEXT, m_hWnd);
  CreatePicker();
  PlacePicker();
  return CLinkPage::OnInitDialog();
}

void CPageExp::CreatePicker() {
  m_picker.SetTarget(m_editExpression);
  m_picker.SetHostCallbacks(m_pWnd ? &m_pWnd->GetHostCallbacks() : nullptr);
  if (!m_picker.Create(WS_CHILD | WS_VISIBLE, RECT{kPickerLeft, 0, kPickerLeft, 0}, m_hWnd, IDC_EXP_PICKER))
    return;
  m_picker.LoadLocalTags(m_pWnd ? &m_pWnd->GetLocalCallbacks() : nullptr);
}

void CPageExp::PlacePicker() {
  if (!m_picker.m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  const int width = client.right > kPickerLeft ? client.right - kPickerLeft : 0;
  m_picker.MoveWindow(kPickerLeft, 0, width, client.bottom);
}

LRESULT CPageExp::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = CLinkPage::WindowProc(msg, wp, lp);
  if (msg == WM_SIZE) PlacePicker();
  return result;
}

void CPageExp::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_EXP_TEXT, m_strExpression);
  DDX_Text(dx, IDC_EXP_HELP, m_strHelp);
  DDX_Text(dx, IDC_EXP_NOTE, m_strNote);
}

bool CPageExp::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_EXP_CHECK && code == BN_CLICKED) {
    AnalyseExpression();
    return true;
  }
  return CLinkPage::OnCommand(id, code, control);
}

void CPageExp::AnalyseExpression() {
  CString text;
  m_editExpression.GetWindowText(text);
  text.Trim();
  if (text.IsEmpty()) {
    QelMessageBox(m_hWnd, "请填写表达式!", "提示", MB_OK | MB_ICONINFORMATION);
    return;
  }
  CExpression expression;
  const int error = expression.CheckText(text);
  if (error != EXP_OK) {
    const std::string message = qel::FormatStr("Errcode = %d : %s\n", error, GetExpErrorText(error));
    QelMessageBox(m_hWnd, message.c_str(), "错误", MB_OK | MB_ICONERROR);
    return;
  }
  QelMessageBox(m_hWnd, "表达式语法正确!", "检查结果", MB_OK | MB_ICONINFORMATION);
}

BOOL CPageExp::OnApply() {
  if (!m_pLink) return TRUE;
  m_pLink->m_strExpression = m_strExpression;
  LinkWritten();
  return TRUE;
}
