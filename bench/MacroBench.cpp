#include "SilentPrompts.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "macros/MacroFile.h"
#include "gui/macros/MacroCommands.h"

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

QByteArray GuardValues()
{
    return "1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0";
}

QByteArray macroFile(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\xcc\xe0\xea\xf0\xee\xf1 & " + QByteArray::number(i) + "=" + GuardValues() + "\r\n";
    return bytes;
}

// The whole program started in a folder of its own with the shipped lists and a macro
// file of the given bytes.
class Program
{
public:
    explicit Program(const QByteArray &macros)
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
        if (!macros.isEmpty()) {
            QFile file(data.filePath(QStringLiteral("macros.mcr")));
            file.open(QIODevice::WriteOnly);
            file.write(macros);
        }
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("xdg"))));
    }
    ~Program()
    {
        m_windows.reset();
        QDir::setCurrent(m_previous);
    }
    void start() { m_windows = startUp(std::make_unique<SilentPrompts>()); }
    void stop() { m_windows.reset(); }
    TForm1 &main() { return *m_windows->main; }
    QMenu *menu() { return main().Btn_Macr()->menu(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
    std::unique_ptr<ScrivletWindows> m_windows;
};

void openMenu(Program &program)
{
    program.menu()->popup(program.main().Btn_Macr()->mapToGlobal(QPoint(0, 20)));
    QCoreApplication::processEvents();
    program.menu()->hide();
}

} // namespace

static void BM_MacroFileParse(benchmark::State &state)
{
    const QByteArray bytes = macroFile(MacroCount);
    for (auto _ : state)
        benchmark::DoNotOptimize(MacroFile::parse(bytes));
}
BENCHMARK(BM_MacroFileParse)->Unit(benchmark::kMillisecond);

// Start-up with no macros, the baseline, and with a great many.
static void BM_StartUpWithMacros(benchmark::State &state)
{
    Program program(macroFile(int(state.range(0))));
    for (auto _ : state) {
        program.start();
        state.PauseTiming();
        program.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpWithMacros)->Arg(0)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(5);

// One macro saved while the menu has been opened once: file and menu follow.
static void BM_SaveOneMacro(benchmark::State &state)
{
    Program program(macroFile(int(state.range(0))));
    program.start();
    program.main().show();
    program.main().session().initialiseRecord();
    openMenu(program);
    for (auto _ : state) {
        ScriptSession &session = program.main().session();
        session.macroLibrary().add("New", session.currentRecord());
        program.main().macroCommands().MacrosMenuUpdate();
    }
}
BENCHMARK(BM_SaveOneMacro)->Arg(10)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_MacroMenuOpen(benchmark::State &state)
{
    Program program(macroFile(int(state.range(0))));
    program.start();
    program.main().show();
    for (auto _ : state)
        openMenu(program);
}
BENCHMARK(BM_MacroMenuOpen)->Arg(10)->Arg(200000)->Unit(benchmark::kMillisecond);

// One name of 50 MB: the menu shows it cut.
static void BM_MacroMenuWithAHugeName(benchmark::State &state)
{
    Program program(QByteArray(50 * 1024 * 1024, 'w') + "=" + GuardValues() + "\r\n");
    for (auto _ : state) {
        program.start();
        program.main().show();
        openMenu(program);
        state.PauseTiming();
        program.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MacroMenuWithAHugeName)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_MacroApply(benchmark::State &state)
{
    Program program(macroFile(MacroCount));
    program.start();
    ScriptSession &session = program.main().session();
    for (auto _ : state)
        session.applyMacro(MacroCount - 1);
}
BENCHMARK(BM_MacroApply)->Unit(benchmark::kMicrosecond);
