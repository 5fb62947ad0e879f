#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A Windows INI file read and written as raw "Key=Value" lines: no escapes, keys and
// sections matched without regard to case, other sections and lines kept on writing.
class IniFile
{
public:
    void parse(const QByteArray &bytes);
    bool load(const QString &path); // false when missing or unreadable (the file stays empty)
    QByteArray serialize() const;
    bool save(const QString &path, QString *error) const;

    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key) const;
    // Windows profile rules: leading digits with an optional sign, else the default.
    int intValue(const QString &section, const QString &key, int defaultValue) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Line {
        QString text;
        QString section; // the section this line belongs to
        QString key;     // empty for section lines, comments and blanks
        QString value;
    };
    int find(const QString &section, const QString &key) const;

    QList<Line> m_lines;
};
