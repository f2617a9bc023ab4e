// Colouring in the rich edit control: a script put in or pasted comes out in
// exactly the formats that colouring token by token gives, once what was left
// for later is coloured too, in pieces or at once, edited meanwhile or not;
// it reads back byte for byte, and a paste is one step of undo.
#include "scriptcolorizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/richedit.h"
#include "scriptdlg.h"
#include "scriptdlg_testutil.h"

namespace {

using scripttest::kAwkwardScript;

class ScriptColouring : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    for (CRichEditCtrl* edit : {&edit_, &expected_}) {
      ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                               RECT{0, 0, 600, 400}, parent_, 5018));
      edit->SendMessage(EM_EXLIMITTEXT, 0, 1 << 20);
      edit->SetDefaultCharFormat(colorizer_.DefaultFormat());
    }
    colorizer_.Scanner().SetFunctionNames({"abs"});
  }
  void TearDown() override { ::DestroyWindow(parent_); }

  // The expected control as the editor coloured a whole text token by token:
  // the tab stops, the default format over everything, then each token's
  // colour.
  void ColourTokenByToken() {
    expected_.SetSel(0, -1);
    PARAFORMAT2 tabs = colorizer_.ParagraphFormat();
    expected_.SetParaFormat(tabs);
    expected_.SetSelectionCharFormat(colorizer_.DefaultFormat());
    const CString text = expected_.GetPlainText();
    CScriptScanner& scanner = colorizer_.Scanner();
    scanner.SetText(text.GetString(), static_cast<size_t>(text.GetLength()));
    long start = 0, end = 0;
    for (int kind; (kind = scanner.NextToken(start, end)) != STK_END;) {
      CHARFORMAT2A colour = {};
      colour.dwMask = CFM_COLOR;
      colour.crTextColor = kind == STK_COMMENT    ? CScriptColorizer::kCommentColour
                           : kind == STK_KEYWORD  ? CScriptColorizer::kKeywordColour
                           : kind == STK_FUNCTION ? CScriptColorizer::kFunctionColour
                                                  : CLR_NONE;
      if (colour.crTextColor == CLR_NONE || end <= start) continue;
      expected_.SetSel(start, end);
      expected_.SetSelectionCharFormat(colour);
    }
  }

  void PutIn(const char* script) {
    colorizer_.PutText(edit_, script, std::strlen(script));
    expected_.SetPlainText(script);
    ColourTokenByToken();
  }

  // What was left for later, one piece after another as an idle dialog
  // colours them; the number of pieces.
  int ColourPieceByPiece() {
    int pieces = 0;
    for (; colorizer_.HasPending() && pieces < 10000; ++pieces) colorizer_.ColourPending(edit_, 0);
    EXPECT_FALSE(colorizer_.HasPending());
    return pieces;
  }

  // Every character (the last paragraph mark included) has the same format
  // in both controls, text typed there would take the same, and so have
  // their paragraphs.
  void ExpectSameFormats(const std::string& what) {
    ASSERT_EQ(edit_.GetPlainText(), expected_.GetPlainText()) << what;
    const long length = edit_.GetTextLength();
    for (long at = 0; at <= length; ++at) {
      for (long end : {at + 1, at}) {
        const CHARFORMAT2A got = CharFormat(edit_, at, end), want = CharFormat(expected_, at, end);
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0)
            << what << ": character " << at << (end == at ? " (typed)" : "") << ", colour " << std::hex
            << got.crTextColor << " for " << want.crTextColor << ", face " << got.szFaceName;
      }
      const PARAFORMAT2 got = ParaFormat(edit_, at), want = ParaFormat(expected_, at);
      ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0)
          << what << ": paragraph at " << at << ", tabs " << got.cTabCount << " for " << want.cTabCount;
    }
  }

  static CHARFORMAT2A CharFormat(CRichEditCtrl& edit, long start, long end) {
    CHARFORMAT2A format;
    std::memset(&format, 0, sizeof format);
    format.cbSize = sizeof format;
    edit.SetSel(start, end);
    edit.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
  }

  static PARAFORMAT2 ParaFormat(CRichEditCtrl& edit, long at) {
    PARAFORMAT2 format;
    std::memset(&format, 0, sizeof format);
    format.cbSize = sizeof format;
    edit.SetSel(at, at);
    edit.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
  }

  HWND parent_ = nullptr;
  CScriptColorizer colorizer_;
  CRichEditCtrl edit_;
  CRichEditCtrl expected_;
};

