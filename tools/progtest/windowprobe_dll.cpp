// windowprobe.dll: the hook that paints a window into the mapping named for
// it when the window gets the probe's message (windowprobe.h). It runs in
// the window's process, on the window's thread, before the window's own
// procedure sees the message.
#include "windowprobe.h"

namespace {

void Probe(HWND window) {
  HANDLE mapping = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, windowprobe::MappingName(window).c_str());
  if (!mapping) return;
  if (auto* header = static_cast<windowprobe::Header*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
    auto* pixels = reinterpret_cast<RGBQUAD*>(header + 1);
    header->painted = windowprobe::PaintClient(window, header->width, header->height, pixels) ? 1 : 0;
    ::UnmapViewOfFile(header);
  }
  ::CloseHandle(mapping);
}

}  // namespace

extern "C" LRESULT CALLBACK WindowProbeHook(int code, WPARAM wp, LPARAM lp) {
  static const UINT message = ::RegisterWindowMessageA(windowprobe::kMessage);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && call && call->message == message) Probe(call->hwnd);
  return ::CallNextHookEx(nullptr, code, wp, lp);
}
