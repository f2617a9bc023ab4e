// Pictures and blocks from outside in the library's editing window: opening
// a picture, pasting a block and undoing back to one start no code that the
// program folder does not hold, with the foreign objects at the top of the
// layer, in a group or in a sub-picture cell. The plug-in object says once
// in the output which library it named; the picture is saved byte for byte.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drawobj.h"
#include "drawrect.h"
#include "editctrl_harness.h"
#include "editctrl_pictures.h"
#include "editing/layerstate.h"
#include "foreign_pictures.h"
#include "memfile.h"
#include "objlist_io.h"
#include "testing/loadmarker.h"
#include "testocx_register.h"

namespace edittest {
namespace {

using foreign::Nesting;

// How a foreign picture or block reaches the window.
enum class Path { kOpen, kPaste, kUndo };

// The clipboard's block of a layer's objects, as a copy in any editing window writes it.
std::vector<BYTE> BlockOf(std::vector<CDrawObj*> objects) {
  CObList list;
  for (CDrawObj* obj : objects) list.AddTail(obj);
  std::unique_ptr<CMemFile> stream = SaveObjectList(list, 4096);
  std::vector<BYTE> bytes(stream->GetData(), stream->GetData() + stream->GetLength());
  DeleteObjectList(list);
  return bytes;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

class ForeignCodeTest : public EditWindowTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }

  void SetUp() override {
    EditWindowTest::SetUp();
    RegisterModel();
    ASSERT_NE(MakeChild(640, 480), nullptr);
    folder_ = FreshFolder("foreign");
    ASSERT_EQ(SendText(QCM_PICFOLDER, folder_), 0);
  }

  void Bring(Path path, Nesting nesting) {
    switch (path) {
      case Path::kOpen:
        WriteBytes(folder_ + "foreign.pic", foreign::PictureBytes(nesting, "foreign.pic"));
        ASSERT_EQ(SendText(QCM_OPENPIC, "foreign.pic"), 0);
        return;
      case Path::kPaste:
        ASSERT_EQ(SendText(QCM_NEWPIC, "pasted.pic"), 0);
        PutClipboardBytes(child_, BlockOf(foreign::NewObjects(nesting)));
        Send(QCM_PASTE);
        return;
      case Path::kUndo:
        // Cutting the pasted foreign objects keeps the layer with them as the
        // state to go back to: undoing makes them anew from its bytes (an
        // object still in the layer would be kept as it is).
        Bring(Path::kPaste, nesting);
        ASSERT_GT(Send(QCM_QUERY, QCQ_SELCOUNT), 0);
        Send(QCM_CUT);
        ASSERT_EQ(Send(QCM_QUERY, QCQ_CANUNDO), 1);
        Send(QCM_UNDO);
        return;
    }
  }
  // Every window below the editing window: the objects' controls would be there.
  int WindowsBelow() const {
    int count = 0;
    ::EnumChildWindows(child_, &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
  }
  std::vector<std::string> OutputTexts() {
    std::vector<std::string> texts;
    for (const Notice& n : Notices())
      if (n.msg == QCN_OUTPUTTEXT) texts.push_back(n.text);
    return texts;
  }

  std::string folder_;
};

TEST_F(ForeignCodeTest, NoPathStartsForeignCodeAndThePluginIsToldOnce) {
  const struct {
    Path path;
    size_t reports;  // one for every plug-in object made
    const char* what;
  } paths[] = {
      {Path::kOpen, 1, "opened"},
      {Path::kPaste, 1, "pasted"},
      {Path::kUndo, 2, "pasted, then brought back by undo"},
  };
  for (const auto& p : paths) {
    for (const auto& n : foreign::kNestings) {
      SCOPED_TRACE(std::string(p.what) + ", " + n.what);
      loadmarker::Armed marker;
      Notices().clear();
      Bring(p.path, n.nesting);
      EXPECT_EQ(marker.Written(), "") << "foreign code ran";
      EXPECT_EQ(WindowsBelow(), 0);
      const std::vector<std::string> texts = OutputTexts();
      EXPECT_EQ(texts.size(), p.reports);
      for (const std::string& text : texts) EXPECT_TRUE(foreign::IsRefusalReport(text)) << text;
    }
  }
}

TEST_F(ForeignCodeTest, AForeignPictureIsSavedByteForByte) {
  for (const auto& n : foreign::kNestings) {
    SCOPED_TRACE(n.what);
    loadmarker::Armed marker;
    const std::vector<BYTE> original = foreign::PictureBytes(n.nesting, "foreign.pic");
    Bring(Path::kOpen, n.nesting);
    ASSERT_EQ(Send(QCM_SAVEPIC), 0);
    EXPECT_EQ(ReadBytes(folder_ + "foreign.pic"), original);
    EXPECT_EQ(marker.Written(), "");
  }
}

}  // namespace
}  // namespace edittest
