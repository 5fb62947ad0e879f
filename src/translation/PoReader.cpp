#include "translation/PoReader.h"

#include "common/RegularFile.h"
#include "common/Windows1251.h"
#include "translation/PoString.h"

#include <QRegularExpression>
#include <QStringDecoder>

// The strings of one entry as bytes, until the charset is known.
struct PoReader::RawEntry {
    QByteArray context;
    QByteArray id;
    QByteArray idPlural;
    QList<QByteArray> strings;
};

namespace
{

enum class Field { None, Context, Id, IdPlural, String };

struct Keyword {
    Field field = Field::None;
    int index = -1; // msgstr[N]
    qsizetype length = 0;
};

Keyword keywordOf(QByteArrayView line)
{
    auto starts = [&](const char *word) {
        const qsizetype n = qstrlen(word);
        return line.startsWith(word) && (line.size() == n || line[n] == ' ' || line[n] == '\t' || line[n] == '"' ||
                                         line[n] == '[');
    };
    if (starts("msgctxt"))
        return {Field::Context, -1, 7};
    if (starts("msgid_plural"))
        return {Field::IdPlural, -1, 12};
    if (starts("msgid"))
        return {Field::Id, -1, 5};
    if (starts("msgstr")) {
        if (line.size() > 6 && line[6] == '[') {
            const qsizetype close = line.indexOf(']');
            bool ok = false;
            const int index = close > 7 ? line.sliced(7, close - 7).toInt(&ok) : -1;
            if (!ok || index < 0)
                return {};
            return {Field::String, index, close + 1};
        }
        return {Field::String, -1, 6};
    }
    return {};
}

bool isBlankLine(QByteArrayView line)
{
    for (const char c : line)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v')
            return false;
    return true;
}

QString quotingText()
{
    return QStringLiteral("нарушены кавычки строки");
}

} // namespace

bool PoReader::fail(int line, const QString &reason)
{
    m_errorLine = line;
    m_error = line > 0 ? QStringLiteral("строка %1: %2").arg(line).arg(reason) : reason;
    m_catalogue = {};
    return false;
}

bool PoReader::read(const QString &path)
{
    QByteArray bytes;
    QString error;
    if (!RegularFile::readAll(path, MaxFileSize, bytes, error))
        return fail(0, error);
    return parse(bytes);
}

bool PoReader::read(QIODevice *device)
{
    QByteArray bytes;
    QString error;
    if (!RegularFile::readAtMost(*device, MaxFileSize, bytes, error))
        return fail(0, error);
    return parse(bytes);
}

bool PoReader::parse(const QByteArray &bytes)
{
    m_catalogue = {};
    m_error.clear();
    m_errorLine = 0;
    qsizetype pos = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_catalogue.prefix = bytes.left(3);
        pos = 3;
    }
    QList<RawEntry> raw;
    PoEntry entry;
    RawEntry fields;
    Field last = Field::None;
    bool open = false;          // lines of an entry are being read
    qsizetype entryStart = pos; // its first byte
    qsizetype gapStart = pos;   // the blank lines before it
    int lineNumber = 0;
    auto finish = [&](qsizetype end) {
        if (!open)
            return true;
        if (!entry.commentsOnly && fields.strings.isEmpty())
            return fail(entry.line, QStringLiteral("у записи нет msgstr"));
        entry.read = bytes.mid(entryStart, end - entryStart);
        m_catalogue.entries << std::move(entry);
        raw << std::move(fields);
        entry = {};
        fields = {};
        last = Field::None;
        open = false;
        gapStart = end;
        return true;
    };
    while (pos < bytes.size()) {
        ++lineNumber;
        qsizetype end = bytes.indexOf('\n', pos);
        end = end < 0 ? bytes.size() : end + 1;
        QByteArrayView line(bytes.constData() + pos, end - pos);
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype lineStart = pos;
        pos = end;
        if (isBlankLine(line)) {
            if (!finish(lineStart))
                return false;
            continue;
        }
        const bool startsAnother = open && !fields.strings.isEmpty();
        if (line.startsWith('#')) {
            if (startsAnother && !finish(lineStart))
                return false;
            if (open && !entry.commentsOnly)
                return fail(lineNumber, QStringLiteral("комментарий внутри записи, до её msgstr"));
            if (!open) {
                open = true;
                entry.commentsOnly = true;
                entry.line = lineNumber;
                entry.before = bytes.mid(gapStart, lineStart - gapStart);
                entryStart = lineStart;
            }
            if (line.startsWith("#,")) {
                // Flags are gettext's ASCII words; anything else in them is kept byte for byte.
                for (const QByteArray &flag : line.sliced(2).toByteArray().split(','))
                    if (!flag.trimmed().isEmpty())
                        entry.flags << QString::fromLatin1(flag.trimmed());
            } else {
                entry.comments << line.toByteArray();
            }
            continue;
        }
        if (line.startsWith('"')) {
            const auto text = PoString::unquote(line);
            if (!text)
                return fail(lineNumber, quotingText());
            switch (last) {
            case Field::None:
                return fail(lineNumber, QStringLiteral("строка в кавычках без msgid или msgstr перед ней"));
            case Field::Context: fields.context += *text; break;
            case Field::Id: fields.id += *text; break;
            case Field::IdPlural: fields.idPlural += *text; break;
            case Field::String: fields.strings.last() += *text; break;
            }
            continue;
        }
        const Keyword keyword = keywordOf(line);
        if (keyword.field == Field::None)
            return fail(lineNumber, QStringLiteral("непонятная строка: ожидается msgctxt, msgid, msgstr или "
                                                   "комментарий"));
        const bool entryBegins = keyword.field == Field::Context || keyword.field == Field::Id;
        if (entryBegins && startsAnother && !finish(lineStart))
            return false;
        if (!open) {
            open = true;
            entry.before = bytes.mid(gapStart, lineStart - gapStart);
            entryStart = lineStart;
        }
        if (entry.commentsOnly) {
            entry.commentsOnly = false;
            entry.line = lineNumber;
        } else if (entry.line == 0) {
            entry.line = lineNumber;
        }
        const auto text = PoString::unquote(line.sliced(keyword.length));
        if (!text)
            return fail(lineNumber, quotingText());
        switch (keyword.field) {
        case Field::Context:
            if (entry.hasContext || last != Field::None)
                return fail(lineNumber, QStringLiteral("msgctxt не на своём месте"));
            entry.hasContext = true;
            fields.context = *text;
            break;
        case Field::Id:
            if (last != Field::None && last != Field::Context)
                return fail(lineNumber, QStringLiteral("второй msgid в одной записи"));
            fields.id = *text;
            break;
        case Field::IdPlural:
            if (last != Field::Id)
                return fail(lineNumber, QStringLiteral("msgid_plural не после msgid"));
            entry.plural = true;
            fields.idPlural = *text;
            break;
        case Field::String:
            if (last == Field::None || last == Field::Context)
                return fail(lineNumber, QStringLiteral("msgstr без msgid перед ним"));
            if ((keyword.index >= 0) != entry.plural || (keyword.index >= 0 && keyword.index != fields.strings.size()))
                return fail(lineNumber, QStringLiteral("msgstr не соответствует msgid (формы множественного числа)"));
            if (fields.strings.isEmpty())
                entry.stringLine = lineNumber;
            fields.strings << *text;
            break;
        case Field::None:
            break;
        }
        last = keyword.field;
    }
    if (!finish(bytes.size()))
        return false;
    m_catalogue.trailer = bytes.mid(gapStart);
    return decode(raw) && checkDuplicates();
}

