// The two columns of the lists of the "属性/动作" tab: the name column 108
// pixels wide, the value column the list's width less 112.
#pragma once
#include "controls/listctrl.h"

enum : int { kNameColumnWidth = 108, kValueColumnReserve = 112 };

inline void FitListColumns(CListCtrl& list, int width) {
  list.SetColumnWidth(0, kNameColumnWidth);
  list.SetColumnWidth(1, width > kValueColumnReserve ? width - kValueColumnReserve : 0);
}
