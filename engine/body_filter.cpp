#include "engine/body_filter.h"
#include "engine/random.h"

namespace {
double* zeroedArray(int n) {
    return new double[n]();
}
} // namespace

CBodyFilter::CBodyFilter(int capacity)
    : updateInterval(1), capacity(capacity < 1 ? 1 : capacity), setA(zeroedArray(this->capacity)),
      setB(zeroedArray(this->capacity)), stateX(zeroedArray(this->capacity)),
      stateY(zeroedArray(this->capacity)), coef(zeroedArray(this->capacity)) {}

CBodyFilter::~CBodyFilter() {
    delete[] setA;
    delete[] setB;
    delete[] stateX;
    delete[] stateY;
    delete[] coef;
}

void CBodyFilter::setOrder(int n) {
    if (n < 1) {
        n = 1;
    } else if (n > capacity) {
        n = capacity;
    }
    order = n;
}

void CBodyFilter::loadCoefficients(const double* values, int count, int target) {
    if (values == nullptr) {
        return;
    }
    if (count > capacity) {
        count = capacity;
    }
    double* set = target != 0 ? setA : setB;
    for (int i = 0; i < count; ++i) {
        set[i] = values[i];
    }
}

void CBodyFilter::computeCoefficients(double lambda, double g, double morph) {
    gain = g;
    mu = 1.0 - lambda * lambda;
    for (int i = 0; i < order; ++i) {
        coef[i] = (setA[i] + (setB[i] - setA[i]) * morph) * g;
    }
    double p = 1.0;
    double q = -lambda;
    double s = 0.0;
    for (int i = 0; i < order; ++i) {
        const double c = coef[i];
        const double t = q - p * c;
        s = s + q * c;
        p = p - q * c;
        q = -lambda * t;
    }
    sigma = 1.0 / (1.0 - s);
}

double CBodyFilter::tick(double x, double lambda, double morph) {
    // The two state arrays take turns: one holds the previous sample, the other receives this one.
    const double* r = phase != 0 ? stateX : stateY;
    double* w = phase != 0 ? stateY : stateX;
    if (sampleCount % static_cast<uint32_t>(updateInterval.load()) == 0) {
        computeCoefficients(lambda, gain, morph);
    }
    const double* c = coef;
    const int n = order;

    double u = r[0] * mu;
    double acc = c[0] * u;
    double z = 0.0;
    double nn = -acc;
    double cp = c[0];
    for (int k = 1; k < n; ++k) {
        u = lambda * (cp * z - u) + mu * r[k];
        acc = acc + c[k] * u;
        z = nn;
        nn = nn - c[k] * u;
        cp = c[k];
    }

    const double y = sigma * (x + acc);

    double a = y + lambda * r[0];
    double yy = y;
    double f = r[0];
    double g = c[0];
    for (int k = 1; k < n; ++k) {
        const double dd = f - lambda * a;
        w[k] = dd + lambda * r[k] - g * yy;
        yy = yy - g * dd;
        a = w[k];
        g = c[k];
        f = r[k];
    }

    phase = phase == 0 ? 1 : 0;
    output = y;
    sampleCount += 1;
    return y;
}

void CBodyFilter::clear() {
    for (int i = 0; i < capacity; ++i) {
        stateX[i] = 0.0;
        stateY[i] = 0.0;
    }
    output = 0.0;
}

void fillRandomBody(double* values, int seed, int count) {
    if (values == nullptr) {
        return;
    }
    talvir::srand(static_cast<uint32_t>(seed));
    const double scale = static_cast<double>(0.95f);
    for (int i = 0; i < count; ++i) {
        const int r1 = talvir::rand();
        const int r2 = talvir::rand();
        values[i] = ((r2 % 10000) * 0.0002 - 1.0) * ((r1 % 10000) * 0.0002 - 1.0) * scale;
    }
}
