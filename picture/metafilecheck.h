// The check every metafile image passes before the platform decodes or
// plays it: an enhanced metafile (EMF) or a placeable Windows metafile
// (WMF) is walked record by record (both are simple size-prefixed lists),
// and refused when its structure is damaged, when it holds more records
// than CMetafileBounds::kMaxRecords, a record this check does not know, an
// EMF+ part (played by GDI+'s own player from records this check does not
// read), a bitmap beyond kMaxImagePixels, or anything that CMetafileBounds
// refuses (far-out coordinates and mappings, huge pens and fonts, too much
// fill work). Nothing of a refused metafile reaches the player.
#pragma once

#include <windows.h>

#include <cstddef>

enum class MetafileKind { none, enhanced, placeable };

// The kind of metafile the bytes hold by their header (none for any other
// image, and for a Windows metafile without the placeable header, which the
// platform's decoder does not read).
MetafileKind IdentifyMetafile(const BYTE* bytes, size_t length);

// What the check found in a metafile it accepts, in the player's device
// units (those of the frame).
struct MetafileSummary {
  double frameWidth = 1.0;
  double frameHeight = 1.0;
  double largestSize = 0.0;  // the largest pen or font
  double work = 0.0;         // rows covered, in frame heights
};

// Whether the metafile may be handed to the player; *pSummary (when given)
// says how large its pens and fonts are.
bool CheckMetafile(const BYTE* bytes, size_t length, MetafileSummary* pSummary = nullptr);

// The largest destination a metafile is played onto, in device pixels: its
// sides, its area, and the size its largest pen or font reaches on it (the
// bound of the texts' own fonts, kMaxFontPixels). A larger image has the
// metafile played at a size within these and stretched, so that whatever
// its checked records draw stays bounded however large the image is drawn.
constexpr double kMaxMetafileSide = 4096.0;
constexpr double kMaxMetafilePixels = 8.0 * 1024 * 1024;

// The share of a w x h destination at which the metafile is played: 1, or
// less for a destination beyond the bounds above.
double MetafilePlayScale(const MetafileSummary& m, double w, double h);
