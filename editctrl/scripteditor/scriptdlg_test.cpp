// The script editor driven as the engineer drives it: opened on its own and
// through the editing window's script link, typed into, coloured, pasted
// into, compiled, saved and closed. (Completion: scriptcompletion_test.cpp.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "action.h"
#include "actkinds.h"
#include "drawrect.h"
#include "editctrl_testfiles.h"
#include "editctrl_pictures.h"
#include "file.h"
#include "linkclasses.h"
#include "qel/localtag.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "picstore.h"
#include "pictureclasses.h"
#include "pages/pageres.h"
#include "scriptdlg_testutil.h"
#include "scripttips.h"
#include "wndclass.h"
#include "wndtest/wndtest_util.h"

namespace scripttest {
namespace {

// ---- text, colours and keys -----------------------------------------------------

TEST_F(ScriptDialogTest, AnEmptyScriptGetsTheFrameScriptColoured) {
  CScriptDlg dlg(nullptr);
  DialogScript script;
  script.On(kCaption, [&](DialogDriver& d) {
    CScriptEdit& edit = dlg.GetEdit();
    EXPECT_EQ(edit.GetPlainText(), CScriptDlg::kFrameScript);
    EXPECT_FALSE(dlg.IsModified());
    // The first line is a Chinese comment: every later position counts its
    // characters, not its bytes.
    EXPECT_EQ(ColourOf(edit, "//类型宏替换"), kGreen);
    EXPECT_EQ(ColourOf(edit, "#define"), kBlue);
    EXPECT_EQ(ColourOf(edit, "CHAR"), kBlue);
    EXPECT_EQ(ColourOf(edit, "unsigned"), kBlue);
    EXPECT_EQ(ColourOf(edit, "int main"), -1);  // two colours: keyword, blank
    EXPECT_EQ(ColourOf(edit, "main"), kBlue);
    EXPECT_EQ(ColourOf(edit, "//Add  your code here"), kGreen);
    EXPECT_EQ(ColourOf(edit, "return"), kBlue);
    EXPECT_EQ(ColourOf(edit, "0;"), kBlack);
    Close(d);
  });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, ATipsFileOfAMebibyteOfShortLinesOpensWithTheFirstTips) {
  std::string text;
  for (int i = 0; text.size() < kMaxTipsFileBytes; ++i) text += "db" + std::to_string(i) + "(x)\n";
  const std::string tips = edittest::FreshFolder("longtips") + "sctip.txt";
  edittest::WriteBytes(tips, std::vector<BYTE>(text.begin(), text.end()));
  const CString suiteTips = ScriptTipsPath();
  SetScriptTipsPath(tips.c_str());
  CScriptDlg dlg(nullptr);
  SetScriptTipsPath(suiteTips);
  dlg.SetScript("x");
  DialogScript script;
  script.On(kCaption, [&](DialogDriver& d) {
    const CScriptTipArray& kept = dlg.GetEdit().Tips();
    ASSERT_EQ(kept.GetSize(), static_cast<int>(kMaxTips));
    EXPECT_EQ(kept.GetAt(0), "db0(x)");
    EXPECT_EQ(kept.GetAt(static_cast<int>(kMaxTips) - 1),
              ("db" + std::to_string(kMaxTips - 1) + "(x)").c_str());
    EXPECT_EQ(dlg.GetEdit().GetPlainText(), "x");
    Close(d);
  });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, AScriptOpensByteForByteWithNothingToUndo) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript(kAwkwardScript);
  DialogScript script;
  script.On(kCaption, [&](DialogDriver& d) {
    CScriptEdit& edit = dlg.GetEdit();
    EXPECT_EQ(edit.GetPlainText(), kAwkwardScript);
    EXPECT_EQ(edit.SendMessage(EM_CANUNDO), 0);
    EXPECT_FALSE(dlg.IsModified());
    EXPECT_EQ(ColourOf(edit, "int x"), -1);  // keyword and blank
    EXPECT_EQ(ColourOf(edit, "abs"), kDarkRed);
    EXPECT_EQ(ColourOf(edit, "//注"), kGreen);
    EXPECT_EQ(ColourOf(edit, "more */"), kGreen);
    EXPECT_EQ(ColourOf(edit, "return"), kBlue);
    Close(d);
  });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, TypingColoursTheLineAfterChineseText) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("//中文注释\r\nx");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            EXPECT_FALSE(dlg.IsModified());
            dlg.GetEdit().SetSel(-1, -1);
            dlg.GetEdit().ReplaceSel("汉字 int y; abs(1); // 注释");
          })
      .On(kCaption, [&](DialogDriver&) {
        CScriptEdit& edit = dlg.GetEdit();
        EXPECT_EQ(ColourOf(edit, "int"), kBlue);
        EXPECT_EQ(ColourOf(edit, "y;"), kBlack);
        EXPECT_EQ(ColourOf(edit, "abs"), kDarkRed);
        EXPECT_EQ(ColourOf(edit, "// 注释"), kGreen);
        EXPECT_EQ(ColourOf(edit, "//中文注释"), kGreen);
        EXPECT_TRUE(dlg.IsModified());
        Press(VK_ESCAPE);
      });
  script.OnMessageBox("提示", "脚本已改动,是否存盘!", IDNO);
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, TextTypedAfterTheLastLineTakesTheEditorsFont) {
  CScriptDlg dlg(nullptr);
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            dlg.GetEdit().SetSel(-1, -1);  // after the frame's last line break
            Type("int");
          })
      .On(kCaption, [&](DialogDriver&) {
        CScriptEdit& edit = dlg.GetEdit();
        const long end = edit.GetTextLength();
        edit.SetSel(end - 3, end);
        EXPECT_EQ(edit.GetSelText(), "int");
        CHARFORMAT2A format = {};
        format.cbSize = sizeof format;
        edit.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_STREQ(format.szFaceName, "Fixedsys");
        EXPECT_EQ(format.yHeight, 210);
        EXPECT_EQ(format.crTextColor, static_cast<COLORREF>(kBlue));
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, EnterIndentsLikeTheLineItLeaves) {
  struct Case {
    const char* line;
    const char* after;
  } cases[] = {
      {"\t\tx", "\t\tx\r\n\t\t"}, {"{", "{\r\n\t"}, {"x", "x\r\n"},  // the control breaks the line itself
  };
  for (const Case& c : cases) {
    CScriptDlg dlg(nullptr);
    dlg.SetScript(c.line);
    DialogScript script;
    script
        .On(kCaption,
            [&](DialogDriver&) {
              dlg.GetEdit().SetSel(-1, -1);
              Press(VK_RETURN);
            })
        .On(kCaption, [&](DialogDriver&) {
          EXPECT_EQ(dlg.GetEdit().GetPlainText(), c.after) << c.line;
          dlg.EndDialog(IDCANCEL);
        });
    Run(dlg, script);
  }
}

TEST_F(ScriptDialogTest, TabTypesATabOnlyWithoutASelection) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("ab");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            dlg.GetEdit().SetSel(1, 1);
            Press(VK_TAB);
          })
      .On(kCaption,
          [&](DialogDriver& d) {
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "a\tb");
            EXPECT_EQ(d.FocusId(), IDC_SCRIPT_EDIT);
            dlg.GetEdit().SetSel(0, 2);
            Press(VK_TAB);
          })
      .On(kCaption, [&](DialogDriver&) {
        EXPECT_EQ(dlg.GetEdit().GetPlainText(), "a\tb");
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

// ---- paste -------------------------------------------------------------------------

bool PutOnClipboard(UINT format, HANDLE data) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  const bool put = ::SetClipboardData(format, data) != nullptr;
  ::CloseClipboard();
  return put;
}

HGLOBAL GlobalText(const char* text) {
  const size_t n = std::strlen(text) + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(::GlobalLock(block), text, n);
  ::GlobalUnlock(block);
  return block;
}

TEST_F(ScriptDialogTest, CtrlVPastesTextColouredAndNothingElse) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("x");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            HDC screen = ::GetDC(nullptr);
            HBITMAP picture = ::CreateCompatibleBitmap(screen, 8, 8);
            ::ReleaseDC(nullptr, screen);
            ASSERT_TRUE(PutOnClipboard(CF_BITMAP, picture));
            dlg.GetEdit().SetSel(-1, -1);
            PressWithCtrl('V');
          })
      .On(kCaption,
          [&](DialogDriver&) {
            ReleaseCtrl();
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "x");
            EXPECT_FALSE(dlg.IsModified());
            ASSERT_TRUE(PutOnClipboard(CF_TEXT, GlobalText("\r\nint k; //注")));
            PressWithCtrl('V');
          })
      .On(kCaption, [&](DialogDriver&) {
        ReleaseCtrl();
        CScriptEdit& edit = dlg.GetEdit();
        EXPECT_EQ(edit.GetPlainText(), "x\r\nint k; //注");
        EXPECT_TRUE(dlg.IsModified());
        EXPECT_EQ(ColourOf(edit, "int"), kBlue);
        EXPECT_EQ(ColourOf(edit, "//注"), kGreen);
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

// Messages handled until the dialog has coloured what it left for its idle
// time; false when that took longer than a generous limit.
bool ColouredWhenIdle(const CScriptDlg& dlg) {
  return wndtest::PumpUntil([&] { return !dlg.GetColorizer().HasPending(); }, 120000);
}

TEST_F(ScriptDialogTest, CtrlZTakesBackAPasteAndTheTextIsColouredAsBefore) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += "\tint x" + std::to_string(i) + " = abs(1);\r\n";
  text += "\tdouble last;\r\n";  // far below the screen
  CScriptDlg dlg(nullptr);
  dlg.SetScript(text.c_str());
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            ASSERT_TRUE(ColouredWhenIdle(dlg));
            EXPECT_EQ(ColourOf(dlg.GetEdit(), "double"), kBlue);
            dlg.GetEdit().SetSel(0, 0);
            ASSERT_TRUE(PutOnClipboard(CF_TEXT, GlobalText("/*")));
            PressWithCtrl('V');
          })
      .On(kCaption,
          [&](DialogDriver&) {
            ReleaseCtrl();
            CScriptEdit& edit = dlg.GetEdit();
            EXPECT_EQ(ColourOf(edit, "int x0"), kGreen);  // on screen at once
            ASSERT_TRUE(ColouredWhenIdle(dlg));
            EXPECT_EQ(ColourOf(edit, "double"), kGreen);
            PressWithCtrl('Z');
          })
      .On(kCaption, [&](DialogDriver&) {
        ReleaseCtrl();
        CScriptEdit& edit = dlg.GetEdit();
        EXPECT_EQ(edit.GetPlainText(), text.c_str());
        EXPECT_EQ(ColourOf(edit, "int"), kBlue);
        EXPECT_EQ(ColourOf(edit, "abs"), kDarkRed);
        ASSERT_TRUE(ColouredWhenIdle(dlg));
        EXPECT_EQ(ColourOf(edit, "double"), kBlue);
        EXPECT_TRUE(dlg.IsModified());
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

// ---- toolbar -----------------------------------------------------------------------

TEST_F(ScriptDialogTest, ToolbarButtonsFollowTheirRules) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("abc");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver& d) {
            CGripToolBar& bar = dlg.GetToolbar();
            EXPECT_EQ(bar.GetButtonCount(), 9);  // seven commands, two separators
            EXPECT_FALSE(bar.IsButtonEnabled(ID_SCRIPT_SAVE));
            EXPECT_FALSE(bar.IsButtonEnabled(ID_SCRIPT_CUT));
            EXPECT_FALSE(bar.IsButtonEnabled(ID_SCRIPT_COPY));
            EXPECT_FALSE(bar.IsButtonEnabled(ID_SCRIPT_TRIGGER));  // no trigger given
            EXPECT_TRUE(bar.IsButtonEnabled(ID_SCRIPT_COMPILE));
            EXPECT_TRUE(bar.IsButtonEnabled(ID_SCRIPT_HELP));
            RECT button;
            ASSERT_TRUE(bar.GetItemRect(0, &button));
            EXPECT_EQ(button.right - button.left, 48);
            EXPECT_EQ(button.bottom - button.top, CScriptDlg::kToolbarHeight);
            // The tooltips are the second part of each command's string.
            NMTTDISPINFOA tip = {};
            tip.hdr.hwndFrom = bar.GetToolTips();
            tip.hdr.idFrom = ID_SCRIPT_TRIGGER;
            tip.hdr.code = TTN_GETDISPINFOA;
            ::SendMessageA(d.Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
            ASSERT_NE(tip.lpszText, nullptr);
            EXPECT_STREQ(tip.lpszText, "修改触发器");
            tip.hdr.idFrom = ID_SCRIPT_SAVE;
            ::SendMessageA(d.Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
            EXPECT_STREQ(tip.lpszText, "保存");
            dlg.GetEdit().SetSel(0, 2);
            Command(d, ID_SCRIPT_COPY);
          })
      .On(kCaption,
          [&](DialogDriver& d) {
            CGripToolBar& bar = dlg.GetToolbar();
            EXPECT_TRUE(bar.IsButtonEnabled(ID_SCRIPT_CUT));
            EXPECT_TRUE(bar.IsButtonEnabled(ID_SCRIPT_COPY));
            EXPECT_TRUE(bar.IsButtonEnabled(ID_SCRIPT_PASTE));  // the copied text
            EXPECT_FALSE(dlg.IsModified());
            Command(d, ID_SCRIPT_CUT);
          })
      .On(kCaption,
          [&](DialogDriver& d) {
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "c");
            EXPECT_TRUE(dlg.IsModified());
            EXPECT_TRUE(dlg.GetToolbar().IsButtonEnabled(ID_SCRIPT_SAVE));
            EXPECT_FALSE(dlg.GetToolbar().IsButtonEnabled(ID_SCRIPT_CUT));
            Command(d, ID_SCRIPT_PASTE);
          })
      .On(kCaption,
          [&](DialogDriver& d) {
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "abc");
            Command(d, ID_SCRIPT_SAVE);
          })
      .On(kCaption, [&](DialogDriver&) {
        EXPECT_FALSE(dlg.IsModified());
        EXPECT_FALSE(dlg.GetToolbar().IsButtonEnabled(ID_SCRIPT_SAVE));
        EXPECT_EQ(dlg.GetScript(), "abc");
        Press(VK_ESCAPE);  // nothing changed since: closes at once
      });
  Run(dlg, script);
  EXPECT_EQ(script.Seen(), std::vector<std::string>{kCaption});
}

