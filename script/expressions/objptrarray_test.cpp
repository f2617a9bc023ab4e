// The owned pointer array under the expression parser.
#include "objptrarray.h"

#include <gtest/gtest.h>

namespace {

class Counted : public CObject {
 public:
  explicit Counted(int& alive) : alive_(alive) { ++alive_; }
  ~Counted() override { --alive_; }

 private:
  int& alive_;
};

TEST(ObjPtrArray, RoomGrowsByItsStepThenByHalf) {
  int alive = 0;
  CObjPtrArray list(32, 32);
  std::vector<int> rooms = {list.GetRoom()};
  for (int i = 0; i < 100000; ++i) {
    list.Add(new Counted(alive));
    if (list.GetRoom() != rooms.back()) rooms.push_back(list.GetRoom());
  }
  // 32 at once, the step of 32 while it is more than half the room, then half.
  EXPECT_EQ((std::vector<int>{32, 64, 96, 144, 216}), std::vector<int>(rooms.begin(), rooms.begin() + 5));
  EXPECT_LE(rooms.size(), 30u);  // a handful of copies for 100,000 pointers
  EXPECT_EQ(100000, alive);
  list.RemoveAll();
  EXPECT_EQ(0, alive);
}

TEST(ObjPtrArray, DetachLastHandsTheObjectBack) {
  int alive = 0;
  CObjPtrArray stack;
  EXPECT_EQ(nullptr, stack.DetachLast());
  stack.Add(new Counted(alive));
  CObject* last = stack.DetachLast();
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(1, alive);
  delete last;
  {
    CObjPtrArray owner;
    owner.Add(new Counted(alive));
  }
  EXPECT_EQ(0, alive);
}

}  // namespace
