#pragma once

#include "editor/FieldCatalogue.h"

#include <QString>

#include <optional>

// What a leave, Enter or pick rule asks of the panel, applied in this order: the edit
// text, the combo box, the message box, the stored value, the focus, then the record
// is shown and/or marked modified.
struct RuleOutcome {
    enum class Combo { Untouched, Clear, Select };
    enum class Box { None, Error, Warning };
    enum class After { Nothing, MarkOnly, ShowAndMark, ShowOnly };

    std::optional<QString> editText;
    Combo combo = Combo::Untouched;
    int comboIndex = -1; // for Combo::Select; -1 selects nothing
    Box box = Box::None;
    QString boxText;
    std::optional<quint16> stored; // already cut to the field's width
    bool refocus = false;
    After after = After::Nothing;
};

namespace FieldRules
{

// The texts of the boxes.
QString rangeErrorText(int limit);
QString undocumentedText(bool byteField);
QString notANumberText();
QString badPickText();

// Reads an edit's text as a number: optional sign and digits, nothing else.
std::optional<qint64> readNumber(const QString &text);

// What the integer edit shows after it lost the focus: empty (or a lone sign) is 0,
// the value is brought into [min, max] and written as a plain integer.
QString normaliseText(const QString &text, qint64 min, qint64 max);

// The leave rules; t is the edit's text as it stands, m the field's limit.
RuleOutcome CommitListByte(const QString &t, const ReferenceList &list, int m, bool warningsOn);
RuleOutcome CommitListWord(const QString &t, const ReferenceList &list, int m, bool warningsOn);
// max is the edit's upper limit: a typed number too large for the field is brought
// down to it instead of wrapping around.
RuleOutcome CommitByte(const QString &t, int max);
RuleOutcome CommitWord(const QString &t, int max);
// ItemIn, ItemOut, React: negatives are stored as their two's complement.
RuleOutcome CommitSignedListWord(const QString &t, const ReferenceList &list, int m, bool warningsOn);

// The pick rules for combo item `index`.
RuleOutcome PickListByte(const ReferenceList &list, int index);
RuleOutcome PickListWord(const ReferenceList &list, int index);

// The rules of a field from the catalogue.
RuleOutcome leave(const FieldInfo &info, const QString &t, const ReferenceList &list, int limit,
                  bool warningsOn);
RuleOutcome pick(const FieldInfo &info, const ReferenceList &list, int index);

// The number that the field's list is asked to name for a stored value: nothing for a
// field without a list, its none value, and an item of 0 or below; a negative reaction
// is named by its absolute value.
std::optional<qint64> listedNumber(const FieldInfo &info, quint16 value);

// How a stored value is shown: the edit's text and the combo item (-1 for none).
QString shownText(const FieldInfo &info, quint16 value);
int shownComboIndex(const FieldInfo &info, quint16 value, const ReferenceList &list);

// Red frames: a last day not after the first, a phrase beyond the dialogue text.
bool lastDayFrameRed(quint8 fDay, quint8 lDay);
bool phraseFrameRed(quint8 phrase, qsizetype lineCount);

} // namespace FieldRules
