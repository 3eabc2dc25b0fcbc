// Every heap allocation of the program, counted by the replaced global operator new, and every
// release by the replaced operator delete: a benchmark counts allocations per iteration, a soak
// counts what stays allocated.
#pragma once

#include <cstdint>

uint64_t AllocationCount();
// Allocations not yet released.
int64_t LiveAllocationCount();
