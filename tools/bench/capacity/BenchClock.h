#pragma once
// The benchmark's clock: milliseconds of the steady clock, the clock the simulated driver's journal also counts in.

#include <chrono>

inline double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
