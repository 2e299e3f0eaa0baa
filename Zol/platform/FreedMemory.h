#pragma once

namespace zol {

// Hands memory the process has freed back to the system. glibc keeps freed
// memory for the next allocation, and a closed window's widgets, drawings and
// font caches leave holes in the middle of the heap that it would otherwise
// never return. Does nothing where the C library has no way to do it.
void returnFreedMemory();

} // namespace zol
