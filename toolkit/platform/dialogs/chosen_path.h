#pragma once
#include <cstddef>

// Checks the text a desktop file dialog printed for the chosen file: one line ending in an
// optional line feed. Accepts it only when it names an existing regular file and fits, whole,
// in capacity - 1 characters; then copies it, terminated, into chosen. A path is never cut.
bool acceptChosenPath(const char* text, std::size_t length, int capacity, char* chosen);
