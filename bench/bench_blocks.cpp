// Per-sample cost of the engine blocks a voice runs every sample.
#include "engine/body_filter.h"
#include "engine/body_types.h"
#include "engine/delay_line.h"
#include "engine/envelope.h"
#include <benchmark/benchmark.h>

namespace {

void delayLineTickAndSetDelay(benchmark::State& state) {
    CDelayLine line(8192);
    line.clear();
    float delay = 100.25f;
    float x = 0.5f;
    for (auto _ : state) {
        line.setDelay(delay);
        x = line.tick(x * -0.999f + 1e-3f);
        delay = delay < 5000.0f ? delay + 0.37f : 100.25f;
        benchmark::DoNotOptimize(x);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(delayLineTickAndSetDelay);

// Arguments: order, update interval.
void bodyFilterTick(benchmark::State& state) {
    CBodyFilter filter(kBodyCoefficientCount);
    filter.setOrder(static_cast<int>(state.range(0)));
    filter.setUpdateInterval(static_cast<int>(state.range(1)));
    filter.setGain(0.9);
    filter.loadCoefficients(kBodyShapeTables[1], kBodyCoefficientCount, 1);
    filter.loadCoefficients(kBodyShapeTables[5], kBodyCoefficientCount, 0);
    double morph = 0.0;
    double x = 1.0;
    for (auto _ : state) {
        const double y = filter.tick(x, 0.4, morph);
        benchmark::DoNotOptimize(y);
        x = -x * 0.5;
        morph = morph < 1.0 ? morph + 1e-5 : 0.0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(bodyFilterTick)->ArgNames({"order", "interval"})->ArgsProduct({{1, 10, 30}, {8, 1}});

void envelopeTick(benchmark::State& state) {
    CEnvelope env(44100);
    env.setTimes({0.01f, 0.02f, 0.5f, 0.01f});
    env.trigger();
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(env.tick());
        if (++n == 4000) {
            n = 0;
            if (env.stage() == kEnvSustain) {
                env.release();
            } else {
                env.trigger();
            }
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(envelopeTick);

} // namespace

namespace {

// Two voices' body filters for one sample, one after the other or interleaved in pairs.
void bodyFilterTwoVoices(benchmark::State& state) {
    CBodyFilter a(kBodyCoefficientCount), b(kBodyCoefficientCount);
    for (CBodyFilter* f : {&a, &b}) {
        f->setOrder(static_cast<int>(state.range(0)));
        f->setUpdateInterval(1);
        f->setGain(0.9);
        f->loadCoefficients(kBodyShapeTables[1], kBodyCoefficientCount, 1);
        f->loadCoefficients(kBodyShapeTables[5], kBodyCoefficientCount, 0);
    }
    const bool paired = state.range(1) != 0;
    double x = 1e-3;
    double morph = 0.0;
    for (auto _ : state) {
        double ya, yb;
        if (paired) {
            CBodyFilter::tickPair(a, x, 0.4, morph, ya, b, -x, 0.5, morph, yb);
        } else {
            ya = a.tick(x, 0.4, morph);
            yb = b.tick(-x, 0.5, morph);
        }
        benchmark::DoNotOptimize(ya);
        benchmark::DoNotOptimize(yb);
        x = -x; // a steady square wave keeps the states away from denormal numbers
        morph = morph < 1.0 ? morph + 1e-5 : 0.0;
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(bodyFilterTwoVoices)->ArgNames({"order", "paired"})->ArgsProduct({{10, 30}, {0, 1}});

} // namespace
