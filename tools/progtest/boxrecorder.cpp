#include "boxrecorder.h"

#include "msgbox.h"

namespace progtest {

namespace {

BoxRecorder* g_recorder = nullptr;

int RecordBox(HWND owner, const char* text, const char* title, UINT type) {
  if (!g_recorder) return IDOK;
  g_recorder->shown.push_back(
      {text ? text : "", title ? title : "(null)", type, owner, owner && ::IsWindowVisible(owner)});
  if (g_recorder->answers.empty()) return IDOK;
  int answer = g_recorder->answers.front();
  g_recorder->answers.pop_front();
  return answer;
}

}  // namespace

BoxRecorder::BoxRecorder() {
  g_recorder = this;
  QelSetMessageBoxHook(RecordBox);
}

BoxRecorder::~BoxRecorder() {
  QelSetMessageBoxHook(nullptr);
  g_recorder = nullptr;
}

std::vector<std::string> BoxRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const ShownBox& b : shown) texts.push_back(b.text);
  return texts;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace progtest
