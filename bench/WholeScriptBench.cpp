// The cost of seeing the whole script: the problems window and the status bar after one
// field change, and opening a script among many (the links that come in from all of
// them read at once). Each against a baseline of the same work without that part.
#include "BenchEditor.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "document/NpcFile.h"
#include "gui/folder/ProblemsWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

NpcRecords busyScript(quint8 linkTo)
{
    NpcRecords records{};
    for (int i = 0; i < RecordCount; ++i) {
        records[i].initialise();
        records[i].Action = quint8(i % 7);
        records[i].ControlNpc = linkTo;
        records[i].ControlRec = quint8((i * 7) % 60); // some past the end, some to empty ones
    }
    return records;
}

// A folder of `count` scripts, numbered from 1, all linking to script 57.
struct Folder {
    QTemporaryDir dir;

    explicit Folder(int count)
    {
        const QByteArray bytes = NpcWriter::encode(busyScript(57), NpcLayout::StandardLayout);
        for (int i = 1; i <= count; ++i) {
            QFile file(dir.filePath(QStringLiteral("%1.npc").arg(i, 3, 10, QLatin1Char('0'))));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
        QFile edt(dir.filePath(QStringLiteral("057.edt")));
        if (edt.open(QIODevice::WriteOnly))
            edt.write(QByteArray(480 * 20, '\0'));
    }
    QString script() const { return dir.filePath(QStringLiteral("057.npc")); }
};

void fieldChange(benchmark::State &state, bool problemsShown)
{
    Folder folder(200);
    BenchEditor editor;
    editor.session().openScript(folder.script(), {});
    if (problemsShown)
        editor.windows->problems.get()->CheckScriptExecute();
    QApplication::processEvents();
    int value = 0;
    for (auto _ : state) {
        editor.session().commitField(NpcField::Leader, QString::number(++value % 100));
        benchmark::DoNotOptimize(editor.windows->main->statusBar());
    }
}

void FieldChange(benchmark::State &state)
{
    fieldChange(state, false);
}
void FieldChangeWithProblemsWindow(benchmark::State &state)
{
    fieldChange(state, true);
}

void OpenScriptInFolder(benchmark::State &state)
{
    Folder folder(int(state.range(0)));
    BenchEditor editor;
    for (auto _ : state) {
        const OpenResult opened = editor.session().openScript(folder.script(), {});
        benchmark::DoNotOptimize(opened.ok);
    }
}

} // namespace

BENCHMARK(FieldChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(FieldChangeWithProblemsWindow)->Unit(benchmark::kMicrosecond);
// 1 script: the baseline of opening alone.
BENCHMARK(OpenScriptInFolder)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);
