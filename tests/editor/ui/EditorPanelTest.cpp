#include "editor/ui/EditorPanel.h"
#include "common/Windows1251.h"
#include "editor/ui/ReferenceListModel.h"
#include "support/AppFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QWheelEvent>

class EditorPanelTest : public AppFixture
{
protected:
    void startShown()
    {
        start();
        main().show();
        QApplication::setActiveWindow(&main());
        QApplication::processEvents();
    }

    IntegerEdit *edit(NpcField field) { return main().editorPanel().edit(field); }
    QComboBox *combo(NpcField field) { return main().editorPanel().combo(field); }
    NpcRecord &record(int row) { return records().at(row); }
    int itemOf(ListId list, int number) { return session().lists().byId(list).indexOf(number); }

    // Makes the row current as a selection does, also when it already is.
    void showRecord(int row, const NpcRecord &value)
    {
        record(row) = value;
        if (session().CurRec() == row)
            main().StringGrid()->StringGridSelectCell(1, row);
        else
            main().selectGridRow(row);
    }
    static NpcRecord initialised()
    {
        NpcRecord r;
        r.initialise();
        return r;
    }

    static void typeInto(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    }
    // Replaces the edit's text by typing, as a user who selected it all would.
    void retype(NpcField field, const QString &text)
    {
        edit(field)->setFocus();
        edit(field)->selectAll();
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(edit(field), &erase);
        typeInto(edit(field), text);
    }
    void enter(NpcField field, const QString &text)
    {
        retype(field, text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit(field), &press);
    }
    void typeAndLeave(NpcField field, const QString &text)
    {
        retype(field, text);
        main().StringGrid()->setFocus();
    }
    void pick(NpcField field, int item)
    {
        combo(field)->setCurrentIndex(item);
        emit combo(field)->activated(item);
    }

    QString label() { return main().Lbl_RecordNo()->text(); }
    bool labelRed()
    {
        return main().Lbl_RecordNo()->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
};

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
    ScriptSessionTester::setDialogueText(session(), {"one", "two"});
    r.Phrase = 2;
    showRecord(2, r);
    EXPECT_TRUE(edit(NpcField::Phrase)->redFrame());

    ScriptSessionTester::takeAsOpened(session(), 57);
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
    ScriptSessionTester::setCaption(session(), 1, 1, QStringLiteral("old"));

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
        ScriptSessionTester::showAgain(session()); // so that moving on leaves nothing typed behind
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
    ScriptSessionTester::showAgain(session());
    ScriptSessionTester::markSaved(session());
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
    ScriptSessionTester::takeAsOpened(session(), 12);
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
    ScriptSessionTester::takeAsOpened(session(), 12);
    NpcRecord r;
    for (const FieldInfo &info : fieldCatalogue())
        r.setValue(info.field, 7);
    r.ControlNpc = 12;
    showRecord(6, r);
    for (const FieldInfo &info : fieldCatalogue()) {
        if (!info.hasButton())
            continue;
        ScriptSessionTester::setLabelEmptyForm(session(), true);
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
