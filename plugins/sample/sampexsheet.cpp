#include "sampexsheet.h"

#include "sampexpage.h"
#include "sheets/propsheet.h"

CString SampexSheetTitle(const char* pszPrefix) {
  CString title = pszPrefix ? pszPrefix : "";
  title += " 插件属性页";
  return title;
}

int ShowPropertySheet(HWND hOwner, HWND hPicture, const char* pszTitle) {
  // The page outlives the sheet that borrows it. The sheet's owner is
  // hOwner's top-level window (the framework's modal rule), never the
  // plug-in window itself.
  CPageQueryTag page(hPicture);
  CPropertySheet sheet(pszTitle, hOwner);
  sheet.AddPage(&page);
  return sheet.DoModal() == IDOK ? kSheetOk : kSheetNotOk;
}
