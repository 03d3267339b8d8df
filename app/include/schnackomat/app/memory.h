// How the program's memory allocator is set up at start-up.
#pragma once

#include <cstddef>

namespace schnackomat::app {

// Every key press converts the whole text anew, and with a long text that allocates and frees
// buffers of tens or hundreds of megabytes each time. By default the C library maps such large
// buffers fresh from the kernel and unmaps them when they are freed, so that every conversion
// pays for the kernel to clear all of that memory again. This keeps freed buffers of up to
// 256 MiB in the program's heap for the next conversion instead. Does nothing where the C
// library has no such setting.
void KeepLargeBuffersForReuse();

// A short-lived process that converts one long text touches every page of its buffers for the
// first time, and the kernel handles each first touch of a 4 KiB page on its own: for a text of
// a few megabytes that is thousands of page faults, which cost more than the conversion itself.
// This keeps large buffers in the heap as KeepLargeBuffersForReuse does, lets every thread
// allocate from that one heap, grows the heap by `bytes` at once and asks the kernel to back the
// new part with 2 MiB pages where it can; the first call keeps the heap below the first 2 MiB
// boundary (less than 2 MiB, never touched) allocated for the rest of the run, so that the next
// buffers start on a whole 2 MiB page. Memory that is never touched costs nothing. Calling it
// again with more bytes grows the prepared part. Does nothing where the C library or the kernel
// has no such setting.
void PrepareHeapForOneLargeRun(std::size_t bytes);

}  // namespace schnackomat::app
