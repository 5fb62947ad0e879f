#pragma once

#include <QLatin1String>
#include <QStringView>

#include <array>
#include <optional>

// The 22 fields of a record, in file order.
enum class NpcField {
    Mode,
    ItemIn,
    TriggT,
    TriggF,
    Q_was,
    FDay,
    LDay,
    Action,
    Leader,
    Phrase,
    PhraseCnt,
    Q_Input,
    Q_Output,
    ControlNpc,
    ControlRec,
    Spare19,
    Trigg2T,
    ItemOut,
    GoSect,
    React,
    Spare28,
    Spare30,
};

constexpr int NpcFieldCount = 22;

constexpr quint8 NoneByte = 255;
constexpr quint16 NoneWord = 65535;

// One 32-byte script record. Multi-byte fields are little-endian in the file.
struct NpcRecord {
    static constexpr int Size = 32;
    using Bytes = std::array<quint8, Size>;

    quint16 Mode = 0;
    quint16 ItemIn = 0;
    quint16 TriggT = 0;
    quint16 TriggF = 0;
    quint8 Q_was = 0;
    quint8 FDay = 0;
    quint8 LDay = 0;
    quint8 Action = 0;
    quint8 Leader = 0;
    quint8 Phrase = 0;
    quint8 PhraseCnt = 0;
    quint8 Q_Input = 0;
    quint8 Q_Output = 0;
    quint8 ControlNpc = 0;
    quint8 ControlRec = 0;
    quint8 Spare19 = 0;
    quint16 Trigg2T = 0;
    quint16 ItemOut = 0;
    quint16 GoSect = 0;
    quint16 React = 0;
    quint16 Spare28 = 0;
    quint16 Spare30 = 0;

    static NpcRecord decode(const quint8 *bytes);
    void encode(quint8 *bytes) const;
    Bytes toBytes() const;

    // The field's place in the record: two bytes or one, from which byte; signed fields
    // read as 16-bit two's complement.
    static bool isWordField(NpcField field);
    static bool isSignedField(NpcField field);
    static int fieldOffset(NpcField field);
    static bool isSpareField(NpcField field);
    // The field's name as the file format and the command line spell it ("FDay").
    static QLatin1String fieldName(NpcField field);
    static std::optional<NpcField> fieldNamed(QStringView name);
    quint16 value(NpcField field) const;
    // Keeps only the low 8 or 16 bits, as the field is wide.
    void setValue(NpcField field, quint32 value);

    // Empty: every field but the three spare ones is zero.
    bool isEmpty() const;
    // No phrase, or a count of 0: the record says nothing. It speaks lines Phrase to
    // Phrase + PhraseCnt - 1 of the dialogue text otherwise, with no 8-bit wrap.
    bool speaksNothing() const { return Phrase == NoneByte || PhraseCnt == 0; }
    // The defaults of "initialise record"; the spare fields are left alone.
    void initialise();

    bool operator==(const NpcRecord &) const = default;
};
