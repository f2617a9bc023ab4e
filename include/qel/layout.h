// Layout checks of the records that cross a module boundary.
//
// Every program and DLL comes in two flavours built from the same sources:
// the 32-bit deliverables, whose records have the layouts their callers and
// plug-ins were written against, and a 64-bit build for machines that run no
// 32-bit programs. A record that holds pointers or handles has its natural
// 64-bit layout there (pointers take 8 bytes); a record that is stored or sent
// holds no pointer and is the same bytes in both. QEL_LAYOUT states both
// numbers side by side and checks the one of the flavour being compiled.
#pragma once

#if defined(_WIN64)
#define QEL_FLAVOUR_BITS 64
#define QEL_LAYOUT(expression, in32, in64) \
  static_assert((expression) == (in64), #expression " in the 64-bit flavour")
#else
#define QEL_FLAVOUR_BITS 32
#define QEL_LAYOUT(expression, in32, in64) \
  static_assert((expression) == (in32), #expression " in the 32-bit flavour")
#endif
