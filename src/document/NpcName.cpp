#include "document/NpcName.h"

#include <QFileInfo>

NpcName parseNpcName(const QString &path)
{
    NpcName name;
    name.rest = QFileInfo(path).fileName();
    name.rest.remove(QStringLiteral(".npc"), Qt::CaseInsensitive);
    bool ok = false;
    const qint32 value = name.rest.toInt(&ok, 10);
    if (!ok)
        return name;
    name.numeric = true;
    name.value = value;
    name.number = static_cast<quint8>(static_cast<quint32>(value) & 0xFFu);
    return name;
}

QString linkText(const NpcRecord &record, quint8 ownNpcNumber)
{
    if (record.ControlRec == NoneByte)
        return {};
    if (record.ControlNpc == ownNpcNumber)
        return QString::number(record.ControlRec);
    return QLatin1Char('#') + QString::number(record.ControlNpc);
}
