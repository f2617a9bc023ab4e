// Answers the program's message boxes (QelMessageBox) from a queue instead
// of a user, and keeps what they showed; and lets posted messages run.
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace progtest {

struct ShownBox {
  std::string text;
  std::string title;  // "(null)" for a box without a title of its own
  UINT type;
  HWND owner;       // the window the box was shown for
  bool ownerShown;  // that window was on the screen when the box came
};

// While it lives, every box is recorded and answered with the next answer
// (IDOK when the queue is empty). One recorder at a time.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  std::vector<ShownBox> shown;
  std::deque<int> answers;
  std::vector<std::string> Texts() const;
};

// Dispatches this thread's waiting messages.
void PumpMessages();

}  // namespace progtest
