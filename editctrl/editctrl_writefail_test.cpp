// Picture files whose writing fails halfway (the disk fills after some
// bytes): the window's save and compile commands and the export's work keep
// the old file byte for byte and leave no other file; the window keeps its
// edits for a later save.
#include <gtest/gtest.h>

#include "editctrl_inproc.h"
#include "editctrl_pictures.h"
#include "file.h"
#include "picfile.h"
#include "piccompile.h"

namespace edittest {
namespace {

// What writes the picture file.
enum class Writer { kSaveCommand, kCompileCommand, kCompileExport };

struct WriterCase {
  const char* name;
  Writer writer;
  LRESULT failedAnswer;  // when the file could not be written
  LRESULT savedAnswer;
  bool fromWindow;  // the file gets the window's picture (else the file's, compiled)
};

void PrintTo(const WriterCase& writer, std::ostream* out) { *out << writer.name; }

const WriterCase kWriters[] = {
    {"SaveCommand", Writer::kSaveCommand, 1, 0, true},
    {"CompileCommand", Writer::kCompileCommand, 0, 0, true},  // answers the error count
    {"CompileExport", Writer::kCompileExport, 0, 0, false},
};

class PictureWriteTest : public InProcessEditTest, public ::testing::WithParamInterface<WriterCase> {
 protected:
  void SetUp() override {
    InProcessEditTest::SetUp();
    folder_ = FreshFolder("written");
    path_ = folder_ + "w.pic";
    // A script whose code the compile adds, so that every writer changes the file.
    WriteScriptedPicture(path_, {kGoodScript});
    SendText(QCM_PICFOLDER, folder_);
    ASSERT_EQ(SendText(QCM_OPENPIC, "w.pic"), 0);
    ASSERT_EQ(Objects().size(), 1u);
    wnd_->Select(Objects().front(), false);
    Send(WM_KEYDOWN, VK_RIGHT, 0);  // the edit the window must not lose
    ASSERT_EQ(Query(QCQ_MODIFIED), 1);
  }
  LRESULT Write() {
    switch (GetParam().writer) {
      case Writer::kSaveCommand: return Send(QCM_SAVEPIC);
      case Writer::kCompileCommand: return SendText(QCM_COMPILE, CompilerPath());
      case Writer::kCompileExport: return CompilePictureFile(parent_, path_.c_str(), CompilerPath().c_str());
    }
    return -1;
  }
  std::string folder_;
  std::string path_;
};

TEST_P(PictureWriteTest, ADiskFullHalfWayKeepsTheOldFileAndALaterWriteSucceeds) {
  const std::vector<BYTE> old = ReadBytes(path_);
  const DWORD size = static_cast<DWORD>(old.size());
  for (DWORD bytes : {0ul, 1ul, size / 2, size - 1}) {
    {
      CFileWriteLimit diskFull(bytes);
      EXPECT_EQ(Write(), GetParam().failedAnswer) << bytes;
    }
    EXPECT_EQ(ReadBytes(path_), old) << bytes;
    EXPECT_EQ(FileNamesIn(folder_), std::vector<std::string>{"w.pic"}) << bytes;
    EXPECT_EQ(Query(QCQ_MODIFIED), 1) << bytes;
    EXPECT_DOUBLE_EQ(Objects().front()->GetRect().left, 16) << bytes;  // still moved
  }
  EXPECT_EQ(Write(), GetParam().savedAnswer);
  const std::vector<BYTE> written = ReadBytes(path_);
  EXPECT_NE(written, old);
  EXPECT_EQ(FileNamesIn(folder_), std::vector<std::string>{"w.pic"});
  if (GetParam().fromWindow) {
    EXPECT_EQ(written, StorePictureBytes(*wnd_->GetPicture()));
    EXPECT_EQ(Query(QCQ_MODIFIED), 0);
  }
  EXPECT_EQ(IsCodeByteFile(StoredCode(path_).at(0)), GetParam().writer != Writer::kSaveCommand);
}

INSTANTIATE_TEST_SUITE_P(Writers, PictureWriteTest, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<WriterCase>& info) { return info.param.name; });

TEST_F(InProcessEditTest, ANewPictureOverAFileThatCannotBeWrittenWholeKeepsTheFile) {
  const std::string folder = FreshFolder("renewed");
  const std::vector<BYTE> old = SamplePictureBytes("n.pic");
  WriteBytes(folder + "n.pic", old);
  CPicObj empty;
  empty.EnsureLayer();
  const std::vector<BYTE> emptyBytes = StorePictureBytes(empty);
  SendText(QCM_PICFOLDER, folder);
  {
    CFileWriteLimit diskFull(static_cast<DWORD>(emptyBytes.size() / 2));
    EXPECT_EQ(SendText(QCM_NEWPIC, "n.pic"), 0);
  }
  EXPECT_EQ(ReadBytes(folder + "n.pic"), old);
  EXPECT_EQ(FileNamesIn(folder), std::vector<std::string>{"n.pic"});
  ASSERT_NE(wnd_->GetPicture(), nullptr);  // the window has its new picture
  EXPECT_EQ(SendText(QCM_NEWPIC, "n.pic"), 0);
  EXPECT_EQ(ReadBytes(folder + "n.pic"), emptyBytes);
  EXPECT_EQ(FileNamesIn(folder), std::vector<std::string>{"n.pic"});
}

}  // namespace
}  // namespace edittest
