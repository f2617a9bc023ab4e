// The options list on its own, in a window of the test: the editors that
// the attribute list does not use (the spin control, the browse button, the
// font-name combo), a list made by Create, and the rows' fonts and colours.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "attrlist/listoptionsctrl.h"
#include "attrlist/optionbuttons.h"
#include "attrlist/optionedits.h"
#include "wndtest/wndtest_util.h"

namespace {

class CRecordingList : public CListOptionsCtrl {
 public:
  std::vector<std::string> changes;  // "row:text"
  std::vector<int> browsed;

 protected:
  void OnItemTextChanged(int row, const CString& text) override {
    changes.push_back(std::to_string(row) + ":" + text.GetString());
  }
  void OnItemBrowse(int row) override { browsed.push_back(row); }
};

class ListOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wndtest::CreateTopLevel(parent_, true));
    ASSERT_TRUE(list_.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 200}, parent_.m_hWnd, 1106));
  }
  void TearDown() override {
    list_.DestroyWindow();
    parent_.DestroyWindow();
    wndtest::PumpPending();
  }
  int AddRow(const char* value, CRuntimeClass* editor, CRuntimeClass* buddy = nullptr) {
    COptionItem item;
    item.editorClass = editor;
    item.buddyClass = buddy;
    item.spinLower = 0;
    item.spinUpper = 10;
    return list_.AddRow("name", -1, value, item);
  }
  RECT InList(CWnd* wnd) {
    RECT r;
    wnd->GetWindowRect(&r);
    list_.ScreenToClient(&r);
    return r;
  }
  RECT Cell(int row) {
    RECT cell = {LVIR_BOUNDS, 1, 0, 0};
    list_.SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    return cell;
  }
  void Enter() {
    auto* editor = dynamic_cast<CListOptionsEditor*>(list_.GetEditor());
    ASSERT_NE(editor, nullptr);
    ::SendMessageA(editor->FocusWindow(), WM_KEYDOWN, VK_RETURN, 0);
    wndtest::PumpPending();
  }
  CWnd parent_;
  CRecordingList list_;
};

