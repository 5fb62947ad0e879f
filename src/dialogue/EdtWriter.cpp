#include "dialogue/EdtWriter.h"

#include "common/RegularFile.h"
#include "common/SaveFile.h"
#include "dialogue/EdtReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

QString EdtWriter::tooManyLinesText(qsizetype lines)
{
    if (lines <= MaxLines)
        return {};
    return QStringLiteral("фраз %1, а в файле диалогов их может быть не больше %2 (%3)")
        .arg(lines)
        .arg(MaxLines)
        .arg(RegularFile::tooLargeText(EdtReader::MaxFileSize));
}

void EdtWriter::encodeRecord(QByteArrayView line, char *record)
{
    Q_ASSERT(line.size() <= EdtReader::UnitsPerRecord);
    std::memset(record, 0, EdtReader::RecordSize);
    const qsizetype length = std::min<qsizetype>(line.size(), EdtReader::UnitsPerRecord);
    for (qsizetype i = 0; i < length; ++i) {
        const auto byte = static_cast<quint8>(line[i]);
        const quint16 unit = byte == ' ' ? EdtReader::BlankUnit : quint16(byte + 1);
        record[2 * i] = char(unit & 0xFF);
        record[2 * i + 1] = char(unit >> 8);
    }
}

QByteArray EdtWriter::encodeRecord(QByteArrayView line)
{
    QByteArray record(EdtReader::RecordSize, Qt::Uninitialized);
    encodeRecord(line, record.data());
    return record;
}

QByteArray EdtWriter::encode(const EdtText &text)
{
    QByteArray bytes(text.size() * EdtReader::RecordSize + text.tail().size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (auto line = text.begin(); line != text.end(); ++line, out += EdtReader::RecordSize) {
        const QByteArray &read = line.readRecord();
        if (read.isEmpty())
            encodeRecord(*line, out);
        else
            std::memcpy(out, read.constData(), EdtReader::RecordSize);
    }
    std::copy_n(text.tail().constData(), text.tail().size(), out);
    return bytes;
}

bool EdtWriter::write(const EdtText &text, QIODevice *device)
{
    const QByteArray bytes = encode(text);
    if (device->write(bytes) != bytes.size()) {
        m_error = device->errorString();
        return false;
    }
    return true;
}

bool EdtWriter::write(const EdtText &text, const QString &path)
{
    return saveFile(path, m_error, [&](QIODevice *device) { return write(text, device); });
}
