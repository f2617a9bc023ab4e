// The control plug-in interface: the records that a plug-in library and its
// host exchange through the five QPI_ exports and the plug-in window messages
// (QPM_ in qel/picmsg.h).
//
// A plug-in is built separately from the programs that load it, possibly by a
// third party that copies the sample plug-in, so every size and offset here
// is fixed: integers little-endian, text 8-bit GBK with a terminating zero
// inside its field. The records hold no pointer outside a value slot's 8 bytes,
// so they are the same bytes in the 32-bit and the 64-bit flavour.
#pragma once
#include <windows.h>

#include <cstddef>

// ---- value types ---------------------------------------------------------------
// 16-bit codes in the information tables and in the value slots of a call.

enum QpiValueType : WORD {
  QPT_INT8 = 1,
  QPT_UINT8 = 2,
  QPT_INT16 = 3,
  QPT_UINT16 = 4,
  QPT_INT32 = 5,
  QPT_UINT32 = 6,
  QPT_FLOAT32 = 7,
  QPT_INT64 = 8,
  QPT_FLOAT64 = 9,
  QPT_COLOR = 16,     // 0x00BBGGRR
  QPT_EVENTARG = 33,  // pointer to an event's argument (a mouse event: a POINT)
  QPT_PLOGFONT = 38,  // pointer to a 60-byte LOGFONTA
  // Added in the information tables to the type of a value that travels by
  // pointer (a font property is listed as 0x126); the messages carry the
  // plain code.
  QPT_BYPOINTER = 0x100,
};

// ---- information record ----------------------------------------------------------

enum : int {
  QPI_IDENT_SIZE = 32,  // the identifier is also the plug-in's window class name
  QPI_NAME_SIZE = 32,
  QPI_MAKER_SIZE = 32,
  QPI_DESCRIPTION_SIZE = 256,
  QPI_COPYRIGHT_SIZE = 128,
};

// Filled by QPI_GetPlugInfo; the host hands it over zeroed.
struct QPI_PLUGINFO {
  DWORD dwWord0;     // the host does not read it (the sample writes 256)
  DWORD dwWord1;     // the host does not read it (the sample writes 256)
  WORD nInterfaces;  // interface blocks
  WORD nProperties;  // property entries
  WORD nEvents;      // event entries
  WORD nEnums;       // enumeration blocks
  char szIdent[QPI_IDENT_SIZE];
  char szName[QPI_NAME_SIZE];
  char szMaker[QPI_MAKER_SIZE];
  char szDescription[QPI_DESCRIPTION_SIZE];
  char szCopyright[QPI_COPYRIGHT_SIZE];
  BYTE zero[16];
};

// ---- information tables ------------------------------------------------------------

enum : int {
  QPI_ITEM_NAME_SIZE = 32,
  QPI_ITEM_DESCRIPTION_SIZE = 92,
  QPI_BLOCK_ENTRIES = 32,  // entries of an interface or enumeration block
};

// A property or event entry, and the first entry of an interface or
// enumeration block (then `type` is the number of entries that follow).
struct QPI_ITEMINFO {
  WORD id;
  WORD type;
  char szName[QPI_ITEM_NAME_SIZE];
  char szDescription[QPI_ITEM_DESCRIPTION_SIZE];
};

// One enumerator of an enumeration block.
struct QPI_ENUMITEM {
  LONG value;
  char szName[QPI_ITEM_NAME_SIZE];
  char szDescription[QPI_ITEM_DESCRIPTION_SIZE];
};

// A function: entry 0 the function (id, number of entries that follow, name),
// entry 1 the return value (type, 0, empty name), entries 2 onward the
// arguments in order; so at most 30 arguments.
struct QPI_INTERFACEINFO {
  QPI_ITEMINFO entry[QPI_BLOCK_ENTRIES];
};

// An enumeration: its header (id, number of enumerators, name), then at most
// 31 enumerators. A property whose type equals the id takes these values.
struct QPI_ENUMINFO {
  QPI_ITEMINFO header;
  QPI_ENUMITEM item[QPI_BLOCK_ENTRIES - 1];
};

// ---- calls -----------------------------------------------------------------------

// One value slot: integers and floats in their own width from the start of
// `data`, a pointer in its first 4 bytes (all 8 in the 64-bit flavour).
union QPI_VALUEDATA {
  signed char i8;
  BYTE u8;
  SHORT i16;
  WORD u16;
  INT32 i32;
  UINT32 u32;
  float f32;
  LONGLONG i64;
  double f64;
  COLORREF color;
  void* ptr;
  BYTE bytes[8];
};

struct QPI_VALUE {
  WORD type;
  BYTE zero[6];
  QPI_VALUEDATA data;
};

// The lParam record of QPM_CALLINTERFACE, QPM_SETPROPERTY, QPM_GETPROPERTY
// and QPM_FIREEVENT: a 16-byte header, then value slots. For a call slot 0 is
// the return value and slots 1 onward the arguments; for a property or an
// event slot 0 holds the value. A record holds as many slots as its sender
// made room for (QpiCallRecord below); `count` says how many a call passes.
struct QPI_CALL {
  WORD id;
  WORD count;  // slots after the header; 0 where not needed
  BYTE zero[12];
  QPI_VALUE slot[1];
};

