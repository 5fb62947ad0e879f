#include "dialogue/EdtReader.h"

#include "common/FileStamp.h"
#include "common/RegularFile.h"
#include "dialogue/EdtWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <memory>

namespace
{

// Whole records per read, so a large file is never held twice in memory.
constexpr qint64 ChunkRecords = 512;

quint16 unitAt(const char *record, int index)
{
    const auto low = static_cast<quint8>(record[2 * index]);
    const auto high = static_cast<quint8>(record[2 * index + 1]);
    return static_cast<quint16>(low | high << 8);
}

// The record's line, and its bytes too where encoding the line would not give them back.
void appendRecord(EdtText &text, const char *record)
{
    QByteArray line = EdtReader::decodeRecord(record);
    char encoded[EdtReader::RecordSize];
    EdtWriter::encodeRecord(line, encoded);
    const bool same = std::memcmp(encoded, record, EdtReader::RecordSize) == 0;
    text.appendRead(std::move(line), same ? QByteArray() : QByteArray(record, EdtReader::RecordSize));
}

} // namespace

QByteArray EdtReader::decodeRecord(const char *record)
{
    int length = 0;
    while (length < UnitsPerRecord && unitAt(record, length) != 0)
        ++length;
    QByteArray line(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i) {
        const quint16 unit = unitAt(record, i);
        const quint16 value = unit == BlankUnit ? unit : static_cast<quint16>(unit - 1);
        line[i] = static_cast<char>(value & 0xFF);
    }
    return line;
}

EdtText EdtReader::decode(const QByteArray &bytes)
{
    EdtText text;
    const qsizetype count = bytes.size() / RecordSize;
    for (qsizetype k = 0; k < count; ++k)
        appendRecord(text, bytes.constData() + k * RecordSize);
    text.setTail(bytes.mid(count * RecordSize));
    return text;
}

bool EdtReader::read(QIODevice *device, qint64 limit)
{
    if (!device->isSequential() && device->size() - device->pos() > limit) {
        m_error = RegularFile::tooLargeText(limit);
        return false;
    }
    EdtText text;
    qint64 total = 0;
    const qint64 capacity = ChunkRecords * RecordSize;
    const auto buffer = std::make_unique<char[]>(capacity);
    qint64 filled = 0;
    for (;;) {
        const qint64 got = device->read(buffer.get() + filled, capacity - filled);
        if (got < 0) {
            m_error = device->errorString();
            return false;
        }
        if (m_hash)
            m_hash->addData(QByteArrayView(buffer.get() + filled, got));
        total += got;
        if (total > limit) {
            m_error = RegularFile::tooLargeText(limit);
            return false;
        }
        filled += got;
        const qint64 whole = filled / RecordSize;
        for (qint64 k = 0; k < whole; ++k)
            appendRecord(text, buffer.get() + k * RecordSize);
        const qint64 rest = filled - whole * RecordSize;
        std::copy_n(buffer.get() + whole * RecordSize, rest, buffer.get());
        filled = rest;
        if (got == 0)
            break;
    }
    text.setTail(QByteArray(buffer.get(), filled));
    m_text = std::move(text);
    m_error.clear();
    return true;
}

bool EdtReader::read(const QString &path, FileStamp *stamp)
{
    QFile file(path);
    if (!RegularFile::open(file, m_error))
        return false;
    if (!stamp)
        return read(&file);
    const qint64 modified = QFileInfo(path).lastModified().toMSecsSinceEpoch();
    QCryptographicHash hash(FileStamp::HashAlgorithm);
    m_hash = &hash;
    const bool read = this->read(&file);
    m_hash = nullptr;
    if (read)
        *stamp = FileStamp::ofRead(modified, file.pos(), hash.result());
    return read;
}
