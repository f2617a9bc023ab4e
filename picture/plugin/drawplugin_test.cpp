// The plug-in object without a window: its kind, records and stored form.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drawplugin.h"
#include "groupclasses.h"
#include "hostedctrl_test_util.h"
#include "objtest_util.h"
#include "pluginclasses.h"
#include "storedbytes.h"

namespace {

class DrawPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
    RegisterPluginClasses();
  }
};

std::vector<BYTE> Pattern(size_t n) {
  std::vector<BYTE> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<BYTE>(i * 7 + i / 256);
  return bytes;
}

// The bytes of an archive string shorter than 255 characters.
std::vector<BYTE> ShortString(const std::string& s) {
  std::vector<BYTE> out = {static_cast<BYTE>(s.size())};
  out.insert(out.end(), s.begin(), s.end());
  return out;
}

TEST_F(DrawPluginTest, KindNameAndFamily) {
  CDrawPlugin plugin;
  EXPECT_EQ(plugin.GetObjType(), DOT_PLUGIN);
  EXPECT_EQ(plugin.GetObjType(), 151);
  EXPECT_TRUE(plugin.HasType(DOT_CTRL)) << "a selection asks for controls with 100";
  EXPECT_FALSE(plugin.HasType(DOT_PLUGIN));
  EXPECT_STREQ(plugin.GetTypeName(), "QEL插件");
  EXPECT_STREQ(plugin.GetRuntimeClass()->m_lpszClassName, "CDrawPlugin");
}

TEST_F(DrawPluginTest, TheToolsObjectNamesTheSampleLibrary) {
  CDrawPlugin fromTool(kToolPluginLibrary);
  EXPECT_STREQ(fromTool.GetLibraryName().GetString(), "Sampex.dll");
  CDrawPlugin read;
  EXPECT_TRUE(read.GetLibraryName().IsEmpty());
  EXPECT_EQ(read.GetBlobLength(), 0u);
}

TEST_F(DrawPluginTest, PropertiesAreTheHostedControlsOnes) {
  CDrawPlugin plugin;
  objtest::ExpectHostedControlRecords(plugin);
}

TEST_F(DrawPluginTest, StoredAfterTheControlPartAsNameLengthAndBytes) {
  CDrawPlugin plugin(kToolPluginLibrary);
  plugin.m_rect = CRectD(1, 2, 321, 242);
  plugin.m_strName = "plug";
  const std::vector<BYTE> blob = Pattern(5);
  plugin.SetBlob(blob.data(), static_cast<UINT>(blob.size()));

  CDrawCtrl ctrl;
  ctrl.m_rect = plugin.m_rect;
  ctrl.m_strName = plugin.m_strName;
  std::vector<BYTE> expected = objtest::FieldBytes(ctrl);
  const std::vector<BYTE> name = ShortString("Sampex.dll");
  expected.insert(expected.end(), name.begin(), name.end());
  objtest::AppendU32(expected, 5);
  expected.insert(expected.end(), blob.begin(), blob.end());
  EXPECT_EQ(objtest::FieldBytes(plugin), expected);
}

TEST_F(DrawPluginTest, AnEmptyBlobIsALengthOfZeroAndNoBytes) {
  CDrawPlugin plugin;
  CDrawCtrl ctrl;
  std::vector<BYTE> expected = objtest::FieldBytes(ctrl);
  expected.push_back(0);  // the empty name
  objtest::AppendU32(expected, 0);
  EXPECT_EQ(objtest::FieldBytes(plugin), expected);
}

