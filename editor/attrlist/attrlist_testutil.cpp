#include "attrlist_testutil.h"

#include <cstring>
#include <ostream>

#include "attrlist/attrtexts.h"
#include "attrlist/listoptionseditor.h"
#include "qel/picmsg.h"

namespace editortest {

bool SentMessage::operator==(const SentMessage& other) const {
  return msg == other.msg && wp == other.wp && hasText == other.hasText &&
         (hasText ? text == other.text : lp == other.lp);
}

SentMessage SentNumber(int id, LPARAM value) {
  return {QCM_SETPROPERTY, static_cast<WPARAM>(id), value, false, "", {}};
}
SentMessage SentText(int id, const char* text) {
  return {QCM_SETPROPERTY, static_cast<WPARAM>(id), 0, true, text, {}};
}
SentMessage SentLink(int mode, int kind) {
  return {QCM_SETEVENTLINK, static_cast<WPARAM>(mode), kind, false, "", {}};
}
SentMessage SentDialog() { return {QCM_OBJECTDIALOG, 0, 0, false, "", {}}; }

void PrintTo(const SentMessage& sent, std::ostream* out) {
  *out << "{0x" << std::hex << sent.msg << std::dec << ", " << sent.wp << ", ";
  if (!sent.hasText)
    *out << sent.lp;
  else
    *out << '"' << sent.text << '"';
  *out << "}";
}

BOOL CStubEditWindow::Create() {
  return CreateEx(0, "STATIC", "stub", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
}

LRESULT CStubEditWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != QCM_SETPROPERTY && msg != QCM_OBJECTDIALOG && msg != QCM_SETEVENTLINK)
    return CWnd::WindowProc(msg, wp, lp);
  SentMessage got = {msg, wp, lp, false, "", {}};
  if (msg == QCM_SETPROPERTY && PropSendRule(static_cast<int>(wp)) == PropSend::text) {
    got.hasText = true;
    got.text = lp ? reinterpret_cast<const char*>(lp) : "(null)";
  }
  if (msg == QCM_SETPROPERTY && wp == PROP_FONT && lp) got.font = *reinterpret_cast<const LOGFONTA*>(lp);
  sent.push_back(got);
  if (onMessage) onMessage(got);
  return 0;
}

PropDesc Record(int id, int kind, LONG_PTR value, const char* name, int minimum, int maximum) {
  PropDesc rec = {};
  rec.id = id;
  rec.kind = kind;
  rec.value = value;
  rec.minimum = minimum;
  rec.maximum = maximum;
  lstrcpynA(rec.name, name, kPropNameSize);
  return rec;
}

ActionKindDesc Link(int kind, DWORD flags, const char* name) {
  ActionKindDesc link = {};
  link.kind = kind;
  link.flags = flags;
  lstrcpynA(link.name, name, kActionKindNameSize);
  return link;
}

void ListsTest::SetUp() {
  Start();
  Frame()->GetWorkspaceBar().SelectTab(CWorkspaceBar::kTabProperties);
  ASSERT_TRUE(stub_.Create());
  Settle();
}

void ListsTest::ShowRecords(std::vector<PropDesc>& records) {
  PropDescList list = {static_cast<int>(records.size()), records.data()};
  Frame()->ShowProperties(&list, stub_.m_hWnd);
  Settle();
}

void ListsTest::ShowLinks(std::vector<ActionKindDesc>& links) {
  ActionKindList list = {static_cast<int>(links.size()), links.data()};
  Frame()->ShowEventLinks(&list, stub_.m_hWnd);
  Settle();
}

int ListsTest::RowOf(int id) {
  for (int row = 0; row < Attributes().GetRowCount(); ++row)
    if (Attributes().GetPropId(row) == id) return row;
  return -1;
}

void ListsTest::ClickRow(int row) {
  RECT cell = {LVIR_BOUNDS, 1, 0, 0};
  Attributes().SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  const int x = (cell.left + cell.right) / 2, y = (cell.top + cell.bottom) / 2;
  Attributes().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Attributes().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Settle();
}

CListOptionsEditor* ListsTest::Editor() {
  return dynamic_cast<CListOptionsEditor*>(Attributes().GetEditor());
}

void ListsTest::Key(HWND window, UINT key) {
  ::SendMessageA(window, WM_KEYDOWN, key, 0);
  Settle();
}

void ListsTest::TypeAndEnter(const char* text) {
  CListOptionsEditor* editor = Editor();
  ASSERT_NE(editor, nullptr);
  const HWND typed = editor->FocusWindow();
  ::SetWindowTextA(typed, text);
  Key(typed, VK_RETURN);
}

}  // namespace editortest
