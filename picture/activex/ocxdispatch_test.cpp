// The script bridge into controls with the test control: the members read
// from its type information, the conversions of the arguments, refused calls
// and the calls themselves.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "comptr.h"
#include "ocxdispatch.h"
#include "olecontainment.h"
#include "olecontrolwnd.h"
#include "oletext.h"
#include "testocx_ids.h"
#include "testocx_register.h"

namespace {

class OcxDispatchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }

  void SetUp() override {
    QelEnableControlContainer();
    parent_ = NewTestParent(300, 200, false);
  }
  void TearDown() override {
    control_.reset();
    ::DestroyWindow(parent_);
  }

  COleControlWnd* Control(const CLSID& clsid = CLSID_QelTestOcx) {
    control_.reset(new COleControlWnd);
    OleControlParams params = {clsid, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 50}, parent_, 1};
    EXPECT_TRUE(control_->CreateControl(params));
    return control_.get();
  }

  HWND parent_ = nullptr;
  std::unique_ptr<COleControlWnd> control_;
};

OcxValue Int32(int32_t v) { return {OVT_I32, static_cast<uint64_t>(static_cast<int64_t>(v)), ""}; }
OcxValue Text(const char* s) { return {OVT_TEXT, 0, s}; }

const COcxMember* MemberOf(const COcxDispatch& bridge, const char* name, int kind) {
  for (const COcxMember& m : bridge.GetMembers())
    if (m.name == name && m.kind == kind) return &m;
  return nullptr;
}

TEST_F(OcxDispatchTest, TheMembersOfTheDefaultInterfaceWithTheirKindsAndArguments) {
  COcxDispatch bridge(Control());
  ASSERT_TRUE(bridge.Attach());
  EXPECT_TRUE(bridge.HasDispatch());
  EXPECT_EQ(bridge.GetInterfaceId(), DIID_DQelTestOcx) << "the default, not the source";
  // Functions in their order, then the variables.
  const struct {
    const char* name;
    DISPID id;
    int kind;
    size_t args;
  } expected[] = {
      {"Text", TOX_TEXT, OCK_GET, 0},           {"Text", TOX_TEXT, OCK_PUT, 1},
      {"BackColor", TOX_BACKCOLOR, OCK_GET, 0}, {"BackColor", TOX_BACKCOLOR, OCK_PUT, 1},
      {"Length", TOX_LENGTH, OCK_GET, 0},       {"UserMode", TOX_USERMODE, OCK_GET, 0},
      {"Add", TOX_ADD, OCK_METHOD, 2},          {"Repeat", TOX_REPEAT, OCK_METHOD, 2},
      {"Fail", TOX_FAIL, OCK_METHOD, 0},        {"FailSave", TOX_FAILSAVE, OCK_GET, 0},
      {"FailSave", TOX_FAILSAVE, OCK_PUT, 1},   {"Version", TOX_VERSION, OCK_GET, 0},
      {"Factor", TOX_FACTOR, OCK_GET, 0},       {"Factor", TOX_FACTOR, OCK_PUT, 1},
  };
  const auto& members = bridge.GetMembers();
  ASSERT_EQ(members.size(), sizeof expected / sizeof expected[0]) << "Secret is restricted";
  for (size_t i = 0; i < members.size(); ++i) {
    EXPECT_STREQ(members[i].name.GetString(), expected[i].name) << i;
    EXPECT_EQ(members[i].id, expected[i].id) << i;
    EXPECT_EQ(members[i].kind, expected[i].kind) << i;
    EXPECT_EQ(members[i].args.size(), expected[i].args) << i;
  }
  const COcxMember* repeat = MemberOf(bridge, "Repeat", OCK_METHOD);
  ASSERT_NE(repeat, nullptr);
  EXPECT_STREQ(repeat->args[0].name.GetString(), "text");
  EXPECT_EQ(repeat->args[0].type, VT_BSTR);
  EXPECT_STREQ(repeat->args[1].name.GetString(), "count");
  EXPECT_EQ(repeat->args[1].type, VT_I2);
  const COcxMember* putText = MemberOf(bridge, "Text", OCK_PUT);
  EXPECT_STREQ(putText->args[0].name.GetString(), "(Property Value)");
  const COcxMember* putFactor = MemberOf(bridge, "Factor", OCK_PUT);
  EXPECT_STREQ(putFactor->args[0].name.GetString(), "(strProperty Value)");
  EXPECT_EQ(putFactor->args[0].type, VT_R4);
  EXPECT_EQ(MemberOf(bridge, "Version", OCK_PUT), nullptr) << "a read-only variable";
  EXPECT_EQ(MemberOf(bridge, "Length", OCK_PUT), nullptr) << "a get-only property";
}

