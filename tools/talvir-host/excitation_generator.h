#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A built-in input signal for renders without an audio file: a short noise burst or a single
// impulse at every note-on, a steady sine, or silence. Both input channels get the same signal.
class CExcitationGenerator {
public:
    enum class EKind { kBurst, kImpulse, kSine, kSilence };

    static constexpr double kBurstSeconds = 0.01;

    // Parses "burst", "impulse", "sine", "sine:HZ" or "silence"; false for anything else.
    bool configure(const std::string& text, std::string& error);
    void setGain(float gain) { gain_ = gain; }
    void prepare(double sampleRate, std::vector<int64_t> noteOnFrames);

    // Writes frames [start, start + frames) of the signal; blocks must follow each other.
    void fill(int64_t start, int frames, float* out);

    EKind kind() const { return kind_; }
    double sineFrequency() const { return sineHz_; }

private:
    float noise();

    EKind kind_ = EKind::kBurst;
    double sineHz_ = 220.0;
    double sampleRate_ = 44100.0;
    float gain_ = 0.5f;
    int64_t burstFrames_ = 441;
    std::vector<int64_t> onsets_;
    size_t nextOnset_ = 0;
    uint32_t noiseState_ = 0x1234567u;
};