TEST_F(ScriptDialogTest, LayoutKeepsThePickersRoomAtTheRight) {
  CScriptDlg dlg(nullptr);
  DialogScript script;
  script.On(kCaption, [&](DialogDriver& d) {
    ::SetWindowPos(d.Window(), nullptr, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, edit, bar;
    ::GetClientRect(d.Window(), &client);
    ::GetWindowRect(dlg.GetEdit().m_hWnd, &edit);
    ::MapWindowPoints(nullptr, d.Window(), reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(edit.left, 0);
    EXPECT_EQ(edit.top, CScriptDlg::kToolbarHeight);
    EXPECT_EQ(edit.right, client.right - 322);
    EXPECT_EQ(edit.bottom, client.bottom);
    ::GetWindowRect(dlg.GetToolbar().m_hWnd, &bar);
    EXPECT_EQ(bar.right - bar.left, client.right);
    EXPECT_EQ(bar.bottom - bar.top, CScriptDlg::kToolbarHeight);
    RECT picker;
    ASSERT_EQ(::GetDlgItem(d.Window(), IDC_SCRIPT_PICKER), dlg.GetPicker().m_hWnd);
    ::GetWindowRect(dlg.GetPicker().m_hWnd, &picker);
    ::MapWindowPoints(nullptr, d.Window(), reinterpret_cast<POINT*>(&picker), 2);
    EXPECT_EQ(picker.left, client.right - 320);
    EXPECT_EQ(picker.top, 18);
    EXPECT_EQ(picker.right, client.right);
    EXPECT_EQ(picker.bottom, client.bottom);
    // A window narrower than 640 pixels lays out as 640 wide.
    ::SetWindowPos(d.Window(), nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(dlg.GetEdit().m_hWnd, &edit);
    EXPECT_EQ(edit.right - edit.left, 640 - 322);
    Close(d);
  });
  Run(dlg, script);
}

TEST_F(ScriptDialogTest, ASystemFunctionPickedFromTheTreeGoesInAtTheCaret) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("x = ;");
  DialogScript script;
  script.On(kCaption, [&](DialogDriver&) {
    CFunctionTree& tree = dlg.GetPicker().Tree();
    HTREEITEM numeric = tree.GetRootItem();
    ASSERT_NE(numeric, nullptr);
    EXPECT_EQ(tree.GetItemText(numeric), "数值运算");
    HTREEITEM abs = tree.GetChildItem(numeric);
    ASSERT_NE(abs, nullptr);
    EXPECT_EQ(tree.GetItemText(abs), "int abs(int n);");
    dlg.GetEdit().SetSel(4, 4);
    tree.SelectItem(abs);
    RECT item;
    tree.GetItemRect(abs, &item, TRUE);
    tree.SendMessage(WM_LBUTTONDBLCLK, 0,
                     MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
  });
  script.On(kCaption, [&](DialogDriver&) {
    EXPECT_EQ(dlg.GetEdit().GetPlainText(), "x = abs(int n);;");
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_EQ(ColourOf(dlg.GetEdit(), "abs"), kDarkRed);
    dlg.EndDialog(IDCANCEL);
  });
  Run(dlg, script);
}

// ---- closing -----------------------------------------------------------------------

TEST_F(ScriptDialogTest, EscWithChangesAsksAndCancelKeepsTheText) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("int x;");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            dlg.GetEdit().SetSel(-1, -1);
            Type("y");
            Press(VK_ESCAPE);
          })
      .OnMessageBox("提示", "脚本已改动,是否存盘!", IDCANCEL)
      .On(kCaption,
          [&](DialogDriver&) {
            EXPECT_EQ(dlg.GetEdit().GetPlainText(), "int x;y");
            EXPECT_TRUE(dlg.IsModified());
            Press(VK_ESCAPE);
          })
      .OnMessageBox("提示", "脚本已改动,是否存盘!", IDYES);
  Run(dlg, script);
  EXPECT_EQ(dlg.GetScript(), "int x;y");  // Yes saved before closing
  EXPECT_FALSE(dlg.IsModified());
}

