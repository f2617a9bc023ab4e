// The attribute list of the running editor, filled as the editing window's
// notice fills it and edited as an engineer edits it; a stand-in editing
// window receives what the list sends back.
#include <cstring>

#include "attrlist/attrlist_testutil.h"
#include "attrlist/drawattrlist.h"
#include "colortest_util.h"
#include "crtformat.h"
#include "qel/picmsg.h"
#include "testing/dialogscript.h"

namespace editortest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

int CALLBACK TakeHorizontalFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
  if (font->lfFaceName[0] == '@') return 1;  // vertical variants are not listed by the font dialog
  lstrcpyA(reinterpret_cast<LOGFONTA*>(out)->lfFaceName, font->lfFaceName);
  return 0;
}

// A font of this platform, read at run time.
LOGFONTA ScreenFont() {
  LOGFONTA font = {};
  font.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExA(screen, &font, TakeHorizontalFace, reinterpret_cast<LPARAM>(&font), 0);
  ::ReleaseDC(nullptr, screen);
  font.lfHeight = -12;
  return font;
}

class AttrListTest : public ListsTest {
 protected:
  // Shows one record, clicks its row and gives back its editor.
  // Another program of the shared display may take the activation while
  // the row is clicked, and the focus leaving the list rightly finishes the
  // edit: the click is made again while the thread has no active window.
  CListOptionsEditor* EditOne(const PropDesc& rec) {
    records_ = {rec};
    const DWORD start = ::GetTickCount();
    do {
      ShowRecords(records_);
      ClickRow(0);
    } while (!::GetActiveWindow() && ::GetTickCount() - start < 15000u);
    EXPECT_NE(::GetActiveWindow(), nullptr) << "the program never kept the activation";
    return Editor();
  }
  CRuntimeClass* EditorClass() {
    CWnd* editor = Attributes().GetEditor();
    return editor ? editor->GetRuntimeClass() : nullptr;
  }
  std::vector<PropDesc> records_;
};

TEST_F(AttrListTest, ThirtyTwoRecordsGiveThirtyTwoRowsAndThirtyThreeNone) {
  for (int i = 0; i < 33; ++i)
    records_.push_back(Record(PROP_TOPX, PE_INTEGER, i * 10, qel::FormatStr("行%d", i).c_str()));
  std::vector<PropDesc> first32(records_.begin(), records_.begin() + 32);
  ShowRecords(first32);
  ASSERT_EQ(Attributes().GetItemCount(), 32);
  EXPECT_EQ(Attributes().GetItemText(31, 0), "行31");
  EXPECT_EQ(Attributes().GetItemText(31, 1), "310");
  ShowRecords(records_);
  EXPECT_EQ(Attributes().GetItemCount(), 0);
  EXPECT_EQ(Attributes().GetRowCount(), 0);
}

TEST_F(AttrListTest, ARowShowsTheRecordsNameImageAndValueText) {
  static char name[] = "泵站1";
  records_ = {Record(PROP_TYPE, PE_TEXT | PK_READONLY, reinterpret_cast<LONG_PTR>("矩形"), "类型"),
              Record(PROP_NAME, PE_TEXT, reinterpret_cast<LONG_PTR>(name), "对象名称"),
              Record(PROP_COMMENT, PE_TEXT, 0, "注释"),
              Record(PROP_LINECOLOR, PE_COLOR, 0x0000FF, "颜色"),
              Record(PROP_FILLCOLOR1, PE_COLOR, -1, "填充颜色", 1),
              Record(PROP_FILLMODE, PE_FILLMODE, 4, "填充模式"),
              Record(PROP_LINESTYLE, PE_LINESTYLE, 1, "线型"),
              Record(PROP_MULTILINE, PE_BOOL, 1, "多行"),
              Record(PROP_LAYERS, PE_BUTTON, 0, "画面层管理")};
  ShowRecords(records_);
  const struct {
    const char* name;
    const char* value;
    int image;
  } rows[] = {{"类型", "矩形", -1},   {"对象名称", "泵站1", 8},  {"注释", "", -1},
              {"颜色", "&FF0000", 0}, {"填充颜色", "无颜色", 1}, {"填充模式", "上下渐变", -1},
              {"线型", "虚线", 5},    {"多行", "TRUE", 9},       {"画面层管理", "点击进入...", 11}};
  ASSERT_EQ(Attributes().GetItemCount(), 9);
  for (int row = 0; row < 9; ++row) {
    EXPECT_EQ(Attributes().GetItemText(row, 0), rows[row].name) << row;
    EXPECT_EQ(Attributes().GetItemText(row, 1), rows[row].value) << row;
    EXPECT_EQ(Attributes().GetRowImage(row), rows[row].image) << row;
  }
  // The list copied the texts: the window's records may go.
  std::strcpy(name, "XX");
  EXPECT_EQ(Attributes().GetItemText(1, 1), "泵站1");
}

