#include "experror.h"

namespace {

const char* const kExpErrorTexts[kExpErrorCount] = {
    "OK",           "语法错误",     "()不匹配",         "未知运算符", "未知函数",
    "函数参数错误", "TV()内容为空", "字符串引号不匹配", "无回调函数", "回调取外部变量错误",
};

}  // namespace

const char* GetExpErrorText(int code) {
  if (code < 0 || code >= kExpErrorCount) return "";
  return kExpErrorTexts[code];
}
