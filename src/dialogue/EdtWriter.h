#pragma once

#include "dialogue/EdtReader.h"
#include "dialogue/EdtText.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;

// Writes a dialogue file. A line read and not changed since is written as the bytes it
// was read from, and the tail of the file read follows the last record; every other line
// is encoded: a blank as the unit 0x0020, any other byte b as b + 1, then zero units.
class EdtWriter
{
public:
    // The most lines of a file that the readers take: no more are written.
    static constexpr qsizetype MaxLines = EdtReader::MaxFileSize / EdtReader::RecordSize;
    // Empty when that many lines fit in a dialogue file, else why they do not.
    static QString tooManyLinesText(qsizetype lines);

    // One line of at most 240 bytes into one record of EdtReader::RecordSize bytes. It
    // takes any bytes: what a user may write is PhraseLine's to say.
    static void encodeRecord(QByteArrayView line, char *record);
    static QByteArray encodeRecord(QByteArrayView line);
    static QByteArray encode(const EdtText &text);

    bool write(const EdtText &text, QIODevice *device);
    // Replaces the file only once every byte is written.
    bool write(const EdtText &text, const QString &path);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};
