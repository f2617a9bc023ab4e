#include "inireader.h"

#include <cstdio>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Owns the C runtime stream: text mode, so that CR LF arrives as one line feed.
struct TextFile {
  explicit TextFile(const char* path) : f(std::fopen(path, "rt")) {}
  ~TextFile() {
    if (f) std::fclose(f);
  }
  FILE* f;
};

}  // namespace

bool IniNameEquals(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return i == a.size() && !b[i];
}

bool CIniReader::ReadFile(const char* path) {
  TextFile file(path);
  if (!file.f) return false;
  m_line.clear();
  for (;;) {
    int c = std::fgetc(file.f);
    // The byte 0xFF is taken as the end, as a reader that keeps the byte in a
    // char and compares it with EOF does.
    if (c == EOF || c == 0xFF) break;
    if (c == '\n') {
      ParseLine(m_line);
      m_line.clear();
    } else {
      m_line += char(c);
    }
  }
  if (!m_line.empty()) ParseLine(m_line);
  m_line.clear();
  return true;
}

void CIniReader::ParseLine(const std::string& raw) {
  size_t start = 0;
  while (start < raw.size() && IsSpace(raw[start])) ++start;
  if (start == raw.size() || raw[start] == ';') return;
  if (raw[start] == '[') {
    size_t close = raw.find(']', start + 1);
    m_section = close == std::string::npos ? std::string() : raw.substr(start + 1, close - start - 1);
    return;
  }
  std::string line = raw.substr(start, raw.find(';', start) - start);
  size_t firstEquals = line.find('=');
  if (firstEquals == std::string::npos || m_section.empty()) return;
  std::string key = line.substr(0, firstEquals);
  std::string value;
  for (size_t i = firstEquals + 1; i < line.size(); ++i)
    if (line[i] != '=') value += line[i];
  OnKey(m_section, Trim(key), Trim(value));
}
