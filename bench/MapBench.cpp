// The dialogue map of a full script: 50 records, every one linked (most within the
// script, every fifth to another character), each speaking a phrase of the .edt. Opening
// the map, and an edit of a link with the map shown, closed or not made at all; the graph
// alone is the floor of both.
#include "SilentPrompts.h"
#include "document/NpcFile.h"
#include "gui/map/View_Map.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

NpcRecords fullScript()
{
    NpcRecords records{};
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = records[i];
        record.initialise();
        record.Action = quint8(i % 5);
        record.Phrase = quint8(i);
        record.FDay = quint8(i % 3);
        record.LDay = quint8(10 + i % 7);
        record.TriggT = quint16(i % 11);
        record.ControlNpc = i % 5 == 4 ? 112 : 57;
        record.ControlRec = quint8(i % 5 == 4 ? i % 10 : (i * 7 + 1) % RecordCount);
    }
    return records;
}

// Lines of 80 letters: every box's phrase is cut.
QByteArray dialogue()
{
    QByteArray bytes;
    for (int line = 0; line < RecordCount; ++line) {
        QByteArray record(480, '\0');
        for (int i = 0; i < 80; ++i) {
            const quint16 unit = i % 6 == 5 ? 0x0020 : quint16(0xE0 + (line + i) % 32 + 1);
            record[2 * i] = char(unit & 0xFF);
            record[2 * i + 1] = char(unit >> 8);
        }
        bytes += record;
    }
    return bytes;
}

struct Editor {
    QTemporaryDir start;
    ScriptSession session{start.path()};
    SilentPrompts prompts;
    QWidget mainWindow;

    Editor()
    {
        QDir(start.path()).mkpath(QStringLiteral("Data"));
        for (const QString &name : QDir(QStringLiteral(SCRIVLET_SOURCE_DIR "/Data")).entryList(QDir::Files))
            QFile::copy(QStringLiteral(SCRIVLET_SOURCE_DIR "/Data/") + name, start.filePath(QStringLiteral("Data/") + name));
        session.loadLists();
        write(QStringLiteral("057.npc"), NpcWriter::encode(fullScript(), NpcLayout::StandardLayout));
        write(QStringLiteral("057.edt"), dialogue());
        NpcRecords other{};
        for (int i = 0; i < 5; ++i)
            other[i].initialise();
        write(QStringLiteral("112.npc"), NpcWriter::encode(other, NpcLayout::StandardLayout));
        session.openScript(start.filePath(QStringLiteral("057.npc")), {});
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(start.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

enum class Map { None, Closed, Shown };

void linkEdit(benchmark::State &state, Map shown)
{
    Editor editor;
    std::unique_ptr<View_Map> map;
    if (shown != Map::None)
        map = std::make_unique<View_Map>(editor.session, editor.prompts, editor.mainWindow);
    if (shown == Map::Shown)
        map->ShowMapExecute();
    QApplication::processEvents();
    int target = 0;
    for (auto _ : state) {
        // Record 0 leads somewhere else each time: the graph changes, the map is drawn anew.
        editor.session.commitField(NpcField::ControlRec, QString::number(1 + target++ % 40));
        QApplication::processEvents(); // painted
    }
}

} // namespace

static void MapGraphOnly(benchmark::State &state)
{
    Editor editor;
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.session.analysis().graph().edges.size());
}

static void MapOpen(benchmark::State &state)
{
    Editor editor;
    for (auto _ : state) {
        View_Map map(editor.session, editor.prompts, editor.mainWindow);
        map.ShowMapExecute();
        QApplication::processEvents(); // painted
    }
}

static void MapLinkEditWithoutMap(benchmark::State &state)
{
    linkEdit(state, Map::None);
}
static void MapLinkEditMapClosed(benchmark::State &state)
{
    linkEdit(state, Map::Closed);
}
static void MapLinkEditMapShown(benchmark::State &state)
{
    linkEdit(state, Map::Shown);
}

BENCHMARK(MapGraphOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(MapOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(MapLinkEditWithoutMap)->Unit(benchmark::kMillisecond);
BENCHMARK(MapLinkEditMapClosed)->Unit(benchmark::kMillisecond);
BENCHMARK(MapLinkEditMapShown)->Unit(benchmark::kMillisecond);
