#include "gui/file/DiskWatch.h"
#include "gui/records/EditorPanelFixture.h"
#include "gui/records/ReferenceListModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTableWidget>
#include <QWheelEvent>

TEST_F(EditorPanelTest, ListsThatAreMissingEmptyOrOddKeepEveryFieldUsable)
{
    writeFile(QStringLiteral("Data/Action.txt"), {});
    writeFile(QStringLiteral("Data/Npc.txt"), "1=a\r\n2=b\r\nlast=c");
    QFile::remove(pathIn(QStringLiteral("Data/Modes.txt")));
    startShown();
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Проблема чтения файла ") +
                          QDir::toNativeSeparators(pathIn(QStringLiteral("Data/Modes.txt")))});
    EXPECT_EQ(edit(NpcField::Action)->maximum(), 254);
    EXPECT_EQ(edit(NpcField::Mode)->maximum(), 65534);
    EXPECT_EQ(edit(NpcField::ControlNpc)->maximum(), 254);

    prompts().clear();
    session().settings().config().AlertShow = 1;
    showRecord(1, initialised());
    typeAndLeave(NpcField::Action, QStringLiteral("254"));
    EXPECT_EQ(record(1).Action, 254);
    pick(NpcField::ControlNpc, 2); // "last" is no number
    EXPECT_EQ(record(1).ControlNpc, 255);
    EXPECT_EQ(combo(NpcField::ControlNpc)->currentIndex(), -1);
    EXPECT_EQ(prompts().asked.size(), 1);
}

TEST_F(EditorPanelTest, ScrollingOverABoxTheUserIsNotInPicksNothing)
{
    startShown();
    main().StringGrid()->setFocus();
    QComboBox *box = combo(NpcField::Action);
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_FALSE(session().isModified());
}

namespace
{

void press(QWidget *widget, int key, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &event);
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

TEST_F(EditorPanelTest, LettersNarrowAListBoxAndAPickFromTheNarrowedListIsAPick)
{
    writeFile(QStringLiteral("Data/Items.txt"),
              toWindows1251(QStringLiteral("0=Ничего\r\n1=Меч\r\n2=Щит\r\n3=Ржавый меч\r\nбез номера\r\n")));
    startShown();
    showRecord(1, initialised());
    QComboBox *box = combo(NpcField::ItemIn);
    box->setFocus();

    typeInto(box, QStringLiteral("МЕ"));
    EXPECT_EQ(itemsOf(box), QStringList({QStringLiteral("1. Меч"), QStringLiteral("3. Ржавый меч")}));
    EXPECT_EQ(box->placeholderText(), QStringLiteral("МЕ"));
    EXPECT_EQ(box->currentIndex(), -1);
    ASSERT_TRUE(box->view()->isVisible());
    EXPECT_EQ(record(1).ItemIn, 0);

    // Backspace widens it again; the second row is picked with Enter.
    typeInto(box->view(), QStringLiteral("x"));
    EXPECT_EQ(box->count(), 0);
    press(box->view(), Qt::Key_Backspace);
    ASSERT_EQ(box->count(), 2);
    box->view()->setCurrentIndex(box->model()->index(1, 0));
    press(box->view(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(record(1).ItemIn, 3);
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(box->count(), 5);
    EXPECT_EQ(box->currentIndex(), 3);
    EXPECT_EQ(edit(NpcField::ItemIn)->text(), QStringLiteral("3"));
    EXPECT_TRUE(box->placeholderText().isEmpty());

    // Closed without a pick, the box shows what it showed and nothing is stored.
    typeInto(box, QStringLiteral("щ"));
    EXPECT_EQ(itemsOf(box), QStringList({QStringLiteral("2. Щит")}));
    press(box->view(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(box->count(), 5);
    EXPECT_EQ(box->currentIndex(), 3);
    EXPECT_EQ(record(1).ItemIn, 3);

    // Digits search by number as before, and pick.
    typeInto(box, QStringLiteral("2"));
    EXPECT_EQ(box->currentIndex(), 2);
    EXPECT_EQ(record(1).ItemIn, 2);
}

TEST_F(EditorPanelTest, LongNamesAreCutForShowAndPopupsAreAsWideAsTheirLongestName)
{
    const QString longName = QStringLiteral("Кузнец ").repeated(100).trimmed();
    writeFile(QStringLiteral("Data/Npc.txt"), toWindows1251(QStringLiteral("0=A\r\n1=") + longName +
                                                            QStringLiteral("\r\n2=Староста деревни\r\n")));
    startShown();
    QComboBox *box = combo(NpcField::ControlNpc);
    const QString shown = box->itemText(1);
    EXPECT_EQ(shown.size(), ReferenceListModel::ShownLength + 1);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE((QStringLiteral("1. ") + longName).startsWith(shown.chopped(1)));
    EXPECT_EQ(session().lists().byId(ListId::Npc).name(1), toWindows1251(longName)); // the list keeps it whole

    // First opened narrowed to other names, it is still as wide as the longest.
    box->setFocus();
    typeInto(box, QStringLiteral("Ста"));
    ASSERT_EQ(box->count(), 1);
    EXPECT_TRUE(box->view()->isVisible());
    const int wanted = std::min(box->view()->fontMetrics().horizontalAdvance(shown),
                                box->screen()->availableGeometry().width() - 40);
    EXPECT_GE(box->view()->width(), wanted);
    box->hidePopup();
}

TEST_F(EditorPanelTest, ListsChangedByAnotherProgramAreReadAgainIntoEveryLimitBoxAndCaption)
{
    writeFile(QStringLiteral("Data/Items.txt"), toWindows1251(QStringLiteral("0=Ничего\r\n57=Меч\r\n")));
    startShown();
    NpcRecord r = initialised();
    r.Action = 4;
    r.ItemIn = 57;
    showRecord(1, r);
    ASSERT_EQ(edit(NpcField::ItemIn)->maximum(), 57);

    // A renumbering from the command line: item 57 is now 60, and the action has a new name.
    writeFile(QStringLiteral("Data/Items.txt"), toWindows1251(QStringLiteral("0=Ничего\r\n60=Меч\r\n")));
    QByteArray actions = readFile(QStringLiteral("Data/Action.txt"));
    actions.replace("\r\n4=", "\r\n4=New ");
    writeFile(QStringLiteral("Data/Action.txt"), actions);
    main().findChild<DiskWatch *>(QStringLiteral("DiskWatch"))->check();

    EXPECT_EQ(main().statusBar()->currentMessage(),
              QStringLiteral("Списки изменены другой программой и прочитаны заново."));
    EXPECT_EQ(edit(NpcField::ItemIn)->maximum(), 60);
    EXPECT_EQ(edit(NpcField::ItemOut)->maximum(), 60);
    EXPECT_EQ(itemsOf(combo(NpcField::ItemIn)),
              (QStringList{QStringLiteral("0. Ничего"), QStringLiteral("60. Меч")}));
    EXPECT_TRUE(main().gridText(1, 1).startsWith(QStringLiteral("New ")));
    EXPECT_EQ(combo(NpcField::Action)->currentText(), QStringLiteral("4. ") + main().gridText(1, 1));

    typeAndLeave(NpcField::ItemIn, QStringLiteral("60"));
    EXPECT_EQ(record(1).ItemIn, 60);
    EXPECT_EQ(combo(NpcField::ItemIn)->currentIndex(), 1);

    // Nothing changed since: nothing is read again.
    main().statusBar()->clearMessage();
    main().findChild<DiskWatch *>(QStringLiteral("DiskWatch"))->check();
    EXPECT_TRUE(main().statusBar()->currentMessage().isEmpty());
}
