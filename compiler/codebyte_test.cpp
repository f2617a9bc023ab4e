// The code-byte file: header, instruction area and counted data entries.
#include <gtest/gtest.h>

#include <cstring>

#include "bench_source.h"
#include "test_support.h"

namespace tarnic {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(CodeByteFile, Header) {
  CompileOutput out = Compile("int a = 1; int main() { return a; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  const std::vector<uint8_t>& b = out.code;
  ASSERT_GE(b.size(), 64u);
  EXPECT_EQ(b[0], 0x5A);
  EXPECT_EQ(b[1], 0xA5);
  EXPECT_EQ(b[2], 0x01);
  EXPECT_EQ(b[3], 0x01);
  char title[32];
  std::memcpy(title, &b[4], 32);
  EXPECT_STREQ(title, "ANSI C-like Script Compiler");
  for (size_t i = 4 + std::strlen(title); i < 36; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(U32(b, 36), 64u + 12u * out.instructions.size());
  EXPECT_EQ(U32(b, 40), 2u);  // after the initializer's two instructions
  for (size_t i = 44; i < 64; ++i) EXPECT_EQ(b[i], 0) << i;
}

TEST(CodeByteFile, InstructionRecords) {
  CompileOutput out = Compile("int main() { return 0x12345678; }");
  ASSERT_EQ(out.status, 0);
  const std::vector<uint8_t>& b = out.code;
  // A, B, T, R2, R, OP: the unsigned constant is loaded and converted to
  // main's "int" before it goes to the accumulator.
  const uint8_t expected[4][12] = {
      {0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0x05, 0, 1, 2},  // OP_LDK R=1 A=0x12345678 T=0x05
      {0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0, 1, 184},            // OP_CAST R=1 T=0x04
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1},                 // OP_MOV R=0 R2=1
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 170},               // OP_RET
  };
  ASSERT_EQ(b.size(), 64u + sizeof expected + 4u);
  EXPECT_EQ(std::memcmp(&b[64], expected, sizeof expected), 0);
}

TEST(CodeByteFile, NoGlobals) {
  CompileOutput out = Compile("int main() { return 0; }");
  ASSERT_EQ(out.status, 0);
  uint32_t data = U32(out.code, 36);
  EXPECT_EQ(out.code.size(), data + 4);
  EXPECT_EQ(U32(out.code, data), 0u);
  EXPECT_EQ((data - 64) % 12, 0u);
}

TEST(CodeByteFile, GlobalAndStringEntries) {
  CompileOutput out = Compile("int g; int main() { printf(\"ab\"); return g; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  const std::vector<uint8_t>& b = out.code;
  uint32_t data = U32(b, 36);
  const uint8_t expected[] = {2,    0, 0, 0,                 // two entries
                              0x84, 0, 0, 0, 0, 0, 0, 0, 0,  // int g
                              0x90, 2, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'};
  ASSERT_EQ(b.size(), data + sizeof expected);
  EXPECT_EQ(std::memcmp(&b[data], expected, sizeof expected), 0);
}

TEST(CodeByteFile, EntryTypesAndCounts) {
  CompileOutput out = Compile(
      "double d[10]; char *p; unsigned char b; int64 q; float f; short s[3]; char t[] = \"a\\tb\";"
      "int main() { return 0; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  const std::vector<uint8_t>& b = out.code;
  size_t at = U32(b, 36);
  ASSERT_EQ(U32(b, at), 8u);  // seven variables and the string constant
  at += 4;
  struct Entry {
    uint8_t type;
    uint32_t count;
    std::string data;
  };
  const Entry entries[] = {{0x98, 10, ""}, {0xA0, 0, ""}, {0x81, 0, ""},     {0x87, 0, ""},
                           {0x86, 0, ""},  {0x92, 3, ""}, {0x90, 3, "a\tb"}, {0x90, 3, ""}};
  for (const Entry& e : entries) {
    EXPECT_EQ(b[at], e.type);
    EXPECT_EQ(U32(b, at + 1), e.count);
    EXPECT_EQ(U32(b, at + 5), e.data.size());
    EXPECT_EQ(std::string(b.begin() + at + 9, b.begin() + at + 9 + e.data.size()), e.data);
    at += 9 + e.data.size();
  }
  EXPECT_EQ(at, b.size());
}

TEST(CodeByteFile, TypeWordsGiveTheirElementCodes) {
  struct Case {
    const char* decl;
    uint8_t type;
  };
  const Case cases[] = {{"char v;", 0x80},      {"unsigned char v;", 0x81},
                        {"short int v;", 0x82}, {"unsigned short int v;", 0x83},
                        {"bool v;", 0x84},      {"unsigned long v;", 0x85},
                        {"float v;", 0x86},     {"int64 v;", 0x87},
                        {"double v;", 0x88},    {"unsigned v[2];", 0x95},
                        {"short *v;", 0xA2}};
  for (const Case& c : cases) {
    CompileOutput out = Compile(std::string(c.decl) + " int main() { return 0; }");
    ASSERT_EQ(out.status, 0) << c.decl;
    EXPECT_EQ(out.code[U32(out.code, 36) + 4], c.type) << c.decl;
  }
}

TEST(CodeByteFile, FunctionsBeforeMainFollowIt) {
  CompileOutput out = Compile("int f() { return 1; } int main() { return f(); }");
  ASSERT_EQ(out.status, 0);
  EXPECT_EQ(out.header.entry, 0u);
  EXPECT_EQ(Dump(out)[0], "OP_CALL A=4");
  EXPECT_EQ(Dump(out).back(), "OP_RET");
}

TEST(CodeByteFile, SummaryLine) {
  CompileOutput out = Compile("int main() { return 0; }", true);
  EXPECT_EQ(out.out_text, ">> 字节码文件信息：指令(2)，文件大小(92)\r\n");
  CompileOutput en = Compile("int main() { return 0; }");
  EXPECT_EQ(en.out_text, ">> Code byte file info: Instruction(2), File size(92)\r\n");
}

// The compile benchmark's 20,000-line script gives the same file, byte for
// byte, as it always has: work on the compiler's speed changes no output.
TEST(CodeByteFile, BenchmarkScriptGivesItsKnownFile) {
  int lines = 0;
  CompileOutput out = Compile(BenchmarkSource(20000, &lines));
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(lines, 19984);
  EXPECT_EQ(out.instructions.size(), 118951u);
  ASSERT_EQ(out.code.size(), 1440219u);
  uint64_t fnv1a = 0xcbf29ce484222325ull;
  for (uint8_t b : out.code) fnv1a = (fnv1a ^ b) * 0x100000001b3ull;
  EXPECT_EQ(fnv1a, 0x5b3dbf9fa5592cd5ull);
}

}  // namespace
}  // namespace tarnic
