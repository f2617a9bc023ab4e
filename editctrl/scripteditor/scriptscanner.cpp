#include "scriptscanner.h"

#include "scripttext.h"

const char kScriptKeywordText[] =
    "#define,main,switch,break,case,catch,for,const,goto,do,while,if,else,continue,unsigned,"
    "default,return,signed,sizeof,false,true,FALSE,TRUE,VOID,CHAR,BYTE,SHORT,WORD,INT,BOOL,LONG,"
    "DWORD,FLOAT,DOUBLE,LONGLONG,void,char,short,int,bool,long,float,__int64,int64,double";

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

void CScriptScanner::SetKeywords(const char* commaList) {
  m_keywords.clear();
  std::string piece;
  for (const char* p = commaList ? commaList : "";; ++p) {
    if (*p && *p != ',') {
      piece += *p;
      continue;
    }
    if (!piece.empty() && m_keywords.size() < kMaxKeywords) m_keywords.insert(piece);
    piece.clear();
    if (!*p) break;
  }
}

void CScriptScanner::SetFunctionNames(const std::vector<std::string>& names) {
  m_functions.clear();
  m_functions.insert(names.begin(), names.end());
}

void CScriptScanner::SetText(const char* text, size_t length) {
  m_text.assign(text ? text : "", text ? length : 0);
  m_at = 0;
  m_pos = 0;
}

size_t CScriptScanner::CharBytes() const { return ScriptCharBytes(m_text.data(), m_text.size(), m_at); }

void CScriptScanner::Step() {
  if (AtEnd()) return;
  m_at += CharBytes();
  ++m_pos;
}

bool CScriptScanner::AtWordChar() const {
  return !AtEnd() && CharBytes() == 1 && IsScriptWordByte(ByteAt(m_at));
}

int CScriptScanner::KindOfWord(size_t begin) const {
  if (begin == m_at) return STK_PLAIN;
  const std::string word = m_text.substr(begin, m_at - begin);
  if (m_keywords.count(word)) return STK_KEYWORD;
  if (m_functions.count(word)) return STK_FUNCTION;
  return STK_PLAIN;
}

int CScriptScanner::LineComment(long& end) {
  while (!AtEnd() && ByteAt(m_at) != '\r' && ByteAt(m_at) != '\n') Step();
  end = m_pos;
  Step();  // the line end belongs to no token
  return STK_COMMENT;
}

int CScriptScanner::BlockComment(long& end) {
  Step();
  Step();
  while (!AtEnd()) {
    if (ByteAt(m_at) == '*' && ByteAt(m_at + 1) == '/') {
      Step();
      Step();
      break;
    }
    Step();
  }
  end = m_pos;
  return STK_COMMENT;
}

int CScriptScanner::NextToken(long& start, long& end) {
  while (!AtEnd() && IsBlank(ByteAt(m_at))) Step();
  if (AtEnd()) return STK_END;
  start = m_pos;
  const size_t wordBegin = m_at;
  while (AtWordChar()) Step();
  const bool noWord = wordBegin == m_at;
  if (AtEnd() || (!noWord && ByteAt(m_at) == '/')) {
    end = m_pos;
    return KindOfWord(wordBegin);
  }
  if (noWord && ByteAt(m_at) == '/' && ByteAt(m_at + 1) == '/') return LineComment(end);
  if (noWord && ByteAt(m_at) == '/' && ByteAt(m_at + 1) == '*') return BlockComment(end);
  end = m_pos;
  const int kind = KindOfWord(wordBegin);
  Step();  // the character that ended the token
  return kind;
}
