#include "scriptdlg_testutil.h"

#include <cstring>
#include <string>
#include <vector>

#include "editctrl_testfiles.h"
#include "scripttext.h"

namespace scripttest {

const char kCaption[] = "自定义脚本";
const char kAwkwardScript[] =
    "//中文注释 {}\\\r\n"
    "int x = abs(1);\t{ a\\b }\r\n"
    "\x81\\\x81{\x81} int\t\t//注\r\n"
    "/* 注释\r\n"
    "\tmore */ return\r\n"
    "\r\n";

namespace {

const char kTestTips[] =
    "abs(int n)\r\n"
    "dbr_GetDbVal(char* stagname, anytype* pdata)\r\n"
    "dbr_GetDbStr(char* stagname, char* pstr, int nbufsize)\r\n"
    "dbr_SetLoaclVal(char* stagname, anytype data)\r\n"
    "time()\r\n";

// The dialog being driven.
CScriptDlg* g_dialog = nullptr;

HWND KeyTarget() {
  HWND focus = ::GetFocus();
  return focus ? focus : g_dialog ? g_dialog->GetEdit().m_hWnd : nullptr;
}

// The character position of the first occurrence of what in the control's text.
long CharPos(CRichEditCtrl& edit, const char* what) {
  const CString text = edit.GetPlainText();
  const int byte = text.Find(what);
  if (byte < 0) return -1;
  long position = 0;
  for (size_t at = 0; at < static_cast<size_t>(byte); ++position)
    at += ScriptCharBytes(text.GetString(), static_cast<size_t>(text.GetLength()), at);
  return position;
}

void SetCtrl(BYTE state) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = state;
  ::SetKeyboardState(keys);
}

}  // namespace

void ScriptDialogTest::SetUpTestSuite() {
  const std::string tips = edittest::FreshFolder("scripttips") + "sctip.txt";
  edittest::WriteBytes(tips, std::vector<BYTE>(kTestTips, kTestTips + sizeof kTestTips - 1));
  SetScriptTipsPath(tips.c_str());
}

void ScriptDialogTest::TearDownTestSuite() { SetScriptTipsPath(nullptr); }

void ScriptDialogTest::Run(CScriptDlg& dlg, DialogScript& script) {
  g_dialog = &dlg;
  script.Run([&] { dlg.DoModal(); });
  g_dialog = nullptr;
  EXPECT_TRUE(script.Passed());
}

void Type(const char* text) {
  for (const char* p = text; *p; ++p) ::SendMessageA(KeyTarget(), WM_CHAR, static_cast<unsigned char>(*p), 1);
}

void Press(UINT key) { ::PostMessageA(KeyTarget(), WM_KEYDOWN, key, 1); }

void PressWithCtrl(UINT key) {
  SetCtrl(0x80);
  Press(key);
}

void ReleaseCtrl() { SetCtrl(0); }

void Command(DialogDriver& d, UINT id) { ::PostMessageA(d.Window(), WM_COMMAND, id, 0); }

void Close(DialogDriver& d) { ::PostMessageA(d.Window(), WM_CLOSE, 0, 0); }

long ColourOf(CRichEditCtrl& edit, const char* what) {
  const long start = CharPos(edit, what);
  if (start < 0) return -1;
  long chars = 0;
  const size_t n = std::strlen(what);
  for (size_t at = 0; at < n; ++chars) at += ScriptCharBytes(what, n, at);
  long keepStart = 0, keepEnd = 0;
  edit.GetSel(keepStart, keepEnd);
  edit.SetSel(start, start + chars);
  CHARFORMAT2A format = {};
  format.cbSize = sizeof format;
  edit.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  edit.SetSel(keepStart, keepEnd);
  return (format.dwMask & CFM_COLOR) ? static_cast<long>(format.crTextColor) : -1;
}

}  // namespace scripttest
