#pragma once
#include <atomic>

// A value written on one thread and read on another (parameters, derived engine values,
// voice states): every access is a single relaxed atomic load or store, so the audio thread
// never waits and never sees a torn value. Reads and writes look like those of a plain value.
template <typename T> class CRelaxed {
public:
    CRelaxed() : value(T()) {}
    CRelaxed(T v) : value(v) {}
    CRelaxed(const CRelaxed& other) : value(other.load()) {}
    CRelaxed& operator=(const CRelaxed& other) {
        store(other.load());
        return *this;
    }
    CRelaxed& operator=(T v) {
        store(v);
        return *this;
    }
    operator T() const { return load(); }
    T load() const { return value.load(std::memory_order_relaxed); }
    void store(T v) { value.store(v, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
    static_assert(std::atomic<T>::is_always_lock_free, "must be a single lock-free access");
};
