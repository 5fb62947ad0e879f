#pragma once

#include <QLibrary>

// Sets call to the library's function of that name; false (and call null) when it has none.
template <typename Call>
bool resolveCall(QLibrary &library, const char *name, Call &call)
{
    call = reinterpret_cast<Call>(library.resolve(name));
    return call != nullptr;
}