TEST_F(AttrListTest, EachEditorKindOpensItsOwnEditorAndReadOnlyRowsNone) {
  LOGFONTA font = {};
  lstrcpyA(font.lfFaceName, "宋体");
  const struct {
    int kind;
    LONG_PTR value;
    CRuntimeClass* editor;
  } cases[] = {
      {PE_INTEGER, 5, RUNTIME_CLASS(CListOptionsEdit)},
      {PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, 5, RUNTIME_CLASS(CListOptionsEdit)},
      {PE_BOOL, 0, RUNTIME_CLASS(CListOptionsBooleanCombo)},
      {PE_COLOR, 0xFF, RUNTIME_CLASS(CListOptionsColorButton)},
      {3, 0, nullptr},
      {PE_TEXT, reinterpret_cast<LONG_PTR>("t"), RUNTIME_CLASS(CListOptionsEdit)},
      {PE_FONT, reinterpret_cast<LONG_PTR>(&font), RUNTIME_CLASS(CListOptionsFontButton)},
      {PE_GUID, 0, nullptr},
      {PE_LINESTYLE, 0, RUNTIME_CLASS(CLineTypeComboBox)},
      {PE_FILLMODE, 0, RUNTIME_CLASS(CFillTypeComboBox)},
      {PE_ALIGN, 0, RUNTIME_CLASS(CValAdjustComboBox)},
      {PE_BUTTON, 0, RUNTIME_CLASS(COpaqueObjAttrButton)},
      {PE_INTEGER | PK_READONLY, 5, nullptr},
      {PE_TEXT | PK_READONLY, reinterpret_cast<LONG_PTR>("t"), nullptr},
      {PE_GUID | PK_READONLY, 0, nullptr},
  };
  for (const auto& c : cases) {
    EditOne(Record(PROP_TOPX, c.kind, c.value, "x"));
    EXPECT_EQ(EditorClass(), c.editor) << "kind " << c.kind;
    EXPECT_EQ(Attributes().GetCurrentRow(), 0);
    if (CWnd* editor = Attributes().GetEditor()) {
      EXPECT_TRUE(editor->IsWindowVisible());
      if (c.editor == RUNTIME_CLASS(CListOptionsEdit)) {
        EXPECT_NE(editor->GetExStyle() & WS_EX_CLIENTEDGE, 0u);  // sunken
      }
      // Over the value cell, in the list's font.
      RECT cell = {LVIR_BOUNDS, 1, 0, 0}, placed;
      Attributes().SendMessage(LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
      editor->GetWindowRect(&placed);
      Attributes().ScreenToClient(&placed);
      EXPECT_EQ(placed.left, cell.left) << "kind " << c.kind;
      EXPECT_EQ(placed.top, cell.top) << "kind " << c.kind;
      EXPECT_EQ(placed.right, cell.right) << "kind " << c.kind;
      EXPECT_EQ(editor->GetFont(), Attributes().GetFont()) << "kind " << c.kind;
    }
  }
}

TEST_F(AttrListTest, AComboShowsItsChoicesWithTheCellsTextSelected) {
  EditOne(Record(PROP_FILLMODE, PE_FILLMODE, 3, "填充模式"));
  auto* combo = dynamic_cast<CListOptionsCombo*>(Attributes().GetEditor());
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->GetCount(), 6);
  EXPECT_EQ(combo->GetLBText(0), "不填充");
  EXPECT_EQ(combo->GetLBText(5), "左右渐变");
  EXPECT_EQ(combo->GetCurSel(), 3);
  EXPECT_EQ(combo->GetStyle() & 3, static_cast<DWORD>(CBS_DROPDOWN));
  COMBOBOXINFO parts = {};
  parts.cbSize = sizeof parts;
  ASSERT_TRUE(::GetComboBoxInfo(combo->m_hWnd, &parts));
  EXPECT_EQ(parts.hwndItem, combo->GetEditPart().m_hWnd);
  // As tall as the cell, its list reaching below it.
  RECT cell = {LVIR_BOUNDS, 1, 0, 0}, field, dropped;
  Attributes().SendMessage(LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
  combo->GetWindowRect(&field);
  combo->SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_EQ(field.bottom - field.top, cell.bottom - cell.top);
  EXPECT_GT(dropped.bottom, field.bottom);
  const struct {
    CRuntimeClass* cls;
    int value;
    std::vector<std::string> choices;
  } combos[] = {{RUNTIME_CLASS(CLineTypeComboBox), 0, {"实线", "虚线"}},
                {RUNTIME_CLASS(CValAdjustComboBox), 6, {"TA_LEFT", "TA_CENTER", "TA_RIGHT"}},
                {RUNTIME_CLASS(CListOptionsBooleanCombo), 0, {"TRUE", "FALSE"}}};
  const int kinds[] = {PE_LINESTYLE, PE_ALIGN, PE_BOOL};
  for (int i = 0; i < 3; ++i) {
    EditOne(Record(PROP_ALIGN, kinds[i], combos[i].value, "c"));
    combo = dynamic_cast<CListOptionsCombo*>(Attributes().GetEditor());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetRuntimeClass(), combos[i].cls);
    std::vector<std::string> shown;
    for (int k = 0; k < combo->GetCount(); ++k) shown.push_back(combo->GetLBText(k).GetString());
    EXPECT_EQ(shown, combos[i].choices);
  }
}

