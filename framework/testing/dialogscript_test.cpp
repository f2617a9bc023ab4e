// The harness itself: it drives message boxes, records what opened, and turns
// a window that never comes, one left open and steps left over into failures
// of the test instead of a hang.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "msgbox.h"
#include "testing/dialogscript.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

// Runs the script around a question box and collects the failures it reports.
struct Outcome {
  int answer = 0;
  std::vector<std::string> failures;
};

Outcome AskWith(DialogScript& script, const char* text = "是否要删除?") {
  Outcome outcome;
  ::testing::TestPartResultArray results;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    script.Run([&] { outcome.answer = QelMessageBox(nullptr, text, "询问", MB_YESNOCANCEL); });
  }
  for (int i = 0; i < results.size(); ++i) outcome.failures.push_back(results.GetTestPartResult(i).message());
  return outcome;
}

// Exactly one failure, whose text holds what.
void ExpectOneFailureSaying(const Outcome& outcome, const std::string& what) {
  ASSERT_EQ(outcome.failures.size(), 1u);
  EXPECT_NE(outcome.failures[0].find(what), std::string::npos) << outcome.failures[0];
}

TEST(DialogScript, AnswersAMessageBoxAfterReadingIt) {
  DialogScript script;
  std::string text, caption;
  script.On("询问", [&](DialogDriver& d) {
    text = d.MessageText();
    caption = d.Caption();
    d.Press(IDNO);
  });
  Outcome outcome = AskWith(script);
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_TRUE(script.Passed());
  EXPECT_EQ(outcome.answer, IDNO);
  EXPECT_EQ(text, "是否要删除?");
  EXPECT_EQ(caption, "询问");
  EXPECT_EQ(script.Seen(), std::vector<std::string>{"询问"});
}

TEST(DialogScript, AWindowThatNeverComesFailsAndTheOpenOneIsClosed) {
  DialogScript script;
  script.StepTimeout(300).On("提示", [](DialogDriver& d) { d.Press(IDOK); });
  Outcome outcome = AskWith(script);
  ExpectOneFailureSaying(outcome, "waited in vain for \"提示\"");
  ExpectOneFailureSaying(outcome, "\"询问\" saying \"是否要删除?\"");
  EXPECT_EQ(outcome.answer, IDNO);  // closed the way a user gets out: No first
  EXPECT_FALSE(script.Passed());
}

TEST(DialogScript, AWindowLeftOpenAfterTheLastStepFails) {
  DialogScript script;
  script.StepTimeout(300);
  Outcome outcome = AskWith(script);
  ExpectOneFailureSaying(outcome, "stayed open");
  EXPECT_EQ(outcome.answer, IDNO);
}

TEST(DialogScript, StepsLeftWhenTheWindowsClosedFail) {
  DialogScript script;
  script.On("询问", [](DialogDriver& d) { d.Press(IDYES); }).On("询问", [](DialogDriver& d) {
    d.Press(IDYES);
  });
  Outcome outcome = AskWith(script);
  ExpectOneFailureSaying(outcome, "before step 2");
  // The failure names what the thread took in, so that a press that closed
  // a window under the script (another program's, say) can be traced.
  ExpectOneFailureSaying(outcome, "took in: BM_CLICK 0 to 6 of \"询问\" saying \"是否要删除?\"");
  EXPECT_EQ(outcome.answer, IDYES);
}

DWORD WINAPI SendClose(LPVOID window) {
  ::SendMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0);
  return 0;
}

// A close sent to the window never passes the thread's queue (only the
// Cancel that the dialog makes of it does); the failure still names it and
// the side it came from, for either sender.
TEST(DialogScript, ACloseSentUnderTheScriptIsListedWithItsSender) {
  const struct {
    bool fromAnotherThread;
    const char* listed;
  } cases[] = {
      {false, "WM_CLOSE 0 to \"询问\" saying \"是否要删除?\" sent by this thread"},
      {true, "WM_CLOSE 0 to \"询问\" saying \"是否要删除?\" sent by another thread"},
  };
  for (const auto& c : cases) {
    HANDLE sender = nullptr;
    DialogScript script;
    script
        .On("询问",
            [&](DialogDriver& d) {
              if (c.fromAnotherThread)
                sender = ::CreateThread(nullptr, 0, SendClose, d.Window(), 0, nullptr);
              else
                ::SendMessageA(d.Window(), WM_CLOSE, 0, 0);
            })
        .On("询问", [](DialogDriver& d) { d.Press(IDYES); });
    Outcome outcome = AskWith(script);
    if (sender) {
      ::WaitForSingleObject(sender, INFINITE);
      ::CloseHandle(sender);
    }
    SCOPED_TRACE(c.listed);
    ExpectOneFailureSaying(outcome, "before step 2");
    ExpectOneFailureSaying(outcome, c.listed);
    EXPECT_EQ(outcome.answer, IDCANCEL);
  }
}

TEST(DialogScript, AMessageBoxWithAnotherTextFails) {
  DialogScript script;
  script.OnMessageBox("询问", "别的文本", IDCANCEL);
  Outcome outcome = AskWith(script);
  ExpectOneFailureSaying(outcome, "message box \"询问\"");
  EXPECT_EQ(outcome.answer, IDCANCEL);
}

TEST(DialogScript, PressingAButtonTheBoxHasNotFails) {
  DialogScript script;
  script
      .On("询问", [](DialogDriver& d) { d.Press(IDOK); })  // a Yes/No/Cancel box has no OK
      .StepTimeout(300);
  Outcome outcome = AskWith(script);
  ASSERT_GE(outcome.failures.size(), 1u);
  EXPECT_NE(outcome.failures[0].find("no control 1"), std::string::npos);
}

}  // namespace
