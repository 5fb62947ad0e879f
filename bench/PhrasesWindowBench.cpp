// The phrases window over a dialogue file of 100,000 lines: opening it, one edit and one
// line inserted at 0 (every record renumbered), each until the table is drawn again; and
// opening the script with the window closed, against the same script without a text.
#include "PhrasesEditor.h"
#include "dialogue/EdtWriter.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "document/NpcFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

constexpr int Lines = 100000;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// 057.npc, whose fifty records speak lines 0 to 199, and its text of `lines` lines.
struct Script {
    QTemporaryDir dir;

    explicit Script(int lines)
    {
        NpcRecords records{};
        for (int i = 0; i < RecordCount; ++i) {
            records[i].initialise();
            records[i].Phrase = quint8(4 * i);
            records[i].PhraseCnt = 4;
        }
        writeFile(path(), NpcWriter::encode(records, NpcLayout::StandardLayout));
        QByteArray edt;
        edt.reserve(qsizetype(lines) * 480);
        for (int k = 0; k < lines; ++k) {
            QByteArray line(60 + k % 181, Qt::Uninitialized);
            for (qsizetype i = 0; i < line.size(); ++i)
                line[i] = (i + k) % 7 == 0 ? ' ' : char(0xC0 + (i + k) % 64);
            edt += EdtWriter::encodeRecord(line);
        }
        if (lines > 0)
            writeFile(dir.filePath(QStringLiteral("057.edt")), edt);
    }
    QString path() const { return dir.filePath(QStringLiteral("057.npc")); }
};

using Editor = PhrasesEditor;

const Script &hugeScript()
{
    static const Script script(Lines);
    return script;
}

} // namespace

static void OpenPhrasesWindow100k(benchmark::State &state)
{
    Editor editor;
    editor.session().openScript(hugeScript().path(), {});
    int line = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.phrases().hide();
        editor.session().editPhrase(++line, QStringLiteral("changed while hidden"));
        QApplication::processEvents();
        state.ResumeTiming();
        editor.windows->main->action(QStringLiteral("EditPhrases"))->trigger();
        editor.drawn();
    }
}
BENCHMARK(OpenPhrasesWindow100k)->Unit(benchmark::kMillisecond);

static void EditInPhrasesWindow100k(benchmark::State &state)
{
    Editor editor;
    editor.showHuge(hugeScript().path());
    int n = 0;
    for (auto _ : state) {
        editor.session().editPhrase(50000, QStringLiteral("edit %1").arg(++n));
        editor.drawn();
    }
}
BENCHMARK(EditInPhrasesWindow100k)->Unit(benchmark::kMillisecond);

static void InsertAtZeroInPhrasesWindow100k(benchmark::State &state)
{
    Editor editor;
    editor.showHuge(hugeScript().path());
    for (auto _ : state) {
        editor.session().insertPhrase(0);
        editor.drawn();
        state.PauseTiming();
        editor.session().undo();
        editor.drawn();
        state.ResumeTiming();
    }
}
BENCHMARK(InsertAtZeroInPhrasesWindow100k)->Unit(benchmark::kMillisecond);

// Opening a script with and without its 100,000 lines, the phrases window closed: the
// difference is reading the text, which the editor did before the window was there.
static void OpenScriptWithPhrases(benchmark::State &state)
{
    const Script empty(0);
    const Script &script = state.range(0) ? hugeScript() : empty;
    Editor editor;
    for (auto _ : state) {
        editor.session().openScript(script.path(), {});
        QApplication::processEvents();
    }
}
BENCHMARK(OpenScriptWithPhrases)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
