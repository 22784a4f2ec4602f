#pragma once
#include <cstdint>

namespace bench {

// The bytes the process holds on its heap now, counted allocation by allocation: the
// benchmark binary replaces malloc and its relatives (operator new and Qt's image buffers
// come through them), so what the allocator keeps for reuse does not count.
std::int64_t liveHeapBytes();
// The most live bytes since the last resetHeapPeak().
std::int64_t heapPeakBytes();
void resetHeapPeak();

} // namespace bench
