// The ActiveX control object without a control: its kind, records and
// stored form, and its state in pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "activexclasses.h"
#include "drawctrlocx.h"
#include "groupclasses.h"
#include "hostedctrl_test_util.h"
#include "objtest_util.h"
#include "storedbytes.h"
#include "testocx_register.h"

namespace {

const CLSID kSomeClass = {0x01234567, 0x89AB, 0xCDEF, {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE}};

class DrawCtrlOcxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
    RegisterActiveXClasses();
  }
};

std::vector<BYTE> Pattern(size_t n) {
  std::vector<BYTE> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<BYTE>(i * 13 + i / 256);
  return bytes;
}

// A memory file that records the size of every write and read it is given.
class CPieceFile : public CMemFile {
 public:
  using CMemFile::CMemFile;
  void Write(const void* p, UINT n) override {
    writes.push_back(n);
    CMemFile::Write(p, n);
  }
  UINT Read(void* p, UINT n) override {
    reads.push_back(n);
    return CMemFile::Read(p, n);
  }
  std::vector<UINT> writes, reads;
};

TEST_F(DrawCtrlOcxTest, KindNameAndFamily) {
  CDrawCtrlOcx ocx;
  EXPECT_EQ(ocx.GetObjType(), DOT_CTRLOCX);
  EXPECT_EQ(ocx.GetObjType(), 150);
  EXPECT_TRUE(ocx.HasType(DOT_CTRL)) << "a selection asks for controls with 100";
  EXPECT_FALSE(ocx.HasType(DOT_CTRLOCX));
  EXPECT_STREQ(ocx.GetTypeName(), "OCX控件");
  EXPECT_STREQ(ocx.GetRuntimeClass()->m_lpszClassName, "CDrawCtrlOcx");
  EXPECT_EQ(ocx.GetClassId(), CLSID{}) << "zero until the tool sets it";
  EXPECT_EQ(ocx.GetStateLength(), 0u);
}

TEST_F(DrawCtrlOcxTest, PropertiesAndLinksAreTheHostedControlsOnes) {
  CDrawCtrlOcx ocx(kSomeClass);
  objtest::ExpectHostedControlRecords(ocx);
}

TEST_F(DrawCtrlOcxTest, StoredAfterTheControlPartAsClassIdStateLengthAndState) {
  CDrawCtrlOcx ocx(kSomeClass);
  ocx.m_rect = CRectD(1, 2, 321, 242);
  ocx.m_strName = "ocx";
  const std::vector<BYTE> state = Pattern(6);
  ocx.SetState(state.data(), static_cast<UINT>(state.size()));

  CDrawCtrl ctrl;
  ctrl.m_rect = ocx.m_rect;
  ctrl.m_strName = ocx.m_strName;
  std::vector<BYTE> expected = objtest::FieldBytes(ctrl);
  const BYTE* id = reinterpret_cast<const BYTE*>(&kSomeClass);
  expected.insert(expected.end(), id, id + 16);
  objtest::AppendU32(expected, 6);
  expected.insert(expected.end(), state.begin(), state.end());
  EXPECT_EQ(objtest::FieldBytes(ocx), expected);
}

TEST_F(DrawCtrlOcxTest, A3000ByteStateIsWrittenAndReadIn1024BytePieces) {
  CDrawCtrlOcx ocx(kSomeClass);
  const std::vector<BYTE> state = Pattern(3000);
  ocx.SetState(state.data(), static_cast<UINT>(state.size()));
  CPieceFile stored;
  {
    CArchive ar(&stored, CArchive::store, 1);  // every write reaches the file as it is
    ocx.SaveState(ar);
    ar.Close();
  }
  EXPECT_EQ(stored.writes, (std::vector<UINT>{4, 1024, 1024, 952}));

  std::vector<BYTE> bytes(stored.GetData(), stored.GetData() + stored.GetLength());
  ASSERT_EQ(bytes.size(), 3004u);
  CPieceFile source(bytes.data(), static_cast<UINT>(bytes.size()));
  CDrawCtrlOcx back;
  {
    CArchive ar(&source, CArchive::load, 1);
    back.LoadState(ar);
    ar.Close();
  }
  EXPECT_EQ(source.reads, (std::vector<UINT>{4, 1024, 1024, 952}));
  ASSERT_EQ(back.GetStateLength(), 3000u);
  EXPECT_EQ(std::vector<BYTE>(back.GetStateData(), back.GetStateData() + 3000), state);
}

TEST_F(DrawCtrlOcxTest, AStateReadsBackAndIsWrittenBackByteForByte) {
  for (size_t size : {0u, 1u, 1024u, 1025u, 5000u}) {
    CDrawCtrlOcx ocx(kSomeClass);
    const std::vector<BYTE> state = Pattern(size);
    ocx.SetState(state.data(), static_cast<UINT>(state.size()));
    const std::vector<BYTE> stored = objtest::FieldBytes(ocx);
    CDrawCtrlOcx back;
    back.SetState("old", 3);  // loading replaces what the object held
    objtest::LoadFields(back, stored);
    EXPECT_EQ(back.GetClassId(), kSomeClass);
    ASSERT_EQ(back.GetStateLength(), size);
    EXPECT_EQ(objtest::FieldBytes(back), stored) << size;
  }
}

