#include "windowpixels.h"

#include "qel/exportproc.h"
#include "windowprobe.h"

namespace progtest {

namespace {

const DWORD kProbeMs = 15000;  // the window's thread may be busy on a loaded machine

bool InThisProcess(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  return pid == ::GetCurrentProcessId();
}

// The folder of this test program, where windowprobe.dll lies.
std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// The window of another process paints itself inside that process: the
// probe hooked onto its thread copies the pixels into a mapping of ours.
bool ProbeOtherProcess(HWND window, LONG width, LONG height, RGBQUAD* pixels) {
  HMODULE probe = ::LoadLibraryA((ProgramFolder() + windowprobe::kDllName).c_str());
  HOOKPROC hook = probe ? QelFindExport<HOOKPROC>(probe, windowprobe::kHookProc) : nullptr;
  const size_t bytes = sizeof(windowprobe::Header) + static_cast<size_t>(width) * height * sizeof(RGBQUAD);
  HANDLE mapping =
      hook ? ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(bytes),
                                  windowprobe::MappingName(window).c_str())
           : nullptr;
  auto* header = mapping
                     ? static_cast<windowprobe::Header*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))
                     : nullptr;
  bool painted = false;
  if (header) {
    *header = {width, height, 0, 0};
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (HHOOK installed = ::SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, thread)) {
      DWORD_PTR unused = 0;
      const UINT message = ::RegisterWindowMessageA(windowprobe::kMessage);
      painted =
          ::SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, kProbeMs, &unused) && header->painted;
      ::UnhookWindowsHookEx(installed);
    }
    if (painted) ::CopyMemory(pixels, header + 1, bytes - sizeof *header);
    ::UnmapViewOfFile(header);
  }
  if (mapping) ::CloseHandle(mapping);
  if (probe) ::FreeLibrary(probe);
  return painted;
}

}  // namespace

WindowPixels::WindowPixels(HWND window) {
  RECT client = {};
  if (!::IsWindow(window) || !::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
    return;
  m_width = client.right;
  m_height = client.bottom;
  std::vector<RGBQUAD> quads(static_cast<size_t>(m_width) * m_height);
  m_ok = InThisProcess(window) ? windowprobe::PaintClient(window, m_width, m_height, quads.data())
                               : ProbeOtherProcess(window, m_width, m_height, quads.data());
  if (!m_ok) return;
  m_pixels.reserve(quads.size());
  for (const RGBQUAD& q : quads) m_pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
}

COLORREF WindowPixels::At(int x, int y) const {
  if (!m_ok || x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
  return m_pixels[static_cast<size_t>(y) * m_width + x];
}

COLORREF ClientPixel(HWND window, POINT client) { return WindowPixels(window).At(client); }

}  // namespace progtest
