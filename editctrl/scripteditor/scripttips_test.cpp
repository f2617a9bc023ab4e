// The tips file: its lines, the function names it gives, and the tips file
// shipped beside the control library against the compiler's system functions.
#include "scripttips.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines Parse(const std::string& text) { return ParseScriptTips(text.data(), text.size()); }

TEST(ScriptTips, LinesTrimmedEmptyOnesSkippedLastLineCounts) {
  EXPECT_EQ(Parse("abs(int n)\r\n  \t\r\n\t sqrt(double x) \r\n\ntime()"),
            (Lines{"abs(int n)", "sqrt(double x)", "time()"}));
  EXPECT_EQ(Parse(""), Lines{});
  EXPECT_EQ(Parse("\n\r\n \n"), Lines{});
  // A carriage return inside a line is not a line end.
  EXPECT_EQ(Parse("a\rb\n"), Lines{"a\rb"});
}

TEST(ScriptTips, FunctionNameIsTheTextBeforeTheFirstParenthesis) {
  struct Case {
    const char* tip;
    const char* name;
  } cases[] = {
      {"abs(int n)", "abs"},  {"dbr_GetDbVal(char* s, anytype* p)", "dbr_GetDbVal"},
      {"f(a(b))", "f"},       {"(int n)", ""},      // "(" first: no name
      {"no parenthesis", ""}, {"取值(x)", "取值"},  // whatever stands before "(" is the name
  };
  for (const Case& c : cases) EXPECT_EQ(TipFunctionName(c.tip), c.name) << c.tip;
  EXPECT_EQ(TipFunctionNames({"abs(int n)", "plain", "(x)", "sin(double x)"}), (Lines{"abs", "sin"}));
}

TEST(ScriptTips, ALongLineIsCutAtACharacterBoundary) {
  // kMaxTipBytes - 1 ASCII bytes then GBK characters: the cut keeps no half character.
  std::string line(kMaxTipBytes - 1, 'a');
  for (int i = 0; i < 10; ++i) line += "汉";
  Lines tips = Parse(line + "\nnext()");
  ASSERT_EQ(tips.size(), 2u);
  EXPECT_EQ(tips[0], std::string(kMaxTipBytes - 1, 'a'));
  EXPECT_EQ(tips[1], "next()");
}

TEST(ScriptTips, OnlyTheFirstTipsOfALongFileAreKept) {
  // Short lines up to the file limit: many more than a list can offer.
  const struct {
    size_t lines;
    size_t kept;
  } cases[] = {
      {kMaxTips - 1, kMaxTips - 1}, {kMaxTips, kMaxTips}, {kMaxTips + 1, kMaxTips}, {200000, kMaxTips}};
  for (const auto& c : cases) {
    std::string text;
    for (size_t i = 0; i < c.lines; ++i) text += "f" + std::to_string(i) + "(x)\r\n\n";
    const Lines tips = Parse(text);
    ASSERT_EQ(tips.size(), c.kept) << c.lines;
    EXPECT_EQ(tips.front(), "f0(x)");
    EXPECT_EQ(tips.back(), "f" + std::to_string(c.kept - 1) + "(x)") << "in file order";
  }
}

TEST(ScriptTips, MissingFileGivesNoTips) {
  Lines tips = {"left over"};
  EXPECT_FALSE(ReadScriptTipsFile("no\\such\\folder\\sctip.txt", tips));
  EXPECT_TRUE(tips.empty());
  EXPECT_FALSE(ReadScriptTipsFile(nullptr, tips));
}

TEST(ScriptTips, TipArrayOwnsItsTipsAndGrowsInSteps) {
  CScriptTipArray tips;
  for (int i = 0; i < CScriptTipArray::kGrowStep + 3; ++i)
    ASSERT_TRUE(tips.Add(("tip" + std::to_string(i)).c_str()));
  EXPECT_EQ(tips.GetSize(), CScriptTipArray::kGrowStep + 3);
  EXPECT_EQ(tips.GetAt(CScriptTipArray::kGrowStep + 2), "tip258");
  const int live = CObject::GetLiveCount();
  tips.RemoveAll();
  EXPECT_EQ(tips.GetSize(), 0);
  EXPECT_EQ(CObject::GetLiveCount(), live - (CScriptTipArray::kGrowStep + 3));
}

TEST(ScriptTips, TheTestOverrideNamesTheFile) {
  SetScriptTipsPath("C:\\elsewhere\\tips.txt");
  EXPECT_EQ(ScriptTipsPath(), "C:\\elsewhere\\tips.txt");
  SetScriptTipsPath(nullptr);
  const CString own = ScriptTipsPath();
  EXPECT_GT(own.GetLength(), 16);
  EXPECT_EQ(CString(own.GetString() + own.GetLength() - 16), "System\\sctip.txt");
}

std::string ProgramFile(const char* relative) {
  const char* dir = std::getenv("QEL_PROGRAM_DIR");
  return std::string(dir ? dir : "..\\out") + "\\" + relative;
}

// The function names of the compiler's system-function list: the text
// between ">" and "(" of every line that is not a comment.
std::set<std::string> SystemFunctionNames(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::set<std::string> names;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == ';') continue;
    const size_t close = line.find('>'), open = line.find('(');
    if (close == std::string::npos || open == std::string::npos || open < close) continue;
    names.insert(line.substr(close + 1, open - close - 1));
  }
  return names;
}

TEST(ScriptTips, TheShippedFileTipsEverySystemFunctionOnce) {
  Lines tips;
  ASSERT_TRUE(ReadScriptTipsFile(ProgramFile("system\\sctip.txt").c_str(), tips));
  const Lines names = TipFunctionNames(tips);
  EXPECT_EQ(names.size(), tips.size()) << "every tip names a function";
  const std::set<std::string> tipped(names.begin(), names.end());
  EXPECT_EQ(tipped.size(), names.size()) << "one tip per function";
  const std::set<std::string> system = SystemFunctionNames(ProgramFile("sc\\stdlib.txt"));
  ASSERT_GE(system.size(), 60u);
  EXPECT_EQ(tipped, system);
}

}  // namespace
