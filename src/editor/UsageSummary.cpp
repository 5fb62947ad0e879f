#include "editor/UsageSummary.h"

#include <QDir>

QString counted(qsizetype n, const char *one, const char *few, const char *many)
{
    const qsizetype tens = n % 100;
    const qsizetype units = n % 10;
    const char *word = many;
    if (units == 1 && tens != 11)
        word = one;
    else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        word = few;
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(word);
}

QString usageOutcomeText(const FolderSearch &search, int found, int scripts, const CountedNoun &noun)
{
    QStringList parts;
    if (search.wasStopped())
        parts << QStringLiteral("Поиск остановлен (просмотрено скриптов: %1 из %2).")
                     .arg(search.done())
                     .arg(search.total());
    if (found > 0)
        parts << QStringLiteral("Найдено: %1 в %2.")
                     .arg(counted(found, noun.one, noun.few, noun.many),
                          counted(scripts, "скрипте", "скриптах", "скриптах"));
    else if (search.wasStopped())
        parts << QStringLiteral("Ничего не найдено.");
    else if (search.total() == 0)
        parts << QStringLiteral("В папке нет NPC-скриптов.");
    else
        parts << QStringLiteral("Ничего не найдено в %1.")
                     .arg(counted(search.done() - search.unread().size(), "скрипте", "скриптах", "скриптах"));
    if (const qsizetype unread = search.unread().size())
        parts << QStringLiteral("Не удалось прочитать: %1.").arg(counted(unread, "файл", "файла", "файлов"));
    return parts.join(QLatin1Char(' '));
}

QString unreadListText(const QList<UnreadScript> &unread, int shown)
{
    QStringList lines;
    for (const UnreadScript &script : unread.first(std::min<qsizetype>(unread.size(), shown)))
        lines << QDir::toNativeSeparators(script.path) + QStringLiteral(": ") + script.reason;
    if (unread.size() > shown)
        lines << QStringLiteral("и ещё %1").arg(unread.size() - shown);
    return lines.join(QLatin1Char('\n'));
}
