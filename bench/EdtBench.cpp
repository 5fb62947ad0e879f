#include "dialogue/EdtExport.h"
#include "dialogue/EdtReader.h"
#include "dialogue/PhraseSelection.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

namespace
{

constexpr int Phrases = 10000;

// 10,000 full records of Cyrillic-range units: 4.8 MB, the worst case per record.
QByteArray bigEdt()
{
    QByteArray bytes(qsizetype(Phrases) * EdtReader::RecordSize, '\0');
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const quint16 unit = (i / 2) % 7 == 0 ? 0x0020 : 0x00C1 + (i / 2) % 64;
        bytes[i] = char(unit & 0xFF);
        bytes[i + 1] = char(unit >> 8);
    }
    return bytes;
}

} // namespace

static void BM_LoadEdt(benchmark::State &state)
{
    QByteArray bytes = bigEdt();
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EdtReader reader;
        benchmark::DoNotOptimize(reader.read(&buffer));
        benchmark::DoNotOptimize(reader.text().size());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadEdt)->Unit(benchmark::kMillisecond);

static void BM_Edt2Txt(benchmark::State &state)
{
    const EdtText text = EdtReader::decode(bigEdt());
    for (auto _ : state)
        benchmark::DoNotOptimize(Edt2Txt(text));
}
BENCHMARK(BM_Edt2Txt)->Unit(benchmark::kMillisecond);

// What the viewer does on activation: the export decoded for display, set in one go.
static void BM_ViewerFill(benchmark::State &state)
{
    const EdtText text = EdtReader::decode(bigEdt());
    QPlainTextEdit memo;
    memo.resize(450, 600);
    for (auto _ : state) {
        memo.setPlainText(edtDisplayText(Edt2Txt(text)));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ViewerFill)->Unit(benchmark::kMillisecond);
