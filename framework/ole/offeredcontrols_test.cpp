// Which registered classes are offered as controls: the test control's three
// control classes are; its property page and its document class (no Control
// category), a control without a name, a control that requires a category
// this container does not accept and a class that is not registered are
// not. Asking reads the registry only: no library of a class is started.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "offeredcontrols.h"
#include "testing/loadmarker.h"
#include "testocx_ids.h"
#include "testocx_register.h"

namespace {

const char kCatControl[] = "{40FC6ED4-2438-11CF-A3DB-080036F12502}";
// A category that no container of this system offers its controls.
const char kUnknownCategory[] = "{0CEE0894-FE3B-47C0-B2B9-271A3CD944A6}";

// {0C4638AE-DC14-4478-A420-64797413D6D1}: a class of the Control category without a name.
const CLSID kUnnamedControl = {0x0C4638AE, 0xDC14, 0x4478, {0xA4, 0x20, 0x64, 0x79, 0x74, 0x13, 0xD6, 0xD1}};
// {AB640032-1724-40C5-BF3B-2EFEA39B85BD}: a named control that requires kUnknownCategory.
const CLSID kDemandingControl = {
    0xAB640032, 0x1724, 0x40C5, {0xBF, 0x3B, 0x2E, 0xFE, 0xA3, 0x9B, 0x85, 0xBD}};
const CLSID kUnregistered = {0x0BADC0DE, 0x3333, 0x4444, {5, 6, 7, 8, 9, 10, 11, 12}};

std::string ClassKey(const CLSID& clsid) {
  wchar_t wide[40] = L"";
  ::StringFromGUID2(clsid, wide, 40);
  char text[40] = "";
  ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return std::string("CLSID\\") + text;
}

bool MakeKey(const std::string& key, const char* value = nullptr) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
    return false;
  LONG rc = ERROR_SUCCESS;
  if (value)
    rc = ::RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(std::strlen(value) + 1));
  ::RegCloseKey(handle);
  return rc == ERROR_SUCCESS;
}

// A class of the Control category registered by the test itself for its
// length: with a name or none, requiring a category or none.
class RegisteredControlClass {
 public:
  RegisteredControlClass(const CLSID& clsid, const char* name, const char* required)
      : m_key(ClassKey(clsid)), m_required(required) {
    m_ok = MakeKey(m_key, name) && MakeKey(m_key + "\\Implemented Categories\\" + kCatControl) &&
           (!required || MakeKey(m_key + "\\Required Categories\\" + required));
  }
  ~RegisteredControlClass() {
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (m_key + "\\Implemented Categories\\" + kCatControl).c_str());
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (m_key + "\\Implemented Categories").c_str());
    if (m_required) {
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (m_key + "\\Required Categories\\" + m_required).c_str());
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (m_key + "\\Required Categories").c_str());
    }
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, m_key.c_str());
  }
  bool Ok() const { return m_ok; }

 private:
  std::string m_key;
  const char* m_required;
  bool m_ok = false;
};

class OfferedControlsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }
};

TEST_F(OfferedControlsTest, OnlyNamedControlsThatNeedNoMoreThanWeAcceptAreOffered) {
  RegisteredControlClass unnamed(kUnnamedControl, nullptr, nullptr);
  RegisteredControlClass demanding(kDemandingControl, "要求更多的控件", kUnknownCategory);
  ASSERT_TRUE(unnamed.Ok());
  ASSERT_TRUE(demanding.Ok());
  loadmarker::Armed marker;
  const struct {
    CLSID clsid;
    const char* name;  // "" where the class is not offered
    const char* why;
  } cases[] = {
      {CLSID_QelTestOcx, "QEL测试控件", "a control"},
      {CLSID_QelTestOcxPlain, "QEL测试控件(无页)", "a control without pages"},
      {CLSID_QelTestOcxBare, "QEL测试控件(无类型)", "a control without type information"},
      {CLSID_QelTestOcxPage, "", "a property page"},
      {CLSID_QelTestOcxDocument, "", "a document object, not of the Control category"},
      {kUnnamedControl, "", "a control without a name"},
      {kDemandingControl, "", "a control that requires a category not accepted"},
      {kUnregistered, "", "a class that is not registered"},
      {CLSID{}, "", "the all-zero identifier"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(OfferedControlName(c.clsid).GetString(), c.name) << c.why;
    EXPECT_EQ(IsOfferedControl(c.clsid), *c.name != '\0') << c.why;
  }
  EXPECT_EQ(marker.Written(), "") << "asking started a class";
}

TEST_F(OfferedControlsTest, TheListHoldsEveryOfferedControlAndNothingElse) {
  RegisteredControlClass unnamed(kUnnamedControl, nullptr, nullptr);
  ASSERT_TRUE(unnamed.Ok());
  const std::vector<OfferedControl> controls = ListOfferedControls();
  for (const CLSID& clsid : {CLSID_QelTestOcx, CLSID_QelTestOcxPlain, CLSID_QelTestOcxBare})
    EXPECT_TRUE(std::any_of(controls.begin(), controls.end(),
                            [&](const OfferedControl& e) { return e.clsid == clsid; }));
  for (const OfferedControl& e : controls) {
    EXPECT_EQ(e.name, OfferedControlName(e.clsid)) << e.name.GetString();
    EXPECT_NE(e.clsid, kUnnamedControl);
    EXPECT_NE(e.clsid, CLSID_QelTestOcxDocument);
  }
}

}  // namespace
