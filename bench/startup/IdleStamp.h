#pragma once

#include <cstdio>
#include <ctime>

// The wall clock at the first idle moment, for bench/startup.py to tell the start-up
// from the whole run, which also holds the teardown.
inline void printIdleStamp()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("idle %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}
