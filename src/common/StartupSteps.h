#pragma once

// The ends of the start-up's steps, for bench/startup.py to tell where the time goes.
// Nothing happens unless a probe listens.
namespace StartupSteps
{

using Listener = void (*)(const char *step);

void listen(Listener listener);
void done(const char *step);

} // namespace StartupSteps
