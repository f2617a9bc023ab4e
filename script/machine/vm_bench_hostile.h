// The hostile part of the script machine's benchmark (vm_bench_hostile.cpp).
#pragma once

// Times one default-budget run of each hostile program and prints it.
void HostileRuns();
