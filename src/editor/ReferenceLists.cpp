#include "editor/ReferenceLists.h"

#include "common/ParallelFor.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <iterator>

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
static_assert(std::size(Slots) == int(ListId::Modes), "one slot per list, numbered from 1");

const ListSlot *slotOf(ListId id)
{
    for (const ListSlot &slot : Slots) {
        if (slot.id == id)
            return &slot;
    }
    return nullptr;
}

QString firstFileIn(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
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

QString ReferenceLists::fileFor(ListId id, const QString &dataDir, const QString &standardDir,
                                const QString &shippedDir)
{
    const QString name = fileName(id);
    const QString path = firstFileIn({dataDir, standardDir, shippedDir}, name);
    return path.isEmpty() ? QDir(standardDir).filePath(name) : path;
}

QStringList ReferenceLists::load(const QString &dataDir, const QString &standardDir,
                                 const QString &shippedDir)
{
    constexpr std::size_t count = std::size(Slots);
    std::array<QString, count> paths;
    qint64 bytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        paths[i] = fileFor(Slots[i].id, dataDir, standardDir, shippedDir);
        bytes += QFileInfo(paths[i]).size();
    }
    // The lists are independent, and big ones take a while: read side by side.
    std::array<bool, count> read{};
    parallelFor(
        count, [&](std::size_t i) { read[i] = (this->*(Slots[i].member)).readFile(paths[i]); }, bytes);

    QStringList failed;
    for (std::size_t i = 0; i < count; ++i) {
        QString &source = m_sources[int(Slots[i].id) - 1];
        source = read[i] ? paths[i] : QString();
        if (!read[i])
            failed << QDir::toNativeSeparators(paths[i]);
    }
    return failed;
}

QString ReferenceLists::sourceOf(ListId id) const
{
    return slotOf(id) ? m_sources[int(id) - 1] : QString();
}

QStringList ReferenceLists::sourceFolders() const
{
    QStringList folders;
    for (const QString &source : m_sources) {
        if (source.isEmpty())
            continue;
        const QString folder = QFileInfo(source).absolutePath();
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}
