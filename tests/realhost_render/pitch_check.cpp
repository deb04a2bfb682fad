// pitch_check FILE.wav FRAMES START:END:HZ...
// Checks that a rendered file holds the expected number of frames and that, in each window
// (seconds), the sum of its channels rings at HZ within kToleranceCents. Exit 0 when all hold.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/talvir-host/render_analysis.h"
#include "tools/talvir-host/wav_file.h"

namespace {

constexpr double kToleranceCents = 10.0;
constexpr size_t kMaxWindowFrames = 8192;

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pitch_check FILE.wav FRAMES START:END:HZ...\n");
        return 2;
    }
    CAudioBuffer audio;
    std::string error;
    if (!readAudioFile(argv[1], audio, error)) {
        std::printf("pitch_check: %s\n", error.c_str());
        return 1;
    }
    std::vector<float> mono(static_cast<size_t>(audio.frames()), 0.0f);
    for (int64_t f = 0; f < audio.frames(); ++f) {
        for (int c = 0; c < audio.channels; ++c) {
            mono[static_cast<size_t>(f)] += audio.at(f, c);
        }
    }
    CLevelMeter meter(audio.channels);
    meter.add(audio.samples.data(), audio.frames());
    std::printf("pitch_check: %d Hz, %d channels, %lld frames, peak %.4f\n", audio.sampleRate,
                audio.channels, static_cast<long long>(audio.frames()), meter.peak(0));
    bool ok = true;
    const long long expectedFrames = std::atoll(argv[2]);
    if (audio.frames() != expectedFrames) {
        std::printf("pitch_check: FAILED: %lld frames, expected %lld\n",
                    static_cast<long long>(audio.frames()), expectedFrames);
        ok = false;
    }
    for (int i = 3; i < argc; ++i) {
        double start = 0.0, end = 0.0, hz = 0.0;
        if (std::sscanf(argv[i], "%lf:%lf:%lf", &start, &end, &hz) != 3 || hz <= 0.0 ||
            end <= start) {
            std::printf("pitch_check: bad window %s\n", argv[i]);
            return 2;
        }
        const size_t from = static_cast<size_t>(start * audio.sampleRate);
        const size_t to = std::min(mono.size(), static_cast<size_t>(end * audio.sampleRate));
        const size_t n = to > from ? std::min(kMaxWindowFrames, to - from) : 0;
        const double f0 =
            n > 0 ? estimateFundamental(mono.data() + from, n, audio.sampleRate) : 0.0;
        const double cents = f0 > 0.0 ? centsBetween(f0, hz) : 0.0;
        const bool good = f0 > 0.0 && cents > -kToleranceCents && cents < kToleranceCents;
        std::printf("pitch_check: %.3f-%.3f s: %.2f Hz, expected %.2f Hz (%+.1f cents) %s\n", start,
                    end, f0, hz, cents, good ? "ok" : "FAILED");
        ok = ok && good;
    }
    return ok ? 0 : 1;
}
