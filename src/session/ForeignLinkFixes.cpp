#include "session/ForeignLinkFixes.h"

#include "common/FileSetWriter.h"
#include "common/RegularFile.h"
#include "editor/RenumberPlanner.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace
{

// More lines would push the buttons off the screen.
constexpr int MaxListedLines = 20;

} // namespace

void ForeignLinkFixes::reset()
{
    m_saved = RecordIds::numbered();
    m_now = m_saved;
    m_nextId = RecordCount;
    m_declined.clear();
}

int ForeignLinkFixes::savedSlotOf(int slot) const
{
    return m_saved.slotOf(m_now.at(slot)).value_or(-1);
}

QList<ForeignLinkFix> ForeignLinkFixes::pending(const FolderLinks &folder) const
{
    if (m_now == m_saved)
        return {};
    return foreignLinkFixes(folder, m_saved, m_now);
}

QString ForeignLinkFixes::describe(const QList<ForeignLinkFix> &fixes, const QString &ownName)
{
    QStringList moved;
    QStringList broken;
    for (const ForeignLinkFix &fix : fixes) {
        const int after = fix.after.value_or(0);
        if (fix.targetDeleted)
            broken << QStringLiteral("%1: %2 → %3:%4 (запись %5 удалена)")
                          .arg(fix.script)
                          .arg(fix.record)
                          .arg(ownName)
                          .arg(after)
                          .arg(fix.before);
        else
            moved << QStringLiteral("%1: запись %2, ControlRec %3 -> %4")
                         .arg(fix.script)
                         .arg(fix.record)
                         .arg(fix.before)
                         .arg(after);
    }
    QStringList lines;
    if (!moved.isEmpty())
        lines << QStringLiteral("Ссылки других скриптов на сдвинутые записи:") << moved;
    if (!broken.isEmpty())
        lines << QStringLiteral(
                     "Ссылки других скриптов на удалённые записи (поведут в запись перед удалённой):")
              << broken;
    if (lines.size() > MaxListedLines) {
        const qsizetype rest = lines.size() - (MaxListedLines - 1);
        lines.resize(MaxListedLines - 1);
        lines << QStringLiteral("… и ещё %1").arg(rest);
    }
    return lines.join(QStringLiteral("\r\n"));
}

QList<CheckFinding> ForeignLinkFixes::declinedFindings(const FolderLinks &folder,
                                                       const NpcRecords &records) const
{
    QList<CheckFinding> findings;
    for (const ForeignLinkFix &fix : m_declined) {
        const IncomingLink link{fix.script, fix.record, fix.path};
        if (!folder.incoming().value(fix.before).contains(link))
            continue; // changed since
        QString message =
            QStringLiteral("ссылка %1: %2 ведёт в запись %3, а не туда, куда вела до сохранения: ")
                .arg(fix.script)
                .arg(fix.record)
                .arg(fix.before);
        message +=
            fix.targetDeleted
                ? QStringLiteral("та запись удалена, ей следовало вести в %1").arg(fix.after.value_or(0))
                : QStringLiteral("та запись теперь %1").arg(fix.after.value_or(0));
        const bool inside = fix.before < RecordCount;
        if (inside && records[fix.before].isEmpty())
            message += QStringLiteral("; запись %1 пуста").arg(fix.before);
        const int record = inside ? fix.before : CheckFinding::WholeScript;
        findings << CheckFinding{record, CheckLevel::Warning, QStringLiteral("foreign-link-stale"), message,
                                 message};
    }
    return findings;
}

bool ForeignLinkFixes::addFiles(const QList<ForeignLinkFix> &fixes, quint8 ownNumber, FileSetWriter &writer,
                                QString &error)
{
    QList<std::tuple<QString, QByteArray, QByteArray>> files;
    for (qsizetype first = 0; first < fixes.size();) {
        const QString &path = fixes[first].path;
        qsizetype end = first;
        while (end < fixes.size() && fixes[end].path == path)
            ++end;
        QByteArray bytes;
        QByteArray fixed;
        QString reason;
        if (!RegularFile::readAll(path, RenumberPlanner::MaxScriptFileSize, bytes, reason) ||
            !fixForeignLinks(bytes, ownNumber, fixes.mid(first, end - first), fixed, reason)) {
            error = QStringLiteral("Скрипт %1 изменился на диске (%2); ссылки в других скриптах не "
                                   "исправлены, ничего не записано.")
                        .arg(QDir::toNativeSeparators(path), reason);
            return false;
        }
        if (fixed != bytes)
            files.append({path, fixed, bytes});
        first = end;
    }
    // Each must still hold what was read when it is replaced, and stay in its folder.
    for (const auto &[path, bytes, before] : files)
        writer.write(path, bytes, {before, QFileInfo(path).absolutePath()});
    return true;
}
