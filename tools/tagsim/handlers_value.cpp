// Current values: batches of 16-byte values, and single string or blob values.
#include <cstring>

#include "handlers.h"
#include "values.h"

namespace tagsim {
namespace {

constexpr size_t kVarHead = 88;  // name 80, time 4, type 1, quality 1, length 2

Value16 UnknownTagValue() {
  Value16 v{};
  v.quality = kQualityBad;
  v.status = kStatusNoSuchTag;
  return v;
}

}  // namespace

int64_t Seconds(const Context& ctx) {
  return ctx.nowMs >= 0 ? ctx.nowMs / 1000 : -((-ctx.nowMs + 999) / 1000);
}

void AppendVarReply(Bytes& out, const VarValue& v) {
  AppendU32(out, v.time);
  out.push_back(v.type);
  out.push_back(v.quality);
  size_t n = v.data.size() > kVarDataMax ? kVarDataMax : v.data.size();
  uint8_t len[2];
  PutU16(len, uint16_t(n));
  AppendBytes(out, len, 2);
  AppendBytes(out, v.data.data(), n);
}

namespace {

// The head shared by current and history writes of string and blob values.
bool DecodeVarWrite(Context& ctx, const Body& body, Reply& reply, Tag** tag, VarValue* value) {
  if (body.size < kVarHead) {
    reply.status = kStatusBadRequest;
    return false;
  }
  size_t n = GetU16(body.data + 86);
  if (n > kVarDataMax || kVarHead + n != body.size) {
    reply.status = kStatusBadRequest;
    return false;
  }
  *tag = ctx.store.Find(body.Text(0, 80));
  if (!*tag) {
    reply.status = kStatusNoSuchTag;
    return false;
  }
  uint8_t type = body.data[84];
  if (!IsVarType((*tag)->type) || !IsVarType(type)) {
    reply.status = kStatusWrongType;
    return false;
  }
  value->type = (*tag)->type;
  value->quality = body.data[85];
  value->time = body.U32(80) ? body.U32(80) : uint32_t(Seconds(ctx));
  value->data.assign(reinterpret_cast<const char*>(body.data + kVarHead), n);
  return true;
}

// One status byte per record: 0 written, 5 unknown tag, 7 not a numeric value or tag.
void WriteValues(Context& ctx, const Body& body, Reply& reply, bool history) {
  std::vector<WireValue> records;
  if (!DecodeWireValues(body, &records)) {
    reply.status = kStatusBadRequest;
    return;
  }
  for (const WireValue& r : records) {
    Tag* tag = ctx.store.Find(r.name);
    uint8_t status = kStatusOk;
    if (!tag)
      status = kStatusNoSuchTag;
    else if (!IsNumericType(tag->type) || !IsNumericType(r.value.type))
      status = kStatusWrongType;
    if (status == kStatusOk) {
      Value16 v = ConvertValue(r.value, tag->type);
      v.status = 0;
      v.spare = 0;
      if (v.time == 0) v.time = uint32_t(Seconds(ctx));
      tag->history[int32_t(v.time)] = v;  // current values are archived as well
      if (!history) {
        tag->frozen = true;
        tag->value = v;
      }
    }
    reply.body.push_back(status);
  }
}

}  // namespace

void HandleReadReal(Context& ctx, const Body& body, Reply& reply) {
  std::vector<WireValue> records;
  if (!DecodeWireValues(body, &records)) {
    reply.status = kStatusBadRequest;
    return;
  }
  for (const WireValue& r : records) {
    const Tag* tag = ctx.store.Find(r.name);
    AppendWireValue(reply.body, r.name, tag ? ctx.store.CurrentValue(*tag, ctx.nowMs) : UnknownTagValue());
  }
}

void HandleWriteReal(Context& ctx, const Body& body, Reply& reply) { WriteValues(ctx, body, reply, false); }
void HandleWriteHis(Context& ctx, const Body& body, Reply& reply) { WriteValues(ctx, body, reply, true); }

void HandleReadRealVar(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < 80) {
    reply.status = kStatusBadRequest;
    return;
  }
  const Tag* tag = ctx.store.Find(body.Text(0, 80));
  if (!tag)
    reply.status = kStatusNoSuchTag;
  else if (!IsVarType(tag->type))
    reply.status = kStatusWrongType;
  else
    AppendVarReply(reply.body, ctx.store.CurrentVar(*tag, ctx.nowMs));
}

void HandleWriteRealVar(Context& ctx, const Body& body, Reply& reply) {
  Tag* tag;
  VarValue v;
  if (!DecodeVarWrite(ctx, body, reply, &tag, &v)) return;
  tag->frozen = true;
  tag->var = v;
  tag->varHistory[int32_t(v.time)] = v;
}

void HandleWriteHisVar(Context& ctx, const Body& body, Reply& reply) {
  Tag* tag;
  VarValue v;
  if (!DecodeVarWrite(ctx, body, reply, &tag, &v)) return;
  tag->varHistory[int32_t(v.time)] = v;
}

}  // namespace tagsim
