// The editing window's callers of the dialogs: a new or switched link opens
// its kind's dialog (QCM_SETEVENTLINK), a multi-line text opens its text
// sheet (QCM_OBJECTDIALOG).
#include <gtest/gtest.h>

#include "actkinds.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "pages/pageres.h"
#include "pages/pagetest_util.h"
#include "qel/picmsg.h"
#include "picobj.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const int kApplyButton = 0x3021;

class DialogCallerTest : public EditWindowTest {
 protected:
  template <typename Object>
  Object* AddSelected() {
    auto* obj = new Object;
    obj->SetCorners(CRectD(20, 20, 140, 80));
    wnd_->AddObject(obj, false);
    wnd_->Select(obj, false);
    wnd_->GetPicture()->m_bModified = FALSE;
    ForgetNotices();
    return obj;
  }
  void Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { ::SendMessageA(child_, msg, wp, lp); }
};

TEST_F(DialogCallerTest, ANewDirectLinkOpensItsDialog) {
  CDrawRect* rect = AddSelected<CDrawRect>();
  DialogScript script;
  script.On("颜色-直接连接", [](DialogDriver& d) {
    d.Type(IDC_EXP_TEXT, "TV(t1) > 5");
    d.Click(IDOK);
  });
  script.Run([&] { Send(QCM_SETEVENTLINK, AM_DIRECT, AK_COLOR); });
  auto* link = dynamic_cast<CActColor*>(rect->GetAction(AK_COLOR));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(std::string(link->m_strExpression.GetString()), "TV(t1) > 5");
  EXPECT_EQ(link->m_nMode, AM_DIRECT);
  EXPECT_TRUE(PictureModified());
}

TEST_F(DialogCallerTest, AMouseEventOpensTheHyperlinkDialogAndMovementNone) {
  CDrawRect* rect = AddSelected<CDrawRect>();
  WriteFile(std::string(wnd_->GetPictureFolder().GetString()) + "plant.pic");
  DialogScript script;
  script.On("事件-超级连接", [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_SELPIC_TARGET), "");
    ASSERT_TRUE(SelectTreeItem(d.Item(IDC_SELPIC_TREE), {"画面", "plant.pic"}));
    d.Click(IDOK);
  });
  script.Run([&] {
    Send(QCM_SETEVENTLINK, AM_DIRECT, AK_LBUTTON_DOWN);
    Send(QCM_SETEVENTLINK, AM_DIRECT, AK_MOVE);  // script only: refused, nothing opens
  });
  auto* event = dynamic_cast<CActEvent*>(rect->GetAction(AK_LBUTTON_DOWN));
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(std::string(event->m_strCommand.GetString()), "link\nplant.pic");
  EXPECT_EQ(script.Seen().size(), 1u);
}

TEST_F(DialogCallerTest, TheObjectDialogOfAMultiLineTextEditsItsText) {
  CDrawMtext* text = AddSelected<CDrawMtext>();
  DialogScript script;
  script.On("多行文本", [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_TEXT_EDIT), "多行文本");
    d.Type(IDC_TEXT_EDIT, "泵站\r\n一号");
    d.Click(IDOK);
  });
  script.Run([&] { Send(QCM_OBJECTDIALOG); });
  EXPECT_EQ(std::string(text->GetText().GetString()), "泵站\r\n一号");
  EXPECT_TRUE(PictureModified());
  EXPECT_EQ(LinkNotices(), 0);
}

TEST_F(DialogCallerTest, TextAppliedBeforeACancelStillCountsAsAChange) {
  CDrawMtext* text = AddSelected<CDrawMtext>();
  DialogScript script;
  script
      .On("多行文本",
          [](DialogDriver& d) {
            d.Type(IDC_TEXT_EDIT, "applied");
            d.Click(kApplyButton);
          })
      .On("多行文本", [](DialogDriver& d) { d.Click(IDCANCEL); });
  script.Run([&] { Send(QCM_OBJECTDIALOG); });
  EXPECT_EQ(std::string(text->GetText().GetString()), "applied");
  EXPECT_TRUE(PictureModified());
}

TEST_F(DialogCallerTest, ACancelledTextSheetChangesNothing) {
  CDrawMtext* text = AddSelected<CDrawMtext>();
  DialogScript script;
  script.On("多行文本", [](DialogDriver& d) {
    d.Type(IDC_TEXT_EDIT, "not kept");
    d.Click(IDCANCEL);
  });
  script.Run([&] { Send(QCM_OBJECTDIALOG); });
  EXPECT_EQ(std::string(text->GetText().GetString()), "多行文本");
  EXPECT_FALSE(PictureModified());
}

}  // namespace
}  // namespace pagetest
