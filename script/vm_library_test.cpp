// The library functions called from compiled scripts, a table of cases per
// family.
#include <gtest/gtest.h>

#include <string>

#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

struct IntCase {
  const char* expression;
  int32_t expected;
};

class LibraryInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(LibraryInt, GivesItsValue) {
  const IntCase& c = GetParam();
  LoadedScript s(std::string("int r; int main() { r = ") + c.expression + "; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd) << c.expression;
  EXPECT_EQ(s.Int(0), c.expected) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(Colour, LibraryInt, ::testing::Values(
    IntCase{"RGB(255, 0, 0)", 255}, IntCase{"RGB(0, 0, 255)", 0xFF0000}, IntCase{"RGB(256, 0, 0)", 256},
    IntCase{"RGB(1, 2, 3)", 0x030201}));

}  // namespace
