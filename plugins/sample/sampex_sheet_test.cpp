// Sampex's property sheet: opened by the test program itself (the page's
// template among the test's resources, so that the page's list can be read)
// and by Sampex.dll through QPM_SHOWPAGES; its title, its answers, its query
// page with the tag list over the frame, the query through the picture
// window with its sorted records and its error box, and the rule that only
// the top-level owner is disabled while it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "sampex_testutil.h"
#include "sampexpage.h"
#include "sampexres.h"
#include "sampexsheet.h"
#include "testing/dialogscript.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;
using sampextest::FakePicture;
using sampextest::Tag;
using Texts = std::vector<std::string>;

const char kPrefix[] = "插件1";
const char kTitle[] = "插件1 插件属性页";
const char kQueryFailed[] = "查询错误，可能是实时库没连接!";

// A step that types the query string and presses "查询".
DialogScript::Action Query(const char* text) {
  return [text](DialogDriver& d) {
    d.Type(IDC_QUERY_PATTERN, text);
    d.Click(IDC_QUERY_RUN);
  };
}

// The page's tag list window (the page's label shares its id 0xFFFF).
HWND ListWindow(HWND page) {
  for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = "";
    ::GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "QelGridWnd") return child;
  }
  return nullptr;
}

// The list object of a sheet that the test program opened.
CSampexTagList& ListOf(const DialogDriver& d) {
  return *static_cast<CSampexTagList*>(CWnd::FromHandlePermanent(ListWindow(d.Page())));
}

Texts Names(CSampexTagList& list) {
  Texts names;
  for (int row = 0; row < list.GetRowCount(); ++row) names.push_back(list.GetCellText(row, 1).str());
  return names;
}

// A click on the list's header over column c, as the user sorts.
void ClickHeader(CSampexTagList& list, int column) {
  int x = list.GetColumnWidth(column) / 2;
  for (int c = 0; c < column; ++c) x += list.GetColumnWidth(c);
  const LPARAM at = MAKELPARAM(x, list.GetRowHeight() / 2);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  list.SendMessage(WM_LBUTTONUP, 0, at);
}

// The sheet opened by the test program on a picture window of the test.
class SampexSheetTest : public ::testing::Test {
 protected:
  int Show(DialogScript& script, HWND picture) {
    int result = -1;
    script.Run([&] { result = ShowPropertySheet(owner_.Window(), picture, kTitle); });
    return result;
  }
  FakePicture owner_;  // stands for the plug-in window's top-level window
};

