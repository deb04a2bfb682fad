#include "engine/delay_line.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

// Weights from the newest tap to the oldest.
void expectWeights(const CDelayLine& line, float h0, float h1, float h2, float h3) {
    EXPECT_FLOAT_EQ(line.getCoefficient(0), h0);
    EXPECT_FLOAT_EQ(line.getCoefficient(1), h1);
    EXPECT_FLOAT_EQ(line.getCoefficient(2), h2);
    EXPECT_FLOAT_EQ(line.getCoefficient(3), h3);
}

// Feeds x[n] = f(n) and returns every output.
template <typename F> std::vector<float> run(CDelayLine& line, int count, F f) {
    std::vector<float> out;
    for (int n = 0; n < count; ++n) {
        out.push_back(line.tick(f(n)));
    }
    return out;
}

TEST(DelayLine, WholeDelayIsAnExactSampleShift) {
    CDelayLine line(64);
    line.clear();
    line.setDelay(10.0f);
    EXPECT_EQ(line.getIntegerDelay(), 11);
    EXPECT_EQ(line.getFraction(), 0.0f);
    expectWeights(line, 0.0f, 0.0f, 1.0f, 0.0f);
    const auto out = run(line, 40, [](int n) { return 0.37f * static_cast<float>(n + 1); });
    for (int n = 0; n < 40; ++n) {
        const float expected = n >= 10 ? 0.37f * static_cast<float>(n - 9) : 0.0f;
        EXPECT_EQ(out[n], expected) << n;
    }
    EXPECT_EQ(line.lastOutput(), out.back());
}

TEST(DelayLine, FractionalDelayInterpolatesBetweenNeighbours) {
    CDelayLine line(64);
    line.clear();
    line.setDelay(10.25f);
    EXPECT_EQ(line.getIntegerDelay(), 12);
    EXPECT_EQ(line.getFraction(), 0.75f);
    // Third-order interpolation reproduces a quadratic exactly (up to rounding).
    auto signal = [](int n) {
        return 0.01f * static_cast<float>(n) * 0.01f * static_cast<float>(n);
    };
    const auto out = run(line, 60, signal);
    for (int n = 20; n < 60; ++n) {
        const double t = 0.01 * (n - 10.25);
        EXPECT_NEAR(out[n], t * t, 1e-5) << n;
    }
}

TEST(DelayLine, LongDelayIsCappedKeepingTheRequestedWeights) {
    CDelayLine line(16);
    line.clear();
    line.setDelay(20.5f);
    EXPECT_EQ(line.getIntegerDelay(), 15);
    EXPECT_EQ(line.getFraction(), 0.0f);
    // Weights of D = 1.5.
    expectWeights(line, -0.0625f, 0.5625f, 0.5625f, -0.0625f);
}

TEST(DelayLine, ShortDelaysReachIntoTheOldestContentsOfTheRing) {
    CDelayLine line(8);
    line.clear();
    line.setDelay(0.0f);
    auto ramp = [](int n) { return static_cast<float>(n + 1); };
    // A delay of 0 returns the sample just written.
    const auto now = run(line, 16, ramp);
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(now[n], ramp(n)) << n;
    }
    // Half a sample: the newest tap lies ahead of the write, on the sample written size - 1
    // ticks ago.
    line.setDelay(0.5f);
    for (int n = 16; n < 32; ++n) {
        const float expected = -0.0625f * ramp(n - 2) + 0.5625f * ramp(n - 1) + 0.5625f * ramp(n) -
                               0.0625f * ramp(n - 7);
        EXPECT_FLOAT_EQ(line.tick(ramp(n)), expected) << n;
    }
}

TEST(DelayLine, ClearSilencesButKeepsTheDelay) {
    CDelayLine line(32);
    line.clear();
    line.setDelay(5.0f);
    run(line, 50, [](int) { return 1.0f; });
    line.clear();
    EXPECT_EQ(line.lastOutput(), 0.0f);
    const auto out = run(line, 8, [](int n) { return n == 0 ? 1.0f : 0.0f; });
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(out[n], n == 5 ? 1.0f : 0.0f) << n;
    }
}

TEST(DelayLine, HostileDelaysStayInsideTheRing) {
    const float cases[] = {-5.0f,
                           -1e30f,
                           1e30f,
                           std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity()};
    for (float delay : cases) {
        CDelayLine line(16);
        line.clear();
        line.setDelay(delay);
        EXPECT_GE(line.getIntegerDelay(), 1) << delay;
        EXPECT_LE(line.getIntegerDelay(), 15) << delay;
        for (int n = 0; n < 40; ++n) {
            EXPECT_TRUE(std::isfinite(line.tick(1.0f))) << delay;
        }
    }
}

} // namespace
