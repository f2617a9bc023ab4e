#include "editctrl_inproc.h"

#include "olecontainment.h"

#include "linkclasses.h"
#include "pictureclasses.h"
#include "wndclass.h"

namespace edittest {

const char kInProcessClass[] = "QelPicEditInProcess";

std::vector<std::string>& InProcessReports() {
  static std::vector<std::string> reports;
  return reports;
}

void RecordInProcessReport(HWND, UINT, const char* what) { InProcessReports().push_back(what ? what : ""); }

std::vector<UINT>& InProcessBeeps() {
  static std::vector<UINT> beeps;
  return beeps;
}

void RecordInProcessBeep(UINT type) { InProcessBeeps().push_back(type); }

void RegisterInProcessWindow() {
  static bool registered = false;
  if (registered) return;
  RegisterPictureClasses();
  RegisterLinkClasses();
  QelEnableControlContainer();  // as the library's start-up does
  QelRegisterGlobalClass<CPicEditWnd>(kInProcessClass, CS_DBLCLKS,
                                      static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  registered = true;
}

std::vector<COLORREF> ClientPixels(
    HWND hwnd, const std::function<void(HDC memory, HDC screen, const RECT& client)>& draw) {
  RECT client;
  ::GetClientRect(hwnd, &client);
  HDC screen = ::GetDC(hwnd);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  draw(memory, screen, client);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) pixels.push_back(::GetPixel(memory, x, y));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(hwnd, screen);
  return pixels;
}

}  // namespace edittest
