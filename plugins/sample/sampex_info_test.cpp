// Sampex as a host sees it: its five exports, its information record and
// tables, and the window class it registers while it loads.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plughost.h"
#include "qel/exportproc.h"
#include "sampex_testutil.h"

namespace {

// A bare name: the host loads it from this program's folder.
const char kSampexName[] = "Sampex.dll";

struct Row {
  WORD id;
  WORD type;
  const char* name;
  const char* description;
};

void ExpectItem(const QPI_ITEMINFO& item, const Row& row) {
  EXPECT_EQ(item.id, row.id) << row.name;
  EXPECT_EQ(item.type, row.type) << row.name;
  EXPECT_STREQ(item.szName, row.name);
  EXPECT_STREQ(item.szDescription, row.description);
}

template <class Proc>
Proc Export(const char* name) {
  return QelFindExport<Proc>(sampextest::Library(), name);
}

class SampexInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(sampextest::Library(), nullptr) << kSampexName; }
};

TEST_F(SampexInfoTest, TheHostLoadsTheRecordAndTheTables) {
  CPlugHost host;
  ASSERT_EQ(host.Load(kSampexName), CPlugHost::kLoaded);
  const QPI_PLUGINFO& info = host.GetInfo();
  EXPECT_EQ(info.dwWord0, 256u);
  EXPECT_EQ(info.dwWord1, 256u);
  EXPECT_EQ(info.nInterfaces, 2);
  EXPECT_EQ(info.nProperties, 3);
  EXPECT_EQ(info.nEvents, 1);
  EXPECT_EQ(info.nEnums, 1);
  EXPECT_STREQ(host.GetIdentifier(), "Sampxe_1.0");
  EXPECT_STREQ(info.szName, "Sampexin v1.0");
  EXPECT_STREQ(info.szDescription, "QelHmi演示插件");
  EXPECT_NE(info.szMaker[0], '\0');
  EXPECT_NE(info.szCopyright[0], '\0');

  const Row properties[] = {
      {257, 16, "backcolor", "背景颜色"},
      {258, 294, "font", "显示字体"},
      {259, 129, "adjust", "对齐方式"},
  };
  for (int i = 0; i < 3; ++i) ExpectItem(host.GetProperties()[i], properties[i]);

  const Row functions[2][4] = {
      {{257, 3, "add", "测试用的接口函数,简单的加法运算"},
       {9, 0, "", "返回dblv1 + dblv2"},
       {9, 0, "dblv1", "加数1"},
       {9, 0, "dblv2", "加数2"}},
      {{258, 3, "dec", "测试用的接口函数,简单的减法运算"},
       {9, 0, "", "返回dblv1 - dblv2"},
       {9, 0, "dblv1", "被减数"},
       {9, 0, "dblv2", "减数"}},
  };
  for (int b = 0; b < 2; ++b)
    for (int e = 0; e < 4; ++e) ExpectItem(host.GetInterfaces()[b].entry[e], functions[b][e]);

  ExpectItem(host.GetEvents()[0], {257, 289, "MOUSEMOVE", "鼠标移动"});

  const QPI_ENUMINFO& adjust = host.GetEnums()[0];
  ExpectItem(adjust.header, {129, 3, "TXTADJUST", "文本对齐枚举"});
  const struct {
    LONG value;
    const char* name;
    const char* description;
  } values[] = {{0, "DT_LEFT", "左对齐"}, {1, "DT_CENTER", "居中对齐"}, {2, "DT_RIGHT", "右对齐"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(adjust.item[i].value, values[i].value);
    EXPECT_STREQ(adjust.item[i].szName, values[i].name);
    EXPECT_STREQ(adjust.item[i].szDescription, values[i].description);
  }
}

TEST_F(SampexInfoTest, TheWindowClassIsRegisteredWhileTheLibraryLoads) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(::GetClassInfoExA(sampextest::Library(), "Sampxe_1.0", &wc));
  EXPECT_EQ(wc.style, 0x4008u) << "CS_GLOBALCLASS | CS_DBLCLKS";
  EXPECT_EQ(wc.hbrBackground, ::GetStockObject(LTGRAY_BRUSH));
  EXPECT_EQ(wc.hCursor, ::LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(wc.hIcon, nullptr);
  EXPECT_EQ(wc.cbWndExtra, 0);
  EXPECT_TRUE(::GetClassInfoExA(nullptr, "Sampxe_1.0", &wc)) << "global: found without the instance";
}

// A buffer of n entries of T, every byte 0xCD, so that what a function did
// not write shows.
template <class T>
std::vector<T> Marked(size_t n) {
  std::vector<T> v(n);
  std::memset(v.data(), 0xCD, n * sizeof(T));
  return v;
}

TEST_F(SampexInfoTest, TableFunctionsWriteAtMostTheMaximum) {
  auto properties = Export<QPI_GETITEMINFOSPROC>(QPI_EXPORT_GETPROPERTYINFOS);
  auto interfaces = Export<QPI_GETINTERFACEINFOSPROC>(QPI_EXPORT_GETINTERFACEINFOS);
  auto events = Export<QPI_GETITEMINFOSPROC>(QPI_EXPORT_GETEVENTINFOS);
  auto enums = Export<QPI_GETENUMINFOSPROC>(QPI_EXPORT_GETENUMINFOS);
  ASSERT_TRUE(properties && interfaces && events && enums);

  auto items = Marked<QPI_ITEMINFO>(3);
  EXPECT_EQ(properties(items.data(), 2), 2);
  EXPECT_STREQ(items[0].szName, "backcolor");
  EXPECT_STREQ(items[1].szName, "font");
  EXPECT_EQ(items[2].id, 0xCDCD) << "the third entry is left alone";

  const struct {
    int max;
    int expected;
  } cases[] = {{0, 0}, {-1, 0}, {1, 1}, {3, 3}, {100, 3}};
  for (const auto& c : cases) {
    auto table = Marked<QPI_ITEMINFO>(3);
    EXPECT_EQ(properties(table.data(), c.max), c.expected) << c.max;
    if (c.expected == 0) {
      EXPECT_EQ(table[0].id, 0xCDCD) << "nothing written for " << c.max;
    }
  }
  EXPECT_EQ(properties(nullptr, 3), 0);

  auto blocks = Marked<QPI_INTERFACEINFO>(2);
  EXPECT_EQ(interfaces(blocks.data(), 1), 1);
  EXPECT_STREQ(blocks[0].entry[0].szName, "add");
  EXPECT_EQ(blocks[1].entry[0].id, 0xCDCD);
  EXPECT_EQ(blocks[0].entry[4].id, 0xCDCD) << "entries after the last one are left alone";
  EXPECT_EQ(interfaces(blocks.data(), 5), 2);
  auto eventItems = Marked<QPI_ITEMINFO>(1);
  EXPECT_EQ(events(eventItems.data(), 4), 1);
  EXPECT_EQ(events(eventItems.data(), 0), 0);
  auto enumBlocks = Marked<QPI_ENUMINFO>(1);
  EXPECT_EQ(enums(enumBlocks.data(), 0), 0);
  EXPECT_EQ(enums(enumBlocks.data(), 2), 1);
}

TEST_F(SampexInfoTest, TextsAreZeroFilledAndEntriesEndInAZeroButEnumeratorsDoNot) {
  auto enums = Export<QPI_GETENUMINFOSPROC>(QPI_EXPORT_GETENUMINFOS);
  auto block = Marked<QPI_ENUMINFO>(1);
  ASSERT_EQ(enums(block.data(), 1), 1);
  const QPI_ITEMINFO& header = block[0].header;
  EXPECT_EQ(header.szName[9], '\0') << "zero-filled after \"TXTADJUST\"";
  EXPECT_EQ(header.szName[30], '\0');
  EXPECT_EQ(header.szName[31], '\0');
  EXPECT_EQ(header.szDescription[91], '\0');
  const QPI_ENUMITEM& left = block[0].item[0];
  EXPECT_EQ(left.szName[30], '\0');
  EXPECT_EQ(static_cast<BYTE>(left.szName[31]), 0xCD) << "an enumerator's last byte is not set";
  EXPECT_EQ(static_cast<BYTE>(left.szDescription[91]), 0xCD);
  EXPECT_EQ(block[0].item[3].value, static_cast<LONG>(0xCDCDCDCD));
}

TEST_F(SampexInfoTest, TheRecordIsZeroedBeforeItIsFilled) {
  auto info = Export<QPI_GETPLUGINFOPROC>(QPI_EXPORT_GETPLUGINFO);
  ASSERT_NE(info, nullptr);
  QPI_PLUGINFO record;
  std::memset(&record, 0xCD, sizeof record);
  info(&record);
  EXPECT_STREQ(record.szIdent, "Sampxe_1.0");
  for (size_t i = std::strlen(record.szIdent); i < sizeof record.szIdent; ++i)
    EXPECT_EQ(record.szIdent[i], '\0') << i;
  for (BYTE b : record.zero) EXPECT_EQ(b, 0);
  EXPECT_EQ(info(nullptr), 0);
}

}  // namespace
