// The text tables and send-back rules of the attribute and event-link
// lists, as tables of records and texts.
#include <gtest/gtest.h>

#include <string>

#include "attrlist/attrlist_testutil.h"
#include "attrtexts.h"

namespace {

using editortest::Record;

TEST(AttrTexts, AColourIsAnAmpersandAndItsRedGreenAndBlueBytes) {
  const struct {
    COLORREF color;
    const char* text;
  } cases[] = {
      {0x000000FF, "&FF0000"},  // pure red
      {0x00FF0000, "&0000FF"},  // pure blue
      {0x00123456, "&563412"}, {0x00000000, "&000000"}, {0x00ABCDEF, "&EFCDAB"},
      {0xFFFFFFFF, "无颜色"},  {0xFF000000, "&000000"},  // only the colour bytes count
  };
  for (const auto& c : cases) EXPECT_EQ(std::string(ColorValueText(c.color)), c.text) << std::hex << c.color;
}

TEST(AttrTexts, EachEditorKindWritesItsValueOrNothing) {
  static char text[] = "面板一";
  LOGFONTA font = {};
  lstrcpyA(font.lfFaceName, "宋体");
  static const BYTE id[16] = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE,
                              0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  const LONG_PTR textValue = reinterpret_cast<LONG_PTR>(text);
  const struct {
    int kind;
    LONG_PTR value;
    const char* shown;
  } cases[] = {
      {PE_INTEGER, 42, "42"},
      {PE_INTEGER, -7, "-7"},
      {PE_INTEGER | PK_READONLY, 3, "3"},
      {PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, 12, "12"},
      {PE_BOOL, 0, "FALSE"},
      {PE_BOOL, 5, "TRUE"},
      {PE_BOOL, -1, "TRUE"},
      {PE_COLOR, 0x0000FF, "&FF0000"},
      {PE_COLOR, -1, "无颜色"},
      {3, 99, ""},
      {PE_TEXT, textValue, "面板一"},
      {PE_TEXT | PK_READONLY, textValue, "面板一"},
      {PE_TEXT, 0, ""},  // a null text shows as empty
      {PE_FONT, reinterpret_cast<LONG_PTR>(&font), "宋体"},
      {PE_FONT, 0, ""},
      {PE_GUID | PK_READONLY, reinterpret_cast<LONG_PTR>(id), "12345678-9ABC-DEF0-0123456789ABCDEF"},
      {PE_GUID, 0, ""},
      {PE_LINESTYLE, 0, "实线"},
      {PE_LINESTYLE, 1, "虚线"},
      {PE_LINESTYLE, 2, ""},
      {PE_FILLMODE, 0, "不填充"},
      {PE_FILLMODE, 1, "单色填充"},
      {PE_FILLMODE, 2, "水平中心渐变"},
      {PE_FILLMODE, 3, "垂直中心渐变"},
      {PE_FILLMODE, 4, "上下渐变"},
      {PE_FILLMODE, 5, "左右渐变"},
      {PE_FILLMODE, 6, ""},
      {PE_ALIGN, 0, "TA_LEFT"},
      {PE_ALIGN, 6, "TA_CENTER"},
      {PE_ALIGN, 2, "TA_RIGHT"},
      {PE_ALIGN, 1, ""},
      {PE_BUTTON, 0, "点击进入..."},
      {11, 5, ""},  // no editor of that number
      {127, 5, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(std::string(PropValueText(Record(PROP_NAME, c.kind, c.value, "n"))), c.shown)
        << "kind " << c.kind;
}

TEST(AttrTexts, RowImagesFollowThePropertyIdsAndTheLinkKinds) {
  const struct {
    int id;
    int image;
  } props[] = {{1, 8},  {30, 8}, {4, 5},   {5, 4},   {6, 0},   {7, 1},   {23, 1},  {31, 1},
               {13, 6}, {19, 9}, {22, 10}, {24, 3},  {50, 2},  {51, 11}, {0, -1},  {2, -1},
               {3, -1}, {8, -1}, {9, -1},  {17, -1}, {32, -1}, {33, -1}, {-1, -1}, {100, -1}};
  for (const auto& c : props) EXPECT_EQ(PropIdToImage(c.id), c.image) << "id " << c.id;
  const struct {
    int kind;
    int image;
  } links[] = {{0, 4}, {2, 0}, {3, 1}, {101, 5}, {1, -1}, {4, -1}, {102, -1}, {500, -1}, {-3, -1}};
  for (const auto& c : links) EXPECT_EQ(LinkKindToImage(c.kind), c.image) << "kind " << c.kind;
}

TEST(AttrTexts, AnEventRowNamesTheModeOfItsLink) {
  EXPECT_STREQ(LinkModeText(0x0301), "直接连接");
  EXPECT_STREQ(LinkModeText(0x0302), "CScript脚本");
  EXPECT_STREQ(LinkModeText(0x0303), "直接连接");
  EXPECT_STREQ(LinkModeText(0x0300), "    －");
  EXPECT_STREQ(LinkModeText(0x0200), "    －");
}

TEST(AttrTexts, EachPropertyIdGoesBackAsTextAsANumberOrNotAtAll) {
  for (int id = -2; id <= 60; ++id) {
    PropSend expected = PropSend::nothing;
    if (id == 1 || id == 2 || id == 3 || id == 33) expected = PropSend::text;
    if ((id >= 4 && id <= 12) || (id >= 14 && id <= 20) || id == 23 || id == 24 || (id >= 30 && id <= 32))
      expected = PropSend::number;
    EXPECT_EQ(PropSendRule(id), expected) << "id " << id;
  }
}

TEST(AttrTexts, AnEditedTextBecomesTheNumberOfItsId) {
  const struct {
    int id;
    const char* text;
    LONG_PTR number;
  } cases[] = {
      {PROP_LINESTYLE, "实线", 0},
      {PROP_LINESTYLE, "虚线", 1},
      {PROP_LINESTYLE, "点线", 0},
      {PROP_LINESTYLE, "1", 0},
      {PROP_FILLMODE, "不填充", 0},
      {PROP_FILLMODE, "水平中心渐变", 2},
      {PROP_FILLMODE, "左右渐变", 5},
      {PROP_FILLMODE, "3", 0},
      {PROP_ALIGN, "TA_LEFT", 0},
      {PROP_ALIGN, "TA_CENTER", 6},
      {PROP_ALIGN, "TA_RIGHT", 2},
      {PROP_ALIGN, "ta_center", 2},
      {PROP_ALIGN, "", 2},
      {PROP_READONLY, "TRUE", 1},
      {PROP_MULTILINE, "True", 1},
      {PROP_PASSWORD, "tRUe", 1},
      {PROP_MULTILINE, "FALSE", 0},
      {PROP_MULTILINE, "1", 0},
      {PROP_MULTILINE, " true", 0},
      {PROP_LINEWIDTH, "12", 12},
      {PROP_TOPX, "-40", -40},
      {PROP_WIDTH, "  25px", 25},
      {PROP_HEIGHT, "abc", 0},
      {PROP_PICPERIOD, "+500", 500},
      {PROP_PICBKCOLOR, "255", 255},
      {24, "7", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(PropNumberFromText(c.id, c.text), c.number) << c.id << " " << c.text;
}

TEST(AttrTexts, TheDecimalValueIsReadAsTheRuntimeReadsIt) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"0", 0},
               {"17", 17},
               {"-17", -17},
               {"+8", 8},
               {" \t 9", 9},
               {"12ab", 12},
               {"ab12", 0},
               {"", 0},
               {"-", 0},
               {"2147483647", 2147483647},
               {"99999999999", 2147483647},
               {"-2147483648", -2147483647 - 1},
               {"-99999999999", -2147483647 - 1}};
  for (const auto& c : cases) EXPECT_EQ(DecimalValue(c.text), c.value) << c.text;
}

TEST(AttrTexts, ABoundAppliesOnlyWhenItsBitIsSet) {
  const int kMin = PK_MIN_APPLIES, kMax = PK_MAX_APPLIES;
  const struct {
    const char* typed;
    int kind;
    const char* kept;
  } cases[] = {
      {"3", kMin, "5"},
      {"5", kMin, "5"},
      {"80", kMin, "80"},
      {"abc", kMin, "5"},
      {"3", 0, "3"},
      {"99", kMin | kMax, "32"},
      {"99", kMin, "99"},
      {"32", kMin | kMax, "32"},
      {"-4", kMin | kMax, "5"},
      {" 7", kMin | kMax, " 7"},
      {"99", kMax, "32"},
      {"1", kMax, "1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(std::string(ClampEditText(c.typed, c.kind, 5, 32)), c.kept) << c.typed << " kind " << c.kind;
}

}  // namespace
