// The window layer: include this for everything in it.
#pragma once
#include "msgbox.h"
#include "winapp.h"
#include "wnd.h"
#include "wndclass.h"
#include "wnddefer.h"
#include "wndfont.h"
#include "wndmodule.h"
