// A stream over a copy of bytes, for the platform's readers (image decoders,
// controls loading their state).
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>

// A stream over a copy of count bytes in one movable global block, made at
// its full size at once, which the stream frees when it is released; null
// when either cannot be made. The stream's size is the block's, rounded up
// to 8 bytes: a reader that needs the exact length sets it.
IStream* CreateStreamOverCopy(const BYTE* bytes, size_t count);
