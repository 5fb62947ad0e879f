#include "editor/RenumberInputs.h"

#include <gtest/gtest.h>

TEST(RenumberInputsTest, AFieldProposesTheKindAndTheNumberItStandsFor)
{
    struct Case {
        NpcField field;
        quint16 value;
        std::optional<RenumberKind> kind;
        qint64 number = 0;
    };
    const Case cases[] = {
        {NpcField::ItemOut, 57, RenumberKind::Item, 57},
        {NpcField::ItemIn, 0, std::nullopt},       // no item
        {NpcField::Trigg2T, 0xFFFF, std::nullopt}, // not set
        {NpcField::React, quint16(-5), RenumberKind::Reaction, 5},
        {NpcField::Q_Output, 3, RenumberKind::QuestClose, 3},
        {NpcField::ControlNpc, 112, RenumberKind::Npc, 112},
        {NpcField::ControlRec, 4, std::nullopt}, // a record, not a number of a list
        {NpcField::Leader, 2, std::nullopt},
    };
    for (const Case &c : cases) {
        const auto proposal = renumberProposal(c.field, c.value);
        ASSERT_EQ(proposal.has_value(), c.kind.has_value()) << NpcRecord::fieldName(c.field).data();
        if (proposal) {
            EXPECT_EQ(proposal->kind, *c.kind);
            EXPECT_EQ(proposal->number, c.number);
        }
    }
}

TEST(RenumberInputsTest, TheOpenScriptFollowsARenameAndTheRowsNameEveryChange)
{
    RenumberPlan plan;
    plan.fields = {{QStringLiteral("/game/npc/057.npc"), 3, NpcField::ControlNpc, 112, 120}};
    plan.renames = {{QStringLiteral("/game/npc/112.npc"), QStringLiteral("/game/npc/120.npc")}};
    plan.lists = {{QStringLiteral("/game/Data/Npc.txt"), {113, "112=Izyaslav", "120=Izyaslav"}}};
    plan.files = {{QStringLiteral("/game/npc/057.npc"), QStringLiteral("/game/npc/057.npc"), false, false, {}, {}},
                  {QStringLiteral("/game/npc/112.npc"), QStringLiteral("/game/npc/120.npc"), true, false, {}, {}}};
    EXPECT_EQ(pathAfterRenumbering(plan, QStringLiteral("/game/npc/112.npc")),
              QStringLiteral("/game/npc/120.npc"));
    EXPECT_EQ(pathAfterRenumbering(plan, QStringLiteral("/game/npc/057.npc")),
              QStringLiteral("/game/npc/057.npc"));
    EXPECT_TRUE(renumberingChanges(plan, QStringLiteral("/game/npc/../npc/057.npc")));
    EXPECT_FALSE(renumberingChanges(plan, QStringLiteral("/game/npc/200.npc")));

    const QList<RenumberPreviewRow> rows = renumberPreviewRows(plan, QStringLiteral("/game/npc"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (RenumberPreviewRow{QStringLiteral("057.npc"), QStringLiteral("запись 3"),
                                           QStringLiteral("ControlNpc"), QStringLiteral("112 -> 120")}));
    EXPECT_EQ(rows[1].change, QStringLiteral("112.npc -> 120.npc"));
    EXPECT_EQ(rows[2].place, QStringLiteral("строка 113"));
}
