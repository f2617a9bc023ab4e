// The script dialog's toolbar and its commands: one table gives each command
// its image, button text, handler and the rule that enables it.
#include <cstring>
#include <string>
#include <vector>

#include "binobj.h"
#include "compilerunner.h"
#include "gbkcut.h"
#include "msgbox.h"
#include "resources/resload.h"
#include "scriptdlg.h"
#include "scriptmessages.h"
#include "sheets/propsheet.h"

struct CScriptDlg::Command {
  UINT id;  // 0: a separator
  int image;
  const char* text;
  void (CScriptDlg::*run)();
  bool (CScriptDlg::*enabled)() const;  // nullptr: always
};

namespace {
constexpr COLORREF kToolMask = RGB(255, 0, 255);
constexpr int kToolImageSize = 16;
constexpr int kButtonWidth = 48;
}  // namespace

const CScriptDlg::Command CScriptDlg::kCommands[] = {
    {ID_SCRIPT_SAVE, 0, "Save", &CScriptDlg::OnSave, &CScriptDlg::CanSave},
    {0, 0, nullptr, nullptr, nullptr},
    {ID_SCRIPT_CUT, 1, "Cut", &CScriptDlg::OnCut, &CScriptDlg::HasSelection},
    {ID_SCRIPT_COPY, 2, "Copy", &CScriptDlg::OnCopy, &CScriptDlg::HasSelection},
    {ID_SCRIPT_PASTE, 3, "Paste", &CScriptDlg::OnPaste, &CScriptDlg::CanPaste},
    {0, 0, nullptr, nullptr, nullptr},
    {ID_SCRIPT_COMPILE, 4, "编译", &CScriptDlg::OnCompile, nullptr},
    {ID_SCRIPT_TRIGGER, 5, "触发器", &CScriptDlg::OnTrigger, &CScriptDlg::CanEditTrigger},
    {ID_SCRIPT_HELP, 6, "帮助窗", nullptr, nullptr},
};

void CScriptDlg::CreateToolbar() {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                      CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  if (!m_toolbar.Create(m_hWnd, IDC_SCRIPT_TOOLBAR, style)) return;
  m_images.CreateFromBitmap(IDB_SCRIPT_TOOLS, kToolImageSize, 0, kToolMask);
  m_hotImages.CreateFromBitmap(IDB_SCRIPT_TOOLS_HOT, kToolImageSize, 0, kToolMask);
  m_disabledImages.CreateFromBitmap(IDB_SCRIPT_TOOLS_DISABLED, kToolImageSize, 0, kToolMask);
  m_toolbar.SetBitmapSize(kToolImageSize, kToolImageSize);
  m_toolbar.SetImageList(m_images);
  m_toolbar.SetHotImageList(m_hotImages);
  m_toolbar.SetDisabledImageList(m_disabledImages);
  std::vector<TBBUTTON> buttons;
  for (const Command& command : kCommands)
    buttons.push_back(command.id ? QelToolButton(command.image, command.id, TBSTYLE_BUTTON,
                                                 m_toolbar.AddString(command.text))
                                 : QelToolSeparator());
  m_toolbar.AddButtons(static_cast<int>(buttons.size()), buttons.data());
  m_toolbar.SetButtonSize(kButtonWidth, kToolbarHeight);
}