TEST_F(AttrListTest, ChoosingTA_CENTERSendsSixAndTheCellShowsIt) {
  EditOne(Record(PROP_ALIGN, PE_ALIGN, 0, "对其方式"));
  auto* combo = dynamic_cast<CListOptionsCombo*>(Attributes().GetEditor());
  ASSERT_NE(combo, nullptr);
  // The engineer picks the second choice in the dropped list.
  combo->SetCurSel(1);
  Attributes().SendMessage(WM_COMMAND, MAKEWPARAM(combo->GetDlgCtrlID(), CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(combo->m_hWnd));
  EXPECT_TRUE(stub_.sent.empty());  // not before the combo has done with its choice
  Settle();
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_ALIGN, 6)});
  EXPECT_EQ(Attributes().GetItemText(0, 1), "TA_CENTER");
  EXPECT_EQ(Attributes().GetEditor(), nullptr);  // closed once the value changed
}

TEST_F(AttrListTest, TypedTextsGoBackByTheRuleOfTheirId) {
  const struct {
    PropDesc rec;
    const char* typed;
    const char* shown;
    std::vector<SentMessage> sent;
  } cases[] = {
      {Record(PROP_MULTILINE, PE_BOOL, 0, "多行"), "True", "True", {SentNumber(PROP_MULTILINE, 1)}},
      {Record(PROP_READONLY, PE_BOOL, 1, "只读"), "no", "no", {SentNumber(PROP_READONLY, 0)}},
      {Record(PROP_NAME, PE_TEXT, reinterpret_cast<LONG_PTR>("a"), "对象名称"),
       "泵站2",
       "泵站2",
       {SentText(PROP_NAME, "泵站2")}},
      {Record(PROP_STRUCTNAME, PE_TEXT, 0, "结构名"), "S1", "S1", {SentText(PROP_STRUCTNAME, "S1")}},
      {Record(PROP_TOPX, PE_INTEGER, 10, "TOPX"), "-25", "-25", {SentNumber(PROP_TOPX, -25)}},
      {Record(PROP_PICPERIOD, PE_INTEGER, 1000, "画面周期(毫秒)"),
       "500ms",
       "500ms",
       {SentNumber(PROP_PICPERIOD, 500)}},
      {Record(PROP_LINESTYLE, PE_LINESTYLE, 0, "线型"), "虚线", "虚线", {SentNumber(PROP_LINESTYLE, 1)}},
      {Record(PROP_FILLMODE, PE_FILLMODE, 0, "填充模式"),
       "单色填充",
       "单色填充",
       {SentNumber(PROP_FILLMODE, 1)}},
      {Record(PROP_ALIGN, PE_ALIGN, 0, "对其方式"), "居中", "居中", {SentNumber(PROP_ALIGN, 2)}},
      // Ids that go back as nothing: the cell changes all the same.
      {Record(PROP_FONT, PE_TEXT, reinterpret_cast<LONG_PTR>("宋体"), "字体"), "黑体", "黑体", {}},
      {Record(PROP_CHILDCOUNT, PE_INTEGER, 3, "内含对象数"), "4", "4", {}},
      {Record(40, PE_INTEGER, 3, "其他"), "4", "4", {}},
  };
  for (const auto& c : cases) {
    stub_.sent.clear();
    EditOne(c.rec);
    TypeAndEnter(c.typed);
    EXPECT_EQ(stub_.sent, c.sent) << c.rec.name;
    EXPECT_EQ(Attributes().GetItemText(0, 1), c.shown) << c.rec.name;
  }
}

