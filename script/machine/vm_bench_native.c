/* The benchmark loops of the script machine written in C, compiled with -O2
   in the same build, for the ratio that the benchmark prints. The bounds and
   the results are volatile so that the loops run as written. */
#include "vm_bench_native.h"

#include <string.h>

volatile int g_native_limit = 10000000;
volatile int g_native_int_result;
volatile double g_native_double_result;
volatile int g_native_length;

void NativeIntDoubleLoop(void) {
  int n = 0;
  double d = 0.0;
  int i;
  int limit = g_native_limit;
  for (i = 0; i < limit; i++) {
    n = n + i;
    d = d + 0.5;
  }
  g_native_int_result = n;
  g_native_double_result = d;
}

void NativeStrlenLoop(const char* text, int calls) {
  int i;
  for (i = 0; i < calls; i++) g_native_length = (int)strlen(text + (g_native_length & 0));
}
