// End codes of the script machine: what Load and Run return, and the codes of
// system functions (these end the run with kVmSystemFailed; the machine keeps
// the function's own code for inspection only).
#pragma once

enum VmEndCode : int {
  kVmOuterReturn = 0,       // the outermost frame was left by a return
  kVmNoMemory = 1,          // register block or first frame; an array of an invalid base type
  kVmArgStackEmpty = 1001,  // an argument popped from an empty argument stack
  kVmCallSaveRegs = 1002,
  kVmCallSaveFrame = 1003,
  kVmCallNewFrame = 1004,
  kVmNormalEnd = 1005,     // the entry function returned
  kVmNoSavedRegs = 1006,   // a return without a saved register block
  kVmSystemFailed = 2001,  // a system function failed or does not exist

  // Loading.
  kVmBadMagic = 5634,
  kVmBadVersion = 5635,
  kVmNoDataMemory = 5645,
  kVmBadCodeSize = 5647,  // the instruction area is not a multiple of 12
  kVmNoCodeMemory = 5648,
  kVmTruncated = 5649,  // a header, data entry or the instructions reach past the bytes given
  kVmBadEntry = 5650,   // the entry index lies outside the instructions

  kVmNoBufferMemory = 5891,   // no memory (or over the machine's budget) for a variable's buffer
  kVmBadOpcode = 8195,        // an opcode without a meaning
  kVmBadRegister = 8196,      // a register number above 31
  kVmBadJump = 8197,          // a jump or call target outside the instructions, or running off their end
  kVmBadCell = 8198,          // a memory word naming a cell that does not exist
  kVmBadAddress = 8199,       // a read through an address outside every live variable
  kVmNotLoaded = 8200,        // no code bytes were loaded (or their load was refused)
  kVmBusy = 8201,             // Run or Load called from inside a run of the same machine
  kVmBudgetExceeded = 8202,   // a run executed more instructions than its budget (an endless loop)
  kVmBadBinary = 12320,       // binary operation not valid for the operands
  kVmDivideByZero = 12321,    // integer division or remainder by zero
  kVmDivideOverflow = 12322,  // the lowest 32- or 64-bit integer divided by -1 (or its remainder)
  kVmPointerStore = 24580,    // a store failed (also a write outside every live variable)
  kVmPointerAssign = 24581,   // compound assignment not valid for a pointer

  // Set-up and growth.
  kVmSetupReturnStack = 257,
  kVmSetupArgStack = 1281,
  kVmSetupGlobalBuffers = 2305,
  kVmSetupGlobalCells = 3073,
  kVmSetupFrameStack = 3841,
  kVmSetupRegStack = 36865,
  kVmGrowReturnStack = 1026,  // also a call nested deeper than the machine allows
  kVmGrowArgStack = 2050,     // also more pushed arguments than the machine allows
  kVmGrowBufferList = 2562,
  kVmGrowCellTable = 3330,  // also a cell number above the machine's limit
  kVmGrowFrameStack = 4610,
  kVmGrowRegStack = 36868,
};

// Codes of system functions.
enum VmSysCode : int {
  kSysDone = 0,
  kSysUnknown = 1,         // no function with that id (or no host for it)
  kSysFormatCount = 1807,  // a formatting function's argument count out of its limits
  kSysArgCount = 16385,    // too few arguments pushed
  kSysNotPointer = 16396,
  kSysBadString = 16400,  // a text or buffer argument outside every live variable, or unterminated
  kSysBadFormat = 16401,  // a format outside the allowed conversions, or one that reads a bad text
  kSysPrintfCount = 16435,
  kSysOcxCount = 16692,
  kSysTagPointer = 16693,
  kSysNotActiveX = 16695,
  kSysNoDispatch = 16696,              // an ActiveX object whose control gives no dispatch interface
  kSysOcxUnresolved = 16704,           // no member of that name and kind, or another number of arguments
  kSysOcxCallFailed = 16705,           // the control's call failed
  kSysOcxBadResult = 16706,            // a destination that takes no such value
  kSysOverBudget = kVmBudgetExceeded,  // the run's budget ran out inside the function
};
