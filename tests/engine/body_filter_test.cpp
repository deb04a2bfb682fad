#include "engine/body_filter.h"
#include "engine/body_types.h"
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct FilterSetup {
    std::vector<double> a, b;
    int order;
    double gain, lambda, morph;
};

std::vector<double> impulseResponse(const FilterSetup& s, int length) {
    CBodyFilter filter(30);
    filter.setUpdateInterval(1);
    filter.setOrder(s.order);
    filter.loadCoefficients(s.a.data(), static_cast<int>(s.a.size()), 1);
    filter.loadCoefficients(s.b.data(), static_cast<int>(s.b.size()), 0);
    filter.computeCoefficients(s.lambda, s.gain, s.morph);
    std::vector<double> out;
    for (int n = 0; n < length; ++n) {
        out.push_back(filter.tick(n == 0 ? 1.0 : 0.0, s.lambda, s.morph));
    }
    return out;
}

TEST(BodyFilter, OrderOneIsAMemorylessGain) {
    struct Case {
        double lambda, gain, c0;
    } cases[] = {{0.5, 1.0, 0.8}, {0.999, 0.7, -0.9}, {0.0001, 2.0, 0.3}};
    for (const Case& c : cases) {
        CBodyFilter filter(30);
        filter.setOrder(1);
        filter.setUpdateInterval(8);
        filter.loadCoefficients(&c.c0, 1, 1);
        filter.loadCoefficients(&c.c0, 1, 0);
        filter.setGain(c.gain);
        const double inputs[] = {1.0, -0.25, 0.0, 3.0, 0.5};
        for (double x : inputs) {
            EXPECT_NEAR(filter.tick(x, c.lambda, 0.3), x / (1.0 + c.lambda * c.gain * c.c0), 1e-14)
                << c.lambda << " " << x;
        }
    }
}

TEST(BodyFilter, ImpulseResponse) {
    const FilterSetup setup{{-0.92869065, 0.72975096, -0.26220988, 0.30242291},
                            {-0.08558711, 0.66507955, -0.25634097, 0.22073622},
                            4,
                            0.9,
                            0.3,
                            0.5};
    const double expected[] = {1.0406716909727922,     0.37805702183367068,   0.06908481860499302,
                               -0.044623889277526987,  -0.048858198758039172, -0.022419162958436118,
                               -0.0022406919460309606, 0.0051366082600631325};
    const auto out = impulseResponse(setup, 8);
    for (int n = 0; n < 8; ++n) {
        EXPECT_NEAR(out[n], expected[n], 1e-15) << n;
    }
}

TEST(BodyFilter, UnwarpedImpulseStartsAtOne) {
    const FilterSetup setup{{0.5, 0.3, -0.2}, {0.5, 0.3, -0.2}, 3, 1.0, 0.0, 0.0};
    EXPECT_EQ(impulseResponse(setup, 1)[0], 1.0);
}

TEST(BodyFilter, MorphIsInertWhenBothSetsAgree) {
    std::vector<double> set(kBodyShapeTables[1], kBodyShapeTables[1] + 30);
    const auto start = impulseResponse({set, set, 30, 0.8, 0.4, 0.0}, 64);
    const auto middle = impulseResponse({set, set, 30, 0.8, 0.4, 0.7}, 64);
    EXPECT_EQ(start, middle);
}

TEST(BodyFilter, ClearRestoresSilence) {
    CBodyFilter filter(30);
    filter.setUpdateInterval(8);
    filter.setOrder(30);
    filter.loadCoefficients(kBodyShapeTables[2], 30, 1);
    filter.loadCoefficients(kBodyShapeTables[5], 30, 0);
    for (int n = 0; n < 100; ++n) {
        filter.tick(n % 7 == 0 ? 1.0 : -0.2, 0.6, 0.5);
    }
    filter.clear();
    EXPECT_EQ(filter.lastOutput(), 0.0);
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(filter.tick(0.0, 0.6, 0.5), 0.0);
    }
}

