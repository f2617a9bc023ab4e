// Data exchange and validation, through a dialog on the screen: every field
// type, the limits at both ends, texts that are no numbers, the message and
// the focus of a refusal, and the order in which fields are checked.
#include <gtest/gtest.h>

#include <string>

#include "controls/combobox.h"
#include "dialogs/dialog.h"
#include "dialogs/numbertext.h"
#include "test/dialogs_test_res.h"
#include "testing/dialogscript.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

class CFieldsDlg : public CDialog {
 public:
  int m_int = 0;
  UINT m_port = 1024;
  double m_ratio = 0;
  CString m_name;
  int m_direction = 0;
  int m_visible = 0;
  int m_choice = 0;
  CComboBox m_combo;

 protected:
  BOOL OnInitDialog() override {
    for (const char* item : {"实线", "虚线", "点线"})
      SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_INT, m_int);
    DDV_MinMaxInt(dx, m_int, -5, 100);
    DDX_Text(dx, IDC_UINT, m_port);
    DDV_MinMaxUInt(dx, m_port, 1024, 65535);
    DDX_Text(dx, IDC_DOUBLE, m_ratio);
    DDV_MinMaxDouble(dx, m_ratio, -1.5, 2.5);
    DDX_Text(dx, IDC_TEXT, m_name);
    DDV_MaxChars(dx, m_name, 4);
    DDX_Radio(dx, IDC_RADIO1, m_direction);
    DDX_Check(dx, IDC_CHECK, m_visible);
    DDX_CBIndex(dx, IDC_COMBO, m_choice);
    DDX_Control(dx, IDC_COMBO, m_combo);
  }
};

class DataExchange : public ::testing::Test {
 protected:
  CFieldsDlg dlg;
  void SetUp() override {
    ASSERT_TRUE(dlg.Create(IDD_FIELDS));
    SetTexts("0", "1024", "0", "");
  }
  void SetTexts(const char* i, const char* u, const char* d, const char* s) {
    dlg.SetDlgItemText(IDC_INT, i);
    dlg.SetDlgItemText(IDC_UINT, u);
    dlg.SetDlgItemText(IDC_DOUBLE, d);
    dlg.SetDlgItemText(IDC_TEXT, s);
  }
  // Saves with a script that expects the given message box (none for "").
  bool Save(const std::string& message) {
    DialogScript script;
    if (!message.empty()) script.OnMessageBox("提示", message.c_str(), IDOK);
    bool saved = false;
    script.Run([&] { saved = dlg.UpdateData(TRUE) != FALSE; });
    return saved;
  }
  int FocusId() const { return DialogDriver(dlg.m_hWnd).FocusId(); }
};

struct FieldCase {
  int control;
  const char* text;
  const char* message;  // "" when the text is accepted
};

const char kNotInteger[] = "请输入一个整数。";
const char kIntRange[] = "请输入一个 -5 到 100 之间的整数。";
const char kNotUnsigned[] = "请输入一个不小于 0 的整数。";
const char kPortRange[] = "请输入一个 1024 到 65535 之间的整数。";
const char kNotNumber[] = "请输入一个数。";
const char kRatioRange[] = "请输入一个 -1.5 到 2.5 之间的数。";
const char kTooLong[] = "输入的内容不能超过 4 个字符(一个汉字占两个字符)。";

const FieldCase kFieldCases[] = {
    {IDC_INT, "-5", ""},
    {IDC_INT, "100", ""},
    {IDC_INT, " 42 ", ""},
    {IDC_INT, "+7", ""},
    {IDC_INT, "-6", kIntRange},
    {IDC_INT, "101", kIntRange},
    {IDC_INT, "", kNotInteger},
    {IDC_INT, "abc", kNotInteger},
    {IDC_INT, "12x", kNotInteger},
    {IDC_INT, "1.5", kNotInteger},
    {IDC_INT, "2147483648", kNotInteger},
    {IDC_UINT, "1024", ""},
    {IDC_UINT, "65535", ""},
    {IDC_UINT, "80", kPortRange},
    {IDC_UINT, "1023", kPortRange},
    {IDC_UINT, "65536", kPortRange},
    {IDC_UINT, "-1", kNotUnsigned},
    {IDC_UINT, "4294967296", kNotUnsigned},
    {IDC_UINT, "端口", kNotUnsigned},
    {IDC_DOUBLE, "-1.5", ""},
    {IDC_DOUBLE, "2.5", ""},
    {IDC_DOUBLE, "1e0", ""},
    {IDC_DOUBLE, ".5", ""},
    {IDC_DOUBLE, "2.5000001", kRatioRange},
    {IDC_DOUBLE, "-1.6", kRatioRange},
    {IDC_DOUBLE, "x", kNotNumber},
    {IDC_DOUBLE, "0x1", kNotNumber},
    {IDC_DOUBLE, "inf", kNotNumber},
    {IDC_DOUBLE, "1e", kNotNumber},
    {IDC_TEXT, "abcd", ""},
    {IDC_TEXT, "汉字", ""},
    {IDC_TEXT, "abcde", kTooLong},
    {IDC_TEXT, "汉字a", kTooLong},
};

