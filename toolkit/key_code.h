#pragma once

#include <cstdint>

// A key as the host hands it to the editor: a character, a virtual key and modifier bits.
struct CKeyCode {
    int32_t character = 0;
    uint8_t virtualKey = 0;
    uint8_t modifier = 0;
};

// Virtual keys the standard controls react to.
constexpr uint8_t kVirtualKeyLeft = 11;
constexpr uint8_t kVirtualKeyUp = 12;
constexpr uint8_t kVirtualKeyRight = 13;
constexpr uint8_t kVirtualKeyDown = 14;

// Modifier bits of a key record.
constexpr uint8_t kModifierShift = 1;
