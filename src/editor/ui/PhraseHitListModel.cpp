#include "editor/ui/PhraseHitListModel.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseList.h"

void PhraseHitListModel::clear(const QString &folder)
{
    beginResetModel();
    m_folder = QDir(folder);
    m_hits.clear();
    m_scripts = 0;
    endResetModel();
}

void PhraseHitListModel::append(const QList<PhraseHit> &hits)
{
    if (hits.isEmpty())
        return;
    const int first = int(m_hits.size());
    beginInsertRows({}, first, first + int(hits.size()) - 1);
    for (const PhraseHit &hit : hits) {
        if (m_hits.isEmpty() || m_hits.constLast().scriptPath != hit.scriptPath)
            ++m_scripts;
        m_hits.append(hit);
    }
    endInsertRows();
}

int PhraseHitListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

int PhraseHitListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PhraseHitListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_hits.size())
        return {};
    const PhraseHit &hit = m_hits.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(hit, index.column());
    case Qt::ToolTipRole:
        if (index.column() == Script)
            return QDir::toNativeSeparators(hit.edtPath);
        // A line is longer than the column most of the time.
        return index.column() == Line ? text(hit, Line) : QVariant();
    default:
        return {};
    }
}

QVariant PhraseHitListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Script:
        return QStringLiteral("Скрипт");
    case Phrase:
        return QStringLiteral("Фраза");
    case Records:
        return QStringLiteral("Записи");
    case Line:
        return QStringLiteral("Текст");
    default:
        return {};
    }
}

QString PhraseHitListModel::text(const PhraseHit &hit, int column) const
{
    switch (column) {
    case Script:
        return QDir::toNativeSeparators(m_folder.relativeFilePath(hit.scriptPath));
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
