#include "base/FreeMemory.h"

// Any C library header defines __GLIBC__ when the library is glibc.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

// glibc keeps freed blocks in its heap, where a big board's display list buffers and picture
// would stay as resident memory; other C libraries give back on their own.
void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
