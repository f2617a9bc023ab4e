#include "vm_program.h"

#include <cstring>

using tarnic::CodeByteHeader;
using tarnic::CodeByteInstruction;

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

CodeByteInstruction I(uint8_t op, uint8_t r, uint8_t r2, uint32_t a, uint32_t b, uint8_t t) {
  CodeByteInstruction in{};
  in.op = op;
  in.r = r;
  in.r2 = r2;
  in.a = a;
  in.b = b;
  in.t = t;
  return in;
}

void VmProgram::Global(uint8_t type, uint32_t count, const std::string& bytes) {
  data.push_back(type);
  Put32(data, count);
  Put32(data, static_cast<uint32_t>(bytes.size()));
  data.insert(data.end(), bytes.begin(), bytes.end());
  ++entries;
}

std::vector<uint8_t> VmProgram::Bytes() const {
  CodeByteHeader h{};
  h.magic = tarnic::kCodeByteMagic;
  h.version = tarnic::kCodeByteVersion;
  std::strcpy(h.title, tarnic::kCodeByteTitle);
  h.data_offset = static_cast<uint32_t>(sizeof h + sizeof(CodeByteInstruction) * code.size());
  h.entry = entry;
  std::vector<uint8_t> out(sizeof h);
  std::memcpy(out.data(), &h, sizeof h);
  for (const CodeByteInstruction& in : code) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&in);
    out.insert(out.end(), p, p + sizeof in);
  }
  Put32(out, entries);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}
