#include "dialogue/PhraseLine.h"

#include "common/Windows1251.h"

#include <QList>

namespace PhraseLine
{

namespace
{

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

// Unicode's own line breaks, which the code page has no byte for.
bool isTextLineBreak(char16_t c)
{
    return isLineBreak(c) || c == 0x0085 || c == 0x2028 || c == 0x2029;
}

QString lineBreakText()
{
    return QStringLiteral("Фраза занимает одну строку: перевод строки в ней не записать.");
}

} // namespace

QString problem(QByteArrayView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<quint8>(line[i]);
        if (isLineBreak(byte))
            return lineBreakText();
        if (byte < 0x20)
            return QStringLiteral("Знак %1 фразы — управляющий (код %2): игра его не покажет.")
                .arg(i + 1)
                .arg(byte);
    }
    if (line.size() > MaxLength)
        return QStringLiteral("Фраза длиннее %1 знаков: %2.").arg(MaxLength).arg(line.size());
    return {};
}

QString unencodableText(const QString &text, qsizetype index)
{
    const qsizetype width = text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    const QString one = text.mid(index, width);
    return QStringLiteral("Знака «%1» (U+%2) нет в кодировке Windows-1251")
        .arg(one, QString::number(one.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0'));
}

namespace
{

std::optional<QByteArray> inCodePage(const QString &text, QString &problem)
{
    if (const qsizetype bad = firstUnencodable1251(text); bad >= 0) {
        problem = unencodableText(text, bad) + QStringLiteral(": в фразу его не записать.");
        return std::nullopt;
    }
    return toWindows1251(text);
}

} // namespace

std::optional<QByteArray> fromText(const QString &text, QString &problem)
{
    for (const QChar c : text) {
        if (isTextLineBreak(c.unicode())) {
            problem = lineBreakText();
            return std::nullopt;
        }
    }
    std::optional<QByteArray> bytes = inCodePage(text, problem);
    if (bytes)
        problem = PhraseLine::problem(*bytes);
    if (!problem.isEmpty())
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> fromStoredText(const QString &text, QString &problem)
{
    std::optional<QByteArray> bytes = inCodePage(text, problem);
    if (!bytes)
        return std::nullopt;
    if (const qsizetype unit = bytes->indexOf('\x1f'); unit >= 0)
        problem = QStringLiteral("Знак %1 фразы (код 31) файл диалогов не хранит: он читается как пробел.")
                      .arg(unit + 1);
    else if (bytes->size() > MaxLength)
        problem = QStringLiteral("Фраза длиннее %1 знаков: %2.").arg(MaxLength).arg(bytes->size());
    else
        return bytes;
    return std::nullopt;
}

} // namespace PhraseLine
