// Colouring scripts in the editor: scanning a text alone, colouring a whole
// text in the rich edit control (as when a script is opened or pasted), and
// colouring one line (as after every key), for scripts of 500 and 5,000 lines.
#include <windows.h>

#include <cstdio>
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

}  // namespace

int main() {
  HWND top = ::CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
  CRichEditCtrl edit;
  if (!edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                   RECT{0, 0, 780, 580}, top, 5018)) {
    std::printf("no rich edit control\n");
    return 1;
  }
  edit.SendMessage(EM_EXLIMITTEXT, 0, 16 * 1024 * 1024);
  CScriptColorizer colorizer;
  for (int lines : {500, 5000}) {
    const std::string text = MakeScript(lines);
    const double scan = bench::MedianMs(5, [&] {
      colorizer.Scanner().SetText(text.data(), text.size());
      long start = 0, end = 0;
      while (colorizer.Scanner().NextToken(start, end) != STK_END) {
      }
    });
    edit.SetPlainText(text.c_str());
    // As the dialog does it: without redrawing meanwhile.
    const double all = bench::MedianMs(3, [&] {
      edit.SetRedraw(FALSE);
      colorizer.ColorizeAll(edit);
      edit.SetRedraw(TRUE);
    });
    const double line = bench::MedianMs(21, [&] { colorizer.ColorizeLine(edit, lines / 2); });
    std::printf("%5d lines (%6u bytes): scan %8.3f ms, colour all %9.1f ms, colour one line %6.3f ms\n",
                lines, unsigned(text.size()), scan, all, line);
  }
  ::DestroyWindow(top);
  return 0;
}
