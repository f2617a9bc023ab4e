// What Sampex tells its host about itself: the information record and the
// four information tables, as the five QPI_ exports hand them out.
#pragma once
#include "qel/qpi.h"

// Ids of Sampex's properties, functions and event (each numbered on its own).
enum SampexId : WORD {
  SPX_PROP_BACKCOLOR = 257,
  SPX_PROP_FONT = 258,
  SPX_PROP_ADJUST = 259,
  SPX_FUNC_ADD = 257,
  SPX_FUNC_DEC = 258,
  SPX_EVENT_MOUSEMOVE = 257,
  SPX_ENUM_TXTADJUST = 129,
};

// The window class of every Sampex control; the identifier of the record.
// (The letters are those every stored picture and host already rely on.)
extern const char kSampexClassName[];

// Zeroes the record, then fills it; false for a null record.
bool FillSampexInfo(QPI_PLUGINFO* info);
// Each writes the first min(max, its number) entries or blocks and returns
// how many it wrote: 0 for a null table or a maximum of 0 or less.
int FillSampexProperties(QPI_ITEMINFO* items, int max);
int FillSampexInterfaces(QPI_INTERFACEINFO* blocks, int max);
int FillSampexEvents(QPI_ITEMINFO* items, int max);
int FillSampexEnums(QPI_ENUMINFO* blocks, int max);
