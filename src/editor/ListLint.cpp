#include "editor/ListLint.h"

#include "common/ParallelFor.h"
#include "common/Windows1251.h"
#include "editor/FieldCatalogue.h"

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

// tooLarge: the reason for a number above the field's range, made once for the file: a
// list generated with numbers beyond it has tens of thousands of such lines.
QString reasonFor(QByteArrayView text, qint64 fieldRange, const QString &tooLarge)
{
    const qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return QStringLiteral("нет знака «=»");
    const QByteArrayView number = text.first(eq);
    if (number.isEmpty())
        return QStringLiteral("нет номера");
    const std::optional<qint64> value = readDecimal(number);
    if (!value)
        return QStringLiteral("номер «%1» — не число").arg(fromWindows1251(number));
    if (*value < 0)
        return QStringLiteral("отрицательный номер");
    if (*value > fieldRange)
        return tooLarge;
    if (readsAsUtf8Cyrillic(text.sliced(eq + 1)))
        return QStringLiteral("имя записано в UTF-8 (кириллица), а списки пишутся в Windows-1251");
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
    forEachListEntry(bytes.data(), bytes.size(), [&](const char *line, qsizetype size, qsizetype number) {
        const QByteArrayView text(line, size);
        if (QString reason = reasonFor(text, fieldRange, tooLarge); !reason.isEmpty())
            found.append({path, number, text.toByteArray(), std::move(reason)});
    });
    return found;
}

QList<UnclearListLine> unclearListLines(const ReferenceLists &lists)
{
    // The lists side by side, as they are read: a start waits for this.
    std::vector<QList<UnclearListLine>> byList(ReferenceLists::Count);
    parallelFor(byList.size(), [&lists, &byList](std::size_t index) {
        const auto id = ListId(int(index) + 1);
        for (const QByteArray &text : lists.byId(id).texts())
            byList[index] += unclearListLines(lists.sourceOf(id), text, rangeOf(id));
    });
    QList<UnclearListLine> found;
    for (QList<UnclearListLine> &list : byList)
        found += std::move(list);
    return found;
}

QString unclearListsSummary(const QList<UnclearListLine> &lines)
{
    QStringList parts;
    for (qsizetype i = 0; i < lines.size();) {
        qsizetype next = i;
        while (next < lines.size() && lines.at(next).path == lines.at(i).path)
            ++next;
        parts << QFileInfo(lines.at(i).path).fileName() + QStringLiteral(": ") + linesNotUnderstood(next - i);
        i = next;
    }
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral("; ")) + QStringLiteral(", см. Проверка скрипта");
}

QString unclearLineText(const UnclearListLine &line)
{
    return QStringLiteral("%1, строка %2 «%3»: %4")
        .arg(QFileInfo(line.path).fileName(), QString::number(line.line), fromWindows1251(line.text.left(80)),
             line.reason);
}
