// Sampex's property sheet (QPM_SHOWPAGES): one tag query page, CPageQueryTag
// on dialog 6000, whose tag list asks the picture window for tags
// (sampextagquery.h).
#pragma once
#include <windows.h>

#include "qstring.h"

// The answers of QPM_SHOWPAGES.
enum : int { kSheetOk = 0, kSheetNotOk = 1 };

// The sheet's title: the host's prefix followed by " 插件属性页".
CString SampexSheetTitle(const char* pszPrefix);

// Shows the sheet modally, owned by the plug-in window hOwner, its page
// querying hPicture (null: the page queries nothing); kSheetOk when it was
// closed with OK, else kSheetNotOk.
//
// The sheet and its page are made here once the framework's property sheet
// and the tag list window are part of the build; until then no sheet opens
// and the answer is kSheetNotOk, as for a sheet the user cancelled.
int ShowPropertySheet(HWND hOwner, HWND hPicture, const char* pszTitle);

// Held while a modal sheet runs: disables the top-level window of the owner
// when, and only when, it was enabled, and enables it again at the end. No
// other window changes, so a plug-in window that the editor keeps disabled
// stays disabled after the sheet.
class CModalOwnerLock {
 public:
  explicit CModalOwnerLock(HWND hOwner);
  ~CModalOwnerLock();
  CModalOwnerLock(const CModalOwnerLock&) = delete;
  CModalOwnerLock& operator=(const CModalOwnerLock&) = delete;

  // The top-level window that was disabled, or null.
  HWND Disabled() const { return m_hDisabled; }

 private:
  HWND m_hDisabled = nullptr;
};
