// A script built from any JSON: what is taken reads back the same from its own dump, and
// what is refused says why.
#include "FuzzCheck.h"
#include "editor/NpcJson.h"

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    NpcJsonReader reader;
    if (!reader.read(QByteArray(data, qsizetype(size)))) {
        FUZZ_CHECK(!reader.errorString().isEmpty());
        return 0;
    }
    const NpcLayout layout = reader.layout().value_or(NpcLayout::StandardLayout);
    NpcJsonReader again;
    FUZZ_CHECK(again.read(npcToJson(reader.records(), layout)));
    FUZZ_CHECK(again.records() == reader.records() && again.layout() == layout);
    return 0;
}
