// CScriptColorizer: colours a script in the editor's rich edit control:
// keywords blue, comments green, the system-function names of the tips file
// dark red, everything else in the default format.
//
// Text goes in coloured, as rich text in one stream (CScriptRtf): a format
// call per token costs the control more the longer the text is, so that
// colouring token by token grows with the square of the text's length. One
// line, as after a key, is coloured token by token.
#pragma once
#include <richedit.h>

#include <string>
#include <vector>

#include "scriptscanner.h"

class CRichEditCtrl;

class CScriptColorizer {
 public:
  // The keywords of the language; the function names from the tips file
  // (ScriptTipsPath), read once.
  CScriptColorizer();

  // All of the control's text replaced by `text`, coloured and with the tab
  // stops, in one stream: nothing is left to undo. Fast into an empty
  // control: the control deletes old text at a cost that grows with the
  // square of its length.
  void PutText(CRichEditCtrl& edit, const char* text, size_t length);
  // The selection replaced by `text` (cut where the whole would pass the
  // control's limit) and the whole text coloured anew, in one stream that the
  // control undoes as one step: the stream replaces the selection and what
  // around it has other colours than the whole text should have (the
  // control's colours are read back from its RTF). A text of one line whose
  // tab stops the control dropped takes a second step to set them again. The
  // caret follows the inserted text. What is streamed again is deleted first:
  // a paste that changes the colour of most of a long text costs what
  // deleting that text costs the control.
  void ReplaceSel(CRichEditCtrl& edit, const char* text, size_t length);
  // One line (the line of a character position) and its line end: the
  // default format, then the line's tokens. A line inside a multi-line
  // comment is scanned as code.
  void ColorizeLine(CRichEditCtrl& edit, int line);

  // The default format for text before colouring: black "Fixedsys", 10.5
  // points, no effects. Resetting text to it restores the face and size as
  // well as the colour: text typed after the last line break would otherwise
  // keep the font that the dialog gave the control.
  CHARFORMAT2A& DefaultFormat() { return m_formats[0]; }
  // The paragraphs of the text: 32 tab stops every 480 twips.
  const PARAFORMAT2& ParagraphFormat() const { return m_paragraph; }

  CScriptScanner& Scanner() { return m_scanner; }

  static constexpr COLORREF kCommentColour = RGB(0, 0xAA, 0);
  static constexpr COLORREF kKeywordColour = RGB(0, 0, 0xFF);
  static constexpr COLORREF kFunctionColour = RGB(0xC0, 0, 0);

 private:
  // The format (an index of m_formats) of every character of a text.
  std::vector<unsigned char> FormatsOf(const char* text, size_t length);
  // The same as the control has them for its text `text`, read from its
  // RTF: kNoFormat where the colour is none of ours, kAnyFormat for a tab,
  // whose colour the RTF does not tell. Empty when the reading does not
  // cover the text.
  std::vector<unsigned char> FormatsIn(CRichEditCtrl& edit, const char* text, size_t length) const;
  // The characters of the old text, in the formats `now`, that a paste over
  // start to end streams again for the whole text to be in the formats
  // `wanted`: the selection, every character around it in another format
  // than it should have, and the tabs next to them; first and last stay as
  // they are (all of it) when `now` is empty.
  static void RangeToStream(const std::vector<unsigned char>& now, const std::vector<unsigned char>& wanted,
                            long start, long end, long& first, long& last);
  // Characters first to last of a text in their formats, as rich text.
  std::string RtfOf(const char* text, size_t length, const std::vector<unsigned char>& formats, long first,
                    long last, bool replacesAll) const;
  // After all of the text was replaced by `text`: the tab stops for a text
  // of one paragraph, which the rich text cannot carry; true when they were
  // set (an edit of their own, for the control's undo).
  bool KeepTabStops(CRichEditCtrl& edit, const char* text, size_t length);
  // Colours the tokens of text, whose first character stands at offset.
  void ColourTokens(CRichEditCtrl& edit, const char* text, size_t length, long offset);

  static constexpr unsigned char kNoFormat = 0xFF;
  static constexpr unsigned char kAnyFormat = 0xFE;

  CScriptScanner m_scanner;
  // The default format, then the colour of each coloured token kind; a
  // token's format is m_formats[FormatIndexOf(kind)].
  std::vector<CHARFORMAT2A> m_formats;
  PARAFORMAT2 m_paragraph;
};
