// CScriptColorizer: colours a script in the editor's rich edit control:
// keywords blue, comments green, the system-function names of the tips file
// dark red, everything else in the default format.
//
// Every change of the control's text or format costs the control time that
// grows with the length of the whole text, for each run of one format it
// touches: colouring all of a long text at once, or streaming it again in
// its new colours (which deletes the old text first), grows with the square
// of its length. So text goes in as it is, plain, and the colours follow:
// what is on screen at once, the rest a piece at a time while the dialog is
// idle (ColourPending), comparing what the control has with what the whole
// text should have and changing only the runs that differ. Colouring never
// enters the control's undo: undo and redo change the text back and forth,
// and the text is then coloured anew (Recolour). One line, as after a key,
// is coloured token by token.
#pragma once
#include <richedit.h>

#include <string>
#include <utility>
#include <vector>

#include "scriptpending.h"
#include "scriptscanner.h"

class CRichEditCtrl;

class CScriptColorizer {
 public:
  // The keywords of the language; the function names from the tips file
  // (ScriptTipsPath), read once.
  CScriptColorizer();

  // All of the control's text replaced by `text`, with the tab stops and
  // nothing left to undo, the caret at the start: its first kHeadLines lines
  // go in first and what of them is on screen is coloured while the text is
  // short; the rest follows, pending. Fast into an empty control: the
  // control deletes old text at a cost that grows with the square of its
  // length.
  void PutText(CRichEditCtrl& edit, const char* text, size_t length);
  // The selection replaced by `text` (cut where the whole would pass the
  // control's limit), as one step of the control's undo, the caret after it;
  // then the whole text is coloured anew: what is on screen at once, the
  // rest pending.
  void ReplaceSel(CRichEditCtrl& edit, const char* text, size_t length);
  // The text changed in ways that colouring a line does not follow (undo,
  // redo): all of it is coloured anew, what is on screen at once.
  void Recolour(CRichEditCtrl& edit);
  // After the control's own undo or redo: the text's tab stops, then its
  // colours from the top.
  void Undone(CRichEditCtrl& edit);
  // After an edit of the text: the pending characters move with it.
  void TextEdited(CRichEditCtrl& edit);
  // Colours pending characters, those on screen first, a piece at a time
  // until `budgetMs` has passed (one piece at least); true while some are
  // left. The caller turns redraw off around it.
  bool ColourPending(CRichEditCtrl& edit, double budgetMs);
  void FinishColouring(CRichEditCtrl& edit) {
    while (ColourPending(edit, kNoBudget)) {
    }
  }
  bool HasPending() const { return !m_pending.IsEmpty(); }
  const CPendingColours& Pending() const { return m_pending; }

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
  // After a paste from `start` on: the pasted paragraphs get the tab stops
  // where the control dropped them (it does when all of its text goes).
  void KeepTabStops(CRichEditCtrl& edit, long start);
  // Whether the paragraph of the selection's start has the tab stops.
  bool HasTabStops(CRichEditCtrl& edit) const;
  // The paragraphs of characters start to end get the tab stops, outside
  // the undo.
  void SetTabStops(CRichEditCtrl& edit, long start, long end);
  // The control's text and the formats it should have: read back, or as the
  // text the control holds.
  void TakeText(CRichEditCtrl& edit);
  void TakeText(const char* text, size_t length);
  // The bytes of the first kHeadLines lines of a text (all of a shorter one).
  static size_t HeadBytes(const char* text, size_t length);
  // The characters from the first line on screen to the end of the last.
  static std::pair<long, long> OnScreen(CRichEditCtrl& edit);
  // Colours the pending characters from `from` to `to`, a piece at a time
  // while `more` says so; true when it ran out of pending characters there.
  template <class More>
  bool ColourPendingIn(CRichEditCtrl& edit, long from, long to, More more);
  // The end of the piece that starts at `start`: kPieceLines lines later,
  // at most `end`.
  long PieceEnd(long start, long end) const;
  // Characters start to end in the formats m_wanted gives them: every run of
  // one wanted format in which the control has another format somewhere.
  void ColourPiece(CRichEditCtrl& edit, long start, long end);
  // The formats the control has for characters start to end, read from its
  // RTF: kNoFormat where the colour is none of ours (all of them when the
  // reading does not cover them), kAnyFormat for a tab, whose colour the
  // RTF does not tell.
  std::vector<unsigned char> FormatsIn(CRichEditCtrl& edit, long start, long end) const;
  // Colours the tokens of text, whose first character stands at offset.
  void ColourTokens(CRichEditCtrl& edit, const char* text, size_t length, long offset);

  static constexpr double kNoBudget = 1e300;
  // Lines coloured in one piece: short enough to keep the dialog answering
  // between pieces.
  static constexpr int kPieceLines = 12;
  // Lines put in and coloured before the rest of a text: more than a screen
  // shows.
  static constexpr int kHeadLines = 100;
  static constexpr unsigned char kNoFormat = 0xFF;
  static constexpr unsigned char kAnyFormat = 0xFE;

  CScriptScanner m_scanner;
  // The default format, then the colour of each coloured token kind; a
  // token's format is m_formats[FormatIndexOf(kind)].
  std::vector<CHARFORMAT2A> m_formats;
  PARAFORMAT2 m_paragraph;
  // While characters are pending: the control's text and the format of each
  // of its characters when the whole text is coloured.
  std::string m_text;
  std::vector<unsigned char> m_wanted;
  CPendingColours m_pending;
};
