#include "base/FreeMemory.h"

// Any C library header defines __GLIBC__ when the library is glibc.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// glibc's own starting threshold; left alone it grows to the size of the largest block
// freed, after which a board's textures and lists come from the heap and stay there.
constexpr int LARGE_BLOCK_BYTES = 128 * 1024;

} // namespace

// The software renderer frees a board's last textures only when it next draws something
// else, after the board's memory was trimmed: from a mapping of their own they go back then.
void keepLargeBlocksApart() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, LARGE_BLOCK_BYTES);
#endif
}

void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
