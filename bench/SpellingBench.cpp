// Spell checking a dialogue text of 100,000 lines of Russian words, every line with an
// unknown word of its own kind: the whole text checked with the dictionary's answers not
// yet kept, against the plain split of the same lines into words; and one edit in the
// phrases window with spelling on, against the same edit with it off.
#include "PhrasesEditor.h"
#include "common/Windows1251.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcFile.h"
#include "editor/SpellingCheck.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellDictionary.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

constexpr int Lines = 100000;

const char *const Words[] = {"привет", "путник", "ты", "пришёл", "из", "далёкой", "деревни", "где", "живёт", "старый",
                             "кузнец", "он", "просил", "передать", "тебе", "меч", "и", "щит", "сегодня", "ночью",
                             "в", "лесу", "видели", "волков", "будь", "осторожен", "на", "дороге", "к", "замку"};
const char *const Syllables[] = {"ка", "ро", "ми", "ту", "сла", "вен", "дор", "ей", "ры", "жо", "пу", "ще"};

// Lines of 8 to 14 words; one in each line made of syllables, mostly unknown and many
// of them different, as names and slips are.
EdtText realisticText()
{
    QList<QByteArray> lines;
    lines.reserve(Lines);
    for (int k = 0; k < Lines; ++k) {
        QString line;
        const int count = 8 + k % 7;
        for (int w = 0; w < count; ++w) {
            if (w)
                line += u' ';
            line += QString::fromUtf8(Words[(k * 7 + w * 13) % std::size(Words)]);
        }
        line += u' ';
        for (int s = 0, n = k; s < 3; ++s, n /= std::size(Syllables))
            line += QString::fromUtf8(Syllables[n % std::size(Syllables)]);
        line += u'.';
        lines << toWindows1251(line);
    }
    return EdtText(lines);
}

const EdtText &hugeText()
{
    static const EdtText text = realisticText();
    return text;
}

std::shared_ptr<SpellDictionary> russian()
{
    static const auto dictionary = [] {
        auto d = std::make_shared<SpellDictionary>();
        d->load(QStringLiteral("ru_RU"));
        return d;
    }();
    return dictionary;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

struct Editor : PhrasesEditor {
    QTemporaryDir dir;
    explicit Editor(bool spelling)
    {
        NpcRecords records{};
        const QString script = dir.filePath(QStringLiteral("057.npc"));
        writeFile(script, NpcWriter::encode(records, NpcLayout::StandardLayout));
        writeFile(dir.filePath(QStringLiteral("057.edt")), EdtWriter::encode(hugeText()));
        session().spelling().setOn(spelling);
        showHuge(script);
    }
    void edit(benchmark::State &state)
    {
        phrases().showLine(50000);
        drawn();
        int n = 0;
        for (auto _ : state) {
            session().editPhrase(50000, QStringLiteral("правка номер %1, превет").arg(++n));
            drawn();
        }
    }
};

} // namespace

static void SplitWords100k(benchmark::State &state)
{
    for (auto _ : state) {
        qsizetype words = 0;
        for (const QByteArray &line : hugeText())
            words += SpellChecker::words(fromWindows1251(line)).size();
        benchmark::DoNotOptimize(words);
    }
}
BENCHMARK(SplitWords100k)->Unit(benchmark::kMillisecond);

static void SpellCheck100k(benchmark::State &state)
{
    if (!russian()->isLoaded()) {
        state.SkipWithError("no ru_RU dictionary");
        return;
    }
    for (auto _ : state) {
        const SpellChecker checker(russian()); // nothing asked of the dictionary yet
        SpellingScan scan(checker, hugeText(), false);
        while (!scan.step(4000)) {
        }
        benchmark::DoNotOptimize(scan.notes().size());
    }
}
BENCHMARK(SpellCheck100k)->Unit(benchmark::kMillisecond);

static void EditInPhrasesWindowSpellingOff(benchmark::State &state)
{
    Editor(false).edit(state);
}
BENCHMARK(EditInPhrasesWindowSpellingOff)->Unit(benchmark::kMillisecond);

static void EditInPhrasesWindowSpellingOn(benchmark::State &state)
{
    Editor(true).edit(state);
}
BENCHMARK(EditInPhrasesWindowSpellingOn)->Unit(benchmark::kMillisecond);