TEST_F(ListOptionsTest, AListMadeByCreateIsAReportWithTwoHalfColumns) {
  EXPECT_EQ(list_.GetStyle() & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
  EXPECT_EQ(list_.GetColumnWidth(0), list_.GetColumnWidth(1));
  RECT client;
  list_.GetClientRect(&client);
  EXPECT_EQ(list_.GetColumnWidth(0), (client.right - client.left) / 2);
  const DWORD wanted = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  EXPECT_EQ(list_.GetExtendedStyle() & wanted, wanted);
  EXPECT_EQ(list_.GetCurrentRow(), -1);
}

TEST_F(ListOptionsTest, ASpinStepsTheNumberWithinTheRowsRangeAndTheEditFinishesWithIt) {
  AddRow("9", RUNTIME_CLASS(CListOptionsEdit), RUNTIME_CLASS(CListOptionsSpinCtrl));
  list_.SetCurrentRow(0);
  CWnd* edit = list_.GetEditor();
  auto* spin = dynamic_cast<CListOptionsSpinCtrl*>(list_.GetBuddy());
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->GetBuddy(), edit->m_hWnd);
  // The spin at the cell's right end, the edit box before it.
  const RECT cell = Cell(0), spinRect = InList(spin), editRect = InList(edit);
  EXPECT_EQ(editRect.right, cell.right - ::GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(spinRect.left, editRect.right);
  EXPECT_LE(spinRect.right, cell.right);  // the platform may narrow the arrows
  EXPECT_EQ(spinRect.top, cell.top);
  int lower = -1, upper = -1;
  spin->GetRange(lower, upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 10);
  for (int i = 0; i < 3; ++i) {  // clicks on the upper arrow
    const LPARAM at = MAKELPARAM(2, 2);
    spin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    spin->SendMessage(WM_LBUTTONUP, 0, at);
  }
  EXPECT_EQ(QelGetWindowText(edit->m_hWnd), "10");
  Enter();
  EXPECT_EQ(list_.changes, std::vector<std::string>{"0:10"});
  EXPECT_EQ(list_.GetValueText(0), "10");
}

TEST_F(ListOptionsTest, ABrowseButtonSitsAtTheCellsEndAndReportsItsRow) {
  AddRow("a", RUNTIME_CLASS(CListOptionsEdit));
  AddRow("b", RUNTIME_CLASS(CListOptionsEdit), RUNTIME_CLASS(CListOptionsBrowseButton));
  list_.SetCurrentRow(1);
  CWnd* browse = list_.GetBuddy();
  ASSERT_NE(browse, nullptr);
  EXPECT_EQ(QelGetWindowText(browse->m_hWnd), "...");
  const RECT cell = Cell(1), placed = InList(browse);
  EXPECT_EQ(placed.right, cell.right);
  EXPECT_EQ(placed.right - placed.left, cell.bottom - cell.top);  // square
  browse->SendMessage(BM_CLICK);
  EXPECT_EQ(list_.browsed, std::vector<int>{1});
  EXPECT_NE(list_.GetEditor(), nullptr);  // browsing leaves the edit open
}

TEST_F(ListOptionsTest, TheFontNameComboListsEveryFaceOfTheScreenOnceAndSorted) {
  AddRow("", RUNTIME_CLASS(CListOptionsFontNameCombo));
  list_.SetCurrentRow(0);
  auto* combo = dynamic_cast<CListOptionsFontNameCombo*>(list_.GetEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_NE(combo->GetStyle() & CBS_SORT, 0u);
  ASSERT_GT(combo->GetCount(), 0);
  std::set<std::string> faces;
  for (int i = 0; i < combo->GetCount(); ++i) faces.insert(combo->GetLBText(i).GetString());
  EXPECT_EQ(static_cast<int>(faces.size()), combo->GetCount());
  // A face the platform names is among them.
  LOGFONTA gui = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
  char face[LF_FACESIZE] = "";
  ::GetTextFaceA(screen, sizeof face, face);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(faces.count(face), 1u) << face;
}

TEST_F(ListOptionsTest, ARowWithoutAnEditorBecomesCurrentWithNone) {
  AddRow("x", nullptr);
  list_.SetCurrentRow(0);
  EXPECT_EQ(list_.GetCurrentRow(), 0);
  EXPECT_EQ(list_.GetEditor(), nullptr);
  list_.SetCurrentRow(5);  // no such row
  EXPECT_EQ(list_.GetCurrentRow(), 0);
}

TEST_F(ListOptionsTest, ARowIsDrawnInItsColoursAndStyleFont) {
  COptionItem item;
  item.textColor = RGB(200, 0, 0);
  item.backColor = RGB(0, 0, 90);
  item.fontStyle = kOptionBold | kOptionUnderline;
  list_.AddRow("plain", -1, "", COptionItem());
  list_.AddRow("styled", -1, "", item);
  const struct {
    int style;
    LONG weight;
    BYTE italic, underline;
  } fonts[] = {{kOptionBold, FW_BOLD, 0, 0},
               {kOptionItalic, -1, 1, 0},
               {kOptionUnderline, -1, 0, 1},
               {kOptionBold | kOptionItalic, FW_BOLD, 1, 0},
               {kOptionItalic | kOptionUnderline, -1, 1, 1},
               {kOptionBold | kOptionItalic | kOptionUnderline, FW_BOLD, 1, 1},
               {kOptionBold | kOptionUnderline, FW_BOLD, 0, 0}};  // no font of its own: bold
  for (const auto& f : fonts) {
    LOGFONTA lf = {};
    ASSERT_TRUE(::GetObjectA(list_.GetStyleFont(f.style), sizeof lf, &lf));
    if (f.weight >= 0) {
      EXPECT_EQ(lf.lfWeight, f.weight) << f.style;
    }
    EXPECT_EQ(lf.lfItalic, f.italic) << f.style;
    EXPECT_EQ(lf.lfUnderline, f.underline) << f.style;
  }
  EXPECT_EQ(list_.GetStyleFont(0), list_.GetFont());
  // The list's item painting asks it for each row.
  HDC dc = ::GetDC(list_.m_hWnd);
  for (int row = 0; row < 2; ++row) {
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {list_.m_hWnd, 1106, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.nmcd.hdc = dc;
    draw.clrText = draw.clrTextBk = 0x123456;
    EXPECT_EQ(parent_.SendMessage(WM_NOTIFY, 1106, reinterpret_cast<LPARAM>(&draw)), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrText, row ? RGB(200, 0, 0) : 0x123456u);
    EXPECT_EQ(draw.clrTextBk, row ? RGB(0, 0, 90) : 0x123456u);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), row ? list_.GetStyleFont(item.fontStyle) : list_.GetFont());
  }
  ::ReleaseDC(list_.m_hWnd, dc);
}

TEST_F(ListOptionsTest, AClosedEditorIsHiddenAtOnceAndDestroyedWhenTheListHasTime) {
  AddRow("1", RUNTIME_CLASS(CListOptionsEdit));
  list_.SetCurrentRow(0);
  CWnd* edit = list_.GetEditor();
  ASSERT_NE(edit, nullptr);
  const HWND hwnd = edit->m_hWnd;
  ::SetWindowTextA(hwnd, "2");
  list_.FinishEdit();
  EXPECT_EQ(list_.GetEditor(), nullptr);
  EXPECT_TRUE(::IsWindow(hwnd));
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  wndtest::PumpPending();
  EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace

namespace {

TEST_F(ListOptionsTest, TheEditorFollowsItsCellWhenTheColumnsChange) {
  AddRow("1", RUNTIME_CLASS(CListOptionsEdit));
  AddRow("TRUE", RUNTIME_CLASS(CListOptionsBooleanCombo));
  for (int row : {0, 1}) {
    list_.SetColumnWidth(0, 150);
    list_.SetCurrentRow(row);
    CWnd* editor = list_.GetEditor();
    ASSERT_NE(editor, nullptr);
    list_.SetColumnWidth(0, 60);
    wndtest::PumpPending();
    const RECT cell = Cell(row), placed = InList(editor);
    EXPECT_EQ(placed.left, cell.left) << row;
    EXPECT_EQ(placed.right, cell.right) << row;
    EXPECT_EQ(placed.bottom - placed.top, cell.bottom - cell.top) << row;
  }
}

}  // namespace