const char* const kScripts[] = {
    CScriptDlg::kFrameScript,
    kAwkwardScript,
    "int",  // no line end: the last paragraph mark stays in the default format
    "// a comment at the end",
    "/* open\r\n\tint",  // an unterminated comment runs to the end
    "\ta\tb",            // one paragraph: its tab stops all the same
    "",
};

// A script longer than the control shows: `lines` lines of code with a
// function call and a comment.
std::string LongScript(int lines) {
  std::string text = "/* head\r\n\tcomment */\r\n";
  for (int i = 0; i < lines; ++i)
    text += "\tint x" + std::to_string(i) + " = abs(" + std::to_string(i) + ");\t// 第" + std::to_string(i) +
            "行\r\n";
  return text + "}";
}

TEST_F(ScriptColouring, APutTextHasTheFormatsOfColouringTokenByToken) {
  for (const char* script : kScripts) {
    PutIn(script);
    colorizer_.FinishColouring(edit_);
    ExpectSameFormats(script);
  }
}

TEST_F(ScriptColouring, AScriptPutInIsColouredOnScreenFirstAndTheRestInPieces) {
  const std::string script = LongScript(170);  // more than go in first
  PutIn(script.c_str());
  // The first line's keyword is coloured; the last line's is not yet.
  const long firstInt = edit_.LineIndex(2) + 1, lastInt = edit_.LineIndex(edit_.GetLineCount() - 2) + 1;
  EXPECT_EQ(CharFormat(edit_, firstInt, firstInt + 1).crTextColor, CScriptColorizer::kKeywordColour);
  EXPECT_EQ(CharFormat(expected_, lastInt, lastInt + 1).crTextColor, CScriptColorizer::kKeywordColour);
  EXPECT_EQ(CharFormat(edit_, lastInt, lastInt + 1).crTextColor, RGB(0, 0, 0));
  ASSERT_TRUE(colorizer_.HasPending());
  EXPECT_GT(ColourPieceByPiece(), 1);
  EXPECT_EQ(edit_.SendMessage(EM_CANUNDO), 0);  // colours are no step of the undo
  ExpectSameFormats("in pieces");
}

TEST_F(ScriptColouring, ALongScriptThatTheControlReadsBackOtherwiseEndsInTheFormatsOfColouringTokenByToken) {
  // Line ends and bytes that the control gives back otherwise than they went
  // in: "\n" or "\r" alone, "\r\r\n", a byte that the code page lacks, a
  // control character.
  const std::string script = LongScript(150);
  const std::string endings[] = {"\n", "\r", "\r\r\n", "\xFF\r\n", "\x01\r\n"};
  for (const std::string& ending : endings) {
    std::string changed;
    for (size_t at = 0, next; at < script.size(); at = next + 2) {
      next = std::min(script.find("\r\n", at), script.size());
      changed += script.substr(at, next - at) + (next < script.size() ? ending : "");
    }
    PutIn(changed.c_str());
    colorizer_.FinishColouring(edit_);
    ExpectSameFormats("line ends " + ending);
  }
}

TEST_F(ScriptColouring, TextTypedWhileColoursArePendingEndsAsColouringTheNewTextAtOnce) {
  const std::string script = LongScript(60);
  struct Case {
    long line;  // 1: on screen, coloured at once; lines from 30 on are pending
    long column;
    const char* typed;
  } cases[] = {
      {1, 0, " "},         // on screen: what follows moves on
      {1, 1, "\r\n\r\n"},  // lines added on screen
      {40, 3, "汉字"},     // in the pending text
      {40, 0, "/* "},      // a comment opened there
      {55, 1, "x"},        // a keyword made a name
      {1, 0, ""},
  };
  for (const Case& c : cases) {
    PutIn(script.c_str());
    const long firstPending = colorizer_.Pending().Ranges().front().first;
    ASSERT_GT(firstPending, edit_.LineIndex(2));
    ASSERT_LE(firstPending, edit_.LineIndex(30));
    const long at = edit_.LineIndex(c.line) + c.column;
    // Typed as the dialog takes a key: the caret's line coloured after it.
    for (CRichEditCtrl* edit : {&edit_, &expected_}) {
      edit->SetSel(at, at);
      edit->ReplaceSel(c.typed, TRUE);
    }
    colorizer_.TextEdited(edit_);
    const int line = edit_.LineFromChar(at + static_cast<long>(std::strlen(c.typed)));
    colorizer_.ColorizeLine(edit_, line);
    ColourPieceByPiece();
    ColourTokenByToken();
    colorizer_.ColorizeLine(expected_, line);
    ExpectSameFormats(std::string("typed ") + c.typed + " in line " + std::to_string(c.line));
  }
}

