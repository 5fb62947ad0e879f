#include "gui/records/EditorPanelFixture.h"
#include "gui/records/ReferenceListModel.h"
#include "support/Wine.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>


TEST_F(EditorPanelTest, ControlsAreNamedFilledFromSharedListsAndLimited)
{
    start();
    int combos = 0;
    for (const FieldInfo &info : fieldCatalogue()) {
        ASSERT_NE(main().findChild<IntegerEdit *>(info.editName()), nullptr) << info.name;
        if (info.hasList()) {
            ASSERT_NE(main().findChild<QComboBox *>(info.comboName()), nullptr) << info.name;
            EXPECT_EQ(combo(info.field)->count(), session().lists().byId(info.list).count()) << info.name;
            ++combos;
        }
        if (info.hasButton()) {
            auto *button = main().findChild<QToolButton *>(info.buttonName());
            ASSERT_NE(button, nullptr) << info.name;
            EXPECT_EQ(button->toolTip(), QStringLiteral("Установка значения по-умолчанию"));
        }
    }
    EXPECT_EQ(combos, 12);
    EXPECT_NE(find<QToolButton>("Brn_ItemOut"), nullptr);
    ASSERT_NE(find<QPlainTextEdit>("Phrase"), nullptr);
    EXPECT_TRUE(find<QPlainTextEdit>("Phrase")->isReadOnly());
    EXPECT_EQ(main().editorPanel().phraseMemo(), find<QPlainTextEdit>("Phrase"));

    const auto listOf = [this](NpcField field) {
        return static_cast<ReferenceListModel *>(combo(field)->model())->list();
    };
    EXPECT_EQ(listOf(NpcField::TriggT), listOf(NpcField::Trigg2T));
    EXPECT_EQ(listOf(NpcField::ItemIn), listOf(NpcField::ItemOut));
    EXPECT_EQ(listOf(NpcField::Q_was), &session().lists().byId(ListId::Q_Input));
    EXPECT_EQ(combo(NpcField::Action)->itemText(4), QStringLiteral("4. Кража"));
    EXPECT_EQ(combo(NpcField::ItemIn)->itemText(itemOf(ListId::Items, 500)), QStringLiteral("500. ?"));

    const std::pair<NpcField, int> limits[] = {
        {NpcField::Action, 29}, {NpcField::ItemOut, 1001}, {NpcField::React, 40}};
    for (const auto &[field, max] : limits) {
        EXPECT_EQ(edit(field)->maximum(), max) << int(field);
        EXPECT_EQ(edit(field)->maxTextLength(), QString::number(max).size()) << int(field);
    }
}

TEST_F(EditorPanelTest, RowsAreAlignedAndNothingIsClipped)
{
    if (runningUnderWine())
        GTEST_SKIP() << "measured against the fonts of a desktop: Wine's offscreen fonts are not Windows'";
    startShown();
    EditorPanel &panel = main().editorPanel();
    for (QLabel *label : panel.findChildren<QLabel *>())
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    for (QWidget *w : panel.findChildren<QWidget *>()) {
        if (qobject_cast<QGroupBox *>(w->parentWidget())) {
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString();
        }
    }
    EXPECT_LE(find<QGroupBox>("Group_Results")->geometry().bottom(), panel.height());
    EXPECT_EQ(edit(NpcField::Mode)->y() - edit(NpcField::Action)->y(), 30);
    EXPECT_EQ(edit(NpcField::ItemIn)->y() - edit(NpcField::LDay)->y(), 30);
    EXPECT_EQ(edit(NpcField::Action)->x(), edit(NpcField::React)->x());
    EXPECT_EQ(combo(NpcField::Action)->x(), combo(NpcField::React)->x());
    EXPECT_EQ(combo(NpcField::Action)->width(), 369);
    EXPECT_EQ(combo(NpcField::ControlNpc)->width(), 103);
    EXPECT_EQ(edit(NpcField::GoSect)->width(), 41);
}

