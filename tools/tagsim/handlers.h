// Request handlers: one function per command, listed in one table with the group,
// the command and whether it needs a logged-in connection.
#pragma once
#include <string>

#include "store.h"
#include "wire.h"

namespace tagsim {

struct SessionState {
  bool loggedIn = false;
  std::string user;
  uint32_t number = 0;  // connection number, 1 up
};

struct Reply {
  uint8_t status = kStatusOk;
  uint8_t flag = 0;
  Bytes body;
};

struct Context {
  Store& store;
  SessionState& session;
  int64_t nowMs;
  size_t tagPageSize;
  size_t historyPageSize;
};

// A request body: bytes after the header.
struct Body {
  const uint8_t* data;
  size_t size;
  uint32_t U32(size_t off) const { return GetU32(data + off); }
  int32_t I32(size_t off) const { return int32_t(GetU32(data + off)); }
  std::string Text(size_t off, size_t width) const { return GetFixedText(data + off, width); }
};

using Handler = void (*)(Context&, const Body&, Reply&);

// The body of a refusal (a non-zero status with no body of the handler's own):
// the client checks each reply's length before its status, so a refusal has the
// length the client accepts for that command, or the status would be lost.
enum class ErrorShape : uint8_t {
  kBare,        // the header alone
  kZeros,       // `size` zero bytes
  kEcho,        // `size` bytes of the request from `offset` (zero-padded)
  kPerRecord,   // one status byte per wire value record of the request
  kStatusWord,  // a 32-bit word holding the status
};

struct CommandEntry {
  uint8_t group;
  uint8_t command;
  bool needsLogin;
  Handler handler;
  const char* name;
  ErrorShape shape;
  uint16_t size;
  uint16_t offset;
};

Bytes ErrorBody(const CommandEntry& entry, const Body& request, uint8_t status);

// The entry for a request, or null for an unknown group or command.
const CommandEntry* FindCommand(uint8_t group, uint8_t command);

// Wire value records: total length T (16 bits), name length L (16 bits), the name
// padded with zeros to a multiple of 4 (at least one zero unless L + 4 is already a
// multiple of 4), then the 16-byte value part.
void AppendWireValue(Bytes& out, const std::string& name, const Value16& value);
// Decodes the records of a body; false when one is malformed.
struct WireValue {
  std::string name;
  Value16 value;
};
bool DecodeWireValues(const Body& body, std::vector<WireValue>* out);

// A name with its terminating zero from `off` to the end of the body; false when
// there is no zero or the name is longer than 79 characters.
bool ZeroTerminatedName(const Body& body, size_t off, std::string* name);

// The server clock in whole seconds.
int64_t Seconds(const Context& ctx);
// Time, type, quality, 16-bit length and the data of a string or blob reply.
void AppendVarReply(Bytes& out, const VarValue& v);

// Handlers, grouped by the file that holds them.
void HandleLogin(Context&, const Body&, Reply&);
void HandleTagQuery(Context&, const Body&, Reply&);
void HandleTagImport(Context&, const Body&, Reply&);
void HandleTagGetAttr(Context&, const Body&, Reply&);
void HandleTagDelete(Context&, const Body&, Reply&);
void HandleWriteReal(Context&, const Body&, Reply&);
void HandleReadReal(Context&, const Body&, Reply&);
void HandleReadRealVar(Context&, const Body&, Reply&);
void HandleWriteRealVar(Context&, const Body&, Reply&);
void HandleReadHis(Context&, const Body&, Reply&);
void HandleQueryHisExp(Context&, const Body&, Reply&);
void HandleReadHisAt(Context&, const Body&, Reply&);
void HandleReadHisVar(Context&, const Body&, Reply&);
void HandleWriteHis(Context&, const Body&, Reply&);
void HandleWriteHisVar(Context&, const Body&, Reply&);
void HandleHisSum(Context&, const Body&, Reply&);
void HandleHisSumSteps(Context&, const Body&, Reply&);
void HandleCountHisExp(Context&, const Body&, Reply&);
void HandleCountKstAct(Context&, const Body&, Reply&);
void HandleAddActor(Context&, const Body&, Reply&);
void HandleDelActor(Context&, const Body&, Reply&);
void HandleAddOperator(Context&, const Body&, Reply&);
void HandleDelOperator(Context&, const Body&, Reply&);
void HandleChangePassword(Context&, const Body&, Reply&);
void HandleListActors(Context&, const Body&, Reply&);
void HandleListOperators(Context&, const Body&, Reply&);
void HandleVolumeLoad(Context&, const Body&, Reply&);
void HandleVolumeUnload(Context&, const Body&, Reply&);
void HandleVolumeTable(Context&, const Body&, Reply&);

}  // namespace tagsim
