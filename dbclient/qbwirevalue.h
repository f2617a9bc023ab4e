// Wire form of a value record: total length T (16 bits), name length L (16
// bits), the name padded with zeros to P = L + 4 rounded up to a multiple of 4,
// then the 16 value bytes; T = P + 16.
#pragma once
#include <cstddef>
#include <cstdint>

#include "qbbuffer.h"
#include "qel/qbtypes.h"

// Cuts the record's name to 79 characters (byte 79 set to 0) and appends its
// wire form. False when the buffer refuses the bytes.
bool QbEncodeValue(QbBuffer& out, QB_TAGVALUE& record);

// Size of the wire form of a name of `nameLength` characters.
size_t QbWireValueSize(size_t nameLength);

// Reads one wire record from `available` bytes into `target`. Returns the
// record's length T, or 0 when the record is malformed (fewer than 20 bytes,
// T beyond the bytes, a name length outside 0 to 79 or not fitting in T).
size_t QbDecodeValue(const uint8_t* wire, size_t available, QB_TAGVALUE& target);
