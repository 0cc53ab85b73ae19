#pragma once
// Counts the bytes held through operator new, so the benchmark can report
// the peak memory of one extraction. Linking AllocationCounter.cpp replaces
// the global operator new and delete of the program.
#include <cstddef>

namespace vlt::bench {

std::size_t LiveBytes();
std::size_t PeakBytes();
// Starts a new peak measurement from the bytes live now.
void ResetPeak();

}  // namespace vlt::bench
