// The phrases of a dialogue file of 100,000 lines (48 MB): reading it, one edit, one line
// inserted at 0 with every record renumbered, and writing it; beside them the plain decode
// of the same file, lines only, as the reader did before it kept what a write needs.
#include "dialogue/EdtReader.h"
#include "dialogue/EdtWriter.h"
#include "dialogue/PhraseList.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int Lines = 100000;

// Lines of 60 to 240 Cyrillic-range characters and blanks; every tenth record keeps an
// older, longer text after its end, as an editor that does not clear records leaves it.
const QByteArray &hugeEdt()
{
    static const QByteArray bytes = [] {
        QByteArray file;
        file.reserve(qsizetype(Lines) * EdtReader::RecordSize);
        for (int k = 0; k < Lines; ++k) {
            QByteArray line(60 + k % 181, Qt::Uninitialized);
            for (qsizetype i = 0; i < line.size(); ++i)
                line[i] = (i + k) % 7 == 0 ? ' ' : char(0xC0 + (i + k) % 64);
            QByteArray record = EdtWriter::encodeRecord(line);
            if (k % 10 == 0 && line.size() < 240)
                record[2 * line.size() + 2] = 'x';
            file += record;
        }
        return file;
    }();
    return bytes;
}

// Fifty records speaking lines 0 to 199, so that a line at 0 renumbers each of them.
SpokenText hugeScript()
{
    SpokenText spoken;
    spoken.text = EdtReader::decode(hugeEdt());
    for (int i = 0; i < RecordCount; ++i) {
        spoken.records[i].initialise();
        spoken.records[i].Phrase = quint8(4 * i);
        spoken.records[i].PhraseCnt = 4;
    }
    return spoken;
}

} // namespace

static void BM_PlainDecode100k(benchmark::State &state)
{
    const QByteArray &bytes = hugeEdt();
    for (auto _ : state) {
        QList<QByteArray> lines;
        lines.reserve(bytes.size() / EdtReader::RecordSize);
        for (qsizetype k = 0; k < bytes.size() / EdtReader::RecordSize; ++k)
            lines.append(EdtReader::decodeRecord(bytes.constData() + k * EdtReader::RecordSize));
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_PlainDecode100k)->Unit(benchmark::kMillisecond);

static void BM_LoadPhrases100k(benchmark::State &state)
{
    const QByteArray &bytes = hugeEdt();
    for (auto _ : state)
        benchmark::DoNotOptimize(EdtReader::decode(bytes).size());
}
BENCHMARK(BM_LoadPhrases100k)->Unit(benchmark::kMillisecond);

// Each step leaves the state before it whole, as undo keeps it.
static void BM_EditPhrase100k(benchmark::State &state)
{
    const SpokenText spoken = hugeScript();
    int n = 0;
    for (auto _ : state) {
        const PhraseStep step = PhraseList::editLine(spoken, 50000, "edit " + QByteArray::number(++n));
        benchmark::DoNotOptimize(step.result.text.size());
    }
}
BENCHMARK(BM_EditPhrase100k)->Unit(benchmark::kMillisecond);

static void BM_InsertPhraseAt0_100k(benchmark::State &state)
{
    const SpokenText spoken = hugeScript();
    for (auto _ : state) {
        const PhraseStep step = PhraseList::insertLine(spoken, 0);
        if (!step.done() || step.result.records[49].Phrase != 197)
            state.SkipWithError("not renumbered");
        benchmark::DoNotOptimize(step.result.text.size());
    }
}
BENCHMARK(BM_InsertPhraseAt0_100k)->Unit(benchmark::kMillisecond);

static void BM_WritePhrases100k(benchmark::State &state)
{
    const SpokenText edited = PhraseList::editLine(hugeScript(), 50000, "edited").result;
    for (auto _ : state)
        benchmark::DoNotOptimize(EdtWriter::encode(edited.text).size());
    state.SetBytesProcessed(state.iterations() * hugeEdt().size());
}
BENCHMARK(BM_WritePhrases100k)->Unit(benchmark::kMillisecond);
