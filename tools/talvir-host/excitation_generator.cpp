#include "tools/talvir-host/excitation_generator.h"
#include "tools/talvir-host/render_numbers.h"

#include <algorithm>
#include <cmath>

bool CExcitationGenerator::configure(const std::string& text, std::string& error) {
    std::string kind = text.substr(0, text.find(':'));
    if (kind == "sine") {
        kind_ = EKind::kSine;
        if (kind.size() < text.size()) {
            std::string hz = text.substr(kind.size() + 1);
            double v;
            if (!parseNumber(hz, v) || !(v > 0.0) || v > 1e6) {
                error = "bad sine frequency \"" + hz + "\" (expected sine:HZ, above 0)";
                return false;
            }
            sineHz_ = v;
        }
        return true;
    }
    if (kind.size() == text.size()) {
        if (kind == "burst" || kind == "noise") {
            kind_ = EKind::kBurst;
            return true;
        }
        if (kind == "impulse") {
            kind_ = EKind::kImpulse;
            return true;
        }
        if (kind == "silence") {
            kind_ = EKind::kSilence;
            return true;
        }
    }
    error = "unknown excitation \"" + text + "\" (burst, impulse, sine[:HZ] or silence)";
    return false;
}

void CExcitationGenerator::prepare(double sampleRate, std::vector<int64_t> noteOnFrames) {
    sampleRate_ = sampleRate;
    burstFrames_ = std::max<int64_t>(1, std::llround(kBurstSeconds * sampleRate));
    onsets_ = std::move(noteOnFrames);
    std::sort(onsets_.begin(), onsets_.end());
    nextOnset_ = 0;
    noiseState_ = 0x1234567u;
}

float CExcitationGenerator::noise() {
    // xorshift32: deterministic, independent of the engine's own generator
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return static_cast<float>(noiseState_ >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

void CExcitationGenerator::fill(int64_t start, int frames, float* out) {
    std::fill(out, out + frames, 0.0f);
    const int64_t end = start + frames;
    if (kind_ == EKind::kSine) {
        for (int i = 0; i < frames; ++i) {
            // whole cycles are dropped so that long renders keep their phase precision
            double cycles = std::fmod(static_cast<double>(start + i) * sineHz_ / sampleRate_, 1.0);
            out[i] = gain_ * static_cast<float>(std::sin(2.0 * M_PI * cycles));
        }
        return;
    }
    if (kind_ == EKind::kSilence) {
        return;
    }
    const int64_t span = kind_ == EKind::kImpulse ? 1 : burstFrames_;
    while (nextOnset_ < onsets_.size() && onsets_[nextOnset_] + span <= start) {
        ++nextOnset_;
    }
    for (size_t k = nextOnset_; k < onsets_.size() && onsets_[k] < end; ++k) {
        int64_t from = std::max(onsets_[k], start);
        int64_t to = std::min(onsets_[k] + span, end);
        for (int64_t f = from; f < to; ++f) {
            float v = kind_ == EKind::kImpulse ? gain_ : gain_ * noise();
            out[f - start] += v;
        }
    }
}
