// CScriptScanner: cuts a script text into the tokens that the script editor
// colours: words (keywords, system-function names, other words), comments and
// everything else.
//
// Tokens are reported by the character positions that the rich edit control
// counts, not by byte offsets: a GBK character is one position and so is a
// line end (a carriage return with its line feed), so that colouring stays in
// place after Chinese text. A GBK character is taken whole, so its trail byte
// is never read as a letter.
#pragma once
#include <set>
#include <string>
#include <vector>

// What a token is; 0 ends the scan.
enum ScriptTokenKind : int {
  STK_END = 0,
  STK_PLAIN = 1,  // a word that is neither keyword nor function, or no word
  STK_KEYWORD = 2,
  STK_COMMENT = 3,   // "//" to the line end, or "/*" to "*/"
  STK_FUNCTION = 4,  // a system-function name of the tips file
};

// The keywords of the script language that the editor colours, in one text.
extern const char kScriptKeywordText[];

class CScriptScanner {
 public:
  // Splits a comma-separated list into the keywords: empty pieces skipped,
  // at most kMaxKeywords taken.
  void SetKeywords(const char* commaList);
  void SetFunctionNames(const std::vector<std::string>& names);
  size_t KeywordCount() const { return m_keywords.size(); }

  // The text to scan, copied; the scan starts at its first character.
  void SetText(const char* text, size_t length);

  // The next token: its kind, and its first and end positions (characters,
  // end exclusive); STK_END when nothing is left.
  int NextToken(long& start, long& end);

  static constexpr size_t kMaxKeywords = 511;

 private:
  bool AtEnd() const { return m_at >= m_text.size(); }
  unsigned char ByteAt(size_t at) const { return at < m_text.size() ? m_text[at] : 0; }
  // Bytes of the character at the scan position.
  size_t CharBytes() const;
  // Moves past one character.
  void Step();
  bool AtWordChar() const;
  int KindOfWord(size_t begin) const;
  int LineComment(long& end);
  int BlockComment(long& end);

  std::set<std::string> m_keywords;
  std::set<std::string> m_functions;
  std::string m_text;
  size_t m_at = 0;  // byte offset of the scan position
  long m_pos = 0;   // the same as a character position
};
