// The contract between the tests and windowprobe.dll, which reads a
// window's own drawing inside the window's process (a device context is of
// no use in another process). The tests hook the DLL onto the window's
// thread (WH_CALLWNDPROC) and send the window the registered message
// kMessage; the hook paints the window's client area (PrintWindow) into a
// memory surface and copies it into the file mapping named for the window,
// which the tests made with a header and room for the pixels.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace windowprobe {

constexpr char kDllName[] = "windowprobe.dll";
constexpr char kHookProc[] = "WindowProbeHook";
constexpr char kMessage[] = "QelTestWindowProbe";

// The mapping's start; width x height pixels follow, 32 bits each (blue,
// green, red, unused), rows top to bottom.
struct Header {
  LONG width;
  LONG height;
  LONG painted;  // set by the hook once the pixels are there
  LONG reserved;
};

inline std::string MappingName(HWND window) {
  char name[64];
  std::snprintf(name, sizeof name, "QelTestWindowProbe.%08lX",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window) & 0xFFFFFFFFu));
  return name;
}

// Paints the client area of the window (of this process) into pixels
// (width x height, as in the mapping); false when it did not paint.
bool PaintClient(HWND window, LONG width, LONG height, RGBQUAD* pixels);

}  // namespace windowprobe
