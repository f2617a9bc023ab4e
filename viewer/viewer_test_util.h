// Helpers of the viewer's tests: a stand-in for the runtime picture window
// that records what the view sends it (and the shared program-test helpers).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "boxrecorder.h"
#include "qel/hostcallbacks.h"
#include "scratchfolder.h"

namespace viewertest {

using progtest::BoxRecorder;
using progtest::PumpMessages;
using progtest::ScratchFolder;
using progtest::ShownBox;

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

}  // namespace viewertest
