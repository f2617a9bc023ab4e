#include "preprocessor.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <new>
#include <string_view>

#include "messages.h"
#include "reporter.h"

namespace tarnic {
namespace {

bool IsNameStart(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsNameChar(int c) { return IsNameStart(c) || IsDigit(c); }
bool IsBlank(int c) { return c == ' ' || c == '\t'; }

// One run of the state machine over the whole text.
class DefinePass {
 public:
  DefinePass(const std::string& src, std::string& out, Reporter& reporter)
      : src_(src), out_(out), reporter_(reporter) {}

  bool Run() {
    while (!AtEnd()) {
      int c = Peek();
      bool ok = true;
      switch (StartOf(c)) {
        case SLASH: Slash(); break;
        case DIRECTIVE: ok = Directive(); break;
        case NAME: Identifier(); break;
        case NUMBER: Number(); break;
        case QUOTE: ok = Quoted(static_cast<char>(c)); break;
        case PLAIN: CopyPlain(); break;
      }
      if (!ok) return false;
    }
    return true;
  }

 private:
  enum Start { SLASH, DIRECTIVE, NAME, NUMBER, QUOTE, PLAIN };
  // What a character starts here.
  Start StartOf(int c) const {
    if (c == '/') return SLASH;
    if (c == '#' && line_start_) return DIRECTIVE;
    if (IsNameStart(c)) return NAME;
    if (IsDigit(c)) return NUMBER;
    if (c == '"' || c == '\'') return QUOTE;
    return PLAIN;
  }

  bool AtEnd() const { return pos_ >= src_.size(); }
  int Peek(size_t ahead = 0) const {
    return pos_ + ahead < src_.size() ? static_cast<unsigned char>(src_[pos_ + ahead]) : -1;
  }

  // Characters that start nothing, copied as one run.
  void CopyPlain() {
    size_t start = pos_;
    do {
      char c = src_[pos_++];
      if (c == '\n') {
        ++line_;
        line_start_ = true;
      } else if (!IsBlank(c) && c != '\r') {
        line_start_ = false;
      }
    } while (!AtEnd() && StartOf(Peek()) == PLAIN);
    out_.append(src_, start, pos_ - start);
  }

  // "//" to the line end or "/* ... */"; each line end inside becomes CR LF.
  void Slash() {
    int next = Peek(1);
    if (next == '/') {
      pos_ += 2;
      while (!AtEnd() && src_[pos_] != '\n') ++pos_;
      if (!AtEnd()) {
        ++pos_;
        out_ += "\r\n";
        ++line_;
      }
      line_start_ = true;
    } else if (next == '*') {
      pos_ += 2;
      while (!AtEnd()) {
        if (src_[pos_] == '*' && Peek(1) == '/') {
          pos_ += 2;
          break;
        }
        if (src_[pos_] == '\n') {
          out_ += "\r\n";
          ++line_;
        }
        ++pos_;
      }
      line_start_ = true;
    } else {
      out_ += '/';
      ++pos_;
      line_start_ = false;
    }
  }

  bool Directive() {
    size_t start = pos_;
    ++pos_;
    while (!AtEnd() && !IsBlank(Peek()) && Peek() != '\n') ++pos_;
    std::string word = src_.substr(start, pos_ - start);
    if (word != "#define") {
      out_ += word;
      line_start_ = false;
      return true;
    }
    return Define();
  }

  bool DefineError() {
    reporter_.ReportUncounted(MSG_DEFINE_SYNTAX, line_);
    return false;
  }

  bool Define() {
    while (IsBlank(Peek())) ++pos_;
    if (!IsNameStart(Peek())) return DefineError();
    size_t start = pos_;
    while (IsNameChar(Peek())) ++pos_;
    std::string name = src_.substr(start, pos_ - start);
    int after = Peek();
    if (after != -1 && after != '\n' && !IsBlank(after)) return DefineError();
    while (IsBlank(Peek())) ++pos_;
    start = pos_;
    while (!AtEnd() && Peek() != '\n' && !(Peek() == '/' && (Peek(1) == '/' || Peek(1) == '*')))
      SkipTextChar();
    size_t end = pos_;
    while (end > start && (IsBlank(src_[end - 1]) || src_[end - 1] == '\r')) --end;
    macros_[name] = src_.substr(start, end - start);
    starts_macro_[static_cast<unsigned char>(name[0])] = true;
    if (Peek() == '/') {
      Slash();
    } else if (Peek() == '\n') {
      out_ += '\n';
      ++pos_;
      ++line_;
      line_start_ = true;
    }
    return true;
  }

  // One character of a replacement text; a quoted part is taken whole, so that
  // "//" inside a string does not end the text.
  void SkipTextChar() {
    int quote = Peek();
    ++pos_;
    if (quote != '"' && quote != '\'') return;
    while (!AtEnd() && Peek() != '\n' && Peek() != quote) pos_ += (Peek() == '\\' && Peek(1) != '\n') ? 2 : 1;
    if (Peek() == quote) ++pos_;
  }

  // A name is replaced by its text once; the text is not scanned again.
  void Identifier() {
    size_t start = pos_;
    while (IsNameChar(Peek())) ++pos_;
    auto it = macros_.end();
    if (starts_macro_[static_cast<unsigned char>(src_[start])])
      it = macros_.find(std::string_view(src_).substr(start, pos_ - start));
    if (it != macros_.end())
      out_ += it->second;
    else
      out_.append(src_, start, pos_ - start);
    line_start_ = false;
  }

  // A number with its suffix letters ("0x1F", "1e5") is not a name to replace.
  void Number() {
    size_t start = pos_;
    while (IsNameChar(Peek()) || Peek() == '.') ++pos_;
    out_.append(src_, start, pos_ - start);
    line_start_ = false;
  }

  // A string or character constant is copied as it stands, its escapes included.
  bool Quoted(char quote) {
    int open_line = line_;
    out_ += src_[pos_++];
    line_start_ = false;
    for (;;) {
      if (AtEnd()) {
        char text[2] = {quote, 0};
        reporter_.ReportUncounted(MSG_MISSING_TOKEN, open_line, text);
        return false;
      }
      char c = src_[pos_++];
      out_ += c;
      if (c == '\n') ++line_;
      if (c == quote) return true;
      if (c == '\\' && !AtEnd()) {
        char escaped = src_[pos_++];
        out_ += escaped;
        if (escaped == '\n') ++line_;
      }
    }
  }

  const std::string& src_;
  std::string& out_;
  Reporter& reporter_;
  std::map<std::string, std::string, std::less<>> macros_;  // found by a view of the source
  bool starts_macro_[256] = {};  // the first letters of the defined names: most names need no look-up
  size_t pos_ = 0;
  int line_ = 1;
  bool line_start_ = true;
};

}  // namespace

std::string TextModeContents(const std::string& bytes) {
  size_t end = std::min(bytes.find('\x1A'), bytes.size());  // a Ctrl-Z ends the text
  std::string text;
  text.reserve(end);
  size_t run = 0;  // the start of the bytes not copied yet
  for (size_t i = 0; i + 1 < end; ++i) {
    if (bytes[i] == '\r' && bytes[i + 1] == '\n') {
      text.append(bytes, run, i - run);
      run = i + 1;
    }
  }
  text.append(bytes, run, end - run);
  return text;
}

bool ApplyDefines(const std::string& source, std::string& out, Reporter& reporter) {
  out.reserve(out.size() + source.size());
  return DefinePass(source, out, reporter).Run();
}

int PreprocessText(const std::string& source, std::string& out, Reporter& reporter) {
  try {
    out.clear();
    if (!ApplyDefines(TextModeContents(source), out, reporter)) return PP_DEFINE_ERROR;
    return out.empty() ? PP_EMPTY_RESULT : PP_OK;
  } catch (const std::bad_alloc&) {
    return PP_NO_MEMORY;
  }
}

int PreprocessSource(const std::string& path, std::string& out, Reporter& reporter) {
  if (path.empty()) return PP_EMPTY_NAME;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return PP_CANNOT_OPEN;
  std::string bytes;
  char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
  std::fclose(f);
  return PreprocessText(bytes, out, reporter);
}

}  // namespace tarnic
