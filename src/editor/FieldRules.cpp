#include "editor/FieldRules.h"

#include <algorithm>

namespace FieldRules
{

namespace
{

RuleOutcome notANumber()
{
    RuleOutcome out;
    out.box = RuleOutcome::Box::Error;
    out.boxText = notANumberText();
    out.refocus = true;
    return out;
}

RuleOutcome commitList(const QString &t, const ReferenceList &list, int m, bool warningsOn, bool byteField)
{
    const std::optional<qint64> v = readNumber(t);
    if (!v)
        return notANumber();
    RuleOutcome out;
    if (*v < -1 || *v > m) {
        if (!warningsOn)
            return out;
        out.box = RuleOutcome::Box::Error;
        out.boxText = rangeErrorText(m);
        out.combo = RuleOutcome::Combo::Clear;
        out.refocus = true;
        return out;
    }
    if (*v < 0) {
        out.combo = RuleOutcome::Combo::Clear;
        out.editText = QStringLiteral("-1");
        out.stored = byteField ? NoneByte : NoneWord;
        out.after = RuleOutcome::After::MarkOnly;
        return out;
    }
    // Looked up by the number, not by the text as typed: "+7" or "07" mean entry 7.
    out.combo = RuleOutcome::Combo::Select;
    out.comboIndex = list.indexOf(*v);
    if (out.comboIndex < 0 && warningsOn) {
        out.box = RuleOutcome::Box::Warning;
        out.boxText = undocumentedText(byteField);
    }
    out.stored = quint16(*v);
    out.after = RuleOutcome::After::ShowAndMark;
    return out;
}

RuleOutcome commitPlain(const QString &t, int max, bool byteField)
{
    const std::optional<qint64> v = readNumber(t);
    if (!v)
        return notANumber();
    RuleOutcome out;
    if (*v < 0) {
        out.editText = QStringLiteral("-1");
        out.stored = byteField ? NoneByte : NoneWord;
        out.after = RuleOutcome::After::MarkOnly;
        return out;
    }
    const qint64 widest = byteField ? 255 : 65535;
    out.stored = quint16(*v > widest ? max : *v);
    out.after = RuleOutcome::After::ShowAndMark;
    return out;
}

RuleOutcome pickItem(const ReferenceList &list, int index, bool byteField)
{
    RuleOutcome out;
    if (index < 0 || index >= list.count())
        return out;
    const QByteArray number = list.numberText(index);
    const std::optional<qint64> v = readDecimal(number);
    const qint64 lowest = byteField ? -128 : -32768;
    const qint64 highest = byteField ? 255 : 65535;
    if (!v || *v < lowest || *v > highest) {
        out.box = RuleOutcome::Box::Error;
        out.boxText = badPickText();
        out.after = RuleOutcome::After::ShowOnly; // the combo returns to the stored value
        return out;
    }
    out.editText = QString::fromLatin1(number);
    out.stored = quint16(*v & (byteField ? 0xFF : 0xFFFF));
    out.after = RuleOutcome::After::ShowAndMark;
    return out;
}

} // namespace

QString rangeErrorText(int limit)
{
    return QStringLiteral("Данное значение должно быть в пределах 0 - ") + QString::number(limit);
}

QString undocumentedText(bool byteField)
{
    return QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены") +
           (byteField ? QStringLiteral(".") : QString());
}

QString notANumberText()
{
    return QStringLiteral("Введите целое число: знак минус или плюс допускается только перед цифрами.");
}

QString badPickText()
{
    return QStringLiteral("Номер выбранного элемента списка не подходит для этого поля.");
}

std::optional<qint64> readNumber(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    return readDecimal(text.toLatin1());
}

QString normaliseText(const QString &text, qint64 min, qint64 max)
{
    qint64 value = 0;
    if (const std::optional<qint64> v = readNumber(text)) {
        value = *v;
    } else if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); })) {
        // Too many digits for any integer still tell which end they are at.
        value = text.startsWith(QLatin1Char('-')) ? min : max;
    }
    return QString::number(std::clamp(value, min, max));
}

RuleOutcome CommitListByte(const QString &t, const ReferenceList &list, int m, bool warningsOn)
{
    if (t.isEmpty())
        return {};
    return commitList(t, list, m, warningsOn, true);
}

RuleOutcome CommitListWord(const QString &t, const ReferenceList &list, int m, bool warningsOn)
{
    return commitList(t, list, m, warningsOn, false);
}

RuleOutcome CommitByte(const QString &t, int max)
{
    return commitPlain(t, max, true);
}

RuleOutcome CommitWord(const QString &t, int max)
{
    return commitPlain(t, max, false);
}

RuleOutcome CommitSignedListWord(const QString &t, const ReferenceList &list, int m, bool warningsOn)
{
    const std::optional<qint64> v = readNumber(t);
    if (!v)
        return notANumber();
    if (*v >= 0)
        return CommitListWord(t, list, m, warningsOn);
    RuleOutcome out;
    out.stored = quint16(std::max<qint64>(*v, -32768) + 65536);
    out.after = RuleOutcome::After::ShowAndMark;
    return out;
}

RuleOutcome PickListByte(const ReferenceList &list, int index)
{
    return pickItem(list, index, true);
}

RuleOutcome PickListWord(const ReferenceList &list, int index)
{
    return pickItem(list, index, false);
}

RuleOutcome leave(const FieldInfo &info, const QString &t, const ReferenceList &list, int limit,
                  bool warningsOn)
{
    switch (info.leave) {
    case LeaveRule::CommitListByte:
        return CommitListByte(t, list, limit, warningsOn);
    case LeaveRule::CommitListWord:
        return CommitListWord(t, list, limit, warningsOn);
    case LeaveRule::CommitByte:
        return CommitByte(t, limit);
    case LeaveRule::CommitWord:
        return CommitWord(t, limit);
    case LeaveRule::SignedListWord:
        return CommitSignedListWord(t, list, limit, warningsOn);
    }
    return {};
}

RuleOutcome pick(const FieldInfo &info, const ReferenceList &list, int index)
{
    return info.isWord() ? PickListWord(list, index) : PickListByte(list, index);
}

QString shownText(const FieldInfo &info, quint16 value)
{
    return QString::number(shownValue(info.field, value));
}

std::optional<qint64> listedNumber(const FieldInfo &info, quint16 value)
{
    if (!info.hasList())
        return std::nullopt;
    switch (info.shown) {
    case FieldShow::Unsigned:
        break;
    case FieldShow::NoneAsMinusOne:
        if (value == info.noneValue())
            return std::nullopt;
        break;
    case FieldShow::Signed:
        if (value >= 32768 || value == 0)
            return std::nullopt;
        break;
    case FieldShow::SignedByAbs:
        if (value >= 32768)
            return 65536 - qint64(value);
        break;
    }
    return value;
}

int shownComboIndex(const FieldInfo &info, quint16 value, const ReferenceList &list)
{
    const std::optional<qint64> number = listedNumber(info, value);
    return number ? list.indexOf(*number) : -1;
}

bool lastDayFrameRed(quint8 fDay, quint8 lDay)
{
    return lDay != NoneByte && fDay >= lDay;
}

bool phraseFrameRed(quint8 phrase, qsizetype lineCount)
{
    return phrase != NoneByte && phrase >= lineCount;
}

} // namespace FieldRules
