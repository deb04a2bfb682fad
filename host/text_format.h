#pragma once
#include <cstddef>

// Text helpers for the host boundary: every text handed to the host is cut to its buffer.

// Copies src (null counts as empty) into dest, at most capacity - 1 characters plus the
// terminator. Does nothing when dest is null or capacity is not positive.
void copyText(char* dest, const char* src, int capacity);

// Number in at most eight characters, truncated digit by digit (12.5 -> "12.50000").
// Magnitudes above 99999999 (9999999 when negative), NaN and infinities leave text unchanged.
void formatFloat(float value, char* text);
// "%7d" of value, or "Huge!" from 100000000 on.
void formatInt(int value, char* text);
// Gain in decibels through formatFloat, "-oo" for gains of zero and below.
void formatDb(float gain, char* text);

// Float to int, truncating toward zero; NaN gives 0 and out-of-range values saturate.
int truncToInt(double value);
