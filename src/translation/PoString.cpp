#include "translation/PoString.h"

#include <QList>

namespace PoString
{

namespace
{

constexpr qsizetype Width = 79;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Where the escaped text may be cut: after a blank or a line break, within the width.
QList<QByteArray> pieces(const QByteArray &escaped)
{
    QList<QByteArray> result;
    qsizetype start = 0;
    const qsizetype room = Width - 2;
    while (start < escaped.size()) {
        qsizetype end = escaped.indexOf("\\n", start);
        end = end < 0 ? escaped.size() : end + 2;
        if (end - start > room) {
            const qsizetype blank = escaped.lastIndexOf(' ', start + room - 1);
            if (blank > start)
                end = blank + 1;
        }
        result << escaped.mid(start, end - start);
        start = end;
    }
    return result;
}

} // namespace

std::optional<QByteArray> unquote(QByteArrayView quoted)
{
    qsizetype i = 0;
    while (i < quoted.size() && isBlank(quoted[i]))
        ++i;
    if (i >= quoted.size() || quoted[i] != '"')
        return std::nullopt;
    QByteArray text;
    for (++i; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"') {
            for (++i; i < quoted.size(); ++i)
                if (!isBlank(quoted[i]))
                    return std::nullopt;
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i >= quoted.size())
            return std::nullopt;
        const char e = quoted[i];
        switch (e) {
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        case 'a': text += '\a'; break;
        case 'b': text += '\b'; break;
        case 'f': text += '\f'; break;
        case 'v': text += '\v'; break;
        case '\\': case '"': case '\'': case '?': text += e; break;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (i + 1 < quoted.size() && hexValue(quoted[i + 1]) >= 0 && digits < 2) {
                value = value * 16 + hexValue(quoted[++i]);
                ++digits;
            }
            if (digits == 0)
                return std::nullopt;
            text += char(value);
            break;
        }
        default:
            if (e < '0' || e > '7')
                return std::nullopt;
            int value = e - '0';
            for (int digits = 1; digits < 3 && i + 1 < quoted.size() && quoted[i + 1] >= '0' && quoted[i + 1] <= '7';
                 ++digits)
                value = value * 8 + (quoted[++i] - '0');
            text += char(value & 0xFF);
        }
    }
    return std::nullopt;
}

QByteArray escape(QByteArrayView text)
{
    QByteArray escaped;
    escaped.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '"': escaped += "\\\""; break;
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                static const char digits[] = "01234567";
                const auto byte = static_cast<unsigned char>(c);
                escaped += '\\';
                escaped += digits[byte >> 6];
                escaped += digits[(byte >> 3) & 7];
                escaped += digits[byte & 7];
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

QByteArray field(QByteArrayView keyword, QByteArrayView text)
{
    const QByteArray escaped = escape(text);
    const qsizetype breakAt = escaped.indexOf("\\n");
    const bool innerBreak = breakAt >= 0 && breakAt + 2 < escaped.size();
    QByteArray out = keyword.toByteArray();
    if (!innerBreak && keyword.size() + escaped.size() + 3 <= Width)
        return out + " \"" + escaped + "\"\n";
    out += " \"\"\n";
    for (const QByteArray &piece : pieces(escaped))
        out += '"' + piece + "\"\n";
    return out;
}

} // namespace PoString
