#include "gui/dialogue/PhraseTableModel.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseList.h"
#include "dialogue/PhraseSearch.h"
#include "session/OpenTranslation.h"
#include "session/ScriptSession.h"

#include <QBrush>
#include <QColor>
#include <QFileInfo>

PhraseTableModel::PhraseTableModel(ScriptSession &session, OpenTranslation &translation, QObject *parent)
    : QAbstractTableModel(parent), m_session(session), m_translation(translation)
{
}

QString PhraseTableModel::translationContext() const
{
    return QFileInfo(m_session.dialogue().path()).fileName();
}

QVariant PhraseTableModel::translationData(qsizetype line, int column, int role) const
{
    if (!m_translation.isOpen())
        return {};
    const QByteArray &text = m_session.dialogue().text().at(line);
    const LineLookup lookup = m_translation.lookUp(translationContext(), text);
    if (!lookup.counted)
        return {};
    if (role == Qt::BackgroundRole) {
        if (column != StateColumn || lookup.state == LineTranslation::Done)
            return {};
        return QBrush(lookup.state == LineTranslation::Fuzzy ? QColor(0xFF, 0xE0, 0xA0) : QColor(0xF6, 0xD0, 0xD0));
    }
    if (column == TranslationColumn)
        return lookup.entry < 0 ? QString() : m_translation.catalogue().entries.at(lookup.entry).translation();
    switch (lookup.state) {
    case LineTranslation::Done: return QStringLiteral("переведено");
    case LineTranslation::Fuzzy: return QStringLiteral("неточно");
    case LineTranslation::None: break;
    }
    return QStringLiteral("нет");
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
    if (index.column() >= TranslationColumn &&
        (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::BackgroundRole))
        return translationData(line, index.column(), role);
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
    case TranslationColumn:
        return QStringLiteral("Перевод");
    case StateColumn:
        return QStringLiteral("Состояние");
    }
    return {};
}

Qt::ItemFlags PhraseTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == TextColumn || (index.column() == TranslationColumn && m_translation.isOpen()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PhraseTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const qsizetype line = lineAt(index.row());
    if (role != Qt::EditRole || line < 0)
        return false;
    const QString text = value.toString();
    if (index.column() != TextColumn && index.column() != TranslationColumn)
        return false;
    const SessionResult edited =
        index.column() == TextColumn
            ? m_session.editPhrase(line, text)
            : m_translation.setTranslation(translationContext(), line, m_session.dialogue().text().at(line), text);
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

namespace
{

bool isUntranslated(const LineLookup &lookup)
{
    return lookup.counted && lookup.state != LineTranslation::Done;
}

} // namespace

void PhraseTableModel::setUntranslatedOnly(bool only)
{
    if (only == m_untranslatedOnly)
        return;
    m_untranslatedOnly = only;
    m_shown = {};
    refresh();
}

void PhraseTableModel::filterLines()
{
    m_lines.clear();
    const PhraseTextMatcher matcher(m_words);
    const bool untranslated = m_untranslatedOnly && m_translation.isOpen();
    const QString context = translationContext();
    qsizetype line = 0;
    for (const QByteArray &text : m_shown) {
        if (matcher.matches(text) &&
            (!untranslated || isUntranslated(m_translation.lookUp(context, text))))
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

void PhraseTableModel::translationChanged()
{
    if (m_untranslatedOnly)
        m_shown = {};
    refresh();
}
