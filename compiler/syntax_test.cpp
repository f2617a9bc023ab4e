// Syntax errors and the registration checks made while parsing: exit status 1
// and the exact lines of "cscerr.txt" in both languages.
#include <gtest/gtest.h>

#include "test_support.h"

namespace tarnic {
namespace {

class SyntaxErrors : public ::testing::TestWithParam<DiagnosticCase> {};

TEST_P(SyntaxErrors, ReportExactLines) { ExpectDiagnostics(GetParam()); }

const DiagnosticCase kSyntaxCases[] = {
    {"int **p; int main() { return 0; }",
     1,
     {"Error C2008 (1): Too many pointer definition"},
     {"错误 C2008 (1): 太多的指针定义，脚本仅支持一维指针"}},
    {"int a[]; int main() { return 0; }",
     1,
     {"Error C2023 (1): Invalid initialize"},
     {"错误 C2023 (1): 无效的初始化"}},
    {"int a[0]; int main() { return 0; }",
     1,
     {"Error C2023 (1): Invalid initialize"},
     {"错误 C2023 (1): 无效的初始化"}},
    {"void f() { return 1; } int main() { return 0; }",
     1,
     {"Error C2027 (1): \"f\" : \"void\" function returning a value"},
     {"错误 C2027 (1): “f” : “void”函数正在返回值"}},
    {"int g() { }\nint main() { return 0; }",
     1,
     {"Error C2026 (1): \"g\" : must return a value"},
     {"错误 C2026 (1): “g” :  必须返回一个值"}},
    {"int f() { return 1; } int main() { return f(1)(2); }",
     1,
     {"Error C2010 (1): Expecting a function called"},
     {"错误 C2010 (1): 脚本期待一个函数调用，但未找到函数名"}},
    {"int main() { break; return 0; }",
     1,
     {"Error C2020 (1): illegal break"},
     {"错误 C2020 (1): 非法的 break 语句"}},
    {"int main() {\n continue;\n return 0; }",
     1,
     {"Error C2021 (2): illegal continue"},
     {"错误 C2021 (2): 非法的 continue 语句"}},
    {"int main() { return 0 }",
     1,
     {"Error C2005 (1): Missing a ';' in \"return\" statement"},
     {"错误 C2005 (1): 在 \"return\" 语句中丢失一个符号 ';'"}},
    {"int main() { return ); }",
     1,
     {"Error C2011 (1): \"return\" is expecting an <expr>"},
     {"错误 C2011 (1): \"return\" 期待一个表达式，但未找到"}},
    {"int main() { if 1; return 0; }",
     1,
     {"Error C2011 (1): \"if\" is expecting an <expr>"},
     {"错误 C2011 (1): \"if\" 期待一个表达式，但未找到"}},
    {"int main() { if (1; return 0; }",
     1,
     {"Error C2005 (1): Missing a ')' in \"if\" statement"},
     {"错误 C2005 (1): 在 \"if\" 语句中丢失一个符号 ')'"}},
    {"int main() { while 1; return 0; }",
     1,
     {"Error C2005 (1): Missing a '(' in \"while\" statement"},
     {"错误 C2005 (1): 在 \"while\" 语句中丢失一个符号 '('"}},
    {"int main() { while (1; return 0; }",
     1,
     {"Error C2005 (1): Missing a ')' in \"while\" statement"},
     {"错误 C2005 (1): 在 \"while\" 语句中丢失一个符号 ')'"}},
    {"int main() { for 1; return 0; }",
     1,
     {"Error C2005 (1): Missing a '(' in \"for\" statement"},
     {"错误 C2005 (1): 在 \"for\" 语句中丢失一个符号 '('"}},
    {"int main() { int i; for (;;) i = 1; return 0; }",
     1,
     {"Error C2005 (1): Missing a ')' in \"for\" statement"},
     {"错误 C2005 (1): 在 \"for\" 语句中丢失一个符号 ')'"}},
    {"int main() { int i; for (i = 0; i < 2;) i = 1; return 0; }",
     1,
     {"Error C2005 (1): Missing a ')' in \"for\" statement"},
     {"错误 C2005 (1): 在 \"for\" 语句中丢失一个符号 ')'"}},
    {"int main() { while (1) { continue 2; } return 0; }",
     1,
     {"Error C2005 (1): Missing a ';' in \"continue\" statement"},
     {"错误 C2005 (1): 在 \"continue\" 语句中丢失一个符号 ';'"}},
    {"int main() { while (1) { break 2; } return 0; }",
     1,
     {"Error C2005 (1): Missing a ';' in \"break\" statement"},
     {"错误 C2005 (1): 在 \"break\" 语句中丢失一个符号 ';'"}},
    {"int main() { return 0;\n",
     1,
     {"Error C2012 (2): not matching '{'"},
     {"错误 C2012 (2): 符号 '{' 不匹配"}},
    {"int a[3; int main() { return 0; }",
     1,
     {"Error C2004 (1): Missing a ']'"},
     {"错误 C2004 (1): 丢失一个符号 ']'"}},
    {"int f(int a, ) { return a; } int main() { return 0; }",
     1,
     {"Error C2004 (1): Missing a ')'"},
     {"错误 C2004 (1): 丢失一个符号 ')'"}},
    {"int f(int a, int b) { return a; } int main() { return f(1, ); }",
     1,
     {"Error C2004 (1): Missing a ')'"},
     {"错误 C2004 (1): 丢失一个符号 ')'"}},
    // Errors that no rule covers are never silent.
    {"#include x\nint main() { return 0; }",
     1,
     {"Error C2003 (1): Expecting a declaration"},
     {"错误 C2003 (1): 脚本期待一个声明，但未找到"}},
    {"int f();\nint main() { return 0; }",
     1,
     {"Error C2003 (1): Expecting a declaration"},
     {"错误 C2003 (1): 脚本期待一个声明，但未找到"}},
    {"int main() { int x; x = ; return 0; }",
     1,
     {"Error C2011 (1): \"=\" is expecting an <expr>"},
     {"错误 C2011 (1): \"=\" 期待一个表达式，但未找到"}},
    {"int main() { int x;\n x = 1\n x = 2; return 0; }",
     1,
     {"Error C2004 (3): Missing a ';'"},
     {"错误 C2004 (3): 丢失一个符号 ';'"}},
    {"int main() { int x; do x = 1; (x); return 0; }",
     1,
     {"Error C2004 (1): Missing a 'while'"},
     {"错误 C2004 (1): 丢失一个符号 'while'"}},
    // Scanner.
    {"int main() { return 'ab'; }",
     1,
     {"Error C2014 (1): Invalid inverted comma declaration: 'ab'"},
     {"错误 C2014 (1): 无效的单引号定义：'ab'"}},
    // Registration of declarations and functions.
    {"long long x; int main() { return 0; }",
     1,
     {"Error C2007 (1): Invalid type definition"},
     {"错误 C2007 (1): 无效的类型定义"}},
    {"void v; int main() { return 0; }",
     1,
     {"Error C2007 (1): Invalid type definition"},
     {"错误 C2007 (1): 无效的类型定义"}},
    {"int main() { int unsigned x; return 0; }",
     1,
     {"Error C2007 (1): Invalid type definition"},
     {"错误 C2007 (1): 无效的类型定义"}},
    {"int a;\nint a; int main() { return 0; }",
     1,
     {"Error C2016 (2): \"a\" redefinition"},
     {"错误 C2016 (2): “a”重复定义"}},
    {"int printf() { return 0; } int main() { return 0; }",
     1,
     {"Error C2017 (1): \"printf\" is a system function"},
     {"错误 C2017 (1): “printf”是一个系统函数"}},
    {"int printf; int main() { return 0; }",
     1,
     {"Error C2019 (1): \"printf\" is a system function"},
     {"错误 C2019 (1): “printf”是一个系统函数"}},
    {"void f() { } void g() { int f; } int main() { return 0; }",
     1,
     {"Error C2019 (1): \"f\" is a system function"},
     {"错误 C2019 (1): “f”是一个系统函数"}},
    {"void f() { { int i; } { int i; } } int main() { return 0; }",
     1,
     {"Error C2016 (1): \"i\" redefinition"},
     {"错误 C2016 (1): “i”重复定义"}},
    {"int f(int a, int a) { return a; } int main() { return 0; }",
     1,
     {"Error C2016 (1): \"a\" redefinition"},
     {"错误 C2016 (1): “a”重复定义"}},
    {"int f() { return 1; } int f() { return 2; } int main() { return 0; }",
     1,
     {"Error C2016 (1): \"f\" redefinition"},
     {"错误 C2016 (1): “f”重复定义"}},
    {"int x; int x() { return 2; } int main() { return 0; }",
     1,
     {"Error C2016 (1): \"x\" redefinition"},
     {"错误 C2016 (1): “x”重复定义"}},
    {"int main() { return sizeof(k); }",
     1,
     {"Error C2018 (1): \"k\" is a undeclared identifier"},
     {"错误 C2018 (1): “k”是一个未定义的标识符"}},
    // A constant initializer is checked with the declaration's own spellings.
    {"int *p = 1.5; int main() { return 0; }",
     1,
     {"Error C2022 (1): cannot convert from \"double\" to \"int*\""},
     {"错误 C2022 (1): 不能将数据类型“double”转换成“int*”"}},
    {"int *p = \"ab\"; int main() { return 0; }",
     1,
     {"Error C2022 (1): cannot convert from \"char[]\" to \"int*\""},
     {"错误 C2022 (1): 不能将数据类型“char[]”转换成“int*”"}},
    {"unsigned char c = 2.5; int main() { return 0; }",
     0,
     {"Warning C3000 (1): conversion from \"double\" to \"BYTE\", possible loss of data"},
     {"警告 C3000 (1): 将数据类型“double”转换成“BYTE”有可能会丢失数据"}},
    {"int main() { }",
     0,
     {"Warning C3001 (1): \"main\" : function should return a value; zero is default"},
     {"警告 C3001 (1): “main” : 函数将返回一个值，默认返回零"}},
};

INSTANTIATE_TEST_SUITE_P(Table, SyntaxErrors, ::testing::ValuesIn(kSyntaxCases));

TEST(Syntax, AcceptedForms) {
  const char* accepted[] = {
      "int a[] = {1, 2}; int main() { return 0; }",
      "int a[3] = { 1, 2, }; int main() { return 0; }",
      "int main() { int x; while (x) { break; } return 0; }",
      "int main() { int i; for (;; i++) { break; } return 0; }",
      "unsigned short int w; short int s; unsigned long u; unsigned bool b; int main() { return 0; }",
      "long main() { return 0; }",
      "bool main(void) { return 0; }",
      "int g; int f() { return g; } int main() { return f(); }",
      "int main() { int x; x = 1; int y; y = x; return y; }",
      "int main() { if (1) int x; return 0; }",
      "int int64x; int main() { return int64x; }",
      "int main() { int i; i = 1 >= 2 <= 3 != 4; return i; }",
      "char *f(char *s) { return s; } int main() { f(\"a\"); return 0; }",
  };
  for (const char* source : accepted) {
    CompileOutput out = Compile(source);
    EXPECT_EQ(out.status, 0) << source << "\n" << out.err_text;
    EXPECT_EQ(out.err_text, "") << source;
  }
}

TEST(Syntax, TheEditorsFrameScriptCompilesCleanly) {
  const std::string frame =
      "//类型宏替换\r\n#define CHAR\t\tchar\r\n#define BYTE\t\tunsigned char\r\n"
      "#define SHORT\t\tshort int\r\n#define LONG\t\tint\r\n#define DWORD\t\tunsigned int\r\n"
      "#define BOOL\t\tbool\r\n#define FLOAT\t\tfloat\r\n#define __int64\t\tint64\r\n"
      "#define LONGLONG\tint64\r\n#define DOUBLE\t\tdouble\r\n\r\nint main()\r\n{\r\n"
      "\t//Add  your code here\r\n\r\n\treturn 0;\r\n}\r\n";
  CompileOutput out = Compile(frame, true);
  EXPECT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(out.err_text, "");
  // The macros then work as type words.
  CompileOutput typed =
      Compile(frame.substr(0, frame.find("int main")) +
              "BYTE b; DWORD d; LONGLONG q; SHORT s;\r\nint main() { CHAR c[2]; return sizeof(q); }");
  ASSERT_EQ(typed.status, 0) << typed.err_text;
  EXPECT_EQ(Dump(typed).end()[-2], "OP_LDK R=0 A=8 T=0x04");
}

TEST(Syntax, DeclarationsAfterAnErrorStillGetChecked) {
  // The first statement is broken; the rest of the body is still parsed.
  CompileOutput out = Compile("int main() { x = ; y = 2 + ; return 0; }");
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(Lines(out.err_text), (std::vector<std::string>{"Error C2011 (1): \"=\" is expecting an <expr>",
                                                           "Error C2011 (1): \"+\" is expecting an <expr>"}));
}

TEST(Syntax, LongIdentifierIsReportedWhole) {
  std::string name(300, 'q');
  CompileOutput out = Compile("int " + name + "; int " + name + "; int main() { return 0; }");
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(Lines(out.err_text),
            (std::vector<std::string>{"Error C2016 (1): \"" + name + "\" redefinition"}));
  CompileOutput undeclared = Compile("int main() { return " + name + "; }", true);
  EXPECT_EQ(Lines(undeclared.err_text),
            (std::vector<std::string>{"错误 C2018 (1): “" + name + "”是一个未定义的标识符"}));
}

TEST(Syntax, NestingIsBoundedInsteadOfExhaustingTheStack) {
  std::string open(2000, '('), close(2000, ')');
  CompileOutput deep = Compile("int main() { return " + open + "1" + close + "; }");
  EXPECT_EQ(deep.status, 1);
  EXPECT_EQ(Lines(deep.err_text), (std::vector<std::string>{"Error C1003: Out of stack"}));

  std::string chain = "a";
  for (int i = 0; i < 5000; ++i) chain += " + a";
  CompileOutput longest = Compile("int a; int main() { return " + chain + "; }");
  EXPECT_EQ(longest.status, 1);
  EXPECT_EQ(Lines(longest.err_text), (std::vector<std::string>{"Error C1003: Out of stack"}));

  std::string fine = "a";
  for (int i = 0; i < 1000; ++i) fine += " + a";
  EXPECT_EQ(Compile("int a; int main() { return " + fine + "; }").status, 0);
  EXPECT_EQ(
      Compile("int main() { return " + std::string(100, '(') + "1" + std::string(100, ')') + "; }").status,
      0);
}

}  // namespace
}  // namespace tarnic
