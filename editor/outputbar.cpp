#include "outputbar.h"

#include <richedit.h>

#include "editortexts.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(COutputBar, CSizingControlBar)

namespace {

const char kRichEditLibrary[] = "Riched20.dll";
const char kFontFace[] = "宋体";
const LONG kFontTwips = 200;  // 10 points
const int kTabStops = 32;
const LONG kTabTwips = 480;

}  // namespace

COutputBar::~COutputBar() {
  if (m_edit.m_hWnd) m_edit.DestroyWindow();
}

BOOL COutputBar::Create(CFrameWnd* frame, SIZE size, UINT id) {
  if (!CSizingControlBar::Create(kTitleOutput, frame, size, TRUE, id,
                                 WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS))
    return FALSE;
  m_richEdit.Load(kRichEditLibrary);
  RECT client;
  GetClientRect(&client);
  if (!m_edit.CreateEx(0, RICHEDIT_CLASSA, "",
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                       0, 0, client.right, client.bottom, m_hWnd,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_OUTPUT_EDIT))))
    return FALSE;
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
  format.yHeight = kFontTwips;
  format.crTextColor = RGB(0, 0, 0);
  lstrcpyA(format.szFaceName, kFontFace);
  m_edit.SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  PARAFORMAT tabs = {};
  tabs.cbSize = sizeof tabs;
  tabs.dwMask = PFM_TABSTOPS;
  tabs.cTabCount = kTabStops;
  for (int i = 0; i < kTabStops; ++i) tabs.rgxTabs[i] = kTabTwips * (i + 1);
  m_edit.SendMessage(EM_SETSEL, 0, -1);
  m_edit.SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&tabs));
  m_edit.SendMessage(EM_SETSEL, 0, 0);
  return TRUE;
}

void COutputBar::AppendText(const char* text) {
  if (!m_edit.m_hWnd || !text) return;
  LRESULT linesBefore = m_edit.SendMessage(EM_GETLINECOUNT);
  GETTEXTLENGTHEX chars = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  LONG end = static_cast<LONG>(m_edit.SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&chars)));
  CHARRANGE range = {end, end};
  m_edit.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  m_edit.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  LRESULT added = m_edit.SendMessage(EM_GETLINECOUNT) - linesBefore;
  if (added > 0) m_edit.SendMessage(EM_LINESCROLL, 0, added);
}

void COutputBar::Clear() {
  if (m_edit.m_hWnd) m_edit.SetWindowText("");
}

CString COutputBar::GetText() const {
  CString text;
  if (!m_edit.m_hWnd) return text;
  // Counted in bytes of the program's code page (a Chinese character is two).
  GETTEXTLENGTHEX bytes = {GTL_NUMBYTES | GTL_PRECISE | GTL_USECRLF, CP_ACP};
  int size = static_cast<int>(m_edit.SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&bytes))) + 1;
  GETTEXTEX get = {static_cast<DWORD>(size), GT_USECRLF, CP_ACP, nullptr, nullptr};
  char* buf = text.GetBuffer(size);
  buf[0] = '\0';
  m_edit.SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(buf));
  text.ReleaseBuffer();
  text.Replace("\r\n", "\n");
  text.Replace('\r', '\n');
  return text;
}

LRESULT COutputBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && m_edit.m_hWnd) m_edit.MoveWindow(0, 0, LOWORD(lp), HIWORD(lp));
  return CSizingControlBar::WindowProc(msg, wp, lp);
}
