#include "wndfont.h"

BOOL QelGetDefaultGuiFont(LOGFONTA* lf) {
  HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
  return font && lf && ::GetObjectA(font, sizeof *lf, lf) == sizeof *lf;
}