TEST_F(AttrListTest, AMinimumAndAMaximumHoldATypedNumber) {
  const struct {
    int kind;
    const char* typed;
    const char* shown;
    LPARAM sent;
  } cases[] = {
      {PE_INTEGER | PK_MIN_APPLIES, "3", "5", 5},
      {PE_INTEGER | PK_MIN_APPLIES, "abc", "5", 5},
      {PE_INTEGER | PK_MIN_APPLIES, "60", "60", 60},
      {PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, "99", "32", 32},
      {PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, "-1", "5", 5},
      {PE_INTEGER, "99", "99", 99},  // no bound applies
  };
  for (const auto& c : cases) {
    stub_.sent.clear();
    EditOne(Record(PROP_LINEWIDTH, c.kind, 12, "线宽", 5, 32));
    TypeAndEnter(c.typed);
    EXPECT_EQ(Attributes().GetItemText(0, 1), c.shown) << c.typed;
    EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_LINEWIDTH, c.sent)}) << c.typed;
  }
}

TEST_F(AttrListTest, AnUnchangedTextSendsNothingAndTheEditorStays) {
  CListOptionsEditor* editor = EditOne(Record(PROP_LINEWIDTH, PE_INTEGER | PK_MIN_APPLIES, 5, "线宽", 5, 32));
  ASSERT_NE(editor, nullptr);
  TypeAndEnter("5");
  EXPECT_TRUE(stub_.sent.empty());
  EXPECT_EQ(Editor(), editor);
  // Held to the minimum it is the cell's text again: the editor shows it.
  TypeAndEnter("2");
  EXPECT_TRUE(stub_.sent.empty());
  EXPECT_EQ(QelGetWindowText(editor->FocusWindow()), "5");
}

TEST_F(AttrListTest, EscShowsTheCellsTextAgainAndSendsNothing) {
  CListOptionsEditor* editor = EditOne(Record(PROP_TOPX, PE_INTEGER, 40, "TOPX"));
  ASSERT_NE(editor, nullptr);
  ::SetWindowTextA(editor->FocusWindow(), "77");
  Key(editor->FocusWindow(), VK_ESCAPE);
  EXPECT_EQ(QelGetWindowText(editor->FocusWindow()), "40");
  EXPECT_TRUE(stub_.sent.empty());
  EXPECT_EQ(::GetFocus(), Attributes().m_hWnd);
}

TEST_F(AttrListTest, KeysReachTheEditorThroughTheProgramsLoopAndThePanelStays) {
  CListOptionsEditor* editor = EditOne(Record(PROP_TOPX, PE_INTEGER, 40, "TOPX"));
  ASSERT_NE(editor, nullptr);
  const HWND typed = editor->FocusWindow();
  ::SetFocus(typed);
  ::SetWindowTextA(typed, "41");
  ::PostMessageA(typed, WM_KEYDOWN, VK_RETURN, 0);
  Settle();
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_TOPX, 41)});
  // Enter and Esc on the list itself are no dialog's OK or Cancel.
  for (UINT key : {VK_RETURN, VK_ESCAPE}) Attributes().PostMessage(WM_KEYDOWN, key, 0);
  Settle();
  EXPECT_TRUE(::IsWindowVisible(Frame()->GetWorkspaceBar().GetPropertyPanel()));
  EXPECT_EQ(Attributes().GetItemCount(), 1);
}

