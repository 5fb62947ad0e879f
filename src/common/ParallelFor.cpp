#include "common/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

void parallelFor(std::size_t count, const std::function<void(std::size_t)> &job, long long workBytes)
{
    if (workBytes < 1024 * 1024) {
        for (std::size_t i = 0; i < count; ++i)
            job(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            job(i);
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < std::min(cores, count); ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
}
