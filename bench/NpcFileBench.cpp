#include "document/NpcFile.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

static void BM_NpcRoundTrip(benchmark::State &state)
{
    NpcRecords records{};
    for (int i = 0; i < RecordCount; ++i)
        records[i].initialise();
    for (auto _ : state) {
        QByteArray bytes = NpcWriter::encode(records, NpcLayout::StandardLayout);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        NpcReader reader;
        benchmark::DoNotOptimize(reader.read(&buffer));
    }
}
BENCHMARK(BM_NpcRoundTrip);

// Every field of every record read and written by name, as the editor, the checks and the
// renumbering do.
static void BM_RecordFieldsByName(benchmark::State &state)
{
    NpcRecords records{};
    for (int i = 0; i < RecordCount; ++i)
        records[i].initialise();
    for (auto _ : state) {
        quint32 sum = 0;
        for (NpcRecord &record : records) {
            for (int f = 0; f < NpcFieldCount; ++f) {
                const auto field = static_cast<NpcField>(f);
                const quint16 value = record.value(field);
                record.setValue(field, value + 1u);
                sum += value;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_RecordFieldsByName);
