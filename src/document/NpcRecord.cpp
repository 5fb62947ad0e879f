#include "document/NpcRecord.h"

namespace
{

// Where each field lies in the 32 bytes, how wide it is, and which member holds it: the one
// table that reading, writing and every by-field access go through.
struct FieldSlot {
    int offset;
    const char *name;
    quint16 NpcRecord::*word; // a two-byte field, or
    quint8 NpcRecord::*byte;  // a one-byte field
    bool isSigned = false;    // read as 16-bit two's complement
};

constexpr FieldSlot word(int offset, const char *name, quint16 NpcRecord::*member, bool isSigned = false)
{
    return {offset, name, member, nullptr, isSigned};
}

constexpr FieldSlot byte(int offset, const char *name, quint8 NpcRecord::*member)
{
    return {offset, name, nullptr, member};
}

using R = NpcRecord;
constexpr std::array<FieldSlot, NpcFieldCount> Slots = {{
    word(0, "Mode", &R::Mode),
    word(2, "ItemIn", &R::ItemIn, true),
    word(4, "TriggT", &R::TriggT),
    word(6, "TriggF", &R::TriggF),
    byte(8, "Q_was", &R::Q_was),
    byte(9, "FDay", &R::FDay),
    byte(10, "LDay", &R::LDay),
    byte(11, "Action", &R::Action),
    byte(12, "Leader", &R::Leader),
    byte(13, "Phrase", &R::Phrase),
    byte(14, "PhraseCnt", &R::PhraseCnt),
    byte(15, "Q_Input", &R::Q_Input),
    byte(16, "Q_Output", &R::Q_Output),
    byte(17, "ControlNpc", &R::ControlNpc),
    byte(18, "ControlRec", &R::ControlRec),
    byte(19, "Spare19", &R::Spare19),
    word(20, "Trigg2T", &R::Trigg2T),
    word(22, "ItemOut", &R::ItemOut, true),
    word(24, "GoSect", &R::GoSect),
    word(26, "React", &R::React, true),
    word(28, "Spare28", &R::Spare28),
    word(30, "Spare30", &R::Spare30),
}};

constexpr bool slotsTileTheRecord()
{
    int next = 0;
    for (const FieldSlot &s : Slots) {
        if (s.offset != next || (s.word == nullptr) == (s.byte == nullptr))
            return false;
        next += s.word ? 2 : 1;
    }
    return next == NpcRecord::Size;
}
static_assert(slotsTileTheRecord(), "the fields cover the 32 bytes in order, each once");

const FieldSlot &slot(NpcField field)
{
    return Slots[static_cast<int>(field)];
}

} // namespace

bool NpcRecord::isWordField(NpcField field)
{
    return slot(field).word != nullptr;
}

bool NpcRecord::isSignedField(NpcField field)
{
    return slot(field).isSigned;
}

int NpcRecord::fieldOffset(NpcField field)
{
    return slot(field).offset;
}

bool NpcRecord::isSpareField(NpcField field)
{
    return field == NpcField::Spare19 || field == NpcField::Spare28 || field == NpcField::Spare30;
}

QLatin1String NpcRecord::fieldName(NpcField field)
{
    return QLatin1String(slot(field).name);
}

std::optional<NpcField> NpcRecord::fieldNamed(QStringView name)
{
    for (int i = 0; i < NpcFieldCount; ++i) {
        if (name == QLatin1String(Slots[i].name))
            return static_cast<NpcField>(i);
    }
    return std::nullopt;
}

quint16 NpcRecord::value(NpcField field) const
{
    const FieldSlot &s = slot(field);
    return s.word ? this->*s.word : this->*s.byte;
}

void NpcRecord::setValue(NpcField field, quint32 value)
{
    const FieldSlot &s = slot(field);
    if (s.word)
        this->*s.word = static_cast<quint16>(value & 0xFFFFu);
    else
        this->*s.byte = static_cast<quint8>(value & 0xFFu);
}

NpcRecord NpcRecord::decode(const quint8 *bytes)
{
    NpcRecord record;
    for (const FieldSlot &s : Slots) {
        if (s.word)
            record.*s.word = quint16(bytes[s.offset] | (bytes[s.offset + 1] << 8));
        else
            record.*s.byte = bytes[s.offset];
    }
    return record;
}

void NpcRecord::encode(quint8 *bytes) const
{
    for (const FieldSlot &s : Slots) {
        if (s.word) {
            const quint16 v = this->*s.word;
            bytes[s.offset] = static_cast<quint8>(v & 0xFF);
            bytes[s.offset + 1] = static_cast<quint8>(v >> 8);
        } else {
            bytes[s.offset] = this->*s.byte;
        }
    }
}

NpcRecord::Bytes NpcRecord::toBytes() const
{
    Bytes bytes{};
    encode(bytes.data());
    return bytes;
}

bool NpcRecord::isEmpty() const
{
    for (int i = 0; i < NpcFieldCount; ++i) {
        const auto field = static_cast<NpcField>(i);
        if (isSpareField(field))
            continue;
        if (value(field) != 0)
            return false;
    }
    return true;
}

void NpcRecord::initialise()
{
    Mode = 0;
    ItemIn = 0;
    TriggT = NoneWord;
    TriggF = NoneWord;
    Q_was = NoneByte;
    FDay = 0;
    LDay = NoneByte;
    Action = 0;
    Leader = 0;
    Phrase = NoneByte;
    PhraseCnt = 1;
    Q_Input = NoneByte;
    Q_Output = NoneByte;
    ControlNpc = NoneByte;
    ControlRec = NoneByte;
    Trigg2T = NoneWord;
    ItemOut = 0;
    GoSect = NoneWord;
    React = 0;
}
