#pragma once

#include "document/NpcScriptDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// "standard" and "vesta", as the command line and the JSON form name the layouts.
QString layoutName(NpcLayout layout);
std::optional<NpcLayout> layoutNamed(QStringView name);

// The record table as JSON: {"layout": ..., "records": [{"index": 0, "Mode": 0, ...}, ...]}
// with all 50 records and every field by name, in file order, each value as the editor
// shows it (none values as -1, signed fields as negative numbers); then, when given,
// "phrases": the lines of the dialogue text (Windows-1251) as strings.
QByteArray npcToJson(const NpcRecords &records, NpcLayout layout,
                     const std::optional<QList<QByteArray>> &phrases = std::nullopt);

// Reads that form back, taking values as shown or as stored alike. Records left out are
// empty; fields left out of a record take the values of an initialised record. Anything it
// cannot take whole (bad
// syntax, an unknown key or field, a value that does not fit its field, an index outside
// 0 to 49 or given twice) fails with a message naming the record and field.
class NpcJsonReader
{
public:
    static constexpr qint64 MaxSize = 4 * 1024 * 1024;

    bool read(const QByteArray &json);

    const NpcRecords &records() const { return m_records; }
    // The layout the file names; nothing when it names none.
    std::optional<NpcLayout> layout() const { return m_layout; }
    // The phrases as written, for the dialogue rules to take or refuse; nothing when the
    // file has no "phrases".
    const std::optional<QStringList> &phrases() const { return m_phrases; }
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &message);

    NpcRecords m_records{};
    std::optional<NpcLayout> m_layout;
    std::optional<QStringList> m_phrases;
    QString m_error;
};
