#include "propdesc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

PropDesc Dirty() {
  PropDesc rec;
  std::memset(&rec, 0xCC, sizeof rec);
  return rec;
}

void ExpectNameFieldZeroFilledAfter(const PropDesc& rec, size_t length) {
  for (size_t i = length; i < sizeof rec.name; ++i) EXPECT_EQ(rec.name[i], 0) << "byte " << i;
}

TEST(PropDesc, GetPropDescFillsIdKindAndNameAndZeroesLimits) {
  PropDesc rec = Dirty();
  rec.value = 1234;
  GetPropDesc(PROP_LINEWIDTH, PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, &rec);
  EXPECT_EQ(rec.id, 5);
  EXPECT_EQ(rec.kind, 768);
  EXPECT_EQ(rec.minimum, 0);
  EXPECT_EQ(rec.maximum, 0);
  EXPECT_EQ(rec.value, 1234);  // the caller's
  EXPECT_STREQ(rec.name, "线宽");
  ExpectNameFieldZeroFilledAfter(rec, std::strlen("线宽"));
}

TEST(PropDesc, EveryNamedIdHasItsName) {
  const std::map<int, std::string> names = {
      {0, "类型"},      {1, "对象名称"},    {2, "注释"},
      {3, "显示文本"},  {4, "线型"},        {5, "线宽"},
      {6, "颜色"},      {7, "填充颜色1"},   {8, "填充模式"},
      {9, "TOPX"},      {10, "TOPY"},       {11, "WIDTH"},
      {12, "HEIGHT"},   {13, "字体"},       {14, "箭头大小"},
      {15, "箭头角度"}, {16, "管道宽度"},   {17, "对其方式"},
      {18, "只读"},     {19, "多行"},       {20, "密码模式"},
      {21, "子图ID"},   {22, "内含对象数"}, {23, "填充颜色2"},
      {30, "画面名"},   {31, "画面背景色"}, {32, "画面周期(毫秒)"},
      {33, "结构名"},   {50, "属性页"},
  };
  for (int id = -2; id <= 60; ++id) {
    PropDesc rec = Dirty();
    GetPropDesc(id, PE_TEXT, &rec);
    auto it = names.find(id);
    const std::string want = it == names.end() ? "" : it->second;
    EXPECT_EQ(std::string(rec.name), want) << "id " << id;
    EXPECT_LT(want.size(), sizeof rec.name);
    ExpectNameFieldZeroFilledAfter(rec, want.size());
  }
}

TEST(PropDesc, UnnamedIdsGiveTheEmptyName) {
  for (int id : {24, 40, 51}) {
    PropDesc rec = Dirty();
    GetPropDesc(id, PE_INTEGER, &rec);
    EXPECT_EQ(rec.id, id);
    EXPECT_STREQ(rec.name, "") << id;
    ExpectNameFieldZeroFilledAfter(rec, 0);
  }
}

