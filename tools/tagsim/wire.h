// Frame layout of the tag server protocol: the 16-byte header, group and command
// numbers, little-endian field access, and the request scanner that finds frames
// in a byte stream.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tagsim {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kFrameMagic = 0xA5EB905Au;  // on the wire: 5A 90 EB A5
constexpr uint32_t kMaxFrame = 0x400000u;      // header included
constexpr size_t kHeaderSize = 16;
constexpr uint8_t kReplyGroupDelta = 0x70;
constexpr uint8_t kFlagMoreFollows = 2;  // paged history replies
constexpr uint32_t kProtocolVersion = 0x300;

// Request groups (replies carry group + 0x70).
enum Group : uint8_t {
  kGroupLogin = 0x08,
  kGroupTag = 0x10,
  kGroupValue = 0x20,
  kGroupOperator = 0x30,
  kGroupVolume = 0x41,
};

// Commands, named by group.
enum Command : uint8_t {
  kCmdLogin = 0x57,

  kCmdTagQuery = 0x81,
  kCmdTagImport = 0x82,
  kCmdTagGetAttr = 0x83,
  kCmdTagDelete = 0x84,

  kCmdWriteReal = 0x91,
  kCmdReadReal = 0x92,
  kCmdReadHis = 0x93,
  kCmdReadHisAt = 0x94,
  kCmdWriteRealVar = 0x95,
  kCmdWriteHisVar = 0x96,
  kCmdWriteHis = 0x97,
  kCmdReadHisVar = 0x98,
  kCmdHisSum = 0x99,
  kCmdHisSumSteps = 0x9A,
  kCmdReadRealVar = 0x9B,
  kCmdQueryHisExp = 0x9C,
  kCmdCountHisExp = 0x9D,
  kCmdCountKstAct = 0xA5,

  kCmdAddActor = 0x51,
  kCmdDelActor = 0x52,
  kCmdAddOperator = 0x53,
  kCmdDelOperator = 0x54,
  kCmdChangePassword = 0x55,
  kCmdListActors = 0x56,
  kCmdListOperators = 0x57,

  kCmdVolumeLoad = 0x42,
  kCmdVolumeUnload = 0x43,
  kCmdVolumeTable = 0x44,
};

#pragma pack(push, 1)
struct FrameHeader {
  uint32_t magic;
  uint32_t length;  // whole frame, header included
  uint8_t group;
  uint8_t command;
  uint8_t flag;
  uint8_t status;
  uint32_t crc;  // CRC-32 of the 12 bytes before it
};
#pragma pack(pop)
static_assert(sizeof(FrameHeader) == 16, "frame header is 16 bytes");
static_assert(offsetof(FrameHeader, length) == 4 && offsetof(FrameHeader, group) == 8 &&
                  offsetof(FrameHeader, command) == 9 && offsetof(FrameHeader, flag) == 10 &&
                  offsetof(FrameHeader, status) == 11 && offsetof(FrameHeader, crc) == 12,
              "frame header offsets");

// Little-endian access into byte buffers (the target is little-endian too, but
// spelling it out keeps the wire form independent of the host).
inline uint16_t GetU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
inline void AppendU32(Bytes& b, uint32_t v) {
  size_t at = b.size();
  b.resize(at + 4);
  PutU32(&b[at], v);
}
inline void AppendBytes(Bytes& b, const void* p, size_t n) {
  b.insert(b.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
}

// Writes a complete header (CRC included) for a frame of `length` bytes.
void WriteHeader(uint8_t* out, uint32_t length, uint8_t group, uint8_t command, uint8_t flag, uint8_t status);
// Header plus body; the length field is body size + 16.
Bytes EncodeFrame(uint8_t group, uint8_t command, uint8_t flag, uint8_t status, const Bytes& body);
// The CRC check of a header, also used by tests.
bool HeaderCrcValid(const uint8_t* header);

// A fixed-width text field: the characters up to the first zero, at most `width`.
std::string GetFixedText(const uint8_t* p, size_t width);
// Writes text into a zero-padded field of `width` bytes; cut to width - 1 characters.
void PutFixedText(uint8_t* p, size_t width, const std::string& text);

// Finds frames in received bytes. A header is taken when its magic is in place,
// its CRC matches and its length lies between 16 and 4 MB; anything else costs one
// byte and the scan goes on, so noise never stalls the stream.
class FrameScanner {
 public:
  void Feed(const uint8_t* data, size_t n);
  // Moves the next complete frame into `frame`; false when none is complete yet.
  bool Next(Bytes* frame);
  size_t Pending() const { return buffer_.size() - start_; }

 private:
  void Compact();
  Bytes buffer_;
  size_t start_ = 0;  // first unparsed byte
};

}  // namespace tagsim
