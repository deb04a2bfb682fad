#pragma once

// The host-visible texts of the parameters. Every text fits 15 characters plus terminator.

// Name of a parameter (Quantize/Noise depends on its value); null for indices without one.
const char* parameterName(int index, float value);
// Unit label; null where the parameter has none (the host's buffer is then left alone).
const char* parameterLabel(int index);
// Value text; writes an empty text for indices without one. voiceLimit is shown by Polyphony.
void formatParameterDisplay(int index, float value, int voiceLimit, char* text);
