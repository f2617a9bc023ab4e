// Nurvex.dll as the editor uses it: loaded from system\ of the program folder,
// its four exports, and its two dialogs driven as a user would.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "nurvexapi.h"
#include "qel/exportproc.h"
#include "resource.h"
#include "testing/dialogscript.h"
#include "wndtest/wndtest_util.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const char kListCaption[] = "服务器连接配置";
const char kAddCaption[] = "添加连接";
const char kModifyCaption[] = "修改连接参数";
const char kPortRange[] = "请输入一个 1024 到 65535 之间的整数。";

class Nurvex : public ::testing::Test {
 protected:
  HMODULE dll = nullptr;
  NurvexCreateFn create = nullptr;
  NurvexConfigFn config = nullptr;
  NurvexGetArgsFn getArgs = nullptr;
  NurvexDestroyFn destroy = nullptr;
  NurvexHandle handle = nullptr;

  void SetUp() override {
    dll = ::LoadLibraryA("..\\out\\system\\Nurvex.dll");
    ASSERT_NE(dll, nullptr) << "Nurvex.dll is not in system\\ of the program folder";
    create = QelFindExport<NurvexCreateFn>(dll, "i_Create");
    config = QelFindExport<NurvexConfigFn>(dll, "i_Config");
    getArgs = QelFindExport<NurvexGetArgsFn>(dll, "i_GetArgs");
    destroy = QelFindExport<NurvexDestroyFn>(dll, "i_Destroy");
    ASSERT_TRUE(create && config && getArgs && destroy);
  }
  void TearDown() override {
    if (handle) destroy(handle);
    if (dll) ::FreeLibrary(dll);
  }

  static RtdbConnEntry Entry(int i) {
    return MakeConnEntry(("10.0.0." + std::to_string(i + 1)).c_str(), 11084 + i,
                         ("user" + std::to_string(i)).c_str(), ("pass" + std::to_string(i)).c_str());
  }
  static std::vector<RtdbConnEntry> Entries(int n) {
    std::vector<RtdbConnEntry> entries;
    for (int i = 0; i < n; ++i) entries.push_back(Entry(i));
    return entries;
  }
  void Hold(int n) {
    std::vector<RtdbConnEntry> entries = Entries(n);
    handle = create(entries.data(), n);
    ASSERT_NE(handle, nullptr);
  }
  std::vector<RtdbConnEntry> Held() {
    RtdbConnEntry out[8];
    int count = -1;
    EXPECT_EQ(getArgs(handle, out, 8, &count), 0);
    return std::vector<RtdbConnEntry>(out, out + (count > 0 ? count : 0));
  }
  // i_Config under a script; the confirmed flag.
  int Configure(DialogScript& script) {
    int confirmed = -1, result = -1;
    script.Run([&] { result = config(handle, &confirmed); });
    EXPECT_EQ(result, 0);
    return confirmed;
  }
};