TEST_F(AttrListTest, ClickingAnotherRowFinishesTheEditAndOpensThatRowsEditor) {
  records_ = {Record(PROP_TOPX, PE_INTEGER, 1, "TOPX"), Record(PROP_TOPY, PE_INTEGER, 2, "TOPY")};
  ShowRecords(records_);
  ClickRow(0);
  ::SetWindowTextA(Editor()->FocusWindow(), "11");
  ClickRow(1);
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_TOPX, 11)});
  EXPECT_EQ(Attributes().GetCurrentRow(), 1);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->GetRow(), 1);
  EXPECT_EQ(Attributes().GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
}

TEST_F(AttrListTest, TheFocusLeavingTheListFinishesTheEdit) {
  CListOptionsEditor* editor = EditOne(Record(PROP_WIDTH, PE_INTEGER, 100, "WIDTH"));
  ASSERT_NE(editor, nullptr);
  ::SetFocus(editor->FocusWindow());
  ::SetWindowTextA(editor->FocusWindow(), "120");
  ::SetFocus(Frame()->m_hWnd);  // another window of the program
  Settle();
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_WIDTH, 120)});
  // Within the list the focus moves freely. Another program of the shared
  // display may take the activation meanwhile, and the focus leaving the
  // list for it rightly finishes the edit: the move counts once the focus
  // stayed in the list to the end, and is made again otherwise.
  const DWORD start = ::GetTickCount();
  for (;;) {
    const size_t before = stub_.sent.size();
    ClickRow(0);
    ::SetFocus(Editor()->FocusWindow());
    ::SetWindowTextA(Editor()->FocusWindow(), "130");
    ::SetFocus(Attributes().m_hWnd);
    Settle();
    if (::GetFocus() == Attributes().m_hWnd) {
      EXPECT_EQ(stub_.sent.size(), before);
      break;
    }
    ASSERT_LT(::GetTickCount() - start, 15000u) << "the focus never stayed in the list";
  }
}

TEST_F(AttrListTest, ScrollingFinishesTheEdit) {
  CListOptionsEditor* editor = EditOne(Record(PROP_HEIGHT, PE_INTEGER, 100, "HEIGHT"));
  ASSERT_NE(editor, nullptr);
  ::SetWindowTextA(editor->FocusWindow(), "90");
  Attributes().SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  Settle();
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_HEIGHT, 90)});
}

TEST_F(AttrListTest, ArrowKeysMoveTheCurrentRowAndRightGivesTheEditorTheFocus) {
  records_ = {Record(PROP_TOPX, PE_INTEGER, 1, "TOPX"), Record(PROP_TOPY, PE_INTEGER, 2, "TOPY"),
              Record(PROP_WIDTH, PE_INTEGER, 3, "WIDTH")};
  ShowRecords(records_);
  ClickRow(0);
  const HWND list = Attributes().m_hWnd;
  Key(list, VK_UP);  // not past the first row
  EXPECT_EQ(Attributes().GetCurrentRow(), 0);
  Key(list, VK_DOWN);
  Key(list, VK_DOWN);
  Key(list, VK_DOWN);  // nor the last
  EXPECT_EQ(Attributes().GetCurrentRow(), 2);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->GetRow(), 2);
  // Another program of the shared display may take the activation between
  // the two steps, and this thread's focus then goes with it: the step is
  // made again while the thread has no active window, and counts otherwise.
  const DWORD start = ::GetTickCount();
  do {
    ::SetFocus(list);
    Key(list, VK_RIGHT);
    ASSERT_LT(::GetTickCount() - start, 15000u) << "the program never kept the activation";
  } while (!::GetActiveWindow());
  EXPECT_EQ(::GetFocus(), Editor()->FocusWindow());
  // Up in the edit box finishes it and moves on.
  ::SetWindowTextA(Editor()->FocusWindow(), "33");
  Key(Editor()->FocusWindow(), VK_UP);
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentNumber(PROP_WIDTH, 33)});
  EXPECT_EQ(Attributes().GetCurrentRow(), 1);
}

