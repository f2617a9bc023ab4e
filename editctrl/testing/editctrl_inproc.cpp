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

}  // namespace edittest
