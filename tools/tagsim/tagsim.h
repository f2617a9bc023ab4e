// A simulated real-time database server for tests and demos.
//
// `tagsim::Server` listens on a loopback address, serves any number of clients at
// once (one thread each) and answers every request group of the tag server
// protocol: login, the tag catalogue, current values, history, operators and
// volumes. Values come from generator functions (ramps, sines, toggling digitals,
// counters, cycling texts), so a picture moves and any history range has values.
// Tests can load tags, add accounts, set values, inject faults per command, and
// read what the server received.
//
//   tagsim::Server sim;
//   sim.LoadTagsFromString("[tags]\nTI101 | float64 | sine 50 20 60 | 温度 | ℃\n");
//   sim.AddAccount("admin", "secret");
//   sim.Start("127.0.0.1", 0);          // port 0: an ephemeral port, see Port()
//   ... connect to sim.Port() ...
//   sim.Stop();                         // also done by the destructor
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tagsim {

// Type codes of tags and values.
enum TagType : uint8_t {
  kTypeEmpty = 0,
  kTypeDigital = 1,
  kTypeInt32 = 2,
  kTypeFloat32 = 3,
  kTypeInt64 = 4,
  kTypeFloat64 = 5,
  kTypeString = 6,
  kTypeBlob = 7,
};

// Status bytes of the server's replies. The client library uses 1, 31 and 64 for
// its own results, so the server never sends those.
enum ServerStatus : uint8_t {
  kStatusOk = 0,
  kStatusBadRequest = 2,    // body too short, too long or malformed
  kStatusNotLoggedIn = 3,   // a data request before a successful login
  kStatusLoginRefused = 4,  // unknown account or wrong password
  kStatusNoSuchTag = 5,
  kStatusExists = 6,     // tag, actor or operator already there
  kStatusWrongType = 7,  // e.g. a string read of a numeric tag
  kStatusUnknownCommand = 8,
  kStatusNoSuchEntry = 9,     // actor, operator or volume unknown
  kStatusBadVersion = 10,     // login with another protocol version than 0x300
  kStatusBadExpression = 11,  // history expression not understood
};

// Quality bytes the server sets.
constexpr uint8_t kQualityGood = 0;
constexpr uint8_t kQualityBad = 3;  // unknown tag

// The 16-byte value part of a value record: type, quality, status, spare, time,
// and 8 value bytes (digital, int32 and float32 in the low 4 bytes).
struct Value16 {
  uint8_t type;
  uint8_t quality;
  uint8_t status;
  uint8_t spare;
  uint32_t time;
  uint8_t value[8];
};
static_assert(sizeof(Value16) == 16, "value part is 16 bytes");

Value16 MakeValue(uint8_t type, double v, uint32_t time = 0);  // numeric types 1 to 5
Value16 MakeInt64Value(int64_t v, uint32_t time = 0);
double ValueAsDouble(const Value16& v);  // numeric types; 0 for others
int64_t ValueAsInt64(const Value16& v);  // truncated toward zero

// Misbehaviour for one command (by request group and command). The server counts
// the requests of that command from the moment the fault is set: the first `skip`
// are answered normally, the next `times` (-1: all) get the fault. The fields
// combine; the order on the wire is: delay, prefix (garbage, bad-CRC header, bogus
// length header, unrelated frame), the reply (possibly twice), then a close.
//
// Recipes:
//   no reply in time           noReply = true            (or delayMs = 16000: a late reply)
//   a late reply, sent when    held = true, then ReleaseHeld() once the client gave up
//   the test says
//   close after N requests     skip = N, closeInsteadOfReply = true
//   close after N replies      skip = N - 1, closeAfterReply = true
//   header and body apart      chunkSize = 16, chunkGapMs = 50
//   wrong reply length         lengthDelta = +4 / -4, or replyBody = {...}
//   server refuses             forceStatus = 77 (with bareHeader for a status-only reply)
struct Fault {
  int skip = 0;
  int times = -1;

  int delayMs = 0;       // wait before replying
  bool held = false;     // reply only once ReleaseHeld() lets this reply go
  bool noReply = false;  // never answer
  bool closeInsteadOfReply = false;
  bool closeAfterReply = false;
  int closeMidFrameAt = 0;  // > 0: send only this many bytes of the reply, then close

  int chunkSize = 0;   // > 0: everything goes out in sends of this many bytes (1: one-byte writes)
  int chunkGapMs = 0;  // pause between those sends

  int garbageBytes = 0;              // noise (including stray magic bytes) before the reply
  bool badCrcHeaderFirst = false;    // a copy of the reply header with a wrong CRC first
  uint32_t bogusLengthFirst = 0;     // a header with a valid CRC and this length first (0x400001, 8, ...)
  bool unrelatedFrameFirst = false;  // a complete frame of the same reply group, another command, first
  bool twice = false;                // the reply frame twice, in one send

  int lengthDelta = 0;      // body grown with zeros (> 0) or cut (< 0); the length field follows
  int forceStatus = -1;     // 0..255: status byte of the reply
  int forceFlag = -1;       // 0..255: flag byte of the reply
  bool bareHeader = false;  // reply with the header only
  std::optional<std::vector<uint8_t>> replyBody;  // send this body instead of the computed one
};

class Server {
 public:
  Server();
  ~Server();  // stops
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Listens on a dotted IPv4 address; port 0 picks a free port. False when the
  // socket cannot be bound (the reason in *error).
  bool Start(const std::string& address = "127.0.0.1", uint16_t port = 0, std::string* error = nullptr);
  // Closes the listener and every connection and joins all threads.
  void Stop();
  bool Running() const;
  uint16_t Port() const;  // the bound port (valid after Start)

  // Catalogue. The text format is described at the top of demo-tags.txt:
  // "[tags]" lines "name | type | generator | description | unit | history seconds"
  // and "[accounts]" lines "name | password | rights". Loading adds to (and
  // replaces same-named entries in) what is there; a bad text changes nothing and
  // names its line in *error. A string is taken as GBK bytes (the project's string
  // literals already are); a file may also be UTF-8, which is converted to GBK.
  bool LoadTagsFromFile(const std::string& path, std::string* error = nullptr);
  bool LoadTagsFromString(const std::string& text, std::string* error = nullptr);
  void ClearTags();
  size_t TagCount() const;
  bool HasTag(const std::string& name) const;

  void AddAccount(const std::string& name, const std::string& password, uint32_t rights = 0);
  void ClearAccounts();

  // Current values. Setting a value stops the tag's generator; it is converted to
  // the tag's type. False for an unknown tag (or a numeric/string type mismatch).
  bool SetValue(const std::string& name, const Value16& value);
  bool SetVarValue(const std::string& name, const std::string& data, uint32_t time = 0);
  // The value a read would deliver now.
  bool GetValue(const std::string& name, Value16* out) const;
  bool GetVarValue(const std::string& name, std::string* data) const;

  // The clock of generators and time stamps, in seconds; 0 (the default) follows
  // the wall clock (seconds since 1970). A fixed clock makes values repeatable.
  void SetFixedTime(uint32_t seconds);
  uint32_t Now() const;

  // Records per tag-query page (default 100) and per history page (default 200).
  void SetTagPageSize(int records);
  void SetHistoryPageSize(int records);

  // Faults per command; a new fault for a command replaces the old one.
  void SetFault(uint8_t group, uint8_t command, const Fault& fault);
  void ClearFault(uint8_t group, uint8_t command);
  void ClearFaults();

  // What came in: whole frames with a valid header, by request group and command.
  int FramesReceived(uint8_t group, uint8_t command) const;
  int TotalFramesReceived() const;
  // The body (bytes after the 16-byte header) of the last such request; empty if none.
  std::vector<uint8_t> LastRequest(uint8_t group, uint8_t command) const;
  std::vector<uint8_t> LastRequestFrame(uint8_t group, uint8_t command) const;
  // Every request body of a command since the last Reset, oldest first (at most
  // 10,000 of them and 64 MB).
  std::vector<std::vector<uint8_t>> RequestLog(uint8_t group, uint8_t command) const;
  int ConnectionsAccepted() const;
  int ActiveConnections() const;
  // Replies carried out whole (every send of them done), logins included.
  int RepliesSent() const;
  // Lets one held reply go: one that is waiting or the next one to come.
  void ReleaseHeld();

  // Closes every client connection and waits until each is closed (false when
  // one was still open after half a minute). The listener stays.
  bool DropConnections();
  // Clears faults, counters and request logs; tags, values and accounts stay.
  void Reset();

  // Log lines of every frame to stdout (the console program's -v).
  void SetVerbose(bool on);

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace tagsim
