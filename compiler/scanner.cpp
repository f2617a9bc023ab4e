#include "scanner.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>
#include <vector>

#include "messages.h"
#include "reporter.h"

namespace tarnic {
namespace {

struct Keyword {
  std::string_view text;  // its length known without a strlen per compare
  int code;
};

const Keyword kKeywords[] = {
    {"sizeof", TK_SIZEOF}, {"char", TK_CHAR},     {"unsigned", TK_UNSIGNED}, {"short", TK_SHORT},
    {"int", TK_INT},       {"long", TK_INT},      {"bool", TK_INT},          {"int64", TK_INT64},
    {"float", TK_FLOAT},   {"double", TK_DOUBLE}, {"void", TK_VOID},         {"TRUE", TK_TRUE},
    {"true", TK_TRUE},     {"FALSE", TK_FALSE},   {"false", TK_FALSE},       {"NULL", TK_NULL},
    {"null", TK_NULL},     {"if", TK_IF},         {"else", TK_ELSE},         {"while", TK_WHILE},
    {"do", TK_DO},         {"for", TK_FOR},       {"continue", TK_CONTINUE}, {"break", TK_BREAK},
    {"return", TK_RETURN},
};

// Longest first, so that ">>=" wins over ">>" and ">".
const Keyword kOperators[] = {
    {"<<=", TK_SHL_ASSIGN}, {">>=", TK_SHR_ASSIGN}, {"++", TK_INC},        {"--", TK_DEC},
    {"<<", TK_SHL},         {">>", TK_SHR},         {"<=", TK_LE},         {">=", TK_GE},
    {"==", TK_EQ},          {"!=", TK_NE},          {"&&", TK_AND},        {"||", TK_OR},
    {"*=", TK_MUL_ASSIGN},  {"/=", TK_DIV_ASSIGN},  {"%=", TK_MOD_ASSIGN}, {"+=", TK_ADD_ASSIGN},
    {"-=", TK_SUB_ASSIGN},  {"&=", TK_AND_ASSIGN},  {"^=", TK_XOR_ASSIGN}, {"|=", TK_OR_ASSIGN},
};

const char kSingleChars[] = ";{},:=()[]&!~-+*/%<>^|?";

bool IsNameStart(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(int c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(int c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

// The rows of a table by their first character, in table order (so the
// operators stay longest first): a word or operator is compared with the few
// rows that can match instead of all of them.
class ByFirstChar {
 public:
  template <size_t N>
  explicit ByFirstChar(const Keyword (&rows)[N]) {
    for (const Keyword& row : rows) rows_[static_cast<unsigned char>(row.text[0])].push_back(&row);
  }
  const std::vector<const Keyword*>& Rows(int c) const { return rows_[c & 0xFF]; }

 private:
  std::vector<const Keyword*> rows_[256];
};

const ByFirstChar kKeywordsByFirstChar(kKeywords);
const ByFirstChar kOperatorsByFirstChar(kOperators);

// The characters that are tokens by themselves, by character.
const struct SingleChars {
  bool is[256] = {};
  SingleChars() {
    for (const char* c = kSingleChars; *c; ++c) is[static_cast<unsigned char>(*c)] = true;
  }
} kSingleCharTokens;

// The spelling of each token code above the single characters: the first
// operator, else the first keyword, of that code ("int" for TK_INT).
struct SpellingTable {
  std::string_view text[TK_RETURN + 1] = {};
  SpellingTable() {
    for (const Keyword& k : kOperators)
      if (text[k.code].empty()) text[k.code] = k.text;
    for (const Keyword& k : kKeywords)
      if (text[k.code].empty()) text[k.code] = k.text;
  }
};

const SpellingTable kSpellings;

}  // namespace

std::string TokenSpelling(int code) {
  if (code > 0 && code < 256) return std::string(1, static_cast<char>(code));
  return code > 0 && code <= TK_RETURN ? std::string(kSpellings.text[code]) : std::string();
}

Scanner::Scanner(const std::string& text, Reporter& reporter) : text_(text), reporter_(reporter) {}

int Scanner::Peek(size_t ahead) const {
  return pos_ + ahead < text_.size() ? static_cast<unsigned char>(text_[pos_ + ahead]) : -1;
}

Token Scanner::MakeToken(int code) {
  Token t;
  t.code = code;
  t.line = line_;
  return t;
}

void Scanner::SkipBlockComment() {
  pos_ += 2;
  while (pos_ < text_.size()) {
    if (text_[pos_] == '*' && Peek(1) == '/') {
      pos_ += 2;
      return;
    }
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
}

Token Scanner::yylex() {
  while (pos_ < text_.size()) {
    int c = Peek();
    if (c == ' ' || c == '\t' || c == '\r') {
      ++pos_;  // blanks first: they are the most common characters
    } else if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == '/' && Peek(1) == '/') {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else if (c == '/' && Peek(1) == '*') {
      SkipBlockComment();
    } else if (c == '"') {
      return ScanString();
    } else if (c == '\'') {
      Token t = ScanCharacter();
      if (t.code != TK_END) return t;
    } else if (IsDigit(c) || (c == '.' && IsDigit(Peek(1)))) {
      return ScanNumber();
    } else if (IsNameStart(c)) {
      return ScanWord();
    } else {
      Token t;
      if (ScanOperator(t)) return t;
      ++pos_;  // blanks and characters of no token are skipped without a message
    }
  }
  return MakeToken(TK_END);
}

Token Scanner::ScanString() {
  Token t = MakeToken(TK_STRING);
  ++pos_;
  while (pos_ < text_.size()) {
    char c = text_[pos_++];
    if (c == '"') return t;
    if (c == '\n') ++line_;
    if (c == '\\' && pos_ < text_.size()) {
      const char* escapes = "ntr\"\\'";
      const char values[] = {10, 9, 13, 34, 92, 39};
      const char* hit = std::strchr(escapes, text_[pos_]);
      if (hit && *hit) {
        t.text += values[hit - escapes];
        ++pos_;
        continue;
      }
    }
    t.text += c;
  }
  return MakeToken(TK_END);  // left open: the preprocessor has refused this already
}

Token Scanner::ScanCharacter() {
  size_t start = pos_;
  int start_line = line_;
  size_t end;  // one past the closing quote
  if (Peek(1) == '\'' && Peek(2) != '\'') {
    end = pos_ + 2;
  } else {
    size_t p = pos_ + 1;
    // The first character may be a quote; a backslash takes the next one with it.
    if (text_[p] == '\\') ++p;
    ++p;
    while (p < text_.size() && text_[p] != '\'') {
      if (text_[p] == '\\') ++p;
      ++p;
    }
    if (p >= text_.size()) {
      ++pos_;  // a lone quote is no token
      return MakeToken(TK_END);
    }
    end = p + 1;
  }
  std::string text = text_.substr(start, end - start);
  for (char c : text)
    if (c == '\n') ++line_;
  pos_ = end;

  Token t = MakeToken(TK_INTEGER);
  t.line = start_line;
  t.text = text;
  bool bad = false;
  if (text.size() == 2) {
    t.int_value = 0;
  } else if (text[1] == '\\') {
    static const char kLetters[] = "'\\nrt0";
    static const int kValues[] = {39, 92, 10, 13, 9, 0};
    const char* hit = std::strchr(kLetters, text[2]);
    if (hit && *hit) {
      t.int_value = kValues[hit - kLetters];
    } else {
      t.int_value = static_cast<unsigned char>(text[2]);
      bad = text.size() != 4;
    }
  } else {
    t.int_value = static_cast<unsigned char>(text[1]);
    bad = text.size() != 3;
  }
  if (bad) {
    int saved = reporter_.line();
    reporter_.set_line(start_line);
    reporter_.Report(MSG_BAD_CHAR_CONSTANT, text);
    reporter_.set_line(saved);
  }
  return t;
}

Token Scanner::ScanNumber() {
  Token t = MakeToken(TK_INTEGER);
  size_t start = pos_;
  if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X') && IsHexDigit(Peek(2))) {
    pos_ += 2;
    uint32_t v = 0;
    while (IsHexDigit(Peek())) v = v * 16 + HexValue(text_[pos_++]);
    t.code = TK_HEX;
    t.hex_value = v;
    t.text = text_.substr(start, pos_ - start);
    return t;
  }
  size_t p = pos_;
  while (IsDigit(p < text_.size() ? text_[p] : 0)) ++p;
  size_t digits_end = p;
  bool real = false;
  auto at = [&](size_t i) -> int { return i < text_.size() ? (unsigned char)text_[i] : -1; };
  if (at(p) == '.' && IsDigit(at(p + 1))) {
    real = true;
    p += 1;
    while (IsDigit(at(p))) ++p;
  }
  if (at(p) == 'e' || at(p) == 'E') {
    size_t q = p + 1;
    if (at(q) == '+' || at(q) == '-') ++q;
    if (IsDigit(at(q))) {
      while (IsDigit(at(q))) ++q;
      p = q;
      real = true;
    }
  }
  if (real) {
    t.code = TK_REAL;
    t.text = text_.substr(start, p - start);
    t.real_value = std::strtod(t.text.c_str(), nullptr);
    pos_ = p;
    return t;
  }
  uint32_t v = 0;  // an overflowing constant wraps to 32 bits
  for (size_t i = start; i < digits_end; ++i) v = v * 10 + (text_[i] - '0');
  t.int_value = static_cast<int32_t>(v);
  t.text = text_.substr(start, digits_end - start);
  pos_ = digits_end;
  return t;
}

Token Scanner::ScanWord() {
  size_t start = pos_;
  while (IsNameStart(Peek()) || IsDigit(Peek())) ++pos_;
  Token t = MakeToken(TK_IDENTIFIER);
  t.text.assign(text_, start, pos_ - start);
  for (const Keyword* k : kKeywordsByFirstChar.Rows(t.text[0])) {
    if (t.text != k->text) continue;
    t.code = k->code;
    if (k->code == TK_TRUE) t.int_value = 1;
    break;
  }
  return t;
}

bool Scanner::ScanOperator(Token& token) {
  int c = Peek();
  for (const Keyword* op : kOperatorsByFirstChar.Rows(c)) {
    size_t n = op->text.size();
    if (text_.compare(pos_, n, op->text.data(), n) == 0) {
      token = MakeToken(op->code);
      token.text = op->text;
      pos_ += n;
      return true;
    }
  }
  if (c > 0 && kSingleCharTokens.is[c & 0xFF]) {
    token = MakeToken(c);
    token.text.assign(1, static_cast<char>(c));
    ++pos_;
    return true;
  }
  return false;
}

}  // namespace tarnic
