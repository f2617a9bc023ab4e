#include "exphelp.h"

#include <string>

#include "crtformat.h"
#include "functionlists.h"

namespace {

// A blank line of the help holds two blanks.
const char kBlankLine[] = "  ";

const char* const kOperatorLines[] = {
    "运算符的意义、优先级、结合律同C语言",
    "|| 逻辑或",
    "&& 逻辑与",
    "|  位或",
    "^  位异或",
    "&  位与",
    "<  小于",
    "<= 小于等于",
    ">  大于",
    ">= 大于等于",
    "<< 左移位",
    ">> 右移位",
    "+  加",
    "-  减",
    "*  乘",
    "/  除",
    "%  除模",
    "-  (负号)",
    "~  位反",
    "() 括号",
};

const char* const kTagLines[] = {
    "标签引用：",
    "TV(标签名) 实时库基本类型标签值。",
    "TVV(标签名) 实时库变长类型标签值(string,blob)。",
    "LV(标签名) 本地基本类型标签值。",
    "LVV(标签名) 本地变长类型标签值(string,blob)。",
    "标签名为字符串,不做字符集限制",
    "TV(sc.f0001)  引用实时库标签 sc.f0001",
    "LV(demo_f32)  引用本地标签 demo_f32",
    "LVV(demo_str)  引用本地标签 demo_str",
};

const char kLiteralLine[] =
    "立即数：支持整数，小数，16进制整数(0X或 0x开头),静态字符串\"\"格式，比如:\"val =\"";
const char kTypeLine[] =
    "类型：\t整数(32位),浮点数(double),字符串(长度<255)。字符串运算支持+运算，即字符串合并。";

const char* const kExampleLines[] = {
    "例子:",
    "单标签值: tv(tag1003)",
    "多标签值计算:sqrt(fabs(tv(tag1) + tv(tag2))) * (tv(tag3) - tv(tag4))",
    "位操作:tv(tag10) >> 8 & 0XFF",
};

// A prototype of the function list ("long   labs(long)") as the help shows
// it: indented by two blanks, the return type in a field of seven.
std::string HelpPrototype(const char* prototype) {
  const std::string whole = prototype;
  const size_t blank = whole.find(' ');
  if (blank == std::string::npos) return "  " + whole;
  const size_t call = whole.find_first_not_of(' ', blank);
  return qel::FormatStr("  %-7s%s", whole.substr(0, blank).c_str(),
                        call == std::string::npos ? "" : whole.c_str() + call);
}

void AddLine(std::string& text, const char* line) {
  text += line;
  text += "\r\n";
}

template <size_t N>
void AddLines(std::string& text, const char* const (&lines)[N]) {
  for (const char* line : lines) AddLine(text, line);
}

std::string BuildHelp() {
  std::string text;
  AddLines(text, kOperatorLines);
  AddLine(text, kBlankLine);
  AddLine(text, "函数:\t内置19个常用数值处理函数,支持函数嵌套,函数参数为1-n个,不能有空参数函数。");
  for (const char* prototype : kExpressionFunctions) AddLine(text, HelpPrototype(prototype).c_str());
  AddLine(text, kBlankLine);
  AddLines(text, kTagLines);
  AddLine(text, kBlankLine);
  AddLine(text, kLiteralLine);
  AddLine(text, kBlankLine);
  AddLine(text, kTypeLine);
  AddLine(text, kBlankLine);
  AddLines(text, kExampleLines);
  return text;
}

}  // namespace

const CString& ExpressionHelpText() {
  static const CString text(BuildHelp().c_str());
  return text;
}