TEST(BodyFilter, CoefficientsFollowOnlyAtTheUpdateInterval) {
    const double a[] = {0.5, 0.2};
    const double b[] = {-0.5, 0.1};
    CBodyFilter filter(30);
    filter.setOrder(2);
    filter.setUpdateInterval(4);
    filter.loadCoefficients(a, 2, 1);
    filter.loadCoefficients(b, 2, 0);
    for (int n = 0; n < 4; ++n) {
        filter.tick(0.0, 0.3, n * 0.25);
        EXPECT_EQ(filter.getCoefficient(0), 0.5) << n;
    }
    filter.tick(0.0, 0.3, 1.0);
    EXPECT_EQ(filter.getCoefficient(0), -0.5);
}

TEST(BodyFilter, HostileSettingsStayInBounds) {
    CBodyFilter filter(30);
    filter.setOrder(0);
    EXPECT_EQ(filter.getOrder(), 1);
    filter.setOrder(31);
    EXPECT_EQ(filter.getOrder(), 30);
    filter.setUpdateInterval(0);
    EXPECT_EQ(filter.getUpdateInterval(), 1);
    filter.setUpdateInterval(-8);
    EXPECT_EQ(filter.getUpdateInterval(), 1);
    std::vector<double> many(100, 0.01);
    filter.loadCoefficients(many.data(), 100, 1);
    filter.loadCoefficients(nullptr, 30, 0);
    EXPECT_TRUE(std::isfinite(filter.tick(1.0, 0.5, 0.5)));
    CBodyFilter empty(0);
    EXPECT_EQ(empty.getCapacity(), 1);
    EXPECT_TRUE(std::isfinite(empty.tick(1.0, 0.5, 0.5)));
}

TEST(RandomBody, FollowsTheGeneratorFromTheSeed) {
    double values[30];
    fillRandomBody(values, 60, 30);
    uint32_t state = 60;
    auto next = [&state] {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    };
    for (int i = 0; i < 30; ++i) {
        const int r1 = next();
        const int r2 = next();
        const double expected =
            (-1.0 + (r2 % 10000) / 5000.0) * (-1.0 + (r1 % 10000) / 5000.0) * 0.949999988079071;
        EXPECT_NEAR(values[i], expected, 1e-12) << i;
        EXPECT_GE(values[i], -0.9498);
        EXPECT_LE(values[i], 0.95);
    }
    double again[30];
    fillRandomBody(again, 60, 30);
    EXPECT_TRUE(std::equal(values, values + 30, again));
}

TEST(BodyTypes, BuiltInTablesFirstAndLastEntries) {
    struct Case {
        int set;
        double first, last;
    } cases[] = {{1, -0.92869065, -0.11223876}, {2, -0.98778600, 0.0},
                 {3, -0.85700982, 0.08257458},  {4, 0.37008450, 0.07875745},
                 {5, -0.08558711, 0.01439837},  {6, 0.28191731, 0.10456377},
                 {7, 0.34249255, -0.07146481},  {8, -0.94240000, 0.03090000}};
    for (const Case& c : cases) {
        EXPECT_EQ(kBodyShapeTables[c.set][0], c.first) << c.set;
        EXPECT_EQ(kBodyShapeTables[c.set][kBodyCoefficientCount - 1], c.last) << c.set;
    }
    EXPECT_EQ(kBodyShapeTables[4][15], -0.20980152);
    for (int k = 0; k < kBodyCoefficientCount - 1; ++k) {
        EXPECT_EQ(kBodyShapeTables[0][k], k % 2 == 0 ? 1e-13 : -1e-13) << k;
    }
    EXPECT_EQ(kBodyShapeTables[0][29], static_cast<double>(-1e-13f));
    EXPECT_NE(kBodyShapeTables[0][29], -1e-13);
}

TEST(BodyTypes, ParameterValueToCode) {
    for (int code = 0; code <= 12; ++code) {
        const float stored = (static_cast<float>(code) + 0.5f) / 12.0f;
        EXPECT_EQ(bodyTypeCode(stored), code < 11 ? code : 11) << code;
    }
    EXPECT_EQ(bodyTypeCode(1.0f), kBodyNoteRandom);
    EXPECT_STREQ(kBodyTypeNames[bodyTypeCode(1.0f)], "n-Random");
    EXPECT_EQ(bodyTypeCode(-0.5f), kBodyNone);
    EXPECT_EQ(bodyTypeCode(std::nanf("")), kBodyNone);
    EXPECT_STREQ(kBodyTypeNames[13], "User B");
}

} // namespace
