#pragma once

#include "dialogue/EdtText.h"

#include <QString>

class QCryptographicHash;
class QIODevice;
struct FileStamp;

// Reads a dialogue file: records of 480 bytes, one phrase each, no header. Each record is
// 240 little-endian 16-bit units ending at the first 0; a unit stands for the byte one
// below it, except 0x0020, which is itself a blank. A tail shorter than a record is ignored.
class EdtReader
{
public:
    static constexpr int RecordSize = 480;
    static constexpr int UnitsPerRecord = RecordSize / 2;
    static constexpr quint16 BlankUnit = 0x0020;

    // One record of RecordSize bytes into one line.
    static QByteArray decodeRecord(const char *record);
    static EdtText decode(const QByteArray &bytes);

    // Far above what any dialogue of the game holds; a larger file is refused unread.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    bool read(QIODevice *device, qint64 limit = MaxFileSize);
    // With a stamp, also what the file was when read, from the same one reading.
    bool read(const QString &path, FileStamp *stamp = nullptr);

    const EdtText &text() const { return m_text; }
    EdtText takeText() { return std::move(m_text); }
    QString errorString() const { return m_error; }

private:
    EdtText m_text;
    QString m_error;
    QCryptographicHash *m_hash = nullptr; // fed every byte read, while stamping
};
