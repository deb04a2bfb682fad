#pragma once

// Follows the peak level of a signal: instant or smoothed rise, exponential fall. Used as a
// level meter and as the side-chain of the leak limiters.
class CPeakFollower {
public:
    CPeakFollower();
    virtual ~CPeakFollower() = default;

    virtual void setAttack(float a);
    virtual void setRelease(float r);
    virtual float tick(float x);
    virtual float level() const;
    // Zeroes the level; the coefficients and the offset stay.
    virtual void clear();

    float getAttack() const { return attack; }
    float getRelease() const { return release; }

private:
    float currentLevel = 0.0f;
    float attack = 0.0f;
    float release;
    // Tiny alternating offset that keeps denormal numbers out of the recursion.
    float offset;
};
