// What the two lists of the "属性/动作" tab share: their columns (the name
// column 108 pixels wide, the value column the list's width less 112) and
// rows with an image or none.
#pragma once
#include "controls/listctrl.h"

enum : int { kNameColumnWidth = 108, kValueColumnReserve = 112 };

void FitListColumns(CListCtrl& list, int width);

// Appends a row whose first column shows text and the image (-1: none, where
// the list view would otherwise show image 0); its index, -1 on failure.
int InsertImageRow(CListCtrl& list, const char* text, int image);
// The image of a row, -1 for none.
int RowImage(const CListCtrl& list, int row);
