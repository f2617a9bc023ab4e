// CPicEditHost: one editing window of the class "QELPICEDIT" together with
// its own reference to QelCtrl.dll, which registers that class (every picture
// view holds one reference).
#pragma once
#include "picwindowhost.h"

class CPicEditHost : public CPicWindowHost {
 public:
  CPicEditHost() : CPicWindowHost("QelCtrl.dll", "QELPICEDIT") {}
};