TEST_F(ScriptColouring, APutTextReadsBackByteForByteWithNothingToUndo) {
  const std::string longScript = LongScript(400) + "\r\n" + kAwkwardScript;
  for (const char* script :
       {kAwkwardScript, "\\{}\\\\", "\t\t{\r\n\t}\r\n", "\r\n\r\n", "x", "", longScript.c_str()}) {
    colorizer_.PutText(edit_, script, std::strlen(script));
    EXPECT_EQ(edit_.GetPlainText(), script);
    EXPECT_EQ(edit_.SendMessage(EM_CANUNDO), 0) << script;
  }
}

TEST_F(ScriptColouring, APasteColoursTheWholeTextAsColouringTokenByTokenDoes) {
  const std::string longScript = LongScript(60);
  struct Case {
    const char* script;
    std::vector<int> linesTyped;  // coloured line by line before the paste
    long start, end;
    const char* pasted;
  } cases[] = {
      {CScriptDlg::kFrameScript, {}, 150, 150, "\r\nint k; //注"},
      {"int a;\r\nint b;\r\n", {}, 0, 0, "/*"},                           // the rest becomes a comment
      {"/* a\r\n\tint b;\r\n*/ int c;\r\n", {}, 0, 2, ""},                // and back to code
      {"#def x\r\n", {}, 4, 4, "ine"},                                    // a word joined across the paste
      {"/*\r\n\tint a;\r\n\t\r\n*/\r\nint b;\r\n", {1, 2}, 27, 27, "x"},  // lines typed inside a comment
      {"int a; /* b\r\nint c;\r\n", {0}, 20, 20, "x"},                    // a comment typed open on its line
      {"ab", {}, 0, 2, "汉字\\{}"},                                       // one line, all of it replaced
      {"a\r\nb", {}, 0, 3, "x\r\ny"},                                     // all lines replaced
      {kAwkwardScript, {}, 40, 45, kAwkwardScript},
      {"", {}, 0, 0, "int x;\r\n"},
      {longScript.c_str(), {}, 0, 0, "/*"},                       // all of a long text turns green
      {longScript.c_str(), {}, 1000, 1000, "*/ int k; /*"},       // a comment closed in its middle
      {longScript.c_str(), {}, 2, 2, "\"http://no.string\" */"},  // no strings: "//" in quotes comments
      {longScript.c_str(), {}, 0, -1, kAwkwardScript},            // all of a long text replaced
      {kAwkwardScript, {}, 0, -1, longScript.c_str()},            // by a long text
      {"", {}, 0, -1, longScript.c_str()},                        // into an empty text
  };
  for (const Case& c : cases) {
    PutIn(c.script);
    for (int line : c.linesTyped) {
      colorizer_.ColorizeLine(edit_, line);
      colorizer_.ColorizeLine(expected_, line);
    }
    edit_.SetSel(c.start, c.end);
    colorizer_.ReplaceSel(edit_, c.pasted, std::strlen(c.pasted));
    ColourPieceByPiece();
    long caret = 0, caretEnd = 0;
    edit_.GetSel(caret, caretEnd);
    // The editor's paste before: the control's own, then everything
    // coloured. The tab stops stay (the control's own paste over all of the
    // text left its paragraphs without them).
    expected_.SetSel(c.start, c.end);
    expected_.ReplaceSel(c.pasted, TRUE);
    long expectedCaret = 0, expectedEnd = 0;
    expected_.GetSel(expectedCaret, expectedEnd);
    ColourTokenByToken();
    EXPECT_EQ(caret, expectedCaret) << c.script;
    EXPECT_EQ(caretEnd, expectedCaret) << c.script;
    ExpectSameFormats(std::string(c.script) + " + " + c.pasted);
  }
}

