#include "controls/richedit.h"

#include <cstring>

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {

struct TextCursor {
  const char* text;
  size_t length;
  size_t read;
  bool wholePieces;  // 8-bit plain text: each piece ends where the text may be cut
};

// How much of the n bytes from `from` on a piece of 8-bit plain text takes:
// the control converts and takes each piece on its own, so a GBK character
// cut in two would become "?" and its trail byte, and a "\r" whose "\n"
// comes in the next piece two line ends. All n when no cut fits.
size_t WholeTextPiece(const char* text, size_t from, size_t n) {
  size_t piece = 0;
  for (size_t at = from; at - from < n;) {
    const size_t step = IsGbkLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
    if (at - from + step > n) break;
    at += step;
    if (text[at - 1] != '\r') piece = at - from;
  }
  return piece ? piece : n;
}

DWORD CALLBACK ReadFromText(DWORD_PTR cookie, LPBYTE buf, LONG wanted, LONG* got) {
  auto* cursor = reinterpret_cast<TextCursor*>(cookie);
  size_t n = cursor->length - cursor->read;
  if (wanted < 0) wanted = 0;
  if (static_cast<size_t>(wanted) < n) {
    n = static_cast<size_t>(wanted);
    if (cursor->wholePieces) n = WholeTextPiece(cursor->text, cursor->read, n);
  }
  std::memcpy(buf, cursor->text + cursor->read, n);
  cursor->read += n;
  *got = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK AppendToText(DWORD_PTR cookie, LPBYTE buf, LONG size, LONG* taken) {
  *reinterpret_cast<CString*>(cookie) += CString(reinterpret_cast<const char*>(buf), size);
  *taken = size;
  return 0;
}

}  // namespace

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  if (!QelLoadRichEdit()) return FALSE;
  return QelCreateControl(*this, RICHEDIT_CLASSA, exStyle, style, rect, parent, id);
}

DWORD CRichEditCtrl::SetEventMask(DWORD mask) {
  return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, mask));
}
DWORD CRichEditCtrl::GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT2A& format) {
  format.cbSize = sizeof format;
  return SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)) != 0;
}
void CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT2A& format) const {
  format.cbSize = sizeof format;
  SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}
BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT2A& format) {
  format.cbSize = sizeof format;
  return SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)) != 0;
}
BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& format) {
  format.cbSize = sizeof format;
  return SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)) != 0;
}
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL useSystem, COLORREF colour) {
  return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, useSystem, colour));
}

void CRichEditCtrl::SetSel(long start, long end) {
  CHARRANGE range = {start, end};
  SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}
void CRichEditCtrl::GetSel(long& start, long& end) const {
  CHARRANGE range = {0, 0};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  start = range.cpMin;
  end = range.cpMax;
}
void CRichEditCtrl::ReplaceSel(const char* text, BOOL canUndo) {
  SendMessage(EM_REPLACESEL, canUndo, QelTextParam(text));
}
CString CRichEditCtrl::GetSelText() const {
  long start = 0, end = 0;
  GetSel(start, end);
  CString text;
  // Two bytes per character covers GBK.
  char* buf = text.GetBuffer(static_cast<int>(end - start) * 2 + 1);
  buf[0] = '\0';
  SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf));
  text.ReleaseBuffer(-1);
  return text;
}
void CRichEditCtrl::HideSelection(BOOL hide, BOOL permanent) {
  SendMessage(EM_HIDESELECTION, hide, permanent);
}
void CRichEditCtrl::SetReadOnly(BOOL readOnly) { SendMessage(EM_SETREADONLY, readOnly); }
BOOL CRichEditCtrl::GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
void CRichEditCtrl::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, modified); }

long CRichEditCtrl::GetTextLength() const {
  GETTEXTLENGTHEX query = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query)));
}
int CRichEditCtrl::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
int CRichEditCtrl::LineIndex(int line) const { return static_cast<int>(SendMessage(EM_LINEINDEX, line)); }
int CRichEditCtrl::LineFromChar(long pos) const {
  return static_cast<int>(SendMessage(EM_EXLINEFROMCHAR, 0, pos));
}
int CRichEditCtrl::LineLength(int line) const {
  return static_cast<int>(SendMessage(EM_LINELENGTH, LineIndex(line)));
}
CString CRichEditCtrl::GetLine(int line) const {
  int chars = LineLength(line) + 2;  // the line end
  int size = chars * 2 + sizeof(WORD) + 1;
  CString text;
  char* buf = text.GetBuffer(size);
  std::memset(buf, 0, size);
  *reinterpret_cast<WORD*>(buf) = static_cast<WORD>(size - 1);
  LRESULT got = SendMessage(EM_GETLINE, line, reinterpret_cast<LPARAM>(buf));
  text.ReleaseBuffer(got > 0 && got < size ? static_cast<int>(got) : 0);
  return text;
}
POINT CRichEditCtrl::PosFromChar(long pos) const {
  POINTL pt = {0, 0};
  SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), pos);
  return POINT{pt.x, pt.y};
}
BOOL CRichEditCtrl::LineScroll(int lines, int chars) { return SendMessage(EM_LINESCROLL, chars, lines) != 0; }
BOOL CRichEditCtrl::CanPaste() const { return SendMessage(EM_CANPASTE) != 0; }
void CRichEditCtrl::Cut() { SendMessage(WM_CUT); }
void CRichEditCtrl::Copy() { SendMessage(WM_COPY); }
void CRichEditCtrl::Paste() { SendMessage(WM_PASTE); }
BOOL CRichEditCtrl::Undo() { return SendMessage(EM_UNDO) != 0; }

long CRichEditCtrl::StreamIn(int format, EDITSTREAM& stream) {
  return static_cast<long>(SendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream)));
}
long CRichEditCtrl::StreamOut(int format, EDITSTREAM& stream) {
  return static_cast<long>(SendMessage(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream)));
}

long CRichEditCtrl::StreamInBytes(int format, const char* bytes, size_t length) {
  const bool plainBytes = (format & SF_TEXT) && !(format & SF_UNICODE);
  TextCursor cursor = {bytes, length, 0, plainBytes};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&cursor), 0, ReadFromText};
  return StreamIn(format, stream);
}

void CRichEditCtrl::SetPlainText(const CString& text) {
  StreamInBytes(SF_TEXT, text.GetString(), static_cast<size_t>(text.GetLength()));
}
CString CRichEditCtrl::StreamOutBytes(int format) const {
  CString bytes;
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&bytes), 0, AppendToText};
  SendMessage(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
  return bytes;
}
CString CRichEditCtrl::GetPlainText() const { return StreamOutBytes(SF_TEXT); }
