#include "translation/DialogueTranslation.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseLine.h"

#include <QSet>

#include <algorithm>

QString TranslationCounts::text() const
{
    return QStringLiteral("переведено %1, без перевода %2, неточных %3").arg(done).arg(none).arg(fuzzy);
}

LineLookup lookUpLine(const PoCatalogue &catalogue, const QString &fileName, const QByteArray &line)
{
    LineLookup lookup;
    if (std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; }))
        return lookup;
    lookup.counted = true;
    lookup.entry = catalogue.find(fileName, fromWindows1251(line));
    if (lookup.entry < 0)
        return lookup;
    const PoEntry &entry = catalogue.entries.at(lookup.entry);
    if (entry.translation().isEmpty())
        lookup.state = LineTranslation::None;
    else
        lookup.state = entry.isFuzzy() ? LineTranslation::Fuzzy : LineTranslation::Done;
    return lookup;
}

namespace
{

void count(TranslationCounts &counts, const LineLookup &lookup)
{
    if (!lookup.counted)
        return;
    switch (lookup.state) {
    case LineTranslation::Done: ++counts.done; break;
    case LineTranslation::Fuzzy: ++counts.fuzzy; break;
    case LineTranslation::None: ++counts.none; break;
    }
}

} // namespace

TranslationCounts countTranslation(const PoCatalogue &catalogue, const QString &fileName, const EdtText &text)
{
    TranslationCounts counts;
    for (const QByteArray &line : text)
        count(counts, lookUpLine(catalogue, fileName, line));
    return counts;
}

QString translationProblem(const QString &translation, QByteArray &line)
{
    QString problem;
    const std::optional<QByteArray> bytes = PhraseLine::fromText(translation, problem);
    if (bytes)
        line = *bytes;
    return bytes ? QString() : problem;
}

TranslatedText translateText(const PoCatalogue &catalogue, const QString &fileName, const EdtText &text)
{
    TranslatedText result;
    result.text = text;
    QSet<qsizetype> refused; // each entry said once
    for (qsizetype k = 0; k < text.size(); ++k) {
        const LineLookup lookup = lookUpLine(catalogue, fileName, text.at(k));
        count(result.counts, lookup);
        if (lookup.state != LineTranslation::Done)
            continue;
        const PoEntry &entry = catalogue.entries.at(lookup.entry);
        QByteArray line;
        const QString problem = translationProblem(entry.translation(), line);
        if (problem.isEmpty()) {
            if (line != text.at(k))
                result.text.setLine(k, line);
        } else if (!refused.contains(lookup.entry)) {
            refused.insert(lookup.entry);
            result.refusals.append({entry.stringLine, problem});
        }
    }
    return result;
}
