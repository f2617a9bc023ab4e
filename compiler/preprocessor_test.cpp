// The "#define" pass: comments, directives, replacement and line counting.
#include <gtest/gtest.h>

#include "preprocessor.h"
#include "reporter.h"
#include "test_support.h"

namespace tarnic {
namespace {

struct PassResult {
  int status;
  std::string text;
  std::string errors;
};

PassResult Pass(const std::string& source) {
  Reporter reporter;
  PassResult r;
  r.status = PreprocessText(source, r.text, reporter);
  r.errors = reporter.error_text();
  EXPECT_EQ(reporter.errors(), 0) << "the pass never counts errors";
  return r;
}

struct TextCase {
  const char* source;
  const char* text;
};

TEST(Preprocessor, Output) {
  const TextCase cases[] = {
      {"#define MAX 10\nint a[MAX];", "\nint a[10];"},
      {"#define A B\n#define B 3\nA", "\n\nB"},  // replaced once, not rescanned
      {"#define MAX 1\n\"MAX\" 'M' MAX", "\n\"MAX\" 'M' 1"},
      {"#include x\n", "#include x\n"},
      {"#define EMPTY\nEMPTY;", "\n;"},
      {"a/b a/=b", "a/b a/=b"},
      {"/* x **/ int a;", " int a;"},
      {"x // note\ny", "x \r\ny"},
      {"/* one\ntwo\nthree */z", "\r\n\r\nz"},
      {"a # b", "a # b"},
      {"#define T int // the type\nT x;", "\r\nint x;"},
      {"#define N 4 /* four */\nN", "\n4"},
      {"return\"a//b\";", "return\"a//b\";"},
      {"#define X 2\nX/*c*/X", "\n22"},
      {"#define x 5\n0x10 1e5 x", "\n0x10 1e5 5"},
      {"\"a\\\"MAX\" x", "\"a\\\"MAX\" x"},
      {"  #define I int\nI y;", "  \nint y;"},
      {"a\r\nb", "a\nb"},
      {"/", "/"},
      {"#define S \"a//b\" // note\nS", "\r\n\"a//b\""},
      {"#define C '/' /* c */\nC", "\n'/'"},
  };
  for (const TextCase& c : cases) {
    PassResult r = Pass(c.source);
    EXPECT_EQ(r.status, PP_OK) << c.source;
    EXPECT_EQ(r.text, c.text) << c.source;
  }
}

// As the platform runtime reads a file in text mode: only CR LF pairs lose
// their CR, and a Ctrl-Z ends the text.
TEST(Preprocessor, TextModeContents) {
  const TextCase cases[] = {
      {"", ""},
      {"a\r\nb\r\n", "a\nb\n"},
      {"\r\r\n\n\r", "\r\n\n\r"},
      {"a\rb", "a\rb"},
      {"ab\x1A"
       "cd\r\n",
       "ab"},
      {"a\r\x1A\n", "a\r"},
      {"\x1A", ""},
      {"\r\n\r\n", "\n\n"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextModeContents(c.source), c.text) << c.source;
}

TEST(Preprocessor, DefineSyntaxErrors) {
  const char* bad[] = {"int a;\n#define\nint b;", "int a;\n#define F(x) x\n", "\n#define 9x 1\n"};
  for (const char* source : bad) {
    PassResult r = Pass(source);
    EXPECT_EQ(r.status, PP_DEFINE_ERROR) << source;
    EXPECT_EQ(r.errors, "Error C1009 (2): #define syntax\r\n") << source;
  }
  Reporter chinese(true);
  std::string out;
  EXPECT_EQ(PreprocessText("#define (", out, chinese), PP_DEFINE_ERROR);
  EXPECT_EQ(chinese.error_text(), "错误 C1009 (1): #define 语法错误\r\n");
}

TEST(Preprocessor, OpenStringEndsThePassWithAnError) {
  PassResult r = Pass("int a;\nchar *s = \"abc;\n");
  EXPECT_EQ(r.status, PP_DEFINE_ERROR);
  EXPECT_EQ(r.errors, "Error C2004 (2): Missing a '\"'\r\n");
  PassResult c = Pass("int a = 'x;");
  EXPECT_EQ(c.status, PP_DEFINE_ERROR);
  EXPECT_EQ(c.errors, "Error C2004 (1): Missing a '''\r\n");
}

TEST(Preprocessor, EmptyResult) {
  EXPECT_EQ(Pass("").status, PP_EMPTY_RESULT);
  EXPECT_EQ(Pass("#define A 1").status, PP_EMPTY_RESULT);
}

TEST(Preprocessor, LineNumbersSurviveCommentsDirectivesAndStrings) {
  const char* sources[] = {
      "/* a\nb\nc */\nint main() { return k; }",                         // 4
      "#define A 1\n#define B 2\n// x\nint main() { return k; }",        // 4
      "int main() {\n char *s = \"x\n y\"; char c = '\n'; return k; }",  // 4
      "int main() { return\n\n\n k; }",                                  // 4
  };
  for (const char* source : sources) {
    CompileOutput out = Compile(source);
    EXPECT_EQ(Lines(out.err_text),
              (std::vector<std::string>{"Error C2018 (4): \"k\" is a undeclared identifier"}))
        << source;
  }
}

TEST(Preprocessor, DefinesCompile) {
  CompileOutput out = Compile("#define MAX 10\nint a[MAX];\nint main() { return sizeof(a); }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out)[0], "OP_LDK R=0 A=40 T=0x04");
}

// Replacement texts are not scanned again, so a chain of definitions, however
// long, costs no recursion: the last name becomes the one before it.
TEST(Preprocessor, ADeepChainOfDefinesIsReplacedOnce) {
  constexpr int kLinks = 100000;
  std::string source;
  for (int i = 1; i <= kLinks; ++i)
    source += "#define M" + std::to_string(i) + " M" + std::to_string(i - 1) + "\n";
  source += "M" + std::to_string(kLinks);
  PassResult r = Pass(source);
  EXPECT_EQ(r.status, PP_OK);
  EXPECT_EQ(r.text, std::string(kLinks, '\n') + "M" + std::to_string(kLinks - 1));
  EXPECT_EQ(r.errors, "");
}

}  // namespace
}  // namespace tarnic
