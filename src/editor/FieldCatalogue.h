#pragma once

#include "document/NpcRecord.h"
#include "editor/ReferenceLists.h"

#include <QString>

#include <array>
#include <optional>

enum class FieldPanel { Conditions, Results };

// How a stored value appears in its edit.
enum class FieldShow {
    Unsigned,       // plain decimal
    NoneAsMinusOne, // the none value (255 or 65535) as "-1"
    Signed,         // 16-bit two's complement; the combo stays empty for 0 and negatives
    SignedByAbs,    // 16-bit two's complement; the combo names the absolute value
};

// What typing into the edit does with the value (Enter or leaving).
enum class LeaveRule {
    CommitListByte,
    CommitListWord,
    CommitByte,
    CommitWord,
    SignedListWord, // a negative entry is stored as typed, the rest as CommitListWord
};

enum class DefaultCombo { Untouched, Clear, SelectFirst };

struct FieldInfo {
    NpcField field;
    const char *name; // the controls are Edit_<name>, Combo_<name>
    FieldPanel panel;
    const char *rowCaption; // UTF-8 caption of a row holding two fields; null otherwise
    const char *caption;    // UTF-8
    ListId list;
    int min;
    int fixedMax;       // the upper limit of a field without a list
    const char *button; // null for Action and Mode
    const char *defaultText;
    quint16 defaultValue;
    DefaultCombo defaultCombo;
    FieldShow shown;
    LeaveRule leave;

    bool hasList() const { return list != ListId::None; }
    bool isWord() const { return NpcRecord::isWordField(field); }
    bool hasButton() const { return button != nullptr; }
    quint16 noneValue() const { return isWord() ? NoneWord : NoneByte; }

    QString editName() const;
    QString comboName() const; // empty without a list
    QString buttonName() const;
    QString captionText() const;
    QString rowCaptionText() const;
};

constexpr int EditedFieldCount = 19;
using FieldCatalogue = std::array<FieldInfo, EditedFieldCount>;

// The edited fields in the order the panels show them.
const FieldCatalogue &fieldCatalogue();
const FieldInfo *findFieldInfo(NpcField field);

// Largest value a field of this kind can take below its none value.
int fullFieldRange(const FieldInfo &info);

// The upper limit of a field: the fixed one, or the number of its list's last entry.
// A list that is empty, or whose last number is no integer or lies outside the field,
// leaves the field its full range, so that typing can never leave the field's width.
int fieldLimit(const FieldInfo &info, const ReferenceLists &lists);
// The same with the field's list given: the one the field will have after a change.
int fieldLimit(const FieldInfo &info, const ReferenceList &list);

// A stored value as the editor shows it: the none value as -1 where the edit shows it so,
// signed fields as negative numbers; other fields, the spare ones too, as stored.
qint32 shownValue(NpcField field, quint16 stored);
// The stored value that a typed number stands for in a field: -1 is the none value (255 or
// 65535), a negative down to the field's signed minimum its two's complement; nothing when
// the number does not fit the field. Numbers as shown and as stored read alike.
std::optional<quint16> storedValue(NpcField field, qint64 typed);

// Longest text the edit takes: the decimal digits of its upper limit.
int digitCount(qint64 value);