TEST_F(EditorPanelTest, ShowRecEdgeCases)
{
    start();
    NpcRecord empty;
    empty.Spare28 = 9;
    showRecord(2, empty);
    for (const FieldInfo &info : fieldCatalogue())
        EXPECT_EQ(edit(info.field)->text(), QStringLiteral("0")) << info.name;
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), -1);
    EXPECT_EQ(label(), QStringLiteral("Пустая запись: 2"));
    EXPECT_TRUE(labelRed());
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());

    NpcRecord r = initialised();
    r.ItemIn = 65535;
    r.React = 65531;
    r.Mode = 65535;
    r.Action = 255;
    r.PhraseCnt = 0;
    showRecord(2, r);
    EXPECT_EQ(label(), QStringLiteral("Запись: 2"));
    EXPECT_FALSE(labelRed());
    EXPECT_TRUE(action("SaveAsMacr")->isEnabled());
    EXPECT_EQ(edit(NpcField::ItemIn)->text(), QStringLiteral("-1"));
    EXPECT_EQ(edit(NpcField::ItemOut)->text(), QStringLiteral("0"));
    EXPECT_EQ(combo(NpcField::ItemOut)->currentIndex(), -1); // although Items has an entry 0
    EXPECT_EQ(edit(NpcField::React)->text(), QStringLiteral("-5"));
    EXPECT_EQ(combo(NpcField::React)->currentIndex(), itemOf(ListId::React, 5));
    EXPECT_EQ(edit(NpcField::Mode)->text(), QStringLiteral("65535")); // longer than Mode may be typed
    EXPECT_EQ(edit(NpcField::Action)->text(), QStringLiteral("255"));
    EXPECT_EQ(edit(NpcField::PhraseCnt)->text(), QStringLiteral("1"));
    EXPECT_EQ(record(2).PhraseCnt, 1);
    EXPECT_FALSE(session().isModified());

    r.FDay = 10;
    r.LDay = 10;
    showRecord(2, r);
    EXPECT_TRUE(edit(NpcField::LDay)->redFrame());
    r.FDay = 9;
    showRecord(2, r);
    EXPECT_FALSE(edit(NpcField::LDay)->redFrame());
    EXPECT_TRUE(edit(NpcField::LDay)->styleSheet().isEmpty());
    SessionTester::setDialogueText(session(), {"one", "two"});
    r.Phrase = 2;
    showRecord(2, r);
    EXPECT_TRUE(edit(NpcField::Phrase)->redFrame());

    SessionTester::takeAsOpened(session(), 57);
    r.ControlNpc = 5;
    r.ControlRec = 12;
    showRecord(2, r);
    EXPECT_EQ(main().gridText(2, 2), QStringLiteral("#5"));

    showRecord(49, r);
    EXPECT_TRUE(action("MoveUp")->isEnabled());
    EXPECT_FALSE(action("MoveDown")->isEnabled());
    showRecord(0, r);
    EXPECT_FALSE(action("MoveUp")->isEnabled());
}

TEST_F(EditorPanelTest, EnterOutOfRangeIsRefusedWithTheBoxOrSilently)
{
    startShown();
    NpcRecord r = initialised();
    r.Action = 4;
    showRecord(1, r);
    SessionTester::setCaption(session(), 1, 1, QStringLiteral("old"));

    enter(NpcField::Action, QStringLiteral("99"));
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    EXPECT_EQ(prompts().asked[0].text, QStringLiteral("Данное значение должно быть в пределах 0 - 29"));
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), -1);
    EXPECT_TRUE(edit(NpcField::Action)->hasFocus());
    EXPECT_EQ(record(1).Action, 4);
    EXPECT_EQ(main().gridText(1, 1), QString());
    EXPECT_FALSE(session().isModified());

    session().settings().config().AlertShow = 1;
    combo(NpcField::Action)->setCurrentIndex(4);
    enter(NpcField::Action, QStringLiteral("98"));
    EXPECT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), 4);
    EXPECT_EQ(record(1).Action, 4);

    // The rejected text stays until the edit is left; then it is brought into range.
    main().StringGrid()->setFocus();
    EXPECT_EQ(record(1).Action, 29);
    EXPECT_EQ(main().gridText(1, 1), QStringLiteral("Подарок"));
    EXPECT_TRUE(session().isModified());
}

