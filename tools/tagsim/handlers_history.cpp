// History: pages, values at a time, summaries and counts. Generated samples lie on
// multiples of each tag's history interval; written samples join them.
#include <algorithm>
#include <cstring>

#include "expr.h"
#include "handlers.h"
#include "values.h"

namespace tagsim {

namespace {

constexpr size_t kMaxExpression = 500;
constexpr size_t kStepRecord = 64;
constexpr size_t kMaxSteps = (kMaxFrame - kHeaderSize) / kStepRecord;

void AppendHisRecord(Bytes& out, const HisSample& s) {
  Value16 v = s.value;
  v.status = 0;
  v.spare = 0;
  v.time = uint32_t(s.time);
  AppendBytes(out, &v, 16);
}

// Looks the tag up; numericOnly refuses string and blob tags.
const Tag* FindTag(Context& ctx, const std::string& name, bool numericOnly, Reply& reply) {
  const Tag* tag = ctx.store.Find(name);
  if (!tag)
    reply.status = kStatusNoSuchTag;
  else if (numericOnly && !IsNumericType(tag->type))
    reply.status = kStatusWrongType;
  else
    return tag;
  return nullptr;
}

bool ExpressionAt(const Body& body, size_t off, SampleFilter* filter, Reply& reply) {
  const void* zero = off < body.size ? std::memchr(body.data + off, 0, body.size - off) : nullptr;
  size_t n = zero ? static_cast<const uint8_t*>(zero) - (body.data + off) : 0;
  if (!zero || n > kMaxExpression) {
    reply.status = kStatusBadRequest;
    return false;
  }
  if (!ParseFilterExpression(std::string(reinterpret_cast<const char*>(body.data + off), n), filter)) {
    reply.status = kStatusBadExpression;
    return false;
  }
  return true;
}

void HistoryPage(Context& ctx, const Tag& tag, int32_t from, int32_t to, const SampleFilter& filter,
                 Reply& reply) {
  bool more = false;
  for (const HisSample& s : ctx.store.History(tag, from, to, ctx.historyPageSize, &more, filter))
    AppendHisRecord(reply.body, s);
  reply.flag = more ? kFlagMoreFollows : 0;
}

// Minimum, maximum, average, sum and count of numeric samples.
struct Summary {
  HisSample min{}, max{};
  double sum = 0;
  uint32_t count = 0;
  void Add(const HisSample& s) {
    double v = ValueAsDouble(s.value);
    if (count == 0 || v < ValueAsDouble(min.value)) min = s;
    if (count == 0 || v > ValueAsDouble(max.value)) max = s;
    sum += v;
    ++count;
  }
  // A (16) B (16) C average (8) D sum (8).
  void AppendValues(Bytes& out) const {
    if (count) {
      AppendHisRecord(out, min);
      AppendHisRecord(out, max);
    } else {
      out.resize(out.size() + 32, 0);
    }
    double average = count ? sum / count : 0;
    AppendBytes(out, &average, 8);
    AppendBytes(out, &sum, 8);
  }
};

}  // namespace

// Value a and value b are not used; a page holds up to the history page size.
void HandleReadHis(Context& ctx, const Body& body, Reply& reply) {
  std::string name;
  if (body.size < 17 || !ZeroTerminatedName(body, 16, &name)) {
    reply.status = kStatusBadRequest;
    return;
  }
  if (const Tag* tag = FindTag(ctx, name, false, reply))
    HistoryPage(ctx, *tag, body.I32(0), body.I32(4), nullptr, reply);
}

void HandleQueryHisExp(Context& ctx, const Body& body, Reply& reply) {
  SampleFilter filter;
  if (body.size < 97) {
    reply.status = kStatusBadRequest;
    return;
  }
  if (!ExpressionAt(body, 96, &filter, reply)) return;
  if (const Tag* tag = FindTag(ctx, body.Text(16, 80), false, reply))
    HistoryPage(ctx, *tag, body.I32(0), body.I32(4), filter, reply);
}

// Body: time, then names each ended by a line feed, then a zero byte. One record
// per name in order; an unknown tag gives type 0 with bad quality.
void HandleReadHisAt(Context& ctx, const Body& body, Reply& reply) {
  const void* zero = body.size > 4 ? std::memchr(body.data + 4, 0, body.size - 4) : nullptr;
  if (!zero) {
    reply.status = kStatusBadRequest;
    return;
  }
  int32_t time = body.I32(0);
  std::string names(reinterpret_cast<const char*>(body.data + 4),
                    static_cast<const uint8_t*>(zero) - (body.data + 4));
  size_t pos = 0;
  while (pos < names.size()) {
    size_t lf = names.find('\n', pos);
    std::string name = names.substr(pos, lf == std::string::npos ? lf : lf - pos);
    pos = lf == std::string::npos ? names.size() : lf + 1;
    const Tag* tag = ctx.store.Find(name);
    HisSample s{time, {}};
    if (tag)
      s.value = ctx.store.ValueAt(*tag, time);
    else
      s.value.quality = kQualityBad;
    AppendHisRecord(reply.body, s);
  }
}

// Value a is the time; value b is not used.
void HandleReadHisVar(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < 88) {
    reply.status = kStatusBadRequest;
    return;
  }
  const Tag* tag = ctx.store.Find(body.Text(0, 80));
  if (!tag)
    reply.status = kStatusNoSuchTag;
  else if (!IsVarType(tag->type))
    reply.status = kStatusWrongType;
  else
    AppendVarReply(reply.body, ctx.store.VarAt(*tag, body.I32(80)));
}

