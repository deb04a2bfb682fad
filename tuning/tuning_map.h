#pragma once
#include "engine/relaxed.h"

// Note-to-frequency map: one offset in cents per MIDI note above a base frequency.
// Starts as standard equal temperament and can be replaced from a ".tun" file.
class CTuningMap {
public:
    static constexpr int kNumNotes = 128;
    static constexpr int kNameSize = 80;
    static constexpr int kMessageSize = 400;
    static constexpr double kMinFrequency = 1e-6;
    static constexpr double kMaxFrequency = 1e9;

    CTuningMap();
    virtual ~CTuningMap() = default;

    // Standard tuning: cents[n] = 100 n, note 69 = 440 Hz, name "standard", no message.
    void reset();
    // Frequency in Hz of a note; notes outside 0..127 follow 100 cents per note. Always finite
    // and positive: results outside kMinFrequency..kMaxFrequency are held at those bounds.
    double frequency(int note) const;
    // Reads a tuning file; false on any error, with the reason in message.
    bool loadFile(const char* path);

    const char* getName() const { return name; }
    const char* getMessage() const { return message; }

    // Rewritten in place by the user-interface thread while voices read them at note start.
    CRelaxed<double> cents[kNumNotes];
    CRelaxed<double> baseFrequency;
    char name[kNameSize];
    char message[kMessageSize];

private:
    void setNameFromPath(const char* path);
};