TEST_F(OcxDispatchTest, WithoutClassInformationTheDispatchTypeInformationServes) {
  COcxDispatch plain(Control(CLSID_QelTestOcxPlain));
  ASSERT_TRUE(plain.Attach());
  EXPECT_EQ(plain.GetMembers().size(), 14u);
  ASSERT_TRUE(plain.Prepare("Add", nullptr, 0, OCK_METHOD) == FALSE);
  OcxValue two[] = {Int32(2), Int32(40)};
  ASSERT_TRUE(plain.Prepare("Add", two, 2, OCK_METHOD));
  ASSERT_TRUE(plain.Invoke());
  EXPECT_EQ(plain.GetResult().lVal, 42);

  COcxDispatch bare(Control(CLSID_QelTestOcxBare));
  EXPECT_FALSE(bare.Attach());
  EXPECT_TRUE(bare.HasDispatch());
  EXPECT_TRUE(bare.GetMembers().empty());
}

TEST_F(OcxDispatchTest, WithoutAControlNothingIsRead) {
  COcxDispatch none(nullptr);
  EXPECT_FALSE(none.Attach());
  COleControlWnd empty;
  COcxDispatch unattached(&empty);
  EXPECT_FALSE(unattached.Attach());
  EXPECT_FALSE(unattached.HasDispatch());
  EXPECT_FALSE(unattached.Invoke());
}

TEST_F(OcxDispatchTest, PrepareFindsTheMemberOfTheKindAndRefusesOtherCalls) {
  COcxDispatch bridge(Control());
  ASSERT_TRUE(bridge.Attach());
  OcxValue one[] = {Int32(1)};
  OcxValue three[] = {Int32(1), Int32(2), Int32(3)};
  const struct {
    const char* name;
    const OcxValue* args;
    int count;
    int kind;
    BOOL accepted;
  } cases[] = {
      {"Length", nullptr, 0, OCK_GET, TRUE},
      {"Length", one, 1, OCK_PUT, FALSE},   // a put on a get-only property
      {"Version", one, 1, OCK_PUT, FALSE},  // a read-only variable
      {"Text", one, 1, OCK_PUT, TRUE},
      {"Text", one, 1, OCK_GET, FALSE},      // a get takes no argument
      {"Add", one, 1, OCK_METHOD, FALSE},    // too few
      {"Add", three, 3, OCK_METHOD, FALSE},  // too many
      {"Add", three, 2, OCK_METHOD, TRUE},
      {"Add", nullptr, 0, OCK_GET, FALSE},       // no get member of that name
      {"Length", nullptr, 0, OCK_METHOD, TRUE},  // a method call takes any kind
      {"length", nullptr, 0, OCK_GET, FALSE},    // names compare exactly
      {"Secret", nullptr, 0, OCK_METHOD, FALSE},
      {"Nothing", nullptr, 0, OCK_METHOD, FALSE},
  };
  for (const auto& c : cases)
    EXPECT_EQ(bridge.Prepare(c.name, c.args, c.count, c.kind), c.accepted)
        << c.name << " kind " << c.kind << " with " << c.count;
}

