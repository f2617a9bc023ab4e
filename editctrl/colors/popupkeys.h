// Where the arrow keys move the colour popup's hot item. The items form a
// ring: "Automatic", the palette cells row by row, "More Colors...", and
// back to "Automatic"; Left and Right step one cell, Up and Down one row,
// and a step that leaves the palette goes on to its neighbour in the ring,
// skipping a box that does not exist.
#pragma once
#include <windows.h>

// Item indexes besides the palette cells 0 to 39.
enum : int { kPopupNoItem = -1, kPopupMoreBox = -2, kPopupAutoBox = -3 };

// The item after index for an arrow key (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN);
// index itself for any other key. From no item every arrow goes to cell 0.
int NextPopupItem(int index, UINT key, bool hasAuto, bool hasMore);
