#include "editor/ListLint.h"

#include "common/ParallelFor.h"
#include "common/Windows1251.h"
#include "editor/FieldCatalogue.h"
#include "editor/ListLines.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace
{

// The largest number a field named by the list can hold.
qint64 rangeOf(ListId id)
{
    qint64 range = 0;
    for (const FieldInfo &info : fieldCatalogue()) {
        if (info.list == id)
            range = std::max<qint64>(range, fullFieldRange(info));
    }
    return range;
}

// Windows-1251 text seldom reads as UTF-8 at all, and hardly ever into Cyrillic
// letters: a Russian name saved as UTF-8 does. No decoding: lists run to a million lines.
bool readsAsUtf8Cyrillic(QByteArrayView text)
{
    bool cyrillic = false;
    for (qsizetype i = 0; i < text.size();) {
        const auto lead = quint8(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const int follow = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                                                          : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                                                         : 0;
        if (follow == 0 || i + follow >= text.size())
            return false;
        for (int k = 1; k <= follow; ++k) {
            if ((quint8(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        cyrillic = cyrillic || (lead >= 0xD0 && lead <= 0xD3); // U+0400 to U+04FF
        i += follow + 1;
    }
    return cyrillic;
}

enum class Unclear { None, NoEquals, NoNumber, NotANumber, Negative, TooLarge, Utf8Name };

// What is wrong with one entry line, whose first "=" is at eq (-1 for none); no text is
// made here: the start counts these over lists of a million lines.
Unclear unclearKind(QByteArrayView text, qsizetype eq, qint64 fieldRange)
{
    if (eq < 0)
        return Unclear::NoEquals;
    if (eq == 0)
        return Unclear::NoNumber;
    const std::optional<qint64> value = readDecimal(text.first(eq));
    if (!value)
        return Unclear::NotANumber;
    if (*value < 0)
        return Unclear::Negative;
    if (*value > fieldRange)
        return Unclear::TooLarge;
    return readsAsUtf8Cyrillic(text.sliced(eq + 1)) ? Unclear::Utf8Name : Unclear::None;
}

template <typename Found> void forEachUnclearLine(QByteArrayView bytes, qint64 fieldRange, Found &&found)
{
    const auto look = [&](const char *line, qsizetype size, qsizetype number, qsizetype eq) {
        const QByteArrayView text(line, size);
        if (const Unclear kind = unclearKind(text, eq, fieldRange); kind != Unclear::None)
            found(text, number, kind);
    };
    forEachListEntry(bytes.data(), bytes.size(), look);
}

// tooLarge: that reason made once for the file: a list generated with numbers beyond the
// field has tens of thousands of such lines.
QString reasonText(Unclear kind, QByteArrayView text, const QString &tooLarge)
{
    switch (kind) {
    case Unclear::NoEquals:
        return QStringLiteral("нет знака «=»");
    case Unclear::NoNumber:
        return QStringLiteral("нет номера");
    case Unclear::NotANumber:
        return QStringLiteral("номер «%1» — не число").arg(fromWindows1251(text.first(text.indexOf('='))));
    case Unclear::Negative:
        return QStringLiteral("отрицательный номер");
    case Unclear::TooLarge:
        return tooLarge;
    case Unclear::Utf8Name:
        return QStringLiteral("имя записано в UTF-8 (кириллица), а списки пишутся в Windows-1251");
    case Unclear::None:
        break;
    }
    return {};
}

// "1 строка не понята", "3 строки не поняты", "5 строк не поняты".
QString linesNotUnderstood(qsizetype count)
{
    const qsizetype tens = count % 100;
    const qsizetype ones = count % 10;
    if (ones == 1 && tens != 11)
        return QStringLiteral("%1 строка не понята").arg(count);
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 строки не поняты").arg(count);
    return QStringLiteral("%1 строк не поняты").arg(count);
}

} // namespace

QList<UnclearListLine> unclearListLines(const QString &path, QByteArrayView bytes, qint64 fieldRange)
{
    QList<UnclearListLine> found;
    const QString tooLarge = QStringLiteral("номер больше, чем вмещает поле (%1)").arg(fieldRange);
    forEachUnclearLine(bytes, fieldRange, [&](QByteArrayView text, qsizetype number, Unclear kind) {
        found.append({path, number, text.toByteArray(), reasonText(kind, text, tooLarge)});
    });
    return found;
}

QList<UnclearListLine> unclearListLines(const ReferenceLists &lists)
{
    // The files side by side: they are independent.
    const QList<ListFileText> files = listFileTexts(lists);
    qint64 bytes = 0;
    for (const ListFileText &file : files)
        bytes += file.bytes.size();
    std::vector<QList<UnclearListLine>> byFile(std::size_t(files.size()));
    parallelFor(
        byFile.size(),
        [&files, &byFile](std::size_t i) {
            const ListFileText &file = files[qsizetype(i)];
            byFile[i] = unclearListLines(file.path, file.bytes, file.fieldRange);
        },
        bytes);
    QList<UnclearListLine> found;
    for (QList<UnclearListLine> &lines : byFile)
        found += std::move(lines);
    return found;
}

QList<ListFileText> listFileTexts(const ReferenceLists &lists)
{
    QList<ListFileText> files;
    for (int id = 1; id <= ReferenceLists::Count; ++id) {
        for (const QByteArray &text : lists.byId(ListId(id)).texts())
            files.append({lists.sourceOf(ListId(id)), text, rangeOf(ListId(id))});
    }
    return files;
}

QList<UnclearListCount> unclearListCounts(const QList<ListFileText> &files)
{
    // One file after another: counted beside the first window, which keeps the other core.
    QList<UnclearListCount> found;
    for (const ListFileText &file : files) {
        qsizetype count = 0;
        forEachUnclearLine(file.bytes, file.fieldRange,
                           [&count](QByteArrayView, qsizetype, Unclear) { ++count; });
        if (count > 0)
            found.append({file.path, count});
    }
    return found;
}

QString unclearListsSummary(const QList<UnclearListCount> &counts)
{
    QStringList parts;
    for (const UnclearListCount &file : counts)
        parts << QFileInfo(file.path).fileName() + QStringLiteral(": ") + linesNotUnderstood(file.count);
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral("; ")) + QStringLiteral(", см. Проверка скрипта");
}

QString unclearLineText(const UnclearListLine &line)
{
    return QStringLiteral("%1, строка %2 «%3»: %4")
        .arg(QFileInfo(line.path).fileName(), QString::number(line.line), fromWindows1251(line.text.left(80)),
             line.reason);
}
