#include "SilentPrompts.h"
#include "app/ui/Startup.h"
#include "app/ui/TForm1.h"
#include "macros/MacroFile.h"
#include "macros/ui/MacroCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace
{

constexpr int MacroCount = 10000;

QByteArray macroFile(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\xcc\xe0\xea\xf0\xee\xf1 & " + QByteArray::number(i) +
                 "=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0\r\n";
    return bytes;
}

// The whole program started in a folder of its own with the shipped lists and 10,000 macros.
class Program
{
public:
    Program()
    {
        const QDir shipped(
            QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../Data")));
        const QDir data(m_dir.filePath(QStringLiteral("Data")));
        QDir().mkpath(data.path());
        QDirIterator it(shipped.path(), QDir::Files);
        while (it.hasNext()) {
            it.next();
            QFile::copy(it.filePath(), data.filePath(it.fileName()));
        }
        QFile::remove(data.filePath(QStringLiteral("macros.mcr")));
        QFile file(data.filePath(QStringLiteral("macros.mcr")));
        file.open(QIODevice::WriteOnly);
        file.write(macroFile(MacroCount));
        file.close();

        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        m_windows = startUp(std::make_unique<SilentPrompts>());
    }
    ~Program()
    {
        m_windows.reset();
        QDir::setCurrent(m_previous);
    }
    TForm1 &main() { return *m_windows->main; }
    QMenu *menu() { return main().Btn_Macr()->menu(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
    std::unique_ptr<ScrivletWindows> m_windows;
};

} // namespace

static void BM_MacroFileParse(benchmark::State &state)
{
    const QByteArray bytes = macroFile(MacroCount);
    for (auto _ : state)
        benchmark::DoNotOptimize(MacroFile::parse(bytes));
}
BENCHMARK(BM_MacroFileParse)->Unit(benchmark::kMillisecond);

static void BM_MacroMenuRebuild(benchmark::State &state)
{
    Program program;
    for (auto _ : state)
        program.main().macroCommands().MacrosMenuUpdate();
    state.counters["items"] = double(program.menu()->actions().size());
}
BENCHMARK(BM_MacroMenuRebuild)->Unit(benchmark::kMillisecond);

// The first opening after a rebuild lays out every item.
static void BM_MacroMenuOpen(benchmark::State &state)
{
    Program program;
    program.main().show();
    for (auto _ : state) {
        state.PauseTiming();
        program.main().macroCommands().MacrosMenuUpdate();
        state.ResumeTiming();
        program.menu()->popup(program.main().Btn_Macr()->mapToGlobal(QPoint(0, 20)));
        QCoreApplication::processEvents();
        program.menu()->hide();
    }
}
BENCHMARK(BM_MacroMenuOpen)->Unit(benchmark::kMillisecond);

static void BM_MacroApply(benchmark::State &state)
{
    Program program;
    QAction *last = program.menu()->actions().last();
    for (auto _ : state)
        last->trigger();
}
BENCHMARK(BM_MacroApply)->Unit(benchmark::kMicrosecond);
