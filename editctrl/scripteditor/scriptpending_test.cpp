// The characters still to be coloured: ranges joined, cut and moved by an
// edit of the text.
#include "scriptpending.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Ranges = std::vector<std::pair<long, long>>;

CPendingColours Of(const Ranges& ranges) {
  CPendingColours pending;
  for (const auto& range : ranges) pending.Add(range.first, range.second);
  return pending;
}

TEST(PendingColours, AddedRangesJoinWhereTheyMeetAndStayInOrder) {
  struct Case {
    Ranges added;
    Ranges result;
  } cases[] = {
      {{{5, 9}, {0, 2}}, {{0, 2}, {5, 9}}},
      {{{0, 2}, {2, 4}}, {{0, 4}}},          // touching
      {{{0, 2}, {5, 9}, {1, 6}}, {{0, 9}}},  // one bridging two
      {{{0, 2}, {5, 9}, {12, 14}, {3, 4}}, {{0, 2}, {3, 4}, {5, 9}, {12, 14}}},
      {{{3, 3}, {4, 2}}, {}},  // empty and reversed ones are nothing
  };
  for (const Case& c : cases) EXPECT_EQ(Of(c.added).Ranges(), c.result);
}

TEST(PendingColours, RemovedCharactersCutRangesApart) {
  struct Case {
    Ranges pending;
    long start, end;
    Ranges result;
  } cases[] = {
      {{{0, 10}}, 3, 5, {{0, 3}, {5, 10}}},
      {{{0, 10}}, 0, 10, {}},
      {{{0, 4}, {6, 10}}, 2, 8, {{0, 2}, {8, 10}}},
      {{{2, 4}}, 0, 2, {{2, 4}}},
  };
  for (const Case& c : cases) {
    CPendingColours pending = Of(c.pending);
    pending.Remove(c.start, c.end);
    EXPECT_EQ(pending.Ranges(), c.result) << c.start << " " << c.end;
  }
}

TEST(PendingColours, AnEditMovesWhatFollowsItAndCoversWhatReplacedPendingText) {
  struct Case {
    Ranges pending;
    ScriptEditRange edit;
    Ranges result;
  } cases[] = {
      {{{10, 20}}, {2, 2, 5}, {{13, 23}}},       // typed before: moved on
      {{{10, 20}}, {2, 5, 2}, {{7, 17}}},        // deleted before: moved back
      {{{10, 20}}, {25, 25, 30}, {{10, 20}}},    // after: as it was
      {{{10, 20}}, {15, 15, 18}, {{10, 23}}},    // typed inside: the typed text too
      {{{10, 20}}, {10, 10, 12}, {{10, 22}}},    // typed at its start
      {{{10, 20}}, {20, 20, 22}, {{10, 20}}},    // typed at its end: not pending
      {{{10, 20}}, {5, 15, 6}, {{5, 11}}},       // its start deleted with text before it
      {{{10, 20}}, {12, 18, 12}, {{10, 14}}},    // text inside deleted
      {{{10, 20}}, {8, 22, 9}, {{8, 9}}},        // all of it replaced: what replaced it
      {{{0, 4}, {6, 10}}, {3, 7, 3}, {{0, 6}}},  // the text between deleted: one range
  };
  for (const Case& c : cases) {
    CPendingColours pending = Of(c.pending);
    pending.Edit(c.edit);
    EXPECT_EQ(pending.Ranges(), c.result) << c.edit.first << " " << c.edit.oldEnd << " " << c.edit.newEnd;
  }
}

TEST(PendingColours, TheFirstPendingCharactersWithinBounds) {
  const CPendingColours pending = Of({{2, 5}, {8, 12}});
  struct Case {
    long from, to;
    bool found;
    long start, end;
  } cases[] = {
      {0, 100, true, 2, 5}, {3, 100, true, 3, 5}, {5, 100, true, 8, 12},
      {9, 10, true, 9, 10}, {5, 8, false, 0, 0},  {12, 20, false, 0, 0},
  };
  for (const Case& c : cases) {
    long start = 0, end = 0;
    ASSERT_EQ(pending.FirstIn(c.from, c.to, start, end), c.found) << c.from << " " << c.to;
    if (!c.found) continue;
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(end, c.end);
  }
}

}  // namespace
