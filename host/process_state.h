#pragma once
#include "engine/relaxed.h"

// Process-wide state shared by every instance of the library.

// The library's own module (its base address), recorded when the library is loaded; the
// toolkit uses it for its window class and pictures. Null outside the loaded library.
extern void* gModuleHandle;
// Set by a constructor that could not allocate what the instance needs.
extern CRelaxed<bool> gOutOfMemory;
