#include "editor/FieldRules.h"

#include <gtest/gtest.h>

using Box = RuleOutcome::Box;
using Combo = RuleOutcome::Combo;
using After = RuleOutcome::After;

namespace {

ReferenceList listOf(const QByteArray &bytes)
{
    ReferenceList list;
    list.appendText(bytes);
    return list;
}

// 0..29 with 23 missing; 30 entries would not matter, the last number is the limit.
const ReferenceList Numbered = listOf("0=a\r\n1=b\r\n7=c\r\n22=d\r\n24=e\r\n29=f\r\n");

const FieldSpec &spec(NpcField field)
{
    return *findFieldSpec(field);
}

void expectUnchanged(const RuleOutcome &out)
{
    EXPECT_FALSE(out.stored);
    EXPECT_FALSE(out.editText);
    EXPECT_EQ(out.after, After::Nothing);
}

} // namespace

TEST(FieldRulesTest, LeavingNormalisesTheText)
{
    using FieldRules::normaliseText;
    EXPECT_EQ(normaliseText(QString(), -1, 254), QStringLiteral("0"));
    EXPECT_EQ(normaliseText(QStringLiteral("-"), -1, 254), QStringLiteral("0"));
    EXPECT_EQ(normaliseText(QStringLiteral("+"), -1, 254), QStringLiteral("0"));
    EXPECT_EQ(normaliseText(QStringLiteral("+07"), -1, 254), QStringLiteral("7"));
    EXPECT_EQ(normaliseText(QStringLiteral("-0"), -1, 254), QStringLiteral("0"));
    EXPECT_EQ(normaliseText(QStringLiteral("-99"), -1, 254), QStringLiteral("-1"));
    EXPECT_EQ(normaliseText(QStringLiteral("-1"), 0, 29), QStringLiteral("0"));
    EXPECT_EQ(normaliseText(QStringLiteral("99"), 0, 29), QStringLiteral("29"));
    EXPECT_EQ(normaliseText(QStringLiteral("-999"), -32768, 1001), QStringLiteral("-999"));
    EXPECT_EQ(normaliseText(QStringLiteral("99999999999999999999999"), 0, 29), QStringLiteral("29"));
    EXPECT_EQ(normaliseText(QStringLiteral("-99999999999999999999999"), -1, 29), QStringLiteral("-1"));
}