TEST_F(OcxDispatchTest, ArgumentsAreConvertedByTheirTypeAndGoFirstArgumentLast) {
  const struct {
    OcxValue value;
    VARTYPE vt;
    LONGLONG asInteger;  // the variant's value read in its own width
  } cases[] = {
      {{OVT_I8, 0xFFFFFFFFFFFFFF85ull, ""}, VT_I1, -123},
      {{OVT_U8, 0x1FE, ""}, VT_UI1, 0xFE},
      {{OVT_I16, 0xFFFFFFFFFFFF8001ull, ""}, VT_I2, -32767},
      {{OVT_U16, 0x1FFFF, ""}, VT_UI2, 0xFFFF},
      {{OVT_I32, 0xFFFFFFFF80000000ull, ""}, VT_I4, -2147483647LL - 1},
      {{OVT_U32, 0xFFFFFFFF, ""}, VT_UI4, 0xFFFFFFFFLL},
      {{OVT_I64, 0x123456789ABCull, ""}, VT_I8, 0x123456789ABCLL},
  };
  for (const auto& c : cases) {
    VARIANT v;
    ASSERT_TRUE(OcxValueToVariant(c.value, &v));
    EXPECT_EQ(v.vt, c.vt);
    VARIANT wide;
    ::VariantInit(&wide);
    ASSERT_HRESULT_SUCCEEDED(::VariantChangeType(&wide, &v, 0, VT_I8));
    EXPECT_EQ(wide.llVal, c.asInteger) << c.vt;
    ::VariantClear(&v);
  }
  float f = 2.5f;
  uint32_t fbits;
  std::memcpy(&fbits, &f, 4);
  double d = -1.25e10;
  uint64_t dbits;
  std::memcpy(&dbits, &d, 8);
  VARIANT v;
  ASSERT_TRUE(OcxValueToVariant({OVT_F32, fbits, ""}, &v));
  EXPECT_EQ(v.vt, VT_R4);
  EXPECT_EQ(v.fltVal, 2.5f);
  ASSERT_TRUE(OcxValueToVariant({OVT_F64, dbits, ""}, &v));
  EXPECT_EQ(v.vt, VT_R8);
  EXPECT_EQ(v.dblVal, d);
  // A text reaches the control as its text, not as an 8-bit number.
  ASSERT_TRUE(OcxValueToVariant(Text("中文"), &v));
  EXPECT_EQ(v.vt, VT_BSTR);
  EXPECT_EQ(TextFromBstr(v.bstrVal), "中文");
  ::VariantClear(&v);
  EXPECT_FALSE(OcxValueToVariant({static_cast<OcxValueType>(9), 0, ""}, &v));

  COcxDispatch bridge(Control());
  ASSERT_TRUE(bridge.Attach());
  OcxValue args[] = {Text("ab"), {OVT_I16, 3, ""}};
  ASSERT_TRUE(bridge.Prepare("Repeat", args, 2, OCK_METHOD));
  ASSERT_EQ(bridge.GetArguments().size(), 2u);
  EXPECT_EQ(bridge.GetArguments()[0].vt, VT_I2) << "the last argument comes first";
  EXPECT_EQ(bridge.GetArguments()[1].vt, VT_BSTR);
  ASSERT_TRUE(bridge.Invoke());
  EXPECT_EQ(bridge.GetResult().vt, VT_BSTR);
  EXPECT_EQ(TextFromBstr(bridge.GetResult().bstrVal), "ababab");
}

TEST_F(OcxDispatchTest, PutsGetsAndMethodsReachTheControl) {
  COleControlWnd* control = Control();
  {
    COcxDispatch put(control);
    ASSERT_TRUE(put.Attach());
    OcxValue text[] = {Text("新的文字")};
    ASSERT_TRUE(put.Prepare("Text", text, 1, OCK_PUT));
    EXPECT_TRUE(put.Invoke());
  }
  COcxDispatch get(control);
  ASSERT_TRUE(get.Attach());
  ASSERT_TRUE(get.Prepare("Text", nullptr, 0, OCK_GET));
  ASSERT_TRUE(get.Invoke());
  EXPECT_EQ(TextFromBstr(get.GetResult().bstrVal), "新的文字");
  ASSERT_TRUE(get.Prepare("Length", nullptr, 0, OCK_GET));
  ASSERT_TRUE(get.Invoke());
  EXPECT_EQ(get.GetResult().lVal, 4);
  OcxValue factor[] = {{OVT_F64, 0x4004000000000000ull, ""}};  // 2.5 as a double
  ASSERT_TRUE(get.Prepare("Factor", factor, 1, OCK_PUT));
  ASSERT_TRUE(get.Invoke());
  ASSERT_TRUE(get.Prepare("Factor", nullptr, 0, OCK_GET));
  ASSERT_TRUE(get.Invoke());
  EXPECT_EQ(get.GetResult().fltVal, 2.5f);
}

TEST_F(OcxDispatchTest, AFailingCallIsFalseAndAnExceptionIsFlagged) {
  COcxDispatch bridge(Control());
  ASSERT_TRUE(bridge.Attach());
  ASSERT_TRUE(bridge.Prepare("Fail", nullptr, 0, OCK_METHOD));
  EXPECT_FALSE(bridge.Invoke());
  EXPECT_TRUE(bridge.HasException());
  EXPECT_EQ(TextFromBstr(bridge.GetException().bstrDescription), "故意失败");
  // A wrong type is a failure without an exception; the flag is cleared.
  OcxValue notANumber[] = {Text("x"), Int32(1)};
  ASSERT_TRUE(bridge.Prepare("Add", notANumber, 2, OCK_METHOD));
  EXPECT_FALSE(bridge.Invoke());
  EXPECT_FALSE(bridge.HasException());
}

}  // namespace
