// Stored forms of the links, scripts and code bytes, and pictures with links
// of every kind read back byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "actkinds.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "links_test_util.h"
#include "objtest_util.h"
#include "picfile.h"
#include "picobj.h"

namespace {

using objtest::AppendDouble;
using objtest::AppendU32;

void AppendText(std::vector<BYTE>& v, const char* s) {
  const size_t n = std::strlen(s);
  v.push_back(static_cast<BYTE>(n));  // the tests use short texts only
  v.insert(v.end(), s, s + n);
}

// The CAction part of a new link of that default mode, trigger and period.
std::vector<BYTE> DefaultBase(int mode, int trigger, int period) {
  std::vector<BYTE> v;
  AppendU32(v, mode);
  AppendU32(v, trigger);
  AppendU32(v, period);
  AppendText(v, "");  // reserved text
  AppendText(v, "");  // expression
  AppendText(v, "");  // script: first text, source, second text
  AppendText(v, "");
  AppendText(v, "");
  AppendU32(v, 0);  // no code bytes
  return v;
}

class LinkStorageTest : public ::testing::Test {
 protected:
  void SetUp() override { linktest::RegisterAll(); }
};

TEST_F(LinkStorageTest, NewLinksStoreTheirDefaults) {
  struct Case {
    std::unique_ptr<CAction> link;
    const char* className;
    int kind, mode, trigger, period;
    std::vector<BYTE> own;  // the kind's fields after the base part
  };
  std::vector<BYTE> color;
  AppendU32(color, 2);
  for (DWORD c : {0x00FF00u, 0x0000FFu, 0x00FFFFu, 0xFFFF00u, 0xFF00FFu, 0xFF0000u, 0u, 0u, 0u, 0u})
    AppendU32(color, c);
  AppendText(color, "0\t1\t");
  std::vector<BYTE> range;
  AppendDouble(range, 0.0);
  AppendDouble(range, 100.0);
  std::vector<BYTE> perfill = range, pointer = range;
  AppendU32(perfill, 0);
  AppendU32(perfill, 0x00FFFF);
  AppendU32(pointer, 180);
  AppendU32(pointer, 270);
  std::vector<BYTE> two, zero, thirtySwing, emptyText, event;
  AppendU32(two, 2);
  AppendU32(zero, 0);
  AppendU32(thirtySwing, 0);
  AppendU32(thirtySwing, 30);
  AppendText(emptyText, "");
  AppendU32(event, 100);
  AppendText(event, "");

  Case cases[] = {
      {std::make_unique<CAction>(), "CAction", 0, 2, 0, 1000, {}},
      {std::make_unique<CActTagVal>(), "CActTagVal", 1, 1, 0, 1000, two},
      {std::make_unique<CActColor>(), "CActColor", 2, 1, 0, 1000, color},
      {std::make_unique<CActFillColor>(), "CActFillColor", 3, 1, 0, 1000, color},
      {std::make_unique<CActFlash>(), "CActFlash", 4, 2, 1, 400, zero},
      {std::make_unique<CActShowHide>(), "CActShowHide", 5, 2, 0, 1000, {}},
      {std::make_unique<CActRoll>(), "CActRoll", 6, 2, 1, 200, thirtySwing},
      {std::make_unique<CActMove>(), "CActMove", 7, 2, 0, 1000, emptyText},
      {std::make_unique<CActPerFill>(), "CActPerFill", 8, 1, 0, 1000, perfill},
      {std::make_unique<CActPointer>(), "CActPointer", 9, 1, 0, 1000, pointer},
      {std::make_unique<CActEvent>(), "CActEvent", 100, 2, 0, 1000, event},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.className);
    EXPECT_STREQ(c.link->GetRuntimeClass()->m_lpszClassName, c.className);
    EXPECT_EQ(c.link->GetRuntimeClass()->m_wSchema, 0u);
    EXPECT_EQ(c.link->GetKind(), c.kind);
    std::vector<BYTE> expected = DefaultBase(c.mode, c.trigger, c.period);
    expected.insert(expected.end(), c.own.begin(), c.own.end());
    EXPECT_EQ(objtest::FieldBytes(*c.link), expected);
  }
  EXPECT_TRUE(RUNTIME_CLASS(CActFillColor)->IsDerivedFrom(RUNTIME_CLASS(CActColor)));
  EXPECT_EQ(RUNTIME_CLASS(CActPointer)->m_pBaseClass, RUNTIME_CLASS(CAction));
}

