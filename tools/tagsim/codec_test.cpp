// The frame codec, CRC-32 and MD5 against hand-built frames and standard vectors.
#include <gtest/gtest.h>

#include "crc32.h"
#include "handlers.h"
#include "md5.h"
#include "reply_plan.h"
#include "wire.h"

namespace tagsim {
namespace {

std::string HexOf(const uint8_t* p, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

TEST(TagsimCrc32, StandardVectors) {
  struct Case {
    const char* text;
    uint32_t crc;
  } cases[] = {
      {"", 0x00000000u},
      {"a", 0xE8B7BE43u},
      {"abc", 0x352441C2u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const Case& c : cases) EXPECT_EQ(Crc32(c.text, std::strlen(c.text)), c.crc) << c.text;
}

TEST(TagsimMd5, Rfc1321Vectors) {
  struct Case {
    const char* text;
    const char* digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) {
    Md5Digest d = Md5(std::string(c.text));
    EXPECT_EQ(HexOf(d.data(), 16), c.digest) << c.text;
  }
}

TEST(TagsimMd5, LengthsAroundTheBlockEdge) {
  // 55, 56 and 64 bytes need one or two padding blocks.
  EXPECT_EQ(HexOf(Md5(std::string(55, 'a')).data(), 16), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(HexOf(Md5(std::string(56, 'a')).data(), 16), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(HexOf(Md5(std::string(64, 'a')).data(), 16), "014842d480b571495a4a0363793f7367");
}

// A login request for "admin" as the client builds it, byte for byte: magic
// 5A 90 EB A5, length 52, group 08, command 57, flag and status 0, CRC.
TEST(TagsimWire, HeaderBytesOfALoginFrame) {
  Bytes body(36, 0);
  std::memcpy(body.data(), "admin", 5);
  PutU32(body.data() + 32, 0x300);
  Bytes frame = EncodeFrame(kGroupLogin, kCmdLogin, 0, 0, body);
  ASSERT_EQ(frame.size(), 52u);
  const uint8_t head[12] = {0x5A, 0x90, 0xEB, 0xA5, 52, 0, 0, 0, 0x08, 0x57, 0, 0};
  EXPECT_EQ(0, std::memcmp(frame.data(), head, 12));
  EXPECT_EQ(GetU32(frame.data() + 12), Crc32(head, 12));
  EXPECT_TRUE(HeaderCrcValid(frame.data()));
  EXPECT_EQ(frame[16 + 32], 0x00);
  EXPECT_EQ(frame[16 + 33], 0x03);
}

TEST(TagsimWire, ScannerSkipsNoiseBadHeadersAndBadLengths) {
  Bytes frame = EncodeFrame(kGroupValue, kCmdReadReal, 0, 0, Bytes{1, 2, 3, 4});
  Bytes stream = GarbageBytes(40);
  uint8_t bad[16];
  WriteHeader(bad, 20, kGroupValue, kCmdReadReal, 0, 0);
  bad[12] ^= 1;  // CRC off by one bit
  AppendBytes(stream, bad, 16);
  WriteHeader(bad, 0x400001, kGroupValue, kCmdReadReal, 0, 0);
  AppendBytes(stream, bad, 16);
  WriteHeader(bad, 8, kGroupValue, kCmdReadReal, 0, 0);  // below the header size
  AppendBytes(stream, bad, 16);
  stream.insert(stream.end(), frame.begin(), frame.end());

  FrameScanner scanner;
  Bytes got;
  // Fed a byte at a time, so every partial state is passed through.
  int frames = 0;
  for (uint8_t b : stream) {
    scanner.Feed(&b, 1);
    while (scanner.Next(&got)) {
      ++frames;
      EXPECT_EQ(got, frame);
    }
  }
  EXPECT_EQ(frames, 1);
}

TEST(TagsimWire, ScannerSplitsTwoFramesOfOneFeed) {
  Bytes a = EncodeFrame(kGroupTag, kCmdTagDelete, 0, 0, Bytes{'x', 0});
  Bytes b = EncodeFrame(kGroupTag, kCmdTagGetAttr, 0, 0, Bytes(256, 0));
  Bytes both = a;
  both.insert(both.end(), b.begin(), b.end());
  FrameScanner scanner;
  scanner.Feed(both.data(), both.size());
  Bytes got;
  ASSERT_TRUE(scanner.Next(&got));
  EXPECT_EQ(got, a);
  ASSERT_TRUE(scanner.Next(&got));
  EXPECT_EQ(got, b);
  EXPECT_FALSE(scanner.Next(&got));
  EXPECT_EQ(scanner.Pending(), 0u);
}

// Wire value records: 4-character names give 24 bytes (no terminating zero), 5
// characters 28 bytes.
TEST(TagsimWire, ValueRecordLengths) {
  struct Case {
    const char* name;
    size_t length;
  } cases[] = {{"", 20}, {"A", 24}, {"ABC", 24}, {"ABCD", 24}, {"ABCDE", 28}, {"ABCDEFGH", 28}};
  for (const Case& c : cases) {
    Bytes out;
    Value16 v = MakeValue(kTypeInt32, 7, 99);
    AppendWireValue(out, c.name, v);
    ASSERT_EQ(out.size(), c.length) << c.name;
    EXPECT_EQ(GetU16(out.data()), c.length);
    EXPECT_EQ(GetU16(out.data() + 2), std::strlen(c.name));
    EXPECT_EQ(0, std::memcmp(out.data() + out.size() - 16, &v, 16));
    std::vector<WireValue> back;
    ASSERT_TRUE(DecodeWireValues(Body{out.data(), out.size()}, &back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name, c.name);
  }
}

TEST(TagsimWire, MalformedValueRecordsAreRefused) {
  Bytes out;
  AppendWireValue(out, "TAG1", MakeValue(kTypeDigital, 1));
  Bytes longName = out;
  PutU16(longName.data() + 2, 80);  // name longer than 79
  Bytes overlong = out;
  PutU16(overlong.data(), 200);  // record beyond the body
  Bytes cut(out.begin(), out.end() - 1);
  for (const Bytes* b : {&longName, &overlong, &cut}) {
    std::vector<WireValue> back;
    EXPECT_FALSE(DecodeWireValues(Body{b->data(), b->size()}, &back));
  }
}

}  // namespace
}  // namespace tagsim
