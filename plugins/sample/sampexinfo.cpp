// Sampex's information record and tables, as data.
#include "sampexinfo.h"

#include <algorithm>
#include <cstring>
#include <iterator>

const char kSampexClassName[] = "Sampxe_1.0";

namespace {

struct ItemText {
  WORD id;
  WORD type;  // or, for a block's first entry, the number of entries after it
  const char* name;
  const char* description;
};

const ItemText kProperties[] = {
    {SPX_PROP_BACKCOLOR, QPT_COLOR, "backcolor", "背景颜色"},
    {SPX_PROP_FONT, QPT_PLOGFONT + QPT_BYPOINTER, "font", "显示字体"},
    {SPX_PROP_ADJUST, SPX_ENUM_TXTADJUST, "adjust", "对齐方式"},
};

const ItemText kEvents[] = {
    {SPX_EVENT_MOUSEMOVE, QPT_EVENTARG + QPT_BYPOINTER, "MOUSEMOVE", "鼠标移动"},
};

// One function: itself, its return value, its two arguments.
constexpr int kFunctionEntries = 4;
const ItemText kFunctions[][kFunctionEntries] = {
    {{SPX_FUNC_ADD, 3, "add", "测试用的接口函数,简单的加法运算"},
     {QPT_FLOAT64, 0, "", "返回dblv1 + dblv2"},
     {QPT_FLOAT64, 0, "dblv1", "加数1"},
     {QPT_FLOAT64, 0, "dblv2", "加数2"}},
    {{SPX_FUNC_DEC, 3, "dec", "测试用的接口函数,简单的减法运算"},
     {QPT_FLOAT64, 0, "", "返回dblv1 - dblv2"},
     {QPT_FLOAT64, 0, "dblv1", "被减数"},
     {QPT_FLOAT64, 0, "dblv2", "减数"}},
};

struct EnumText {
  LONG value;
  const char* name;
  const char* description;
};
const ItemText kAdjustHeader = {SPX_ENUM_TXTADJUST, 3, "TXTADJUST", "文本对齐枚举"};
const EnumText kAdjustValues[] = {
    {0, "DT_LEFT", "左对齐"},
    {1, "DT_CENTER", "居中对齐"},
    {2, "DT_RIGHT", "右对齐"},
};

// Copies at most size - 1 characters and zero-fills the rest up to there;
// the last byte is left as it was.
template <size_t size>
void CopyText(char (&field)[size], const char* text) {
  std::strncpy(field, text, size - 1);
}

void FillItem(QPI_ITEMINFO& item, const ItemText& text) {
  item.id = text.id;
  item.type = text.type;
  CopyText(item.szName, text.name);
  CopyText(item.szDescription, text.description);
  item.szName[sizeof item.szName - 1] = '\0';
  item.szDescription[sizeof item.szDescription - 1] = '\0';
}

// Enumerators get no terminating zero in the last byte: their texts are
// shorter than the fields.
void FillEnumItem(QPI_ENUMITEM& item, const EnumText& text) {
  item.value = text.value;
  CopyText(item.szName, text.name);
  CopyText(item.szDescription, text.description);
}

// How many of `total` entries a table function with this maximum writes.
int Writable(const void* table, int max, int total) { return table && max > 0 ? std::min(max, total) : 0; }

int FillItems(QPI_ITEMINFO* items, int max, const ItemText* texts, int total) {
  const int n = Writable(items, max, total);
  for (int i = 0; i < n; ++i) FillItem(items[i], texts[i]);
  return n;
}

}  // namespace

bool FillSampexInfo(QPI_PLUGINFO* info) {
  if (!info) return false;
  std::memset(info, 0, sizeof *info);
  info->dwWord0 = 256;
  info->dwWord1 = 256;
  info->nInterfaces = static_cast<WORD>(std::size(kFunctions));
  info->nProperties = static_cast<WORD>(std::size(kProperties));
  info->nEvents = static_cast<WORD>(std::size(kEvents));
  info->nEnums = 1;
  CopyText(info->szIdent, kSampexClassName);
  CopyText(info->szName, "Sampexin v1.0");
  CopyText(info->szMaker, "QEL");
  CopyText(info->szDescription, "QelHmi演示插件");
  CopyText(info->szCopyright, "QEL 控件插件示例，可自由复制和修改");
  return true;
}

int FillSampexProperties(QPI_ITEMINFO* items, int max) {
  return FillItems(items, max, kProperties, static_cast<int>(std::size(kProperties)));
}

int FillSampexEvents(QPI_ITEMINFO* items, int max) {
  return FillItems(items, max, kEvents, static_cast<int>(std::size(kEvents)));
}

int FillSampexInterfaces(QPI_INTERFACEINFO* blocks, int max) {
  const int n = Writable(blocks, max, static_cast<int>(std::size(kFunctions)));
  for (int b = 0; b < n; ++b)
    for (int e = 0; e < kFunctionEntries; ++e) FillItem(blocks[b].entry[e], kFunctions[b][e]);
  return n;
}

int FillSampexEnums(QPI_ENUMINFO* blocks, int max) {
  const int n = Writable(blocks, max, 1);
  for (int b = 0; b < n; ++b) {
    FillItem(blocks[b].header, kAdjustHeader);
    for (size_t i = 0; i < std::size(kAdjustValues); ++i) FillEnumItem(blocks[b].item[i], kAdjustValues[i]);
  }
  return n;
}
