#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Running level statistics of a multi-channel signal.
class CLevelMeter {
public:
    explicit CLevelMeter(int channels);
    void add(const float* interleaved, int64_t frames);

    double peak(int channel) const { return peaks_[static_cast<size_t>(channel)]; }
    double rms(int channel) const;
    int64_t frames() const { return frames_; }
    // Frames holding a value that is not a finite number, in any channel.
    int64_t nonFinite() const { return nonFinite_; }

private:
    int channels_;
    int64_t frames_ = 0;
    int64_t nonFinite_ = 0;
    std::vector<double> peaks_;
    std::vector<double> sums_;
};

// Decibels relative to full scale of an amplitude; -infinity for 0.
double toDecibels(double amplitude);

// Fundamental frequency of a periodic signal by normalised autocorrelation, searched between
// minHz and maxHz: the first lag whose correlation reaches 90 % of the best one, refined by a
// parabola through its neighbours. Answers 0 when the signal is silent or not periodic.
double estimateFundamental(const float* x, size_t n, double sampleRate, double minHz = 40.0,
                           double maxHz = 4000.0);

// Cents from reference to frequency.
double centsBetween(double frequency, double reference);
