// What the script editor's dialog tests share: the tips they offer, the
// dialog being driven, keys and characters typed as the engineer types them,
// and the colours read back from the rich edit control.
#pragma once
#include <gtest/gtest.h>

#include "scriptdlg.h"
#include "testing/dialogscript.h"

namespace scripttest {

using qeltest::DialogDriver;
using qeltest::DialogScript;

extern const char kCaption[];
// A script with what loading it must keep byte for byte and count with care:
// Chinese text, GBK characters whose trail bytes are "\", "{" and "}", tabs,
// braces, backslashes, a multi-line comment and an empty last line.
extern const char kAwkwardScript[];

// The tests' own tips file (abs, dbr_GetDbVal, dbr_GetDbStr, dbr_SetLoaclVal,
// time), named for the whole suite.
class ScriptDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  // Opens the dialog modally and runs the script's steps on it; the
  // script must pass.
  void Run(CScriptDlg& dlg, DialogScript& script);
};

// Characters typed, one at a time, into the focus (or the dialog's edit
// control when another program took the activation).
void Type(const char* text);
// A key pressed: it goes through the dialog's loop, so the dialog's own keys
// and the character the key makes follow as for the user.
void Press(UINT key);
// The same with Ctrl held down, until ReleaseCtrl.
void PressWithCtrl(UINT key);
void ReleaseCtrl();
void Command(DialogDriver& d, UINT id);
// The close box.
void Close(DialogDriver& d);

// The colour of every character of the first occurrence of what; -1 when the
// characters differ in colour or it is not there.
long ColourOf(CRichEditCtrl& edit, const char* what);

constexpr long kBlack = 0;
constexpr long kBlue = CScriptColorizer::kKeywordColour;
constexpr long kGreen = CScriptColorizer::kCommentColour;
constexpr long kDarkRed = CScriptColorizer::kFunctionColour;

}  // namespace scripttest
