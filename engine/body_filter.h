#pragma once
#include "engine/relaxed.h"
#include <cstdint>

// Frequency-warped all-pole filter of order 1..capacity whose coefficients morph from set A
// (morph 0) to set B (morph 1), scaled by a gain. Double precision throughout.
class CBodyFilter {
public:
    explicit CBodyFilter(int capacity);
    virtual ~CBodyFilter();
    CBodyFilter(const CBodyFilter&) = delete;
    CBodyFilter& operator=(const CBodyFilter&) = delete;

    // Clamped to 1..capacity; takes effect at the next recomputation.
    void setOrder(int n);
    void setGain(double g) { gain = g; }
    // Samples between coefficient recomputations, at least 1; may come from another thread.
    void setUpdateInterval(int n) { updateInterval = n < 1 ? 1 : n; }
    // Copies up to capacity values into set A (target non-zero) or set B (target 0).
    void loadCoefficients(const double* values, int count, int target);
    void computeCoefficients(double lambda, double g, double morph);
    double tick(double x, double lambda, double morph);
    // Ticks two filters of the same order for one sample each with their recursions interleaved,
    // so that the processor overlaps the two dependency chains. Each result is bit for bit that
    // of the filter's own tick; filters of different orders are simply ticked one after the other.
    static void tickPair(CBodyFilter& first, double x1, double lambda1, double morph1, double& y1,
                         CBodyFilter& second, double x2, double lambda2, double morph2, double& y2);
    // Zeroes both state arrays and the output.
    void clear();

    int getOrder() const { return order; }
    int getCapacity() const { return capacity; }
    int getUpdateInterval() const { return updateInterval; }
    double getGain() const { return gain; }
    double getCoefficient(int index) const { return coef[index]; }
    double getSigma() const { return sigma; }
    double getMu() const { return mu; }
    double lastOutput() const { return output; }

private:
    bool recomputeDue() const {
        return sampleCount % static_cast<uint32_t>(updateInterval.load()) == 0;
    }
    // The morphed coefficients and mu; sigma is left to the caller's normalisation pass.
    void morphCoefficients(double lambda, double g, double morph);
    void pickArrays(const double*& read, double*& write) const;
    void endSample(double y);

    int phase = 0;
    CRelaxed<int> updateInterval;
    int capacity;
    int order = 1;
    double* setA;
    double* setB;
    double* stateX;
    double* stateY;
    double* coef;
    double gain = 1.0;
    double output = 0.0;
    // Unsigned so that it wraps cleanly after 2^32 samples.
    uint32_t sampleCount = 0;
    double mu = 1.0;
    double sigma = 1.0;
};

// Fills count values with a pseudo-random body (between -0.9498 and 0.95) from the seed; the
// same seed always gives the same body. Reseeds the engine's generator.
void fillRandomBody(double* values, int seed, int count);
