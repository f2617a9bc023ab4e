// How system functions take their arguments and give their result.
#pragma once
#include <cstdint>
#include <string>

#include "vmstate.h"

// Pops n arguments from the argument stack into the argument area, the first
// popped (the call's first argument) into place 0. 0, or kSysArgCount when
// the stack runs out (or n does not fit the area).
int PopArguments(VmState& s, int n);

// For a function declared with a final "...": pops the count that the
// compiler pushed last (the number of pushed values including itself), checks
// it against [min_count, max_count] (else kSysFormatCount), then pops the
// other count - 1 values. *args receives count - 1.
int PopCountedArguments(VmState& s, int min_count, int max_count, int* args);

// Argument i read as the type its prototype declares.
int32_t ArgInt(const VmState& s, int i);
int64_t ArgInt64(const VmState& s, int i);
double ArgDouble(const VmState& s, int i);
// The 32-bit address held in a pointer argument.
uint32_t ArgAddress(const VmState& s, int i);
inline const VmCell& Arg(const VmState& s, int i) { return s.arg_area[i]; }
// Whether argument i is an address or pointer (of any base type).
inline bool IsPointerArg(const VmState& s, int i) { return HasKind(Arg(s, i).type); }
// Whether a cell names a text: a character pointer, or a character array,
// which arrives through "..." with the address bit only. The address of a
// char variable has that type too; it names a cell's value and is no text.
bool TakesText(const VmState& s, const VmCell& cell);

// Texts are read where they lie, never copied first. Each reader charges the
// bytes it scans to the run's budget, and scans no further than the budget
// can pay for. 0, kSysBadString, or kSysOverBudget.
//
// The zero-terminated text at an address, when the zero lies inside the same
// live variable: its start and length.
int TextAt(VmState& s, uint32_t address, const char** text, size_t* length);
// The text at an address up to its zero or its first n bytes, whichever
// comes first; those bytes must lie inside one live variable.
int BoundedTextAt(VmState& s, uint32_t address, size_t n, const char** text, size_t* length);
// The text of argument i (a character pointer).
inline int TextArg(VmState& s, int i, const char** text, size_t* length) {
  return TextAt(s, Low32(s.arg_area[i].value), text, length);
}

// Writes bytes (a text with its zero included by the caller) at an address
// when they fit inside one live variable.
bool WriteBytes(const VmState& s, uint32_t address, const void* data, size_t size);
// The same with the bytes charged to the budget first: 0, kSysBadString or
// kSysOverBudget.
int WriteCharged(VmState& s, uint32_t address, const void* data, size_t size);
// Whether [address, address + size) can be written, with the bytes charged.
int WritableCharged(VmState& s, uint32_t address, size_t size);
// Writes n bytes of text and a terminating zero, charged.
int WriteTextCharged(VmState& s, uint32_t address, const char* text, size_t n);
inline char* HostPointer(uint32_t address) {
  return reinterpret_cast<char*>(static_cast<uintptr_t>(address));
}

// Results in the accumulator.
void SetResult(VmState& s, const VmCell& c);
inline void SetIntResult(VmState& s, int32_t v) { SetResult(s, MakeInt32(v)); }
void SetDoubleResult(VmState& s, double v);
void SetCharPointerResult(VmState& s, uint32_t address);
