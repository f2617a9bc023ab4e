// The compiler's one reporter: message texts, counts and the two output texts.
#pragma once
#include <string>

namespace tarnic {

class Reporter {
 public:
  explicit Reporter(bool chinese = false) : chinese_(chinese) {}

  bool chinese() const { return chinese_; }
  void set_chinese(bool chinese) { chinese_ = chinese; }
  int line() const { return line_; }
  void set_line(int line) { line_ = line; }

  // Reports a numbered message through the error output; counts it as an error
  // (below 3000) or a warning. In Chinese the two arguments swap unless keepOrder.
  void Report(int code, const char* first = nullptr, const char* second = nullptr, bool keepOrder = false);
  void Report(int code, const std::string& first) { Report(code, first.c_str()); }
  void ReportNumber(int code, const char* first, int number, bool keepOrder);
  // The line-numbered error form with a given line, not counted (preprocessor).
  void ReportUncounted(int code, int line, const char* arg = nullptr);

  // The text of a message formatted with its arguments, without a line form.
  std::string MessageWith(int code, const char* first = nullptr, const char* second = nullptr,
                          bool keepOrder = false) const;

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }
  void ResetErrors() { errors_ = 0; }

  // What goes to "cscerr.txt" and to "cscout.txt".
  const std::string& error_text() const { return error_text_; }
  std::string& out_text() { return out_text_; }
  const std::string& out_text() const { return out_text_; }

 private:
  void WriteLine(int code, int line, const std::string& text);

  bool chinese_;
  int line_ = 1;
  int errors_ = 0;
  int warnings_ = 0;
  std::string error_text_;
  std::string out_text_;
};

}  // namespace tarnic
