#pragma once

#include "document/NpcScriptDocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QCryptographicHash;
class QIODevice;
struct FileStamp;

// Reads the records of a script file in either layout. Refuses files that fail the
// layout check before touching anything, so a refused file never leaves half a table.
class NpcReader
{
public:
    static constexpr qint64 FileSize = 1600;

    // b0..b3 are the first bytes of a file of the given size.
    static std::optional<NpcLayout> detectLayout(qint64 size, const QByteArray &head);

    bool read(QIODevice *device);
    // With a stamp: the file as read, for telling later whether another program changed it.
    bool read(const QString &path, FileStamp *stamp = nullptr);
    // A file's bytes read already.
    bool readBytes(const QByteArray &bytes);

    const NpcRecords &records() const { return m_records; }
    NpcLayout layout() const { return m_layout; }
    // The editor's message for a failed read: for a file that is no script, that first and
    // the path (when read from one) and why on the next line.
    QString errorString() const { return m_error; }
    // Why it failed, without the path: the system's reason, or that the file is no script
    // and why.
    QString reason() const { return m_reason; }

private:
    bool read(QIODevice *device, QCryptographicHash *hash);

    NpcRecords m_records{};
    NpcLayout m_layout = NpcLayout::StandardLayout;
    QString m_error;
    QString m_reason;
    QString m_detail; // why the file is no script
};

// Writes all records in one layout, always 1600 bytes. The path overload replaces the
// file only once every byte is written.
class NpcWriter
{
public:
    static QByteArray encode(const NpcRecords &records, NpcLayout layout);
    // The records written over those of a file read in that layout, every other byte kept:
    // a Vesta file's header and tail, and whatever lies beyond the records.
    static QByteArray encodeInto(QByteArray file, const NpcRecords &records, NpcLayout layout);

    bool write(const NpcRecords &records, NpcLayout layout, QIODevice *device);
    bool write(const NpcRecords &records, NpcLayout layout, const QString &path);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};

QString notNpcScriptText();

// The Vesta layout has no place for record 49: writing in it would lose any byte of that
// record, spare fields included, even when the editor shows the record as empty.
bool vestaLosesLastRecord(const NpcRecords &records, NpcLayout layout);