TEST_F(EditorPanelTest, AValueRefusedOnEnterIsNotStoredWhenTheEditIsLeft)
{
    startShown();
    record(2) = initialised();
    showRecord(1, initialised());
    const NpcRecord before = record(1);

    // Leaving by focus, by another record, and by asking whether there is work to lose.
    enter(NpcField::ControlNpc, QStringLiteral("777"));
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Данное значение должно быть в пределах 0 - 169")});
    main().StringGrid()->setFocus();
    EXPECT_EQ(edit(NpcField::ControlNpc)->text(), QStringLiteral("-1"));

    enter(NpcField::ItemOut, QStringLiteral("9999"));
    main().selectGridRow(2);
    EXPECT_EQ(record(2).ItemOut, 0);
    main().selectGridRow(1);

    enter(NpcField::Q_was, QStringLiteral("+"));
    EXPECT_FALSE(session().hasUnsavedChanges());
    EXPECT_EQ(record(1), before);
    EXPECT_FALSE(session().isModified());

    // Typed again without Enter, the value is brought into range on leaving as before.
    enter(NpcField::ControlNpc, QStringLiteral("777"));
    retype(NpcField::ControlNpc, QStringLiteral("500"));
    main().StringGrid()->setFocus();
    EXPECT_EQ(record(1).ControlNpc, 169);
}

TEST_F(EditorPanelTest, EnterStoresAndWarnsOfUndocumentedValues)
{
    startShown();
    showRecord(1, initialised());

    enter(NpcField::Action, QStringLiteral("-1"));
    EXPECT_EQ(record(1).Action, 255);
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), -1);
    EXPECT_TRUE(session().isModified());

    int gap = 1;
    while (itemOf(ListId::Trigg, gap) >= 0)
        ++gap;
    enter(NpcField::TriggT, QString::number(gap));
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral(
                  "Данное значение параметра недокументировано,\r\nисправьте, если не уверены")});
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Warning);
    EXPECT_EQ(record(1).TriggT, gap);
    EXPECT_EQ(combo(NpcField::TriggT)->currentIndex(), -1);

    prompts().clear();
    session().settings().config().AlertShow = 2;
    enter(NpcField::Q_was, QStringLiteral("99"));
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(record(1).Q_was, 99);

    enter(NpcField::ItemIn, QStringLiteral("-5"));
    EXPECT_EQ(record(1).ItemIn, 65531);
    EXPECT_EQ(edit(NpcField::ItemIn)->text(), QStringLiteral("-5"));
    EXPECT_EQ(combo(NpcField::ItemIn)->currentIndex(), -1);
    enter(NpcField::Action, QStringLiteral("4"));
    EXPECT_EQ(main().gridText(1, 1), QStringLiteral("Кража"));
}

TEST_F(EditorPanelTest, EnterOnTextsThatAreNoNumberStoresNothing)
{
    startShown();
    showRecord(1, initialised());
    enter(NpcField::Q_Input, QString());
    EXPECT_TRUE(prompts().asked.isEmpty());
    for (const auto &[field, text] :
         {std::pair{NpcField::GoSect, QString()}, std::pair{NpcField::TriggF, QStringLiteral("-")},
          std::pair{NpcField::Q_was, QStringLiteral("+")}}) {
        SessionTester::showAgain(session()); // so that moving on leaves nothing typed behind
        prompts().clear();
        enter(field, text);
        ASSERT_EQ(prompts().asked.size(), 1) << int(field);
        EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    }
    EXPECT_EQ(record(1), initialised());
    EXPECT_FALSE(session().isModified());
}

TEST_F(EditorPanelTest, LeavingNormalisesThenStoresButPassingThroughChangesNothing)
{
    startShown();
    showRecord(1, initialised());
    typeAndLeave(NpcField::Action, QStringLiteral("-1"));
    EXPECT_EQ(record(1).Action, 0);
    typeAndLeave(NpcField::TriggT, QStringLiteral("-1"));
    EXPECT_EQ(record(1).TriggT, 65535);
    typeAndLeave(NpcField::FDay, QString());
    EXPECT_EQ(edit(NpcField::FDay)->text(), QStringLiteral("0"));
    EXPECT_TRUE(prompts().asked.isEmpty());

    record(1).Action = 200;
    SessionTester::showAgain(session());
    SessionTester::markSaved(session());
    edit(NpcField::Action)->setFocus();
    main().StringGrid()->setFocus();
    EXPECT_EQ(record(1).Action, 200);
    EXPECT_FALSE(session().isModified());
}

