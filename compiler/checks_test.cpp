// The program checks and the checks made while generating code: the exit status
// is the number of errors, and the lines of "cscerr.txt" are exact in both languages.
#include <gtest/gtest.h>

#include "test_support.h"

namespace tarnic {
namespace {

class CheckErrors : public ::testing::TestWithParam<DiagnosticCase> {};

TEST_P(CheckErrors, ReportExactLines) { ExpectDiagnostics(GetParam()); }

const DiagnosticCase kCheckCases[] = {
    {"int f() { return 0; }", 1,
     {"Error C2001 (1): C Script need a main function"},
     {"错误 C2001 (1): C 脚本需要一个main函数"}},
    {"unsigned main() { return 0; }", 1,
     {"Error C2031 (1): not matching return value type in main function, it is must a \"int\""},
     {"错误 C2031 (1): main函数返回值不匹配，它必须是一个“int”类型"}},
    {"main() { return 0; }", 1,
     {"Error C2031 (1): not matching return value type in main function, it is must a \"int\""},
     {"错误 C2031 (1): main函数返回值不匹配，它必须是一个“int”类型"}},
    {"int main(int x) { return 0; }", 1,
     {"Error C2032 (1): main function can't has para"},
     {"错误 C2032 (1): main函数不允许有参数"}},
    {"double main(int x) { return 0; }", 2,
     {"Error C2031 (1): not matching return value type in main function, it is must a \"int\"",
      "Error C2032 (1): main function can't has para"},
     {"错误 C2031 (1): main函数返回值不匹配，它必须是一个“int”类型",
      "错误 C2032 (1): main函数不允许有参数"}},
    // Found while generating, with the line of the expression.
    {"void f() { x = 1; int x; }\nint main() { return 0; }", 1,
     {"Error C2018 (1): \"x\" is a undeclared identifier"},
     {"错误 C2018 (1): “x”是一个未定义的标识符"}},
    {"int main()\n{\n\n\n\n\n\n\n\n\n\n  return k;\n}", 1,
     {"Error C2018 (12): \"k\" is a undeclared identifier"},
     {"错误 C2018 (12): “k”是一个未定义的标识符"}},
    {"int main() { return f(); }", 1,
     {"Error C2018 (1): \"f\" is a undeclared identifier"},
     {"错误 C2018 (1): “f”是一个未定义的标识符"}},
    {"int a = b; int b; int main() { return 0; }", 1,
     {"Error C2018 (1): \"b\" is a undeclared identifier"},
     {"错误 C2018 (1): “b”是一个未定义的标识符"}},
    {"int *p; double d; int main() { p = d; return 0; }", 1,
     {"Error C2022 (1): cannot convert from \"double\" to \"long *\""},
     {"错误 C2022 (1): 不能将数据类型“double”转换成“long *”"}},
    {"int i; int *p; int main() { i = i + p; return 0; }", 1,
     {"Error C2022 (1): cannot convert from \"long *\" to \"long\""},
     {"错误 C2022 (1): 不能将数据类型“long *”转换成“long”"}},
    {"int x; int main() { x = (void) x; return 0; }", 1,
     {"Error C2022 (1): cannot convert from \"long\" to \"void\""},
     {"错误 C2022 (1): 不能将数据类型“long”转换成“void”"}},
    {"int x; int main() { (void *) x; return 0; }", 1,
     {"Error C2022 (1): cannot convert from \"long\" to \"void\""},
     {"错误 C2022 (1): 不能将数据类型“long”转换成“void”"}},
    {"unsigned short w; char *s; int main() { s = w; w = s; return 0; }", 1,
     {"Error C2022 (1): cannot convert from \"char *\" to \"unsigned short\""},
     {"错误 C2022 (1): 不能将数据类型“char *”转换成“unsigned short”"}},
    {"double d; int i; int main() { i = d; return 0; }", 0,
     {"Warning C3000 (1): conversion from \"double\" to \"long\", possible loss of data"},
     {"警告 C3000 (1): 将数据类型“double”转换成“long”有可能会丢失数据"}},
    {"int x = 1.5; int main() { return 0; }", 0,
     {"Warning C3000 (1): conversion from \"double\" to \"int\", possible loss of data"},
     {"警告 C3000 (1): 将数据类型“double”转换成“int”有可能会丢失数据"}},
    {"float f; int main() { f <<= 1; return 0; }", 1,
     {"Error C2025 (1): \"<<=\" : Invalid operator"},
     {"错误 C2025 (1): “<<=”: 无效的操作"}},
    {"double d; int main() { d = ~d; return 0; }", 1,
     {"Error C2025 (1): \"~\" : Invalid operator"},
     {"错误 C2025 (1): “~”: 无效的操作"}},
    {"int *p; int main() { p = -p; return 0; }", 1,
     {"Error C2025 (1): \"-\" : Invalid operator"},
     {"错误 C2025 (1): “-”: 无效的操作"}},
    {"int a[3]; int main() { a--; return 0; }", 1,
     {"Error C2025 (1): \"--\" : Invalid operator"},
     {"错误 C2025 (1): “--”: 无效的操作"}},
    {"int *p; int main() { return &p; }", 1,
     {"Error C2025 (1): \"&\" : Invalid operator"},
     {"错误 C2025 (1): “&”: 无效的操作"}},
    {"int main() { return &3; }", 1,
     {"Error C2025 (1): \"&\" : Invalid operator"},
     {"错误 C2025 (1): “&”: 无效的操作"}},
    {"int x; int main() { return *x; }", 1,
     {"Error C2025 (1): \"*\" : Invalid operator"},
     {"错误 C2025 (1): “*”: 无效的操作"}},
    {"int *p; int main() { return **p; }", 1,
     {"Error C2025 (1): \"*\" : Invalid operator"},
     {"错误 C2025 (1): “*”: 无效的操作"}},
    {"double d; int main() { return d % 2 || d & 1; }", 1,
     {"Error C2025 (1): \"&\" : Invalid operator"},
     {"错误 C2025 (1): “&”: 无效的操作"}},
    {"int main() { 5++; return 0; }", 1,
     {"Error C2028 (1): \"++\" needs l-value"},
     {"错误 C2028 (1): “++”需要一个变量"}},
    {"int a[2]; int b[2]; int main() { a = b; return 0; }", 1,
     {"Error C2028 (1): \"=\" needs l-value"},
     {"错误 C2028 (1): “=”需要一个变量"}},
    {"int a[2]; int main() { a += 1; return 0; }", 1,
     {"Error C2028 (1): \"+=\" needs l-value"},
     {"错误 C2028 (1): “+=”需要一个变量"}},
    {"int x; int main() { 3 = x; x + 1 = 2; return 0; }", 2,
     {"Error C2028 (1): \"=\" needs l-value", "Error C2028 (1): \"=\" needs l-value"},
     {"错误 C2028 (1): “=”需要一个变量", "错误 C2028 (1): “=”需要一个变量"}},
    {"int f(int a) { return a; } int main() { return f(1, 2); }", 1,
     {"Error C2024 (1): \"f\" : function does not take 2 parameters"},
     {"错误 C2024 (1): “f”：函数不接受 2 个参数"}},
    {"int g() { return 0; } int main() { return g(1); }", 1,
     {"Error C2024 (1): \"g\" : function does not take 1 parameters"},
     {"错误 C2024 (1): “g”：函数不接受 1 个参数"}},
    {"int main() { return sprintf(\"x\"); }", 1,
     {"Error C2024 (1): \"sprintf\" : function does not take 1 parameters"},
     {"错误 C2024 (1): “sprintf”：函数不接受 1 个参数"}},
    {"int main() { char b[9]; return sprintf(b, \"%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d\", 1, 2, 3, 4, 5, 6, 7, "
     "8, 9, 10, 11, 12, 13, 14, 15); }",
     1,
     {"Error C2024 (1): \"sprintf\" : function does not take 17 parameters"},
     {"错误 C2024 (1): “sprintf”：函数不接受 17 个参数"}},
    {"int main() { main(); return 0; }", 1,
     {"Error C2029 (1): Disallow to called main function"},
     {"错误 C2029 (1): 不允许调用 main 函数"}},
    {"int x; int main() { x = x / 0; x = x % 0; x /= 0; return 0; }", 2,
     {"Error C2009 (1): divide or mod by zero", "Error C2009 (1): divide or mod by zero"},
     {"错误 C2009 (1): 发生除零错误", "错误 C2009 (1): 发生除零错误"}},
    {"char s[2] = \"abc\"; int main() { return 0; }", 1,
     {"Error C2030 (1): too many initializers"},
     {"错误 C2030 (1): 太多的初始化项"}},
    {"int a[2] = {1, 2, 3}; int main() { return 0; }", 0,
     {"Warning C3002 (1): too many initializers"},
     {"警告 C3002 (1): 太多的初始化项"}},
    {"int x = {1}; int main() { return 0; }", 1,
     {"Error C2023 (1): Invalid initialize"},
     {"错误 C2023 (1): 无效的初始化"}},
    {"int a[2] = 5; int main() { return 0; }", 1,
     {"Error C2023 (1): Invalid initialize"},
     {"错误 C2023 (1): 无效的初始化"}},
    {"int main() { return strlen(1.5); }", 1,
     {"Error C2022 (1): cannot convert from \"double\" to \"char *\""},
     {"错误 C2022 (1): 不能将数据类型“double”转换成“char *”"}},
    {"int main() { return abs(1.5); }", 0,
     {"Warning C3000 (1): conversion from \"double\" to \"long\", possible loss of data"},
     {"警告 C3000 (1): 将数据类型“double”转换成“long”有可能会丢失数据"}},
};

INSTANTIATE_TEST_SUITE_P(Table, CheckErrors, ::testing::ValuesIn(kCheckCases));

TEST(Checks, WarningsAloneCompile) {
  CompileOutput out = Compile("double d; int i; int main() { i = d; return 0; }");
  EXPECT_EQ(out.status, 0);
  EXPECT_TRUE(out.generated);
  EXPECT_FALSE(out.err_text.empty());
}

TEST(Checks, LocalHidesGlobalOfTheSameName) {
  CompileOutput out = Compile("int x; int main() { int x; x = 1; return x; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out)[1], "OP_LDM R=1 A=4194304");  // the local cell, not the global
}

}  // namespace
}  // namespace tarnic
