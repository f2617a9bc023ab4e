#include "scripttips.h"

#include <cstdio>
#include <memory>
#include <new>

#include "gbkcut.h"
#include "moduledir.h"

namespace {

bool IsTipBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// One line trimmed of blanks, cut to the longest tip.
std::string TrimmedTip(const char* begin, const char* end) {
  while (begin < end && IsTipBlank(*begin)) ++begin;
  while (end > begin && IsTipBlank(end[-1])) --end;
  const size_t fit = GbkFitLength(begin, static_cast<size_t>(end - begin), kMaxTipBytes);
  return std::string(begin, fit);
}

CString& TipsPathOverride() {
  static CString path;
  return path;
}

}  // namespace

bool CScriptTipArray::Add(const char* text) {
  try {
    m_tips.Add(new CScriptTip(text));
    return true;
  } catch (...) {  // no memory: the array already dropped the tip
    return false;
  }
}

const CString& CScriptTipArray::GetAt(int index) const {
  return static_cast<const CScriptTip*>(m_tips.GetAt(index))->m_strText;
}

std::vector<std::string> ParseScriptTips(const char* text, size_t length) {
  std::vector<std::string> tips;
  if (!text) return tips;
  const char* const end = text + length;
  for (const char* line = text; line < end && tips.size() < kMaxTips;) {
    const char* stop = line;
    while (stop < end && *stop != '\n') ++stop;
    std::string tip = TrimmedTip(line, stop);
    if (!tip.empty()) tips.push_back(std::move(tip));
    line = stop + 1;
  }
  return tips;
}

std::string TipFunctionName(const std::string& tip) {
  const size_t paren = tip.find('(');
  if (paren == std::string::npos || paren == 0) return std::string();
  return tip.substr(0, paren);
}

std::vector<std::string> TipFunctionNames(const std::vector<std::string>& tips) {
  std::vector<std::string> names;
  for (const std::string& tip : tips) {
    std::string name = TipFunctionName(tip);
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

bool ReadScriptTipsFile(const char* path, std::vector<std::string>& tips) {
  tips.clear();
  std::unique_ptr<FILE, int (*)(FILE*)> file(path ? std::fopen(path, "rb") : nullptr, std::fclose);
  if (!file) return false;
  std::string text;
  char piece[4096];
  while (text.size() < kMaxTipsFileBytes) {
    const size_t room = kMaxTipsFileBytes - text.size();
    const size_t got = std::fread(piece, 1, room < sizeof piece ? room : sizeof piece, file.get());
    if (got == 0) break;
    text.append(piece, got);
  }
  // A file cut at the limit loses its unfinished last line.
  if (text.size() >= kMaxTipsFileBytes) {
    const size_t lastLineEnd = text.rfind('\n');
    text.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd);
  }
  tips = ParseScriptTips(text.data(), text.size());
  return true;
}

CString ScriptTipsPath() {
  if (!TipsPathOverride().IsEmpty()) return TipsPathOverride();
  return GetModuleDir() + "System\\sctip.txt";
}

void SetScriptTipsPath(const char* path) { TipsPathOverride() = path ? path : ""; }