bool SameBytes(const RtdbConnEntry& a, const RtdbConnEntry& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// --- Exports -------------------------------------------------------------------

TEST_F(Nurvex, ExportsAreBoundByTheirPlainNames) {
  EXPECT_EQ(::GetProcAddress(dll, "_i_Create@8"), nullptr);
  EXPECT_EQ(::GetProcAddress(dll, "i_Create@8"), nullptr);
}

TEST_F(Nurvex, CreateWithTwelveKeepsEight) {
  std::vector<RtdbConnEntry> twelve = Entries(12);
  handle = create(twelve.data(), 12);
  std::vector<RtdbConnEntry> held = Held();
  ASSERT_EQ(held.size(), 8u);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(SameBytes(held[i], twelve[i])) << i;
}

TEST_F(Nurvex, CreateWithNoCountOrNoEntriesHoldsNone) {
  for (int count : {0, -1}) {
    std::vector<RtdbConnEntry> entries = Entries(2);
    NurvexHandle h = create(entries.data(), count);
    ASSERT_NE(h, nullptr);
    RtdbConnEntry out[8];
    int n = -1;
    EXPECT_EQ(getArgs(h, out, 8, &n), 0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(destroy(h), 0);
  }
  handle = create(nullptr, 3);
  EXPECT_TRUE(Held().empty());
}

TEST_F(Nurvex, GetArgsCopiesAtMostTheMaximumByteForByteAt64ByteSteps) {
  std::vector<RtdbConnEntry> five = Entries(5);
  // Every byte of an entry travels, the reserved ones too.
  for (RtdbConnEntry& e : five) std::memset(e.reserved, 0x5A, sizeof e.reserved);
  handle = create(five.data(), 5);
  unsigned char out[5 * 64];
  std::memset(out, 0xEE, sizeof out);
  int count = -1;
  EXPECT_EQ(getArgs(handle, reinterpret_cast<RtdbConnEntry*>(out), 3, &count), 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(std::memcmp(out, five.data(), 3 * 64), 0);
  EXPECT_EQ(out[3 * 64], 0xEE);  // nothing past the maximum
  EXPECT_EQ(getArgs(handle, reinterpret_cast<RtdbConnEntry*>(out), 0, &count), 0);
  EXPECT_EQ(count, 0);
}

TEST_F(Nurvex, EmptyHandlesAnswerOneAndTouchNothing) {
  int flag = 7, count = 7;
  RtdbConnEntry out[1];
  EXPECT_EQ(config(nullptr, &flag), 1);
  EXPECT_EQ(flag, 7);
  EXPECT_EQ(getArgs(nullptr, out, 1, &count), 1);
  EXPECT_EQ(count, 7);
  EXPECT_EQ(destroy(nullptr), 1);
}

TEST_F(Nurvex, AHandleAlreadyDestroyedIsAnsweredLikeAnEmptyOne) {
  NurvexHandle h = create(nullptr, 0);
  EXPECT_EQ(destroy(h), 0);
  int count = 7;
  RtdbConnEntry out[1];
  EXPECT_EQ(destroy(h), 1);
  EXPECT_EQ(getArgs(h, out, 1, &count), 1);
  int stranger = 0;
  EXPECT_EQ(destroy(&stranger), 1);
}

TEST_F(Nurvex, TheVersionRecordNamesTheLibrary) {
  char path[MAX_PATH];
  ASSERT_TRUE(::GetModuleFileNameA(dll, path, sizeof path));
  DWORD unused = 0;
  DWORD size = ::GetFileVersionInfoSizeA(path, &unused);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, info.data()));
  auto text = [&](const char* key) {
    char* value = nullptr;
    UINT length = 0;
    std::string query = std::string("\\StringFileInfo\\080403a8\\") + key;
    if (!::VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
      return std::string();
    return std::string(value);
  };
  EXPECT_EQ(text("FileDescription"), "服务器连接配置");
  EXPECT_EQ(text("OriginalFilename"), "Nurvex.dll");
}

// --- The list dialog -------------------------------------------------------------

std::string ColumnHeading(HWND list, int column, int* width) {
  char text[32] = "";
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
  *width = col.cx;
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  return text;
}

TEST_F(Nurvex, TheListShowsEveryEntryUnderItsColumnsAndOkWithoutChangeConfirmsNothing) {
  Hold(3);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) {
    HWND list = d.Item(IDC_CONN_ROWS);
    const char* headings[] = {"IP地址", "端口", "账号", "密码"};
    const int widths[] = {120, 60, 80, 80};
    for (int c = 0; c < 4; ++c) {
      int width = 0;
      EXPECT_EQ(ColumnHeading(list, c, &width), headings[c]);
      EXPECT_EQ(width, widths[c]);
    }
    DWORD ex = static_cast<DWORD>(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(ex & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    DWORD style = static_cast<DWORD>(::GetWindowLongA(list, GWL_STYLE));
    EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_NE(style & LVS_SINGLESEL, 0u);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(images, nullptr);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    ASSERT_EQ(d.ListRowCount(IDC_CONN_ROWS), 3);
    EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 0), "10.0.0.2");
    EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 1), "11085");
    EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 2), "user1");
    EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 3), "pass1");  // in clear text
    EXPECT_EQ(d.Text(IDC_CONN_ADD), "添加 &A");
    EXPECT_EQ(d.Text(IDC_CONN_MODIFY), "修改 &E");
    EXPECT_EQ(d.Text(IDC_CONN_DELETE), "删除 &D");
    d.Click(IDOK);
  });
  EXPECT_EQ(Configure(script), 0);
  std::vector<RtdbConnEntry> held = Held();
  ASSERT_EQ(held.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameBytes(held[i], Entry(i)));
}