bool PoReader::decode(const QList<RawEntry> &raw)
{
    // The header names the charset; gettext's template placeholder "CHARSET" means none yet.
    QByteArray charset = "utf-8";
    int headerLine = 0;
    for (qsizetype k = 0; k < raw.size(); ++k) {
        const PoEntry &entry = m_catalogue.entries.at(k);
        // Nothing is decoded yet: the header is told by its empty msgid as read.
        if (!entry.isHeader() || !raw.at(k).id.isEmpty())
            continue;
        static const QRegularExpression pattern(QStringLiteral("charset=([^\\s;]+)"),
                                                QRegularExpression::CaseInsensitiveOption);
        const auto match = pattern.match(QString::fromLatin1(raw.at(k).strings.value(0)));
        if (match.hasMatch())
            charset = match.captured(1).toLatin1().toLower();
        headerLine = entry.line;
        break;
    }
    if (charset == "windows-1251" || charset == "cp1251") {
        m_catalogue.charset = PoCatalogue::Charset::Windows1251;
    } else if (charset == "utf-8" || charset == "utf8" || charset == "charset" || charset == "us-ascii" ||
               charset == "ascii") {
        m_catalogue.charset = PoCatalogue::Charset::Utf8;
    } else {
        return fail(headerLine, QStringLiteral("неизвестная кодировка «%1» (читаются UTF-8 и Windows-1251)")
                                    .arg(QString::fromLatin1(charset)));
    }
    const bool utf8 = m_catalogue.charset == PoCatalogue::Charset::Utf8;
    bool broken = false;
    auto text = [&](const QByteArray &bytes) {
        if (!utf8)
            return fromWindows1251(bytes);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = decoder(bytes);
        broken = broken || decoder.hasError();
        return decoded;
    };
    for (qsizetype k = 0; k < raw.size(); ++k) {
        PoEntry &entry = m_catalogue.entries[k];
        const RawEntry &fields = raw.at(k);
        entry.context = text(fields.context);
        entry.id = text(fields.id);
        entry.idPlural = text(fields.idPlural);
        for (const QByteArray &string : fields.strings)
            entry.strings << text(string);
        if (broken)
            return fail(entry.line, QStringLiteral("текст не в кодировке UTF-8, которую объявляет заголовок"));
    }
    m_catalogue.index();
    return true;
}

bool PoReader::checkDuplicates()
{
    QHash<QString, int> seen;
    for (const PoEntry &entry : std::as_const(m_catalogue.entries)) {
        if (entry.commentsOnly)
            continue;
        const QString key = PoCatalogue::key(entry.hasContext ? entry.context : QString(QChar(0x5)), entry.id);
        if (const auto found = seen.constFind(key); found != seen.cend())
            return fail(entry.line, QStringLiteral("запись повторяет запись строки %1 (тот же msgctxt и msgid)")
                                        .arg(*found));
        seen.insert(key, entry.line);
    }
    return true;
}
