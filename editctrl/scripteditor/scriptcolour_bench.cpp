// Colouring scripts in the editor, for scripts of 500 and 5,000 lines:
// scanning a text alone; opening the dialog on it until it is on screen;
// opening it (the text into the empty rich edit control, as the dialog puts
// a script in, with what is on screen coloured);
// pasting all of it into an empty script, one line into the middle of it, and
// "/*" before it, which turns all of it into a comment (the text changed and
// what is on screen coloured anew); each with the time the dialog then spends
// colouring the rest while idle, in pieces; and colouring one line, as after
// every key.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "benchclock.h"
#include "controls/commoncontrols.h"
#include "controls/richedit.h"
#include "scriptcolorizer.h"
#include "scriptdlg.h"

namespace {

std::string MakeScript(int lines) {
  std::string text = CScriptDlg::kFrameScript;
  for (int i = 0; i < lines; ++i)
    text += "\tint x" + std::to_string(i) + " = abs(" + std::to_string(i) + ") * 2; // 第" +
            std::to_string(i) + "行 注释\r\n";
  return text;
}

// An empty editor control, as the dialog has it.
std::unique_ptr<CRichEditCtrl> NewEdit(HWND parent, CScriptColorizer& colorizer) {
  auto edit = std::make_unique<CRichEditCtrl>();
  if (!edit->Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                    RECT{0, 0, 780, 580}, parent, 5018))
    return nullptr;
  edit->SendMessage(EM_EXLIMITTEXT, 0, 16 * 1024 * 1024);
  edit->SetDefaultCharFormat(colorizer.DefaultFormat());
  return edit;
}

// The median times of `rounds` runs of run(edit), each on a new control that
// prepare(edit) made ready untimed: the run, and the colouring it left for
// the dialog's idle time.
struct Times {
  double run;
  double idle;
};

template <class Prepare, class Run>
Times MedianOnNewEdits(HWND parent, CScriptColorizer& colorizer, int rounds, Prepare prepare, Run run) {
  std::vector<double> runs, idles;
  for (int i = 0; i < rounds; ++i) {
    std::unique_ptr<CRichEditCtrl> edit = NewEdit(parent, colorizer);
    if (!edit) return {-1, -1};
    prepare(*edit);
    colorizer.FinishColouring(*edit);
    // As the dialog does it: without redrawing meanwhile.
    edit->SetRedraw(FALSE);
    bench::Stopwatch watch;
    run(*edit);
    runs.push_back(watch.ElapsedMs());
    watch.Restart();
    colorizer.FinishColouring(*edit);
    idles.push_back(watch.ElapsedMs());
    edit->DestroyWindow();
  }
  return {bench::Median(runs), bench::Median(idles)};
}

// The dialog on a script, timed from its start until it is on screen: the
// first timer message comes once every message before it (the painting
// included) is handled.
class CTimedScriptDlg : public CScriptDlg {
 public:
  CTimedScriptDlg() : CScriptDlg(nullptr) {}

  double OpenMs(const std::string& script) {
    SetScript(script.c_str());
    m_watch.Restart();
    DoModal();
    return m_shownMs;
  }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_TIMER && m_shownMs < 0) {
      m_shownMs = m_watch.ElapsedMs();
      EndDialog(IDCANCEL);
    }
    return CScriptDlg::WindowProc(msg, wp, lp);
  }

 protected:
  BOOL OnInitDialog() override {
    const BOOL focusSet = CScriptDlg::OnInitDialog();
    SetTimer(kShownTimer, 1);
    return focusSet;
  }

 private:
  static constexpr UINT_PTR kShownTimer = 99;
  bench::Stopwatch m_watch;
  double m_shownMs = -1;
};

double MedianDialogOpenMs(int rounds, const std::string& script) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) times.push_back(CTimedScriptDlg().OpenMs(script));
  return bench::Median(times);
}