TEST_F(ScriptDialogTest, EnterAndEscOutsideTheTextAreIgnored) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("x");
  DialogScript script;
  script
      .On(kCaption,
          [&](DialogDriver&) {
            ::SetFocus(dlg.GetToolbar().m_hWnd);
            Press(VK_ESCAPE);
            Press(VK_RETURN);
          })
      .On(kCaption, [&](DialogDriver&) {
        EXPECT_EQ(dlg.GetEdit().GetPlainText(), "x");
        dlg.EndDialog(IDCANCEL);
      });
  Run(dlg, script);
}

// ---- compile -----------------------------------------------------------------------

TEST_F(ScriptDialogTest, CompileShowsTheCompilersLineAndPutsTheCaretThere) {
  CScriptDlg dlg(nullptr);
  dlg.SetScript("int main()\r\n{\r\n\tk = 1;\r\n\treturn 0;\r\n}\r\n");
  dlg.SetCompilerPath(edittest::CompilerPath().c_str());
  DialogScript script;
  script.On(kCaption, [&](DialogDriver& d) { Command(d, ID_SCRIPT_COMPILE); })
      .On("检查结果",
          [&](DialogDriver& d) {
            EXPECT_EQ(d.MessageText(), "错误 C2018 (3): “k”是一个未定义的标识符\r\n");
            d.Press(IDOK);
          })
      .On(kCaption,
          [&](DialogDriver& d) {
            CScriptEdit& edit = dlg.GetEdit();
            long start = 0, end = 0;
            edit.GetSel(start, end);
            EXPECT_EQ(edit.LineFromChar(start), 2);
            EXPECT_EQ(start, edit.LineIndex(2));
            edit.SetPlainText("int main()\r\n{\r\n\treturn 0;\r\n}\r\n");
            Command(d, ID_SCRIPT_COMPILE);
          })
      .OnMessageBox("检查结果", "脚本编译正确!", IDOK)
      .On(kCaption, [&](DialogDriver&) { dlg.EndDialog(IDCANCEL); });
  Run(dlg, script);
}