TEST_F(AttrListTest, AColourChoiceSendsTheColourAndNoColourIsOfferedOnlyWithAMinimum) {
  const struct {
    int minimum;
    const char* autoText;
    COLORREF automatic;
    const char* autoShown;
  } cases[] = {{1, "无颜色", 0xFFFFFFFF, "无颜色"}, {0, "Automatic", 0, "&000000"}};
  for (const auto& c : cases) {
    stub_.sent.clear();
    EditOne(Record(PROP_LINECOLOR, PE_COLOR, 0x0000FF, "边框颜色", c.minimum));
    auto* button = dynamic_cast<CListOptionsColorButton*>(Attributes().GetEditor());
    ASSERT_NE(button, nullptr);
    // Red, then the box above the palette.
    button->OnClicked();
    CColorPopup* popup = colortest::OpenPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(std::string(popup->GetBoxText(kPopupAutoBox)), c.autoText);
    EXPECT_EQ(popup->GetChosenItem(), 16);  // red
    for (UINT key : {VK_UP, VK_UP, VK_UP}) colortest::Key(popup->m_hWnd, key);
    colortest::Key(popup->m_hWnd, VK_RETURN);
    Settle();
    EXPECT_EQ(stub_.sent,
              std::vector<SentMessage>{SentNumber(PROP_LINECOLOR, static_cast<LPARAM>(c.automatic))})
        << c.minimum;
    EXPECT_EQ(Attributes().GetItemText(0, 1), c.autoShown);
    EXPECT_EQ(Attributes().GetRowItem(0).color, c.automatic);
  }
}

TEST_F(AttrListTest, TheSameColourOrACancelledPopupSendsNothing) {
  for (UINT endKey : {VK_RETURN, VK_ESCAPE}) {
    EditOne(Record(PROP_FILLCOLOR1, PE_COLOR, 0x0000FF, "填充颜色"));
    auto* button = dynamic_cast<CListOptionsColorButton*>(Attributes().GetEditor());
    ASSERT_NE(button, nullptr);
    button->OnClicked();
    CColorPopup* popup = colortest::OpenPopup();
    ASSERT_NE(popup, nullptr);
    if (endKey == VK_ESCAPE) colortest::Key(popup->m_hWnd, VK_RIGHT);
    colortest::Key(popup->m_hWnd, endKey);
    Settle();
    EXPECT_TRUE(stub_.sent.empty());
    EXPECT_EQ(Attributes().GetItemText(0, 1), "&FF0000");
    EXPECT_EQ(Attributes().GetEditor(), static_cast<CWnd*>(button));
    EXPECT_FALSE(Attributes().IsBusy());
  }
}

TEST_F(AttrListTest, AChangedFontGoesBackAsItsRecord) {
  LOGFONTA font = ScreenFont();
  ASSERT_NE(font.lfFaceName[0], '\0');
  EditOne(Record(PROP_FONT, PE_FONT, reinterpret_cast<LONG_PTR>(&font), "字体"));
  auto* button = dynamic_cast<CListOptionsFontButton*>(Attributes().GetEditor());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(QelGetWindowText(button->m_hWnd), font.lfFaceName);
  const int kUnderline = 0x411;  // the dialog's underline box
  DialogScript script;
  script.OnAny([&](DialogDriver& d) {
    d.Click(kUnderline);
    d.Click(IDOK);
  });
  script.Run([&] { button->OnClicked(); });
  Settle();
  ASSERT_EQ(stub_.sent.size(), 1u);
  EXPECT_EQ(stub_.sent[0].msg, static_cast<UINT>(QCM_SETPROPERTY));
  EXPECT_EQ(stub_.sent[0].wp, static_cast<WPARAM>(PROP_FONT));
  EXPECT_TRUE(stub_.sent[0].font.lfUnderline);
  EXPECT_STREQ(stub_.sent[0].font.lfFaceName, font.lfFaceName);
  EXPECT_TRUE(Attributes().GetRowItem(0).font.lfUnderline);
  EXPECT_EQ(Attributes().GetItemText(0, 1), font.lfFaceName);
  EXPECT_FALSE(Attributes().IsBusy());
}

