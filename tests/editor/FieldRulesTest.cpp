#include "editor/FieldRules.h"

#include <gtest/gtest.h>

using namespace FieldRules;

namespace
{

ReferenceList listOf(const QByteArray &bytes)
{
    ReferenceList list;
    list.appendText(bytes);
    return list;
}

// Numbers 0 to 29 with gaps; entry 7 is item 2.
const ReferenceList Numbered = listOf("0=a\r\n1=b\r\n7=c\r\n22=d\r\n24=e\r\n29=f\r\n");

const FieldInfo &info(NpcField field)
{
    return *findFieldInfo(field);
}

// An outcome in one line, e.g. "edit=-1 combo=clear stored=255 mark".
std::string describe(const RuleOutcome &out)
{
    QStringList parts;
    if (out.editText)
        parts << QStringLiteral("edit=") + *out.editText;
    if (out.combo == RuleOutcome::Combo::Clear)
        parts << QStringLiteral("combo=clear");
    if (out.combo == RuleOutcome::Combo::Select)
        parts << QStringLiteral("combo=%1").arg(out.comboIndex);
    if (out.box != RuleOutcome::Box::None)
        parts << (out.box == RuleOutcome::Box::Error ? QStringLiteral("error") : QStringLiteral("warning"));
    if (out.stored)
        parts << QStringLiteral("stored=%1").arg(*out.stored);
    if (out.refocus)
        parts << QStringLiteral("focus");
    const char *after[] = {"", "mark", "show+mark", "show"};
    if (out.after != RuleOutcome::After::Nothing)
        parts << QLatin1String(after[int(out.after)]);
    return parts.join(QLatin1Char(' ')).toStdString();
}

} // namespace

TEST(FieldRulesTest, LeavingNormalisesTheText)
{
    const std::tuple<const char *, int, int, const char *> cases[] = {
        {"", -1, 254, "0"},
        {"-", -1, 254, "0"},
        {"+07", -1, 254, "7"},
        {"-0", -1, 254, "0"},
        {"-99", -1, 254, "-1"},
        {"-1", 0, 29, "0"},
        {"99", 0, 29, "29"},
        {"-999", -32768, 1001, "-999"},
        {"99999999999999999999999", 0, 29, "29"},
        {"-99999999999999999999999", -1, 29, "-1"}};
    for (const auto &[text, min, max, normal] : cases)
        EXPECT_EQ(normaliseText(QLatin1String(text), min, max), QLatin1String(normal)) << text;
}

