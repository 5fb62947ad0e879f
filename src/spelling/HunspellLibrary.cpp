#include "spelling/HunspellLibrary.h"

#include <hunspell/hunspell.h>

#ifndef SCRIVLET_HUNSPELL_LINKED
#include "common/LibraryCall.h"
#endif

namespace
{

struct Loaded {
    HunspellLibrary calls;
    QString error;
};

#ifdef SCRIVLET_HUNSPELL_LINKED

Loaded load()
{
    return {{&Hunspell_create, &Hunspell_destroy, &Hunspell_spell, &Hunspell_suggest, &Hunspell_free_list,
             &Hunspell_add},
            {}};
}

#else

Loaded load()
{
    // Kept loaded for the rest of the run: dictionaries live as long.
    QLibrary library(QStringLiteral(SCRIVLET_HUNSPELL_LIBRARY));
    HunspellLibrary calls;
    if (resolveCall(library, "Hunspell_create", calls.create) &&
        resolveCall(library, "Hunspell_destroy", calls.destroy) &&
        resolveCall(library, "Hunspell_spell", calls.spell) &&
        resolveCall(library, "Hunspell_suggest", calls.suggest) &&
        resolveCall(library, "Hunspell_free_list", calls.freeList) &&
        resolveCall(library, "Hunspell_add", calls.add))
        return {calls, {}};
    return {{},
            QStringLiteral("Не загрузить библиотеку Hunspell для проверки орфографии (%1): %2")
                .arg(QStringLiteral(SCRIVLET_HUNSPELL_LIBRARY), library.errorString())};
}

#endif

const Loaded &loadedOnce()
{
    static const Loaded loaded = load();
    return loaded;
}

} // namespace

const HunspellLibrary *HunspellLibrary::loaded()
{
    return loadedOnce().calls.create ? &loadedOnce().calls : nullptr;
}

QString HunspellLibrary::loadError()
{
    return loadedOnce().error;
}
