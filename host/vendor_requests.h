#pragma once
#include <cstdint>

#include "host/aeffect.h"

// Our own vendor-specific requests (opcode effVendorSpecific, code in index): the plug-in
// writes the tuning map's name or its last load message into ptr, at most kTuningTextSize
// bytes with the terminator, and answers 1.
constexpr int32_t kTuningNameRequest = fourCharCode('T', 'L', 't', 'n');
constexpr int32_t kTuningMessageRequest = fourCharCode('T', 'L', 't', 'm');
constexpr int kTuningTextSize = 400;
