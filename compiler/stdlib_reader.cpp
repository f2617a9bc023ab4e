#include "stdlib_reader.h"

#include <cstdlib>
#include <iterator>

#include "context.h"
#include "messages.h"
#include "symbols.h"

namespace tarnic {
namespace {

struct TypeNameRow {
  const char* name;
  int code;
};

const TypeNameRow ScriptTypeTable[] = {
    {"VOID", 0},
    {"CHAR", 1},
    {"BYTE", 2},
    {"UNSIGNEDCHAR", 2},
    {"SHORT", 3},
    {"SHORTINT", 3},
    {"WORD", 4},
    {"UNSIGNEDSHORT", 4},
    {"UNSIGNEDSHORTINT", 4},
    {"INT", 5},
    {"LONG", 5},
    {"BOOL", 5},
    {"DWORD", 6},
    {"UNSIGNEDLONG", 6},
    {"UNSIGNEDINT", 6},
    {"INT64", 7},
    {"FLOAT", 8},
    {"DOUBLE", 9},
    {"CHAR[]", 10},
    {"BYTE[]", 11},
    {"UNSIGNEDCHAR[]", 11},
    {"SHORT[]", 12},
    {"SHORTINT[]", 12},
    {"WORD[]", 13},
    {"UNSIGNEDSHORT[]", 13},
    {"UNSIGNEDSHORTINT[]", 13},
    {"INT[]", 14},
    {"LONG[]", 14},
    {"BOOL[]", 14},
    {"DWORD[]", 15},
    {"UNSIGNEDLONG[]", 15},
    {"UNSIGNEDINT[]", 15},
    {"INT64[]", 16},
    {"FLOAT[]", 17},
    {"DOUBLE[]", 18},
    {"CHAR*", 19},
    {"BYTE*", 20},
    {"UNSIGNEDCHAR*", 20},
    {"SHORT*", 21},
    {"SHORTINT*", 21},
    {"WORD*", 22},
    {"UNSIGNEDSHORT*", 22},
    {"UNSIGNEDSHORTINT*", 22},
    {"INT*", 23},
    {"LONG*", 23},
    {"BOOL*", 23},
    {"DWORD*", 24},
    {"UNSIGNEDLONG*", 24},
    {"UNSIGNEDINT*", 24},
    {"INT64*", 25},
    {"FLOAT*", 26},
    {"DOUBLE*", 27},
    {"...", 28},
};
static_assert(std::size(ScriptTypeTable) == 53, "53 type names");

constexpr size_t kMaxLine = 1024;

std::string Compact(const std::string& s, bool upper) {
  std::string out;
  for (char c : s) {
    if (c == ' ' || c == '\t') continue;
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    out += c;
  }
  return out;
}

}  // namespace

int ScriptTypeOfName(const std::string& name) {
  for (const TypeNameRow& row : ScriptTypeTable)
    if (name == row.name) return row.code;
  return 0;
}

std::unique_ptr<CSystemFunction> ParseSystemFunction(const std::string& line, bool* too_many) {
  if (too_many) *too_many = false;
  size_t lt = line.find_first_of("<;");
  if (lt == std::string::npos || line[lt] == ';') return nullptr;
  size_t gt = line.find('>', lt + 1);
  if (gt == std::string::npos) return nullptr;
  size_t open = line.find('(', gt + 1);
  if (open == std::string::npos) return nullptr;
  size_t close = line.find(')', open + 1);
  if (close == std::string::npos) return nullptr;
  std::string name = Compact(line.substr(gt + 1, open - gt - 1), false);
  if (name.empty()) return nullptr;

  auto f = std::make_unique<CSystemFunction>();
  f->id = static_cast<uint16_t>(std::atoi(Compact(line.substr(0, lt), false).c_str()));
  f->result = ScriptTypeOfName(Compact(line.substr(lt + 1, gt - lt - 1), true));
  f->name = name;
  std::string params = Compact(line.substr(open + 1, close - open - 1), true);
  if (!params.empty()) {
    size_t start = 0;
    for (;;) {
      size_t comma = params.find(',', start);
      f->params.push_back(ScriptTypeOfName(params.substr(start, comma - start)));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  if (f->params.size() > static_cast<size_t>(kMaxSystemParameters)) {
    if (too_many) *too_many = true;
    return nullptr;
  }
  return f;
}

void LoadSystemFunctions(const std::string& text, CCompilerContext& context) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    bool last = end == std::string::npos;
    if (last) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.size() >= kMaxLine) continue;
    bool too_many = false;
    std::unique_ptr<CSystemFunction> f = ParseSystemFunction(line, &too_many);
    if (too_many) {
      // More parameters than a call can carry: refused, and said so.
      size_t open = line.find('('), gt = line.find('>');
      std::string name = open != std::string::npos && gt != std::string::npos && gt < open
                             ? Compact(line.substr(gt + 1, open - gt - 1), false)
                             : line;
      context.reporter().Report(MSG_LOAD_SYSTEM_FUNCTION, name);
    }
    if (f) context.AddSystemFunction(std::move(f));
  }
}

}  // namespace tarnic
