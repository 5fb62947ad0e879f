#include "document/ScriptFileScan.h"

#include "common/UndecodableNames.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

ScriptFileScan::ScriptFileScan(const QString &folder)
    // Folders are listed too so that a step over a tree of empty folders still ends.
    : m_iterator(std::make_unique<QDirIterator>(folder, QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot,
                                                QDirIterator::Subdirectories))
{
    lookForUndecodable(folder);
}

void ScriptFileScan::lookForUndecodable(const QString &folder)
{
    for (const UndecodableNames::Entry &entry : UndecodableNames::in(folder)) {
        if (entry.folder || entry.name.toLower().endsWith(".npc"))
            m_undecodable << UndecodableNames::shown(QDir::cleanPath(folder), entry.name);
    }
}

ScriptFileScan::~ScriptFileScan() = default;

bool ScriptFileScan::step(int entries)
{
    for (int i = 0; m_iterator && i < entries; ++i) {
        if (!m_iterator->hasNext()) {
            m_iterator.reset();
            std::sort(m_paths.begin(), m_paths.end());
            std::sort(m_undecodable.begin(), m_undecodable.end());
            break;
        }
        const QString path = m_iterator->next();
        const QFileInfo info = m_iterator->fileInfo();
        if (path.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive) && info.isFile())
            m_paths << QDir::cleanPath(path);
        else if (info.isDir() && !info.isSymLink())
            lookForUndecodable(path);
    }
    return isDone();
}

QStringList ScriptFileScan::all(const QString &folder, QStringList *undecodable)
{
    ScriptFileScan scan(folder);
    while (!scan.step(4096)) {
    }
    if (undecodable)
        *undecodable << scan.undecodable();
    return scan.paths();
}
