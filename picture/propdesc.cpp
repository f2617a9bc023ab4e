#include "propdesc.h"

#include <cstring>

namespace {

struct IdName {
  int id;
  const char* name;
};

// GBK text: the attribute list shows these names as they stand.
const IdName kPropNames[] = {
    {PROP_TYPE, "类型"},
    {PROP_NAME, "对象名称"},
    {PROP_COMMENT, "注释"},
    {PROP_TEXT, "显示文本"},
    {PROP_LINESTYLE, "线型"},
    {PROP_LINEWIDTH, "线宽"},
    {PROP_LINECOLOR, "颜色"},
    {PROP_FILLCOLOR1, "填充颜色1"},
    {PROP_FILLMODE, "填充模式"},
    {PROP_TOPX, "TOPX"},
    {PROP_TOPY, "TOPY"},
    {PROP_WIDTH, "WIDTH"},
    {PROP_HEIGHT, "HEIGHT"},
    {PROP_FONT, "字体"},
    {PROP_ARROWSIZE, "箭头大小"},
    {PROP_ARROWANGLE, "箭头角度"},
    {PROP_PIPEWIDTH, "管道宽度"},
    {PROP_ALIGN, "对其方式"},
    {PROP_READONLY, "只读"},
    {PROP_MULTILINE, "多行"},
    {PROP_PASSWORD, "密码模式"},
    {PROP_SUBPICID, "子图ID"},
    {PROP_CHILDCOUNT, "内含对象数"},
    {PROP_FILLCOLOR2, "填充颜色2"},
    {PROP_PICNAME, "画面名"},
    {PROP_PICBKCOLOR, "画面背景色"},
    {PROP_PICPERIOD, "画面周期(毫秒)"},
    {PROP_STRUCTNAME, "结构名"},
    {PROP_PAGES, "属性页"},
};

const IdName kTypeNames[] = {
    {kPictureTypeKey, "画面"},
    {1, "多线"},
    {2, "直线"},
    {3, "单行文字"},
    {4, "封闭多线"},
    {5, "矩形"},
    {6, "连续曲线"},
    {7, "连续封闭曲线"},
    {8, "椭圆"},
    {9, "箭头"},
    {10, "管道"},
    {11, "标签值"},
    {12, "位图"},
    {13, "多行文本"},
    {50, "组合"},
    {51, "子图"},
    {101, "PUSH按钮"},
    {102, "Check按钮"},
    {103, "Radio按钮"},
    {104, "Edit控件"},
    {150, "OCX控件"},
    {151, "QEL插件"},
};

const IdName kActionKindNames[] = {
    {AK_SCRIPT, " 自定义脚本"},
    {AK_TAGVALUE, " 输出显示"},
    {AK_COLOR, " 颜色"},
    {AK_FILLCOLOR, " 填充色"},
    {AK_FLASH, " 闪烁"},
    {AK_SHOWHIDE, " 显示/隐藏"},
    {AK_ROLL, " 旋转"},
    {AK_MOVE, " 移动"},
    {AK_PERFILL, " 百分比填充"},
    {AK_POINTER, " 仪表指针"},
    {AK_MOUSE_CLICK, " 鼠标动作CLK"},
    {AK_LBUTTON_DOWN, " 鼠标左健按下"},
    {AK_LBUTTON_UP, " 鼠标左健弹起"},
    {AK_RBUTTON_DOWN, " 鼠标右健按下"},
    {AK_RBUTTON_UP, " 鼠标右健弹起"},
    {AK_CLICKED, " CLICKED"},
    {AK_SETFOCUS, " 获得焦点"},
    {AK_KILLFOCUS, " 失去焦点"},
    {AK_CHANGE, " 内容变化"},
};

template <size_t N>
const char* Lookup(const IdName (&table)[N], int id) {
  for (const IdName& entry : table)
    if (entry.id == id) return entry.name;
  return nullptr;
}

// One offered link kind: its number and the modes it allows.
struct Offer {
  int kind;
  int allowed;
};
constexpr int B = AM_ALLOW_BOTH;
constexpr int S = AM_ALLOW_SCRIPT;

const Offer kPolylineOffers[] = {{2, B},   {4, B},   {7, S},   {5, B}, {6, B},
                                 {101, B}, {102, B}, {103, B}, {0, S}};
const Offer kLineOffers[] = {{2, B}, {9, B},   {4, B},   {7, S},   {5, B},
                             {6, B}, {101, B}, {102, B}, {103, B}, {0, S}};
const Offer kFilledOffers[] = {{2, B}, {3, B},   {4, B},   {5, B},   {7, S}, {8, B},
                               {6, B}, {101, B}, {102, B}, {103, B}, {0, S}};
const Offer kPipeTextOffers[] = {{2, B}, {3, B},   {4, B},   {7, S},   {5, B},
                                 {6, B}, {101, B}, {102, B}, {103, B}, {0, S}};
const Offer kTagValueOffers[] = {{1, B}, {2, B},   {3, B},   {4, B},   {7, S}, {5, B},
                                 {6, B}, {101, B}, {102, B}, {103, B}, {0, S}};
const Offer kSubpictureOffers[] = {{7, S}, {4, B}, {5, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}};
const Offer kPushButtonOffers[] = {{2, B}, {3, B}, {500, B}, {0, S}};
const Offer kCheckRadioOffers[] = {{2, B}, {3, B}, {500, S}, {0, S}};
const Offer kEditOffers[] = {{520, S}, {511, S}, {510, S}, {0, S}};
const Offer kHostedOffers[] = {{0, S}};

struct OfferList {
  LinkFamily family;
  const Offer* offers;
  int count;
};

#define QEL_OFFERS(family, table) \
  { family, table, static_cast<int>(sizeof table / sizeof table[0]) }
const OfferList kOfferLists[] = {
    QEL_OFFERS(LF_POLYLINE, kPolylineOffers),
    QEL_OFFERS(LF_LINE, kLineOffers),
    QEL_OFFERS(LF_FILLED, kFilledOffers),
    QEL_OFFERS(LF_PIPE_TEXT, kPipeTextOffers),
    QEL_OFFERS(LF_TAGVALUE, kTagValueOffers),
    QEL_OFFERS(LF_SUBPICTURE, kSubpictureOffers),
    QEL_OFFERS(LF_PUSHBUTTON, kPushButtonOffers),
    QEL_OFFERS(LF_CHECK_RADIO, kCheckRadioOffers),
    QEL_OFFERS(LF_EDIT, kEditOffers),
    QEL_OFFERS(LF_HOSTED, kHostedOffers),
};
#undef QEL_OFFERS

struct TypeFamily {
  int objType;
  LinkFamily family;
};
const TypeFamily kTypeFamilies[] = {
    {1, LF_POLYLINE},      {6, LF_POLYLINE},    {2, LF_LINE},         {9, LF_LINE},
    {4, LF_FILLED},        {7, LF_FILLED},      {5, LF_FILLED},       {8, LF_FILLED},
    {12, LF_FILLED},       {13, LF_FILLED},     {10, LF_PIPE_TEXT},   {3, LF_PIPE_TEXT},
    {11, LF_TAGVALUE},     {51, LF_SUBPICTURE}, {101, LF_PUSHBUTTON}, {102, LF_CHECK_RADIO},
    {103, LF_CHECK_RADIO}, {104, LF_EDIT},      {150, LF_HOSTED},     {151, LF_HOSTED},
};

// Length of the longest prefix of text that fits in limit bytes without
// ending on the lead byte of a GBK double-byte character.
size_t GbkPrefixLength(const char* text, size_t limit) {
  size_t i = 0;
  while (i < limit && text[i]) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool lead = c >= 0x81 && c <= 0xFE;
    if (lead && text[i + 1]) {
      if (i + 2 > limit) break;
      i += 2;
    } else {
      ++i;
    }
  }
  return i;
}

