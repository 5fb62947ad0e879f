// A value typed into a field but not confirmed with Enter goes with the record on every
// road away from it: nothing the user typed is ever dropped unasked.
#include "document/NpcFile.h"
#include "gui/file/DocumentCommands.h"
#include "gui/records/EditorPanel.h"
#include "gui/folder/FindUsagesDialog.h"
#include "gui/folder/ProblemsWindow.h"
#include "gui/map/View_Map.h"
#include "macros/MacroEntry.h"
#include "support/AppFixture.h"
#include "support/UsedRecord.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <functional>

namespace
{

constexpr int Typed = 43;
constexpr int OnlyFact = 2; // only record 8 needs it

NpcRecords ownScript()
{
    NpcRecords own{};
    own[0] = usedRecord(1, 57, 7);
    own[7] = usedRecord(2);
    own[8] = usedRecord(3, 57, 30); // to an empty record: a finding to pick
    own[8].TriggT = OnlyFact;
    return own;
}

class TypedValueTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        writeFile(QStringLiteral("npc/057.npc"), NpcWriter::encode(ownScript(), NpcLayout::StandardLayout));
        writeFile(QStringLiteral("npc/112.npc"), NpcWriter::encode(NpcRecords{}, NpcLayout::StandardLayout));
        writeFile(QStringLiteral("Data/macros.mcr"), MacroEntry::form("Guard", usedRecord(9)) + "\r\n");
        start();
        main().show();
        QApplication::setActiveWindow(&main());
        prompts().files << pathIn(QStringLiteral("npc/112.npc"));
        trigger("Open"); // 112 becomes a recent file
        prompts().files << pathIn(QStringLiteral("npc/057.npc"));
        trigger("Open");
        prompts().clear();
    }

    // Types into the Leader field of the record without confirming it.
    void typeLeader(int row)
    {
        main().selectGridRow(row);
        IntegerEdit *edit = main().editorPanel().edit(NpcField::Leader);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::number(Typed));
        ASSERT_EQ(session().record(row).Leader, 0) << "nothing is confirmed yet";
    }
    quint8 savedLeader(const QString &name, int row)
    {
        NpcReader reader;
        return reader.read(pathIn(name)) ? reader.records()[row].Leader : 0;
    }
    // Сервис → find usages: the fact, searched, its one result opened with Enter.
    void openTheFactsUseThroughTheDialog()
    {
        trigger("FindUsages");
        auto *dialog = m_windows->findUsages.get();
        ASSERT_TRUE(dialog->isVisible());
        auto *what = dialog->findChild<QComboBox *>(QStringLiteral("Combo_What"));
        what->setCurrentIndex(what->findText(QStringLiteral("Факт"), Qt::MatchStartsWith));
        auto *names = dialog->findChild<QListView *>(QStringLiteral("List_Names"));
        const QModelIndexList fact =
            names->model()->match(names->model()->index(0, 0), Qt::DisplayRole,
                                  QStringLiteral("%1.").arg(OnlyFact), 1, Qt::MatchStartsWith);
        ASSERT_EQ(fact.size(), 1);
        names->setCurrentIndex(fact[0]);
        dialog->findChild<QPushButton *>(QStringLiteral("Btn_Find"))->click();
        while (dialog->isSearching())
            QCoreApplication::processEvents();
        auto *results = dialog->findChild<QTreeView *>(QStringLiteral("List_Usages"));
        ASSERT_EQ(results->model()->rowCount(), 1);
        results->setFocus();
        results->setCurrentIndex(results->model()->index(0, 0));
        QTest::keyClick(results, Qt::Key_Return);
        dialog->hide();
        QApplication::setActiveWindow(&main());
    }
    QAction *recentFile()
    {
        for (QAction *item : main().findChildren<QAction *>()) {
            if (item->objectName().startsWith(QLatin1String("RecentFile")) &&
                item->toolTip().endsWith(QStringLiteral("112.npc")))
                return item;
        }
        return nullptr;
    }
};

} // namespace

