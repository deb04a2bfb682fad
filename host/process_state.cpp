#include "host/process_state.h"

void* gModuleHandle = nullptr;
CRelaxed<bool> gOutOfMemory{false};
