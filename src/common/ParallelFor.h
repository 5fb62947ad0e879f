#pragma once

#include <cstddef>
#include <functional>

// Runs job(0) to job(count - 1), each once, on this thread and as many others as the
// machine has cores for; returns when all have run. The jobs must not share state.
// workBytes: about how many bytes the jobs go through together; below a megabyte they
// run on this thread alone, as making threads would take longer.
void parallelFor(std::size_t count, const std::function<void(std::size_t)> &job, long long workBytes);
