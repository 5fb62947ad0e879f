#include "common/RegularFile.h"
#include "common/SaveFile.h"
#include "dialogue/EdtMerge.h"
#include "document/NpcFile.h"
#include "document/NpcMerge.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

void put(const QString &path, const QByteArray &bytes)
{
    QString error;
    saveFile(path, bytes, error);
}

QByteArray readFile(const QString &path)
{
    QByteArray bytes;
    QString error;
    RegularFile::readAll(path, 1 << 20, bytes, error);
    return bytes;
}

constexpr const char *Names[] = {"base", "ours", "theirs"};

} // namespace

// What merge does for git, in the process: three scripts read, merged, the result written.
static void BM_MergeScripts(benchmark::State &state)
{
    QTemporaryDir dir;
    NpcRecords base{};
    for (int i = 0; i < 40; ++i) {
        base[i].initialise();
        base[i].FDay = quint8(i);
    }
    NpcRecords ours = base;
    ours[3].LDay = 9;
    NpcRecords theirs = base;
    theirs[30].Leader = 40;
    put(dir.filePath(QStringLiteral("base")), NpcWriter::encode(base, NpcLayout::StandardLayout));
    put(dir.filePath(QStringLiteral("ours")), NpcWriter::encode(ours, NpcLayout::StandardLayout));
    put(dir.filePath(QStringLiteral("theirs")), NpcWriter::encode(theirs, NpcLayout::StandardLayout));
    for (auto _ : state) {
        NpcMergeSide sides[3];
        for (int i = 0; i < 3; ++i) {
            const QByteArray bytes = readFile(dir.filePath(QLatin1String(Names[i])));
            NpcReader reader;
            reader.readBytes(bytes);
            sides[i] = NpcMergeSide::of(reader, bytes);
        }
        const NpcMergeResult result = mergeNpc(sides[0], sides[1], sides[2]);
        put(dir.filePath(QStringLiteral("out")), result.bytes);
        benchmark::DoNotOptimize(result.conflicts.size());
    }
}
BENCHMARK(BM_MergeScripts)->Unit(benchmark::kMillisecond);

// Dialogues of 2,000 phrases, each side inserting and changing its own.
static void BM_MergeDialogues(benchmark::State &state)
{
    Lines base;
    for (int i = 0; i < 2000; ++i)
        base.append(QByteArray::number(i).leftJustified(480, '\0'));
    Lines ours = base;
    Lines theirs = base;
    for (int i = 0; i < 2000; i += 100) {
        ours[i + 10] = QByteArray("ours").leftJustified(480, '\0');
        theirs.insert(i + 50, QByteArray("theirs").leftJustified(480, '\0'));
    }
    const auto join = [](const Lines &lines) {
        QByteArray bytes;
        for (const QByteArray &line : lines)
            bytes += line;
        return bytes;
    };
    const QByteArray b = join(base), o = join(ours), t = join(theirs);
    for (auto _ : state)
        benchmark::DoNotOptimize(mergeEdt(b, o, t).bytes.size());
}
BENCHMARK(BM_MergeDialogues)->Unit(benchmark::kMillisecond);