TEST_F(Nurvex, AnAddedEntryIsAppendedAndConfirmed) {
  Hold(1);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_ADD); })
      .On(kAddCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.IpAddress(IDC_CONN_HOST), "0.0.0.0");
            EXPECT_EQ(d.Text(IDC_CONN_PORT), "0");
            EXPECT_EQ(d.Text(IDC_CONN_ACCOUNT), "");
            EXPECT_EQ(d.Text(IDC_CONN_PASSWORD), "");
            EXPECT_EQ(d.StaticTexts(), (std::vector<std::string>{"IP地址:", "端口:", "账号:", "密码:"}));
            d.Type(IDC_CONN_HOST, "192.168.0.9");
            d.Type(IDC_CONN_PORT, "1024");
            d.Type(IDC_CONN_ACCOUNT, "操作员");
            d.Type(IDC_CONN_PASSWORD, "secret");
            d.Click(IDOK);
          })
      .On(kListCaption, [](DialogDriver& d) {
        ASSERT_EQ(d.ListRowCount(IDC_CONN_ROWS), 2);
        EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 0), "192.168.0.9");
        EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 1), "1024");
        d.Click(IDOK);
      });
  EXPECT_EQ(Configure(script), 1);
  std::vector<RtdbConnEntry> held = Held();
  ASSERT_EQ(held.size(), 2u);
  EXPECT_TRUE(SameBytes(held[0], Entry(0)));
  EXPECT_TRUE(SameBytes(held[1], MakeConnEntry("192.168.0.9", 1024, "操作员", "secret")));
}

TEST_F(Nurvex, Port80IsRefusedWithTheFocusOnThePortAnd65535IsAccepted) {
  Hold(0);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_ADD); })
      .On(kAddCaption,
          [](DialogDriver& d) {
            d.Type(IDC_CONN_HOST, "10.1.1.1");
            d.Type(IDC_CONN_PORT, "80");
            d.Click(IDOK);
          })
      .OnMessageBox("提示", kPortRange, IDOK)
      .On(kAddCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.FocusId(), IDC_CONN_PORT);
            d.Type(IDC_CONN_PORT, "65536");
            d.Click(IDOK);
          })
      .OnMessageBox("提示", kPortRange, IDOK)
      .On(kAddCaption,
          [](DialogDriver& d) {
            d.Type(IDC_CONN_PORT, "65535");
            d.Click(IDOK);
          })
      .On(kListCaption, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(Configure(script), 1);
  std::vector<RtdbConnEntry> held = Held();
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].port, 65535u);
}

TEST_F(Nurvex, FieldsAreCheckedPasswordFirstThenPortThenAccount) {
  Hold(0);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_ADD); })
      .On(kAddCaption,
          [](DialogDriver& d) {
            d.Type(IDC_CONN_HOST, "10.1.1.1");
            // The edit takes 15 characters at most; Chinese ones are two bytes each.
            d.Type(IDC_CONN_ACCOUNT, "操作员操作员操作员");  // 18 bytes
            d.Type(IDC_CONN_PORT, "80");
            d.Type(IDC_CONN_PASSWORD, "密码密码密码密码");  // 16 bytes
            d.Click(IDOK);
          })
      .OnMessageBox("提示", "输入的内容不能超过 15 个字符(一个汉字占两个字符)。", IDOK)
      .On(kAddCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.FocusId(), IDC_CONN_PASSWORD);
            d.Type(IDC_CONN_PASSWORD, "密码密码密码密");  // 14 bytes
            d.Click(IDOK);
          })
      .OnMessageBox("提示", kPortRange, IDOK)
      .On(kAddCaption,
          [](DialogDriver& d) {
            d.Type(IDC_CONN_PORT, "2000");
            d.Click(IDOK);
          })
      .OnMessageBox("提示", "输入的内容不能超过 15 个字符(一个汉字占两个字符)。", IDOK)
      .On(kAddCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.FocusId(), IDC_CONN_ACCOUNT);
            d.Click(IDCANCEL);
          })
      .On(kListCaption, [](DialogDriver& d) {
        EXPECT_EQ(d.ListRowCount(IDC_CONN_ROWS), 0);
        d.Click(IDOK);
      });
  EXPECT_EQ(Configure(script), 0);
}

