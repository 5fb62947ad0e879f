// What keeping unsaved work in a recovery file costs one field change: the same changes
// with the recovery file kept and without it, events run after each so that the writes
// due within the run happen in it. And the write itself, for scale, and the look for work
// left behind that every start-up makes.
#include "document/NpcFile.h"
#include "session/ScriptSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

struct Session {
    QTemporaryDir dir;
    std::unique_ptr<ScriptSession> session;

    explicit Session(bool keep)
    {
        qputenv("XDG_DATA_HOME", QDir(dir.path()).filePath(QStringLiteral("xdg")).toLocal8Bit());
        NpcRecords records{};
        for (NpcRecord &record : records)
            record.initialise();
        QFile file(dir.filePath(QStringLiteral("057.npc")));
        if (file.open(QIODevice::WriteOnly))
            file.write(NpcWriter::encode(records, NpcLayout::StandardLayout));
        file.close();
        session = std::make_unique<ScriptSession>(dir.path());
        session->loadLists();
        session->recovery().setEnabled(keep);
        session->openScript(file.fileName(), {});
    }
};

void fieldChange(benchmark::State &state, bool keep)
{
    Session s(keep);
    int value = 0;
    for (auto _ : state) {
        s.session->commitField(NpcField::Leader, QString::number(++value % 100));
        QCoreApplication::processEvents();
    }
}

void FieldChangeWithoutRecovery(benchmark::State &state)
{
    fieldChange(state, false);
}
void FieldChangeWithRecovery(benchmark::State &state)
{
    fieldChange(state, true);
}

void RecoveryWrite(benchmark::State &state)
{
    Session s(true);
    s.session->commitField(NpcField::Leader, QStringLiteral("5"));
    for (auto _ : state) {
        s.session->recovery().noteChange();
        s.session->recovery().flush();
    }
}

// What start-up adds when no editor left work behind: looking into the recovery folder.
void RecoveryLookAtStartUp(benchmark::State &state)
{
    Session s(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(RecoveryKeeper::findLeftBehind().offers.size());
}

} // namespace

BENCHMARK(FieldChangeWithoutRecovery)->Unit(benchmark::kMicrosecond)->MinTime(3.0);
BENCHMARK(FieldChangeWithRecovery)->Unit(benchmark::kMicrosecond)->MinTime(3.0);
BENCHMARK(RecoveryWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(RecoveryLookAtStartUp)->Unit(benchmark::kMicrosecond);
