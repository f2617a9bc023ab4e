#include "vm_test_util.h"

#include <gtest/gtest.h>

#include "../compiler/delivered_stdlib.h"

std::vector<uint8_t> CompileScript(const std::string& source) {
  EXPECT_FALSE(tarnic::DeliveredStdlib().empty()) << "stdlib.txt not found beside the compiler";
  tarnic::CompileOutput out = tarnic::Compile(source);
  EXPECT_TRUE(out.generated) << source << "\n" << out.err_text;
  // Warnings (narrowing conversions the tests make on purpose) are allowed.
  EXPECT_EQ(out.err_text.find("Error"), std::string::npos) << source << "\n" << out.err_text;
  return out.code;
}

LoadedScript::LoadedScript(const std::string& source) {
  std::vector<uint8_t> code = CompileScript(source);
  load = vm.Load(code.data(), code.size());
  EXPECT_EQ(load, 0) << source;
}

const VmCell& LoadedScript::Global(uint32_t i) {
  static const VmCell none;
  VmVariables* g = vm.State().globals.get();
  const VmCell* c = g ? g->Cell(i) : nullptr;
  EXPECT_NE(c, nullptr) << "global " << i;
  return c ? *c : none;
}

int32_t LoadedScript::Int(uint32_t i) {
  int64_t v = 0;
  CellToInt64(Global(i), &v);
  return static_cast<int32_t>(v);
}

double LoadedScript::Double(uint32_t i) {
  double v = 0;
  CellToDouble(Global(i), &v);
  return v;
}

std::string LoadedScript::Text(uint32_t i) {
  const VmCell& c = Global(i);
  size_t length;
  if (!vm.State().memory.StringLength(Low32(c.value), &length)) return "<no text>";
  return std::string(reinterpret_cast<const char*>(static_cast<uintptr_t>(Low32(c.value))), length);
}
