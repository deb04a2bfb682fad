#include "tools/talvir-host/render_analysis.h"

#include <algorithm>
#include <cmath>

CLevelMeter::CLevelMeter(int channels)
    : channels_(channels), peaks_(static_cast<size_t>(channels), 0.0),
      sums_(static_cast<size_t>(channels), 0.0) {}

void CLevelMeter::add(const float* interleaved, int64_t frames) {
    for (int64_t f = 0; f < frames; ++f) {
        bool finite = true;
        for (int c = 0; c < channels_; ++c) {
            double v = interleaved[f * channels_ + c];
            if (!std::isfinite(v)) {
                finite = false;
                continue;
            }
            peaks_[static_cast<size_t>(c)] = std::max(peaks_[static_cast<size_t>(c)], std::fabs(v));
            sums_[static_cast<size_t>(c)] += v * v;
        }
        nonFinite_ += finite ? 0 : 1;
    }
    frames_ += frames;
}

double CLevelMeter::rms(int channel) const {
    return frames_ > 0 ? std::sqrt(sums_[static_cast<size_t>(channel)] / frames_) : 0.0;
}

double toDecibels(double amplitude) {
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -INFINITY;
}

double estimateFundamental(const float* x, size_t n, double sampleRate, double minHz,
                           double maxHz) {
    const size_t minLag = std::max<size_t>(2, static_cast<size_t>(sampleRate / maxHz));
    const size_t maxLag = std::min(n / 2, static_cast<size_t>(sampleRate / minHz));
    if (maxLag <= minLag + 2) {
        return 0.0;
    }
    const size_t window = n - maxLag;
    double e0 = 0.0;
    for (size_t i = 0; i < window; ++i) {
        e0 += double(x[i]) * x[i];
    }
    if (e0 <= 1e-12) {
        return 0.0;
    }
    std::vector<double> r(maxLag - minLag + 1, 0.0);
    double best = 0.0;
    for (size_t lag = minLag; lag <= maxLag; ++lag) {
        double s = 0.0;
        double el = 0.0;
        for (size_t i = 0; i < window; ++i) {
            double a = x[i + lag];
            s += x[i] * a;
            el += a * a;
        }
        double v = el > 0.0 ? s / std::sqrt(e0 * el) : 0.0;
        r[lag - minLag] = v;
        best = std::max(best, v);
    }
    if (best < 0.3) {
        return 0.0;
    }
    for (size_t i = 1; i + 1 < r.size(); ++i) {
        if (r[i] >= 0.9 * best && r[i] >= r[i - 1] && r[i] >= r[i + 1]) {
            double a = r[i - 1], b = r[i], c = r[i + 1];
            double d = a - 2.0 * b + c;
            double offset = d != 0.0 ? 0.5 * (a - c) / d : 0.0;
            return sampleRate / (static_cast<double>(minLag + i) + offset);
        }
    }
    return 0.0;
}

double centsBetween(double frequency, double reference) {
    return 1200.0 * std::log2(frequency / reference);
}
