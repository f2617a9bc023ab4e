// What a draw object painted, kept between paints: the next paint with the
// same inputs (PaintKey) puts the pixels back with a copy instead of asking
// the platform to draw again (a GDI+ gradient, a shaded pipe, an image or a
// turned text costs it a software pass over every pixel).
//
// A drawing is kept the second time it is painted with the same key, so an
// object that changes at every paint (moved or recoloured by a link) is
// drawn as before at no extra cost. Keeping costs about one more drawing
// (the raster is drawn twice, then copied): inside a paint pass (CPaintPass,
// a window's paint) drawings are kept only within the pass's budget, so a
// picture's first paints are not slowed by making them (see CPaintPass). A
// kept drawing whose copy takes a pass longer than drawing it did is dropped
// and drawn from then on until its key changes. Only drawings onto a 32-bit memory DC
// that only translates are kept (see ReadRasterTarget); printers and
// metafiles get the drawing itself.
//
// All caches together hold at most kBudgetBytes; the one used longest ago
// gives way to a new one. A cache that gave way draws directly until its
// key changes, so a picture whose drawings do not all fit is not drawn
// twice over at every paint. Caches are not copied: a cloned or loaded
// object starts without one.
#pragma once

#include <windows.h>

#include <functional>
#include <list>
#include <memory>

#include "gdiwrap.h"
#include "paintkey.h"
#include "paintraster.h"

// One paint of many objects (a window's paint through its memory surface),
// open on this thread for the length of the paint; passes nest, and the
// innermost counts.
//
// The drawings a pass keeps cost it time: making a raster takes about one
// drawing more than drawing directly. A pass makes them only while what it
// spent on them stays within what the copies of kept drawings saved it so
// far, plus a small allowance: kSeedMs per pass, of which what a pass leaves
// unspent goes to the next ones up to kBankMs. So a picture's first paint
// keeps nothing, the next ones keep the cheapest-to-make drawings first, and
// every further pass may spend what its copies saved: a pass is slower than
// one drawing every object directly by its allowance at most (kSeedMs when
// each pass spends its seed; a drawing too costly for the allowance waits
// until unspent seeds or the pass's copies cover it). Outside any pass (a
// test drawing on a DC, a print) a drawing is kept at its second paint.
class CPaintPass {
 public:
  static constexpr double kSeedMs = 2.0;
  static constexpr double kBankMs = 64.0;

  CPaintPass();
  ~CPaintPass();
  CPaintPass(const CPaintPass&) = delete;
  CPaintPass& operator=(const CPaintPass&) = delete;

  // The innermost pass open on this thread, or null.
  static CPaintPass* Current();
  // Whether a drawing that took drawMs to draw may be kept now: its making
  // is taken to cost 1.25 x drawMs more than drawing it.
  bool Allows(double drawMs) const;
  // A kept drawing made (costing extraMs more than drawing it would have),
  // or put back (saving savedMs).
  void Spent(double extraMs) { m_spentMs += extraMs; }
  void Saved(double savedMs) { m_savedMs += savedMs; }

 private:
  double m_allowanceMs;  // the seed and what earlier passes left
  double m_spentMs = 0;
  double m_savedMs = 0;
  CPaintPass* m_outer;
};

class CPaintCache {
 public:
  static constexpr size_t kBudgetBytes = 64u << 20;

  CPaintCache() = default;
  ~CPaintCache();
  CPaintCache(const CPaintCache&) = delete;
  CPaintCache& operator=(const CPaintCache&) = delete;

  // Paints draw() on the DC, or what the last paint with the same key left.
  // reach() is the device rectangle (logical units of the DC) that the
  // drawing stays within; it is asked only when a drawing is kept.
  void Paint(CDC* pDC, const PaintKey& key, const std::function<RECT()>& reach,
             const std::function<void(CDC*)>& draw);
  // Drops what is kept.
  void Forget();

  // The kept raster, or null.
  const CPaintRaster* Kept() const { return m_raster.get(); }
  // The bytes all caches of the process hold.
  static size_t HeldBytes();

 private:
  bool KeepLocked(std::unique_ptr<CPaintRaster> raster);
  void ForgetLocked();

  // Draws directly, timed into m_drawMs.
  void DrawTimed(CDC* pDC, const std::function<void(CDC*)>& draw);
  // Puts the kept raster back; in a pass, drops it (drawn from then on)
  // when the copy took longer than drawing did.
  void BlitLocked(CDC* pDC);
  // What a making cost beyond drawing, charged to the pass open, if any.
  static void ChargePass(double extraMs);

  PaintKey m_seen;                           // the key of the last paint on a raster target
  double m_drawMs = 0;                       // how long the last direct drawing took
  std::unique_ptr<CPaintRaster> m_raster;    // drawn with key m_seen
  bool m_refused = false;                    // m_seen cannot be kept, or gave way
  std::list<CPaintCache*>::iterator m_used;  // place in the use order while kept
};
