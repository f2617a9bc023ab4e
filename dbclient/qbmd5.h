// MD5 message digest (RFC 1321); the client sends digests of passwords, never
// the passwords themselves.
#pragma once
#include <cstddef>
#include <cstdint>

void QbMd5(const void* data, size_t size, uint8_t digest[16]);
