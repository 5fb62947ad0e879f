#include "session/LinkNavigation.h"

#include "editor/RecordList.h"

#include <QStringList>

void LinkNavigation::readFolder(const QString &path, quint8 ownNumber)
{
    m_folder.read(path, ownNumber);
}

std::optional<LinkNavigation::LinkTarget> LinkNavigation::linkOf(const NpcRecord &record, quint8 ownNumber) const
{
    if (record.isEmpty() || record.ControlRec == NoneByte)
        return std::nullopt;
    if (record.ControlNpc != ownNumber)
        return toOtherScript(record.ControlNpc, record.ControlRec);
    LinkTarget target;
    target.npc = record.ControlNpc;
    target.record = record.ControlRec;
    return target;
}

LinkNavigation::LinkTarget LinkNavigation::toOtherScript(quint8 npc, int record) const
{
    return {false, npc, record, m_folder.scriptPathOf(npc)};
}

LinkNavigation::Incoming LinkNavigation::incomingTo(int target, const NpcRecords &records,
                                                    quint8 ownNumber, int savedTarget) const
{
    Incoming incoming;
    QStringList parts;
    QStringList here;
    for (int i = 0; i < RecordCount; ++i) {
        if (linksIntoScript(records[i], ownNumber) && records[i].ControlRec == target)
            here << QString::number(i);
    }
    if (!here.isEmpty())
        parts << here.join(QStringLiteral(", "));
    incoming.count = int(here.size());
    QString script;
    QStringList others;
    QStringList otherParts;
    const auto flush = [&] {
        if (!others.isEmpty())
            otherParts << script + QStringLiteral(": ") + others.join(QStringLiteral(", "));
        others.clear();
    };
    const QList<IncomingLink> foreign = savedTarget < 0 ? QList<IncomingLink>() : m_folder.incomingTo(savedTarget);
    for (const IncomingLink &link : foreign) {
        if (link.script != script)
            flush();
        script = link.script;
        others << QString::number(link.record);
        ++incoming.count;
    }
    flush();
    incoming.others = otherParts.join(QStringLiteral("; "));
    parts << otherParts;
    incoming.list = parts.join(QStringLiteral("; "));
    const QString number = QString::number(target);
    incoming.text = parts.isEmpty() ? QStringLiteral("Ссылок на запись ") + number + QStringLiteral(" нет")
                                    : QStringLiteral("Ссылки на запись ") + number + QStringLiteral(": ") +
                                          incoming.list;
    return incoming;
}

void LinkNavigation::rememberPlace(const Place &place)
{
    m_places.append(place);
    emit changed();
}

std::optional<LinkNavigation::Place> LinkNavigation::lastPlace() const
{
    return m_places.isEmpty() ? std::nullopt : std::optional(m_places.last());
}

void LinkNavigation::forgetLastPlace()
{
    if (!m_places.isEmpty())
        m_places.removeLast();
    emit changed();
}
