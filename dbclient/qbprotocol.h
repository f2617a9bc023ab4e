// Frame format, groups and commands of the wire protocol to the real-time
// database server. Every frame starts with the 16-byte header below; a reply
// carries the request's group plus QB_REPLY_GROUP_DELTA and the same command.
#pragma once
#include <cstddef>
#include <cstdint>

#include "../framework/bytereader.h"

enum : uint32_t {
  QB_FRAME_MAGIC = 0xA5EB905Au,  // on the wire: 5A 90 EB A5
  QB_MAX_FRAME = 0x400000u,      // frames and buffers never exceed 4 MB
  QB_HEAD_SIZE = 16u,
  QB_PROTOCOL_VERSION = 0x300u,
};

enum : uint8_t {
  QB_REPLY_GROUP_DELTA = 0x70,
  QB_MORE_FLAG = 2,  // header flag of a history page: more records follow
};

struct QB_FRAMEHEAD {
  uint32_t magic;
  uint32_t length;  // whole frame, header included
  uint8_t group;
  uint8_t command;
  uint8_t flag;
  uint8_t status;
  uint32_t crc;  // CRC-32 of bytes 0 to 11
};
static_assert(sizeof(QB_FRAMEHEAD) == 16, "frame header is 16 bytes");
static_assert(offsetof(QB_FRAMEHEAD, group) == 8 && offsetof(QB_FRAMEHEAD, status) == 11 &&
                  offsetof(QB_FRAMEHEAD, crc) == 12,
              "frame header layout");

enum : uint8_t {
  QBG_LOGIN = 0x08,
  QBG_TAG = 0x10,
  QBG_VALUE = 0x20,
  QBG_OPERATOR = 0x30,
  QBG_VOLUME = 0x41,
};

enum : uint8_t {
  QBC_LOGIN = 0x57,
  // QBG_TAG
  QBC_TAG_QUERY = 0x81,
  QBC_TAG_IMPORT = 0x82,
  QBC_TAG_GETATTR = 0x83,
  QBC_TAG_DELETE = 0x84,
  // QBG_VALUE
  QBC_WRITE_REAL = 0x91,
  QBC_READ_REAL = 0x92,
  QBC_READ_HIS = 0x93,
  QBC_READ_HIS_AT = 0x94,
  QBC_WRITE_REAL_VAR = 0x95,
  QBC_WRITE_HIS_VAR = 0x96,
  QBC_WRITE_HIS = 0x97,
  QBC_READ_HIS_VAR = 0x98,
  QBC_HIS_SUM = 0x99,
  QBC_HIS_SUM_STEPS = 0x9A,
  QBC_READ_REAL_VAR = 0x9B,
  QBC_QUERY_HIS_EXP = 0x9C,
  QBC_COUNT_HIS_EXP = 0x9D,
  QBC_COUNT_KST_ACT = 0xA5,
  // QBG_OPERATOR
  QBC_ADD_ACTOR = 0x51,
  QBC_DEL_ACTOR = 0x52,
  QBC_ADD_OPERATOR = 0x53,
  QBC_DEL_OPERATOR = 0x54,
  QBC_MOD_PASSWORD = 0x55,
  QBC_LIST_ACTORS = 0x56,
  QBC_LIST_OPERATORS = 0x57,
  // QBG_VOLUME
  QBC_VOL_LOAD = 0x42,
  QBC_VOL_UNLOAD = 0x43,
  QBC_VOL_TABLE = 0x44,
};

// Little-endian fields written into byte arrays (read with LittleEndianAt16
// and LittleEndianAt32 of ../framework/bytereader.h).
inline void QbPut32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
inline void QbPut16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