TEST_F(TypedValueTest, EveryRoadAwayFromTheRecordTakesTheTypedValue)
{
    const QString script = QStringLiteral("npc/057.npc");
    const auto keptIn = [this](int row) { return session().record(row).Leader == Typed; };
    struct Road {
        const char *name;
        int row; // where the value is typed
        std::function<void()> go;
        std::function<bool()> kept;
    };
    const Road roads[] = {
        {"grid click", 7, [&] { main().selectGridRow(3); }, [&] { return keptIn(7); }},
        {"keys", 7, [&] { QTest::keyClick(main().StringGrid(), Qt::Key_Down); },
         [&] { return keptIn(7) && session().CurRec() == 8; }},
        {"follow link", 0, [&] { trigger("FollowLink"); },
         [&] { return keptIn(0) && session().CurRec() == 7; }},
        {"go back", 7,
         [&] {
             session().links().rememberPlace({session().document().path, 2});
             trigger("GoBack");
         },
         [&] { return keptIn(7) && session().CurRec() == 2; }},
        {"problems window", 7,
         [&] { emit m_windows->problems.get()->recordPicked(8); },
         [&] { return keptIn(7) && session().CurRec() == 8; }},
        {"dialogue map", 7, [&] { emit m_windows->map.get()->recordPicked(8); },
         [&] { return keptIn(7) && session().CurRec() == 8; }},
        {"find usages", 7, [&] { openTheFactsUseThroughTheDialog(); },
         [&] {
             return keptIn(7) && session().CurRec() == 8 && main().windowTitle().endsWith(QLatin1Char('*'));
         }},
        {"recent file", 7, [&] { recentFile()->trigger(); },
         [&] { return keptIn(7) && prompts().messageTexts().size() == 1; }},
        {"save", 7, [&] { trigger("Save"); }, [&] { return savedLeader(script, 7) == Typed; }},
        {"save as", 7,
         [&] {
             prompts().files << pathIn(QStringLiteral("npc/058.npc"));
             trigger("SaveAs");
         },
         [&] { return savedLeader(QStringLiteral("npc/058.npc"), 7) == Typed; }},
        {"new", 7, [&] { trigger("New"); },
         [&] { return keptIn(7) && prompts().messageTexts().size() == 1; }},
        {"open", 7, [&] { trigger("Open"); },
         [&] { return keptIn(7) && prompts().messageTexts().size() == 1; }},
        {"macro", 7,
         [&] {
             QMenu *menu = main().Btn_Macr()->menu();
             emit menu->aboutToShow();
             menu->actions().last()->trigger();
             session().undo(); // the macro only: the typed value was a step before it
         },
         [&] { return keptIn(7) && session().record(7).Action == 2; }},
        {"copy", 7, [&] { trigger("CopyRec"); }, [&] { return session().clipboard().Leader == Typed; }},
        {"cut", 7, [&] { trigger("CutRec"); }, [&] { return session().clipboard().Leader == Typed; }},
        {"move down", 7, [&] { trigger("MoveDown"); }, [&] { return keptIn(8) && session().CurRec() == 8; }},
        {"delete", 7, [&] { trigger("DeleteRec"); }, [&] { return keptIn(7); }},   // answered Cancel
        {"initialise", 7, [&] { trigger("Inicial"); }, [&] { return keptIn(7); }}, // answered Cancel
    };
    for (const Road &road : roads) {
        SCOPED_TRACE(road.name);
        ASSERT_TRUE(main().documentCommands().openScript(pathIn(script), {}));
        prompts().clear();
        typeLeader(road.row);
        road.go();
        EXPECT_TRUE(road.kept());
        prompts().files.clear();
        prompts().answers.clear();
        prompts().clear();
        // The next road starts from the file as it was.
        writeFile(script, NpcWriter::encode(ownScript(), NpcLayout::StandardLayout));
    }
}
