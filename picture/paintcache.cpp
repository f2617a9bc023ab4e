#include "paintcache.h"

#include <algorithm>
#include <mutex>

namespace {

// The innermost pass of this thread, and what the passes before it left
// unspent of their allowance.
thread_local CPaintPass* t_pass = nullptr;
thread_local double t_bankMs = 0;

// The making of a raster draws twice and analyses: this much more than one
// drawing, as a part of the drawing's own time.
constexpr double kMakingFactor = 1.25;

double NowMs() {
  static const double msPerTick = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return 1000.0 / static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * msPerTick;
}

// The caches holding a raster, the most recently used first, and their bytes.
struct Holdings {
  std::recursive_mutex guard;
  std::list<CPaintCache*> byUse;
  size_t bytes = 0;
};

Holdings& TheHoldings() {
  static Holdings holdings;
  return holdings;
}

}  // namespace

CPaintPass::CPaintPass() : m_allowanceMs(std::min(t_bankMs + kSeedMs, kBankMs)), m_outer(t_pass) {
  t_pass = this;
}

CPaintPass::~CPaintPass() {
  t_pass = m_outer;
  // Savings are the pass's own; what it left of its allowance carries.
  const double overspent = std::max(0.0, m_spentMs - m_savedMs);
  t_bankMs = std::max(0.0, m_allowanceMs - overspent);
}

CPaintPass* CPaintPass::Current() { return t_pass; }

bool CPaintPass::Allows(double drawMs) const {
  return m_spentMs + kMakingFactor * drawMs <= m_allowanceMs + m_savedMs;
}

CPaintCache::~CPaintCache() {
  std::lock_guard<std::recursive_mutex> lock(TheHoldings().guard);
  ForgetLocked();
}

size_t CPaintCache::HeldBytes() {
  Holdings& h = TheHoldings();
  std::lock_guard<std::recursive_mutex> lock(h.guard);
  return h.bytes;
}

void CPaintCache::Forget() {
  std::lock_guard<std::recursive_mutex> lock(TheHoldings().guard);
  ForgetLocked();
  m_seen.Clear();
  m_refused = false;
}

void CPaintCache::ForgetLocked() {
  if (!m_raster) return;
  Holdings& h = TheHoldings();
  h.bytes -= m_raster->Bytes();
  h.byUse.erase(m_used);
  m_raster.reset();
}

bool CPaintCache::KeepLocked(std::unique_ptr<CPaintRaster> raster) {
  Holdings& h = TheHoldings();
  const size_t bytes = raster->Bytes();
  if (bytes > kBudgetBytes) return false;
  while (h.bytes + bytes > kBudgetBytes && !h.byUse.empty()) {
    CPaintCache* oldest = h.byUse.back();
    oldest->ForgetLocked();
    oldest->m_refused = true;
  }
  m_raster = std::move(raster);
  h.byUse.push_front(this);
  m_used = h.byUse.begin();
  h.bytes += bytes;
  return true;
}

void CPaintCache::DrawTimed(CDC* pDC, const std::function<void(CDC*)>& draw) {
  const double start = NowMs();
  draw(pDC);
  m_drawMs = NowMs() - start;
}

void CPaintCache::BlitLocked(CDC* pDC) {
  const double start = NowMs();
  m_raster->Blit(*pDC);
  CPaintPass* pass = CPaintPass::Current();
  if (!pass) return;
  const double blitMs = NowMs() - start;
  if (blitMs > m_drawMs) {
    // Putting it back costs more than drawing it did: it does not pay.
    ForgetLocked();
    m_refused = true;
    return;
  }
  pass->Saved(m_drawMs - blitMs);
}

void CPaintCache::Paint(CDC* pDC, const PaintKey& key, const std::function<RECT()>& reach,
                        const std::function<void(CDC*)>& draw) {
  PaintDcState state;
  if (!ReadRasterTarget(pDC, &state)) {
    draw(pDC);
    return;
  }
  // The DC's translation stays out: a window repainting a part of itself
  // moves it at every paint, and a kept drawing is put back at any.
  PaintKey full = key;
  full.Add(state.bkMode)
      .Add(state.bkColor)
      .Add(state.textColor)
      .Add(state.polyFillMode)
      .Add(state.stretchMode);

  Holdings& h = TheHoldings();
  bool keep = false;
  {
    std::lock_guard<std::recursive_mutex> lock(h.guard);
    if (full != m_seen) {
      // New inputs: drawn as they are; kept if the next paint brings them again.
      ForgetLocked();
      m_seen = std::move(full);
      m_refused = false;
    } else if (m_raster && m_raster->Fits(state)) {
      h.byUse.splice(h.byUse.begin(), h.byUse, m_used);
      BlitLocked(pDC);
      return;
    } else {
      ForgetLocked();  // one cut at another DC's edges
      CPaintPass* pass = CPaintPass::Current();
      keep = !m_refused && (!pass || pass->Allows(m_drawMs));
    }
  }
  if (keep) {
    // Made outside the lock: it takes as long as drawing twice.
    const double start = NowMs();
    std::unique_ptr<CPaintRaster> raster = CPaintRaster::Make(reach(), state, draw);
    std::lock_guard<std::recursive_mutex> lock(h.guard);
    if (raster && KeepLocked(std::move(raster))) {
      // Its first copy stands for this paint's drawing: the making and
      // the copy cost the pass what drawing would not have, and save
      // it nothing (a saving counted here would pay for the next
      // making, and the paint would grow slower than one drawing all).
      m_raster->Blit(*pDC);
      ChargePass(NowMs() - start - m_drawMs);
      return;
    }
    m_refused = true;
    ChargePass(NowMs() - start);  // drawn below as well
  }
  DrawTimed(pDC, draw);
}

void CPaintCache::ChargePass(double extraMs) {
  if (CPaintPass* pass = CPaintPass::Current()) pass->Spent(extraMs);
}
