#pragma once

// A circular buffer of samples read out with a fractional delay by four-point, third-order
// Lagrange interpolation: one "string" of a voice.
class CDelayLine {
public:
    explicit CDelayLine(int size);
    virtual ~CDelayLine();
    CDelayLine(const CDelayLine&) = delete;
    CDelayLine& operator=(const CDelayLine&) = delete;

    // Zeroes the samples and the output; the delay and the indices stay.
    void clear();
    // Delay in samples. Negative or NaN delays read as 0; delays beyond the ring are capped.
    void setDelay(float delay);
    // Writes x and returns the sample that lies the set delay behind it.
    float tick(float x);
    float lastOutput() const { return output; }

    int getSize() const { return size; }
    int getIntegerDelay() const { return integerDelay; }
    float getFraction() const { return fraction; }
    // Interpolation weights from the newest tap (0) to the oldest (3).
    float getCoefficient(int index) const;

private:
    int writeIndex;
    int readIndex = 0;
    int size;
    int integerDelay = 1;
    float fraction = 0.0f;
    float d = 2.0f, d1 = 1.0f, d2 = 0.0f, d3 = -1.0f;
    float h0 = 0.0f, h1 = 0.0f, h2 = 0.0f, h3 = 0.0f;
    float* buffer;
    float output = 0.0f;
};