TEST_F(LinkStorageTest, ScriptIsStoredInPlaceWithItsCodeBytesLast) {
  CAction link;
  link.m_script.m_strFirst = "a";
  link.m_script.m_strSource = "main";
  link.m_script.m_strSecond = "b";
  const BYTE code[] = {1, 2, 3};
  link.m_script.m_code.SetData(code, 3);
  std::vector<BYTE> expected;
  AppendU32(expected, 2);
  AppendU32(expected, 0);
  AppendU32(expected, 1000);
  AppendText(expected, "");
  AppendText(expected, "");
  AppendText(expected, "a");
  AppendText(expected, "main");
  AppendText(expected, "b");
  AppendU32(expected, 3);
  expected.insert(expected.end(), code, code + 3);
  EXPECT_EQ(objtest::FieldBytes(link), expected);
}

TEST_F(LinkStorageTest, SerializeCodeKeepsTextsAndCodeWithoutTheSource) {
  CScript script;
  script.m_strFirst = "x";
  script.m_strSource = "int main() {}";
  script.m_strSecond = "y";
  const BYTE code[] = {9, 8, 7, 6};
  script.m_code.SetData(code, 4);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    script.SerializeCode(ar);
    ar.Close();
  }
  std::vector<BYTE> expected;
  AppendText(expected, "x");
  AppendText(expected, "y");
  AppendU32(expected, 4);
  expected.insert(expected.end(), code, code + 4);
  ASSERT_EQ(std::vector<BYTE>(file.GetData(), file.GetData() + file.GetLength()), expected);

  CScript back;
  back.m_strSource = "old";
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  back.SerializeCode(ar);
  EXPECT_EQ(back.m_strFirst, "x");
  EXPECT_EQ(back.m_strSecond, "y");
  EXPECT_EQ(back.m_strSource, "old");
  ASSERT_EQ(back.m_code.GetSize(), 4);
  EXPECT_EQ(std::memcmp(back.m_code.GetData(), code, 4), 0);
}

TEST_F(LinkStorageTest, CodeBytesOfFourMegabytesOrMoreAreNotStored) {
  CBinObj big;
  std::vector<BYTE> bytes(CBinObj::kMaxSize, 0x42);
  big.SetData(bytes.data(), static_cast<int>(bytes.size()));
  std::vector<BYTE> zero;
  AppendU32(zero, 0);
  EXPECT_EQ(objtest::FieldBytes(big), zero);
  big.SetData(bytes.data(), CBinObj::kMaxSize - 1);
  EXPECT_EQ(objtest::FieldBytes(big).size(), 4u + CBinObj::kMaxSize - 1);
}

TEST_F(LinkStorageTest, CodeBytesWithASizeOutOfRangeLoadEmpty) {
  for (DWORD size : {0u, 0xFFFFFFFFu, 0x400000u}) {
    SCOPED_TRACE(size);
    std::vector<BYTE> stored;
    AppendU32(stored, size);
    CBinObj blob;
    const BYTE old[] = {1};
    blob.SetData(old, 1);
    objtest::LoadFields(blob, stored);
    EXPECT_TRUE(blob.IsEmpty());
  }
}

