// Every heap allocation of the benchmark program, counted by the replaced global operator new.
#pragma once

#include <cstdint>

uint64_t AllocationCount();
