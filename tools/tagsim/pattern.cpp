#include "pattern.h"

#include <cctype>

namespace tagsim {
namespace {

char Lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

// '*' any run, '?' any one byte; ASCII letters compare without case. Greedy with
// one back-track point, so no pattern costs more than length × length steps.
bool WildcardMatch(const char* p, const char* s) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*s) {
    if (*p == '*') {
      star = p++;
      resume = s;
    } else if (*p && (*p == '?' || Lower(*p) == Lower(*s))) {
      ++p;
      ++s;
    } else if (star) {
      p = star + 1;
      s = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}

}  // namespace

bool PatternMatch(const std::string& pattern, const std::string& text) {
  if (pattern.empty()) return true;
  if (pattern.find_first_of("*?") != std::string::npos) return WildcardMatch(pattern.c_str(), text.c_str());
  std::string p, t;
  for (char c : pattern) p += Lower(c);
  for (char c : text) t += Lower(c);
  return t.find(p) != std::string::npos;
}

}  // namespace tagsim
