// Speed of the link expression evaluator: a ten-operator expression with two
// tag references, evaluated a million times against an in-memory tag answerer
// (a window procedure in this thread answering the service requests from a
// map, as a picture window answers them from its tag cache).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "experror.h"
#include "expression.h"
#include "scriptvalue.h"

namespace {

std::map<std::string, CScriptValue> g_database;
std::map<std::string, CScriptValue> g_local;

LRESULT Answer(const std::map<std::string, CScriptValue>& values, LPARAM lParam) {
  const auto* request = reinterpret_cast<const NumTagRequest*>(lParam);
  auto it = values.find(request->name);
  if (it == values.end()) return 1;
  std::memcpy(request->value, &it->second, sizeof(QB_VALUE));
  return 0;
}

LRESULT CALLBACK TagAnswerer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == QSM_READTAG || message == QSM_READLOCAL) && lParam &&
      IsHostParamValid(static_cast<DWORD>(wParam)))
    return Answer(message == QSM_READTAG ? g_database : g_local, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreateAnswerer() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = TagAnswerer;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QelExpressionBenchTags";
  RegisterClassA(&wc);
  return CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

void Measure(const char* what, const char* text, HWND window, int runs) {
  CExpression expression;
  if (int rc = expression.CheckText(text)) {
    std::printf("%s: check fails with %d\n", what, rc);
    return;
  }
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  CExpValue result;
  int rc = 0;
  for (int i = 0; i < runs && rc == 0; ++i) rc = expression.Calculate(result, window);
  QueryPerformanceCounter(&b);
  const double seconds = double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
  std::printf("%-34s %12.0f evaluations per second (%d runs, result %d, code %d)\n", what, runs / seconds,
              runs, result.AsInt(), rc);
}

}  // namespace

int main() {
  CScriptValue level;
  level.SetInt(21);
  g_database["level"] = level;
  CScriptValue count;
  count.SetDouble(9.5);
  g_local["count"] = count;
  HWND window = CreateAnswerer();
  const int kRuns = 1000000;
  // Ten operators: * + - * / + - << >> &.
  Measure("10 operators, TV and LV", "(TV(level)*2+LV(count)-3)*4/2+7-1<<1>>1&65535", window, kRuns);
  Measure("10 operators, constants only", "(21*2+9.5-3)*4/2+7-1<<1>>1&65535", nullptr, kRuns);
  DestroyWindow(window);
  return 0;
}
