#pragma once

// Formats a diagnostic into a 300-byte buffer and writes it to the platform's debug output.
void reportDebug(const char* format, int value);
