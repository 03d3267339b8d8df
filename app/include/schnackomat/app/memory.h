// How the program's memory allocator is set up at start-up.
#pragma once

namespace schnackomat::app {

// Every key press converts the whole text anew, and with a long text that allocates and frees
// buffers of tens or hundreds of megabytes each time. By default the C library maps such large
// buffers fresh from the kernel and unmaps them when they are freed, so that every conversion
// pays for the kernel to clear all of that memory again. This keeps freed buffers of up to
// 256 MiB in the program's heap for the next conversion instead. Does nothing where the C
// library has no such setting.
void KeepLargeBuffersForReuse();

}  // namespace schnackomat::app
