#pragma once
#include <cstdint>

// Milliseconds since an arbitrary start, wrapping like a 32-bit tick count.
// The program uses the steady clock; tests install a clock they drive.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t nowMs() const = 0;

    // The clock in force for the whole process (the steady clock unless replaced).
    static const Clock& current();
    // Replaces the process clock; nullptr restores the steady clock. For tests.
    static void install(const Clock* clock);
};

class ManualClock : public Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : m_now(start) {}
    std::uint32_t nowMs() const override { return m_now; }
    void set(std::uint32_t ms) { m_now = ms; }
    void advance(std::uint32_t ms) { m_now += ms; }

private:
    std::uint32_t m_now;
};

// Shorthand for Clock::current().nowMs().
std::uint32_t GetTickCount();