void FillRecord(int id, int kind, const char* name, size_t length, PropDesc* rec) {
  if (!rec) return;
  rec->id = id;
  rec->kind = kind;
  rec->minimum = 0;
  rec->maximum = 0;
  std::memset(rec->name, 0, sizeof rec->name);
  std::memcpy(rec->name, name, length);
}

}  // namespace

const char* GetPropName(int id) {
  const char* name = Lookup(kPropNames, id);
  return name ? name : "";
}

void GetPropDesc(int id, int kind, PropDesc* rec) {
  const char* name = GetPropName(id);
  FillRecord(id, kind, name, std::strlen(name), rec);
}

void SetPropDesc(int id, int kind, const char* name, PropDesc* rec) {
  if (!name) name = "";
  FillRecord(id, kind, name, GbkPrefixLength(name, kPropNameSize - 1), rec);
}

const char* GetTypeName(int objType) { return Lookup(kTypeNames, objType); }

const char* GetActionKindName(int kind) { return Lookup(kActionKindNames, kind); }

LinkFamily LinkFamilyOfType(int objType) {
  for (const TypeFamily& entry : kTypeFamilies)
    if (entry.objType == objType) return entry.family;
  return LF_NONE;
}

int FillActionKinds(LinkFamily family, const FindActionFn& findAction, ActionKindDesc* out, int capacity) {
  for (const OfferList& list : kOfferLists) {
    if (list.family != family) continue;
    int written = 0;
    if (!out) capacity = 0;
    for (; written < list.count && written < capacity; ++written) {
      const Offer& offer = list.offers[written];
      const int mode = findAction ? findAction(offer.kind) : AM_NONE;
      ActionKindDesc& rec = out[written];
      std::memset(&rec, 0, sizeof rec);
      rec.kind = offer.kind;
      rec.flags = (static_cast<DWORD>(offer.allowed) << 8) | (static_cast<DWORD>(mode) & 0xFF);
      const char* name = GetActionKindName(offer.kind);
      std::memcpy(rec.name, name, std::strlen(name));
    }
    return written;
  }
  return 0;
}
