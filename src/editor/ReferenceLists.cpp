#include "editor/ReferenceLists.h"

#include <QDir>
#include <QFileInfo>

namespace
{

struct ListSlot {
    ListId id;
    ReferenceList ReferenceLists::*member;
    const char *fileName;
};

// In reading order.
constexpr ListSlot Slots[ReferenceLists::Count] = {
    {ListId::Action, &ReferenceLists::Action, "Action.txt"},
    {ListId::Items, &ReferenceLists::Items, "Items.txt"},
    {ListId::Npc, &ReferenceLists::Npc, "Npc.txt"},
    {ListId::React, &ReferenceLists::React, "React.txt"},
    {ListId::Trigg, &ReferenceLists::Trigg, "Trigg.txt"},
    {ListId::Q_Input, &ReferenceLists::Q_Input, "Q_Input.txt"},
    {ListId::Q_Output, &ReferenceLists::Q_Output, "Q_Output.txt"},
    {ListId::Modes, &ReferenceLists::Modes, "Modes.txt"},
};

const ListSlot *slotOf(ListId id)
{
    for (const ListSlot &slot : Slots) {
        if (slot.id == id)
            return &slot;
    }
    return nullptr;
}

} // namespace

QString ReferenceLists::fileName(ListId id)
{
    const ListSlot *slot = slotOf(id);
    return slot ? QLatin1String(slot->fileName) : QString();
}

const ReferenceList &ReferenceLists::byId(ListId id) const
{
    static const ReferenceList none;
    const ListSlot *slot = slotOf(id);
    return slot ? this->*(slot->member) : none;
}

QStringList ReferenceLists::load(const QString &dataDir, const QString &standardDir)
{
    QStringList failed;
    for (const ListSlot &slot : Slots) {
        const QString name = QLatin1String(slot.fileName);
        QString path = dataDir.isEmpty() ? QString() : QDir(dataDir).filePath(name);
        if (path.isEmpty() || !QFileInfo(path).isFile())
            path = QDir(standardDir).filePath(name);
        if (!(this->*(slot.member)).readFile(path))
            failed << QDir::toNativeSeparators(path);
    }
    return failed;
}
