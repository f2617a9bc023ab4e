// Instruction sequences produced for statements and expressions.
#include <gtest/gtest.h>

#include "test_support.h"

namespace tarnic {
namespace {

using Code = std::vector<std::string>;

TEST(Codegen, SmallestProgram) {
  CompileOutput out = Compile("int main() { return 0; }");
  EXPECT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out), (Code{"OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

}  // namespace
}  // namespace tarnic
