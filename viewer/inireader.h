// CIniReader: a reader of small settings files ("[section]" lines and
// "key = value" lines, ';' starting a comment) that hands every key line
// inside a section to its key handler.
//
// The rules of a line, kept as operators have always written these files:
//  - leading white space is dropped; an empty line or one starting with ';'
//    is skipped;
//  - "[name]" sets the current section to the characters up to the first
//    ']'; a '[' without ']' leaves the section empty, so the keys that follow
//    are ignored until the next valid section line;
//  - any other line is cut at its first ';'; every '=' is dropped: the text
//    before the first '=' is the key, all the rest the value; both trimmed;
//  - the handler is called only for a line that held an '=' while the
//    current section is not empty.
#pragma once
#include <string>

class CIniReader {
 public:
  CIniReader() = default;
  virtual ~CIniReader() = default;

  // Reads the file as text (CR LF read as a line feed), line by line; a
  // final line without its line feed counts too. A byte 0xFF ends the
  // reading like the end of the file. False when the file cannot be opened.
  bool ReadFile(const char* path);
  // Parses one line (without its line feed).
  void ParseLine(const std::string& line);

  const std::string& CurrentSection() const { return m_section; }

 protected:
  // Called for every key line inside a section.
  virtual void OnKey(const std::string& section, const std::string& key, const std::string& value) = 0;

 private:
  std::string m_line;
  std::string m_section;
};

// Case-insensitive comparison of two names (ASCII letters only; GBK bytes
// compare as they are).
bool IniNameEquals(const std::string& a, const char* b);
