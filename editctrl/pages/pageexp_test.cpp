// The expression page: its fixed help, its note, the analysis button with the
// evaluator's error texts, and the expression it writes.
#include <gtest/gtest.h>

#include <algorithm>

#include "actkinds.h"
#include "exphelp.h"
#include "localtag.h"
#include "pageexp.h"
#include "pageres.h"
#include "pagetest_util.h"
#include "qel/picmsg.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

std::vector<std::string> HelpLines() {
  std::vector<std::string> lines;
  const std::string text = ExpressionHelpText().GetString();
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the last line ends in CR LF";
  return lines;
}

TEST(ExpressionHelp, NineteenPrototypesWithTheReturnTypeInSevenCharacters) {
  const std::vector<std::string> lines = HelpLines();
  auto at = std::find(lines.begin(), lines.end(),
                      "函数:\t内置19个常用数值处理函数,支持函数嵌套,函数参数为1-n个,不能有空参数函数。");
  ASSERT_NE(at, lines.end());
  ASSERT_GE(lines.end() - at, 21);
  EXPECT_EQ(at[1], "  int    abs(int)");
  EXPECT_EQ(at[8], "  double fmod(double,double)");
  EXPECT_EQ(at[9], "  long   labs(long)");
  EXPECT_EQ(at[11], "  double log10(double)");
  EXPECT_EQ(at[19], "  int    atoi(char *)");
  EXPECT_EQ(at[20], "  ");  // a blank line holds two blanks
}

TEST(ExpressionHelp, SectionsInOrder) {
  const std::vector<std::string> lines = HelpLines();
  const char* const expected[] = {
      "运算符的意义、优先级、结合律同C语言",
      "|| 逻辑或",
      "() 括号",
      "标签引用：",
      "LVV(demo_str)  引用本地标签 demo_str",
      "立即数：支持整数，小数，16进制整数(0X或 0x开头),静态字符串\"\"格式，比如:\"val =\"",
      "类型：\t整数(32位),浮点数(double),字符串(长度<255)。字符串运算支持+运算，即字符串合并。",
      "例子:",
      "位操作:tv(tag10) >> 8 & 0XFF",
  };
  auto from = lines.begin();
  for (const char* line : expected) {
    auto found = std::find(from, lines.end(), line);
    EXPECT_NE(found, lines.end()) << line;
    if (found != lines.end()) from = found;
  }
  EXPECT_EQ(lines.front(), expected[0]);
  EXPECT_EQ(lines.back(), expected[8]);
}

std::vector<LocalTagRecord> g_localTags;
int __stdcall LocalTagAt(void*, int index, void* record) {
  if (index < 0 || index >= static_cast<int>(g_localTags.size())) return -1;
  *static_cast<LocalTagRecord*>(record) = g_localTags[index];
  return index;
}

class ExpressionPageTest : public EditWindowTest {
 protected:
  CActShowHide link;
  LocalTagCallbackBlock local = {&local, &LocalTagAt, nullptr, nullptr};

  void SetUp() override {
    EditWindowTest::SetUp();
    g_localTags = {MakeLocalTag("demo_str", "", "", "", 6), MakeLocalTag("level", "液位", "m", "0", 3)};
    ::SendMessageA(child_, QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&local));
  }
};

TEST_F(ExpressionPageTest, ThePickerFillsThePageRightOf480PixelsWithTheWindowsLocalTags) {
  CPageExp page(wnd_, &link);
  DialogScript script;
  script.On(kSheetTitle, [&](DialogDriver& d) {
    HWND picker = d.Item(IDC_EXP_PICKER);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker, page.m_picker.m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(picker));
    RECT inPage, client;
    ::GetWindowRect(picker, &inPage);
    ::MapWindowPoints(nullptr, d.Page(), reinterpret_cast<POINT*>(&inPage), 2);
    ::GetClientRect(d.Page(), &client);
    EXPECT_EQ(inPage.left, CPageExp::kPickerLeft);
    EXPECT_EQ(inPage.top, 0);
    EXPECT_EQ(inPage.right, client.right);
    EXPECT_EQ(inPage.bottom, client.bottom);
    EXPECT_EQ(page.m_picker.LocalPanel().List().Records().GetCount(), 2);
    for (int id : {IDC_EXP_TEXT, IDC_EXP_CHECK, IDC_EXP_NOTE, IDC_EXP_HELP}) {
      RECT control;
      ::GetWindowRect(d.Item(id), &control);
      ::MapWindowPoints(nullptr, d.Page(), reinterpret_cast<POINT*>(&control), 2);
      EXPECT_LE(control.right, CPageExp::kPickerLeft)
          << id << ": the page's own controls stay left of the picker";
    }
    d.Click(IDCANCEL);
  });
  RunSheet(script, parent_, {&page});
}

