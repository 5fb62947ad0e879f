#include "common/IniFile.h"

#include "common/RegularFile.h"
#include "common/SaveFile.h"

namespace
{

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void IniFile::parse(const QByteArray &bytes)
{
    m_read = bytes;
    m_lines.clear();
    QByteArray section;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype next = bytes.indexOf('\n', start);
        next = next < 0 ? bytes.size() : next + 1;
        const QByteArrayView whole = QByteArrayView(bytes).sliced(start, next - start);
        const qsizetype endSize = whole.endsWith("\r\n") ? 2 : whole.endsWith('\n') ? 1 : 0;
        Line line{whole.chopped(endSize).toByteArray(), whole.last(endSize).toByteArray(), section, {}, {}};
        QByteArrayView content = line.text;
        if (start == 0 && content.startsWith("\xEF\xBB\xBF"))
            content = content.sliced(3); // a byte order mark written by an editor
        const QByteArrayView trimmed = content.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            section = trimmed.sliced(1, trimmed.size() - 2).trimmed().toByteArray();
            line.section = section;
        } else if (!trimmed.startsWith(';')) {
            const qsizetype eq = content.indexOf('=');
            if (eq > 0) {
                line.key = content.first(eq).trimmed().toByteArray();
                line.value = content.sliced(eq + 1).trimmed().toByteArray();
            }
        }
        m_lines.append(line);
        start = next;
    }
}

bool IniFile::load(const QString &path)
{
    QByteArray bytes;
    if (!RegularFile::readAll(path, MaxFileSize, bytes, m_error) ||
        !RegularFile::withinLines(bytes, MaxLines, m_error)) {
        m_lines.clear();
        m_read.clear();
        return false;
    }
    m_error.clear();
    parse(bytes);
    return true;
}

QByteArray IniFile::serialize() const
{
    QByteArray out;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        out += line.text;
        // A last line without an end gets one only when a line now follows it.
        out += line.end.isEmpty() && i + 1 < m_lines.size() ? LineEnd : line.end;
    }
    return out;
}

bool IniFile::save(const QString &path) const
{
    m_error.clear();
    return saveFile(path, serialize(), m_error);
}

int IniFile::find(QByteArrayView section, QByteArrayView key) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (!line.key.isEmpty() && sameName(line.section, section) && sameName(line.key, key))
            return i;
    }
    return -1;
}

bool IniFile::contains(QByteArrayView section, QByteArrayView key) const
{
    return find(section, key) >= 0;
}

QByteArray IniFile::value(QByteArrayView section, QByteArrayView key) const
{
    const int i = find(section, key);
    return i < 0 ? QByteArray() : m_lines[i].value;
}

int IniFile::intValue(QByteArrayView section, QByteArrayView key, int defaultValue) const
{
    const QByteArray text = value(section, key);
    qsizetype end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+'))
        ++end;
    const qsizetype digits = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && end - digits < 9)
        ++end;
    if (end == digits)
        return defaultValue;
    return text.left(end).toInt();
}

bool IniFile::setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value)
{
    if (value.contains('\n') || value.contains('\r'))
        return false;
    const QByteArray text = key.toByteArray() + '=' + value;
    const int existing = find(section, key);
    if (existing >= 0) {
        Line &line = m_lines[existing];
        line.text = text;
        line.key = key.toByteArray();
        line.value = value;
        return true;
    }
    int lastOfSection = -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (sameName(m_lines[i].section, section) && !m_lines[i].text.trimmed().isEmpty())
            lastOfSection = i;
    }
    const Line line{text, LineEnd, section.toByteArray(), key.toByteArray(), value};
    if (lastOfSection < 0) {
        m_lines.append({'[' + section.toByteArray() + ']', LineEnd, section.toByteArray(), {}, {}});
        m_lines.append(line);
        return true;
    }
    m_lines.insert(lastOfSection + 1, line);
    return true;
}
