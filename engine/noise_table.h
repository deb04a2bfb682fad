#pragma once

// A looped table of pre-computed random values on a grid of 10000 levels in [-1, 1).
class CNoiseTable {
public:
    // Draws count values from the engine's generator in its current state (at least one).
    explicit CNoiseTable(int count);
    virtual ~CNoiseTable();
    CNoiseTable(const CNoiseTable&) = delete;
    CNoiseTable& operator=(const CNoiseTable&) = delete;

    float next() {
        const float v = values[position];
        position += 1;
        if (position >= count) {
            position = 0;
        }
        return v;
    }

    int getCount() const { return count; }
    float getValue(int index) const { return values[index]; }

private:
    int position = 0;
    int count;
    float* values;
};
