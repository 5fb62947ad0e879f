#include "app/FontPrefetch.h"

#ifdef SCRIVLET_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace
{
struct Reading {
    std::thread thread;

    void finish()
    {
        if (thread.joinable())
            thread.join();
    }
    // Should the program end before it measures any text.
    ~Reading() { finish(); }
} reading;
} // namespace

void FontPrefetch::begin()
{
    if (reading.thread.joinable())
        return;
    try {
        reading.thread = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to be had: the toolkit reads it when it needs it, as it would anyway.
    }
}

void FontPrefetch::finish()
{
    reading.finish();
}

#else

void FontPrefetch::begin() {}
void FontPrefetch::finish() {}

#endif
