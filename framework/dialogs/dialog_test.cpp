// Modal and modeless dialogs made from templates: our modal loop, the owner's
// state, the results, the keys, nesting, and a DLL's own resources.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dialog.h"
#include "qel/exportproc.h"
#include "resources/resload.h"
#include "test/dialogs_test_res.h"
#include "testing/dialogscript.h"
#include "wndtest/wndtest_util.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

// A dialog that ends with 7 on its third button and can eat Esc.
class CPlainDlg : public CDialog {
 public:
  explicit CPlainDlg(HWND parent = nullptr) : CDialog(IDD_PLAIN, parent) {}
  bool eatEscape = false;
  int escapesSeen = 0;

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
      ++escapesSeen;
      if (eatEscape) return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
  }

 protected:
  bool OnCommand(UINT id, UINT code, HWND) override {
    if (id != IDC_PLAIN_OTHER || code != BN_CLICKED) return false;
    EndDialog(7);
    return true;
  }
};

// Opens the plain dialog over itself from its "打开" button.
class CNestingDlg : public CDialog {
 public:
  CNestingDlg() : CDialog(IDD_NESTING) {}
  INT_PTR innerResult = 0;

 protected:
  bool OnCommand(UINT id, UINT code, HWND) override {
    if (id != IDC_NEST_OPEN || code != BN_CLICKED) return false;
    CPlainDlg inner(m_hWnd);
    innerResult = inner.DoModal();
    return true;
  }
};

class DialogTest : public ::testing::Test {
 protected:
  CWnd owner;
  void SetUp() override { ASSERT_TRUE(wndtest::CreateTopLevel(owner, true, "主窗口")); }
};

TEST_F(DialogTest, ShowsTheTemplatesGbkTextsAndEndsWithOk) {
  CPlainDlg dlg(owner);
  DialogScript script;
  script.On("测试对话框", [](DialogDriver& d) {
    std::vector<std::string> labels = d.StaticTexts();
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0], "标签:");
    EXPECT_EQ(d.Text(IDOK), "确定");
    d.Click(IDOK);
  });
  INT_PTR result = 0;
  script.Run([&] { result = dlg.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_hWnd, nullptr);  // the window is gone with the loop
}

TEST_F(DialogTest, TheOwnerIsDisabledWhileItRunsAndEnabledAfterwards) {
  CPlainDlg dlg(owner);
  bool ownerEnabledMeanwhile = true;
  HWND dialogOwner = nullptr;
  DialogScript script;
  script.On("测试对话框", [&](DialogDriver& d) {
    ownerEnabledMeanwhile = ::IsWindowEnabled(owner) != FALSE;
    dialogOwner = ::GetWindow(d.Window(), GW_OWNER);
    d.Click(IDCANCEL);
  });
  INT_PTR result = 0;
  script.Run([&] { result = dlg.DoModal(); });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_EQ(dialogOwner, owner.m_hWnd);
  EXPECT_TRUE(::IsWindowEnabled(owner));
}

TEST_F(DialogTest, AnOwnerThatWasDisabledStaysDisabled) {
  owner.EnableWindow(FALSE);
  CPlainDlg dlg(owner);
  DialogScript script;
  script.On("测试对话框", [](DialogDriver& d) { d.Click(IDOK); });
  script.Run([&] { dlg.DoModal(); });
  EXPECT_FALSE(::IsWindowEnabled(owner));
}

TEST_F(DialogTest, EndDialogGivesItsResultToDoModal) {
  CPlainDlg dlg(owner);
  DialogScript script;
  script.On("测试对话框", [](DialogDriver& d) { d.Click(IDC_PLAIN_OTHER); });
  INT_PTR result = 0;
  script.Run([&] { result = dlg.DoModal(); });
  EXPECT_EQ(result, 7);
}

TEST_F(DialogTest, EscapeTypedInAControlCancelsThroughTheDialogsKeys) {
  CPlainDlg dlg(owner);
  DialogScript script;
  script.On("测试对话框",
            [](DialogDriver& d) { ::PostMessageA(d.Item(IDC_PLAIN_EDIT), WM_KEYDOWN, VK_ESCAPE, 0); });
  INT_PTR result = 0;
  script.Run([&] { result = dlg.DoModal(); });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.escapesSeen, 1);
}

