#include "bench/Heap.h"

#include <malloc.h>

namespace bench {

std::size_t HeapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

}  // namespace bench