TEST(PropDesc, SetPropDescCutsTheNameTo19Bytes) {
  PropDesc rec = Dirty();
  SetPropDesc(51, PE_BUTTON, "ABCDEFGHIJKLMNOPQRSTUVWXY", &rec);  // 25 bytes
  EXPECT_EQ(rec.id, 51);
  EXPECT_EQ(rec.kind, PE_BUTTON);
  EXPECT_EQ(rec.minimum, 0);
  EXPECT_EQ(rec.maximum, 0);
  EXPECT_EQ(std::string(rec.name), "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(rec.name[19], 0);
}

TEST(PropDesc, SetPropDescNeverSplitsADoubleByteCharacter) {
  struct Case {
    const char* name;
    const char* want;
  };
  const Case cases[] = {
      {"画面层管理", "画面层管理"},
      // 18 ASCII bytes and a double-byte character: only its lead byte would fit.
      {"ABCDEFGHIJKLMNOPQR画面", "ABCDEFGHIJKLMNOPQR"},
      {"ABCDEFGHIJKLMNOPQ画面", "ABCDEFGHIJKLMNOPQ画"},
      {"一二三四五六七八九十", "一二三四五六七八九"},  // 20 bytes -> 18
      {"", ""},
  };
  for (const Case& c : cases) {
    PropDesc rec = Dirty();
    SetPropDesc(PROP_LAYERS, PE_BUTTON, c.name, &rec);
    EXPECT_EQ(std::string(rec.name), c.want);
    ExpectNameFieldZeroFilledAfter(rec, std::strlen(c.want));
  }
  PropDesc rec = Dirty();
  SetPropDesc(PROP_LAYERS, PE_BUTTON, nullptr, &rec);
  EXPECT_STREQ(rec.name, "");
  SetPropDesc(PROP_LAYERS, PE_BUTTON, "x", nullptr);  // no record: nothing to fill
  GetPropDesc(PROP_NAME, PE_TEXT, nullptr);
}

TEST(PropDesc, TypeNamesKeyedByObjectKindWithThePictureAtMinusOne) {
  const std::map<int, std::string> names = {
      {-1, "画面"},     {1, "多线"},       {2, "直线"},         {3, "单行文字"},    {4, "封闭多线"},
      {5, "矩形"},      {6, "连续曲线"},   {7, "连续封闭曲线"}, {8, "椭圆"},        {9, "箭头"},
      {10, "管道"},     {11, "标签值"},    {12, "位图"},        {13, "多行文本"},   {50, "组合"},
      {51, "子图"},     {101, "PUSH按钮"}, {102, "Check按钮"},  {103, "Radio按钮"}, {104, "Edit控件"},
      {150, "OCX控件"}, {151, "QEL插件"},
  };
  for (int type = -3; type <= 160; ++type) {
    const char* name = GetTypeName(type);
    auto it = names.find(type);
    if (it == names.end())
      EXPECT_EQ(name, nullptr) << type;
    else
      EXPECT_EQ(std::string(name ? name : "(null)"), it->second) << type;
  }
  EXPECT_EQ(GetTypeName(0), nullptr);
  EXPECT_EQ(GetTypeName(100), nullptr);
}

TEST(ActionKinds, DisplayNamesBeginWithABlankAndFitTheRecord) {
  const std::map<int, std::string> names = {
      {0, " 自定义脚本"},     {1, " 输出显示"},       {2, " 颜色"},           {3, " 填充色"},
      {4, " 闪烁"},           {5, " 显示/隐藏"},      {6, " 旋转"},           {7, " 移动"},
      {8, " 百分比填充"},     {9, " 仪表指针"},       {101, " 鼠标动作CLK"},  {102, " 鼠标左健按下"},
      {103, " 鼠标左健弹起"}, {104, " 鼠标右健按下"}, {105, " 鼠标右健弹起"}, {500, " CLICKED"},
      {510, " 获得焦点"},     {511, " 失去焦点"},     {520, " 内容变化"},
  };
  for (int kind = -1; kind <= 600; ++kind) {
    const char* name = GetActionKindName(kind);
    auto it = names.find(kind);
    if (it == names.end()) {
      EXPECT_EQ(name, nullptr) << kind;
      continue;
    }
    ASSERT_NE(name, nullptr) << kind;
    EXPECT_EQ(std::string(name), it->second);
    EXPECT_LT(std::strlen(name), size_t{kActionKindNameSize});
  }
}

struct Offered {
  int kind;
  DWORD allowed;
};

std::vector<Offered> Offers(LinkFamily family) {
  ActionKindDesc recs[32];
  const int n = FillActionKinds(family, nullptr, recs, 32);
  std::vector<Offered> out;
  for (int i = 0; i < n; ++i) out.push_back({recs[i].kind, recs[i].flags >> 8});
  return out;
}

TEST(ActionKinds, EachFamilyOffersItsKindsInOrder) {
  const DWORD B = 3, S = 2;
  struct Case {
    LinkFamily family;
    std::vector<Offered> want;
  };
  const Case cases[] = {
      {LF_POLYLINE, {{2, B}, {4, B}, {7, S}, {5, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}}},
      {LF_LINE, {{2, B}, {9, B}, {4, B}, {7, S}, {5, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}}},
      {LF_FILLED,
       {{2, B}, {3, B}, {4, B}, {5, B}, {7, S}, {8, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}}},
      {LF_PIPE_TEXT, {{2, B}, {3, B}, {4, B}, {7, S}, {5, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}}},
      {LF_TAGVALUE,
       {{1, B}, {2, B}, {3, B}, {4, B}, {7, S}, {5, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}}},
      {LF_SUBPICTURE, {{7, S}, {4, B}, {5, B}, {6, B}, {101, B}, {102, B}, {103, B}, {0, S}}},
      {LF_PUSHBUTTON, {{2, B}, {3, B}, {500, B}, {0, S}}},
      {LF_CHECK_RADIO, {{2, B}, {3, B}, {500, S}, {0, S}}},
      {LF_EDIT, {{520, S}, {511, S}, {510, S}, {0, S}}},
      {LF_HOSTED, {{0, S}}},
      {LF_NONE, {}},
  };
  for (const Case& c : cases) {
    const std::vector<Offered> got = Offers(c.family);
    ASSERT_EQ(got.size(), c.want.size()) << "family " << c.family;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].kind, c.want[i].kind) << "family " << c.family << " #" << i;
      EXPECT_EQ(got[i].allowed, c.want[i].allowed) << "family " << c.family << " #" << i;
    }
    EXPECT_LE(got.size(), size_t{kMaxActionKinds});
  }
}