TEST(FieldRulesTest, EveryRuleWithItsOutcome)
{
    const auto t = [](const char *text) { return QLatin1String(text); };
    const std::pair<RuleOutcome, const char *> cases[] = {
        // Byte field with a list: empty is ignored, out of range refused, -1 is none, the rest stored.
        {CommitListByte(t(""), Numbered, 29, true), ""},
        {CommitListByte(t("99"), Numbered, 29, true), "combo=clear error focus"},
        {CommitListByte(t("-2"), Numbered, 29, true), "combo=clear error focus"},
        {CommitListByte(t("99"), Numbered, 29, false), ""},
        {CommitListByte(t("-1"), Numbered, 29, true), "edit=-1 combo=clear stored=255 mark"},
        {CommitListByte(t("7"), Numbered, 29, true), "combo=2 stored=7 show+mark"},
        {CommitListByte(t("+07"), Numbered, 29, true), "combo=2 stored=7 show+mark"},
        {CommitListByte(t("23"), Numbered, 29, true), "combo=-1 warning stored=23 show+mark"},
        {CommitListByte(t("23"), Numbered, 29, false), "combo=-1 stored=23 show+mark"},
        {CommitListByte(t("-"), Numbered, 29, false), "error focus"},
        // 16-bit field with a list: an empty text is no number; -1 is 65535.
        {CommitListWord(t(""), Numbered, 29, false), "error focus"},
        {CommitListWord(t("-1"), Numbered, 29, true), "edit=-1 combo=clear stored=65535 mark"},
        {CommitListWord(t("30"), Numbered, 29, true), "combo=clear error focus"},
        // Without a list: no range check, but a number too large for the field is not wrapped.
        {CommitByte(t("-7"), 254), "edit=-1 stored=255 mark"},
        {CommitByte(t("150"), 100), "stored=150 show+mark"},
        {CommitByte(t("255"), 254), "stored=255 show+mark"},
        {CommitByte(t("999"), 254), "stored=254 show+mark"},
        {CommitByte(t("+"), 254), "error focus"},
        {CommitWord(t("-1"), 65534), "edit=-1 stored=65535 mark"},
        {CommitWord(t("99999"), 65534), "stored=65534 show+mark"},
        {CommitWord(t(""), 65534), "error focus"},
        // ItemIn, ItemOut, React: negatives as typed, the rest as the list rule.
        {CommitSignedListWord(t("-5"), Numbered, 29, true), "stored=65531 show+mark"},
        {CommitSignedListWord(t("-99999"), Numbered, 29, true), "stored=32768 show+mark"},
        {CommitSignedListWord(t("23"), Numbered, 29, true), "combo=-1 warning stored=23 show+mark"},
        {CommitSignedListWord(t("-"), Numbered, 29, true), "error focus"},
    };
    for (const auto &[outcome, expected] : cases)
        EXPECT_EQ(describe(outcome), expected);

    EXPECT_EQ(CommitListByte(t("99"), Numbered, 29, true).boxText,
              QStringLiteral("Данное значение должно быть в пределах 0 - 29"));
    EXPECT_EQ(CommitListByte(t("23"), Numbered, 29, true).boxText,
              QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены."));
    EXPECT_EQ(CommitListWord(t("23"), Numbered, 29, true).boxText,
              QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены"));
}

TEST(FieldRulesTest, PickPutsTheEntrysNumberIntoTheEditAndStoresIt)
{
    const ReferenceList list = listOf("12=x\r\n07=y\r\nnone\r\n300=z\r\n-1=w\r\n70000=v\r\n");
    EXPECT_EQ(describe(PickListByte(list, 0)), "edit=12 stored=12 show+mark");
    EXPECT_EQ(describe(PickListByte(list, 1)), "edit=07 stored=7 show+mark");
    EXPECT_EQ(describe(PickListByte(list, 4)), "edit=-1 stored=255 show+mark");
    EXPECT_EQ(describe(PickListWord(list, 3)), "edit=300 stored=300 show+mark");
    // No number, or one the field cannot hold: refused, and the record shown again.
    EXPECT_EQ(describe(PickListByte(list, 2)), "error show");
    EXPECT_EQ(describe(PickListByte(list, 3)), "error show");
    EXPECT_EQ(describe(PickListWord(list, 5)), "error show");
    EXPECT_EQ(describe(PickListWord(list, 6)), "");
}

TEST(FieldRulesTest, ShownTextAndComboItem)
{
    const ReferenceList list = listOf("0=zero\r\n5=five\r\n65535=all\r\n");
    const std::tuple<NpcField, quint16, const char *, int> cases[] = {
        {NpcField::Mode, 65535, "65535", 2}, // no none value
        {NpcField::TriggT, 65535, "-1", -1}, {NpcField::Q_was, 255, "-1", -1},
        {NpcField::FDay, 255, "-1", -1},     {NpcField::PhraseCnt, 255, "255", -1},
        {NpcField::ItemIn, 65535, "-1", -1}, {NpcField::ItemIn, 0, "0", -1}, // even with an entry 0
        {NpcField::ItemOut, 5, "5", 1},      {NpcField::ItemOut, 32768, "-32768", -1},
        {NpcField::React, 65531, "-5", 1},   {NpcField::React, 0, "0", 0},
    };
    for (const auto &[field, value, text, item] : cases) {
        EXPECT_EQ(shownText(info(field), value), QLatin1String(text)) << int(field) << " " << value;
        EXPECT_EQ(shownComboIndex(info(field), value, list), item) << int(field) << " " << value;
    }
    EXPECT_TRUE(lastDayFrameRed(10, 10));
    EXPECT_TRUE(lastDayFrameRed(255, 10));
    EXPECT_FALSE(lastDayFrameRed(9, 10));
    EXPECT_FALSE(lastDayFrameRed(200, 255));
    EXPECT_TRUE(phraseFrameRed(3, 3));
    EXPECT_FALSE(phraseFrameRed(2, 3));
    EXPECT_FALSE(phraseFrameRed(255, 0));
}

TEST(FieldCatalogueTest, LimitsComeFromTheListsAndStayInsideTheField)
{
    ReferenceLists lists;
    lists.Action.appendText("0=a\r\n29=b\r\n");
    lists.Npc.appendText("1=a\r\n300=b\r\n");    // beyond a byte
    lists.Trigg.appendText("1=a\r\nlast=b\r\n"); // no number
    lists.Q_Input.appendText("-3=b\r\n");        // negative
    lists.React.appendText("40000=a\r\n");       // beyond a signed word
    const std::pair<NpcField, int> cases[] = {{NpcField::Action, 29},    {NpcField::ControlNpc, 254},
                                              {NpcField::TriggT, 65534}, {NpcField::Q_was, 254},
                                              {NpcField::React, 32767},  {NpcField::ItemIn, 32767},
                                              {NpcField::Mode, 65534},   {NpcField::ControlRec, 49}};
    for (const auto &[field, limit] : cases)
        EXPECT_EQ(fieldLimit(info(field), lists), limit) << int(field);
    EXPECT_EQ(digitCount(0), 1);
    EXPECT_EQ(digitCount(1001), 4);
}

TEST(FieldCatalogueTest, DefaultButtonsGiveTheValuesOfAnInitialisedRecord)
{
    NpcRecord defaults;
    defaults.initialise();
    int buttons = 0;
    for (const FieldInfo &s : fieldCatalogue()) {
        if (!s.hasButton())
            continue;
        ++buttons;
        EXPECT_EQ(s.defaultValue, defaults.value(s.field)) << s.name;
        EXPECT_EQ(shownText(s, s.defaultValue), QLatin1String(s.defaultText)) << s.name;
    }
    EXPECT_EQ(buttons, 17);
}
