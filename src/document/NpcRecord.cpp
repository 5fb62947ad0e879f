#include "document/NpcRecord.h"

namespace
{

struct FieldSlot {
    int offset;
    bool word;
    const char *name;
};

constexpr std::array<FieldSlot, NpcFieldCount> Slots = {{
    {0, true, "Mode"},       {2, true, "ItemIn"},       {4, true, "TriggT"},       {6, true, "TriggF"},
    {8, false, "Q_was"},     {9, false, "FDay"},        {10, false, "LDay"},       {11, false, "Action"},
    {12, false, "Leader"},   {13, false, "Phrase"},     {14, false, "PhraseCnt"},  {15, false, "Q_Input"},
    {16, false, "Q_Output"}, {17, false, "ControlNpc"}, {18, false, "ControlRec"}, {19, false, "Spare19"},
    {20, true, "Trigg2T"},   {22, true, "ItemOut"},     {24, true, "GoSect"},      {26, true, "React"},
    {28, true, "Spare28"},   {30, true, "Spare30"},
}};

const FieldSlot &slot(NpcField field)
{
    return Slots[static_cast<int>(field)];
}

} // namespace

bool NpcRecord::isWordField(NpcField field)
{
    return slot(field).word;
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
    switch (field) {
    case NpcField::Mode:
        return Mode;
    case NpcField::ItemIn:
        return ItemIn;
    case NpcField::TriggT:
        return TriggT;
    case NpcField::TriggF:
        return TriggF;
    case NpcField::Q_was:
        return Q_was;
    case NpcField::FDay:
        return FDay;
    case NpcField::LDay:
        return LDay;
    case NpcField::Action:
        return Action;
    case NpcField::Leader:
        return Leader;
    case NpcField::Phrase:
        return Phrase;
    case NpcField::PhraseCnt:
        return PhraseCnt;
    case NpcField::Q_Input:
        return Q_Input;
    case NpcField::Q_Output:
        return Q_Output;
    case NpcField::ControlNpc:
        return ControlNpc;
    case NpcField::ControlRec:
        return ControlRec;
    case NpcField::Spare19:
        return Spare19;
    case NpcField::Trigg2T:
        return Trigg2T;
    case NpcField::ItemOut:
        return ItemOut;
    case NpcField::GoSect:
        return GoSect;
    case NpcField::React:
        return React;
    case NpcField::Spare28:
        return Spare28;
    case NpcField::Spare30:
        return Spare30;
    }
    return 0;
}

void NpcRecord::setValue(NpcField field, quint32 value)
{
    const auto w = static_cast<quint16>(value & 0xFFFFu);
    const auto b = static_cast<quint8>(value & 0xFFu);
    switch (field) {
    case NpcField::Mode:
        Mode = w;
        break;
    case NpcField::ItemIn:
        ItemIn = w;
        break;
    case NpcField::TriggT:
        TriggT = w;
        break;
    case NpcField::TriggF:
        TriggF = w;
        break;
    case NpcField::Q_was:
        Q_was = b;
        break;
    case NpcField::FDay:
        FDay = b;
        break;
    case NpcField::LDay:
        LDay = b;
        break;
    case NpcField::Action:
        Action = b;
        break;
    case NpcField::Leader:
        Leader = b;
        break;
    case NpcField::Phrase:
        Phrase = b;
        break;
    case NpcField::PhraseCnt:
        PhraseCnt = b;
        break;
    case NpcField::Q_Input:
        Q_Input = b;
        break;
    case NpcField::Q_Output:
        Q_Output = b;
        break;
    case NpcField::ControlNpc:
        ControlNpc = b;
        break;
    case NpcField::ControlRec:
        ControlRec = b;
        break;
    case NpcField::Spare19:
        Spare19 = b;
        break;
    case NpcField::Trigg2T:
        Trigg2T = w;
        break;
    case NpcField::ItemOut:
        ItemOut = w;
        break;
    case NpcField::GoSect:
        GoSect = w;
        break;
    case NpcField::React:
        React = w;
        break;
    case NpcField::Spare28:
        Spare28 = w;
        break;
    case NpcField::Spare30:
        Spare30 = w;
        break;
    }
}

NpcRecord NpcRecord::decode(const quint8 *bytes)
{
    NpcRecord record;
    for (int i = 0; i < NpcFieldCount; ++i) {
        const FieldSlot &s = Slots[i];
        quint32 v = bytes[s.offset];
        if (s.word)
            v |= quint32(bytes[s.offset + 1]) << 8;
        record.setValue(static_cast<NpcField>(i), v);
    }
    return record;
}

void NpcRecord::encode(quint8 *bytes) const
{
    for (int i = 0; i < NpcFieldCount; ++i) {
        const FieldSlot &s = Slots[i];
        const quint16 v = value(static_cast<NpcField>(i));
        bytes[s.offset] = static_cast<quint8>(v & 0xFF);
        if (s.word)
            bytes[s.offset + 1] = static_cast<quint8>(v >> 8);
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
