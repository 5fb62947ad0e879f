#include "gui/dialogue/PhraseTableModel.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseList.h"
#include "dialogue/PhraseSearch.h"
#include "session/ScriptSession.h"

#include <QBrush>
#include <QColor>

PhraseTableModel::PhraseTableModel(ScriptSession &session, QObject *parent)
    : QAbstractTableModel(parent), m_session(session)
{
}

int PhraseTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows);
}

int PhraseTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

qsizetype PhraseTableModel::lineAt(int row) const
{
    if (row < 0 || row >= m_rows)
        return -1;
    return isFiltered() ? m_lines.at(row) : row;
}

int PhraseTableModel::rowOf(qsizetype line) const
{
    if (line < 0 || line >= m_shown.size())
        return -1;
    if (!isFiltered())
        return int(line);
    const auto found = std::lower_bound(m_lines.begin(), m_lines.end(), line);
    return found != m_lines.end() && *found == line ? int(found - m_lines.begin()) : -1;
}

bool PhraseTableModel::isCurrentRecordsLine(qsizetype line) const
{
    const NpcRecord &record = m_session.currentRecord();
    return !record.speaksNothing() && line >= record.Phrase && line < record.Phrase + record.PhraseCnt;
}

QVariant PhraseTableModel::data(const QModelIndex &index, int role) const
{
    const qsizetype line = lineAt(index.row());
    if (line < 0 || line >= m_session.dialogue().text().size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case NumberColumn:
            return QString::number(line);
        case TextColumn:
            return fromWindows1251(m_session.dialogue().text().at(line));
        case RecordsColumn:
            return PhraseList::speakersText(m_session.records(), line);
        }
        break;
    case Qt::BackgroundRole:
        if (isCurrentRecordsLine(line))
            return QBrush(QColor(0xFF, 0xF1, 0xC2));
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == NumberColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return {};
}

QVariant PhraseTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NumberColumn:
        return QStringLiteral("№");
    case TextColumn:
        return QStringLiteral("Текст");
    case RecordsColumn:
        return QStringLiteral("Записи");
    }
    return {};
}

Qt::ItemFlags PhraseTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == TextColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PhraseTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const qsizetype line = lineAt(index.row());
    if (role != Qt::EditRole || index.column() != TextColumn || line < 0)
        return false;
    const QString text = value.toString();
    const SessionResult edited = m_session.editPhrase(line, text);
    if (!edited)
        emit editRefused(index, edited.message, text);
    return edited.ok;
}

void PhraseTableModel::setFilter(const QString &words)
{
    const QByteArray bytes = toWindows1251(words);
    if (bytes == m_words)
        return;
    m_words = bytes;
    m_shown = {}; // the rows are made anew
    refresh();
}

void PhraseTableModel::filterLines()
{
    m_lines.clear();
    const PhraseTextMatcher matcher(m_words);
    qsizetype line = 0;
    for (const QByteArray &text : m_shown) {
        if (matcher.matches(text))
            m_lines << line;
        ++line;
    }
}

void PhraseTableModel::refresh()
{
    const EdtText &text = m_session.dialogue().text();
    // Comparing a text with an earlier copy of itself looks at the changed blocks only.
    const bool sameLines = m_shown == text && m_rows == (isFiltered() ? m_lines.size() : text.size());
    if (!sameLines) {
        const bool sameRows = !isFiltered() && m_rows == text.size();
        if (!sameRows)
            beginResetModel();
        m_shown = text;
        if (isFiltered())
            filterLines();
        m_rows = isFiltered() ? m_lines.size() : text.size();
        if (!sameRows) {
            endResetModel();
            return;
        }
    }
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(int(m_rows) - 1, ColumnCount - 1));
}