TEST_F(ExpressionPageTest, ALocalTagDoubleClickedInThePickerGoesIntoTheExpression) {
  CPageExp page(wnd_, &link);
  page.m_strExpression = "1+";
  DialogScript script;
  script
      .On(kSheetTitle,
          [&](DialogDriver&) {
            page.m_editExpression.SetSel(2, 2);
            page.m_picker.ShowPart(CPickTab::kLocalTab);
            CTagListCtrl& list = page.m_picker.LocalPanel().List();
            list.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 18 + 9));  // the first row
          })
      .On(kSheetTitle, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_EXP_TEXT), "1+LVV(demo_str)");
        EXPECT_TRUE(IsApplyEnabled(d));
        d.Click(IDOK);
      });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(std::string(link.m_strExpression.GetString()), "1+LVV(demo_str)");
}

TEST_F(ExpressionPageTest, TheAnalysisShowsTheEvaluatorsErrorText) {
  const struct {
    const char* text;
    const char* caption;
    const char* message;
  } cases[] = {
      {"  ", "提示", "请填写表达式!"},
      {"(1+2", "错误", "Errcode = 2 : ()不匹配\n"},
      {"TV()", "错误", "Errcode = 6 : TV()内容为空\n"},
      {"\"abc", "错误", "Errcode = 7 : 字符串引号不匹配\n"},
      {"nofunc(1)", "错误", "Errcode = 4 : 未知函数\n"},
      {" TV(tag1) * 2 + 1 ", "检查结果", "表达式语法正确!"},
  };
  for (const auto& c : cases) {
    link.m_strExpression = "old";
    CPageExp page(wnd_, &link);
    DialogScript script;
    script
        .On(kSheetTitle,
            [&](DialogDriver& d) {
              d.Type(IDC_EXP_TEXT, c.text);
              d.Click(IDC_EXP_CHECK);
            })
        .OnMessageBox(c.caption, c.message, IDOK)
        .On(kSheetTitle, [](DialogDriver& d) { d.Click(IDCANCEL); });
    RunSheet(script, parent_, {&page});
    EXPECT_EQ(std::string(link.m_strExpression.GetString()), "old") << c.text;
  }
  EXPECT_EQ(LinkNotices(), 0);
}

TEST_F(ExpressionPageTest, ShowsTheExpressionHelpAndNoteAndWritesTheTextUnchecked) {
  link.m_strExpression = "TV(a)";
  CPageExp page(wnd_, &link);
  page.m_strExpression = link.m_strExpression;
  page.m_strNote = "注:表达式结果为TRUE显示,FASLE隐藏";
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_EXP_TEXT), "TV(a)");
    EXPECT_EQ(d.Text(IDC_EXP_NOTE), "注:表达式结果为TRUE显示,FASLE隐藏");
    EXPECT_EQ(d.Text(IDC_EXP_HELP), ExpressionHelpText().GetString());
    EXPECT_FALSE(IsApplyEnabled(d));
    d.Type(IDC_EXP_TEXT, "1 +");  // not checked here
    EXPECT_TRUE(IsApplyEnabled(d));
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(std::string(link.m_strExpression.GetString()), "1 +");
  EXPECT_EQ(LinkNotices(), 1);
  EXPECT_TRUE(PictureModified());
}

}  // namespace
}  // namespace pagetest
