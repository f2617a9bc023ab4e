#include "paintcache.h"

#include <mutex>

namespace {

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
    if (!m_raster)
        return;
    Holdings& h = TheHoldings();
    h.bytes -= m_raster->Bytes();
    h.byUse.erase(m_used);
    m_raster.reset();
}

bool CPaintCache::KeepLocked(std::unique_ptr<CPaintRaster> raster) {
    Holdings& h = TheHoldings();
    const size_t bytes = raster->Bytes();
    if (bytes > kBudgetBytes)
        return false;
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
    full.Add(state.bkMode).Add(state.bkColor).Add(state.textColor).Add(state.polyFillMode)
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
        } else if (m_raster) {
            h.byUse.splice(h.byUse.begin(), h.byUse, m_used);
            m_raster->Blit(*pDC);
            return;
        } else {
            keep = !m_refused;
        }
    }
    if (keep) {
        // Made outside the lock: it takes as long as drawing twice.
        std::unique_ptr<CPaintRaster> raster = CPaintRaster::Make(reach(), state, draw);
        std::lock_guard<std::recursive_mutex> lock(h.guard);
        if (raster && KeepLocked(std::move(raster))) {
            m_raster->Blit(*pDC);
            return;
        }
        m_refused = true;
    }
    draw(pDC);
}
