#pragma once

#include <cstddef>

namespace bench {

// The bytes the heap holds in use now: glibc's mallinfo2, chunks in the arena (uordblks) plus
// chunks with a mapping of their own (hblkhd), which is where large blocks go.
std::size_t HeapInUse();

}  // namespace bench
