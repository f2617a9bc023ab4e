// The completion list of the script editor: opened after two letters,
// moved through, accepted and closed by the keys and by losing the focus.
// These cases need the keyboard focus, so they run alone (SERIAL).
#include <gtest/gtest.h>

#include "scriptdlg_testutil.h"

namespace scripttest {
namespace {

TEST_F(ScriptDialogTest, TwoLettersOpenTheCompletionListAndEnterCompletes) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("x");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            dlg.GetEdit().SetSel(-1, -1);
            Type(" d");
            EXPECT_FALSE(dlg.GetEdit().HasTipList());  // one letter is not enough
            Type("b");
          })
      .On(kCaption,
          [&](DialogDriver&) {
            CScriptEdit& edit = dlg.GetEdit();
            ASSERT_TRUE(edit.HasTipList());
            const CTipListBox& list = edit.TipList();
            EXPECT_EQ(::GetFocus(), list.m_hWnd);
            ASSERT_EQ(list.GetCount(), 3);  // the tips that begin with "db", sorted
            EXPECT_EQ(list.GetText(0), "dbr_GetDbStr(char* stagname, char* pstr, int nbufsize)");
            EXPECT_EQ(list.GetText(2), "dbr_SetLoaclVal(char* stagname, anytype data)");
            EXPECT_EQ(list.GetCurSel(), 0);
            EXPECT_EQ(list.m_strWord, "db");
            // Below the word, as wide as the longest tip.
            RECT r;
            ::GetWindowRect(list.m_hWnd, &r);
            EXPECT_EQ(r.right - r.left, 7 * 54);
            // Room for count + 1 rows, which the list box trims to whole rows.
            EXPECT_GE(r.bottom - r.top, 3 * list.GetItemHeight(0));
            EXPECT_LT(r.bottom - r.top, 4 * list.GetItemHeight(0));
            Press(VK_DOWN);
          })
      .On(kCaption,
          [&](DialogDriver&) {
            EXPECT_EQ(dlg.GetEdit().TipList().GetCurSel(), 1);
            Press(VK_RETURN);
          })
      .On(kCaption, [&](DialogDriver& d) {
        CScriptEdit& edit = dlg.GetEdit();
        EXPECT_EQ(edit.GetPlainText(), "x dbr_GetDbVal(char* stagname, anytype* pdata)");
        EXPECT_FALSE(edit.HasTipList());
        EXPECT_EQ(d.FocusId(), IDC_SCRIPT_EDIT);
        EXPECT_EQ(ColourOf(edit, "dbr_GetDbVal"), kDarkRed);
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, CompletionListClosesAsTheKeysSay) {
  CScriptDlg dlg(nullptr);
  DialogScript script;
  auto openList = [&](DialogDriver&) {
    dlg.GetEdit().SetPlainText("");
    Type("ab");
  };
  script.On(kCaption, openList)
      .On(kCaption,
          [&](DialogDriver&) {
            ASSERT_TRUE(dlg.GetEdit().HasTipList());
            Press(VK_ESCAPE);  // closes the list, not the dialog
          })
      .On(kCaption,
          [&](DialogDriver& d) {
            EXPECT_FALSE(dlg.GetEdit().HasTipList());
            EXPECT_EQ(d.FocusId(), IDC_SCRIPT_EDIT);
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "ab");
          })
      .On(kCaption, openList)
      .On(kCaption,
          [&](DialogDriver&) {
            ASSERT_TRUE(dlg.GetEdit().HasTipList());
            Type("s(");  // a letter keeps the list, "(" closes it and is typed
          })
      .On(kCaption,
          [&](DialogDriver&) {
            EXPECT_FALSE(dlg.GetEdit().HasTipList());
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "abs(");
          })
      .On(kCaption, openList)
      .On(kCaption,
          [&](DialogDriver&) {
            ASSERT_TRUE(dlg.GetEdit().HasTipList());
            Press(VK_SPACE);  // closes the list and is typed
          })
      .On(kCaption,
          [&](DialogDriver&) {
            EXPECT_FALSE(dlg.GetEdit().HasTipList());
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "ab ");
            Type("zz");  // no tip begins so
          })
      .On(kCaption, [&](DialogDriver&) {
        EXPECT_FALSE(dlg.GetEdit().HasTipList());
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, CompletionListLosingTheFocusGoesAfterwards) {
  CScriptDlg dlg(nullptr);
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            dlg.GetEdit().SetPlainText("");
            Type("ti");
          })
      .On(kCaption,
          [&](DialogDriver&) {
            ASSERT_TRUE(dlg.GetEdit().HasTipList());
            ::SetFocus(dlg.GetEdit().m_hWnd);
            // The list is still there while its focus message is handled.
            EXPECT_TRUE(dlg.GetEdit().HasTipList());
          })
      .On(kCaption, [&](DialogDriver&) {
        EXPECT_FALSE(dlg.GetEdit().HasTipList());
        EXPECT_EQ(dlg.GetEdit().GetPlainText(), "ti");
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

}  // namespace
}  // namespace scripttest