TEST_F(LinkStorageTest, ThresholdTextGivesTheThresholds) {
  struct Case {
    const char* text;
    std::vector<double> doubles;  // the rest are 0
    std::vector<int> ints;
  } cases[] = {
      {"0\t1\t", {0, 1}, {0, 1}},
      {"10\t20", {10}, {10}},  // the piece after the last TAB is ignored
      {"-2.75\t3e2\tabc\t", {-2.75, 300, 0}, {-2, 3, 0}},
      {"", {}, {}},
      {"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CActColor link;
    link.SetThresholdText("5\t5\t5\t5\t5\t5\t5\t5\t5\t5\t");  // all replaced
    link.SetThresholdText(c.text);
    for (int i = 0; i < CActColor::kLevels; ++i) {
      const double d = i < static_cast<int>(c.doubles.size()) ? c.doubles[i] : 0.0;
      const int n = i < static_cast<int>(c.ints.size()) ? c.ints[i] : 0;
      EXPECT_DOUBLE_EQ(link.m_dThresholds[i], d) << i;
      EXPECT_EQ(link.m_nThresholds[i], n) << i;
    }
  }
}

TEST_F(LinkStorageTest, LoadingAColourLinkReadsItsThresholds) {
  CActColor stored;
  stored.SetThresholdText("2.5\t7\t");
  CActColor back;
  objtest::LoadFields(back, objtest::FieldBytes(stored));
  EXPECT_EQ(back.m_strThresholds, "2.5\t7\t");
  EXPECT_DOUBLE_EQ(back.m_dThresholds[0], 2.5);
  EXPECT_EQ(back.m_nThresholds[0], 2);
  EXPECT_EQ(back.m_nThresholds[1], 7);
}

// A picture with two layers whose objects carry links of every kind.
std::unique_ptr<CPicObj> PictureWithEveryLink() {
  auto picture = std::make_unique<CPicObj>();
  picture->EnsureLayer();
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(10, 20, 110, 70));
  rect->m_strName = "罐";
  for (CAction* link : linktest::LinksOfEveryKind()) rect->AddAction(link);
  auto* line = new CDrawLine;
  line->AddPoint(CPointD(0, 0));
  line->AddPoint(CPointD(40, 0));
  line->AddAction(new CActPointer);
  auto* text = new CDrawTagVal;
  text->SetCorners(CRectD(0, 0, 50, 20));
  text->AddAction(new CActTagVal);
  text->AddAction(new CActColor);
  picture->GetLayer(0)->m_objects.AddTail(rect);
  picture->GetLayer(0)->m_objects.AddTail(line);
  picture->GetLayer(0)->m_objects.AddTail(text);
  return picture;
}

TEST_F(LinkStorageTest, PictureWithLinksOfEveryKindRoundTripsByteForByte) {
  std::unique_ptr<CPicObj> picture = PictureWithEveryLink();
  const std::vector<BYTE> first = StorePictureBytes(*picture);
  std::unique_ptr<CPicObj> back(LoadPictureBuffer(first.data(), static_cast<UINT>(first.size())));
  ASSERT_TRUE(back);
  EXPECT_EQ(StorePictureBytes(*back), first);

  auto* rect = static_cast<CDrawObj*>(back->GetLayer(0)->m_objects.GetHead());
  ASSERT_EQ(rect->GetActions().GetSize(), 11);
  const char* names[] = {"CAction",     "CActTagVal",   "CActColor", "CActFillColor",
                         "CActFlash",   "CActShowHide", "CActRoll",  "CActMove",
                         "CActPerFill", "CActPointer",  "CActEvent"};
  for (int i = 0; i < 11; ++i)
    EXPECT_STREQ(rect->GetActions().GetAt(i)->GetRuntimeClass()->m_lpszClassName, names[i]);
  auto* event = static_cast<CActEvent*>(rect->GetActions().GetAt(10));
  EXPECT_EQ(event->m_strCommand, "link\n主画面");
  EXPECT_EQ(rect->FindAction(AK_RBUTTON_UP), event->m_nMode);
  auto* color = static_cast<CActColor*>(rect->GetActions().GetAt(2));
  EXPECT_DOUBLE_EQ(color->m_dThresholds[0], -1.5);
  EXPECT_EQ(color->m_colors[9], 0x123456u);
}

TEST_F(LinkStorageTest, ClonesCarryCopiesOfTheirLinks) {
  std::unique_ptr<CPicObj> picture = PictureWithEveryLink();
  auto* rect = static_cast<CDrawObj*>(picture->GetLayer(0)->m_objects.GetHead());
  std::unique_ptr<CDrawObj> copy(rect->Clone());
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->GetActions().GetSize(), rect->GetActions().GetSize());
  for (int i = 0; i < rect->GetActions().GetSize(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NE(copy->GetActions().GetAt(i), rect->GetActions().GetAt(i));
    EXPECT_EQ(linktest::StoredBytes(copy->GetActions().GetAt(i)),
              linktest::StoredBytes(rect->GetActions().GetAt(i)));
  }
  EXPECT_EQ(linktest::StoredBytes(copy.get()), linktest::StoredBytes(rect));
}

}  // namespace
