// The popup's keyboard table: every way out of the palette and of both
// boxes, with and without each box.
#include <gtest/gtest.h>

#include "popupkeys.h"

namespace {

constexpr int A = kPopupAutoBox;
constexpr int M = kPopupMoreBox;

struct KeyCase {
  int from;
  UINT key;
  bool hasAuto, hasMore;
  int to;
};

TEST(PopupKeys, FollowTheKeyboardTable) {
  const KeyCase cases[] = {
      // Down
      {3, VK_DOWN, true, true, 11},
      {35, VK_DOWN, true, true, M},
      {35, VK_DOWN, true, false, A},
      {35, VK_DOWN, false, false, 0},
      {A, VK_DOWN, true, true, 0},
      {M, VK_DOWN, true, true, A},
      {M, VK_DOWN, false, true, 0},
      // Up
      {11, VK_UP, true, true, 3},
      {3, VK_UP, true, true, A},
      {3, VK_UP, false, true, M},
      {3, VK_UP, false, false, 39},
      {A, VK_UP, true, true, M},
      {A, VK_UP, true, false, 39},
      {M, VK_UP, true, true, 39},
      // Right: after the last column, the next row's first cell
      {5, VK_RIGHT, true, true, 6},
      {7, VK_RIGHT, true, true, 8},
      {39, VK_RIGHT, true, true, M},
      {39, VK_RIGHT, true, false, A},
      {39, VK_RIGHT, false, false, 0},
      {A, VK_RIGHT, true, true, 0},
      {M, VK_RIGHT, true, true, A},
      {M, VK_RIGHT, false, true, 0},
      // Left: from column 0, the previous row's last cell
      {6, VK_LEFT, true, true, 5},
      {8, VK_LEFT, true, true, 7},
      {0, VK_LEFT, true, true, A},
      {0, VK_LEFT, false, true, M},
      {0, VK_LEFT, false, false, 39},
      {A, VK_LEFT, true, true, M},
      {A, VK_LEFT, true, false, 39},
      {M, VK_LEFT, true, true, 39},
      // From no item every arrow starts at cell 0; other keys move nothing.
      {kPopupNoItem, VK_LEFT, true, true, 0},
      {kPopupNoItem, VK_UP, false, false, 0},
      {12, VK_HOME, true, true, 12},
      {A, 'A', true, true, A},
  };
  for (const KeyCase& c : cases)
    EXPECT_EQ(c.to, NextPopupItem(c.from, c.key, c.hasAuto, c.hasMore))
        << "from " << c.from << " key " << c.key << " auto " << c.hasAuto << " more " << c.hasMore;
}

}  // namespace
