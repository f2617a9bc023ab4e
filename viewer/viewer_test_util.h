// Helpers of the viewer's tests: a scratch program folder, a stand-in for
// the runtime picture window that records what the view sends it, and the
// recorder that answers the viewer's message boxes.
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "hostcallbacks.h"

namespace viewertest {

// A folder below the working folder, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  // Ends with a backslash.
  const std::string& Path() const { return m_path; }
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  std::string ReadFile(const std::string& relative) const;

 private:
  std::string m_path;
};

// What the stand-in "QELPICVIEW" window of this process received.
struct RuntimeLog {
  std::vector<std::string> events;  // "host", "local", "load" in the order they came
  std::vector<std::string> loads;   // the bytes of each picture load
  bool tablesMatchedOnLoad = true;  // every load carried the tables sent before
  HostCallbackBlock host = {};
  LocalTagCallbackBlock local = {};
  HWND hwnd = nullptr;
  // When set, the next picture load asks for this picture while it runs,
  // as a link that fires as soon as a picture starts does.
  std::string requestOnLoad;
};
RuntimeLog& Runtime();

// Registers the stand-in as this program's own "QELPICVIEW" class (found
// before any global class of that name); unregisters it when destroyed.
class FakeRuntimeClass {
 public:
  FakeRuntimeClass();
  ~FakeRuntimeClass();
};

// Makes the stand-in ask its parent for these pictures, all within one
// message, as two links that fire on one click do. A null entry is a
// request without a name.
void RequestPictures(const std::vector<const char*>& names);

// Answers the viewer's message boxes from a queue (IDOK when empty) and
// keeps what they showed.
struct ShownBox {
  std::string text;
  std::string title;  // "(null)" for a box without a title of its own
  UINT type;
};
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  std::vector<ShownBox> shown;
  std::deque<int> answers;
  std::vector<std::string> Texts() const;
};

// Lets the posted messages of this thread run.
void PumpMessages();

}  // namespace viewertest
