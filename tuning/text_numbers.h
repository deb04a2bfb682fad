#pragma once

// Number reading for tuning files. Both follow the C library's atol/atof on ordinary text
// (leading white space skipped, reading stops at the first character that does not fit,
// no number reads as 0) but never depend on the process locale and never overflow.

// Decimal integer, saturated to the 32-bit range.
long readWholeNumber(const char* text);

// Floating-point number as written in the C locale ("1250.7", "-5e3", "inf", "nan").
// Out-of-range values read as +-infinity or 0.
double readDecimalNumber(const char* text);
