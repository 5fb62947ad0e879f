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

QString ForeignLinkFixes::describe(const QList<ForeignLinkFix> &fixes)
{
    QStringList moved;
    QStringList broken;
    for (const ForeignLinkFix &fix : fixes) {
        const QString place =
            QStringLiteral("%1: запись %2, ControlRec %3").arg(fix.script).arg(fix.record).arg(fix.before);
        if (fix.after)
            moved << place + QStringLiteral(" -> ") + QString::number(*fix.after);
        else
            broken << place + QStringLiteral(" (удалена)");
    }
    QStringList lines;
    if (!moved.isEmpty())
        lines << QStringLiteral("Ссылки других скриптов на сдвинутые записи:") << moved;
    if (!broken.isEmpty())
        lines << QStringLiteral("Ссылки на удалённые записи (останутся как есть):") << broken;
    if (lines.size() > MaxListedLines) {
        const qsizetype rest = lines.size() - (MaxListedLines - 1);
        lines.resize(MaxListedLines - 1);
        lines << QStringLiteral("… и ещё %1").arg(rest);
    }
    return lines.join(QStringLiteral("\r\n"));
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
