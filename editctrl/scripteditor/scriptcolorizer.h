// CScriptColorizer: colours a script in the editor's rich edit control:
// keywords blue, comments green, the system-function names of the tips file
// dark red, everything else in the default format.
#pragma once
#include <richedit.h>

#include "scriptscanner.h"

class CRichEditCtrl;

class CScriptColorizer {
 public:
  // The keywords of the language; the function names from the tips file
  // (ScriptTipsPath), read once.
  CScriptColorizer();

  // The whole text: the default format, then each token's colour. The
  // caller keeps the selection and the change notices.
  void ColorizeAll(CRichEditCtrl& edit);
  // One line (the line of a character position) and its line end: the
  // default format, then the line's tokens. A line inside a multi-line
  // comment is scanned as code.
  void ColorizeLine(CRichEditCtrl& edit, int line);

  // The default format for text before colouring: black "Fixedsys", 10.5
  // points, no effects. Resetting text to it restores the face and size as
  // well as the colour: text typed after the last line break would otherwise
  // keep the font that the dialog gave the control.
  CHARFORMAT2A& DefaultFormat() { return m_default; }

  CScriptScanner& Scanner() { return m_scanner; }

  static constexpr COLORREF kCommentColour = RGB(0, 0xAA, 0);
  static constexpr COLORREF kKeywordColour = RGB(0, 0, 0xFF);
  static constexpr COLORREF kFunctionColour = RGB(0xC0, 0, 0);

 private:
  // Colours the tokens of text, whose first character stands at offset.
  void ColourTokens(CRichEditCtrl& edit, const char* text, size_t length, long offset);
  // The format of a token kind; nullptr for the ones left in the default.
  CHARFORMAT2A* FormatOf(int kind);

  CScriptScanner m_scanner;
  CHARFORMAT2A m_default;
  CHARFORMAT2A m_comment;
  CHARFORMAT2A m_keyword;
  CHARFORMAT2A m_function;
};