TEST_F(EditorPanelTest, LeavingForAnotherRowWritesIntoTheRecordShown)
{
    startShown();
    record(2) = initialised();
    showRecord(1, initialised());
    retype(NpcField::Leader, QStringLiteral("42"));
    QWidget *viewport = main().StringGrid()->viewport();
    const QPoint at = main().StringGrid()->visualItemRect(main().StringGrid()->item(2, 1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    EXPECT_EQ(session().CurRec(), 2);
    EXPECT_EQ(record(1).Leader, 42);
    EXPECT_EQ(record(2).Leader, 0);

    // Also when the program moves on while the edit keeps the focus.
    retype(NpcField::GoSect, QStringLiteral("77"));
    main().selectGridRow(1);
    EXPECT_EQ(record(2).GoSect, 77);
    EXPECT_EQ(record(1).GoSect, 65535);
    main().StringGrid()->setFocus();
    EXPECT_EQ(record(1).GoSect, 65535);
}

TEST_F(EditorPanelTest, SavingTakesAValueTypedButNotYetConfirmed)
{
    startShown();
    showRecord(0, initialised());
    retype(NpcField::Leader, QStringLiteral("42"));
    prompts().files << pathIn(QStringLiteral("typed.npc"));
    action("SaveAs")->trigger();
    const QByteArray saved = readFile(QStringLiteral("typed.npc"));
    ASSERT_EQ(saved.size(), 1600);
    EXPECT_EQ(static_cast<quint8>(saved.at(12)), 42);
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));
}

TEST_F(EditorPanelTest, SettingTheOnlyFieldToZeroShowsTheEmptyFormThenMarks)
{
    startShown();
    NpcRecord r;
    r.Leader = 5;
    showRecord(3, r);
    enter(NpcField::Leader, QStringLiteral("0"));
    EXPECT_TRUE(record(3).isEmpty());
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());
    EXPECT_EQ(label(), QStringLiteral("Запись: 3"));
    EXPECT_FALSE(labelRed());
}

TEST_F(EditorPanelTest, PickingAnItem)
{
    start();
    SessionTester::takeAsOpened(session(), 12);
    NpcRecord r = initialised();
    r.ControlRec = 3;
    showRecord(4, r);
    pick(NpcField::ControlNpc, itemOf(ListId::Npc, 12));
    EXPECT_EQ(edit(NpcField::ControlNpc)->text(), QStringLiteral("12"));
    EXPECT_EQ(record(4).ControlNpc, 12);
    EXPECT_EQ(main().gridText(4, 2), QStringLiteral("3"));
    EXPECT_TRUE(session().isModified());
    pick(NpcField::Action, itemOf(ListId::Action, 4));
    EXPECT_EQ(main().gridText(4, 1), QStringLiteral("Кража"));
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(EditorPanelTest, DefaultButtonsStoreAndMarkWithoutShowingTheRecordAgain)
{
    start();
    SessionTester::takeAsOpened(session(), 12);
    NpcRecord r;
    for (const FieldInfo &info : fieldCatalogue())
        r.setValue(info.field, 7);
    r.ControlNpc = 12;
    showRecord(6, r);
    for (const FieldInfo &info : fieldCatalogue()) {
        if (!info.hasButton())
            continue;
        SessionTester::setLabelEmptyForm(session(), true);
        main().findChild<QToolButton *>(info.buttonName())->click();
        EXPECT_EQ(record(6).value(info.field), info.defaultValue) << info.name;
        EXPECT_EQ(edit(info.field)->text(), QLatin1String(info.defaultText)) << info.name;
        if (combo(info.field)) {
            EXPECT_EQ(combo(info.field)->currentIndex(), info.field == NpcField::React ? 0 : -1) << info.name;
        }
        EXPECT_EQ(label(), QStringLiteral("Запись: 6"));
        EXPECT_FALSE(labelRed());
    }
    NpcRecord expected = initialised();
    expected.Action = expected.Mode = 7;
    EXPECT_EQ(record(6), expected);
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(main().gridText(6, 2), QStringLiteral("7")); // the old link stays
}

TEST_F(EditorPanelTest, TypingIsLimitedToASignedNumberOfTheEditsLength)
{
    start();
    IntegerEdit *itemIn = edit(NpcField::ItemIn);
    itemIn->clear();
    typeInto(itemIn, QStringLiteral("a-9x9+991"));
    EXPECT_EQ(itemIn->text(), QStringLiteral("-999"));
    IntegerEdit *mode = edit(NpcField::Mode);
    mode->clear();
    typeInto(mode, QStringLiteral("-1"));
    EXPECT_EQ(mode->text(), QStringLiteral("-")); // one character: no negative fits
    itemIn->clear();
    itemIn->insert(QStringLiteral("12ab"));
    EXPECT_EQ(itemIn->text(), QString());
    itemIn->insert(QStringLiteral("+12"));
    EXPECT_EQ(itemIn->text(), QStringLiteral("+12"));
}
