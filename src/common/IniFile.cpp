#include "common/IniFile.h"

#include "common/SaveFile.h"

#include <QFile>

void IniFile::parse(const QByteArray &bytes)
{
    m_lines.clear();
    QString section;
    const QString text = QString::fromUtf8(bytes);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break;
        Line line{raw, section, {}, {}};
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
            line.section = section;
        } else if (!trimmed.startsWith(QLatin1Char(';'))) {
            const qsizetype eq = raw.indexOf(QLatin1Char('='));
            if (eq > 0) {
                line.key = raw.left(eq).trimmed();
                line.value = raw.mid(eq + 1).trimmed();
            }
        }
        m_lines.append(line);
    }
}

bool IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lines.clear();
        return false;
    }
    parse(file.readAll());
    return true;
}

QByteArray IniFile::serialize() const
{
    QByteArray out;
    for (const Line &line : m_lines)
        out += line.text.toUtf8() + "\r\n";
    return out;
}

bool IniFile::save(const QString &path, QString *error) const
{
    QString reason;
    const bool saved = saveFile(path, serialize(), reason);
    if (!saved && error)
        *error = reason;
    return saved;
}

int IniFile::find(const QString &section, const QString &key) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (!line.key.isEmpty() && line.section.compare(section, Qt::CaseInsensitive) == 0 &&
            line.key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return find(section, key) >= 0;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    const int i = find(section, key);
    return i < 0 ? QString() : m_lines[i].value;
}

int IniFile::intValue(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = value(section, key);
    qsizetype end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    const qsizetype digits = end;
    while (end < text.size() && text[end].isDigit() && end - digits < 9)
        ++end;
    if (end == digits)
        return defaultValue;
    return text.left(end).toInt();
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const Line line{key + QLatin1Char('=') + value, section, key, value};
    const int existing = find(section, key);
    if (existing >= 0) {
        m_lines[existing] = {key + QLatin1Char('=') + value, m_lines[existing].section, key, value};
        return;
    }
    int lastOfSection = -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].section.compare(section, Qt::CaseInsensitive) == 0 &&
            !m_lines[i].text.trimmed().isEmpty())
            lastOfSection = i;
    }
    if (lastOfSection < 0) {
        m_lines.append({QLatin1Char('[') + section + QLatin1Char(']'), section, {}, {}});
        m_lines.append(line);
        return;
    }
    m_lines.insert(lastOfSection + 1, line);
}
