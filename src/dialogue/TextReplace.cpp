#include "dialogue/TextReplace.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseLine.h"

namespace
{

// ё is е for the matching; a one-for-one swap, so positions stay where they were.
QString yoFolded(QString text)
{
    for (QChar &c : text) {
        if (c == u'ё')
            c = u'е';
        else if (c == u'Ё')
            c = u'Е';
    }
    return text;
}

} // namespace

TextReplacer::TextReplacer(const ReplaceOptions &options)
    : m_with(options.with), m_regex(options.regex), m_yo(options.yo)
{
    if (options.text.isEmpty()) {
        m_problem = QStringLiteral("Не задан текст, который заменять.");
        return;
    }
    if (!m_regex) {
        if (const qsizetype bad = firstUnencodable1251(options.text); bad >= 0) {
            m_problem = PhraseLine::unencodableText(options.text, bad) +
                        QStringLiteral(": такого текста в фразах не бывает.");
            return;
        }
    }
    QString pattern = m_regex ? options.text : QRegularExpression::escape(options.text);
    if (m_yo)
        pattern = yoFolded(pattern);
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (options.ignoreCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    m_pattern = QRegularExpression(pattern, flags);
    if (!m_pattern.isValid()) {
        m_problem = QStringLiteral("Регулярное выражение не разобрать: %1 (знак %2).")
                        .arg(m_pattern.errorString())
                        .arg(m_pattern.patternErrorOffset() + 1);
        return;
    }
    if (m_pattern.match(QString()).hasMatch()) {
        m_problem = QStringLiteral("Регулярное выражение совпадает с пустой строкой: заменять было бы нечего "
                                   "или пришлось бы вставлять текст между всеми знаками.");
        return;
    }
    // A group the expression lacks would otherwise go into the phrases as "\2".
    for (qsizetype i = 0; m_regex && i + 1 < m_with.size(); ++i) {
        if (m_with.at(i) != u'\\')
            continue;
        const QChar next = m_with.at(++i);
        if (next.isDigit() && next.digitValue() > m_pattern.captureCount()) {
            m_problem = QStringLiteral("В замене \\%1, а групп в скобках в выражении %2.")
                            .arg(next.digitValue())
                            .arg(m_pattern.captureCount());
            return;
        }
    }
}

QString TextReplacer::substitute(const QString &original, const QRegularExpressionMatch &match) const
{
    if (!m_regex)
        return m_with;
    QString result;
    for (qsizetype i = 0; i < m_with.size(); ++i) {
        const QChar c = m_with.at(i);
        if (c != u'\\' || i + 1 == m_with.size()) {
            result += c;
            continue;
        }
        const QChar next = m_with.at(++i);
        if (next.isDigit()) {
            const int group = next.digitValue();
            // From the line itself: with е/ё folded the match only says where.
            if (match.capturedStart(group) >= 0)
                result += original.mid(match.capturedStart(group), match.capturedLength(group));
        } else if (next == u'\\') {
            result += next;
        } else {
            result += c;
            result += next;
        }
    }
    return result;
}

std::optional<LineReplacement> TextReplacer::replace(qsizetype phrase, const QByteArray &line) const
{
    if (!m_problem.isEmpty())
        return std::nullopt;
    const QString original = fromWindows1251(line);
    const QString subject = m_yo ? yoFolded(original) : original;
    QString result;
    qsizetype copied = 0;
    bool matched = false;
    auto matches = m_pattern.globalMatch(subject);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        if (match.capturedLength() == 0)
            continue;
        result += QStringView(original).mid(copied, match.capturedStart() - copied);
        result += substitute(original, match);
        copied = match.capturedEnd();
        matched = true;
    }
    if (!matched)
        return std::nullopt;
    result += QStringView(original).mid(copied);
    if (result == original)
        return std::nullopt;
    LineReplacement replacement{phrase, line, {}, result, {}};
    if (const auto bytes = PhraseLine::fromText(result, replacement.refusal))
        replacement.after = *bytes;
    return replacement;
}

QList<LineReplacement> TextReplacer::replaceAll(const EdtText &text) const
{
    QList<LineReplacement> found;
    qsizetype k = 0;
    for (const QByteArray &line : text) {
        if (auto replaced = replace(k, line))
            found << std::move(*replaced);
        ++k;
    }
    return found;
}

EdtText withReplacements(EdtText text, const QList<LineReplacement> &lines)
{
    for (const LineReplacement &line : lines) {
        if (!line.refused() && line.phrase < text.size())
            text.setLine(line.phrase, line.after);
    }
    return text;
}
