#include "code_dump.h"

#include "crtformat.h"
#include "opcodes.h"

namespace tarnic {

std::string DumpInstruction(const CodeByteInstruction& ins) {
  int sub = 0;
  const OpcodeInfo* info = FindOpcode(ins.op, &sub);
  if (!info) return qel::FormatStr("OP?%d", ins.op);
  std::string s = info->name;
  if (info->count > 1) s += qel::FormatStr("+%d", sub);
  if (info->fields & F_R) s += qel::FormatStr(" R=%d", ins.r);
  if (info->fields & F_R2) s += qel::FormatStr(" R2=%d", ins.r2);
  if (info->fields & F_A) s += qel::FormatStr(" A=%u", ins.a);
  if ((info->fields & F_B) && ins.b) s += qel::FormatStr(" B=%u", ins.b);
  if (info->fields & F_T) s += qel::FormatStr(" T=0x%02X", ins.t);
  return s;
}

std::vector<std::string> DumpInstructions(const std::vector<CodeByteInstruction>& code) {
  std::vector<std::string> out;
  for (const CodeByteInstruction& ins : code) out.push_back(DumpInstruction(ins));
  return out;
}

}  // namespace tarnic
