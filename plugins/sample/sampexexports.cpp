// The five exports of the plug-in interface (named undecorated through
// Sampex.def). Nothing here can throw; the tables are plain data.
#include "sampexinfo.h"

extern "C" {

int __stdcall QPI_GetPlugInfo(QPI_PLUGINFO* info) { return FillSampexInfo(info) ? 1 : 0; }

int __stdcall QPI_GetPropertyInfos(QPI_ITEMINFO* items, int max) { return FillSampexProperties(items, max); }

int __stdcall QPI_GetInterfaceInfos(QPI_INTERFACEINFO* blocks, int max) {
  return FillSampexInterfaces(blocks, max);
}

int __stdcall QPI_GetEventInfos(QPI_ITEMINFO* items, int max) { return FillSampexEvents(items, max); }

int __stdcall QPI_GetEnumInfos(QPI_ENUMINFO* blocks, int max) { return FillSampexEnums(blocks, max); }

}  // extern "C"