// ---- through the editing window ---------------------------------------------------

const char kEditClass[] = "ScriptTestPicEdit";

class ScriptLinkTest : public ScriptDialogTest {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      RegisterPictureClasses();
      RegisterLinkClasses();
      QelRegisterGlobalClass<CPicEditWnd>(kEditClass, CS_DBLCLKS,
                                          static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      registered = true;
    }
    top_ = ::CreateWindowExA(0, "STATIC", "picture", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
                             nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(top_, nullptr);
    HWND child = ::CreateWindowExA(0, kEditClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 300, top_,
                                   reinterpret_cast<HMENU>(1000), ::GetModuleHandleA(nullptr), nullptr);
    wnd_ = static_cast<CPicEditWnd*>(CWnd::FromHandlePermanent(child));
    ASSERT_NE(wnd_, nullptr);
    folder_ = edittest::FreshFolder("scriptlink");
    wnd_->SendMessage(QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(folder_.c_str()));
    wnd_->SendMessage(QCM_NEWPIC, 0, reinterpret_cast<LPARAM>("s.pic"));
    rect_ = new CDrawRect;
    rect_->SetCorners(CRectD(10, 10, 60, 40));
    wnd_->AddObject(rect_, false);
    wnd_->Select(rect_, false);
  }
  void TearDown() override {
    if (top_) ::DestroyWindow(top_);
  }
  // Opens the script dialog of a new script link of the kind, as the editor does.
  void OpenScriptLink(int kind, DialogScript& script) {
    script.Run([&] { wnd_->SendMessage(QCM_SETEVENTLINK, AM_SCRIPT, kind); });
    EXPECT_TRUE(script.Passed());
  }
  CAction* Link(int kind) const { return AsLink(rect_->GetAction(kind)); }
  // The link of that kind of the first object, as the picture file holds it.
  std::string StoredSource(int kind) {
    CPicObj picture;
    CFile file;
    if (!file.Open((folder_ + "s.pic").c_str(), CFile::modeRead)) return "<no file>";
    if (!LoadPictureFrom(file, picture)) return "<unreadable>";
    CObList& objects = picture.GetLayer(0)->m_objects;
    if (objects.IsEmpty()) return "<no object>";
    CAction* link = AsLink(static_cast<CDrawObj*>(objects.GetHead())->GetAction(kind));
    return link ? link->m_script.m_strSource.str() : "<no link>";
  }