// The figures of one script length: the cases that `only` names (all when
// it is null), the others left at 0.
struct Figures {
  double scan = 0, line = 0, dialog = 0;
  Times opening{0, 0}, pasteAll{0, 0}, pasteLine{0, 0}, pasteComment{0, 0};
};

bool Runs(const char* only, const char* name) { return !only || std::strcmp(only, name) == 0; }

void Measure(HWND top, CScriptColorizer& colorizer, int lines, const char* only) {
  const char pasted[] = "\tint y = abs(1); /* 粘贴 */\r\n";
  const std::string text = MakeScript(lines);
  Figures figures;
  if (Runs(only, "scan"))
    figures.scan = bench::MedianMs(5, [&] {
      colorizer.Scanner().SetText(text.data(), text.size());
      long start = 0, end = 0;
      while (colorizer.Scanner().NextToken(start, end) != STK_END) {
      }
    });
  if (Runs(only, "dialog")) figures.dialog = MedianDialogOpenMs(3, text);
  const auto none = [](CRichEditCtrl&) {};
  const auto open = [&](CRichEditCtrl& edit) { colorizer.PutText(edit, text.data(), text.size()); };
  if (Runs(only, "open")) figures.opening = MedianOnNewEdits(top, colorizer, 3, none, open);
  if (Runs(only, "pasteall"))
    figures.pasteAll = MedianOnNewEdits(top, colorizer, 3, none, [&](CRichEditCtrl& edit) {
      colorizer.ReplaceSel(edit, text.data(), text.size());
    });
  if (Runs(only, "pasteline"))
    figures.pasteLine = MedianOnNewEdits(top, colorizer, 3, open, [&](CRichEditCtrl& edit) {
      const long middle = edit.LineIndex(lines / 2);
      edit.SetSel(middle, middle);
      colorizer.ReplaceSel(edit, pasted, sizeof pasted - 1);
    });
  if (Runs(only, "pastecomment"))
    figures.pasteComment = MedianOnNewEdits(top, colorizer, 3, open, [&](CRichEditCtrl& edit) {
      edit.SetSel(0, 0);
      colorizer.ReplaceSel(edit, "/*", 2);
    });
  if (Runs(only, "line"))
    MedianOnNewEdits(top, colorizer, 1, open, [&](CRichEditCtrl& edit) {
      figures.line = bench::MedianMs(21, [&] { colorizer.ColorizeLine(edit, lines / 2); });
    });
  std::printf(
      "%5d lines (%6u bytes): scan %7.3f ms, colour one line %6.3f ms, the dialog on screen %8.1f ms;"
      " then idle colouring:\n"
      "    open %8.1f ms (%8.1f ms), paste all %8.1f ms (%8.1f ms), paste a line %7.1f ms (%8.1f ms), "
      "paste \"/*\" first %8.1f ms (%8.1f ms)\n",
      lines, unsigned(text.size()), figures.scan, figures.line, figures.dialog, figures.opening.run,
      figures.opening.idle, figures.pasteAll.run, figures.pasteAll.idle, figures.pasteLine.run,
      figures.pasteLine.idle, figures.pasteComment.run, figures.pasteComment.idle);
}

}  // namespace

// Without arguments every case for 500 and 5,000 lines; "scriptcolour_bench
// <lines> [case]" times one script length, and only the named case (scan,
// dialog, open, pasteall, pasteline, pastecomment, line) for a quicker look.
int main(int argc, char** argv) {
  HWND top = ::CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
  if (!QelLoadRichEdit()) {
    std::printf("no rich edit control\n");
    return 1;
  }
  CScriptColorizer colorizer;
  const int given = argc >= 2 ? std::atoi(argv[1]) : 0;
  const char* only = argc >= 3 ? argv[2] : nullptr;
  if (given > 0)
    Measure(top, colorizer, given, only);
  else
    for (int lines : {500, 5000}) Measure(top, colorizer, lines, nullptr);
  ::DestroyWindow(top);
  return 0;
}
