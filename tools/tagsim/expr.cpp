#include "expr.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "values.h"

namespace tagsim {
namespace {

enum class Op { kGt, kGe, kLt, kLe, kEq, kNe };

struct OpSpelling {
  const char* text;
  Op op;
};
// Two-character spellings first so that ">=" is not read as ">".
const OpSpelling kOps[] = {{">=", Op::kGe}, {"<=", Op::kLe}, {"==", Op::kEq}, {"!=", Op::kNe},
                           {"<>", Op::kNe}, {">", Op::kGt},  {"<", Op::kLt},  {"=", Op::kEq}};

bool Compare(Op op, double a, double b) {
  switch (op) {
    case Op::kGt: return a > b;
    case Op::kGe: return a >= b;
    case Op::kLt: return a < b;
    case Op::kLe: return a <= b;
    case Op::kEq: return a == b;
    case Op::kNe: return a != b;
  }
  return false;
}

void SkipSpace(const std::string& s, size_t* i) {
  while (*i < s.size() && std::isspace(static_cast<unsigned char>(s[*i]))) ++*i;
}

}  // namespace

bool ParseFilterExpression(const std::string& text, SampleFilter* filter) {
  size_t i = 0;
  SkipSpace(text, &i);
  if (i == text.size()) {
    *filter = nullptr;
    return true;
  }
  while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) ++i;
  SkipSpace(text, &i);
  const OpSpelling* found = nullptr;
  for (const OpSpelling& o : kOps)
    if (text.compare(i, std::char_traits<char>::length(o.text), o.text) == 0) {
      found = &o;
      break;
    }
  if (!found) return false;
  i += std::char_traits<char>::length(found->text);
  SkipSpace(text, &i);
  const char* start = text.c_str() + i;
  char* end = nullptr;
  double number = std::strtod(start, &end);
  if (end == start || !std::isfinite(number)) return false;
  i += size_t(end - start);
  SkipSpace(text, &i);
  if (i != text.size()) return false;
  Op op = found->op;
  *filter = [op, number](const Value16& v) { return Compare(op, ValueAsDouble(v), number); };
  return true;
}

}  // namespace tagsim
