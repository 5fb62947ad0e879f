#include "document/ScriptFileScan.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

ScriptFileScan::ScriptFileScan(const QString &folder)
    // Folders are listed too so that a step over a tree of empty folders still ends.
    : m_iterator(std::make_unique<QDirIterator>(folder, QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot,
                                                QDirIterator::Subdirectories))
{
}

ScriptFileScan::~ScriptFileScan() = default;

bool ScriptFileScan::step(int entries)
{
    for (int i = 0; m_iterator && i < entries; ++i) {
        if (!m_iterator->hasNext()) {
            m_iterator.reset();
            std::sort(m_paths.begin(), m_paths.end());
            break;
        }
        const QString path = m_iterator->next();
        if (path.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive) && m_iterator->fileInfo().isFile())
            m_paths << QDir::cleanPath(path);
    }
    return isDone();
}

QStringList ScriptFileScan::all(const QString &folder)
{
    ScriptFileScan scan(folder);
    while (!scan.step(4096)) {
    }
    return scan.paths();
}
