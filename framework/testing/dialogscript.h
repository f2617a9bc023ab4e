// DialogScript: a test drives the dialogs that a call opens, step by step.
//
//   qeltest::DialogScript script;
//   script.On("服务器连接配置", [](qeltest::DialogDriver& d) { d.Click(27001); })
//         .On("添加连接", [](qeltest::DialogDriver& d) {
//           d.Type(27005, "80");
//           d.Click(IDOK);
//         })
//         .OnMessageBox("提示", "请输入一个 1024 到 65535 之间的整数。", IDOK)
//         .On("添加连接", [](qeltest::DialogDriver& d) {
//           EXPECT_EQ(d.FocusId(), 27005);
//           d.Click(IDCANCEL);
//         })
//         .On("服务器连接配置", [](qeltest::DialogDriver& d) { d.Click(IDCANCEL); });
//   script.Run([&] { result = ShowTheDialog(); });
//
// Run arms a thread timer and a CBT hook of the test's thread, then calls the
// body, which opens the first window modally and returns when the last one
// closed. On every tick (in whatever modal loop runs: ours, a message box's, a
// common dialog's) the window the user would act on, the enabled dialog-class
// window of the thread, is compared with the next step's caption; when it
// matches, the step's action runs with a driver for it. A step whose window
// does not come within the step time-out, a window left open after the last
// step, and steps left over all fail the test (ADD_FAILURE, naming what was on
// the screen); the script then closes every window (No, Cancel or OK, in that
// order of preference) so that the body returns instead of hanging. Should
// even that not end the body, a watchdog ends the process with a message.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "testing/dialogdriver.h"

namespace qeltest {

class DialogScript {
 public:
  using Action = std::function<void(DialogDriver&)>;

  DialogScript();
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Waits for the window with that caption, then acts on it.
  DialogScript& On(const char* caption, Action action);
  // Waits for the next window to act on, whatever its caption: for the
  // platform's own dialogs, whose captions follow the platform's language.
  DialogScript& OnAny(Action action);
  // Waits for a message box with that caption, checks its text and presses a button.
  DialogScript& OnMessageBox(const char* caption, const char* text, int button);
  // How long a step waits for its window (10 s unless changed).
  DialogScript& StepTimeout(DWORD ms);

  // Runs body with the script armed (see above); once per script.
  void Run(const std::function<void()>& body);

  // Every top-level dialog-class window that opened during Run, in order,
  // by caption; a window opened twice is listed twice.
  const std::vector<std::string>& Seen() const { return m_seen; }
  // True when Run found no fault of its own.
  bool Passed() const { return !m_failed; }

 private:
  struct Step {
    std::string caption;
    bool anyCaption;
    Action action;
  };
  struct Opened {
    HWND hwnd;
    size_t seenIndex;
    bool activated;
  };

  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  static LRESULT CALLBACK OnCbt(int code, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK OnGetMessage(int code, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK OnCallWndProc(int code, WPARAM wp, LPARAM lp);
  static DWORD WINAPI Watchdog(LPVOID script);

  void Tick();
  void RunStepOrWait(HWND current, DWORD now);
  void CheckNothingLeftOpen(HWND current, DWORD now);
  void Fail(const std::string& why, HWND current);
  void NoteCreated(HWND hwnd, const char* name);
  void NoteActivated(HWND hwnd);
  // Input and commands that the thread took from its queue, and closes sent
  // to its windows, the latest last: whoever
  // sent them (the steps, or another program of the shared display), a
  // failure lists them.
  void NoteTaken(const MSG& msg);
  void NoteTaken(std::string line);
  std::string TakenText() const;

  std::vector<Step> m_steps;
  size_t m_next = 0;
  DWORD m_timeout = 10000;
  DWORD m_waitingSince = 0;
  int m_settleTicks = 0;
  bool m_busy = false;
  bool m_aborting = false;
  bool m_failed = false;
  DWORD m_thread = 0;
  HHOOK m_hook = nullptr;
  HHOOK m_messageHook = nullptr;
  HHOOK m_sentHook = nullptr;
  std::vector<std::string> m_taken;
  HANDLE m_done = nullptr;
  std::vector<std::string> m_seen;
  std::vector<Opened> m_opened;
};

}  // namespace qeltest