TEST_F(DrawCtrlOcxTest, AStateLongerThanTheBytesLeftIsAnArchiveError) {
  CDrawCtrlOcx ocx(kSomeClass);
  const std::vector<BYTE> state = Pattern(100);
  ocx.SetState(state.data(), static_cast<UINT>(state.size()));
  std::vector<BYTE> stored = objtest::FieldBytes(ocx);
  const size_t lengthAt = stored.size() - 100 - 4;
  for (DWORD length : {101u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::vector<BYTE> damaged(stored.begin(), stored.begin() + lengthAt);
    objtest::AppendU32(damaged, length);
    damaged.insert(damaged.end(), state.begin(), state.end());
    CDrawCtrlOcx back;
    try {
      objtest::LoadFields(back, damaged);
      ADD_FAILURE() << "length " << length << " was accepted";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << length;
    }
  }
  // A class identifier cut short is the same error.
  std::vector<BYTE> cut(stored.begin(), stored.begin() + lengthAt - 8);
  CDrawCtrlOcx back;
  EXPECT_THROW(objtest::LoadFields(back, cut), CArchiveException);
}

TEST_F(DrawCtrlOcxTest, AStateBeyondTheBoundIsRefusedEvenWithAllItsBytes) {
  // The state at the bound is read in whole pieces, one read per 1,024
  // bytes; one byte more is refused before anything is read.
  const struct {
    DWORD length;
    bool accepted;
  } cases[] = {{kMaxStoredBytes, true}, {kMaxStoredBytes + 1, false}, {30u << 20, false}};
  for (const auto& c : cases) {
    CDrawCtrlOcx ocx(kSomeClass);
    std::vector<BYTE> bytes = objtest::FieldBytes(ocx);
    bytes.resize(bytes.size() - 4);
    objtest::AppendU32(bytes, c.length);
    const size_t before = bytes.size();
    bytes.resize(before + c.length, 0x5A);
    CPieceFile source(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&source, CArchive::load, 1);
    CDrawCtrlOcx back;
    try {
      back.Serialize(ar);
      EXPECT_TRUE(c.accepted) << c.length;
      EXPECT_EQ(back.GetStateLength(), c.length);
      const size_t pieces = std::count(source.reads.begin(), source.reads.end(), kStoredBytesPiece);
      EXPECT_EQ(pieces, c.length / kStoredBytesPiece);
    } catch (const CArchiveException& e) {
      EXPECT_FALSE(c.accepted) << c.length;
      EXPECT_EQ(e.m_cause, CArchiveException::generic) << c.length;
      EXPECT_EQ(std::count(source.reads.begin(), source.reads.end(), kStoredBytesPiece), 0);
    }
  }
}

TEST_F(DrawCtrlOcxTest, AnObjectReferenceAndACloneKeepClassAndState) {
  CDrawCtrlOcx ocx(kSomeClass);
  const std::vector<BYTE> state = Pattern(1500);
  ocx.SetState(state.data(), static_cast<UINT>(state.size()));
  std::unique_ptr<CObject> read(objtest::ReadObjectBytes(objtest::ObjectBytes(&ocx)));
  auto* back = dynamic_cast<CDrawCtrlOcx*>(read.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(objtest::FieldBytes(*back), objtest::FieldBytes(ocx));

  std::unique_ptr<CDrawObj> clone(ocx.Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetObjType(), DOT_CTRLOCX);
  EXPECT_EQ(objtest::FieldBytes(*clone), objtest::FieldBytes(ocx));
}

TEST_F(DrawCtrlOcxTest, WithoutAControlThereIsNoWindowNoPagesAndNoStateToTake) {
  CDrawCtrlOcx ocx(kSomeClass);
  ocx.SetState("abc", 3);
  EXPECT_EQ(ocx.ShowProperties(nullptr), 0);
  EXPECT_FALSE(ocx.SaveControlState());
  EXPECT_EQ(ocx.GetStateLength(), 3u);
  int windows = 0;
  ocx.CountWindows(windows);
  EXPECT_EQ(windows, 0);
  EXPECT_EQ(ocx.GetCtrlWnd(), nullptr);
  ocx.SetVisible(FALSE);
  EXPECT_FALSE(ocx.IsVisible());
}

TEST_F(DrawCtrlOcxTest, AnAllZeroClassNeverMakesAControl) {
  HWND view = NewTestParent(200, 200, false);
  DrawViewContext context = {};
  context.hView = view;
  CDrawCtrlOcx ocx;
  ocx.m_rect = CRectD(10, 10, 100, 100);
  EXPECT_FALSE(ocx.AttachView(&context, TRUE));
  EXPECT_EQ(ocx.GetControlWnd(), nullptr);
  EXPECT_EQ(::GetWindow(view, GW_CHILD), nullptr);
  ::DestroyWindow(view);
}

}  // namespace
