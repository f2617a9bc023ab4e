// One engineer's journey through the real editor (its application in this
// program with the real editing window) and then the viewer: a new project
// on the simulated server, a new picture, a rectangle drawn with the drawing
// tool and coloured in the attribute list, a colour link on a server tag
// added through its dialog, a local tag, compiling, saving, closing and
// opening again, and QelView on the project showing the rectangle in the
// link's colour.
#include <memory>

#include "actkinds.h"
#include "archive.h"
#include "attrlist/attrlist_testutil.h"
#include "colortest_util.h"
#include "demoproject.h"
#include "drawrect.h"
#include "file.h"
#include "pages/pageres.h"
#include "qel/picmsg.h"
#include "picobj.h"
#include "picview.h"
#include "programprocess.h"
#include "propdesc.h"
#include "resource.h"
#include "tagsim.h"
#include "testing/dialogscript.h"
#include "windowpixels.h"

namespace editortest {
namespace {

using progtest::ProgramProcess;
using qeltest::DialogDriver;
using qeltest::DialogScript;

const DWORD kStartMs = 30000;
const DWORD kStepMs = 15000;
const char kServerTag[] = "M101.AUTO";  // a digital tag of the simulated server, 1
const COLORREF kOwnFill = RGB(0, 0, 255);
const COLORREF kLinkColour = RGB(255, 0, 0);  // the second level colour of a new colour link
// The rectangle as dragged in the editing window (zoom 100, no scrolling):
// the picture's own units, on the snap grid.
const RECT kDrag = {80, 80, 240, 160};
// The connection list of system\Nurvex.dll and its edit dialog.
const int kConnAdd = 27001, kConnHost = 27004, kConnPort = 27005, kConnAccount = 27006, kConnPassword = 27007;

std::unique_ptr<CPicObj> ReadPicture(const std::string& path) {
  demo::RegisterDemoClasses();
  auto picture = std::make_unique<CPicObj>();
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead)) return nullptr;
  CArchive ar(&file, CArchive::load);
  picture->Serialize(ar);
  return picture;
}

// The editor with its "属性/动作" tab shown (the lists' harness).
class JourneyTest : public ListsTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(sim_.LoadTagsFromFile("..\\tools\\demo-tags.txt", &error)) << error;
    ASSERT_TRUE(sim_.Start("127.0.0.1", 0, &error)) << error;
    ASSERT_TRUE(::CopyFileA((BuildProgramFolder() + "system\\Nurvex.dll").c_str(),
                            (folder_.Path() + "system\\Nurvex.dll").c_str(), FALSE));
    ListsTest::SetUp();
  }
  // The row of the event-link list that offers a link kind, -1 for none.
  int LinkRowOf(int kind) {
    for (int row = 0; row < Links().GetLinkCount(); ++row)
      if (Links().GetLink(row).kind == kind) return row;
    return -1;
  }
  std::string Picture() const { return ProjectsFolder() + "plant\\pic\\main.pic"; }
  CPicView* View() { return app_->GetProject() ? app_->GetProject()->FindPictureView("main.pic") : nullptr; }
  void Drag(HWND window, const RECT& r) {
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left, r.top));
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right, r.bottom));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(r.right, r.bottom));
  }

  tagsim::Server sim_;
};

