#pragma once
#include <string>

// Number reading for command-line values: the whole text must be one finite number.
bool parseNumber(const std::string& text, double& value);
// A whole number from lo to hi (written without a fraction, e.g. "64" or "64.0").
bool parseWhole(const std::string& text, int lo, int hi, int& value);
