// The 100 ms tick that drives the links.
#include "action.h"
#include "drawobj.h"
#include "picrunwnd.h"

namespace {
// The tag cache is refreshed when the low three bits of the tick count are
// all set: ticks 7, 15, 23, ... (every 800 ms, the first 700 ms after a load).
constexpr DWORD kRefreshMask = 7;
}  // namespace

void CPicRunWnd::OnTimer(UINT_PTR id) {
  if (id != m_timer || m_timer == 0) return;
  RunTick(++m_tick);
}

LRESULT CPicRunWnd::AnswerRequest(UINT msg, WPARAM wp, LPARAM lp) { return AnswerDirectly(msg, wp, lp); }

DWORD CPicRunWnd::PictureCycleDivisor() const {
  // A period of 100 ms or less (zero and negative ones included) ticks every tick.
  const int period = m_picture->m_nPeriod;
  const int divisor = period / static_cast<int>(kTickMs);
  return divisor > 0 ? static_cast<DWORD>(divisor) : 1;
}

void CPicRunWnd::RunTick(DWORD n) {
  if (!m_picture) return;
  CLinkRun run(*this);
  ::SetRectEmpty(&m_dirty);
  {
    // The links' dirty rectangle and the scripts' areas are invalidated
    // once; the window answers its links' and scripts' requests itself.
    CTickScope tick(m_hWnd, m_repaint, *this);
    FireTick(n);
  }
  m_repaint.Flush(m_hWnd, m_dirty);
  if ((n & kRefreshMask) == kRefreshMask) RefreshTags();
}

void CPicRunWnd::FireTick(DWORD n) {
  const DWORD b = PictureCycleDivisor();
  const bool pictureCycle = b == 1 || n % b == 1;
  ForEachObject([&](CDrawObj* obj, CPicLayer*) {
    obj->FireActions(AT_OWN_PERIOD, n, nullptr);
    if (pictureCycle) obj->FireActions(AT_PICTURE_CYCLE, 0, nullptr);
  });
}
