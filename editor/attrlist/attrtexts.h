// The texts and rules of the attribute list and the event-link list: how a
// property record's value is written in its row, which image a row shows,
// and how an edited text goes back to the editing window (as the text, as a
// number made from it, or not at all). Plain functions over the records, so
// that each rule is one table.
#pragma once
#include <windows.h>

#include "qel/picmsg.h"  // the property and link-kind records
#include "qstring.h"

// ---- column headings and fixed texts ---------------------------------------------
extern const char kColumnProperty[];    // "属性"
extern const char kColumnValue[];       // "值"
extern const char kTextClickToEnter[];  // "点击进入..." (the dialog button of kind 10)
extern const char kTextTrue[];          // "TRUE"
extern const char kTextFalse[];         // "FALSE"
extern const char kTextLinkDirect[];    // "直接连接"
extern const char kTextLinkScript[];    // "CScript脚本"
extern const char kTextLinkNone[];      // "    －"

// ---- choices of the combo editors -------------------------------------------------
// A value and its text; a value without an entry shows as empty.
struct ValueText {
  int value;
  const char* text;
};
extern const ValueText kLineStyleTexts[2];  // 0 "实线", 1 "虚线"
extern const ValueText kFillTexts[6];       // 0 "不填充" ... 5 "左右渐变"
extern const ValueText kAlignTexts[3];      // 0 "TA_LEFT", 6 "TA_CENTER", 2 "TA_RIGHT"
extern const ValueText kBoolTexts[2];       // 1 "TRUE", 0 "FALSE"

// ---- value texts --------------------------------------------------------------------
// "&" and the red, green and blue bytes in upper-case hex; "无颜色" for 0xFFFFFFFF.
CString ColorValueText(COLORREF color);
// A 16-byte identifier as "%08X-%04X-%04X-%02X%02X%02X%02X%02X%02X%02X%02X";
// empty for null.
CString GuidValueText(const void* id);
// The text of a record's value by the low 7 bits of its editor kind; a null
// text, font or identifier pointer shows as empty.
CString PropValueText(const PropDesc& rec);
// The row image of a property id; -1 for none.
int PropIdToImage(int id);
// The row image of a link kind; -1 for none.
int LinkKindToImage(int kind);
// The second column of an event row by the link's flags.
const char* LinkModeText(DWORD flags);

// ---- sending an edited text back ------------------------------------------------------
enum class PropSend { nothing, text, number };
// How an edited text of a property id goes back to the editing window.
PropSend PropSendRule(int id);
// The number that an edited text of a property id stands for.
LONG_PTR PropNumberFromText(int id, const char* text);
// The text's decimal value as the runtime reads it: blanks, a sign and the
// digits that follow; 0 when there are none; held to the range of int.
int DecimalValue(const char* text);
// An edit-box text held to the record's bounds: raised to minimum when the
// kind has PK_MIN_APPLIES, lowered to maximum when it has PK_MAX_APPLIES
// (the bound written with "%d"); otherwise the text unchanged.
CString ClampEditText(const CString& text, int kind, int minimum, int maximum);
