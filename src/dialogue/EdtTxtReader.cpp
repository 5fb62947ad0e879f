#include "dialogue/EdtTxtReader.h"

#include "common/RegularFile.h"
#include "dialogue/PhraseLine.h"

#include <QStringDecoder>

#include <algorithm>

namespace
{

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// The lines of the file without their ends.
QList<QByteArrayView> splitLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        QByteArrayView line = end < 0 ? bytes : bytes.first(end);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
        bytes = end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
    }
    return lines;
}

QString at(qsizetype index)
{
    return QStringLiteral("строка %1: ").arg(index + 1);
}

} // namespace

bool EdtTxtReader::parse(const QByteArray &bytes, Encoding encoding)
{
    QByteArrayView rest(bytes);
    const bool marked = rest.startsWith(Utf8Mark);
    if (marked && encoding == Encoding::Utf8)
        rest = rest.sliced(3);
    const QList<QByteArrayView> lines = splitLines(rest);
    EdtText text;
    for (qsizetype i = 0; i < lines.size(); i += 3) {
        if (std::all_of(lines.begin() + i, lines.end(), [](QByteArrayView line) { return line.isEmpty(); }))
            break;
        const QByteArray number = '#' + QByteArray::number(text.size());
        if (lines.at(i) != number) {
            m_error = at(i) + QStringLiteral("ожидалась строка «%1»").arg(QLatin1String(number));
            if (i == 0 && marked)
                m_error +=
                    QStringLiteral(" (файл начинается с метки UTF-8: он в UTF-8, а не в Windows-1251)");
            else if (lines.at(i).startsWith('#'))
                m_error += QStringLiteral(": номера фраз идут по порядку с 0");
            return false;
        }
        // A file cut right after the number, as some editors trim it, ends in an empty phrase.
        QByteArray line = i + 1 < lines.size() ? lines.at(i + 1).toByteArray() : QByteArray();
        QString problem;
        if (encoding == Encoding::Utf8) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = decoder(line);
            if (decoder.hasError()) {
                m_error = at(i + 1) + QStringLiteral("текст не в UTF-8");
                return false;
            }
            line = PhraseLine::fromText(decoded, problem).value_or(QByteArray());
        } else {
            problem = PhraseLine::problem(line);
        }
        if (!problem.isEmpty()) {
            m_error = at(i + 1) + QStringLiteral("фраза %1: ").arg(text.size()) + problem;
            return false;
        }
        if (i + 2 < lines.size() && !lines.at(i + 2).isEmpty()) {
            m_error = at(i + 2) + QStringLiteral("после фразы %1 ожидалась пустая строка").arg(text.size());
            return false;
        }
        text.insertLine(text.size(), std::move(line));
    }
    m_text = std::move(text);
    m_error.clear();
    return true;
}

bool EdtTxtReader::read(const QString &path, Encoding encoding)
{
    QByteArray bytes;
    if (!RegularFile::readAll(path, MaxFileSize, bytes, m_error))
        return false;
    return parse(bytes, encoding);
}
