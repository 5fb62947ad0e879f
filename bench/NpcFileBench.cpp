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
