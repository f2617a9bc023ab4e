// The in-process harness of the editing window tests: QelCtrl.dll loaded by
// name from the program folder, a parent window that records every notice
// of its child, and a "QELPICEDIT" child driven by messages. A guard refuses
// every message box of the thread (and counts it), so that a report from
// inside the library's window procedure fails the test instead of waiting
// for a click.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editctrl_testfiles.h"
#include "qel/picmsg.h"

namespace edittest {

// One notice that the parent received.
struct Notice {
  UINT msg;
  WPARAM wp;
  ViewInfo view;                       // QCN_VIEWCHANGED
  std::vector<PropDesc> props;         // QCN_PROPERTIES
  std::vector<std::string> propTexts;  // text values of the text properties, by position
  std::vector<ActionKindDesc> kinds;   // QCN_EVENTLINKS
  std::string text;                    // QCN_OUTPUTTEXT
};

// The library, loaded once for the whole test program.
HMODULE Library();

using CompilePicFn = int(__stdcall*)(HWND, const char*, const char*);
CompilePicFn CompilePicExport();

// The picture windows' clipboard format "QELPICCLIP": what the clipboard
// holds in it, and bytes placed there as another program would.
UINT PictureClipFormat();
std::vector<BYTE> ClipboardBytes(HWND owner);
void PutClipboardBytes(HWND owner, const std::vector<BYTE>& bytes);

// A message box that a test let the library show, and what it showed.
struct SeenBox {
  std::string caption;
  std::string text;
  HICON icon = nullptr;  // a message box's icon, as its icon control shows it
};

class EditWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // A shown parent: needed where painting or update regions are looked at
  // (showing a top-level window costs a moment under the test display).
  virtual bool VisibleParent() const { return false; }
  void TearDown() override;

  // Creates the child with the given client size (its scroll bars outside
  // that size); the parent's notices recorded so far are dropped.
  HWND MakeChild(int clientWidth, int clientHeight);
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(child_, msg, wp, lp); }
  LRESULT SendText(UINT msg, const std::string& text) const {
    return Send(msg, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // The notice numbers since the last call, in order.
  std::vector<UINT> TakeNoticeNumbers();
  std::vector<Notice>& Notices();
  const Notice* LastNotice(UINT msg) const;
  SCROLLINFO Bar(int bar) const;
  // From now on message boxes are shown and answered with the button id
  // (0: refused again, which fails the test); each one is recorded.
  void AnswerBoxesWith(int button);
  // The same with one button per box, in order; the last one answers every
  // later box. A dialog of the library that is no sheet (the script dialog)
  // is answered like a box: IDCANCEL closes it.
  void AnswerBoxesWith(const std::vector<int>& buttons);
  // The same for the property sheets of the link dialogs (IDOK or IDCANCEL);
  // they are recorded among the boxes. With only one of the two answers
  // set, a window of the other kind is cancelled and fails the test.
  void AnswerSheetsWith(int button);
  // From now on dialogs, sheets and message boxes are neither refused nor
  // answered: a qeltest::DialogScript drives them.
  void LeaveDialogsToScript();
  const std::vector<SeenBox>& SeenBoxes() const;
  // Mouse messages to the child at a client point; flags are MK_ keys.
  void MouseDown(int x, int y, UINT flags = 0) const;
  void MouseUp(int x, int y, UINT flags = 0) const;
  void MouseMove(int x, int y, UINT flags = 0) const;
  // As the platform sends a double click: down, up, double click, up.
  void DoubleClick(int x, int y, UINT flags = 0) const;
  // A click: button down and up at one point.
  void Click(int x, int y, UINT flags = 0) const;
  // Down at one point, moves with the button held, up at the other.
  void Drag(int x0, int y0, int x1, int y1, UINT flags = 0) const;

  HWND parent_ = nullptr;
  HWND child_ = nullptr;
};

}  // namespace edittest