// Slot n of a record, 16 + 16 n bytes from its start; the caller knows that
// the record has room for it.
inline QPI_VALUE* QpiSlot(QPI_CALL* call, int n) {
  return reinterpret_cast<QPI_VALUE*>(reinterpret_cast<BYTE*>(call) + offsetof(QPI_CALL, slot)) + n;
}

// A call record with room for n slots (n of 2 or more; one slot is QPI_CALL).
template <int n>
struct QpiCallRecord {
  QPI_CALL call;
  QPI_VALUE more[n - 1];
  QPI_VALUE& Slot(int i) { return *QpiSlot(&call, i); }
};

// The check word (QPI_CHECKWORD) in wParam of the plug-in messages is
// MakeHostParam (qel/checkword.h) of a 16-bit code: the code in the low
// word, the CRC-16 of its two bytes in the high word. A plug-in window tests
// only that the high word matches the low word; it sends its events with the
// check word of its own control id.

// Answers of a plug-in window to QPM_CALLINTERFACE, QPM_SETPROPERTY and
// QPM_GETPROPERTY (and of a picture window to QPM_FIREEVENT: 0 or 1).
enum : int {
  QPI_DONE = 0,
  QPI_ERR_CHECKWORD = 1,  // the check word's high word is not the CRC of its low word
  QPI_ERR_ID = 3,         // no function or property of that id
  QPI_ERR_ARGS = 4,       // wrong slot count or value type, or no record
};

// ---- exports ---------------------------------------------------------------------
// Every plug-in library exports these five, undecorated, with the standard
// Windows calling convention. The table functions write at most `max`
// entries and return how many they wrote (0 for a maximum of 0 or less).

#define QPI_EXPORT_GETPLUGINFO "QPI_GetPlugInfo"
#define QPI_EXPORT_GETPROPERTYINFOS "QPI_GetPropertyInfos"
#define QPI_EXPORT_GETINTERFACEINFOS "QPI_GetInterfaceInfos"
#define QPI_EXPORT_GETEVENTINFOS "QPI_GetEventInfos"
#define QPI_EXPORT_GETENUMINFOS "QPI_GetEnumInfos"

typedef int(__stdcall* QPI_GETPLUGINFOPROC)(QPI_PLUGINFO* info);
typedef int(__stdcall* QPI_GETITEMINFOSPROC)(QPI_ITEMINFO* items, int max);
typedef int(__stdcall* QPI_GETINTERFACEINFOSPROC)(QPI_INTERFACEINFO* blocks, int max);
typedef int(__stdcall* QPI_GETENUMINFOSPROC)(QPI_ENUMINFO* blocks, int max);

// ---- layouts ---------------------------------------------------------------------

static_assert(sizeof(QPI_PLUGINFO) == 512, "QPI_PLUGINFO is 512 bytes");
static_assert(offsetof(QPI_PLUGINFO, dwWord1) == 4 && offsetof(QPI_PLUGINFO, nInterfaces) == 8 &&
                  offsetof(QPI_PLUGINFO, nProperties) == 10 && offsetof(QPI_PLUGINFO, nEvents) == 12 &&
                  offsetof(QPI_PLUGINFO, nEnums) == 14 && offsetof(QPI_PLUGINFO, szIdent) == 16 &&
                  offsetof(QPI_PLUGINFO, szName) == 48 && offsetof(QPI_PLUGINFO, szMaker) == 80 &&
                  offsetof(QPI_PLUGINFO, szDescription) == 112 &&
                  offsetof(QPI_PLUGINFO, szCopyright) == 368 && offsetof(QPI_PLUGINFO, zero) == 496,
              "QPI_PLUGINFO layout");

static_assert(sizeof(QPI_ITEMINFO) == 128, "QPI_ITEMINFO is 128 bytes");
static_assert(offsetof(QPI_ITEMINFO, type) == 2 && offsetof(QPI_ITEMINFO, szName) == 4 &&
                  offsetof(QPI_ITEMINFO, szDescription) == 36,
              "QPI_ITEMINFO layout");
static_assert(sizeof(QPI_ENUMITEM) == 128, "QPI_ENUMITEM is 128 bytes");
static_assert(offsetof(QPI_ENUMITEM, szName) == 4 && offsetof(QPI_ENUMITEM, szDescription) == 36,
              "QPI_ENUMITEM layout: its texts lie where an item's do");
static_assert(sizeof(QPI_INTERFACEINFO) == 4096, "QPI_INTERFACEINFO is 4,096 bytes");
static_assert(sizeof(QPI_ENUMINFO) == 4096 && offsetof(QPI_ENUMINFO, item) == 128, "QPI_ENUMINFO layout");

static_assert(sizeof(QPI_VALUEDATA) == 8, "a value is 8 bytes");
static_assert(sizeof(QPI_VALUE) == 16 && offsetof(QPI_VALUE, data) == 8, "QPI_VALUE layout");
static_assert(offsetof(QPI_CALL, count) == 2 && offsetof(QPI_CALL, slot) == 16 && sizeof(QPI_CALL) == 32,
              "QPI_CALL layout: slot n at 16 + 16 n");
static_assert(sizeof(QpiCallRecord<3>) == 16 + 3 * 16, "three slots after the header");
