#include "handlers.h"

#include <algorithm>

namespace tagsim {
namespace {

const CommandEntry kCommands[] = {
    {kGroupLogin, kCmdLogin, false, HandleLogin, "login", ErrorShape::kZeros, 4, 0},
    {kGroupTag, kCmdTagQuery, true, HandleTagQuery, "tag query", ErrorShape::kZeros, 8, 0},
    {kGroupTag, kCmdTagImport, true, HandleTagImport, "tag import", ErrorShape::kEcho, 256, 4},
    {kGroupTag, kCmdTagGetAttr, true, HandleTagGetAttr, "tag attributes", ErrorShape::kEcho, 256, 0},
    {kGroupTag, kCmdTagDelete, true, HandleTagDelete, "tag delete", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdWriteReal, true, HandleWriteReal, "write values", ErrorShape::kPerRecord, 0, 0},
    {kGroupValue, kCmdReadReal, true, HandleReadReal, "read values", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdReadRealVar, true, HandleReadRealVar, "read variable value", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdWriteRealVar, true, HandleWriteRealVar, "write variable value", ErrorShape::kBare, 0,
     0},
    {kGroupValue, kCmdReadHis, true, HandleReadHis, "history page", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdReadHisAt, true, HandleReadHisAt, "history at a time", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdWriteHisVar, true, HandleWriteHisVar, "write history variable value", ErrorShape::kBare,
     0, 0},
    {kGroupValue, kCmdWriteHis, true, HandleWriteHis, "write history", ErrorShape::kPerRecord, 0, 0},
    {kGroupValue, kCmdReadHisVar, true, HandleReadHisVar, "read history variable value", ErrorShape::kBare, 0,
     0},
    {kGroupValue, kCmdHisSum, true, HandleHisSum, "history summary", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdHisSumSteps, true, HandleHisSumSteps, "history summary by steps", ErrorShape::kBare, 0,
     0},
    {kGroupValue, kCmdQueryHisExp, true, HandleQueryHisExp, "history by expression", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdCountHisExp, true, HandleCountHisExp, "count by expression", ErrorShape::kBare, 0, 0},
    {kGroupValue, kCmdCountKstAct, true, HandleCountKstAct, "count", ErrorShape::kBare, 0, 0},
    {kGroupOperator, kCmdAddActor, true, HandleAddActor, "add actor", ErrorShape::kBare, 0, 0},
    {kGroupOperator, kCmdDelActor, true, HandleDelActor, "delete actor", ErrorShape::kBare, 0, 0},
    {kGroupOperator, kCmdAddOperator, true, HandleAddOperator, "add operator", ErrorShape::kBare, 0, 0},
    {kGroupOperator, kCmdDelOperator, true, HandleDelOperator, "delete operator", ErrorShape::kBare, 0, 0},
    {kGroupOperator, kCmdChangePassword, true, HandleChangePassword, "change password", ErrorShape::kBare, 0,
     0},
    {kGroupOperator, kCmdListActors, true, HandleListActors, "list actors", ErrorShape::kZeros, 1, 0},
    {kGroupOperator, kCmdListOperators, true, HandleListOperators, "list operators", ErrorShape::kZeros, 1,
     0},
    {kGroupVolume, kCmdVolumeLoad, true, HandleVolumeLoad, "load volume", ErrorShape::kStatusWord, 4, 0},
    {kGroupVolume, kCmdVolumeUnload, true, HandleVolumeUnload, "unload volume", ErrorShape::kStatusWord, 4,
     0},
    {kGroupVolume, kCmdVolumeTable, true, HandleVolumeTable, "volume table", ErrorShape::kBare, 0, 0},
};

}  // namespace

const CommandEntry* FindCommand(uint8_t group, uint8_t command) {
  for (const CommandEntry& e : kCommands)
    if (e.group == group && e.command == command) return &e;
  return nullptr;
}

Bytes ErrorBody(const CommandEntry& entry, const Body& request, uint8_t status) {
  Bytes out;
  switch (entry.shape) {
    case ErrorShape::kBare: break;
    case ErrorShape::kZeros: out.assign(entry.size, 0); break;
    case ErrorShape::kEcho:
      out.assign(entry.size, 0);
      if (request.size > entry.offset)
        std::memcpy(out.data(), request.data + entry.offset,
                    std::min<size_t>(entry.size, request.size - entry.offset));
      break;
    case ErrorShape::kPerRecord: {
      std::vector<WireValue> records;
      if (DecodeWireValues(request, &records)) out.assign(records.size(), status);
      break;
    }
    case ErrorShape::kStatusWord: AppendU32(out, status); break;
  }
  return out;
}

void AppendWireValue(Bytes& out, const std::string& name, const Value16& value) {
  size_t l = name.size() > kNameMax ? kNameMax : name.size();
  size_t p = (l + 4 + 3) & ~size_t(3);
  size_t start = out.size();
  out.resize(start + p + 16, 0);
  PutU16(&out[start], uint16_t(p + 16));
  PutU16(&out[start + 2], uint16_t(l));
  std::memcpy(&out[start + 4], name.data(), l);
  std::memcpy(&out[start + p], &value, 16);
}

bool DecodeWireValues(const Body& body, std::vector<WireValue>* out) {
  size_t off = 0;
  while (off < body.size) {
    if (body.size - off < 4) return false;
    size_t t = GetU16(body.data + off), l = GetU16(body.data + off + 2);
    if (t < 20 || t > body.size - off || l > kNameMax || l + 4 > t - 16) return false;
    WireValue v;
    v.name.assign(reinterpret_cast<const char*>(body.data + off + 4), l);
    std::memcpy(&v.value, body.data + off + t - 16, 16);
    out->push_back(v);
    off += t;
  }
  return true;
}

bool ZeroTerminatedName(const Body& body, size_t off, std::string* name) {
  if (off >= body.size) return false;
  const uint8_t* p = body.data + off;
  const void* zero = std::memchr(p, 0, body.size - off);
  if (!zero) return false;
  size_t n = static_cast<const uint8_t*>(zero) - p;
  if (n > kNameMax) return false;
  name->assign(reinterpret_cast<const char*>(p), n);
  return true;
}

}  // namespace tagsim
