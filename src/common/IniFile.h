#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// A Windows INI file read and written as raw "Key=Value" lines: no escapes, keys and
// sections matched without regard to case. Other programs and people write the same file
// in their own encodings, so lines are bytes: every line that is not set comes back as it
// was read, line end included.
class IniFile
{
public:
    // A settings file, not a data file: anything larger is not one of ours.
    static constexpr qint64 MaxFileSize = 1024 * 1024;
    static constexpr qsizetype MaxLines = 10000;

    void parse(const QByteArray &bytes);
    // False, with the reason in errorString(), when missing, not a regular file, unreadable,
    // larger than MaxFileSize or longer than MaxLines lines; the file then stays empty.
    bool load(const QString &path);
    QByteArray serialize() const;
    bool save(const QString &path) const;
    QString errorString() const { return m_error; }
    // True while the lines are byte for byte those last parsed or loaded.
    bool isUnchanged() const { return serialize() == m_read; }

    bool contains(QByteArrayView section, QByteArrayView key) const;
    QByteArray value(QByteArrayView section, QByteArrayView key) const;
    // Windows profile rules: leading digits with an optional sign, else the default.
    int intValue(QByteArrayView section, QByteArrayView key, int defaultValue) const;
    // False, changing nothing, for a value with a line break, which no INI line can hold.
    bool setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value);

private:
    struct Line {
        QByteArray text;
        QByteArray end;     // the line end as read; empty for a last line without one
        QByteArray section; // the section this line belongs to
        QByteArray key;     // empty for section lines, comments and blanks
        QByteArray value;
    };
    int find(QByteArrayView section, QByteArrayView key) const;

    QList<Line> m_lines;
    QByteArray m_read;
    mutable QString m_error; // of the last load or save
};