TEST(FieldRulesTest, CommitListByte)
{
    using FieldRules::CommitListByte;
    // Empty: ignored.
    expectUnchanged(CommitListByte(QString(), Numbered, 29, true));

    // Out of range: an error and the combo cleared with warnings on, nothing at all with them off.
    RuleOutcome out = CommitListByte(QStringLiteral("99"), Numbered, 29, true);
    expectUnchanged(out);
    EXPECT_EQ(out.box, Box::Error);
    EXPECT_EQ(out.boxText, QStringLiteral("Данное значение должно быть в пределах 0 - 29"));
    EXPECT_EQ(out.combo, Combo::Clear);
    EXPECT_TRUE(out.refocus);
    out = CommitListByte(QStringLiteral("-2"), Numbered, 29, true);
    EXPECT_EQ(out.box, Box::Error);
    EXPECT_FALSE(out.stored);
    out = CommitListByte(QStringLiteral("99"), Numbered, 29, false);
    expectUnchanged(out);
    EXPECT_EQ(out.box, Box::None);
    EXPECT_EQ(out.combo, Combo::Untouched);

    // -1: the none value, marked but not shown again.
    out = CommitListByte(QStringLiteral("-1"), Numbered, 29, true);
    EXPECT_EQ(out.stored, 255);
    EXPECT_EQ(out.editText, QStringLiteral("-1"));
    EXPECT_EQ(out.combo, Combo::Clear);
    EXPECT_EQ(out.after, After::MarkOnly);
    EXPECT_EQ(out.box, Box::None);

    // Documented value: selected and stored.
    out = CommitListByte(QStringLiteral("7"), Numbered, 29, true);
    EXPECT_EQ(out.stored, 7);
    EXPECT_EQ(out.combo, Combo::Select);
    EXPECT_EQ(out.comboIndex, 2);
    EXPECT_EQ(out.box, Box::None);
    EXPECT_EQ(out.after, After::ShowAndMark);
    // Typed with a sign or leading zeros it is still entry 7.
    EXPECT_EQ(CommitListByte(QStringLiteral("+07"), Numbered, 29, true).comboIndex, 2);

    // A gap: stored after the warning whose second line ends with a full stop.
    out = CommitListByte(QStringLiteral("23"), Numbered, 29, true);
    EXPECT_EQ(out.stored, 23);
    EXPECT_EQ(out.comboIndex, -1);
    EXPECT_EQ(out.box, Box::Warning);
    EXPECT_EQ(out.boxText, QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены."));
    EXPECT_EQ(out.after, After::ShowAndMark);
    out = CommitListByte(QStringLiteral("23"), Numbered, 29, false);
    EXPECT_EQ(out.stored, 23);
    EXPECT_EQ(out.box, Box::None);

    // A lone sign cannot be read: reported, nothing stored.
    out = CommitListByte(QStringLiteral("-"), Numbered, 29, false);
    expectUnchanged(out);
    EXPECT_EQ(out.box, Box::Error);
    EXPECT_EQ(out.boxText, FieldRules::notANumberText());
}

TEST(FieldRulesTest, CommitListWordDiffersInEmptyTextNoneValueAndWarning)
{
    using FieldRules::CommitListWord;
    RuleOutcome out = CommitListWord(QString(), Numbered, 29, false);
    expectUnchanged(out);
    EXPECT_EQ(out.box, Box::Error);
    EXPECT_EQ(out.boxText, FieldRules::notANumberText());

    EXPECT_EQ(CommitListWord(QStringLiteral("-1"), Numbered, 29, true).stored, 65535);
    out = CommitListWord(QStringLiteral("23"), Numbered, 29, true);
    EXPECT_EQ(out.boxText, QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены"));
    EXPECT_EQ(out.stored, 23);
    EXPECT_EQ(CommitListWord(QStringLiteral("30"), Numbered, 29, true).boxText, FieldRules::rangeErrorText(29));
}

TEST(FieldRulesTest, CommitByteAndWordStoreWithoutRangeCheckButNeverWrapAround)
{
    using FieldRules::CommitByte;
    using FieldRules::CommitWord;
    RuleOutcome out = CommitByte(QStringLiteral("-7"), 254);
    EXPECT_EQ(out.stored, 255);
    EXPECT_EQ(out.editText, QStringLiteral("-1"));
    EXPECT_EQ(out.after, After::MarkOnly);

    out = CommitByte(QStringLiteral("150"), 100); // Enter may go beyond the edit's Max
    EXPECT_EQ(out.stored, 150);
    EXPECT_EQ(out.after, After::ShowAndMark);
    EXPECT_EQ(out.box, Box::None);
    EXPECT_EQ(CommitByte(QStringLiteral("255"), 254).stored, 255);
    EXPECT_EQ(CommitByte(QStringLiteral("999"), 254).stored, 254);

    EXPECT_EQ(CommitWord(QStringLiteral("-1"), 65534).stored, 65535);
    EXPECT_EQ(CommitWord(QStringLiteral("65535"), 65534).stored, 65535);
    EXPECT_EQ(CommitWord(QStringLiteral("99999"), 65534).stored, 65534);

    for (const QString &bad : {QString(), QStringLiteral("+"), QStringLiteral("-")}) {
        out = CommitByte(bad, 254);
        expectUnchanged(out);
        EXPECT_EQ(out.box, Box::Error);
        expectUnchanged(CommitWord(bad, 65534));
    }
}

TEST(FieldRulesTest, SignedFieldsStoreNegativesAsTyped)
{
    using FieldRules::CommitSignedListWord;
    RuleOutcome out = CommitSignedListWord(QStringLiteral("-5"), Numbered, 29, true);
    EXPECT_EQ(out.stored, 65531);
    EXPECT_EQ(out.after, After::ShowAndMark);
    EXPECT_EQ(out.box, Box::None);
    EXPECT_EQ(CommitSignedListWord(QStringLiteral("-1"), Numbered, 29, true).stored, 65535);
    EXPECT_EQ(CommitSignedListWord(QStringLiteral("-99999"), Numbered, 29, true).stored, 32768);
    // Zero and up go through the list rule.
    EXPECT_EQ(CommitSignedListWord(QStringLiteral("99"), Numbered, 29, true).box, Box::Error);
    EXPECT_EQ(CommitSignedListWord(QStringLiteral("23"), Numbered, 29, true).box, Box::Warning);
    EXPECT_EQ(CommitSignedListWord(QString(), Numbered, 29, true).box, Box::Error);
}

TEST(FieldRulesTest, PickPutsTheEntrysNumberIntoTheEditAndStoresIt)
{
    const ReferenceList list = listOf("12=x\r\n07=y\r\nnone\r\n300=z\r\n-1=w\r\n70000=v\r\n");
    RuleOutcome out = FieldRules::PickListByte(list, 0);
    EXPECT_EQ(out.editText, QStringLiteral("12"));
    EXPECT_EQ(out.stored, 12);
    EXPECT_EQ(out.after, After::ShowAndMark);
    EXPECT_EQ(out.box, Box::None);
    out = FieldRules::PickListByte(list, 1);
    EXPECT_EQ(out.editText, QStringLiteral("07"));
    EXPECT_EQ(out.stored, 7);
    EXPECT_EQ(FieldRules::PickListByte(list, 4).stored, 255);
    EXPECT_EQ(FieldRules::PickListWord(list, 3).stored, 300);

    // No number, or one the field cannot hold: refused, and the record shown again.
    for (const RuleOutcome &refused :
         {FieldRules::PickListByte(list, 2), FieldRules::PickListByte(list, 3), FieldRules::PickListWord(list, 5)}) {
        EXPECT_FALSE(refused.stored);
        EXPECT_FALSE(refused.editText);
        EXPECT_EQ(refused.box, Box::Error);
        EXPECT_EQ(refused.after, After::ShowOnly);
    }
    expectUnchanged(FieldRules::PickListWord(list, 6));
    expectUnchanged(FieldRules::PickListWord(list, -1));
}

TEST(FieldRulesTest, ShownTextAndComboItem)
{
    using FieldRules::shownComboIndex;
    using FieldRules::shownText;
    const ReferenceList list = listOf("0=zero\r\n5=five\r\n65535=all\r\n255=b\r\n");
    EXPECT_EQ(shownText(spec(NpcField::Mode), 65535), QStringLiteral("65535"));
    EXPECT_EQ(shownComboIndex(spec(NpcField::Mode), 65535, list), 2);
    EXPECT_EQ(shownText(spec(NpcField::TriggT), 65535), QStringLiteral("-1"));
    EXPECT_EQ(shownComboIndex(spec(NpcField::TriggT), 65535, list), -1);
    EXPECT_EQ(shownText(spec(NpcField::Q_was), 255), QStringLiteral("-1"));
    EXPECT_EQ(shownComboIndex(spec(NpcField::Q_was), 255, list), -1);
    EXPECT_EQ(shownText(spec(NpcField::FDay), 255), QStringLiteral("-1"));
    EXPECT_EQ(shownText(spec(NpcField::PhraseCnt), 255), QStringLiteral("255"));

    EXPECT_EQ(shownText(spec(NpcField::ItemIn), 65535), QStringLiteral("-1"));
    EXPECT_EQ(shownComboIndex(spec(NpcField::ItemIn), 65535, list), -1);
    EXPECT_EQ(shownText(spec(NpcField::ItemIn), 0), QStringLiteral("0"));
    EXPECT_EQ(shownComboIndex(spec(NpcField::ItemIn), 0, list), -1); // even with an entry 0
    EXPECT_EQ(shownComboIndex(spec(NpcField::ItemOut), 5, list), 1);
    EXPECT_EQ(shownText(spec(NpcField::ItemOut), 32768), QStringLiteral("-32768"));

    EXPECT_EQ(shownText(spec(NpcField::React), 65531), QStringLiteral("-5"));
    EXPECT_EQ(shownComboIndex(spec(NpcField::React), 65531, list), 1);
    EXPECT_EQ(shownComboIndex(spec(NpcField::React), 0, list), 0);
}

TEST(FieldRulesTest, RedFrames)
{
    EXPECT_TRUE(FieldRules::lastDayFrameRed(10, 10));
    EXPECT_TRUE(FieldRules::lastDayFrameRed(255, 10));
    EXPECT_FALSE(FieldRules::lastDayFrameRed(9, 10));
    EXPECT_FALSE(FieldRules::lastDayFrameRed(200, 255));
    EXPECT_TRUE(FieldRules::phraseFrameRed(3, 3));
    EXPECT_TRUE(FieldRules::phraseFrameRed(0, 0));
    EXPECT_FALSE(FieldRules::phraseFrameRed(2, 3));
    EXPECT_FALSE(FieldRules::phraseFrameRed(255, 0));
}

TEST(FieldCatalogueTest, LimitsComeFromTheListsAndStayInsideTheField)
{
    ReferenceLists lists;
    lists.Action.appendText("0=a\r\n29=b\r\n");
    lists.Items.appendText("1=a\r\n1001=b\r\n");
    lists.Npc.appendText("1=a\r\n300=b\r\n");       // beyond a byte
    lists.Trigg.appendText("1=a\r\nlast=b\r\n");    // no number
    lists.Q_Input.appendText("1=a\r\n-3=b\r\n");    // negative
    lists.React.appendText("40000=a\r\n");          // beyond a signed word
    // Modes and Q_Output stay empty.
    EXPECT_EQ(fieldLimit(spec(NpcField::Action), lists), 29);
    EXPECT_EQ(fieldLimit(spec(NpcField::ItemIn), lists), 1001);
    EXPECT_EQ(fieldLimit(spec(NpcField::ControlNpc), lists), 254);
    EXPECT_EQ(fieldLimit(spec(NpcField::TriggT), lists), 65534);
    EXPECT_EQ(fieldLimit(spec(NpcField::Q_was), lists), 254);
    EXPECT_EQ(fieldLimit(spec(NpcField::React), lists), 32767);
    EXPECT_EQ(fieldLimit(spec(NpcField::Mode), lists), 65534);
    EXPECT_EQ(fieldLimit(spec(NpcField::Q_Output), lists), 254);
    EXPECT_EQ(fieldLimit(spec(NpcField::GoSect), lists), 65534);
    EXPECT_EQ(fieldLimit(spec(NpcField::ControlRec), lists), 49);

    EXPECT_EQ(digitCount(0), 1);
    EXPECT_EQ(digitCount(49), 2);
    EXPECT_EQ(digitCount(1001), 4);
    EXPECT_EQ(digitCount(65534), 5);
}

TEST(FieldCatalogueTest, NineteenFieldsTwelveCombosSeventeenButtonsAndDefaultsAsInitialise)
{
    int combos = 0;
    int buttons = 0;
    NpcRecord defaults;
    defaults.initialise();
    for (const FieldSpec &s : fieldCatalogue()) {
        combos += s.hasList();
        buttons += s.hasButton();
        if (s.hasButton()) {
            EXPECT_EQ(s.defaultValue, defaults.value(s.field)) << s.name;
            EXPECT_EQ(FieldRules::shownText(s, s.defaultValue), QLatin1String(s.defaultText)) << s.name;
        }
    }
    EXPECT_EQ(combos, 12);
    EXPECT_EQ(buttons, 17);
    EXPECT_EQ(findFieldSpec(NpcField::Spare19), nullptr);
}
