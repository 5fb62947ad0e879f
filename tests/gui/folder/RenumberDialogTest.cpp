#include "gui/folder/RenumberDialog.h"

#include "common/Windows1251.h"
#include "document/NpcFile.h"
#include "support/AppFixture.h"
#include "support/FolderSnapshot.h"
#include "support/UsedRecord.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace
{

NpcRecords itemsIn(std::initializer_list<std::pair<int, NpcField>> places, quint16 item = 57)
{
    NpcRecords records{};
    for (const auto &[record, field] : places) {
        records[record] = usedRecord(1);
        records[record].setValue(field, item);
    }
    return records;
}

} // namespace

class RenumberDialogTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        writeFile(QStringLiteral("Data/Items.txt"), toWindows1251(QStringLiteral("56=Щит\r\n57=Меч\r\n")));
        writeScript(QStringLiteral("scripts/057.npc"),
                    itemsIn({{0, NpcField::ItemIn}, {3, NpcField::ItemOut}}));
        writeScript(QStringLiteral("scripts/sub/112.npc"), itemsIn({{1, NpcField::ItemIn}}));
        start({pathIn(QStringLiteral("scripts/057.npc"))});
        prompts().clear();
    }
    RenumberDialog &dialog() { return *main().findChild<RenumberDialog *>(); }
    template <typename T> T *control(const char *name)
    {
        T *widget = dialog().findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString status() { return control<QLabel>("Lbl_Status")->text(); }
    QStringList rows()
    {
        QStringList list;
        auto *tree = control<QTreeWidget>("Tree_Changes");
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int column = 0; column < tree->columnCount(); ++column)
                cells << tree->topLevelItem(i)->text(column);
            list << cells.join(QStringLiteral(" | "));
        }
        return list;
    }
    void previewToTheEnd()
    {
        control<QPushButton>("Btn_Preview")->click();
        while (dialog().isPlanning())
            QCoreApplication::processEvents();
    }
};

TEST_F(RenumberDialogTest, ProposesTheFocusedFieldShowsTheChangesAndStopsWithoutWriting)
{
    main().show();
    QApplication::setActiveWindow(&main());
    auto *itemIn = main().findChild<QLineEdit *>(QStringLiteral("Edit_ItemIn"));
    ASSERT_NE(itemIn, nullptr);
    itemIn->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), itemIn);
    trigger("Renumber");
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_TRUE(control<QComboBox>("Combo_Kind")->currentText().startsWith(QStringLiteral("Предмет")));
    EXPECT_EQ(control<QSpinBox>("Edit_OldNumber")->value(), 57);
    EXPECT_EQ(control<QLineEdit>("Edit_Folder")->text(),
              QDir::toNativeSeparators(pathIn(QStringLiteral("scripts"))));

    const auto before = folderSnapshot(startFolder());
    control<QSpinBox>("Edit_NewNumber")->setValue(56);
    previewToTheEnd();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(status().contains(QStringLiteral("56"))) << status().toStdString(); // the list names 56
    EXPECT_FALSE(control<QPushButton>("Btn_Apply")->isEnabled());

    control<QSpinBox>("Edit_NewNumber")->setValue(60);
    control<QPushButton>("Btn_Preview")->click();
    ASSERT_TRUE(dialog().isPlanning()) << "the reading waits for the event loop";
    EXPECT_TRUE(control<QPushButton>("Btn_Stop")->isVisible());
    control<QPushButton>("Btn_Stop")->click();
    EXPECT_FALSE(dialog().isPlanning());
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(control<QPushButton>("Btn_Apply")->isEnabled());

    previewToTheEnd();
    const QString sub = QDir::toNativeSeparators(QStringLiteral("sub/112.npc"));
    EXPECT_EQ(rows(), (QStringList{
                          QStringLiteral("057.npc | запись 0 | ItemIn | 57 -> 60"),
                          QStringLiteral("057.npc | запись 3 | ItemOut | 57 -> 60"),
                          sub + QStringLiteral(" | запись 1 | ItemIn | 57 -> 60"),
                          QDir::toNativeSeparators(pathIn(QStringLiteral("Data/Items.txt"))) +
                              QStringLiteral(" | строка 2 | список | 57=Меч -> 60=Меч"),
                      }));
    EXPECT_TRUE(control<QPushButton>("Btn_Apply")->isEnabled());
    EXPECT_EQ(folderSnapshot(startFolder()), before);

    // A changed input drops the preview: what Apply writes is always what is shown.
    control<QSpinBox>("Edit_NewNumber")->setValue(61);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(control<QPushButton>("Btn_Apply")->isEnabled());
}

TEST_F(RenumberDialogTest, ApplyAsksForUnsavedChangesThenReopensTheScriptAtItsRecord)
{
    session().selectRecord(3);
    session().commitField(NpcField::Leader, QStringLiteral("2"));
    trigger("Renumber");
    control<QComboBox>("Combo_Kind")->setCurrentIndex(int(RenumberKind::Item));
    control<QSpinBox>("Edit_OldNumber")->setValue(57);
    control<QSpinBox>("Edit_NewNumber")->setValue(60);
    previewToTheEnd();
    const auto before = folderSnapshot(startFolder());

    control<QPushButton>("Btn_Apply")->click(); // No: nothing happens
    ASSERT_EQ(prompts().messageTexts().size(), 1);
    EXPECT_TRUE(
        prompts().messageTexts().first().startsWith(QStringLiteral("Текущие данные не сохранены.\r\n")));
    EXPECT_EQ(folderSnapshot(startFolder()), before);
    EXPECT_TRUE(session().isModified());

    // Another program changed a script since the preview: the plan is made again and shown.
    writeScript(QStringLiteral("scripts/sub/112.npc"),
                itemsIn({{1, NpcField::ItemIn}, {2, NpcField::ItemOut}}));
    prompts().answers = {QMessageBox::Yes};
    control<QPushButton>("Btn_Apply")->click();
    EXPECT_EQ(rows().size(), 5);
    EXPECT_TRUE(status().contains(QStringLiteral("заново")));
    EXPECT_TRUE(session().isModified());

    prompts().answers = {QMessageBox::Yes};
    control<QPushButton>("Btn_Apply")->click();
    EXPECT_EQ(NpcWriter::encode(itemsIn({{1, NpcField::ItemIn}, {2, NpcField::ItemOut}}, 60),
                                NpcLayout::StandardLayout),
              readFile(QStringLiteral("scripts/sub/112.npc")));
    EXPECT_EQ(session().CurRec(), 3);
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(session().currentRecord().ItemOut, 60);
    EXPECT_EQ(fromWindows1251(session().lists().Items.nameOf(60)), QStringLiteral("Меч"));
    EXPECT_TRUE(rows().isEmpty());
}
