#include "app/FontPrefetch.h"

#ifdef SCRIVLET_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <future>
#include <system_error>

namespace
{
// Waited for by its destructor, should the program end before it measures any text.
std::future<void> reading;
} // namespace

void FontPrefetch::begin()
{
    if (reading.valid())
        return;
    try {
        reading = std::async(std::launch::async, [] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to be had: the toolkit reads it when it needs it, as it would anyway.
    }
}

void FontPrefetch::finish()
{
    if (reading.valid())
        reading.get();
}

#else

void FontPrefetch::begin() {}
void FontPrefetch::finish() {}

#endif
