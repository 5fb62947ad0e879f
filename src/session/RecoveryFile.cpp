#include "session/RecoveryFile.h"

#include "common/FileStamp.h"
#include "common/RegularFile.h"
#include "common/SaveFile.h"
#include "dialogue/EdtReader.h"
#include "dialogue/EdtWriter.h"

#include <QtEndian>

namespace
{

const QByteArray Magic = QByteArrayLiteral("SCRVRCV1");
constexpr qsizetype HashSize = 20;
constexpr qsizetype RecordsSize = RecordCount * NpcRecord::Size;

template <typename T> void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void putBytes(QByteArray &out, const QByteArray &bytes)
{
    put<quint32>(out, quint32(bytes.size()));
    out.append(bytes);
}

// Reads fields off the front of the bytes; once a field runs past the end, every later
// read fails too.
class Fields
{
public:
    explicit Fields(QByteArrayView bytes) : m_bytes(bytes) {}

    template <typename T> T take()
    {
        const QByteArrayView raw = takeRaw(sizeof(T));
        return raw.isNull() ? T{} : qFromLittleEndian<T>(raw.data());
    }
    QByteArrayView takeRaw(qsizetype size)
    {
        if (!m_ok || size < 0 || size > m_bytes.size() - m_at) {
            m_ok = false;
            return {};
        }
        const QByteArrayView raw = m_bytes.sliced(m_at, size);
        m_at += size;
        return raw;
    }
    QByteArray takeBytes() { return takeRaw(qsizetype(take<quint32>())).toByteArray(); }
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

QString brokenText()
{
    return QStringLiteral("файл повреждён или записан не полностью");
}

} // namespace

QByteArray RecoveryFile::encode(const RecoveryState &state)
{
    QByteArray out = Magic;
    put<quint64>(out, quint64(state.process.pid));
    put<quint64>(out, state.process.started);
    put<qint64>(out, state.written.toMSecsSinceEpoch());
    put<quint8>(out, state.layout == NpcLayout::VestaLayout ? 1 : 0);
    putBytes(out, state.scriptPath.toUtf8());
    const qsizetype recordsAt = out.size();
    out.resize(recordsAt + RecordsSize);
    for (int i = 0; i < RecordCount; ++i)
        state.records.at(i).encode(reinterpret_cast<quint8 *>(out.data() + recordsAt + i * NpcRecord::Size));
    put<quint8>(out, state.dialogue ? 1 : 0);
    putBytes(out, state.dialoguePath.toUtf8());
    putBytes(out, state.dialogue ? EdtWriter::encode(*state.dialogue) : QByteArray());
    out.append(FileStamp::hashOf(out));
    return out;
}

bool RecoveryFile::decode(const QByteArray &bytes)
{
    m_state = {};
    if (!bytes.startsWith(Magic) || bytes.size() < Magic.size() + HashSize ||
        FileStamp::hashOf(bytes.first(bytes.size() - HashSize)) != bytes.last(HashSize)) {
        m_error = brokenText();
        return false;
    }
    Fields in(QByteArrayView(bytes).first(bytes.size() - HashSize).sliced(Magic.size()));
    RecoveryState state;
    state.process.pid = qint64(in.take<quint64>());
    state.process.started = in.take<quint64>();
    state.written = QDateTime::fromMSecsSinceEpoch(in.take<qint64>(), Qt::UTC);
    const quint8 layout = in.take<quint8>();
    state.layout = layout == 1 ? NpcLayout::VestaLayout : NpcLayout::StandardLayout;
    state.scriptPath = QString::fromUtf8(in.takeBytes());
    const QByteArrayView records = in.takeRaw(RecordsSize);
    const quint8 hasDialogue = in.take<quint8>();
    state.dialoguePath = QString::fromUtf8(in.takeBytes());
    const QByteArray dialogue = in.takeBytes();
    if (!in.ok() || !in.atEnd() || layout > 1 || hasDialogue > 1 || !state.written.isValid()) {
        m_error = brokenText();
        return false;
    }
    for (int i = 0; i < RecordCount; ++i)
        state.records.at(i) =
            NpcRecord::decode(reinterpret_cast<const quint8 *>(records.data() + i * NpcRecord::Size));
    if (hasDialogue)
        state.dialogue = EdtReader::decode(dialogue);
    m_state = std::move(state);
    return true;
}

bool RecoveryFile::read(const QString &path)
{
    QByteArray bytes;
    if (!RegularFile::readAll(path, MaxFileSize, bytes, m_error))
        return false;
    return decode(bytes);
}

bool RecoveryFile::write(const RecoveryState &state, const QString &path)
{
    return saveFile(path, encode(state), m_error);
}
