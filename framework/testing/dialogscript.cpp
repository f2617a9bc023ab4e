#include "testing/dialogscript.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qeltest {

namespace {

const UINT kTickMs = 20;
// Ticks that pass after an action before the next step looks: what the action
// posted has been handled by then.
const int kSettleTicks = 2;
// Beyond the steps' own time-outs, the watchdog's grace before it ends the process.
const DWORD kWatchdogGraceMs = 30000;
// How many of the latest messages taken in a failure lists.
const size_t kTakenKept = 12;

DialogScript* g_active = nullptr;

bool IsDialogClass(HWND hwnd) {
  char name[16] = "";
  return ::GetClassNameA(hwnd, name, sizeof name) && ::lstrcmpA(name, "#32770") == 0;
}

bool IsDialogClassName(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return LOWORD(reinterpret_cast<ULONG_PTR>(name)) == 32770;
  return name && ::lstrcmpiA(name, "#32770") == 0;
}

BOOL CALLBACK TakeFirstActable(HWND hwnd, LPARAM out) {
  if (!::IsWindowVisible(hwnd) || !::IsWindowEnabled(hwnd) || !IsDialogClass(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(out) = hwnd;
  return FALSE;
}

// The window the user would act on: the first enabled, visible dialog-class
// window of the thread in z-order (a modal window's owners are disabled).
HWND CurrentDialog(DWORD thread) {
  HWND found = nullptr;
  ::EnumThreadWindows(thread, TakeFirstActable, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string Describe(HWND hwnd) {
  if (!hwnd) return "no window";
  DialogDriver d(hwnd);
  std::string text = "\"" + d.Caption() + "\"";
  std::string message = d.MessageText();
  if (!message.empty()) text += " saying \"" + message + "\"";
  return text;
}

// How a message reached the thread: taken from its queue (posted, input)
// or sent to a window procedure (by this thread or another one).
enum Route { kPosted = 1, kSent = 2 };

// The messages that press, type, click or close: what can end or change a
// dialog under the script, with their names and the routes by which they
// are listed. A sent WM_CLOSE never passes the queue, yet the dialog's
// default handling turns it into a posted Cancel.
const struct {
  UINT msg;
  const char* name;
  int routes;
} kTakenMessages[] = {
    {WM_KEYDOWN, "WM_KEYDOWN", kPosted},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN", kPosted},
    {WM_CHAR, "WM_CHAR", kPosted},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN", kPosted},
    {WM_LBUTTONUP, "WM_LBUTTONUP", kPosted},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK", kPosted},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN", kPosted},
    {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN", kPosted},
    {BM_CLICK, "BM_CLICK", kPosted | kSent},
    {WM_COMMAND, "WM_COMMAND", kPosted},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND", kPosted | kSent},
    {WM_CLOSE, "WM_CLOSE", kPosted | kSent},
    {WM_QUIT, "WM_QUIT", kPosted},
};

const char* TakenName(UINT msg, Route route) {
  for (const auto& m : kTakenMessages)
    if (m.msg == msg && (m.routes & route)) return m.name;
  return nullptr;
}

// Who sent the message now being handled: this thread, or another thread
// of this program or of another one (the window procedure cannot tell which).
const char* SenderText() {
  return (::InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY)) ? " sent by another thread"
                                                                    : " sent by this thread";
}

// A message as a failure lists it: its name, wParam, and the window it was
// for (the control's id within its top-level window's caption).
std::string TakenLine(HWND hwnd, WPARAM wp, const char* name) {
  HWND top = hwnd ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
  char line[96];
  std::snprintf(line, sizeof line, "%s %lu to ", name, static_cast<unsigned long>(wp));
  std::string text = line;
  if (!hwnd) return text + "the thread";
  if (top && top != hwnd) text += std::to_string(::GetDlgCtrlID(hwnd)) + " of ";
  return text + Describe(top);
}

// Closes a window as a user who wants out: No, else Cancel, else OK, else the close box.
void CloseOne(HWND hwnd) {
  for (int id : {IDNO, IDCANCEL, IDOK}) {
    HWND button = ::GetDlgItem(hwnd, id);
    if (button && ::IsWindowVisible(button) && ::IsWindowEnabled(button)) {
      ::PostMessageA(button, BM_CLICK, 0, 0);
      return;
    }
  }
  ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

DialogScript::DialogScript() = default;

DialogScript::~DialogScript() {
  if (m_done) ::CloseHandle(m_done);
}

DialogScript& DialogScript::On(const char* caption, Action action) {
  m_steps.push_back(Step{caption ? caption : "", false, std::move(action)});
  return *this;
}

DialogScript& DialogScript::OnAny(Action action) {
  m_steps.push_back(Step{"any window", true, std::move(action)});
  return *this;
}

DialogScript& DialogScript::OnMessageBox(const char* caption, const char* text, int button) {
  std::string expected = text ? text : "";
  return On(caption, [expected, button](DialogDriver& d) {
    EXPECT_EQ(d.MessageText(), expected) << "message box \"" << d.Caption() << "\"";
    d.Press(button);
  });
}

DialogScript& DialogScript::StepTimeout(DWORD ms) {
  m_timeout = ms;
  return *this;
}

void DialogScript::Run(const std::function<void()>& body) {
  if (g_active) {
    ADD_FAILURE() << "a dialog script is already running";
    return;
  }
  g_active = this;
  m_thread = ::GetCurrentThreadId();
  m_waitingSince = ::GetTickCount();
  m_hook = ::SetWindowsHookExA(WH_CBT, OnCbt, nullptr, m_thread);
  m_messageHook = ::SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, m_thread);
  m_sentHook = ::SetWindowsHookExA(WH_CALLWNDPROC, OnCallWndProc, nullptr, m_thread);
  UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMs, OnTick);
  m_done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE watchdog = ::CreateThread(nullptr, 0, Watchdog, this, 0, nullptr);

  body();

  ::SetEvent(m_done);
  if (watchdog) {
    ::WaitForSingleObject(watchdog, INFINITE);
    ::CloseHandle(watchdog);
  }
  ::KillTimer(nullptr, timer);
  for (HHOOK hook : {m_hook, m_messageHook, m_sentHook})
    if (hook) ::UnhookWindowsHookEx(hook);
  m_hook = m_messageHook = m_sentHook = nullptr;
  g_active = nullptr;
  if (m_next < m_steps.size() && !m_failed) {
    m_failed = true;
    ADD_FAILURE() << "the windows closed before step " << m_next + 1 << " (\"" << m_steps[m_next].caption
                  << "\") could run" << TakenText();
  }
}

void CALLBACK DialogScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_active) g_active->Tick();
}

void DialogScript::Tick() {
  // An action that runs a loop of its own must not be entered again.
  if (m_busy) return;
  m_busy = true;
  HWND current = CurrentDialog(m_thread);
  if (current) NoteActivated(current);
  DWORD now = ::GetTickCount();
  if (m_settleTicks > 0) {
    --m_settleTicks;
  } else if (m_aborting) {
    CloseOne(current);
    m_settleTicks = kSettleTicks;
  } else if (m_next < m_steps.size()) {
    RunStepOrWait(current, now);
  } else {
    CheckNothingLeftOpen(current, now);
  }
  m_busy = false;
}

void DialogScript::RunStepOrWait(HWND current, DWORD now) {
  Step& step = m_steps[m_next];
  if (current && (step.anyCaption || DialogDriver(current).Caption() == step.caption)) {
    ++m_next;
    DialogDriver driver(current);
    step.action(driver);
    m_waitingSince = ::GetTickCount();
    m_settleTicks = kSettleTicks;
    return;
  }
  if (now - m_waitingSince > m_timeout)
    Fail("step " + std::to_string(m_next + 1) + " waited in vain for \"" + step.caption + "\"", current);
}

void DialogScript::CheckNothingLeftOpen(HWND current, DWORD now) {
  if (!current) {
    m_waitingSince = now;
    return;
  }
  if (now - m_waitingSince > m_timeout) Fail("a window stayed open after the last step", current);
}

void DialogScript::Fail(const std::string& why, HWND current) {
  m_failed = true;
  m_aborting = true;
  ADD_FAILURE() << why << "; on the screen: " << Describe(current) << TakenText();
}

LRESULT CALLBACK DialogScript::OnCbt(int code, WPARAM wp, LPARAM lp) {
  HWND hwnd = reinterpret_cast<HWND>(wp);
  if (g_active && code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lp);
    if (create->lpcs && !(create->lpcs->style & WS_CHILD) && IsDialogClassName(create->lpcs->lpszClass))
      g_active->NoteCreated(hwnd, create->lpcs->lpszName);
  } else if (g_active && code == HCBT_ACTIVATE) {
    g_active->NoteActivated(hwnd);
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK DialogScript::OnGetMessage(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const MSG*>(lp);
  if (g_active && code == HC_ACTION && wp == PM_REMOVE && msg) g_active->NoteTaken(*msg);
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK DialogScript::OnCallWndProc(int code, WPARAM wp, LPARAM lp) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (g_active && code == HC_ACTION && sent) {
    if (const char* name = TakenName(sent->message, kSent))
      g_active->NoteTaken(TakenLine(sent->hwnd, sent->wParam, name) + SenderText());
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

void DialogScript::NoteTaken(const MSG& msg) {
  if (const char* name = TakenName(msg.message, kPosted)) NoteTaken(TakenLine(msg.hwnd, msg.wParam, name));
}

void DialogScript::NoteTaken(std::string line) {
  if (m_taken.size() == kTakenKept) m_taken.erase(m_taken.begin());
  m_taken.push_back(std::move(line));
}

std::string DialogScript::TakenText() const {
  std::string text = "; the thread took in";
  if (m_taken.empty()) return text + " no input or command";
  for (size_t i = 0; i < m_taken.size(); ++i) text += (i ? ", " : ": ") + m_taken[i];
  return text;
}

void DialogScript::NoteCreated(HWND hwnd, const char* name) {
  for (auto it = m_opened.begin(); it != m_opened.end(); ++it)
    if (it->hwnd == hwnd) {
      m_opened.erase(it);  // a handle used again: a new window
      break;
    }
  m_seen.push_back(name && !IS_INTRESOURCE(name) ? name : "");
  m_opened.push_back(Opened{hwnd, m_seen.size() - 1, false});
}

void DialogScript::NoteActivated(HWND hwnd) {
  // Message boxes and dialogs set their caption while they initialise: the
  // caption is read again when the window first becomes the one to act on.
  for (Opened& opened : m_opened)
    if (opened.hwnd == hwnd && !opened.activated) {
      opened.activated = true;
      m_seen[opened.seenIndex] = WindowText(hwnd);
    }
}

DWORD WINAPI DialogScript::Watchdog(LPVOID param) {
  auto* script = static_cast<DialogScript*>(param);
  DWORD limit = static_cast<DWORD>(script->m_steps.size() + 2) * script->m_timeout + kWatchdogGraceMs;
  if (::WaitForSingleObject(script->m_done, limit) == WAIT_OBJECT_0) return 0;
  std::fprintf(stderr, "dialog script: the windows did not close within %lu ms; the test is stopped\n",
               static_cast<unsigned long>(limit));
  std::fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), 3);
  return 0;
}

}  // namespace qeltest
