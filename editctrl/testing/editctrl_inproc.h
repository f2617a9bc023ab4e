// The editing window built into the test program itself (the same sources
// as the library), where a test reaches the window's object and its
// picture: a new picture in a 500 x 400 window; exceptions that the window
// procedure reports fail the test, and the beeps of refused actions are
// recorded instead of sounded.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/editdialogs.h"
#include "drawobj.h"
#include "drawrect.h"
#include "editctrl_harness.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "wndmodule.h"

namespace edittest {

extern const char kInProcessClass[];
std::vector<std::string>& InProcessReports();
// Registers the model, the links and the in-process window class once.
void RegisterInProcessWindow();
void RecordInProcessReport(HWND, UINT, const char* what);
// The beeps of the window since the test began, their MessageBeep types.
std::vector<UINT>& InProcessBeeps();
void RecordInProcessBeep(UINT type);

// The open-file dialog of the window answered with one path while the
// object lives, as the engineer would choose it.
struct FileChosen {
  explicit FileChosen(const std::string& path) {
    SetOpenFileAnswer([path](std::string& chosen) {
      chosen = path;
      return true;
    });
  }
  ~FileChosen() { SetOpenFileAnswer(nullptr); }
  FileChosen(const FileChosen&) = delete;
  FileChosen& operator=(const FileChosen&) = delete;
};

// The client area of a window row by row (GetPixel's colours) as draw puts
// it on a memory DC of the window's kind and size; draw also gets the
// window's own DC and its client rectangle.
std::vector<COLORREF> ClientPixels(
    HWND hwnd, const std::function<void(HDC memory, HDC screen, const RECT& client)>& draw);

class InProcessEditTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    RegisterInProcessWindow();
    previous_ = QelSetExceptionReporter(RecordInProcessReport);
    InProcessReports().clear();
    previousBeep_ = QelSetBeepHook(RecordInProcessBeep);
    InProcessBeeps().clear();
    int w = 500 + ::GetSystemMetrics(SM_CXVSCROLL), h = 400 + ::GetSystemMetrics(SM_CYHSCROLL);
    child_ = ::CreateWindowExA(0, kInProcessClass, "", WS_CHILD | WS_VISIBLE, 0, 0, w, h, parent_,
                               reinterpret_cast<HMENU>(1000), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child_, nullptr);
    wnd_ = static_cast<CPicEditWnd*>(CWnd::FromHandlePermanent(child_));
    ASSERT_NE(wnd_, nullptr);
    picFolder_ = FreshFolder("inproc");
    SendText(QCM_PICFOLDER, picFolder_);
    ASSERT_EQ(SendText(QCM_NEWPIC, kPictureName), 0);
    TakeNoticeNumbers();
  }
  void TearDown() override {
    EditWindowTest::TearDown();
    QelSetExceptionReporter(previous_);
    QelSetBeepHook(previousBeep_);
    EXPECT_TRUE(InProcessReports().empty()) << InProcessReports().front();
  }
  // A rectangle added to the current layer at (x, y), 40 x 30.
  CDrawObj* AddRect(double x, double y) { return Add(new CDrawRect, x, y); }
  CDrawObj* Add(CDrawObj* obj, double x, double y) {
    if (auto* rect = dynamic_cast<CDrawRect*>(obj)) rect->SetCorners(CRectD(x, y, x + 40, y + 30));
    wnd_->GetCurrentLayer()->m_objects.AddTail(obj);
    obj->SetViewTransform(wnd_->GetOrigin(), wnd_->GetZoom());
    return obj;
  }
  // The current layer's objects, first drawn first.
  std::vector<CDrawObj*> Objects() const {
    std::vector<CDrawObj*> objects;
    CObList& list = wnd_->GetCurrentLayer()->m_objects;
    for (POSITION pos = list.GetHeadPosition(); pos;)
      objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    return objects;
  }
  // The rectangle of an object, normalised.
  static CRectD FrameOf(CDrawObj* obj) {
    CRectD r = obj->GetRect();
    r.Normalize();
    return r;
  }
  int Query(int code) const { return static_cast<int>(Send(QCM_QUERY, code)); }
  // The picture as the window saves it to its file.
  std::vector<BYTE> SavedPicture() const {
    EXPECT_EQ(Send(QCM_SAVEPIC), 0);
    return ReadBytes(picFolder_ + kPictureName);
  }
  RECT UpdateRect() const {
    RECT r = {0, 0, 0, 0};
    ::GetUpdateRect(child_, &r, FALSE);
    return r;
  }

  static constexpr const char* kPictureName = "in.pic";
  std::string picFolder_;  // the window's picture folder, ending in a backslash
  CPicEditWnd* wnd_ = nullptr;
  QelExceptionReporter previous_ = nullptr;
  QelBeepFn previousBeep_ = nullptr;
};

}  // namespace edittest
