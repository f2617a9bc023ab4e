// What the tests of the attribute and event-link lists share: a stand-in
// editing window that records what the lists send back (and may answer as
// the real one does, with new records), records built by hand, and the
// editor started with its "属性/动作" tab shown.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "attrlist/drawattrlist.h"
#include "attrlist/eventlinklist.h"
#include "test/editor_harness.h"

namespace editortest {

// One message that the stand-in received.
struct SentMessage {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
  bool hasText;  // a text property: its text, not its pointer, counts
  std::string text;
  LOGFONTA font;  // the font record of the font property
  bool operator==(const SentMessage& other) const;
};
// For expectations: a property sent as a number, a link mode, the dialog.
SentMessage SentNumber(int id, LPARAM value);
SentMessage SentText(int id, const char* text);
SentMessage SentLink(int mode, int kind);
SentMessage SentDialog();
void PrintTo(const SentMessage& sent, std::ostream* out);

class CStubEditWindow : public CWnd {
 public:
  BOOL Create();
  std::vector<SentMessage> sent;
  // Called after a message was recorded (the real window may notify again).
  std::function<void(const SentMessage&)> onMessage;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

PropDesc Record(int id, int kind, LONG_PTR value, const char* name, int minimum = 0, int maximum = 0);
ActionKindDesc Link(int kind, DWORD flags, const char* name);

class ListsTest : public EditorTest {
 protected:
  void SetUp() override;
  CDrawAttrList& Attributes() { return Frame()->GetWorkspaceBar().GetAttributeList(); }
  CEventLinkList& Links() { return Frame()->GetWorkspaceBar().GetEventLinkList(); }
  // The records as the editing window's notice hands them over.
  void ShowRecords(std::vector<PropDesc>& records);
  void ShowLinks(std::vector<ActionKindDesc>& links);

  // The row of the attribute list that shows a property, -1 for none.
  int RowOf(int id);
  // A click on the value cell of a row of the attribute list.
  void ClickRow(int row);
  // The open editor as an editor, or nullptr.
  CListOptionsEditor* Editor();
  // Puts a text into the open editor and presses Enter there.
  void TypeAndEnter(const char* text);
  void Key(HWND window, UINT key);

  CStubEditWindow stub_;
};

}  // namespace editortest
