// Heap allocations counted by the benchmark binary's own operator new and
// delete (alloc_count.cpp). C allocations (malloc inside the driver) are not seen.
#pragma once

#include <cstdint>

int64_t HeapAllocations();     // operator new calls since the program started
int64_t HeapDeallocations();   // operator delete calls with a non-null pointer
