// Helpers for the tag list tests: a parent window for a list, records made
// by hand, and message boxes that are read and closed while they show.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "qel/qbtypes.h"
#include "wnd.h"

namespace taglisttest {

// A hidden top-level window to create lists in.
bool CreateParent(CWnd& parent);

// A server tag attribute record with the texts cut to their fields.
QB_TAGATTR ServerTag(const char* name, int type, const char* description = "", const char* unit = "");

// Dispatches waiting messages of this thread.
void PumpPending();

// Every message box shown while the object lives is read and closed with OK.
class MessageBoxWatch {
 public:
  struct Box {
    std::string title;
    std::string text;
  };
  MessageBoxWatch();
  ~MessageBoxWatch();
  MessageBoxWatch(const MessageBoxWatch&) = delete;
  MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
  const std::vector<Box>& Boxes() const;
};

}  // namespace taglisttest
