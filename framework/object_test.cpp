// Run-time class records: the class tree, creation by name, registration.
#include <gtest/gtest.h>

#include <memory>

#include "fwtest_classes.h"

void RegisterLibTestClasses();

namespace {

TEST(RuntimeClassTest, RecordsDescribeTheClassTree) {
  const CRuntimeClass* c = RUNTIME_CLASS(CPicLayer);
  EXPECT_STREQ(c->m_lpszClassName, "CPicLayer");
  EXPECT_EQ(c->m_nObjectSize, (int)sizeof(CPicLayer));
  EXPECT_EQ(c->m_wSchema, 0u);
  EXPECT_EQ(c->m_pBaseClass, RUNTIME_CLASS(CCountedObject));
  EXPECT_EQ(c->m_pBaseClass->m_pBaseClass, RUNTIME_CLASS(CObject));
  EXPECT_TRUE(c->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(RUNTIME_CLASS(CObject)->IsDerivedFrom(c));
  EXPECT_FALSE(c->IsDerivedFrom(RUNTIME_CLASS(CTestItem)));
  EXPECT_TRUE(c->IsSerializable());
  EXPECT_FALSE(RUNTIME_CLASS(CCountedObject)->IsSerializable());
  EXPECT_FALSE(RUNTIME_CLASS(CObject)->IsSerializable());
}

TEST(ObjectTest, LiveCountFollowsEveryConstructionCopyAndDestruction) {
  const LONG before = CObject::GetLiveCount();
  {
    CTestItem item;
    EXPECT_EQ(CObject::GetLiveCount(), before + 1);
    CTestItem copy(item);
    EXPECT_EQ(CObject::GetLiveCount(), before + 2);
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CTestOther)->CreateObject());
    EXPECT_EQ(CObject::GetLiveCount(), before + 3);
    copy = item;  // assignment makes no object
    EXPECT_EQ(CObject::GetLiveCount(), before + 3);
  }
  EXPECT_EQ(CObject::GetLiveCount(), before);
}

// The class lives in a static library; the library's registration function
// is the only thing that names it.
TEST(RuntimeClassTest, StaticLibraryRegistersThroughItsFunction) {
  RegisterLibTestClasses();
  RegisterLibTestClasses();  // idempotent
  CRuntimeClass* c = CRuntimeClass::FromName("CLibOnlyItem");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->m_wSchema, 3u);
  CObject* p = c->CreateObject();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->GetRuntimeClass(), c);
  // Its schema travels in the class record and must match on loading.
  Bytes b = StoreBytes([&](CArchive& ar) { ar << p; });
  EXPECT_EQ(b[2], 3);
  CObject* back = nullptr;
  LoadBytes(b, [&](CArchive& ar) { back = ar.ReadObject(c); });
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetRuntimeClass(), c);
  delete back;
  delete p;
}

TEST(RuntimeClassTest, FirstRegistrationOfANameWins) {
  static CRuntimeClass impostor = {"CTestItem", 4, 0, nullptr, RUNTIME_CLASS(CObject)};
  RegisterTestClasses();
  CRuntimeClass::Register(&impostor);
  EXPECT_EQ(CRuntimeClass::FromName("CTestItem"), RUNTIME_CLASS(CTestItem));
  EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

}  // namespace
