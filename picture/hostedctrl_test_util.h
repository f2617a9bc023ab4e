// The records that ActiveX and plug-in control objects share, checked alike
// for both: the base properties, the property-page button (50), the
// geometry (9 to 12), one link kind (a custom script), and the width set
// through its property.
#pragma once
#include <gtest/gtest.h>

#include "drawobj.h"

namespace objtest {

inline void ExpectHostedControlRecords(CDrawObj& obj) {
  obj.m_rect = CRectD(10.7, 20.2, 110.4, 60);
  PropDesc items[32];
  PropDescList list = {0, items};
  obj.GetPropList(&list);
  const struct {
    int id;
    int kind;
    LONG_PTR value;
  } expected[] = {
      {PROP_PAGES, PE_BUTTON, 0},
      {PROP_TOPX, PE_INTEGER, 10},
      {PROP_TOPY, PE_INTEGER, 20},
      {PROP_WIDTH, PE_INTEGER | PK_MIN_APPLIES, 100},
      {PROP_HEIGHT, PE_INTEGER | PK_MIN_APPLIES, 40},
  };
  ASSERT_EQ(list.count, 3 + 5);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(items[3 + i].id, expected[i].id) << i;
    EXPECT_EQ(items[3 + i].kind, expected[i].kind) << i;
    EXPECT_EQ(items[3 + i].value, expected[i].value) << i;
  }
  EXPECT_EQ(items[6].minimum, 4);

  ActionKindDesc kinds[kMaxActionKinds];
  ActionKindList kindList = {0, kinds};
  ASSERT_EQ(obj.GetActionKinds(&kindList), 1);
  EXPECT_EQ(kinds[0].kind, AK_SCRIPT);
  EXPECT_EQ(kinds[0].flags, 0x0200u) << "script only, none present";

  EXPECT_TRUE(obj.SetProp(PROP_WIDTH, 50));
  EXPECT_DOUBLE_EQ(obj.m_rect.right, 60.7);
}

}  // namespace objtest
