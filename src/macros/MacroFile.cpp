#include "macros/MacroFile.h"

#include "common/RegularFile.h"
#include "common/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace MacroFile
{

QList<QByteArray> parse(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    QList<QByteArray> entries;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        entries.append(bytes.sliced(start, end - start).toByteArray());
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        start = end;
    }
    return entries;
}

QByteArray encode(const QList<QByteArray> &entries)
{
    qsizetype size = 0;
    for (const QByteArray &entry : entries)
        size += entry.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QByteArray &entry : entries) {
        bytes += entry;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace MacroFile

bool MacroReader::read(QIODevice *device, qint64 limit)
{
    if (!device->isReadable()) {
        m_error = device->errorString();
        return false;
    }
    QByteArray bytes;
    if (!RegularFile::readAtMost(*device, limit, bytes, m_error) ||
        !RegularFile::withinLines(bytes, MacroFile::MaxEntries, m_error))
        return false;
    m_entries = MacroFile::parse(bytes);
    return true;
}

bool MacroReader::read(const QString &path)
{
    QByteArray bytes;
    if (!RegularFile::readAll(path, MacroFile::MaxFileSize, bytes, m_error) ||
        !RegularFile::withinLines(bytes, MacroFile::MaxEntries, m_error))
        return false;
    m_entries = MacroFile::parse(bytes);
    return true;
}

bool MacroWriter::write(const QList<QByteArray> &entries, QIODevice *device)
{
    const QByteArray bytes = MacroFile::encode(entries);
    if (device->write(bytes) != bytes.size()) {
        m_error = device->errorString();
        return false;
    }
    return true;
}

bool MacroWriter::write(const QList<QByteArray> &entries, const QString &path)
{
    // A start folder may have no Data folder yet (an installed program finds its lists
    // elsewhere); the first macro saved makes it. When that fails, saving says why.
    QDir().mkpath(QFileInfo(path).absolutePath());
    return saveFile(path, m_error, [&](QIODevice *device) { return write(entries, device); });
}
