// Documents and templates: the document string, matching an open document,
// reading and writing all or nothing, the save question.
#include <gtest/gtest.h>

#include "boxrecorder.h"
#include "scratchfolder.h"
#include "test/frametest_app.h"

namespace frametest {
namespace {

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.Start());
    tmpl_ = app_.Template();
  }
  std::string Path(const char* name) const { return folder_.Path() + name; }
  // A document file holding text.
  void WriteDoc(const char* name, const char* text) {
    TestDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.m_text = text;
    ASSERT_TRUE(doc.OnSaveDocument(Path(name).c_str()));
  }
  TestDoc* Open(const char* name) { return static_cast<TestDoc*>(app_.OpenDocumentFile(Path(name).c_str())); }

  progtest::ScratchFolder folder_{"docview_test"};
  progtest::BoxRecorder boxes_;
  TestApp app_;
  CDocTemplate* tmpl_ = nullptr;
};

TEST_F(DocTest, TheDocumentStringHasSevenFields) {
  const struct {
    CDocTemplate::DocStringIndex index;
    const char* text;
  } kFields[] = {
      {CDocTemplate::windowTitle, ""},
      {CDocTemplate::docName, "Test"},
      {CDocTemplate::fileNewName, "Test"},
      {CDocTemplate::filterName, "测试文件 (*.tst)"},
      {CDocTemplate::filterExt, ".tst"},
      {CDocTemplate::regFileTypeId, "QelFrameTest.Document"},
      {CDocTemplate::regFileTypeName, "Qel Frame Test Document"},
  };
  for (const auto& f : kFields) {
    CString text;
    tmpl_->GetDocString(text, f.index);
    EXPECT_EQ(text, f.text) << f.index;
  }
  EXPECT_EQ(CDocTemplate::DocStringField("a\nb", CDocTemplate::regFileTypeName), "");
}

TEST_F(DocTest, OpeningReadsTheFileAndOpeningItAgainGivesTheSameDocument) {
  WriteDoc("one.tst", "第一");
  TestDoc* doc = Open("one.tst");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->m_text, "第一");
  EXPECT_EQ(doc->GetTitle(), "one.tst");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(Open("one.tst"), doc);
  CDocument* match = nullptr;
  std::string upper = folder_.Path() + "ONE.TST";
  EXPECT_EQ(tmpl_->MatchDocType(upper.c_str(), &match), CDocTemplate::yesAlreadyOpen);
  EXPECT_EQ(match, doc);
  EXPECT_EQ(tmpl_->MatchDocType(Path("two.tst").c_str(), &match), CDocTemplate::yesAttemptNative);
  EXPECT_EQ(tmpl_->MatchDocType(Path("two.txt").c_str(), &match), CDocTemplate::yesAttemptForeign);
  EXPECT_EQ(tmpl_->GetDocuments().size(), 1u);
}

TEST_F(DocTest, AFileThatFailsToLoadIsReportedAndLeavesNoDocument) {
  WriteDoc("bad.tst", "x");
  TestDoc::s_failLoad = true;
  CDocument* doc = Open("bad.tst");
  TestDoc::s_failLoad = false;
  EXPECT_EQ(doc, nullptr);
  EXPECT_TRUE(tmpl_->GetDocuments().empty());
  EXPECT_EQ(app_.Frame()->MDIGetActive(), nullptr);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_NE(boxes_.shown[0].text.find("bad.tst"), std::string::npos);
  EXPECT_EQ(Open("missing.tst"), nullptr);
  EXPECT_EQ(boxes_.shown.size(), 2u);
}

TEST_F(DocTest, TheSaveQuestionSavesOnYesForgetsOnNoAndStopsOnCancel) {
  WriteDoc("q.tst", "old");
  TestDoc* doc = Open("q.tst");
  ASSERT_NE(doc, nullptr);
  doc->m_text = "new";
  doc->SetModifiedFlag();
  boxes_.answers = {IDCANCEL, IDNO, IDYES};
  EXPECT_FALSE(doc->SaveModified());
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_EQ(folder_.ReadFile("q.tst").substr(1), "old");  // length byte, then the text
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_EQ(folder_.ReadFile("q.tst").substr(1), "new");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(boxes_.shown.size(), 3u);
  EXPECT_TRUE(doc->SaveModified());  // nothing to ask now
  EXPECT_EQ(boxes_.shown.size(), 3u);
}

TEST_F(DocTest, AFailedSaveIsReportedLeavesTheFileAndKeepsTheDocumentModified) {
  WriteDoc("held.tst", "kept");
  TestDoc* doc = Open("held.tst");
  ASSERT_NE(doc, nullptr);
  // Another program holds the file open without sharing it.
  HANDLE held = ::CreateFileA(Path("held.tst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  doc->m_text = "lost";
  doc->SetModifiedFlag();
  boxes_.answers = {IDYES};
  EXPECT_FALSE(doc->SaveModified());
  EXPECT_TRUE(doc->IsModified());
  ::CloseHandle(held);
  EXPECT_EQ(folder_.ReadFile("held.tst").substr(1), "kept");
  EXPECT_FALSE(folder_.Exists("held.tst.~save"));
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_NE(boxes_.shown[1].text.find("held.tst"), std::string::npos);
}

TEST_F(DocTest, ClosingTheMainFrameAsksForModifiedDocumentsAndCancelKeepsItOpen) {
  TestDoc* doc = static_cast<TestDoc*>(tmpl_->OpenDocumentFile(nullptr));
  doc->SetModifiedFlag();
  boxes_.answers = {IDCANCEL};
  app_.Frame()->SendMessage(WM_CLOSE);
  ASSERT_NE(app_.m_pMainWnd, nullptr);
  EXPECT_EQ(tmpl_->GetDocuments().size(), 1u);
  boxes_.answers = {IDNO};
  app_.Frame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(app_.m_pMainWnd, nullptr);
  EXPECT_TRUE(tmpl_->GetDocuments().empty());
}

TEST_F(DocTest, ANewDocumentIsNamedAfterTheTemplate) {
  CDocument* a = tmpl_->OpenDocumentFile(nullptr);
  CDocument* b = tmpl_->OpenDocumentFile(nullptr);
  EXPECT_EQ(a->GetTitle(), "Test1");
  EXPECT_EQ(b->GetTitle(), "Test2");
  EXPECT_TRUE(a->GetPathName().IsEmpty());
}

}  // namespace
}  // namespace frametest
