// CRichEditCtrl: the platform's rich edit 2.0 control ("RichEdit20A").
//
// Positions count characters, as the control does (a GBK character is one).
// Text goes in and out as 8-bit GBK through the stream functions.
#pragma once
#include <richedit.h>

#include "wnd.h"

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  // ENM_ notification flags the parent receives; the previous ones.
  DWORD SetEventMask(DWORD mask);
  DWORD GetEventMask() const;

  BOOL SetDefaultCharFormat(CHARFORMAT2A& format);
  void GetDefaultCharFormat(CHARFORMAT2A& format) const;
  BOOL SetSelectionCharFormat(CHARFORMAT2A& format);
  BOOL SetParaFormat(PARAFORMAT2& format);
  COLORREF SetBackgroundColor(BOOL useSystem, COLORREF colour);

  // end -1 selects to the end.
  void SetSel(long start, long end);
  void GetSel(long& start, long& end) const;
  void ReplaceSel(const char* text, BOOL canUndo = FALSE);
  CString GetSelText() const;
  void HideSelection(BOOL hide, BOOL permanent = FALSE);
  void SetReadOnly(BOOL readOnly = TRUE);
  BOOL GetModify() const;
  void SetModify(BOOL modified = TRUE);

  // The text's length in characters.
  long GetTextLength() const;
  int GetLineCount() const;
  int LineIndex(int line = -1) const;
  int LineFromChar(long pos) const;
  int LineLength(int line = -1) const;
  // The text of a line, its line end included when it has one.
  CString GetLine(int line) const;
  POINT PosFromChar(long pos) const;
  BOOL LineScroll(int lines, int chars = 0);
  BOOL CanPaste() const;
  void Cut();
  void Copy();
  void Paste();
  BOOL Undo();

  // The platform's streaming, format SF_TEXT or SF_RTF (with SFF_SELECTION to
  // replace or read only the selection); the number of characters moved.
  long StreamIn(int format, EDITSTREAM& stream);
  long StreamOut(int format, EDITSTREAM& stream);
  // Streams bytes in (plain text or RTF) in one call, and all of them out.
  long StreamInBytes(int format, const char* bytes, size_t length);
  CString StreamOutBytes(int format) const;
  // The whole text replaced by plain GBK text, and read back as such.
  void SetPlainText(const CString& text);
  CString GetPlainText() const;
};
