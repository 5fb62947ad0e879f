#include "SilentPrompts.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "editor/ReferenceLists.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

const char *const ListFiles[] = {"Action.txt", "Items.txt",   "Npc.txt",      "React.txt",
                                 "Trigg.txt",  "Q_Input.txt", "Q_Output.txt", "Modes.txt"};

// A start folder whose Data folder holds the shipped lists, or eight lists of
// `entries` numbered names each.
struct StartFolder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();

    // `entries` < 0: the shipped lists but Items.txt, which is `items`.
    explicit StartFolder(int entries, const QByteArray &items = {})
    {
        const QString data = QDir(dir.path()).filePath(QStringLiteral("Data"));
        QDir().mkpath(data);
        const QDir shippedData(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../Data")));
        for (const char *name : ListFiles) {
            const QString target = QDir(data).filePath(QLatin1String(name));
            if (entries < 0 && target.endsWith(QStringLiteral("Items.txt"))) {
                QFile file(target);
                if (file.open(QIODevice::WriteOnly))
                    file.write(items);
                continue;
            }
            if (entries <= 0) {
                QFile::copy(shippedData.filePath(QLatin1String(name)), target);
                continue;
            }
            QByteArray bytes = "; generated\r\n";
            for (int i = 0; i < entries; ++i)
                bytes += QByteArray::number(i) + "=\xcd\xe0\xe7\xe2\xe0\xed\xe8\xe5 " +
                         QByteArray::number(i) + "\r\n";
            QFile file(target);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
        // The file-type registration of start-up must not reach the real desktop.
        qputenv("XDG_DATA_HOME", QDir(dir.path()).filePath(QStringLiteral("xdg")).toLocal8Bit());
        QDir::setCurrent(dir.path());
    }
    ~StartFolder() { QDir::setCurrent(previous); }
};

void startUpWithLists(benchmark::State &state)
{
    StartFolder folder(int(state.range(0)));
    for (auto _ : state) {
        auto windows = startUp(std::make_unique<SilentPrompts>());
        benchmark::DoNotOptimize(windows.get());
        state.PauseTiming();
        windows.reset();
        state.ResumeTiming();
    }
}

void loadListsOnly(benchmark::State &state)
{
    StartFolder folder(int(state.range(0)));
    const QString data = QDir(folder.dir.path()).filePath(QStringLiteral("Data"));
    for (auto _ : state) {
        ReferenceLists lists;
        benchmark::DoNotOptimize(lists.load(data, data));
    }
}

QByteArray numberedItems(int entries)
{
    QByteArray bytes;
    for (int i = 0; i < entries; ++i)
        bytes += QByteArray::number(i) + "=\xcc\xe5\xf7 " + QByteArray::number(i) + "\r\n";
    return bytes;
}

// Opening and closing the item box's popup: 0 entries stands for the shipped list,
// -1 for one line of 10 MB.
void openItemPopup(benchmark::State &state)
{
    const int entries = int(state.range(0));
    const QByteArray items = entries > 0   ? numberedItems(entries)
                             : entries < 0 ? "1=" + QByteArray(10 * 1024 * 1024, '\xe0') + "\r\n"
                                           : QByteArray();
    StartFolder folder(entries == 0 ? 0 : -1, items);
    auto windows = startUp(std::make_unique<SilentPrompts>());
    windows->main->show();
    auto *box = windows->main->findChild<QComboBox *>(QStringLiteral("Combo_ItemIn"));
    // The first opening makes the popup and measures the names: counted on its own.
    QElapsedTimer first;
    first.start();
    box->showPopup();
    QApplication::processEvents();
    box->hidePopup();
    state.counters["first_open_ms"] = double(first.nsecsElapsed()) / 1e6;
    for (auto _ : state) {
        box->showPopup();
        QApplication::processEvents();
        box->hidePopup();
    }
}

} // namespace

BENCHMARK(openItemPopup)->Arg(0)->Arg(1000000)->Arg(-1)->Unit(benchmark::kMillisecond);

// 0 stands for the shipped lists.
BENCHMARK(startUpWithLists)->Arg(0)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(loadListsOnly)->Arg(0)->Arg(30000)->Unit(benchmark::kMillisecond);
