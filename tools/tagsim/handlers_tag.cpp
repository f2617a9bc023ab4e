// The tag catalogue: paged queries, attributes, import and delete.
#include <cstring>

#include "handlers.h"
#include "pattern.h"
#include "values.h"

namespace tagsim {
namespace {

constexpr size_t kQueryBody = 170;
constexpr size_t kImportBody = 4 + kAttrSize;
constexpr uint8_t kAnyType = 0xFF;

void FailImport(const Body& body, int8_t code, uint8_t status, Reply& reply) {
  reply.body.assign(body.data + 4, body.data + kImportBody);
  reply.body[attr::kImportOk] = 0;
  reply.body[attr::kImportResult] = uint8_t(code);
  reply.status = status;
}

}  // namespace

// Pattern 1 selects by name, pattern 2 by description; selector 1 is a type code
// (0xFF or 0: any); selector 2 is not used. Cursor word 0 is the catalogue position to
// go on from (-1 after the last page), word 1 the number of matching tags.
void HandleTagQuery(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < kQueryBody) {
    reply.status = kStatusBadRequest;
    return;
  }
  int32_t from = body.I32(0);
  if (from < 0) from = 0;
  std::string namePattern = body.Text(8, 80), descriptionPattern = body.Text(88, 80);
  uint8_t type = body.data[168];
  auto matches = [&](const Tag& t) {
    return (type == kAnyType || type == kTypeEmpty || t.type == type) && PatternMatch(namePattern, t.name) &&
           PatternMatch(descriptionPattern, t.description);
  };
  Bytes records;
  int32_t position = 0, next = -1, total = 0;
  size_t inPage = 0;
  for (const auto& entry : ctx.store.Tags()) {
    const Tag& t = entry.second;
    bool match = matches(t);
    total += match ? 1 : 0;
    if (position >= from && next < 0 && match) {
      if (inPage == ctx.tagPageSize) {
        next = position;
      } else {
        auto rec = ctx.store.Attributes(t);
        AppendBytes(records, rec.data(), rec.size());
        ++inPage;
      }
    }
    ++position;
  }
  AppendU32(reply.body, uint32_t(next));
  AppendU32(reply.body, uint32_t(total));
  AppendBytes(reply.body, records.data(), records.size());
}

void HandleTagGetAttr(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < kAttrSize) {
    reply.status = kStatusBadRequest;
    return;
  }
  const Tag* tag = ctx.store.Find(body.Text(attr::kName, 80));
  if (!tag) {
    reply.status = kStatusNoSuchTag;
    return;
  }
  auto rec = ctx.store.Attributes(*tag);
  reply.body.assign(rec.begin(), rec.end());
}

// Modes: 0 create or change, 1 create only, 2 change only. A changed tag keeps its
// generator and values while its type stays numeric (or stays string/blob).
void HandleTagImport(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < kImportBody) {
    reply.status = kStatusBadRequest;
    return;
  }
  uint32_t mode = body.U32(0);
  const uint8_t* rec = body.data + 4;
  std::string name = GetFixedText(rec + attr::kName, 80);
  uint8_t type = rec[attr::kType];
  if (mode > kImportChangeOnly) return FailImport(body, kImportBadMode, kStatusBadRequest, reply);
  if (name.empty() || name.size() > kNameMax)
    return FailImport(body, kImportBadName, kStatusBadRequest, reply);
  if (!IsKnownType(type)) return FailImport(body, kImportBadType, kStatusBadRequest, reply);
  const Tag* old = ctx.store.Find(name);
  if (old && mode == kImportCreateOnly) return FailImport(body, kImportExists, kStatusExists, reply);
  if (!old && mode == kImportChangeOnly) return FailImport(body, kImportMissing, kStatusNoSuchTag, reply);

  Tag tag;
  bool keep = old && IsVarType(old->type) == IsVarType(type);
  if (keep) tag = *old;
  if (!keep) {
    std::string unused;
    Generator::Parse(IsVarType(type) ? "const" : "const 0", IsVarType(type), &tag.generator, &unused);
  }
  if (keep && tag.frozen && IsNumericType(type)) tag.value = ConvertValue(tag.value, type);
  if (keep && tag.frozen && IsVarType(type)) tag.var.type = type;
  tag.name = name;
  tag.type = type;
  tag.description = GetFixedText(rec + attr::kDescription, 80);
  tag.unit = GetFixedText(rec + attr::kUnit, 16);
  uint32_t seconds = GetU32(rec + attr::kHistorySeconds);
  tag.historySeconds = seconds >= 1 && seconds <= 86400u * 366 ? int(seconds) : kDefaultHistorySeconds;
  std::memcpy(tag.extra.data(), rec, kAttrSize);
  const Tag& stored = ctx.store.Put(std::move(tag));
  auto out = ctx.store.Attributes(stored);
  reply.body.assign(out.begin(), out.end());
}

void HandleTagDelete(Context& ctx, const Body& body, Reply& reply) {
  std::string name;
  if (!ZeroTerminatedName(body, 0, &name))
    reply.status = kStatusBadRequest;
  else if (!ctx.store.Remove(name))
    reply.status = kStatusNoSuchTag;
}

}  // namespace tagsim
