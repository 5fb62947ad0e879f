#include "document/NpcFile.h"

#include "common/FileMessages.h"
#include "common/FileStamp.h"
#include "common/RegularFile.h"
#include "common/SaveFile.h"

#include <QBuffer>
#include <QDir>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace
{

constexpr char VestaHeader[4] = {0x39, 0x00, 0x35, 0x00};
constexpr int VestaRecords = 49;
constexpr int VestaTail = 1572;

} // namespace

QString notNpcScriptText()
{
    return QStringLiteral("Выбранный файл не является NPC-скриптом");
}

namespace
{

// What in the first bytes made detectLayout() refuse the file.
QString refusalDetail(qint64 size, const QByteArray &head)
{
    if (size < NpcReader::FileSize)
        return QStringLiteral("размер файла %1, а нужно не меньше %2 байт").arg(size).arg(NpcReader::FileSize);
    return QStringLiteral("файл начинается с %1, а скрипт NPC — с 00, 02, 04 или 39, затем 00")
        .arg(QString::fromLatin1(head.first(qMin<qsizetype>(head.size(), 2)).toHex(' ').toUpper()));
}

} // namespace

std::optional<NpcLayout> NpcReader::detectLayout(qint64 size, const QByteArray &head)
{
    if (size < FileSize || head.size() < 4 || head.at(1) != 0)
        return std::nullopt;
    const auto b0 = static_cast<quint8>(head.at(0));
    if (b0 != 0 && b0 != 2 && b0 != 4 && b0 != 0x39)
        return std::nullopt;
    if (b0 == 0x39 && head.at(2) == 0x35 && head.at(3) == 0)
        return NpcLayout::VestaLayout;
    return NpcLayout::StandardLayout;
}

bool NpcReader::read(QIODevice *device)
{
    return read(device, nullptr);
}

bool NpcReader::read(QIODevice *device, QCryptographicHash *hash)
{
    const qint64 size = device->size();
    const QByteArray head = device->peek(4);
    const auto layout = detectLayout(size, head);
    if (!layout) {
        m_detail = refusalDetail(size, head);
        m_error = notNpcScriptText() + QStringLiteral("\r\n") + m_detail;
        m_reason = notNpcScriptText() + QStringLiteral(" (") + m_detail + QLatin1Char(')');
        return false;
    }
    const QByteArray bytes = device->read(FileSize);
    if (bytes.size() != FileSize) {
        m_error = m_reason = device->errorString();
        return false;
    }
    if (hash)
        hash->addData(bytes);
    const auto *data = reinterpret_cast<const quint8 *>(bytes.constData());
    m_records.fill(NpcRecord{});
    m_layout = *layout;
    const int count = m_layout == NpcLayout::VestaLayout ? VestaRecords : RecordCount;
    const int start = m_layout == NpcLayout::VestaLayout ? 4 : 0;
    for (int i = 0; i < count; ++i)
        m_records[i] = NpcRecord::decode(data + start + i * NpcRecord::Size);
    return true;
}

bool NpcReader::readBytes(const QByteArray &bytes)
{
    QByteArray copy = bytes; // QBuffer wants a non-const array, though it only reads
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return read(&buffer);
}

bool NpcReader::read(const QString &path, FileStamp *stamp)
{
    QFile file(path);
    m_detail.clear();
    if (!RegularFile::open(file, m_reason)) {
        m_error = readProblemText(path);
        return false;
    }
    // The time before the reading, the hash of what was read: a change made meanwhile is
    // seen as one later. What lies beyond the records is hashed as it streams by.
    const qint64 modified = QFileInfo(file).lastModified().toMSecsSinceEpoch();
    QCryptographicHash hash(FileStamp::HashAlgorithm);
    if (read(&file, stamp ? &hash : nullptr)) {
        if (stamp) {
            if (!hash.addData(&file)) {
                m_error = readProblemText(path);
                m_reason = file.errorString();
                return false;
            }
            *stamp = FileStamp::ofRead(modified, file.pos(), hash.result());
        }
        return true;
    }
    if (m_detail.isEmpty())
        m_error = readProblemText(path);
    else
        m_error = notNpcScriptText() + QStringLiteral("\r\n") + QDir::toNativeSeparators(path) +
                  QStringLiteral(": ") + m_detail;
    return false;
}

QByteArray NpcWriter::encode(const NpcRecords &records, NpcLayout layout)
{
    QByteArray bytes(NpcReader::FileSize, '\0');
    if (layout == NpcLayout::VestaLayout)
        std::copy(std::begin(VestaHeader), std::end(VestaHeader), bytes.begin());
    return encodeInto(bytes, records, layout);
}

QByteArray NpcWriter::encodeInto(QByteArray file, const NpcRecords &records, NpcLayout layout)
{
    Q_ASSERT(file.size() >= NpcReader::FileSize);
    auto *data = reinterpret_cast<quint8 *>(file.data());
    if (layout == NpcLayout::VestaLayout) {
        for (int i = 0; i < VestaRecords; ++i)
            records[i].encode(data + 4 + i * NpcRecord::Size);
        static_assert(4 + VestaRecords * NpcRecord::Size == VestaTail);
    } else {
        for (int i = 0; i < RecordCount; ++i)
            records[i].encode(data + i * NpcRecord::Size);
    }
    return file;
}

bool NpcWriter::write(const NpcRecords &records, NpcLayout layout, QIODevice *device)
{
    const QByteArray bytes = encode(records, layout);
    if (device->write(bytes) != bytes.size()) {
        m_error = device->errorString();
        return false;
    }
    return true;
}

bool NpcWriter::write(const NpcRecords &records, NpcLayout layout, const QString &path)
{
    return saveFile(path, m_error, [&](QIODevice *device) { return write(records, layout, device); });
}

bool vestaLosesLastRecord(const NpcRecords &records, NpcLayout layout)
{
    return layout == NpcLayout::VestaLayout && records[RecordCount - 1] != NpcRecord{};
}
