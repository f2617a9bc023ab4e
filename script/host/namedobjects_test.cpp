// The objects a script names, kept after the first look-up, are those that
// the picture's look-up by name gives, call after call.
#include "namedobjects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drawcell.h"
#include "drawgroup.h"
#include "drawobj.h"
#include "picobj.h"

namespace {

CDrawObj* Named(const char* name) {
  auto* obj = new CDrawObj;
  obj->m_strName = name;
  return obj;
}

// Two layers with names that repeat, a group and a sub-picture cell.
class NamedObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    picture_.EnsureLayer();
    picture_.m_layers.AddTail(new CPicLayer);
    low_ = picture_.GetLayer(0);
    high_ = picture_.GetLayer(1);
    low_->m_objects.AddTail(Named("a"));
    low_->m_objects.AddTail(Named("only low"));
    high_->m_objects.AddTail(Named("a"));
    high_->m_objects.AddTail(Named("b"));
    high_->m_objects.AddTail(Named("b"));
    group_ = new CDrawGroup;
    group_->m_strName = "group";
    group_->AddChild(Named("a"));
    group_->AddChild(Named("in group"));
    low_->m_objects.AddTail(group_);
    cell_ = new CDrawCell;
    cell_->m_strName = "cell";
    cell_->AddChild(Named("in cell"));
    low_->m_objects.AddTail(cell_);
    plain_ = static_cast<CDrawObj*>(low_->m_objects.GetHead());
  }

  CPicObj picture_;
  CPicLayer* low_ = nullptr;
  CPicLayer* high_ = nullptr;
  CDrawGroup* group_ = nullptr;
  CDrawCell* cell_ = nullptr;
  CDrawObj* plain_ = nullptr;
};

TEST_F(NamedObjectsTest, EveryCallGivesWhatTheLookUpByNameGives) {
  const char* const names[] = {"a", "b", "only low", "in group", "in cell", "group", "cell", "nothing", ""};
  CDrawObj* const contexts[] = {nullptr, plain_, group_, cell_};
  for (CDrawObj* context : contexts) {
    CNamedObjects named;
    for (int round = 0; round < 3; ++round)
      for (const char* name : names)
        EXPECT_EQ(named.Find(picture_, name, std::strlen(name), context), picture_.FindObject(name, context))
            << "name '" << name << "', round " << round;
  }
}

TEST_F(NamedObjectsTest, ManyNamesInTurnStayRight) {
  for (int i = 0; i < 20; ++i) high_->m_objects.AddTail(Named(("n" + std::to_string(i)).c_str()));
  CNamedObjects named;
  for (int round = 0; round < 3; ++round)
    for (int i = 0; i < 20; ++i) {
      const std::string name = "n" + std::to_string(i);
      EXPECT_EQ(named.Find(picture_, name.c_str(), name.size(), nullptr),
                picture_.FindObject(name.c_str(), nullptr))
          << name;
    }
}

TEST_F(NamedObjectsTest, AKeptObjectThatLostItsNameIsLookedUpAgain) {
  CNamedObjects named;
  CDrawObj* highA = named.Find(picture_, "a", 1, nullptr);
  ASSERT_EQ(highA, picture_.FindObject("a", nullptr));
  highA->m_strName = "renamed";
  CDrawObj* next = named.Find(picture_, "a", 1, nullptr);
  EXPECT_EQ(next, picture_.FindObject("a", nullptr));
  ASSERT_NE(next, nullptr);
  ASSERT_NE(next, highA);
  for (CDrawObj* p; (p = picture_.FindObject("a", nullptr)) != nullptr;) p->m_strName = "renamed";
  EXPECT_EQ(named.Find(picture_, "a", 1, nullptr), nullptr);
}

TEST_F(NamedObjectsTest, ANameThatFoundNothingIsLookedUpAgain) {
  CNamedObjects named;
  EXPECT_EQ(named.Find(picture_, "late", 4, nullptr), nullptr);
  CDrawObj* late = Named("late");
  high_->m_objects.AddTail(late);
  EXPECT_EQ(named.Find(picture_, "late", 4, nullptr), late);
}

}  // namespace