  HWND top_ = nullptr;
  CPicEditWnd* wnd_ = nullptr;
  CDrawRect* rect_ = nullptr;
  std::string folder_;
};

std::string Captioned(int kind) { return std::string(GetActionKindName(kind)) + " - CScript脚本"; }

TEST_F(ScriptLinkTest, ANewScriptLinkSavesTheFrameScriptIntoThePictureFile) {
  DialogScript script;
  CScriptDlg* dlg = nullptr;
  script.On(Captioned(AK_COLOR).c_str(), [&](DialogDriver& d) {
    dlg = dynamic_cast<CScriptDlg*>(CWnd::FromHandlePermanent(d.Window()));
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->GetToolbar().IsButtonEnabled(ID_SCRIPT_TRIGGER));  // a cyclic link
    Command(d, ID_SCRIPT_SAVE);
    Close(d);
  });
  OpenScriptLink(AK_COLOR, script);
  ASSERT_NE(Link(AK_COLOR), nullptr);
  EXPECT_EQ(Link(AK_COLOR)->m_script.m_strSource, CScriptDlg::kFrameScript);
  EXPECT_EQ(StoredSource(AK_COLOR), CScriptDlg::kFrameScript);
  EXPECT_EQ(wnd_->SendMessage(QCM_QUERY, QCQ_MODIFIED), 0);  // the save cleared it
}

