#pragma once

#include "common/ProcessIdentity.h"
#include "dialogue/EdtText.h"
#include "document/NpcScriptDocument.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// The unsaved state of one editor, as it is kept while the editor runs so that a crash
// loses none of it.
struct RecoveryState {
    QString scriptPath; // empty for a script that was never saved
    NpcLayout layout = NpcLayout::StandardLayout;
    NpcRecords records{};
    // The dialogue text, when it has changes of its own.
    std::optional<EdtText> dialogue;
    QString dialoguePath;
    ProcessIdentity process;
    QDateTime written;

    bool operator==(const RecoveryState &) const = default;
};

// The recovery file: a header, the fields in order, and a hash of all before it, so that
// a file cut short or changed by hand is refused rather than half taken.
//   "SCRVRCV1"  u64 pid  u64 process start  i64 written (ms since 1970, UTC)
//   u8 layout  u32 n + n bytes script path (UTF-8)  1600 bytes: the 50 records
//   u8 has dialogue  u32 n + n bytes dialogue path  u32 n + n bytes dialogue (.edt bytes)
//   20 bytes: SHA-1 of everything before
// Numbers are little-endian.
class RecoveryFile
{
public:
    static constexpr qint64 MaxFileSize = 128 * 1024 * 1024;

    static QByteArray encode(const RecoveryState &state);
    bool decode(const QByteArray &bytes);
    bool read(const QString &path);
    bool write(const RecoveryState &state, const QString &path);

    const RecoveryState &state() const { return m_state; }
    QString errorString() const { return m_error; }

private:
    RecoveryState m_state;
    QString m_error;
};
