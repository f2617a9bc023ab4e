/* The benchmark loops in C (vm_bench_native.c). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

void NativeIntDoubleLoop(void);
void NativeStrlenLoop(const char* text, int calls);

#ifdef __cplusplus
}
#endif
