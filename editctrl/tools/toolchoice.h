// What the engineer chose with the ActiveX tool: the class that the
// ActiveX control objects of the tool are made of.
#pragma once
#include <windows.h>

CLSID& ChosenControlClass();
