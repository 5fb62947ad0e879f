#include "gui/folder/PhraseHitListModel.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseList.h"

PhraseHitListModel::PhraseHitListModel(QObject *parent)
    : FoundListModel({QStringLiteral("Скрипт"), QStringLiteral("Фраза"), QStringLiteral("Записи"),
                      QStringLiteral("Текст")},
                     parent)
{
}

void PhraseHitListModel::clearRows()
{
    m_hits.clear();
    m_scripts = 0;
}

void PhraseHitListModel::append(const QList<PhraseHit> &hits)
{
    appendRows(hits.size(), [&] {
        for (const PhraseHit &hit : hits) {
            if (m_hits.isEmpty() || m_hits.constLast().scriptPath != hit.scriptPath)
                ++m_scripts;
            m_hits.append(hit);
        }
    });
}

QString PhraseHitListModel::text(int row, int column) const
{
    const PhraseHit &hit = m_hits.at(row);
    switch (column) {
    case Script:
        return scriptName(hit.scriptPath);
    case Phrase:
        return QString::number(hit.phrase);
    case Records:
        return PhraseList::speakersText(hit.records);
    case Line:
        return fromWindows1251(hit.line);
    default:
        return {};
    }
}

QString PhraseHitListModel::toolTip(int row, int column) const
{
    const PhraseHit &hit = m_hits.at(row);
    if (column == Script)
        return nativePath(hit.edtPath);
    // A line is longer than its column most of the time.
    return column == Line ? text(row, Line) : QString();
}