TEST_F(AttrListTest, ACancelledFontDialogSendsNothing) {
  EditOne(Record(PROP_FONT, PE_FONT, 0, "字体"));
  auto* button = dynamic_cast<CListOptionsFontButton*>(Attributes().GetEditor());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(Attributes().GetItemText(0, 1), "");  // a null font shows as empty
  DialogScript script;
  script.OnAny([](DialogDriver& d) { d.Click(IDCANCEL); });
  script.Run([&] { button->OnClicked(); });
  Settle();
  EXPECT_TRUE(stub_.sent.empty());
  EXPECT_EQ(Attributes().GetEditor(), static_cast<CWnd*>(button));
}

TEST_F(AttrListTest, TheDialogButtonAsksTheEditingWindowForTheObjectsDialog) {
  EditOne(Record(PROP_PAGES, PE_BUTTON, 0, "属性页"));
  CWnd* button = Attributes().GetEditor();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(QelGetWindowText(button->m_hWnd), "点击进入...");
  button->SendMessage(BM_CLICK);
  Settle();
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentDialog()});
}

TEST_F(AttrListTest, AWindowThatSendsNewRecordsWhileItTakesAValueRefillsTheList) {
  static char renamed[] = "新名";
  records_ = {Record(PROP_NAME, PE_TEXT, reinterpret_cast<LONG_PTR>("旧名"), "对象名称"),
              Record(PROP_TOPX, PE_INTEGER, 1, "TOPX")};
  std::vector<PropDesc> after = {Record(PROP_NAME, PE_TEXT, reinterpret_cast<LONG_PTR>(renamed), "对象名称")};
  stub_.onMessage = [&](const SentMessage&) {
    PropDescList list = {1, after.data()};
    Frame()->ShowProperties(&list, stub_.m_hWnd);
  };
  ShowRecords(records_);
  ClickRow(0);
  ::SetWindowTextA(Editor()->FocusWindow(), "新名");
  ClickRow(1);  // finishes row 0, whose value brings one row; row 1 is gone
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentText(PROP_NAME, "新名")});
  EXPECT_EQ(Attributes().GetItemCount(), 1);
  EXPECT_EQ(Attributes().GetItemText(0, 1), "新名");
  EXPECT_EQ(Attributes().GetEditor(), nullptr);
}

TEST_F(AttrListTest, TheListsEmptyWhenAskedAndForAMissingList) {
  records_ = {Record(PROP_TOPX, PE_INTEGER, 1, "TOPX")};
  ShowRecords(records_);
  ClickRow(0);
  Frame()->ShowProperties(nullptr);
  EXPECT_EQ(Attributes().GetItemCount(), 0);
  EXPECT_EQ(Attributes().GetEditor(), nullptr);
  EXPECT_EQ(Attributes().GetCurrentRow(), -1);
  ShowRecords(records_);
  std::vector<ActionKindDesc> links = {Link(AK_COLOR, 0x0300, " 颜色")};
  ShowLinks(links);
  Frame()->ClearPropertyLists();
  EXPECT_EQ(Attributes().GetItemCount(), 0);
  EXPECT_EQ(Links().GetItemCount(), 0);
  EXPECT_EQ(Attributes().GetEditWindow(), nullptr);
  // Records of a bad count or without records show nothing.
  PropDescList bad = {-1, records_.data()};
  Frame()->ShowProperties(&bad, stub_.m_hWnd);
  EXPECT_EQ(Attributes().GetItemCount(), 0);
  PropDescList none = {3, nullptr};
  Frame()->ShowProperties(&none, stub_.m_hWnd);
  EXPECT_EQ(Attributes().GetItemCount(), 0);
}

}  // namespace
}  // namespace editortest