TEST_F(ScriptLinkTest, TheTriggerCommandChangesTheTriggerThatTheSaveWrites) {
  CScriptDlg* dlg = nullptr;
  DialogScript script;
  script
      .On(Captioned(AK_COLOR).c_str(),
          [&](DialogDriver& d) {
            dlg = dynamic_cast<CScriptDlg*>(CWnd::FromHandlePermanent(d.Window()));
            ASSERT_NE(dlg, nullptr);
            EXPECT_EQ(dlg->GetTrigger(), AT_PICTURE_CYCLE);
            Command(d, ID_SCRIPT_TRIGGER);
          })
      .On(CScriptDlg::kTriggerSheetTitle,
          [&](DialogDriver& d) {
            EXPECT_TRUE(d.IsChecked(IDC_TRIGGER_PICTURE));
            EXPECT_FALSE(d.IsVisible(IDC_TRIGGER_PERIOD));
            d.Click(IDCANCEL);  // cancelled: nothing changes
          })
      .On(Captioned(AK_COLOR).c_str(),
          [&](DialogDriver& d) {
            EXPECT_FALSE(dlg->IsModified());
            Command(d, ID_SCRIPT_TRIGGER);
          })
      .On(CScriptDlg::kTriggerSheetTitle, [&](DialogDriver& d) { d.Click(IDC_TRIGGER_OWN); })
      .On(CScriptDlg::kTriggerSheetTitle,
          [&](DialogDriver& d) {
            d.Type(IDC_TRIGGER_PERIOD, "750");
            d.Click(IDOK);
          })
      .On(Captioned(AK_COLOR).c_str(),
          [&](DialogDriver& d) {
            EXPECT_EQ(dlg->GetTrigger(), AT_OWN_PERIOD);
            EXPECT_EQ(dlg->GetPeriod(), 750);
            EXPECT_TRUE(dlg->IsModified());
            EXPECT_EQ(Link(AK_COLOR)->m_nTrigger, AT_PICTURE_CYCLE);  // not before the save
            EXPECT_TRUE(dlg->GetToolbar().IsButtonEnabled(ID_SCRIPT_TRIGGER));
            Close(d);
          })
      .OnMessageBox("提示", "脚本已改动,是否存盘!", IDYES);
  OpenScriptLink(AK_COLOR, script);
  EXPECT_EQ(Link(AK_COLOR)->m_nTrigger, AT_OWN_PERIOD);
  EXPECT_EQ(Link(AK_COLOR)->m_nPeriod, 750);
}