TEST_F(JourneyTest, FromANewProjectToTheViewerShowingTheLinksColour) {
  // A new project, connected to the simulated server.
  DialogScript newProject;
  newProject.On("新建工程", [](DialogDriver& d) {
    d.Type(IDC_NAME, "plant");
    d.Click(IDOK);
  });
  newProject.Run([&] { Command(ID_FILE_NEW); });
  CQelideDoc* doc = app_->GetProject();
  ASSERT_NE(doc, nullptr);
  DialogScript connection;
  const std::string port = std::to_string(sim_.Port());
  connection.On("服务器连接配置", [](DialogDriver& d) { d.Click(kConnAdd); })
      .On("添加连接",
          [&](DialogDriver& d) {
            d.Type(kConnHost, "127.0.0.1");
            d.Type(kConnPort, port.c_str());
            d.Type(kConnAccount, demo::kAccount);
            d.Type(kConnPassword, demo::kPassword);
            d.Click(IDOK);
          })
      .On("服务器连接配置", [](DialogDriver& d) { d.Click(IDOK); });
  connection.Run([&] { Command(ID_CONNECTION_SETTINGS); });

  // A new picture from the project tree.
  DialogScript newPicture;
  newPicture.On("新建画面", [](DialogDriver& d) {
    d.Type(IDC_NAME, "main");
    d.Click(IDOK);
  });
  newPicture.Run([&] { Tree().RunFolderCommand(TreeItem({"画面"}), ID_NEW_PICTURE); });
  ASSERT_NE(View(), nullptr);
  HWND edit = View()->GetEditWindow();
  ASSERT_NE(edit, nullptr);
  Settle();

  // A rectangle drawn with the drawing tool.
  Command(ID_TOOL_RECT);
  Settle();
  EXPECT_NE(Frame()->GetDrawBar().GetButtonState(ID_TOOL_RECT) & TBSTATE_CHECKED, 0);
  Drag(edit, kDrag);
  Settle();
  ASSERT_EQ(View()->GetEditHost().Query(QCQ_SELCOUNT), 1);
  EXPECT_TRUE(View()->IsPictureModified());

  // Its fill in the attribute list: plain, in blue from the colour popup.
  EXPECT_EQ(Attributes().GetEditWindow(), edit);
  const int fillMode = RowOf(PROP_FILLMODE);
  ASSERT_GE(fillMode, 0);
  ClickRow(fillMode);
  auto* combo = dynamic_cast<CListOptionsCombo*>(Attributes().GetEditor());
  ASSERT_NE(combo, nullptr);
  combo->SetCurSel(1);  // "单色填充", picked in the dropped list
  Attributes().SendMessage(WM_COMMAND, MAKEWPARAM(combo->GetDlgCtrlID(), CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(combo->m_hWnd));
  Settle();
  ClickRow(RowOf(PROP_FILLCOLOR1));
  auto* colour = dynamic_cast<CListOptionsColorButton*>(Attributes().GetEditor());
  ASSERT_NE(colour, nullptr);
  colour->OnClicked();
  CColorPopup* popup = colortest::OpenPopup();
  ASSERT_NE(popup, nullptr);
  for (int i = 0; i < 50 && popup->GetCurrentColor() != kOwnFill; ++i)
    colortest::Key(popup->m_hWnd, VK_RIGHT);
  ASSERT_EQ(popup->GetCurrentColor(), kOwnFill);
  colortest::Key(popup->m_hWnd, VK_RETURN);
  Settle();
  EXPECT_EQ(Attributes().GetItemText(RowOf(PROP_FILLMODE), 1), "单色填充");
  EXPECT_EQ(Attributes().GetItemText(RowOf(PROP_FILLCOLOR1), 1), "&0000FF");

  // A fill colour link on a server tag: the event-link list's direct link,
  // then its dialog.
  int fillLink = LinkRowOf(AK_FILLCOLOR);
  ASSERT_GE(fillLink, 0);
  HMENU menu = Links().MakeLinkMenu(fillLink);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(::GetMenuState(::GetSubMenu(menu, 0), ID_LINK_DIRECT, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED),
            0u);
  ::DestroyMenu(menu);
  DialogScript link;
  link.On("填充颜色-直接连接", [](DialogDriver& d) {
    d.Type(IDC_EXP_TEXT, (std::string("TV(") + kServerTag + ")").c_str());
    d.Click(IDOK);
  });
  link.Run([&] { Links().ChooseLinkMode(fillLink, ID_LINK_DIRECT); });
  Settle();
  fillLink = LinkRowOf(AK_FILLCOLOR);
  ASSERT_GE(fillLink, 0);
  EXPECT_EQ(Links().GetItemText(fillLink, 1), "直接连接");

  // A local tag in the local-tag table.
  Command(ID_OPEN_LOCALTAGS);
  DialogScript localTag;
  localTag.On("添加本地标签", [](DialogDriver& d) {
    d.Type(IDC_NAME, "setpoint");
    d.Type(IDC_TAG_INITIAL, "42");
    d.Click(IDOK);
  });
  localTag.Run([&] { Command(ID_LOCALTAG_ADD); });

  // Compiled, saved, closed without a question, opened again.
  Command(ID_COMPILE_PROJECT);
  EXPECT_NE(Frame()->GetOutputBar().GetText().Find("编译完成 - 0 error(s)"), -1)
      << Frame()->GetOutputBar().GetText().GetString();
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(doc->IsModified());
  std::string project = ProjectsFolder() + "plant\\plant.qel";
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(app_->GetProject(), nullptr);
  EXPECT_TRUE(BoxTexts().empty()) << BoxTexts()[0];
  ASSERT_NE(app_->OpenDocumentFile(project.c_str()), nullptr);
  doc = app_->GetProject();
  ASSERT_EQ(doc->GetProject().m_localTags.GetCount(), 3);
  EXPECT_STREQ(doc->GetProject().m_localTags.GetTag(2)->name, "setpoint");
  EXPECT_EQ(doc->GetProject().m_conn.count, 1);
  Tree().ActivateItem(TreeItem({"画面", "main.pic"}));
  ASSERT_NE(View(), nullptr);
  EXPECT_FALSE(View()->IsPictureModified());
  std::unique_ptr<CPicObj> picture = ReadPicture(Picture());
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->GetLayer(0)->m_objects.GetCount(), 1);
  auto* rect = dynamic_cast<CDrawRect*>(picture->GetLayer(0)->m_objects.GetHead());
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->m_clrFill1, kOwnFill);
  EXPECT_EQ(rect->m_nFillStyle, 1);
  auto* fill = dynamic_cast<CActColor*>(rect->GetAction(AK_FILLCOLOR));
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(std::string(fill->m_strExpression.GetString()), std::string("TV(") + kServerTag + ")");
  Command(ID_FILE_CLOSE);
  Exit();

  // The viewer on the project, against the simulated server.
  std::string error;
  ASSERT_TRUE(demo::WriteViewerSettings(folder_.Path(), "plant", "main.pic", &error)) << error;
  for (const char* file : {"QelView.exe", "QelRun.dll", "qel3api.dll"})
    ASSERT_TRUE(progtest::CopyProgramFile(file, folder_.Path()));
  ProgramProcess viewer("QelView.exe");
  ASSERT_TRUE(viewer.Start(folder_.Path()));
  HWND frame = viewer.WaitForWindow("QelViewMainFrame", "QelView", kStartMs);
  ASSERT_NE(frame, nullptr);
  HWND runtime = ::GetDlgItem(::GetDlgItem(frame, AFX_IDW_PANE_FIRST), 1000);
  ASSERT_NE(runtime, nullptr);
  // The runtime window's own drawing (unzoomed, unscrolled: picture units
  // are its client pixels), whatever the shared display shows above it.
  const POINT centre = {(kDrag.left + kDrag.right) / 2, (kDrag.top + kDrag.bottom) / 2};
  EXPECT_TRUE(
      progtest::WaitFor([&] { return progtest::ClientPixel(runtime, centre) == kLinkColour; }, kStartMs))
      << std::hex << progtest::ClientPixel(runtime, centre);
  ::PostMessageA(frame, WM_CLOSE, 0, 0);
  if (HWND box = viewer.WaitForBox("QelView提示", kStepMs)) progtest::PressButton(box, IDYES);
  viewer.WaitForExit(kStepMs);
}

}  // namespace
}  // namespace editortest
