// CPicEditApp: the application object of QelCtrl, one per load.
#pragma once
#include <windows.h>

#include "winapp.h"

class CPicEditApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  int ExitInstance() override;

  bool OwnsCom() const { return m_bComInitialized; }

 private:
  bool m_bComInitialized = false;  // CoInitialize succeeded here
};

// Registers "QELPICEDIT" with this library's instance.
ATOM RegisterPicEditClass();
