#pragma once

#include <cstdint>
#include <ctime>

// The system-wide monotonic clock, in nanoseconds: a child started for a
// measurement reads the same clock as the program that started it, so its
// readings are comparable with the moment it was spawned.
inline std::int64_t monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}
