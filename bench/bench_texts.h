#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantelo::bench {

// Random texts of 5 to 40 printable bytes; about 2% repeat an earlier text.
std::vector<std::string> RandomTexts(size_t count, unsigned seed);

// Resident set size of this process and its peak, in bytes.
size_t CurrentRss();
size_t PeakRss();
// Bytes the allocator has handed out and not taken back.
size_t HeapInUse();

} // namespace vantelo::bench
