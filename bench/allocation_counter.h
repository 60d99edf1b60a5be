// Counts the program's heap allocations: every operator new, and on glibc every
// malloc, calloc and realloc too. Linking allocation_counter.cpp replaces them for the
// whole program; the count is all a benchmark reads.
#pragma once

#include <cstddef>

std::size_t AllocationCount();

// Whether the counter sees allocations at all: an allocation made on purpose must
// move it, or a zero would prove nothing.
bool AllocationCounterWorks();
