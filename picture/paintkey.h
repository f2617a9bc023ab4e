// The inputs of one drawing, compared byte for byte: whatever can change the
// pixels a draw object paints (its device geometry, colours, styles, text,
// font, image, and the device context state the drawing reads) goes in, so
// that equal keys mean equal pixels.
#pragma once

#include <windows.h>

#include <cstring>
#include <type_traits>
#include <vector>

#include "geometry.h"

class PaintKey {
 public:
  // A value held whole: numbers, colours, points, plain records without
  // padding (LOGFONTA, XFORM, RECT).
  template <class T>
  PaintKey& Add(const T& value) {
    static_assert(std::is_trivially_copyable<T>::value, "a plain value");
    static_assert(std::has_unique_object_representations<T>::value || std::is_floating_point<T>::value ||
                      std::is_same<T, CPointD>::value || std::is_same<T, XFORM>::value,
                  "no padding bytes");
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    m_bytes.insert(m_bytes.end(), p, p + sizeof value);
    return *this;
  }
  // A text with its length, so that ("ab", "c") and ("a", "bc") differ.
  PaintKey& AddText(const char* pszText) {
    const char* text = pszText ? pszText : "";
    const size_t length = std::strlen(text);
    Add(length);
    m_bytes.insert(m_bytes.end(), text, text + length);
    return *this;
  }
  PaintKey& AddPoints(const std::vector<CPointD>& points) {
    Add(points.size());
    for (const CPointD& p : points) Add(p);
    return *this;
  }
  // Zoom and origin.
  PaintKey& AddView(const ViewTransform& view) { return Add(view.zoom).Add(view.originX).Add(view.originY); }

  bool operator==(const PaintKey& other) const { return m_bytes == other.m_bytes; }
  bool operator!=(const PaintKey& other) const { return !(*this == other); }
  bool IsEmpty() const { return m_bytes.empty(); }
  void Clear() { m_bytes.clear(); }

 private:
  std::vector<BYTE> m_bytes;
};