TEST_F(SampexSheetTest, ThePageIsTheTagQueryTemplateWithItsListOverTheFrame) {
  DialogScript script;
  script.On(kTitle, [](DialogDriver& d) {
    ASSERT_TRUE(d.IsSheet());
    EXPECT_EQ(d.PageTitle(0), "标签查询");
    const Texts statics = d.StaticTexts();
    EXPECT_NE(std::find(statics.begin(), statics.end(), "查询字符串:"), statics.end());
    EXPECT_EQ(d.Text(IDC_QUERY_RUN), "查询");
    // Auto-scrolling and bordered (the dialog manager draws the border of a
    // bordered edit box as a client edge).
    const LONG editStyle = ::GetWindowLongA(d.Item(IDC_QUERY_PATTERN), GWL_STYLE);
    const LONG editExStyle = ::GetWindowLongA(d.Item(IDC_QUERY_PATTERN), GWL_EXSTYLE);
    EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
    EXPECT_TRUE((editStyle & WS_BORDER) || (editExStyle & WS_EX_CLIENTEDGE));
    // 416 by 269 dialog units.
    RECT size = {0, 0, 416, 269}, page;
    ::MapDialogRect(d.Page(), &size);
    ::GetClientRect(d.Page(), &page);
    EXPECT_EQ(page.right, size.right);
    EXPECT_EQ(page.bottom, size.bottom);
    // The list: a visible child with id 0xFFFF, one pixel inside the frame.
    HWND list = ListWindow(d.Page());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(::IsWindowVisible(list));
    EXPECT_EQ(::GetDlgCtrlID(list), 0xFFFF);
    RECT frame, placed;
    ::GetWindowRect(d.Item(IDC_QUERY_FRAME), &frame);
    ::GetWindowRect(list, &placed);
    EXPECT_EQ(placed.left, frame.left + 1);
    EXPECT_EQ(placed.top, frame.top + 1);
    EXPECT_EQ(placed.right, frame.right - 1);
    EXPECT_EQ(placed.bottom, frame.bottom - 1);
    CSampexTagList& tags = ListOf(d);
    const Texts headers = {"序号", "标签名", "描述", "单位", "类型"};
    ASSERT_EQ(tags.GetColumnCount(), 5);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(tags.GetHeaderText(c).str(), headers[c]);
    EXPECT_EQ(tags.GetRowCount(), 0);
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(Show(script, owner_.Window()), kSheetNotOk);
}

// No picture window of the system answers QPM_QUERYTAGS (they leave it to
// the default handling, which answers 0): the page's query shows an empty
// list and no box; without any picture window it asks nothing at all.
TEST_F(SampexSheetTest, WithNoPictureWindowThatAnswersTheQueryTheListStaysEmptyAndNoBoxShows) {
  const struct {
    const char* library;
    const char* windowClass;  // "": no picture window
  } pictures[] = {{"", ""}, {"..\\out\\QelRun.dll", "QELPICVIEW"}, {"..\\out\\QelCtrl.dll", "QELPICEDIT"}};
  for (const auto& p : pictures) {
    HMODULE library = *p.library ? ::LoadLibraryA(p.library) : nullptr;
    HWND picture = *p.windowClass ? ::CreateWindowA(p.windowClass, "", WS_CHILD, 0, 0, 100, 100,
                                                    owner_.Window(), nullptr, nullptr, nullptr)
                                  : nullptr;
    ASSERT_EQ(picture != nullptr, *p.windowClass != 0) << p.windowClass;
    DialogScript script;
    script.On(kTitle, Query("FI*")).On(kTitle, [](DialogDriver& d) {
      EXPECT_EQ(ListOf(d).GetRowCount(), 0);
      d.Click(IDOK);
    });
    EXPECT_EQ(Show(script, picture), kSheetOk);
    EXPECT_EQ(script.Seen().size(), 1u) << "only the sheet opened; picture " << p.windowClass;
    if (picture) ::DestroyWindow(picture);
    if (library) ::FreeLibrary(library);
  }
}

TEST_F(SampexSheetTest, TheQueryListsThePictureWindowsRecordsWhichSortByTheHeader) {
  FakePicture& picture = owner_;
  picture.batches = {{Tag("FIC102", 5), Tag("LIC101", 2)}, {Tag("FIC101", 1)}};
  DialogScript script;
  script.On(kTitle, Query(" \t FI* \t")).On(kTitle, [&](DialogDriver& d) {
    EXPECT_EQ(picture.pattern1, "FI*") << "the text is trimmed at both ends";
    EXPECT_EQ(picture.checkWord, MakeHostParam(QSM_CHECKCODE));
    CSampexTagList& list = ListOf(d);
    EXPECT_EQ(picture.user, static_cast<void*>(&list));
    EXPECT_EQ(Names(list), (Texts{"FIC102", "LIC101", "FIC101"})) << "as they arrived";
    ClickHeader(list, 1);  // "标签名"
    EXPECT_EQ(Names(list), (Texts{"FIC101", "FIC102", "LIC101"}));
    ClickHeader(list, 1);
    EXPECT_EQ(Names(list), (Texts{"LIC101", "FIC102", "FIC101"}));
    ClickHeader(list, 4);  // "类型": digital, int32, float64
    EXPECT_EQ(Names(list), (Texts{"FIC101", "LIC101", "FIC102"}));
    EXPECT_EQ(list.GetCellText(0, 4).str(), "digital");
    EXPECT_EQ(list.GetCellText(0, 0).str(), "1");
    d.Click(IDOK);
  });
  EXPECT_EQ(Show(script, picture.Window()), kSheetOk);
  EXPECT_EQ(picture.queries, 1);
}

TEST_F(SampexSheetTest, AFailedQueryShowsItsBoxAndTheRecordsThatArrived) {
  FakePicture& picture = owner_;
  picture.batches = {{Tag("A1", 2), Tag("A2", 2)}};
  picture.answer = 31;
  DialogScript script;
  script.On(kTitle, Query("")).OnMessageBox("错误!", kQueryFailed, IDOK).On(kTitle, [](DialogDriver& d) {
    EXPECT_EQ(Names(ListOf(d)), (Texts{"A1", "A2"}));
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(Show(script, picture.Window()), kSheetNotOk);
  EXPECT_EQ(picture.pattern1, "") << "an empty pattern is asked too";
}

// Sampex.dll's own control: QPM_SHOWPAGES opens the sheet from the DLL's
// resources, owned by the control's top-level window; its page asks the
// control's parent.
class SampexPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(sampextest::Library(), nullptr);
    ASSERT_NE(picture_.Window(), nullptr);
    control_ = ::CreateWindowA("Sampxe_1.0", "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 10, 10, 200, 100,
                               picture_.Window(), reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_NE(control_, nullptr);
  }
  LRESULT ShowPages(DialogScript& script, const char* prefix = kPrefix) {
    LRESULT answer = -1;
    script.Run(
        [&] { answer = ::SendMessageA(control_, QPM_SHOWPAGES, 0, reinterpret_cast<LPARAM>(prefix)); });
    return answer;
  }

  FakePicture picture_;  // the control's picture window, a top-level window here
  HWND control_ = nullptr;
};

TEST_F(SampexPagesTest, TheSheetAnswersZeroForOkAndOneForCancel) {
  const struct {
    int button;
    LRESULT answer;
  } cases[] = {{IDOK, 0}, {IDCANCEL, 1}};
  for (const auto& c : cases) {
    DialogScript script;
    script.On(kTitle, [&](DialogDriver& d) {
      EXPECT_EQ(d.PageTitle(0), "标签查询");
      const Texts statics = d.StaticTexts();
      EXPECT_NE(std::find(statics.begin(), statics.end(), "查询字符串:"), statics.end());
      d.Click(c.button);
    });
    EXPECT_EQ(ShowPages(script), c.answer) << c.button;
  }
}

TEST_F(SampexPagesTest, ThePageAsksTheControlsParent) {
  picture_.batches = {{Tag("TI101", 5)}};
  DialogScript script;
  script.On(kTitle, Query("TI* ")).On(kTitle, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(ShowPages(script), kSheetOk);
  EXPECT_EQ(picture_.queries, 1);
  EXPECT_EQ(picture_.pattern1, "TI*");
  EXPECT_EQ(picture_.checkWord, MakeHostParam(219));
}

// The plug-in window is disabled in the editor. While the sheet runs only
// its top-level window is disabled, and only when it was enabled; afterwards
// that window alone is enabled again, so the plug-in window stays disabled.
TEST_F(SampexPagesTest, OnlyTheTopLevelOwnerIsDisabledAndOnlyWhenItWasEnabled) {
  for (const bool topEnabled : {true, false}) {
    HWND top = picture_.Window();
    ::EnableWindow(top, topEnabled);
    bool topEnabledMeanwhile = true;
    HWND owner = nullptr;
    DialogScript script;
    script.On(kTitle, [&](DialogDriver& d) {
      topEnabledMeanwhile = ::IsWindowEnabled(top) != FALSE;
      owner = ::GetWindow(d.Window(), GW_OWNER);
      d.Click(IDOK);
    });
    EXPECT_EQ(ShowPages(script), kSheetOk);
    EXPECT_EQ(owner, top) << "the sheet is owned by the top-level window";
    EXPECT_FALSE(topEnabledMeanwhile);
    EXPECT_EQ(::IsWindowEnabled(top) != FALSE, topEnabled) << topEnabled;
    EXPECT_FALSE(::IsWindowEnabled(control_)) << "the plug-in window stays disabled";
  }
}

TEST_F(SampexPagesTest, ANullTitlePrefixIsAnsweredOneWithoutASheet) {
  DialogScript script;
  EXPECT_EQ(ShowPages(script, nullptr), kSheetNotOk);
  EXPECT_TRUE(script.Seen().empty());
  EXPECT_STREQ(SampexSheetTitle(kPrefix).GetString(), kTitle);
}

}  // namespace
