#include "FreedMemory.h"

// Any C library header says which C library this is; without one,
// __GLIBC__ is not yet defined and the trim below was never compiled in.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zol {

void returnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace zol
