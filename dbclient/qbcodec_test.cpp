// CRC-32, MD5, the growable buffer, frame headers, the frame parser and the
// wire form of value records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "qbbuffer.h"
#include "qbcrc32.h"
#include "qbfakepeer.h"
#include "qbframe.h"
#include "qbmd5.h"
#include "qbprotocol.h"
#include "qbwirevalue.h"

using qbtest::Bytes;

namespace {

std::string Hex(const uint8_t* p, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

struct CrcCase {
  const char* text;
  uint32_t crc;
};

TEST(QbCrc32, MatchesStandardCheckValues) {
  const CrcCase cases[] = {
      {"123456789", 0xCBF43926u},
      {"", 0u},
      {"a", 0xE8B7BE43u},
      {"abc", 0x352441C2u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const CrcCase& c : cases) EXPECT_EQ(c.crc, QbCrc32(c.text, std::strlen(c.text))) << c.text;
}

struct Md5Case {
  const char* text;
  const char* digest;
};

TEST(QbMd5, MatchesRfc1321TestSuite) {
  const Md5Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Md5Case& c : cases) {
    uint8_t digest[16];
    QbMd5(c.text, std::strlen(c.text), digest);
    EXPECT_EQ(c.digest, Hex(digest, 16)) << c.text;
  }
}

TEST(QbMd5, PaddingBoundariesAt55And56And64Bytes) {
  // 55 bytes fit one padded block, 56 need two; 64 is one full block.
  const struct {
    size_t n;
    const char* digest;
  } cases[] = {
      {55, "ef1772b6dff9a122358552954ad0df65"},
      {56, "3b0c8ac703f828b04c6c197006d17218"},
      {64, "014842d480b571495a4a0363793f7367"},
  };
  for (const auto& c : cases) {
    const std::string text(c.n, 'a');
    uint8_t digest[16];
    QbMd5(text.data(), text.size(), digest);
    EXPECT_EQ(c.digest, Hex(digest, 16)) << c.n;
  }
}

TEST(QbBuffer, GrowsByStepOrMultipleOfStep) {
  QbBuffer b(16);
  const std::vector<uint8_t> bytes(100, 7);
  ASSERT_TRUE(b.Append(bytes.data(), 10));
  EXPECT_EQ(16u, b.Capacity());
  ASSERT_TRUE(b.Append(bytes.data(), 40));  // room 6 < 40: step * (40 / 16 + 1) = 48
  EXPECT_EQ(64u, b.Capacity());
  EXPECT_EQ(50u, b.Size());
  EXPECT_FALSE(b.Append(bytes.data(), 0));
  EXPECT_FALSE(b.Append(nullptr, 3));
}

TEST(QbBuffer, RefusesContentAbove4MBAndFreesLargeBlocksOnReset) {
  QbBuffer b(65536);
  std::vector<uint8_t> big(QB_MAX_FRAME, 1);
  ASSERT_TRUE(b.Append(big.data(), QB_MAX_FRAME - 1));
  EXPECT_EQ(size_t(QB_MAX_FRAME), b.Capacity());  // growth cut at 4 MB
  EXPECT_FALSE(b.Append(big.data(), 2));
  EXPECT_EQ(size_t(QB_MAX_FRAME - 1), b.Size());
  EXPECT_TRUE(b.Append(big.data(), 1));
  b.Reset();
  EXPECT_EQ(0u, b.Capacity());

  QbBuffer small(16384);
  small.Append(big.data(), 100);
  small.Reset();
  EXPECT_EQ(16384u, small.Capacity());  // small blocks stay
}

TEST(QbBuffer, ARefusedAppendMarksTheBufferFailedUntilItIsEmptied) {
  QbBuffer b(16384);
  std::vector<uint8_t> big(QB_MAX_FRAME, 1);
  ASSERT_TRUE(b.Append(big.data(), 10));
  EXPECT_FALSE(b.Failed());
  EXPECT_FALSE(b.Append(big.data(), QB_MAX_FRAME));
  EXPECT_TRUE(b.Failed());
  EXPECT_TRUE(b.AppendZeros(1));  // later appends do not clear the mark
  EXPECT_TRUE(b.Failed());
  b.Reset();
  EXPECT_FALSE(b.Failed());
  EXPECT_FALSE(b.AppendZeros(QB_MAX_FRAME + 1));
  EXPECT_TRUE(b.Failed());
  b.Release();
  EXPECT_FALSE(b.Failed());
  EXPECT_FALSE(b.Append(nullptr, 3));  // bytes meant for the content are missing
  EXPECT_TRUE(b.Failed());
  b.Reset();
  EXPECT_FALSE(b.Append(big.data(), 0));  // nothing to add: nothing missing
  EXPECT_FALSE(b.Failed());
}

TEST(QbFrame, HeaderBytesOfALoginRequest) {
  QbBuffer out(16384);
  std::vector<uint8_t> body(36, 0);
  ASSERT_TRUE(QbBuildFrame(out, QBG_LOGIN, QBC_LOGIN, 0, 0, body.data(), body.size()));
  ASSERT_EQ(52u, out.Size());
  EXPECT_EQ(
      "5a90eba53400000008570000"
      "2ef97fb8",
      Hex(out.Data(), 16));
}

TEST(QbFrame, RefusesAFrameAbove4MB) {
  QbBuffer out(16384);
  std::vector<uint8_t> body(QB_MAX_FRAME - 15, 0);
  EXPECT_FALSE(QbBuildFrame(out, QBG_VALUE, QBC_WRITE_REAL, 0, 0, body.data(), body.size()));
  EXPECT_EQ(0u, out.Size());
  EXPECT_TRUE(QbBuildFrame(out, QBG_VALUE, QBC_WRITE_REAL, 0, 0, body.data(), body.size() - 1));
}

// Parser cases: what a byte stream yields as frames, fed in the given pieces.
struct ParseCase {
  const char* name;
  std::vector<Bytes> pieces;
  std::vector<Bytes> frames;
};

Bytes StatusFrame(uint8_t command, uint8_t status) { return qbtest::Frame(0x90, command, status); }

Bytes WithLength(Bytes frame, uint32_t length) {
  // A header whose CRC is valid for a forged length field.
  QbWriteHeader(frame.data(), length, frame[8], frame[9], frame[10], frame[11]);
  return frame;
}

Bytes CorruptCrc(Bytes frame) {
  frame[12] ^= 0xFF;
  return frame;
}

std::vector<Bytes> ParseAll(const std::vector<Bytes>& pieces) {
  QbFrameParser parser;
  std::vector<Bytes> frames;
  for (const Bytes& piece : pieces) {
    parser.Receive(piece.data(), piece.size());
    while (parser.GetState() == QbFrameParser::kCompleteFrame) {
      frames.emplace_back(parser.Frame().Data(), parser.Frame().Data() + parser.Frame().Size());
      parser.Next();
    }
  }
  return frames;
}

TEST(QbFrameParser, FindsFramesInTheByteStream) {
  const Bytes a = qbtest::Frame(0x90, 0x92, 0, Bytes(40, 0x11));
  const Bytes b = StatusFrame(0x91, 5);
  const Bytes garbage = {1, 2, 3, 0x5A, 0x90, 0xEB, 0xA5, 9, 9};
  const ParseCase cases[] = {
      {"one frame", {a}, {a}},
      {"header in one receive, body in the next",
       {Bytes(a.begin(), a.begin() + 16), Bytes(a.begin() + 16, a.end())},
       {a}},
      {"split inside the header", {Bytes(a.begin(), a.begin() + 7), Bytes(a.begin() + 7, a.end())}, {a}},
      {"byte by byte", {}, {a}},
      {"two frames in one receive", {qbtest::Concat({a, b})}, {a, b}},
      {"garbage and a false magic before", {qbtest::Concat({garbage, a})}, {a}},
      {"bad CRC before", {qbtest::Concat({CorruptCrc(b), a})}, {a}},
      {"length 0x400001 rejected", {qbtest::Concat({WithLength(b, 0x400001), a})}, {a}},
      {"length below 16 rejected", {qbtest::Concat({WithLength(b, 8), a})}, {a}},
      {"length 0 rejected", {qbtest::Concat({WithLength(b, 0), b})}, {b}},
      {"surplus after a partial frame",
       {Bytes(a.begin(), a.begin() + 20), qbtest::Concat({Bytes(a.begin() + 20, a.end()), b})},
       {a, b}},
  };
  for (const ParseCase& c : cases) {
    std::vector<Bytes> pieces = c.pieces;
    if (pieces.empty())
      for (uint8_t byte : a) pieces.push_back({byte});
    EXPECT_EQ(c.frames, ParseAll(pieces)) << c.name;
  }
}

TEST(QbFrameParser, KeepsTheLastThreeBytesWhenNoMagicIsFound) {
  QbFrameParser parser;
  const Bytes junk = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0x5A, 0x90, 0xEB};
  parser.Receive(junk.data(), junk.size());
  ASSERT_EQ(3u, parser.Pending().Size());
  const Bytes a = StatusFrame(0x92, 0);
  parser.Receive(a.data() + 3, a.size() - 3);  // the magic's last byte completes it
  EXPECT_EQ(QbFrameParser::kCompleteFrame, parser.GetState());
}

TEST(QbFrameParser, ResetDropsAPartialFrame) {
  const Bytes a = qbtest::Frame(0x90, 0x92, 0, Bytes(40, 0x11));
  const Bytes b = StatusFrame(0x91, 0);
  QbFrameParser parser;
  parser.Receive(a.data(), 20);
  ASSERT_EQ(QbFrameParser::kPartialFrame, parser.GetState());
  parser.Reset();
  parser.Receive(b.data(), b.size());
  ASSERT_EQ(QbFrameParser::kCompleteFrame, parser.GetState());
  EXPECT_EQ(b, Bytes(parser.Frame().Data(), parser.Frame().Data() + parser.Frame().Size()));
}

TEST(QbWireValue, RecordLengthsFollowTheNameLength) {
  const struct {
    const char* name;
    size_t size;
  } cases[] = {{"", 20}, {"A", 24}, {"ABCD", 24}, {"ABCDE", 28}, {"ABCDEFGH", 28}};
  for (const auto& c : cases) {
    QbBuffer out(16384);
    QB_TAGVALUE record = {};
    std::strcpy(record.name, c.name);
    ASSERT_TRUE(QbEncodeValue(out, record));
    EXPECT_EQ(c.size, out.Size()) << c.name;
    EXPECT_EQ(c.size, LittleEndianAt16(out.Data())) << c.name;
    EXPECT_EQ(std::strlen(c.name), LittleEndianAt16(out.Data() + 2)) << c.name;
  }
}

TEST(QbWireValue, EncodesNameAndValueBytes) {
  QbBuffer out(16384);
  QB_TAGVALUE record = {};
  std::strcpy(record.name, "T01");
  record.value.type = QB_TYPE_FLOAT64;
  record.value.quality = 1;
  record.value.time = 0x01020304;
  record.value.data.f64 = 1.5;
  ASSERT_TRUE(QbEncodeValue(out, record));
  EXPECT_EQ(
      "18000300"
      "54303100"
      "05010000"
      "04030201"
      "000000000000f83f",
      Hex(out.Data(), out.Size()));
}

TEST(QbWireValue, CutsNamesTo79Characters) {
  QbBuffer out(16384);
  QB_TAGVALUE record;
  std::memset(record.name, 'x', sizeof record.name);
  ASSERT_TRUE(QbEncodeValue(out, record));
  EXPECT_EQ(0, record.name[79]);
  EXPECT_EQ(79u, LittleEndianAt16(out.Data() + 2));
  EXPECT_EQ(QbWireValueSize(79), out.Size());
}

TEST(QbWireValue, DecodeRoundTripsAndRejectsMalformedRecords) {
  QbBuffer out(16384);
  QB_TAGVALUE record = {};
  std::strcpy(record.name, "Flow.PV");
  record.value.type = QB_TYPE_INT32;
  record.value.data.i32 = -7;
  ASSERT_TRUE(QbEncodeValue(out, record));
  Bytes wire(out.Data(), out.Data() + out.Size());

  QB_TAGVALUE back;
  ASSERT_EQ(wire.size(), QbDecodeValue(wire.data(), wire.size(), back));
  EXPECT_STREQ("Flow.PV", back.name);
  EXPECT_EQ(0, std::memcmp(&record.value, &back.value, 16));

  struct Bad {
    const char* why;
    Bytes bytes;
    size_t available;
  };
  auto patched = [&](size_t at, uint16_t v) {
    Bytes b = wire;
    QbPut16(b.data() + at, v);
    return b;
  };
  const Bad bad[] = {
      {"T beyond the bytes", wire, wire.size() - 1},
      {"fewer than 20 bytes", patched(0, 19), 19},
      {"name of 80 characters", patched(2, 80), wire.size()},
      {"negative name length", patched(2, 0xFFFF), wire.size()},
      {"negative total", patched(0, 0x8000), wire.size()},
      {"name does not fit T", patched(2, 9), wire.size()},
  };
  for (const Bad& b : bad) EXPECT_EQ(0u, QbDecodeValue(b.bytes.data(), b.available, back)) << b.why;
}

}  // namespace
