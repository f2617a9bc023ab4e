// A script as rich text, so that the editor's rich edit control takes a
// coloured text in one stream instead of one format call per token.
//
// The text keeps its bytes: "\", "{" and "}" are escaped, bytes from 0x80 (a
// GBK character's) and control bytes are written as \'hh under code page 936,
// line ends become paragraph marks and tabs \tab. Runs are measured in the
// control's character positions (ScriptCharBytes), as the scanner's tokens.
#pragma once
#include <richedit.h>

#include <string>
#include <vector>

class CScriptRtf {
 public:
  // The document's head: the face, character set, pitch, family, height and
  // effects of `font` and the tab stops of `paragraph` for all of the text,
  // and the colour table. The document holds the text from character `first`
  // on.
  CScriptRtf(const char* text, size_t length, long first, const CHARFORMAT2A& font, const PARAFORMAT2& paragraph,
             const std::vector<COLORREF>& colours);

  // The text from the end of the last run up to character `end`, in colour
  // `colour` (an index into the colours).
  void Run(long end, size_t colour);
  // The document's end. One that replaces all of the control's text
  // (`replacesAll`) ends in one more paragraph mark in the first colour: the
  // control drops the last one and gives the text's end the format of what
  // stood before it.
  std::string Finish(bool replacesAll);

 private:
  void WriteHead(const CHARFORMAT2A& font, const PARAFORMAT2& paragraph, const std::vector<COLORREF>& colours);
  void SetColour(size_t colour);
  void WriteChar();
  void WriteByte(unsigned char byte);

  static constexpr size_t kNoColour = static_cast<size_t>(-1);

  const char* m_text;
  size_t m_length;
  size_t m_at = 0;               // byte offset of the next character
  long m_pos = 0;                // the same as a character position
  size_t m_colour = kNoColour;   // the colour being written
  std::string m_rtf;
};
