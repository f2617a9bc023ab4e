#include "preprocessor.h"

#include <cstdio>
#include <map>
#include <new>

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
      if (c == '/')
        Slash();
      else if (c == '#' && line_start_)
        ok = Directive();
      else if (IsNameStart(c))
        Identifier();
      else if (IsDigit(c))
        Number();
      else if (c == '"' || c == '\'')
        ok = Quoted(static_cast<char>(c));
      else
        CopyPlain();
      if (!ok) return false;
    }
    return true;
  }

 private:
  bool AtEnd() const { return pos_ >= src_.size(); }
  int Peek(size_t ahead = 0) const {
    return pos_ + ahead < src_.size() ? static_cast<unsigned char>(src_[pos_ + ahead]) : -1;
  }

  void CopyPlain() {
    char c = src_[pos_++];
    out_ += c;
    if (c == '\n') {
      ++line_;
      line_start_ = true;
    } else if (!IsBlank(c) && c != '\r') {
      line_start_ = false;
    }
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
    std::string name = src_.substr(start, pos_ - start);
    auto it = macros_.find(name);
    out_ += it != macros_.end() ? it->second : name;
    line_start_ = false;
  }

  // A number with its suffix letters ("0x1F", "1e5") is not a name to replace.
  void Number() {
    while (IsNameChar(Peek()) || Peek() == '.') out_ += src_[pos_++];
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
  std::map<std::string, std::string> macros_;
  size_t pos_ = 0;
  int line_ = 1;
  bool line_start_ = true;
};

}  // namespace

std::string TextModeContents(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == 0x1A) break;
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += c;
  }
  return text;
}

bool ApplyDefines(const std::string& source, std::string& out, Reporter& reporter) {
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