void HandleHisSum(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < 88) {
    reply.status = kStatusBadRequest;
    return;
  }
  const Tag* tag = FindTag(ctx, body.Text(0, 80), true, reply);
  if (!tag) return;
  Summary sum;
  ctx.store.VisitHistory(*tag, body.I32(80), body.I32(84), [&](const HisSample& s) {
    sum.Add(s);
    return true;
  });
  sum.AppendValues(reply.body);
  AppendU32(reply.body, sum.count);
}

// Step records: start, end (inclusive), count, 0, then the summary values; a step
// of 0 or less makes one step over the whole range.
void HandleHisSumSteps(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < 92) {
    reply.status = kStatusBadRequest;
    return;
  }
  const Tag* tag = FindTag(ctx, body.Text(0, 80), true, reply);
  if (!tag) return;
  int64_t from = body.I32(80), to = body.I32(84), step = body.I32(88);
  if (step <= 0) step = to - from + 1;
  int64_t steps = (to - from + step) / step;
  if (steps > int64_t(kMaxSteps)) {
    reply.status = kStatusBadRequest;
    return;
  }
  std::vector<Summary> sums(static_cast<size_t>(steps));
  ctx.store.VisitHistory(*tag, from, to, [&](const HisSample& s) {
    sums[size_t((s.time - from) / step)].Add(s);
    return true;
  });
  for (int64_t i = 0; i < steps; ++i) {
    int64_t start = from + i * step, end = std::min(to, start + step - 1);
    AppendU32(reply.body, uint32_t(start));
    AppendU32(reply.body, uint32_t(end));
    AppendU32(reply.body, sums[size_t(i)].count);
    AppendU32(reply.body, 0);
    sums[size_t(i)].AppendValues(reply.body);
  }
}

// Results: the samples matching the expression, and all samples in the range.
void HandleCountHisExp(Context& ctx, const Body& body, Reply& reply) {
  SampleFilter filter;
  if (body.size < 89) {
    reply.status = kStatusBadRequest;
    return;
  }
  if (!ExpressionAt(body, 88, &filter, reply)) return;
  const Tag* tag = FindTag(ctx, body.Text(8, 80), false, reply);
  if (!tag) return;
  int32_t a = body.I32(0), b = body.I32(4);
  uint32_t matched = 0, total = 0;
  ctx.store.VisitHistory(*tag, std::min(a, b), std::max(a, b), [&](const HisSample& s) {
    ++total;
    matched += !filter || filter(s.value) ? 1 : 0;
    return true;
  });
  AppendU32(reply.body, matched);
  AppendU32(reply.body, total);
}

// Results: the samples whose value equals value a, and the number of changes of
// value between neighbouring samples. Value b is not used.
void HandleCountKstAct(Context& ctx, const Body& body, Reply& reply) {
  if (body.size < 96) {
    reply.status = kStatusBadRequest;
    return;
  }
  const Tag* tag = FindTag(ctx, body.Text(0, 80), true, reply);
  if (!tag) return;
  int64_t wanted = body.I32(88);
  uint32_t equal = 0, changes = 0;
  bool first = true;
  double last = 0;
  ctx.store.VisitHistory(*tag, body.I32(80), body.I32(84), [&](const HisSample& s) {
    double v = ValueAsDouble(s.value);
    equal += ValueAsInt64(s.value) == wanted ? 1 : 0;
    changes += !first && v != last ? 1 : 0;
    first = false;
    last = v;
    return true;
  });
  AppendU32(reply.body, equal);
  AppendU32(reply.body, changes);
}

}  // namespace tagsim
