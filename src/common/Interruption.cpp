#include "common/Interruption.h"

#include <QtGlobal>

#include <atomic>
#include <csignal>

namespace
{

std::atomic<int> shields{0};
std::atomic<int> pending{0};

static_assert(std::atomic<int>::is_always_lock_free, "used in a signal handler");

void endBy(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

extern "C" void onSignal(int signal)
{
    if (shields.load() == 0)
        endBy(signal);
    else
        pending.store(signal);
}

} // namespace

namespace Interruption
{

void install()
{
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

Shield::Shield()
{
    ++shields;
}

Shield::~Shield()
{
    --shields;
}

bool requested()
{
    return pending.load() != 0;
}

void endIfRequested()
{
    if (const int signal = pending.load(); signal != 0 && shields.load() == 0)
        endBy(signal);
}

} // namespace Interruption