bool CScriptDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_SCRIPT_EDIT) {
    if (code == EN_CHANGE) OnTextChanged();
    return true;
  }
  for (const Command& command : kCommands) {
    if (!command.id || command.id != id) continue;
    if (command.run) (this->*command.run)();
    if (m_hWnd) UpdateToolbar();
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

bool CScriptDlg::OnNotify(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case EN_SELCHANGE:
      UpdateToolbar();
      *result = 0;
      return true;
    case TTN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
      m_strTooltip = TooltipOf(static_cast<UINT>(header->idFrom));
      info->lpszText = const_cast<char*>(m_strTooltip.GetString());
      info->hinst = nullptr;
      *result = 0;
      return true;
    }
    case TTN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
      const CString tip = TooltipOf(static_cast<UINT>(header->idFrom));
      const int n = ::MultiByteToWideChar(CP_ACP, 0, tip, -1, nullptr, 0);
      m_wideTooltip.assign(n > 0 ? n : 1, L'\0');
      if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, tip, -1, &m_wideTooltip[0], n);
      info->lpszText = &m_wideTooltip[0];
      info->hinst = nullptr;
      *result = 0;
      return true;
    }
  }
  return CDialog::OnNotify(header, result);
}

CString CScriptDlg::TooltipOf(UINT command) const {
  const CString prompt = QelLoadStringText(command);
  const int lineFeed = prompt.Find('\n');
  return lineFeed < 0 ? CString() : CString(prompt.GetString() + lineFeed + 1);
}

void CScriptDlg::UpdateToolbar() {
  if (!m_toolbar.m_hWnd) return;
  for (const Command& command : kCommands) {
    if (!command.id) continue;
    const bool enabled = !command.enabled || (this->*command.enabled)();
    if (enabled != (m_toolbar.IsButtonEnabled(command.id) != FALSE))
      m_toolbar.EnableButton(command.id, enabled);
  }
}

bool CScriptDlg::CanSave() const { return m_bModified; }

bool CScriptDlg::HasSelection() const {
  long start = 0, end = 0;
  m_edit.GetSel(start, end);
  return start != end;
}

bool CScriptDlg::CanPaste() const { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

bool CScriptDlg::CanEditTrigger() const { return m_bTriggerGiven && m_nTrigger < 2; }

void CScriptDlg::OnSave() { Save(); }

void CScriptDlg::OnCut() {
  if (!HasSelection()) return;
  m_edit.Cut();
  m_bModified = true;
}

void CScriptDlg::OnCopy() {
  if (HasSelection()) m_edit.Copy();
}

void CScriptDlg::OnPaste() {
  CString text;
  if (!CanPaste() || !m_edit.TakeClipboardText(text)) return;
  const DWORD notices = m_edit.SetEventMask(0);
  m_edit.SetRedraw(FALSE);
  m_colorizer.ReplaceSel(m_edit, text.GetString(), static_cast<size_t>(text.GetLength()));
  m_edit.SetRedraw(TRUE);
  m_edit.Invalidate();
  m_edit.UpdateWindow();
  m_edit.SetEventMask(notices);
  m_bModified = true;
  ColourWhenIdle();
}

const char CScriptDlg::kTriggerSheetTitle[] = "修改触发器";

void CScriptDlg::OnTrigger() {
  if (!CanEditTrigger()) return;
  // The page works on the dialog's values, not on the link: they reach the
  // link when the script is saved.
  CPageTrigger page;
  page.m_nTrigger = m_nTrigger;
  page.m_nPeriod = m_nPeriod;
  page.ServeScriptDialog(this);
  CPropertySheet sheet(kTriggerSheetTitle, m_hWnd);
  sheet.AddPage(&page);
  sheet.DoModal();
}

void CScriptDlg::OnCompile() {
  CScriptCompiler compiler(m_edit.GetPlainText(), m_strCompiler);
  CBinObj code;
  if (compiler.Compile(code)) {
    QelMessageBox(m_hWnd, "脚本编译正确!", "检查结果", MB_OK | MB_ICONINFORMATION);
    return;
  }
  const CString shown = CompilerMessagesToShow(compiler.m_strError);
  const int line = FirstMessageLine(shown);
  if (line > 0 && line <= m_edit.GetLineCount()) {
    const long at = m_edit.LineIndex(line - 1);
    m_edit.SetSel(at, at);
  }
  QelMessageBox(m_hWnd, shown, "检查结果", MB_OK | MB_ICONERROR);
  m_edit.SetFocus();
}
