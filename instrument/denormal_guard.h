#pragma once

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>

// Flush-to-zero and denormals-are-zero for the life of one processing call; the host's own
// floating-point mode is restored afterwards.
class CDenormalGuard {
public:
    CDenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~CDenormalGuard() { _mm_setcsr(saved); }
    CDenormalGuard(const CDenormalGuard&) = delete;
    CDenormalGuard& operator=(const CDenormalGuard&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved;
};
#else
// Without SSE control registers the voices' own anti-denormal offsets are the only protection.
class CDenormalGuard {
public:
    CDenormalGuard() {}
};
#endif