TEST_F(Nurvex, ABlankAddressIsRefusedAndTheDialogStays) {
  Hold(1);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_ADD); })
      .On(kAddCaption,
          [](DialogDriver& d) {
            d.Type(IDC_CONN_PORT, "2000");
            d.Click(IDOK);
          })
      .OnMessageBox("提示", "请填写IP地址!", IDOK)
      .On(kAddCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.FocusId(), IDC_CONN_HOST);
            d.Click(IDCANCEL);
          })
      .On(kListCaption, [](DialogDriver& d) {
        EXPECT_EQ(d.ListRowCount(IDC_CONN_ROWS), 1);
        d.Click(IDOK);
      });
  EXPECT_EQ(Configure(script), 0);
}

TEST_F(Nurvex, AFullListRefusesAnAddWithoutOpeningTheEditDialog) {
  Hold(8);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_ADD); })
      .OnMessageBox("提示", "已经达到最大连接数!", IDOK)
      .On(kListCaption, [](DialogDriver& d) {
        EXPECT_EQ(d.ListRowCount(IDC_CONN_ROWS), 8);
        d.Click(IDOK);
      });
  EXPECT_EQ(Configure(script), 0);
  EXPECT_EQ(script.Seen(), (std::vector<std::string>{kListCaption, "提示"}));
}

TEST_F(Nurvex, ModifyAndDeleteWithoutASelectedRowAskForOne) {
  Hold(2);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_MODIFY); })
      .OnMessageBox("提示", "请选择一个连接参数!", IDOK)
      .On(kListCaption, [](DialogDriver& d) { d.Click(IDC_CONN_DELETE); })
      .OnMessageBox("提示", "请选择一个连接参数!", IDOK)
      .On(kListCaption, [](DialogDriver& d) { d.Click(IDCANCEL); });
  EXPECT_EQ(Configure(script), 0);
}

TEST_F(Nurvex, AModifiedRowIsReplacedAndConfirmed) {
  Hold(3);
  DialogScript script;
  script
      .On(kListCaption,
          [](DialogDriver& d) {
            d.SelectListRow(IDC_CONN_ROWS, 1);
            d.Click(IDC_CONN_MODIFY);
          })
      .On(kModifyCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.IpAddress(IDC_CONN_HOST), "10.0.0.2");
            EXPECT_EQ(d.Text(IDC_CONN_PORT), "11085");
            EXPECT_EQ(d.Text(IDC_CONN_ACCOUNT), "user1");
            EXPECT_EQ(d.Text(IDC_CONN_PASSWORD), "pass1");
            d.Type(IDC_CONN_ACCOUNT, "admin");
            d.Click(IDOK);
          })
      .On(kListCaption, [](DialogDriver& d) {
        EXPECT_EQ(d.ListText(IDC_CONN_ROWS, 1, 2), "admin");
        d.Click(IDOK);
      });
  EXPECT_EQ(Configure(script), 1);
  std::vector<RtdbConnEntry> held = Held();
  ASSERT_EQ(held.size(), 3u);
  EXPECT_TRUE(SameBytes(held[0], Entry(0)));
  EXPECT_TRUE(SameBytes(held[1], MakeConnEntry("10.0.0.2", 11085, "admin", "pass1")));
  EXPECT_TRUE(SameBytes(held[2], Entry(2)));
}