TEST_F(DialogTest, PreTranslateMessageSeesTheKeysFirstAndMayEatThem) {
  CPlainDlg dlg(owner);
  dlg.eatEscape = true;
  DialogScript script;
  script
      .On("测试对话框",
          [](DialogDriver& d) { ::PostMessageA(d.Item(IDC_PLAIN_EDIT), WM_KEYDOWN, VK_ESCAPE, 0); })
      .On("测试对话框", [](DialogDriver& d) { d.Click(IDOK); });  // still open
  INT_PTR result = 0;
  script.Run([&] { result = dlg.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.escapesSeen, 1);
}

TEST_F(DialogTest, ANestedDialogDisablesTheOuterOneOnlyWhileItRuns) {
  CNestingDlg outer;
  bool outerEnabledMeanwhile = true;
  HWND outerWindow = nullptr;
  DialogScript script;
  script
      .On("外层对话框",
          [&](DialogDriver& d) {
            outerWindow = d.Window();
            d.Click(IDC_NEST_OPEN);
          })
      .On("测试对话框",
          [&](DialogDriver& d) {
            outerEnabledMeanwhile = ::IsWindowEnabled(outerWindow) != FALSE;
            EXPECT_EQ(::GetWindow(d.Window(), GW_OWNER), outerWindow);
            d.Click(IDC_PLAIN_OTHER);
          })
      .On("外层对话框", [&](DialogDriver& d) {
        EXPECT_TRUE(::IsWindowEnabled(d.Window()));
        d.Click(IDOK);
      });
  INT_PTR result = 0;
  script.Run([&] { result = outer.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(outer.innerResult, 7);
  EXPECT_FALSE(outerEnabledMeanwhile);
  EXPECT_EQ(script.Seen(), (std::vector<std::string>{"外层对话框", "测试对话框"}));
}

TEST_F(DialogTest, AQuitMessageEndsTheDialogAndIsPostedAgain) {
  CPlainDlg dlg(owner);
  DialogScript script;
  script.On("测试对话框", [](DialogDriver&) { ::PostQuitMessage(5); });
  INT_PTR result = 0;
  script.Run([&] { result = dlg.DoModal(); });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(DialogTest, AMissingTemplateAnswersMinusOneAndLeavesTheOwnerAlone) {
  CDialog dlg(4711, owner);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_TRUE(::IsWindowEnabled(owner));
}

TEST_F(DialogTest, AModelessDialogLivesUntilDestroyedAndLeavesItsOwnerEnabled) {
  CPlainDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_PLAIN, owner));
  EXPECT_FALSE(dlg.IsModal());
  EXPECT_EQ(QelGetWindowText(dlg), "测试对话框");
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDOK)), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, AChildDialogLivesInsideItsParentAndItsKeysMoveTheFocus) {
  CDialog panel;
  ASSERT_TRUE(panel.Create(IDD_CHILD, owner));
  EXPECT_EQ(panel.GetParent(), owner.m_hWnd);
  EXPECT_NE(panel.GetStyle() & WS_CHILD, 0u);
  ::SetFocus(panel.GetDlgItem(IDC_CHILD_FIRST));
  // Tab as the program's loop sees it: offered along the window tree first.
  MSG tab = {panel.GetDlgItem(IDC_CHILD_FIRST), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_TRUE(QelWalkPreTranslateTree(nullptr, &tab));
  EXPECT_EQ(::GetFocus(), panel.GetDlgItem(IDC_CHILD_SECOND));
  // A key for a window outside any dialog is left to the loop.
  MSG other = {owner, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_FALSE(QelWalkPreTranslateTree(nullptr, &other));
}

TEST(DialogResources, StringsComeFromTheProgramsOwnTable) {
  EXPECT_EQ(QelLoadStringText(IDS_OWN_TEXT), "程序的字符串");
  EXPECT_EQ(QelLoadStringText(4711), "");
  EXPECT_NE(QelFindDialogTemplate(IDD_PLAIN), nullptr);
  EXPECT_EQ(QelFindDialogTemplate(4711), nullptr);
}

TEST(DialogResources, ADllShowsItsOwnTemplateAndStringsNotTheProgramsOfTheSameIds) {
  HMODULE dll = ::LoadLibraryA("dlgtest_dll.dll");
  ASSERT_NE(dll, nullptr);
  auto show = QelFindExport<INT_PTR(__stdcall*)(HWND)>(dll, "DlgTestShowDialog");
  ASSERT_NE(show, nullptr);
  DialogScript script;
  script.On("库的对话框", [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_PLAIN_NOTE), "库的字符串");
    d.Click(IDOK);
  });
  INT_PTR result = 0;
  script.Run([&] { result = show(nullptr); });
  EXPECT_EQ(result, IDOK);
  ::FreeLibrary(dll);
}

}  // namespace
