// The script tips file "System\sctip.txt" beside the control library: one tip
// per line, each a prototype such as abs(int n). The completion list offers
// the whole line; the text before its first "(" is a system-function name,
// which the editor colours.
//
// File format: 8-bit GBK text; lines end at a line feed (a carriage return
// before it goes with the surrounding blanks); each line is trimmed of blanks
// and tabs on both sides; empty lines are ignored; a last line without a line
// feed counts. A missing file gives no tips.
#pragma once
#include <string>
#include <vector>

#include "objptrarray.h"
#include "qstring.h"

// One tip: the text offered for completion.
class CScriptTip : public CObject {
 public:
  explicit CScriptTip(const char* text) : m_strText(text) {}
  CString m_strText;
};

// The tips of one reader, owned.
class CScriptTipArray {
 public:
  static constexpr int kGrowStep = 256;

  // False when there is no memory for it (the tip is then left out).
  bool Add(const char* text);
  void RemoveAll() { m_tips.RemoveAll(); }
  int GetSize() const { return m_tips.GetSize(); }
  const CString& GetAt(int index) const;

 private:
  CObjPtrArray m_tips{kGrowStep};
};

// The tips of a file's text, in file order: the first kMaxTips of them. A
// line longer than kMaxTipBytes is cut there, at a GBK character boundary.
std::vector<std::string> ParseScriptTips(const char* text, size_t length);
// The function name of a tip: its text before the first "(", empty when it
// has none or the "(" comes first.
std::string TipFunctionName(const std::string& tip);
// The function names of every tip that names one, in tip order.
std::vector<std::string> TipFunctionNames(const std::vector<std::string>& tips);

// Reads the tips of a file (at most kMaxTipsFileBytes of it); false with no
// tips when it cannot be opened.
bool ReadScriptTipsFile(const char* path, std::vector<std::string>& tips);
// The tips file: "System\sctip.txt" below the folder of this module, unless
// a test named another with SetScriptTipsPath.
CString ScriptTipsPath();
// nullptr goes back to the module's own file.
void SetScriptTipsPath(const char* path);

constexpr size_t kMaxTipBytes = 1024;
// The most tips kept from one file. The shipped file tips each of the
// system's hundred-odd functions once; a list this long still opens at once,
// while every typed letter pair walks the tips and fills a sorted list box
// with those that match.
constexpr size_t kMaxTips = 4096;
constexpr size_t kMaxTipsFileBytes = 1 << 20;
