#include "attrtexts.h"

#include <climits>
#include <cstring>

#include "colorpopup.h"
#include "crtformat.h"

const char kColumnProperty[] = "属性";
const char kColumnValue[] = "值";
const char kTextClickToEnter[] = "点击进入...";
const char kTextTrue[] = "TRUE";
const char kTextFalse[] = "FALSE";
const char kTextLinkDirect[] = "直接连接";
const char kTextLinkScript[] = "CScript脚本";
const char kTextLinkNone[] = "    －";

const ValueText kLineStyleTexts[2] = {{0, "实线"}, {1, "虚线"}};
const ValueText kFillTexts[6] = {{0, "不填充"},       {1, "单色填充"}, {2, "水平中心渐变"},
                                 {3, "垂直中心渐变"}, {4, "上下渐变"}, {5, "左右渐变"}};
const ValueText kAlignTexts[3] = {{0, "TA_LEFT"}, {6, "TA_CENTER"}, {2, "TA_RIGHT"}};
const ValueText kBoolTexts[2] = {{1, kTextTrue}, {0, kTextFalse}};

namespace {

template <size_t N>
const char* TextOfValue(const ValueText (&table)[N], LONG_PTR value) {
  for (const ValueText& entry : table)
    if (entry.value == value) return entry.text;
  return "";
}

// The value of a text in a table; fallback when the text is none of them.
template <size_t N>
int ValueOfText(const ValueText (&table)[N], const char* text, int fallback) {
  for (const ValueText& entry : table)
    if (std::strcmp(entry.text, text) == 0) return entry.value;
  return fallback;
}

const char* TextPointer(LONG_PTR value) { return value ? reinterpret_cast<const char*>(value) : ""; }

CString FontFace(LONG_PTR value) {
  if (!value) return CString();
  const LOGFONTA* font = reinterpret_cast<const LOGFONTA*>(value);
  return CString(font->lfFaceName, static_cast<int>(strnlen(font->lfFaceName, LF_FACESIZE)));
}

// One row per id range: the images of the attribute list's bitmap.
struct IdImage {
  int id;
  int image;
};
const IdImage kPropImages[] = {{PROP_NAME, 8},       {PROP_PICNAME, 8},     {PROP_LINESTYLE, 5},
                               {PROP_LINEWIDTH, 4},  {PROP_LINECOLOR, 0},   {PROP_FILLCOLOR1, 1},
                               {PROP_FILLCOLOR2, 1}, {PROP_PICBKCOLOR, 1},  {PROP_FONT, 6},
                               {PROP_MULTILINE, 9},  {PROP_CHILDCOUNT, 10}, {24, 3},
                               {PROP_PAGES, 2},      {PROP_LAYERS, 11}};
const IdImage kLinkImages[] = {{AK_SCRIPT, 4}, {AK_COLOR, 0}, {AK_FILLCOLOR, 1}, {AK_MOUSE_CLICK, 5}};

template <size_t N>
int ImageOf(const IdImage (&table)[N], int id) {
  for (const IdImage& entry : table)
    if (entry.id == id) return entry.image;
  return -1;
}

// The ids whose edited text goes back as a number, as closed ranges.
struct IdRange {
  int first, last;
};
const IdRange kNumberIds[] = {{4, 12}, {14, 20}, {23, 24}, {30, 32}};
const int kTextIds[] = {PROP_NAME, PROP_COMMENT, PROP_TEXT, PROP_STRUCTNAME};

}  // namespace

CString ColorValueText(COLORREF color) {
  if (color == CColorPopup::kNoColor) return CColorPopup::kNoColorText;
  return qel::FormatStr("&%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color)).c_str();
}

CString GuidValueText(const void* id) {
  if (!id) return CString();
  GUID guid;
  std::memcpy(&guid, id, sizeof guid);
  const BYTE* d = guid.Data4;
  return qel::FormatStr("%08lX-%04X-%04X-%02X%02X%02X%02X%02X%02X%02X%02X", guid.Data1, guid.Data2,
                        guid.Data3, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7])
      .c_str();
}

CString PropValueText(const PropDesc& rec) {
  switch (rec.kind & PK_EDITOR_MASK) {
    case PE_INTEGER: return qel::FormatStr("%d", static_cast<int>(rec.value)).c_str();
    case PE_BOOL: return rec.value ? kTextTrue : kTextFalse;
    case PE_COLOR: return ColorValueText(static_cast<COLORREF>(rec.value));
    case PE_TEXT: return TextPointer(rec.value);
    case PE_FONT: return FontFace(rec.value);
    case PE_GUID: return GuidValueText(reinterpret_cast<const void*>(rec.value));
    case PE_LINESTYLE: return TextOfValue(kLineStyleTexts, rec.value);
    case PE_FILLMODE: return TextOfValue(kFillTexts, rec.value);
    case PE_ALIGN: return TextOfValue(kAlignTexts, rec.value);
    case PE_BUTTON: return kTextClickToEnter;
  }
  return CString();
}

int PropIdToImage(int id) { return ImageOf(kPropImages, id); }
int LinkKindToImage(int kind) { return ImageOf(kLinkImages, kind); }

const char* LinkModeText(DWORD flags) {
  if (flags & AM_DIRECT) return kTextLinkDirect;
  if (flags & AM_SCRIPT) return kTextLinkScript;
  return kTextLinkNone;
}

PropSend PropSendRule(int id) {
  for (int textId : kTextIds)
    if (id == textId) return PropSend::text;
  for (const IdRange& range : kNumberIds)
    if (id >= range.first && id <= range.last) return PropSend::number;
  return PropSend::nothing;
}

LONG_PTR PropNumberFromText(int id, const char* text) {
  switch (id) {
    case PROP_LINESTYLE: return ValueOfText(kLineStyleTexts, text, 0);
    case PROP_FILLMODE: return ValueOfText(kFillTexts, text, 0);
    case PROP_ALIGN: return ValueOfText(kAlignTexts, text, 2);
    case PROP_READONLY:
    case PROP_MULTILINE:
    case PROP_PASSWORD: return CString(text).CompareNoCase("true") == 0 ? 1 : 0;
  }
  return DecimalValue(text);
}

int DecimalValue(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturated below
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

CString ClampEditText(const CString& text, int kind, int minimum, int maximum) {
  const int value = DecimalValue(text);
  if ((kind & PK_MIN_APPLIES) && value < minimum) return qel::FormatStr("%d", minimum).c_str();
  if ((kind & PK_MAX_APPLIES) && value > maximum) return qel::FormatStr("%d", maximum).c_str();
  return text;
}