TEST_F(ScriptLinkTest, AnEventLinkOffersNoTriggerAndKeepsItsTrigger) {
  DialogScript script;
  script.On(Captioned(AK_MOUSE_CLICK).c_str(), [&](DialogDriver& d) {
    auto* dlg = dynamic_cast<CScriptDlg*>(CWnd::FromHandlePermanent(d.Window()));
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(dlg->IsTriggerGiven());
    EXPECT_FALSE(dlg->GetToolbar().IsButtonEnabled(ID_SCRIPT_TRIGGER));
    dlg->GetEdit().SetPlainText("int main()\r\n{\r\n\tOpenPic(\"b.pic\");\r\n\treturn 0;\r\n}\r\n");
    Command(d, ID_SCRIPT_TRIGGER);  // does nothing
    Command(d, ID_SCRIPT_SAVE);
    Close(d);
  });
  OpenScriptLink(AK_MOUSE_CLICK, script);
  EXPECT_EQ(script.Seen(), std::vector<std::string>{Captioned(AK_MOUSE_CLICK)});
  CAction* link = Link(AK_MOUSE_CLICK);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_nTrigger, AK_MOUSE_CLICK);
  EXPECT_EQ(StoredSource(AK_MOUSE_CLICK), "int main()\r\n{\r\n\tOpenPic(\"b.pic\");\r\n\treturn 0;\r\n}\r\n");
}

