#include "clipboard.h"

std::vector<BYTE> TakeClipboardData(HWND owner, UINT format, size_t maxBytes) {
  std::vector<BYTE> bytes;
  if (!::IsClipboardFormatAvailable(format)) return bytes;
  CClipboardScope clipboard(owner);
  if (!clipboard.IsOpen()) return bytes;
  HGLOBAL data = ::GetClipboardData(format);
  if (!data) return bytes;
  const size_t size = ::GlobalSize(data) < maxBytes ? ::GlobalSize(data) : maxBytes;
  if (const void* p = ::GlobalLock(data)) {
    bytes.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + size);
    ::GlobalUnlock(data);
  }
  return bytes;
}
