// Counts the bytes the program holds on the heap, through a replaced global operator new, so that
// a benchmark can report the peak memory of one call.
#pragma once

#include <cstddef>

namespace schnackomat::bench {

// Bytes currently allocated.
std::size_t AllocatedBytes();

// Forgets the peak: from now on the peak starts at what is allocated now.
void ResetPeak();

// The most bytes allocated at any moment since the last ResetPeak.
std::size_t PeakBytes();

}  // namespace schnackomat::bench