// Two local tags of the project, as the host's local-tag table gives them.
int __stdcall LocalTagAt(void*, int index, void* record) {
  static const char* const names[] = {"demo_f32", "demo_str"};
  if (index < 0 || index >= 2) return -1;
  LocalTagRecord tag = {};
  std::strcpy(tag.name, names[index]);
  tag.type = index == 0 ? 3 : 6;
  std::memcpy(record, &tag, sizeof tag);
  return index;
}

TEST_F(ScriptLinkTest, ThePickerListsTheProjectsLocalTagsAndInsertsTheirNames) {
  LocalTagCallbackBlock table = {this, LocalTagAt, nullptr, nullptr};
  wnd_->SendMessage(QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&table));
  DialogScript script;
  script.On(Captioned(AK_COLOR).c_str(), [&](DialogDriver& d) {
    auto* dlg = dynamic_cast<CScriptDlg*>(CWnd::FromHandlePermanent(d.Window()));
    ASSERT_NE(dlg, nullptr);
    CTagPickPanel& local = dlg->GetPicker().LocalPanel();
    ASSERT_EQ(local.List().GetRowCount(), 2);
    dlg->GetEdit().SetPlainText("");
    dlg->GetPicker().ShowPart(CPickTab::kLocalTab);
    local.List().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 18 * 2 + 9));  // the second row
  });
  script.On(Captioned(AK_COLOR).c_str(), [&](DialogDriver& d) {
    auto* dlg = dynamic_cast<CScriptDlg*>(CWnd::FromHandlePermanent(d.Window()));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetEdit().GetPlainText(), "demo_str");
    dlg->EndDialog(IDCANCEL);
  });
  OpenScriptLink(AK_COLOR, script);
}

TEST_F(ScriptLinkTest, AnExistingScriptOpensAsItIsWithoutTheFrame) {
  CAction* link = NewLinkOfKind(AK_SHOWHIDE, AM_SCRIPT);
  link->m_script.m_strSource = "//已有\r\nint main() { return 1; }";
  rect_->AddAction(link);
  DialogScript script;
  script.On(Captioned(AK_SHOWHIDE).c_str(), [&](DialogDriver& d) {
    auto* dlg = dynamic_cast<CScriptDlg*>(CWnd::FromHandlePermanent(d.Window()));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetEdit().GetPlainText(), "//已有\r\nint main() { return 1; }");
    EXPECT_FALSE(dlg->IsModified());
    Close(d);
  });
  OpenScriptLink(AK_SHOWHIDE, script);
  EXPECT_EQ(link->m_script.m_strSource, "//已有\r\nint main() { return 1; }");
}

}  // namespace
}  // namespace scripttest
