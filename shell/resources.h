// Resources embedded into the program at build time (the Qt and headless builds; the Win32
// build carries the same files in its resource section).
#pragma once

#include <cstddef>

// The bytes of the resource of that name and their count; nullptr when there is none.
const unsigned char* findEmbeddedResource(const char* name, size_t* size);
