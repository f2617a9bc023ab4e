#include "sampexsheet.h"

CString SampexSheetTitle(const char* pszPrefix) {
  CString title = pszPrefix ? pszPrefix : "";
  title += " 插件属性页";
  return title;
}

int ShowPropertySheet(HWND hOwner, HWND hPicture, const char* pszTitle) {
  // Wiring point of the sheet: a CModalOwnerLock on hOwner for the length of
  // the modal loop, the sheet titled pszTitle with one CPageQueryTag given
  // hPicture, and its result turned into kSheetOk or kSheetNotOk.
  (void)hOwner;
  (void)hPicture;
  (void)pszTitle;
  return kSheetNotOk;
}

CModalOwnerLock::CModalOwnerLock(HWND hOwner) {
  HWND top = hOwner ? ::GetAncestor(hOwner, GA_ROOT) : nullptr;
  if (top && ::IsWindowEnabled(top)) {
    ::EnableWindow(top, FALSE);
    m_hDisabled = top;
  }
}

CModalOwnerLock::~CModalOwnerLock() {
  if (m_hDisabled && ::IsWindow(m_hDisabled)) ::EnableWindow(m_hDisabled, TRUE);
}
