#include "spelling/HunspellLibrary.h"

#include <hunspell/hunspell.h>

#ifndef SCRIVLET_HUNSPELL_LINKED
#include <QLibrary>
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

template <typename Call>
bool resolve(QLibrary &library, const char *name, Call &call)
{
    call = reinterpret_cast<Call>(library.resolve(name));
    return call != nullptr;
}

Loaded load()
{
    // Kept loaded for the rest of the run: dictionaries live as long.
    QLibrary library(QStringLiteral(SCRIVLET_HUNSPELL_LIBRARY));
    HunspellLibrary calls;
    if (resolve(library, "Hunspell_create", calls.create) && resolve(library, "Hunspell_destroy", calls.destroy) &&
        resolve(library, "Hunspell_spell", calls.spell) && resolve(library, "Hunspell_suggest", calls.suggest) &&
        resolve(library, "Hunspell_free_list", calls.freeList) && resolve(library, "Hunspell_add", calls.add))
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
