// The controls the picker lists, and the ActiveX tool: the class chosen is
// probed and placed as a control object.
#include <gtest/gtest.h>

#include <algorithm>

#include "activex/drawctrlocx.h"
#include "activex/ocxcatalog.h"
#include "dialogs/editdialogs.h"
#include "editctrl_inproc.h"
#include "olecontrolwnd.h"
#include "testocx_ids.h"
#include "testocx_register.h"

namespace edittest {
namespace {

bool Lists(const std::vector<OcxCatalogEntry>& controls, const char* name, const CLSID& clsid) {
    return std::any_of(controls.begin(), controls.end(), [&](const OcxCatalogEntry& e) {
        return e.name == name && e.clsid == clsid;
    });
}

TEST(OcxCatalogTest, TheRegisteredControlsAreListedByTheirNames) {
    ASSERT_TRUE(StartTestOcx());
    const std::vector<OcxCatalogEntry> controls = ListRegisteredControls();
    EXPECT_TRUE(Lists(controls, "QEL测试控件", CLSID_QelTestOcx));
    EXPECT_TRUE(Lists(controls, "QEL测试控件(无页)", CLSID_QelTestOcxPlain));
    EXPECT_TRUE(Lists(controls, "QEL测试控件(无类型)", CLSID_QelTestOcxBare));
    for (const OcxCatalogEntry& e : controls) {
        EXPECT_FALSE(e.name.IsEmpty());
        EXPECT_NE(e.clsid, CLSID_QelTestOcxPage) << "a page is no control";
    }
    StopTestOcx();
}

class ActiveXToolTest : public InProcessEditTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterTestOcx()); }
    void SetUp() override {
        InProcessEditTest::SetUp();
        Send(QCM_SELECTTOOL, 0, 0);
    }
    void TearDown() override {
        SetControlPickAnswer(nullptr);
        Send(QCM_SELECTTOOL, 0, 0);
        InProcessEditTest::TearDown();
    }
    // The picker answers with that class (or is cancelled), then tool 150 is chosen.
    void ChooseTool(bool chosen, const CLSID& clsid = CLSID_QelTestOcx) {
        SetControlPickAnswer([=](CLSID* out) {
            *out = clsid;
            return chosen;
        });
        Send(QCM_SELECTTOOL, 0, DOT_CTRLOCX);
    }
};

TEST_F(ActiveXToolTest, TheChosenControlIsPlacedWithItsDisabledWindow) {
    ChooseTool(true);
    ASSERT_EQ(Query(QCQ_TOOL), DOT_CTRLOCX);
    Click(13, 12);
    std::vector<CDrawObj*> objects = Objects();
    ASSERT_EQ(objects.size(), 1u);
    auto* ocx = dynamic_cast<CDrawCtrlOcx*>(objects.front());
    ASSERT_NE(ocx, nullptr);
    EXPECT_EQ(ocx->GetClassId(), CLSID_QelTestOcx);
    CRectD frame = FrameOf(ocx);
    EXPECT_EQ(frame.Width(), 320);
    EXPECT_EQ(frame.Height(), 240);
    EXPECT_EQ(Query(QCQ_TOOL), 0);
    EXPECT_EQ(Query(QCQ_SELCOUNT), 1);
    ASSERT_NE(ocx->GetControlWnd(), nullptr);
    HWND window = ocx->GetControlWnd()->GetSafeHwnd();
    EXPECT_EQ(::GetParent(window), child_);
    EXPECT_FALSE(::IsWindowEnabled(window));
    EXPECT_NE(ocx->GetControlWnd()->GetControlWindow(), nullptr);
}

TEST_F(ActiveXToolTest, AClassThatCannotBeMadeIsRefusedWithItsMessage) {
    AnswerBoxesWith(IDOK);
    ChooseTool(true, CLSID{0x0BADC0DE, 0x3333, 0x4444, {5, 6, 7, 8, 9, 10, 11, 12}});
    EXPECT_EQ(Query(QCQ_TOOL), 0);
    ASSERT_EQ(SeenBoxes().size(), 1u);
    EXPECT_EQ(SeenBoxes()[0].caption, "错误");
    EXPECT_EQ(SeenBoxes()[0].text, "该控件不符合规范!");
    Click(13, 12);
    EXPECT_TRUE(Objects().empty());
}

TEST_F(ActiveXToolTest, CancellingThePickerLeavesTheSelectionTool) {
    ChooseTool(false);
    EXPECT_EQ(Query(QCQ_TOOL), 0);
    Click(13, 12);
    EXPECT_TRUE(Objects().empty());
}

}  // namespace
}  // namespace edittest