TEST_F(Nurvex, ADoubleClickModifiesAndAnUnchangedModifyConfirmsNothing) {
  Hold(2);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.DoubleClickListRow(IDC_CONN_ROWS, 0); })
      .On(kModifyCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.IpAddress(IDC_CONN_HOST), "10.0.0.1");
            d.Click(IDOK);
          })
      .On(kListCaption, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(Configure(script), 0);
}

TEST_F(Nurvex, DeletingTheFirstOfThreeKeepsTheOthersByteForByte) {
  Hold(3);
  DialogScript script;
  script
      .On(kListCaption,
          [](DialogDriver& d) {
            d.SelectListRow(IDC_CONN_ROWS, 0);
            d.Click(IDC_CONN_DELETE);
          })
      .On("询问",
          [](DialogDriver& d) {
            EXPECT_EQ(d.MessageText(), "是否要删除?");
            EXPECT_NE(d.Item(IDNO), nullptr);
            EXPECT_NE(d.Item(IDCANCEL), nullptr);
            d.Press(IDYES);
          })
      .On(kListCaption, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(Configure(script), 1);
  RtdbConnEntry out[3];
  int count = 0;
  ASSERT_EQ(getArgs(handle, out, 3, &count), 0);
  ASSERT_EQ(count, 2);
  EXPECT_TRUE(SameBytes(out[0], Entry(1)));
  EXPECT_TRUE(SameBytes(out[1], Entry(2)));
}

TEST_F(Nurvex, ADeleteAnsweredNoKeepsTheRowAndCancelKeepsTheEntriesAfterAnAdd) {
  Hold(2);
  DialogScript script;
  script
      .On(kListCaption,
          [](DialogDriver& d) {
            d.SelectListRow(IDC_CONN_ROWS, 1);
            d.Click(IDC_CONN_DELETE);
          })
      .OnMessageBox("询问", "是否要删除?", IDNO)
      .On(kListCaption,
          [](DialogDriver& d) {
            EXPECT_EQ(d.ListRowCount(IDC_CONN_ROWS), 2);
            d.Click(IDC_CONN_ADD);
          })
      .On(kAddCaption,
          [](DialogDriver& d) {
            d.Type(IDC_CONN_HOST, "10.9.9.9");
            d.Type(IDC_CONN_PORT, "4000");
            d.Click(IDOK);
          })
      .On(kListCaption, [](DialogDriver& d) {
        EXPECT_EQ(d.ListRowCount(IDC_CONN_ROWS), 3);
        d.Click(IDCANCEL);
      });
  EXPECT_EQ(Configure(script), 0);
  std::vector<RtdbConnEntry> held = Held();
  ASSERT_EQ(held.size(), 2u);
  EXPECT_TRUE(SameBytes(held[1], Entry(1)));
}

TEST_F(Nurvex, WithoutAFlagToSetTheDialogStillRuns) {
  Hold(1);
  DialogScript script;
  script.On(kListCaption, [](DialogDriver& d) { d.Click(IDOK); });
  int result = -1;
  script.Run([&] { result = config(handle, nullptr); });
  EXPECT_EQ(result, 0);
}

TEST_F(Nurvex, TheListIsOwnedByTheCallersActiveWindowWhichIsDisabledMeanwhile) {
  CWnd frame;
  ASSERT_TRUE(wndtest::CreateTopLevel(frame, true, "QelMake"));
  ::SetActiveWindow(frame);
  Hold(1);
  bool frameEnabledMeanwhile = true;
  HWND owner = nullptr;
  DialogScript script;
  script.On(kListCaption, [&](DialogDriver& d) {
    frameEnabledMeanwhile = ::IsWindowEnabled(frame) != FALSE;
    owner = ::GetWindow(d.Window(), GW_OWNER);
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(Configure(script), 0);
  EXPECT_EQ(owner, frame.m_hWnd);
  EXPECT_FALSE(frameEnabledMeanwhile);
  EXPECT_TRUE(::IsWindowEnabled(frame));
}

}  // namespace
