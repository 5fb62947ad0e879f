#include "translation/PoCatalogue.h"

#include <QRegularExpression>

QString PoCatalogue::key(const QString &context, const QString &id)
{
    return context.toCaseFolded() + QChar(0x4) + id;
}

void PoCatalogue::index()
{
    m_index.clear();
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const PoEntry &entry = entries.at(k);
        if (!entry.commentsOnly && entry.hasContext)
            m_index.insert(key(entry.context, entry.id), k);
    }
}

qsizetype PoCatalogue::find(const QString &context, const QString &id) const
{
    return m_index.value(key(context, id), -1);
}

void PoCatalogue::setTranslation(qsizetype entry, const QString &text)
{
    PoEntry &changed = entries[entry];
    if (changed.strings.isEmpty())
        changed.strings << QString();
    changed.strings[0] = text;
    if (changed.isFuzzy()) {
        changed.flags.removeAll(QStringLiteral("fuzzy"));
        changed.comments.removeIf([](const QByteArray &line) { return line.startsWith("#|"); });
    }
    changed.read.clear();
}

qsizetype PoCatalogue::append(PoEntry entry)
{
    entry.read.clear();
    entries << std::move(entry);
    const PoEntry &added = entries.last();
    if (!added.commentsOnly && added.hasContext)
        m_index.insert(key(added.context, added.id), entries.size() - 1);
    return entries.size() - 1;
}

QString PoCatalogue::language() const
{
    static const QRegularExpression field(QStringLiteral("^Language:[ \\t]*(\\S*)"),
                                          QRegularExpression::MultilineOption);
    for (const PoEntry &entry : entries) {
        if (entry.isHeader())
            return field.match(entry.translation()).captured(1);
    }
    return {};
}
