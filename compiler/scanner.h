// The scanner: splits preprocessed text into tokens and keeps the current line.
#pragma once
#include <string>

#include "tokens.h"

namespace tarnic {

class Reporter;

class Scanner {
 public:
  Scanner(const std::string& text, Reporter& reporter);

  // The next token; TK_END at the end of the text. Updates the reporter's line.
  Token yylex();
  int line() const { return line_; }

 private:
  int Peek(size_t ahead = 0) const;
  void SkipBlockComment();
  Token MakeToken(int code);
  Token ScanString();
  Token ScanCharacter();
  Token ScanNumber();
  Token ScanWord();
  bool ScanOperator(Token& token);

  const std::string& text_;
  Reporter& reporter_;
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace tarnic
