#include "common/StartupSteps.h"

namespace StartupSteps
{

namespace
{
Listener listening = nullptr;
}

void listen(Listener listener)
{
    listening = listener;
}

void done(const char *step)
{
    if (listening)
        listening(step);
}

} // namespace StartupSteps
