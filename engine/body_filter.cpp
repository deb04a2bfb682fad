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

void CBodyFilter::morphCoefficients(double lambda, double g, double morph) {
    gain = g;
    mu = 1.0 - lambda * lambda;
    for (int i = 0; i < order; ++i) {
        coef[i] = (setA[i] + (setB[i] - setA[i]) * morph) * g;
    }
}

void CBodyFilter::computeCoefficients(double lambda, double g, double morph) {
    morphCoefficients(lambda, g, morph);
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

void CBodyFilter::pickArrays(const double*& read, double*& write) const {
    // The two state arrays take turns: one holds the previous sample, the other receives this one.
    read = phase != 0 ? stateX : stateY;
    write = phase != 0 ? stateY : stateX;
}

void CBodyFilter::endSample(double y) {
    phase = phase == 0 ? 1 : 0;
    output = y;
    sampleCount += 1;
}

double CBodyFilter::tick(double x, double lambda, double morph) {
    const double* r;
    double* w;
    pickArrays(r, w);
    if (recomputeDue()) {
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

    endSample(y);
    return y;
}

namespace {
// Two doubles side by side: one lane per filter. Every lane operation is the plain IEEE double
// operation, so each lane computes exactly what the scalar code computes.
typedef double Pair __attribute__((vector_size(16)));

Pair pairOf(double a, double b) {
    Pair p = {a, b};
    return p;
}
} // namespace

void CBodyFilter::tickPair(CBodyFilter& first, double x1, double lambda1, double morph1, double& y1,
                           CBodyFilter& second, double x2, double lambda2, double morph2,
                           double& y2) {
    if (first.order != second.order || &first == &second) {
        y1 = first.tick(x1, lambda1, morph1);
        y2 = second.tick(x2, lambda2, morph2);
        return;
    }
    const double *r1, *r2;
    double *w1, *w2;
    first.pickArrays(r1, w1);
    second.pickArrays(r2, w2);
    const int n = first.order;
    const Pair lambda = pairOf(lambda1, lambda2);
    const bool due1 = first.recomputeDue();
    const bool due2 = second.recomputeDue();
    if (due1 && due2) {
        // The normalisation recursion of computeCoefficients, for both filters at once.
        first.morphCoefficients(lambda1, first.gain, morph1);
        second.morphCoefficients(lambda2, second.gain, morph2);
        Pair p = pairOf(1.0, 1.0);
        Pair q = -lambda;
        Pair s = pairOf(0.0, 0.0);
        const Pair negLambda = -lambda;
        for (int i = 0; i < n; ++i) {
            const Pair c = pairOf(first.coef[i], second.coef[i]);
            const Pair t = q - p * c;
            s = s + q * c;
            p = p - q * c;
            q = negLambda * t;
        }
        const Pair sigma = pairOf(1.0, 1.0) / (pairOf(1.0, 1.0) - s);
        first.sigma = sigma[0];
        second.sigma = sigma[1];
    } else if (due1) {
        first.computeCoefficients(lambda1, first.gain, morph1);
    } else if (due2) {
        second.computeCoefficients(lambda2, second.gain, morph2);
    }
    const double* c1 = first.coef;
    const double* c2 = second.coef;
    const Pair mu = pairOf(first.mu, second.mu);

    // The forward pass of tick, for both filters at once.
    const Pair r0 = pairOf(r1[0], r2[0]);
    Pair u = r0 * mu;
    Pair cp = pairOf(c1[0], c2[0]);
    Pair acc = cp * u;
    Pair z = pairOf(0.0, 0.0);
    Pair nn = -acc;
    for (int k = 1; k < n; ++k) {
        const Pair ck = pairOf(c1[k], c2[k]);
        u = lambda * (cp * z - u) + mu * pairOf(r1[k], r2[k]);
        acc = acc + ck * u;
        z = nn;
        nn = nn - ck * u;
        cp = ck;
    }
    const Pair y = pairOf(first.sigma, second.sigma) * (pairOf(x1, x2) + acc);

    // The backward pass of tick, for both filters at once.
    Pair a = y + lambda * r0;
    Pair yy = y;
    Pair f = r0;
    Pair g = pairOf(c1[0], c2[0]);
    for (int k = 1; k < n; ++k) {
        const Pair rk = pairOf(r1[k], r2[k]);
        const Pair d = f - lambda * a;
        a = d + lambda * rk - g * yy;
        w1[k] = a[0];
        w2[k] = a[1];
        yy = yy - g * d;
        g = pairOf(c1[k], c2[k]);
        f = rk;
    }
    y1 = y[0];
    y2 = y[1];
    first.endSample(y1);
    second.endSample(y2);
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