namespace editortest {
namespace {

// The real editing window of QelCtrl.dll, whose notices reach the lists as
// a picture view hands them over.
class CNoticeForwarder : public CWnd {
 public:
  CMainFrame* frame = nullptr;
  HWND child = nullptr;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case QCN_PROPERTIES: frame->ShowProperties(reinterpret_cast<const PropDescList*>(lp), child); return 0;
      case QCN_EVENTLINKS:
        frame->ShowEventLinks(reinterpret_cast<const ActionKindList*>(lp), child);
        return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }
};

class RealEditWindowTest : public ListsTest {
 protected:
  void SetUp() override {
    ListsTest::SetUp();
    forwarder_.frame = Frame();
    ASSERT_TRUE(forwarder_.CreateEx(0, "STATIC", "pictures", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    forwarder_.child =
        ::CreateWindowExA(0, "QELPICEDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, forwarder_.m_hWnd,
                          reinterpret_cast<HMENU>(1000), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(forwarder_.child, nullptr);
    const std::string pictures = folder_.Path() + "pic\\";
    ::CreateDirectoryA(pictures.c_str(), nullptr);
    Send(QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(pictures.c_str()));
    Send(QCM_NEWPIC, 0, reinterpret_cast<LPARAM>("lists.pic"));
    Settle();
  }
  void TearDown() override {
    if (forwarder_.child) ::DestroyWindow(forwarder_.child);
    forwarder_.DestroyWindow();
    ListsTest::TearDown();
  }
  LRESULT Send(UINT msg, WPARAM wp, LPARAM lp) { return ::SendMessageA(forwarder_.child, msg, wp, lp); }
  CNoticeForwarder forwarder_;
};

TEST_F(RealEditWindowTest, ThePicturesPropertiesAreEditedThroughTheList) {
  const int period = RowOf(PROP_PICPERIOD);
  ASSERT_GE(period, 0);
  EXPECT_EQ(Attributes().GetEditWindow(), forwarder_.child);
  ClickRow(period);
  TypeAndEnter("250");
  EXPECT_NE(Send(QCM_QUERY, QCQ_MODIFIED, 0), 0);
  // The window shows its records again: the period is the new one.
  Send(QCM_RENOTIFY, 0, 0);
  Settle();
  ASSERT_EQ(RowOf(PROP_PICPERIOD), period);
  EXPECT_EQ(Attributes().GetItemText(period, 1), "250");
  // A colour of the picture through the popup.
  const int back = RowOf(PROP_PICBKCOLOR);
  ASSERT_GE(back, 0);
  ClickRow(back);
  auto* button = dynamic_cast<CListOptionsColorButton*>(Attributes().GetEditor());
  ASSERT_NE(button, nullptr);
  button->OnClicked();
  CColorPopup* popup = colortest::OpenPopup();
  ASSERT_NE(popup, nullptr);
  // Round the palette to its first cell, black.
  for (int i = 0; i < 50 && popup->GetHotItem() != 0; ++i) colortest::Key(popup->m_hWnd, VK_RIGHT);
  ASSERT_EQ(popup->GetHotItem(), 0);
  colortest::Key(popup->m_hWnd, VK_RETURN);
  Send(QCM_RENOTIFY, 0, 0);
  Settle();
  EXPECT_EQ(Attributes().GetItemText(RowOf(PROP_PICBKCOLOR), 1), "&000000");
}

}  // namespace
}  // namespace editortest

namespace editortest {
namespace {

TEST_F(ListsTest, WithoutAWindowNamedTheListsSendToTheActivePictureView) {
  UseFakePictures();
  CQelideDoc* doc = NewProject("p1");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(Frame()->GetActivePicEditWindow(), nullptr);  // the local-tag table is no picture
  for (const char* name : {"a.pic", "b.pic"}) ASSERT_EQ(doc->OpenPicture(name, FALSE), 1);
  Settle();
  ASSERT_EQ(FakePictures().size(), 2u);
  EXPECT_EQ(Frame()->GetActivePicEditWindow(), FakePictures()[1].hwnd);
  std::vector<PropDesc> records = {Record(PROP_TOPX, PE_INTEGER, 1, "TOPX")};
  PropDescList list = {1, records.data()};
  Frame()->ShowProperties(&list);
  EXPECT_EQ(Attributes().GetEditWindow(), FakePictures()[1].hwnd);
  EXPECT_EQ(Attributes().GetRowItem(0).target, FakePictures()[1].hwnd);
  ASSERT_EQ(doc->OpenPicture("a.pic", FALSE), 1);  // its window comes forward
  Settle();
  std::vector<ActionKindDesc> links = {Link(AK_COLOR, 0x0300, " 颜色")};
  ActionKindList linkList = {1, links.data()};
  Frame()->ShowEventLinks(&linkList);
  EXPECT_EQ(Links().GetEditWindow(), FakePictures()[0].hwnd);
  Frame()->ShowEventLinks(&linkList, stub_.m_hWnd);  // a window named is the one
  EXPECT_EQ(Links().GetEditWindow(), stub_.m_hWnd);
}

}  // namespace
}  // namespace editortest
