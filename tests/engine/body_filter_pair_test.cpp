#include <gtest/gtest.h>

#include <cmath>

#include "engine/body_filter.h"
#include "engine/body_types.h"

namespace {

void loadBodies(CBodyFilter& f, int order, int interval, int setA, int setB, double gain) {
    f.setOrder(order);
    f.setUpdateInterval(interval);
    f.setGain(gain);
    f.loadCoefficients(kBodyShapeTables[setA], kBodyCoefficientCount, 1);
    f.loadCoefficients(kBodyShapeTables[setB], kBodyCoefficientCount, 0);
}

// Two filters ticked as a pair give bit for bit what each gives alone, whatever their orders,
// update intervals and phases of recomputation.
TEST(BodyFilterPair, PairedTicksEqualSingleTicks) {
    struct {
        int order1, order2, interval1, interval2, warmup2;
    } const cases[] = {
        {30, 30, 1, 1, 0}, {30, 30, 8, 8, 3}, {10, 10, 8, 1, 0},
        {1, 1, 1, 1, 0},   {5, 12, 1, 8, 0},  {30, 30, 8, 8, 0},
    };
    for (const auto& c : cases) {
        CBodyFilter single1(kBodyCoefficientCount), single2(kBodyCoefficientCount);
        CBodyFilter paired1(kBodyCoefficientCount), paired2(kBodyCoefficientCount);
        loadBodies(single1, c.order1, c.interval1, 1, 5, 0.95);
        loadBodies(paired1, c.order1, c.interval1, 1, 5, 0.95);
        loadBodies(single2, c.order2, c.interval2, 7, 3, 1.0);
        loadBodies(paired2, c.order2, c.interval2, 7, 3, 1.0);
        for (int k = 0; k < c.warmup2; ++k) {
            single2.tick(0.1, 0.3, 0.0);
            paired2.tick(0.1, 0.3, 0.0);
        }
        for (int k = 0; k < 500; ++k) {
            const double x1 = std::sin(k * 0.37), x2 = std::cos(k * 0.11) * 0.3;
            const double l1 = 0.2 + 0.5 * std::fabs(std::sin(k * 0.01)), l2 = 0.8 - k * 1e-4;
            const double m1 = k / 500.0, m2 = 1.0 - k / 700.0;
            const double s1 = single1.tick(x1, l1, m1);
            const double s2 = single2.tick(x2, l2, m2);
            double p1, p2;
            CBodyFilter::tickPair(paired1, x1, l1, m1, p1, paired2, x2, l2, m2, p2);
            ASSERT_EQ(s1, p1) << "orders " << c.order1 << "/" << c.order2 << " sample " << k;
            ASSERT_EQ(s2, p2) << "orders " << c.order1 << "/" << c.order2 << " sample " << k;
        }
    }
}

} // namespace
