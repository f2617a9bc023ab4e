// Copy, cut and paste through "QELPICCLIP": the paste offsets, damaged data,
// and a copy carried from one editing window into another.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>

#include "editctrl_inproc.h"
#include "editctrl_pictures.h"
#include "plugin/drawplugin.h"

namespace edittest {
namespace {

// The clipboard held open by a window of another thread, as another program
// holds it, until the holder goes.
class ClipboardHolder {
 public:
  ClipboardHolder()
      : held_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        release_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        thread_([this] { Hold(); }) {}
  ~ClipboardHolder() {
    ::SetEvent(release_);
    thread_.join();
    ::CloseHandle(held_);
    ::CloseHandle(release_);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  // Waits until the other window has tried to open the clipboard: true when
  // it holds it.
  bool Holds() const { return ::WaitForSingleObject(held_, 30000) == WAIT_OBJECT_0 && holding_; }

 private:
  void Hold() {
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    holding_ = window && ::OpenClipboard(window);
    ::SetEvent(held_);
    ::WaitForSingleObject(release_, INFINITE);
    if (holding_) ::CloseClipboard();
    if (window) ::DestroyWindow(window);
  }

  HANDLE held_;
  HANDLE release_;
  bool holding_ = false;  // written before held_ is set
  std::thread thread_;
};

using ClipboardTest = InProcessEditTest;

HWND WindowOf(CDrawObj* obj) {
  auto* ctrl = dynamic_cast<CDrawCtrl*>(obj);
  CWnd* window = ctrl ? ctrl->GetWindowObject() : nullptr;
  return window ? window->m_hWnd : nullptr;
}

TEST_F(ClipboardTest, UndoingAPasteOfPlugInsKeepsTheOtherPlugInsAndTheirWindows) {
  const int kept = 3;
  for (int i = 0; i < kept; ++i) {
    auto* plugin = new CDrawPlugin("Sampex.dll");
    plugin->m_rect = CRectD(10 + 50 * i, 10, 50 + 50 * i, 40);
    Add(plugin, 0, 0);
    wnd_->AttachObject(plugin);
    ASSERT_NE(WindowOf(plugin), nullptr) << i;
    ::SetPropA(WindowOf(plugin), "kept", reinterpret_cast<HANDLE>(1));
    wnd_->Select(plugin, i > 0);
  }
  const std::vector<CDrawObj*> before = Objects();
  Send(QCM_COPY);
  Send(QCM_PASTE);
  ASSERT_EQ(Objects().size(), 2u * kept);
  HWND pastedWindow = WindowOf(Objects().back());
  ASSERT_NE(pastedWindow, nullptr);
  Send(QCM_UNDO);
  // The very objects stay, each with its own window.
  ASSERT_EQ(Objects(), before);
  for (CDrawObj* obj : Objects()) EXPECT_EQ(::GetPropA(WindowOf(obj), "kept"), reinterpret_cast<HANDLE>(1));
  EXPECT_FALSE(::IsWindow(pastedWindow)) << "the pasted ones go with their windows";
  Send(QCM_REDO);
  ASSERT_EQ(Objects().size(), 2u * kept);
  for (int i = 0; i < kept; ++i) EXPECT_EQ(Objects()[i], before[i]);
  EXPECT_NE(WindowOf(Objects().back()), nullptr);
  EXPECT_EQ(::GetPropA(WindowOf(Objects().back()), "kept"), nullptr) << "a window of its own";
  for (CDrawObj* obj : Objects()) ::RemovePropA(WindowOf(obj), "kept");
}

TEST_F(ClipboardTest, CutRemovesOnlyWhatReachedTheClipboard) {
  const struct {
    const char* clipboard;
    bool held;
    bool removed;
    std::vector<UINT> notices;
    std::vector<UINT> beeps;
  } cases[] = {
      {"free", false, true, {QCN_PROPERTIES, QCN_EVENTLINKS}, {}},
      {"held by another window", true, false, {}, {MB_ICONWARNING}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(SendText(QCM_NEWPIC, "cut.pic"), 0);
    CDrawObj* a = AddRect(40, 40);
    CDrawObj* b = AddRect(200, 40);
    wnd_->Select(b, false);
    Send(QCM_COPY);
    const std::vector<BYTE> before = ClipboardBytes(child_);
    ASSERT_FALSE(before.empty()) << c.clipboard;
    wnd_->Select(a, false);
    TakeNoticeNumbers();
    InProcessBeeps().clear();
    {
      std::unique_ptr<ClipboardHolder> holder(c.held ? new ClipboardHolder : nullptr);
      if (holder) {
        ASSERT_TRUE(holder->Holds()) << c.clipboard;
      }
      Send(QCM_CUT);
    }
    const std::vector<CDrawObj*> left = c.removed ? std::vector<CDrawObj*>{b} : std::vector<CDrawObj*>{a, b};
    EXPECT_EQ(Objects(), left) << c.clipboard;
    EXPECT_EQ(Query(QCQ_SELCOUNT), c.removed ? 0 : 1) << c.clipboard;
    EXPECT_EQ(Query(QCQ_CANUNDO), c.removed ? 1 : 0) << c.clipboard;
    EXPECT_EQ(Query(QCQ_MODIFIED), c.removed ? 1 : 0) << c.clipboard;
    EXPECT_EQ(TakeNoticeNumbers(), c.notices) << c.clipboard;
    EXPECT_EQ(InProcessBeeps(), c.beeps) << c.clipboard;
    EXPECT_EQ(ClipboardBytes(child_) == before, !c.removed) << c.clipboard;
  }
}

TEST_F(ClipboardTest, PastesLieSixteenFurtherEachUntilTheNextCopy) {
  CDrawObj* original = AddRect(40, 40);
  wnd_->Select(original, false);
  Send(QCM_COPY);
  EXPECT_EQ(Query(QCQ_CANPASTE), 1);
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 56);
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 72);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).top, 72);
  Send(QCM_COPY);  // the set at 72
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 88);
  EXPECT_EQ(Objects().size(), 4u);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 1);
  EXPECT_EQ(FrameOf(original).left, 40);
}

