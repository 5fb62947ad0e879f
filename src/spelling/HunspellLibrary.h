#pragma once

#include <QString>

struct Hunhandle;

// Hunspell's calls. Where Hunspell is a shared library they come from it as loaded the
// first time a dictionary is: only spell checking needs it, and a start that shows no
// phrase need not load it.
struct HunspellLibrary {
    Hunhandle *(*create)(const char *affPath, const char *dicPath) = nullptr;
    void (*destroy)(Hunhandle *) = nullptr;
    int (*spell)(Hunhandle *, const char *word) = nullptr;
    int (*suggest)(Hunhandle *, char ***list, const char *word) = nullptr;
    void (*freeList)(Hunhandle *, char ***list, int count) = nullptr;
    int (*add)(Hunhandle *, const char *word) = nullptr;

    // The calls, or null when the library or a call is missing (loadError() says which).
    static const HunspellLibrary *loaded();
    static QString loadError();
};
