// A script built from any JSON: what is taken reads back the same from its own dump, its
// phrases too where Windows-1251 has every character, and what is refused says why.
#include "FuzzCheck.h"
#include "common/Windows1251.h"
#include "editor/NpcJson.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    NpcJsonReader reader;
    if (!reader.read(QByteArray(data, qsizetype(size)))) {
        FUZZ_CHECK(!reader.errorString().isEmpty());
        return 0;
    }
    const NpcLayout layout = reader.layout().value_or(NpcLayout::StandardLayout);
    std::optional<QList<QByteArray>> phrases;
    const auto encodable = [](const QString &phrase) { return firstUnencodable1251(phrase) < 0; };
    if (reader.phrases() && std::all_of(reader.phrases()->begin(), reader.phrases()->end(), encodable)) {
        phrases.emplace();
        for (const QString &phrase : *reader.phrases())
            phrases->append(toWindows1251(phrase));
    }
    NpcJsonReader again;
    FUZZ_CHECK(again.read(npcToJson(reader.records(), layout, phrases)));
    FUZZ_CHECK(again.records() == reader.records() && again.layout() == layout);
    FUZZ_CHECK(!phrases || again.phrases() == reader.phrases());
    return 0;
}