TEST_F(ClipboardTest, CutCopiesRemovesAndCanBeUndone) {
  CDrawObj* a = AddRect(40, 40);
  AddRect(200, 40);
  wnd_->Select(a, false);
  TakeNoticeNumbers();
  Send(QCM_CUT);
  EXPECT_EQ(Objects().size(), 1u);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 0);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES, QCN_EVENTLINKS}));
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 56);
  Send(QCM_UNDO);
  Send(QCM_UNDO);
  EXPECT_EQ(Objects().size(), 2u);
}

TEST_F(ClipboardTest, ACopyThatMissesTheClipboardKeepsThePasteOffsetsOfWhatItHolds) {
  CDrawObj* original = AddRect(40, 40);
  wnd_->Select(original, false);
  Send(QCM_COPY);
  Send(QCM_PASTE);
  CDrawObj* other = AddRect(200, 40);
  wnd_->Select(other, false);
  {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holds());
    Send(QCM_COPY);
  }
  Send(QCM_PASTE);  // the first rectangle again, a step further
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 72);
}

TEST_F(ClipboardTest, DamagedOrForeignDataPastesNothingAndSavesNoState) {
  const std::vector<std::vector<BYTE>> foreign = {
      {0x01, 0x00, 0xFF, 0xFF, 0x05, 0x00, 'C', 'N', 'o', 'n', 'e'},
      {0x05, 0x00},
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
  };
  for (const std::vector<BYTE>& bytes : foreign) {
    PutClipboardBytes(child_, bytes);
    Send(QCM_PASTE);
    EXPECT_TRUE(Objects().empty());
    EXPECT_EQ(Query(QCQ_CANUNDO), 0);
  }
}

TEST_F(ClipboardTest, PasteWithoutAPictureDoesNothing) {
  CDrawObj* a = AddRect(40, 40);
  wnd_->Select(a, false);
  Send(QCM_COPY);
  SendText(QCM_OPENPIC, "missing.pic");  // leaves the window without a picture
  Send(QCM_PASTE);
  Send(QCM_UNDO);
  Send(QCM_REDO);
  EXPECT_EQ(wnd_->GetPicture(), nullptr);
}

// Two editing windows of the library, as two pictures of the editor.
class TwoWindowClipboardTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    RegisterModel();
    std::string folder = FreshFolder("clip");
    WriteBytes(folder + "a.pic", SamplePictureBytes("a.pic"));
    ASSERT_NE(MakeChild(500, 400), nullptr);
    SendText(QCM_PICFOLDER, folder);
    ASSERT_EQ(SendText(QCM_OPENPIC, "a.pic"), 0);
    second_ = ::CreateWindowExA(0, "QELPICEDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 520, 420, parent_,
                                reinterpret_cast<HMENU>(1001), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(second_, nullptr);
    ::SendMessageA(second_, QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    ASSERT_EQ(::SendMessageA(second_, QCM_NEWPIC, 0, reinterpret_cast<LPARAM>("b.pic")), 0);
  }
  void TearDown() override {
    if (second_) ::DestroyWindow(second_);
    EditWindowTest::TearDown();
  }
  HWND second_ = nullptr;
};

TEST_F(TwoWindowClipboardTest, CopyPastedIntoAnotherWindowRoundTripsByteForByte) {
  Send(QCM_SELECTTOOL, 0, 0);
  Drag(4, 4, 300, 200);  // the band around the sample's rectangle
  ASSERT_EQ(Send(QCM_QUERY, QCQ_SELCOUNT), 1);
  Send(QCM_COPY);
  const std::vector<BYTE> copied = ClipboardBytes(child_);
  ASSERT_FALSE(copied.empty());
  ::SendMessageA(second_, QCM_PASTE, 0, 0);
  ASSERT_EQ(::SendMessageA(second_, QCM_QUERY, QCQ_SELCOUNT, 0), 1);
  ASSERT_EQ(::SendMessageA(second_, QCM_QUERY, QCQ_CANUNDO, 0), 1);
  // Back by the paste offset (two grid steps each way), then copied again.
  for (UINT key : {VK_LEFT, VK_LEFT, VK_UP, VK_UP}) ::SendMessageA(second_, WM_KEYDOWN, key, 0);
  ::SendMessageA(second_, QCM_COPY, 0, 0);
  EXPECT_EQ(ClipboardBytes(second_), copied);
}

}  // namespace
}  // namespace edittest
