// Records exchanged with the real-time database client library qel3api.
//
// These are the fixed-size records that cross the library boundary (the
// database binding, the host callbacks, the runtime window's tag cache and the
// tag lists pass them by pointer). Plain structs, little-endian, 32-bit layout;
// the static_asserts pin every size and offset that a caller relies on.
#pragma once
#include <cstddef>
#include <cstdint>

// Result codes of every QB_ export (any other value is the server's status).
enum : int {
  QB_OK = 0,
  QB_ERR_FAIL = 1,           // client side: bad argument, time-out, wrong reply
  QB_ERR_NOTCONNECTED = 31,  // no socket, not logged in, connection lost
  QB_ERR_TIMERANGE = 64,     // a history summary or count asked with a time below 1
};

// Type codes of tag values (the same in every record).
enum : uint8_t {
  QB_TYPE_EMPTY = 0,
  QB_TYPE_DIGITAL = 1,
  QB_TYPE_INT32 = 2,
  QB_TYPE_FLOAT32 = 3,
  QB_TYPE_INT64 = 4,
  QB_TYPE_FLOAT64 = 5,
  QB_TYPE_STRING = 6,
  QB_TYPE_BLOB = 7,
};

// "digital", "int32", "float32", "int64", "float64", "string", "blob" for
// the type codes 1 to 7, as the tag lists show them; "void" for any other.
inline const char* GetTagTypeName(int type) {
  static const char* const kTypeNames[] = {"void",  "digital", "int32",  "float32",
                                           "int64", "float64", "string", "blob"};
  return type > 0 && type < (int)(sizeof kTypeNames / sizeof *kTypeNames) ? kTypeNames[type] : kTypeNames[0];
}

enum : int {
  QB_TAGNAME_MAX = 79,    // characters of a tag name (80 bytes with the zero)
  QB_REAL_BATCH = 500,    // value records per current-value request
  QB_HIS_BATCH = 100,     // value records per history-write request
  QB_TAGPAGE_MAX = 300,   // tag attribute records kept from one query page
  QB_VARDATA_MAX = 3999,  // data bytes of a variable value (a zero follows)
  QB_DEFAULT_PORT = 11084,
};

// The 8 value bytes, read in the form of the type code.
union QB_VALUEDATA {
  uint8_t bytes[8];
  uint8_t digital;
  int32_t i32;
  float f32;
  int64_t i64;
  double f64;
};
static_assert(sizeof(QB_VALUEDATA) == 8, "value data is 8 bytes");

// Tag value record: the value part of a value record, a history value, and the
// form in which values reach expressions and scripts.
struct QB_VALUE {
  uint8_t type;
  uint8_t quality;
  uint8_t status;
  uint8_t spare;
  int32_t time;
  QB_VALUEDATA data;
};
static_assert(sizeof(QB_VALUE) == 16, "tag value record is 16 bytes");
static_assert(offsetof(QB_VALUE, time) == 4 && offsetof(QB_VALUE, data) == 8, "QB_VALUE layout");

// Value record: a tag name and its current value.
struct QB_TAGVALUE {
  char name[80];  // zero-terminated, at most 79 characters
  QB_VALUE value;
};
static_assert(sizeof(QB_TAGVALUE) == 96, "value record is 96 bytes");
static_assert(offsetof(QB_TAGVALUE, value) == 80, "value part at byte 80");
static_assert(offsetof(QB_TAGVALUE, value) + offsetof(QB_VALUE, status) == 82, "status byte at 82");

// History value: one record of a history page.
struct QB_HISVALUE {
  uint8_t type;  // 0 to 5; string and blob values do not travel in pages
  uint8_t quality;
  uint16_t zero;
  int32_t time;
  QB_VALUEDATA data;
};
static_assert(sizeof(QB_HISVALUE) == 16, "history value is 16 bytes");
static_assert(offsetof(QB_HISVALUE, time) == 4 && offsetof(QB_HISVALUE, data) == 8, "QB_HISVALUE layout");

// Variable value: a string or blob value of a database or local tag.
struct VarReply {
  uint8_t type;
  uint8_t quality;
  uint8_t status;  // 0 when valid
  uint8_t spare;
  int32_t time;
  int32_t length;   // data bytes, at most 3,999
  char data[4000];  // the bytes, then a zero
};
typedef VarReply QB_VARVALUE;
static_assert(sizeof(VarReply) == 4012, "variable value is 4,012 bytes");
static_assert(offsetof(VarReply, time) == 4 && offsetof(VarReply, length) == 8 &&
                  offsetof(VarReply, data) == 12,
              "VarReply layout");

// Tag attribute record. The reserved bytes belong to the server and travel
// unchanged; the client neither fills nor interprets them.
struct QB_TAGATTR {
  uint8_t reserved0[4];
  uint8_t type;  // type code
  uint8_t reserved5[2];
  uint8_t importFlag;  // read by QB_TagInport
  uint8_t reserved8[4];
  char name[80];         // at most 79 characters
  char description[80];  // at most 79 characters
  char unit[16];         // at most 15 characters
  uint8_t reserved188[64];
  int8_t importResult;  // read by QB_TagInport
  uint8_t reserved253[3];
};
static_assert(sizeof(QB_TAGATTR) == 256, "tag attribute record is 256 bytes");
static_assert(offsetof(QB_TAGATTR, type) == 4 && offsetof(QB_TAGATTR, importFlag) == 7 &&
                  offsetof(QB_TAGATTR, name) == 12 && offsetof(QB_TAGATTR, description) == 92 &&
                  offsetof(QB_TAGATTR, unit) == 172 && offsetof(QB_TAGATTR, importResult) == 252,
              "QB_TAGATTR layout");

// One step of a stepped history summary; bytes other than the two value
// records belong to the server.
struct QB_HISSTEP {
  uint8_t reserved0[16];
  QB_HISVALUE a;  // spare bytes 18 and 19 cleared on delivery
  QB_HISVALUE b;  // spare bytes 34 and 35 cleared on delivery
  uint8_t reserved48[16];
};
static_assert(sizeof(QB_HISSTEP) == 64, "history summary step is 64 bytes");
static_assert(offsetof(QB_HISSTEP, a) == 16 && offsetof(QB_HISSTEP, b) == 32, "QB_HISSTEP layout");

// Administration records: opaque to the client, sent and returned whole.
struct QB_ACTOR {
  uint8_t bytes[128];
};
struct QB_OPERATOR {
  uint8_t bytes[160];
};
struct QB_VOLUME {
  uint8_t bytes[64];
};
static_assert(sizeof(QB_ACTOR) == 128 && sizeof(QB_OPERATOR) == 160 && sizeof(QB_VOLUME) == 64,
              "administration record sizes");

typedef void* QB_HANDLE;

// Receives one page of a tag query: count records, 256 bytes apart.
typedef void(__stdcall* QB_TAGQUERYPROC)(QB_TAGATTR* records, int count, void* user);