TEST_F(ScriptColouring, OneUndoTakesBackAPasteAndTheTextIsColouredAsBefore) {
  const std::string longScript = LongScript(60);
  const struct Paste {
    long start, end;
    const char* text;
  } pastes[] = {
      {2, 2, "/*"},                         // the rest of the text turns green
      {0, -1, "int a;\r\n/* b\r\n\tc */"},  // all of the text replaced
  };
  for (const char* script : {kAwkwardScript, longScript.c_str()}) {
    for (const Paste& paste : pastes) {
      const std::string what = std::string(script).substr(0, 20) + " + " + paste.text;
      PutIn(script);
      colorizer_.FinishColouring(edit_);
      edit_.SetSel(paste.start, paste.end);
      colorizer_.ReplaceSel(edit_, paste.text, std::strlen(paste.text));
      ColourPieceByPiece();
      ASSERT_NE(edit_.GetPlainText(), script);
      EXPECT_TRUE(edit_.Undo());
      EXPECT_EQ(edit_.GetPlainText(), script) << what;
      EXPECT_EQ(edit_.SendMessage(EM_CANUNDO), 0) << what;
      colorizer_.Undone(edit_);
      ColourPieceByPiece();
      ExpectSameFormats("undone " + what);
      // Redo gives the paste back, coloured as it was.
      EXPECT_TRUE(edit_.SendMessage(EM_REDO));
      colorizer_.Undone(edit_);
      ColourPieceByPiece();
      expected_.SetSel(paste.start, paste.end);
      expected_.ReplaceSel(paste.text, TRUE);
      EXPECT_EQ(edit_.GetPlainText(), expected_.GetPlainText()) << what;
      ColourTokenByToken();
      ExpectSameFormats("redone " + what);
    }
  }
}

TEST_F(ScriptColouring, APasteIsCutAtTheControlsLimitBetweenCharacters) {
  edit_.SendMessage(EM_EXLIMITTEXT, 0, 5);
  colorizer_.PutText(edit_, "ab", 2);
  edit_.SetSel(1, 1);
  colorizer_.ReplaceSel(edit_, "汉字汉字", 8);
  EXPECT_EQ(edit_.GetPlainText(), "a汉字汉b");
  long caret = 0, end = 0;
  edit_.GetSel(caret, end);
  EXPECT_EQ(caret, 4);
}

TEST_F(ScriptColouring, APasteOverAllOfTheTextKeepsWhatTheLimitHasRoomFor) {
  // A paste over all of the text near the control's limit: the character
  // left behind while it goes in costs none of the pasted ones, nor the
  // one step of undo.
  edit_.SendMessage(EM_EXLIMITTEXT, 0, 5);
  const struct Case {
    const char* script;
    const char* pasted;
    const char* result;
  } cases[] = {
      {"ab", "汉字汉字", "汉字汉字"},
      {"ab", "汉字汉字x", "汉字汉字x"},  // as many characters as the limit
      {"abcde", "x\r\ny", "x\r\ny"},     // the text at the limit
  };
  for (const Case& c : cases) {
    colorizer_.PutText(edit_, c.script, std::strlen(c.script));
    edit_.SetSel(0, -1);
    colorizer_.ReplaceSel(edit_, c.pasted, std::strlen(c.pasted));
    EXPECT_EQ(edit_.GetPlainText(), c.result) << c.script << " + " << c.pasted;
    ASSERT_TRUE(edit_.Undo());
    EXPECT_EQ(edit_.GetPlainText(), c.script) << c.script << " + " << c.pasted;
  }
}

TEST_F(ScriptColouring, APastedLeadByteWithoutItsTrailByteIsLeftOut) {
  colorizer_.PutText(edit_, "ab", 2);
  edit_.SetSel(1, 1);
  colorizer_.ReplaceSel(edit_, "x\x81", 2);  // "\x81b" would make one character of it
  EXPECT_EQ(edit_.GetPlainText(), "axb");
}

}  // namespace