TEST(ActionKinds, RecordsCarryTheExistingModeAndTheName) {
  ActionKindDesc recs[kMaxActionKinds];
  std::memset(recs, 0xCC, sizeof recs);
  // A poly-line whose colour link is a script and whose flash link is direct.
  const int n = FillActionKinds(
      LF_POLYLINE, [](int kind) { return kind == AK_COLOR   ? 2
                                         : kind == AK_FLASH ? 1
                                                            : 0; }, recs,
      kMaxActionKinds);
  ASSERT_EQ(n, 9);
  EXPECT_EQ(recs[0].kind, AK_COLOR);
  EXPECT_EQ(recs[0].flags, 0x0302u);
  EXPECT_EQ(recs[1].flags, 0x0301u);
  EXPECT_EQ(recs[2].flags, 0x0200u);  // move: script only, none yet
  EXPECT_EQ(recs[8].flags, 0x0200u);
  for (int i = 0; i < n; ++i) {
    EXPECT_STREQ(recs[i].name, GetActionKindName(recs[i].kind));
    for (size_t b = std::strlen(recs[i].name); b < sizeof recs[i].name; ++b) EXPECT_EQ(recs[i].name[b], 0);
  }
}

TEST(ActionKinds, NeverWritesBeyondTheCapacity) {
  ActionKindDesc recs[4];
  std::memset(recs, 0xCC, sizeof recs);
  EXPECT_EQ(FillActionKinds(LF_FILLED, nullptr, recs, 3), 3);
  EXPECT_EQ(recs[3].kind, static_cast<int>(0xCCCCCCCC));
  EXPECT_EQ(FillActionKinds(LF_FILLED, nullptr, nullptr, 11), 0);
}

TEST(ActionKinds, ObjectKindsMapToTheirFamilies) {
  struct Case {
    int type;
    LinkFamily family;
  };
  const Case cases[] = {
      {0, LF_NONE},    {1, LF_POLYLINE},     {2, LF_LINE},          {3, LF_PIPE_TEXT},
      {4, LF_FILLED},  {5, LF_FILLED},       {6, LF_POLYLINE},      {7, LF_FILLED},
      {8, LF_FILLED},  {9, LF_LINE},         {10, LF_PIPE_TEXT},    {11, LF_TAGVALUE},
      {12, LF_FILLED}, {13, LF_FILLED},      {50, LF_NONE},         {51, LF_SUBPICTURE},
      {100, LF_NONE},  {101, LF_PUSHBUTTON}, {102, LF_CHECK_RADIO}, {103, LF_CHECK_RADIO},
      {104, LF_EDIT},  {150, LF_HOSTED},     {151, LF_HOSTED},      {-1, LF_NONE},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkFamilyOfType(c.type), c.family) << c.type;
}

TEST(ActionKinds, RightButtonKindsAreNeverOffered) {
  for (int f = LF_NONE; f <= LF_HOSTED; ++f)
    for (const Offered& o : Offers(static_cast<LinkFamily>(f))) {
      EXPECT_NE(o.kind, AK_RBUTTON_DOWN);
      EXPECT_NE(o.kind, AK_RBUTTON_UP);
    }
}

}  // namespace