TEST_F(DataExchange, EachFieldAcceptsItsValuesAndRefusesOthersWithItsMessageAndFocus) {
  for (const FieldCase& c : kFieldCases) {
    SCOPED_TRACE(std::string("control ") + std::to_string(c.control) + " text \"" + c.text + "\"");
    SetTexts("0", "1024", "0", "");
    dlg.SetDlgItemText(c.control, c.text);
    ::SetFocus(dlg.GetDlgItem(IDOK));
    bool saved = Save(c.message);
    EXPECT_EQ(saved, *c.message == '\0');
    if (saved) continue;
    EXPECT_EQ(FocusId(), c.control);
    DWORD start = 1, end = 0;
    dlg.SendDlgItemMessage(c.control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    // The control counts characters, whatever the bytes of their GBK text.
    EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthW(dlg.GetDlgItem(c.control))));
  }
}

TEST_F(DataExchange, SavedValuesAreTheNumbersTyped) {
  SetTexts(" -5", "65535", "-1.25", "名称");
  dlg.CheckDlgButton(IDC_RADIO1, BST_UNCHECKED);
  dlg.CheckDlgButton(IDC_RADIO3, BST_CHECKED);
  dlg.CheckDlgButton(IDC_CHECK, BST_CHECKED);
  dlg.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
  ASSERT_TRUE(Save(""));
  EXPECT_EQ(dlg.m_int, -5);
  EXPECT_EQ(dlg.m_port, 65535u);
  EXPECT_EQ(dlg.m_ratio, -1.25);
  EXPECT_EQ(dlg.m_name, "名称");
  EXPECT_EQ(dlg.m_direction, 2);
  EXPECT_EQ(dlg.m_visible, BST_CHECKED);
  EXPECT_EQ(dlg.m_choice, 2);
}

TEST_F(DataExchange, NoRadioCheckedSavesMinusOne) {
  for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3}) dlg.CheckDlgButton(id, BST_UNCHECKED);
  ASSERT_TRUE(Save(""));
  EXPECT_EQ(dlg.m_direction, -1);
}

TEST_F(DataExchange, LoadingWritesEveryFieldAndLimitsTheTextThatCanBeTyped) {
  dlg.m_int = -7;
  dlg.m_port = 4000000000u;
  dlg.m_ratio = 0.1;
  dlg.m_name = "名";
  dlg.m_direction = 1;
  dlg.m_visible = BST_CHECKED;
  dlg.m_choice = 1;
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(dlg.GetDlgItemText(IDC_INT), "-7");
  EXPECT_EQ(dlg.GetDlgItemText(IDC_UINT), "4000000000");
  EXPECT_EQ(dlg.GetDlgItemText(IDC_DOUBLE), "0.1");
  EXPECT_EQ(dlg.GetDlgItemText(IDC_TEXT), "名");
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIO1), 0u);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIO2), 1u);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK), 1u);
  EXPECT_EQ(dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), 1);
  EXPECT_EQ(dlg.SendDlgItemMessage(IDC_TEXT, EM_GETLIMITTEXT), 4);
}

TEST_F(DataExchange, AControlIsAttachedOnceByItsId) {
  ASSERT_EQ(dlg.m_combo.m_hWnd, dlg.GetDlgItem(IDC_COMBO));  // by OnInitDialog's exchange
  EXPECT_TRUE(dlg.UpdateData(FALSE));                        // again: no second attachment
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_COMBO)), &dlg.m_combo);
  EXPECT_EQ(dlg.m_combo.GetLBText(1), "虚线");
}

TEST_F(DataExchange, TheFirstRefusedFieldInExchangeOrderIsTheOneReported) {
  SetTexts("0", "80", "9", "toolong");  // the port, the ratio and the name are wrong
  EXPECT_FALSE(Save(kPortRange));
  EXPECT_EQ(FocusId(), IDC_UINT);
  EXPECT_EQ(dlg.m_ratio, 0.0);  // the exchange stopped before the fields after it
}

TEST(NumberText, WrittenNumbersReadBackAsThemselves) {
  for (int v : {0, -1, 2147483647, -2147483647 - 1}) {
    int back = 1;
    ASSERT_TRUE(QelParseInt(QelIntText(v), &back));
    EXPECT_EQ(back, v);
  }
  for (UINT v : {0u, 4294967295u}) {
    UINT back = 1;
    ASSERT_TRUE(QelParseUInt(QelUIntText(v), &back));
    EXPECT_EQ(back, v);
  }
  for (double v : {0.1, -1e-300, 1.5e300, 123456789.125}) {
    double back = 0;
    ASSERT_TRUE(QelParseDouble(QelDoubleText(v), &back)) << QelDoubleText(v).GetString();
    EXPECT_DOUBLE_EQ(back, v);
  }
  EXPECT_EQ(QelDoubleText(1e20), "1e+020");  // the platform runtime's exponent
}

}  // namespace