TEST_F(DrawPluginTest, ABlobOf2500BytesReadsBackAndIsWrittenBackByteForByte) {
  CDrawPlugin plugin("my.dll");
  const std::vector<BYTE> blob = Pattern(2500);
  plugin.SetBlob(blob.data(), static_cast<UINT>(blob.size()));
  const std::vector<BYTE> stored = objtest::FieldBytes(plugin);
  ASSERT_EQ(std::vector<BYTE>(stored.end() - 2500, stored.end()), blob);

  CDrawPlugin back;
  objtest::LoadFields(back, stored);
  EXPECT_STREQ(back.GetLibraryName().GetString(), "my.dll");
  ASSERT_EQ(back.GetBlobLength(), 2500u);
  EXPECT_EQ(std::vector<BYTE>(back.GetBlobData(), back.GetBlobData() + 2500), blob);
  EXPECT_EQ(objtest::FieldBytes(back), stored);

  // Loading replaces what the object held.
  CDrawPlugin holder;
  holder.SetBlob(blob.data(), 10);
  objtest::LoadFields(holder, stored);
  EXPECT_EQ(holder.GetBlobLength(), 2500u);
}

TEST_F(DrawPluginTest, ABlobLongerThanTheBytesLeftIsAnArchiveError) {
  CDrawPlugin plugin("my.dll");
  const std::vector<BYTE> blob = Pattern(100);
  plugin.SetBlob(blob.data(), static_cast<UINT>(blob.size()));
  std::vector<BYTE> stored = objtest::FieldBytes(plugin);
  const size_t lengthAt = stored.size() - 100 - 4;
  for (DWORD length : {101u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::vector<BYTE> damaged(stored.begin(), stored.begin() + lengthAt);
    objtest::AppendU32(damaged, length);
    damaged.insert(damaged.end(), blob.begin(), blob.end());
    CDrawPlugin back;
    try {
      objtest::LoadFields(back, damaged);
      ADD_FAILURE() << "length " << length << " was accepted";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << length;
    }
  }
}

TEST_F(DrawPluginTest, ABlobBeyondTheBoundIsRefusedEvenWithAllItsBytes) {
  const struct {
    DWORD length;
    bool accepted;
  } cases[] = {{kMaxStoredBytes, true}, {kMaxStoredBytes + 1, false}, {30u << 20, false}};
  for (const auto& c : cases) {
    CDrawPlugin plugin("my.dll");
    std::vector<BYTE> bytes = objtest::FieldBytes(plugin);
    bytes.resize(bytes.size() - 4);
    objtest::AppendU32(bytes, c.length);
    bytes.resize(bytes.size() + c.length, 0xA5);
    CDrawPlugin back;
    try {
      objtest::LoadFields(back, bytes);
      EXPECT_TRUE(c.accepted) << c.length;
      EXPECT_EQ(back.GetBlobLength(), c.length);
      EXPECT_EQ(objtest::FieldBytes(back), bytes) << "written back byte for byte";
    } catch (const CArchiveException& e) {
      EXPECT_FALSE(c.accepted) << c.length;
      EXPECT_EQ(e.m_cause, CArchiveException::generic) << c.length;
    }
  }
}

TEST_F(DrawPluginTest, AnObjectReferenceAndACloneKeepNameAndBlob) {
  CDrawPlugin plugin(kToolPluginLibrary);
  const std::vector<BYTE> blob = Pattern(1500);
  plugin.SetBlob(blob.data(), static_cast<UINT>(blob.size()));
  std::unique_ptr<CObject> read(objtest::ReadObjectBytes(objtest::ObjectBytes(&plugin)));
  auto* back = dynamic_cast<CDrawPlugin*>(read.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(objtest::FieldBytes(*back), objtest::FieldBytes(plugin));

  std::unique_ptr<CDrawObj> clone(plugin.Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetObjType(), DOT_PLUGIN);
  EXPECT_EQ(objtest::FieldBytes(*clone), objtest::FieldBytes(plugin));
}

TEST_F(DrawPluginTest, WithoutAWindowThereAreNoPagesAndNothingToMove) {
  CDrawPlugin plugin(kToolPluginLibrary);
  EXPECT_EQ(plugin.ShowProperties(nullptr), 0);
  int windows = 0;
  plugin.CountWindows(windows);
  EXPECT_EQ(windows, 0);
  EXPECT_EQ(plugin.GetCtrlWnd(), nullptr);
  plugin.SetVisible(FALSE);
  EXPECT_FALSE(plugin.IsVisible());
}

}  // namespace
