#include "editor/ui/EditorPanel.h"
#include "support/AppFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QWheelEvent>

namespace {

const QString RangeError = QStringLiteral("Данное значение должно быть в пределах 0 - ");
const QString UndocumentedByte =
    QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены.");
const QString UndocumentedWord =
    QStringLiteral("Данное значение параметра недокументировано,\r\nисправьте, если не уверены");

} // namespace

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

    EditorPanel &panel() { return main().editorPanel(); }
    IntegerEdit *edit(NpcField field) { return panel().edit(field); }
    QComboBox *combo(NpcField field) { return panel().combo(field); }
    NpcRecord &record(int row) { return main().document().records.at(row); }

    // Makes the row current as a selection does, also when it already is.
    void select(int row)
    {
        if (main().CurRec() == row)
            main().StringGridSelectCell(1, row);
        else
            main().selectGridRow(row);
    }
    void showRecord(int row, const NpcRecord &value)
    {
        record(row) = value;
        select(row);
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
    void pressEnter(NpcField field)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit(field), &press);
    }
    void leave() { main().StringGrid()->setFocus(); }
    void clickRow(int row)
    {
        QTableWidget *grid = main().StringGrid();
        const QPoint at = grid->visualItemRect(grid->item(row, 1)).center();
        QWidget *viewport = grid->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
    }
    void pick(NpcField field, int item)
    {
        combo(field)->setCurrentIndex(item);
        emit combo(field)->activated(item);
    }

    QString label() const { return m_windows->main->Lbl_RecordNo()->text(); }
    bool labelRed() const
    {
        return m_windows->main->Lbl_RecordNo()->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
    int itemOf(ListId list, int number) { return main().lists().byId(list).indexOf(number); }
    static NpcRecord initialised()
    {
        NpcRecord r;
        r.initialise();
        return r;
    }
};

TEST_F(EditorPanelTest, EveryControlIsNamedAndFilledFromTheLists)
{
    start();
    int edits = 0;
    int combos = 0;
    int buttons = 0;
    for (const FieldSpec &spec : fieldCatalogue()) {
        auto *e = main().findChild<IntegerEdit *>(spec.editName());
        ASSERT_NE(e, nullptr) << spec.name;
        ++edits;
        EXPECT_EQ(e->minimum(), spec.min) << spec.name;
        if (spec.hasList()) {
            auto *c = main().findChild<QComboBox *>(spec.comboName());
            ASSERT_NE(c, nullptr) << spec.name;
            EXPECT_EQ(c->count(), main().lists().byId(spec.list).count()) << spec.name;
            ++combos;
        }
        if (spec.hasButton()) {
            auto *b = main().findChild<QToolButton *>(spec.buttonName());
            ASSERT_NE(b, nullptr) << spec.name;
            EXPECT_EQ(b->toolTip(), QStringLiteral("Установка значения по-умолчанию"));
            ++buttons;
        }
    }
    EXPECT_EQ(edits, 19);
    EXPECT_EQ(combos, 12);
    EXPECT_EQ(buttons, 17);
    EXPECT_NE(find<QToolButton>("Brn_ItemOut"), nullptr);
    EXPECT_NE(find<QToolButton>("Brn_Phrase"), nullptr);
    auto *memo = find<QPlainTextEdit>("Phrase");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->height(), 80);

    // One model per list, whichever boxes show it.
    EXPECT_EQ(combo(NpcField::TriggT)->model(), combo(NpcField::TriggF)->model());
    EXPECT_EQ(combo(NpcField::TriggT)->model(), combo(NpcField::Trigg2T)->model());
    EXPECT_EQ(combo(NpcField::ItemIn)->model(), combo(NpcField::ItemOut)->model());
    EXPECT_EQ(combo(NpcField::Q_was)->model(), combo(NpcField::Q_Input)->model());
    EXPECT_NE(combo(NpcField::Q_Input)->model(), combo(NpcField::Q_Output)->model());

    // The shipped lists: names decoded, limits from the last numbers.
    EXPECT_EQ(combo(NpcField::Action)->itemText(4), QStringLiteral("4. Кража"));
    EXPECT_EQ(combo(NpcField::ItemIn)->itemText(itemOf(ListId::Items, 500)), QStringLiteral("500. ?"));
    const std::pair<NpcField, int> limits[] = {
        {NpcField::Action, 29},   {NpcField::Mode, 4},       {NpcField::ItemIn, 1001}, {NpcField::ControlNpc, 169},
        {NpcField::TriggT, 499},  {NpcField::Q_was, 230},    {NpcField::Q_Output, 30}, {NpcField::React, 40},
        {NpcField::FDay, 254},    {NpcField::Leader, 100},   {NpcField::ControlRec, 49}, {NpcField::Phrase, 142},
        {NpcField::GoSect, 65534}};
    for (const auto &[field, max] : limits) {
        EXPECT_EQ(edit(field)->maximum(), max) << int(field);
        EXPECT_EQ(edit(field)->maxTextLength(), QString::number(max).size()) << int(field);
    }
}

TEST_F(EditorPanelTest, RowsAreAlignedAndNothingIsClipped)
{
    startShown();
    auto *conditions = find<QGroupBox>("Group_Conditions");
    auto *results = find<QGroupBox>("Group_Results");
    ASSERT_TRUE(conditions && results);
    EXPECT_EQ(conditions->title(), QStringLiteral("Условия срабатывания записи"));
    EXPECT_EQ(results->title(), QStringLiteral("Результат срабатывания записи"));
    EXPECT_LT(conditions->geometry().bottom(), results->geometry().top());
    EXPECT_LE(results->geometry().bottom(), panel().height());

    for (QLabel *label : panel().findChildren<QLabel *>())
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    for (const FieldSpec &spec : fieldCatalogue()) {
        QWidget *e = edit(spec.field);
        QWidget *group = e->parentWidget();
        EXPECT_EQ(e->width(), 41);
        EXPECT_TRUE(group->rect().contains(e->geometry())) << spec.name;
        if (QComboBox *c = combo(spec.field)) {
            EXPECT_EQ(c->width(), spec.field == NpcField::ControlNpc ? 103 : 369);
            EXPECT_TRUE(group->rect().contains(c->geometry())) << spec.name;
            EXPECT_EQ(c->y(), e->y());
        }
        if (spec.hasButton()) {
            auto *b = main().findChild<QToolButton *>(spec.buttonName());
            EXPECT_EQ(b->size(), QSize(18, 18));
            EXPECT_TRUE(group->rect().contains(b->geometry())) << spec.name;
        }
    }
    // Rows 30 pixels apart, the edits of single-field rows in one column.
    EXPECT_EQ(edit(NpcField::Mode)->y() - edit(NpcField::Action)->y(), 30);
    EXPECT_EQ(edit(NpcField::ItemIn)->y() - edit(NpcField::FDay)->y(), 30);
    EXPECT_EQ(edit(NpcField::FDay)->y(), edit(NpcField::LDay)->y());
    EXPECT_EQ(edit(NpcField::React)->y() - edit(NpcField::GoSect)->y(), 30);
    EXPECT_EQ(edit(NpcField::Action)->x(), edit(NpcField::Leader)->x());
    EXPECT_EQ(edit(NpcField::Q_Input)->x(), edit(NpcField::React)->x());
    EXPECT_EQ(combo(NpcField::Action)->x(), combo(NpcField::React)->x());
}

TEST_F(EditorPanelTest, EmptyRecordForm)
{
    start();
    NpcRecord r = initialised();
    r.Action = 3;
    showRecord(2, r);
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), itemOf(ListId::Action, 3));

    NpcRecord empty;
    empty.Spare19 = 7;
    empty.Spare28 = 9;
    showRecord(2, empty);
    for (const FieldSpec &spec : fieldCatalogue()) {
        EXPECT_EQ(edit(spec.field)->text(), QStringLiteral("0")) << spec.name;
        if (combo(spec.field)) {
            EXPECT_EQ(combo(spec.field)->currentIndex(), -1) << spec.name;
        }
    }
    EXPECT_EQ(label(), QStringLiteral("Пустая запись: 2"));
    EXPECT_TRUE(labelRed());
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());
    EXPECT_TRUE(find<QPlainTextEdit>("Phrase")->toPlainText().isEmpty());
    EXPECT_EQ(main().gridText(2, 1), QString());

    // Every field at its none value is not empty.
    showRecord(2, initialised());
    EXPECT_EQ(label(), QStringLiteral("Запись: 2"));
    EXPECT_FALSE(labelRed());
    EXPECT_TRUE(action("SaveAsMacr")->isEnabled());
    EXPECT_EQ(edit(NpcField::TriggT)->text(), QStringLiteral("-1"));
    EXPECT_EQ(edit(NpcField::GoSect)->text(), QStringLiteral("-1"));
    EXPECT_EQ(edit(NpcField::LDay)->text(), QStringLiteral("-1"));
}

TEST_F(EditorPanelTest, ShowRecEdgeCases)
{
    start();
    NpcRecord r = initialised();
    r.ItemIn = 65535;
    r.ItemOut = 0;
    r.React = 65531;
    r.Mode = 65535;
    r.Phrase = 255;
    r.PhraseCnt = 0;
    showRecord(5, r);
    EXPECT_EQ(edit(NpcField::ItemIn)->text(), QStringLiteral("-1"));
    EXPECT_EQ(combo(NpcField::ItemIn)->currentIndex(), -1);
    ASSERT_GE(itemOf(ListId::Items, 0), 0);
    EXPECT_EQ(edit(NpcField::ItemOut)->text(), QStringLiteral("0"));
    EXPECT_EQ(combo(NpcField::ItemOut)->currentIndex(), -1);
    EXPECT_EQ(edit(NpcField::React)->text(), QStringLiteral("-5"));
    EXPECT_EQ(combo(NpcField::React)->currentIndex(), itemOf(ListId::React, 5));
    EXPECT_EQ(edit(NpcField::Mode)->text(), QStringLiteral("65535"));
    EXPECT_EQ(combo(NpcField::Mode)->currentIndex(), -1);
    EXPECT_EQ(edit(NpcField::Phrase)->text(), QStringLiteral("-1"));
    EXPECT_EQ(edit(NpcField::PhraseCnt)->text(), QStringLiteral("1"));
    EXPECT_EQ(record(5).PhraseCnt, 1);
    EXPECT_FALSE(main().document().modified);

    // Frames: a last day not after the first, a phrase beyond the dialogue text.
    r.FDay = 10;
    r.LDay = 10;
    r.Phrase = 0;
    showRecord(5, r);
    EXPECT_TRUE(edit(NpcField::LDay)->redFrame());
    EXPECT_TRUE(edit(NpcField::Phrase)->redFrame()); // no dialogue text
    r.FDay = 9;
    showRecord(5, r);
    EXPECT_FALSE(edit(NpcField::LDay)->redFrame());
    r.FDay = 255;
    showRecord(5, r);
    EXPECT_TRUE(edit(NpcField::LDay)->redFrame());
    r.LDay = 255;
    showRecord(5, r);
    EXPECT_FALSE(edit(NpcField::LDay)->redFrame());
    main().edtText() = {"one", "two"};
    r.Phrase = 1;
    showRecord(5, r);
    EXPECT_FALSE(edit(NpcField::Phrase)->redFrame());
    r.Phrase = 2;
    showRecord(5, r);
    EXPECT_TRUE(edit(NpcField::Phrase)->redFrame());
    EXPECT_TRUE(edit(NpcField::LDay)->styleSheet().isEmpty() && !edit(NpcField::Phrase)->styleSheet().isEmpty());

    // The link column.
    main().document().OwnNpcNumber = 57;
    r.ControlNpc = 57;
    r.ControlRec = 12;
    showRecord(5, r);
    EXPECT_EQ(main().gridText(5, 2), QStringLiteral("12"));
    r.ControlNpc = 5;
    showRecord(5, r);
    EXPECT_EQ(main().gridText(5, 2), QStringLiteral("#5"));
    r.ControlRec = 255;
    showRecord(5, r);
    EXPECT_EQ(main().gridText(5, 2), QString());
}

TEST_F(EditorPanelTest, SelectingARowEnablesMovesAndShowsTheLabel)
{
    start();
    record(49) = initialised();
    select(49);
    EXPECT_EQ(main().CurRec(), 49);
    EXPECT_TRUE(action("MoveUp")->isEnabled());
    EXPECT_FALSE(action("MoveDown")->isEnabled());
    EXPECT_EQ(label(), QStringLiteral("Запись: 49"));
    select(0);
    EXPECT_FALSE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("MoveDown")->isEnabled());
    EXPECT_EQ(label(), QStringLiteral("Пустая запись: 0"));
}

TEST_F(EditorPanelTest, EnterOutOfRangeIsRefusedWithTheErrorBox)
{
    startShown();
    NpcRecord r = initialised();
    r.Action = 4;
    showRecord(1, r);
    main().setGridText(1, 1, QStringLiteral("old"));

    retype(NpcField::Action, QStringLiteral("99"));
    pressEnter(NpcField::Action);
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    EXPECT_EQ(prompts().asked[0].text, RangeError + QStringLiteral("29"));
    EXPECT_EQ(prompts().asked[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), -1);
    EXPECT_TRUE(edit(NpcField::Action)->hasFocus());
    EXPECT_EQ(edit(NpcField::Action)->text(), QStringLiteral("99"));
    EXPECT_EQ(record(1).Action, 4);
    EXPECT_EQ(main().gridText(1, 1), QString()); // no Action entry 99
    EXPECT_FALSE(main().document().modified);

    // The rejected text stays until the edit is left; then it is brought into range.
    leave();
    EXPECT_EQ(record(1).Action, 29);
    EXPECT_TRUE(main().document().modified);
}

TEST_F(EditorPanelTest, EnterOutOfRangeIsRefusedSilentlyWithWarningsOff)
{
    startShown();
    main().config().AlertShow = 1;
    NpcRecord r = initialised();
    r.Action = 4;
    showRecord(1, r);
    main().setGridText(1, 1, QStringLiteral("old"));

    retype(NpcField::Action, QStringLiteral("99"));
    pressEnter(NpcField::Action);
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), itemOf(ListId::Action, 4));
    EXPECT_EQ(record(1).Action, 4);
    EXPECT_EQ(main().gridText(1, 1), QString());
    EXPECT_FALSE(main().document().modified);
}

TEST_F(EditorPanelTest, EnterStoresMarksAndWarnsOfUndocumentedValues)
{
    startShown();
    showRecord(1, initialised());

    // -1 in a field whose edit starts at 0: the none value, marked, not shown again.
    retype(NpcField::Action, QStringLiteral("-1"));
    pressEnter(NpcField::Action);
    EXPECT_EQ(record(1).Action, 255);
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), -1);
    EXPECT_TRUE(main().document().modified);
    EXPECT_EQ(label(), QStringLiteral("Запись: 1"));

    retype(NpcField::TriggT, QStringLiteral("7"));
    pressEnter(NpcField::TriggT);
    EXPECT_EQ(record(1).TriggT, 7);
    EXPECT_EQ(combo(NpcField::TriggT)->currentIndex(), itemOf(ListId::Trigg, 7));
    EXPECT_TRUE(prompts().asked.isEmpty());

    // A gap of the shipped Trigg list.
    int trigGap = -1;
    for (int n = 1; n < 499 && trigGap < 0; ++n) {
        if (itemOf(ListId::Trigg, n) < 0)
            trigGap = n;
    }
    ASSERT_GT(trigGap, 0);
    retype(NpcField::TriggT, QString::number(trigGap));
    pressEnter(NpcField::TriggT);
    EXPECT_EQ(prompts().messageTexts(), QStringList{UndocumentedWord});
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Warning);
    EXPECT_EQ(record(1).TriggT, trigGap);
    EXPECT_EQ(edit(NpcField::TriggT)->text(), QString::number(trigGap));
    EXPECT_EQ(combo(NpcField::TriggT)->currentIndex(), -1);

    prompts().clear();
    retype(NpcField::Q_was, QStringLiteral("57"));
    pressEnter(NpcField::Q_was);
    EXPECT_EQ(prompts().messageTexts(), QStringList{UndocumentedByte});
    EXPECT_EQ(record(1).Q_was, 57);

    prompts().clear();
    main().config().AlertShow = 2;
    retype(NpcField::Q_was, QStringLiteral("99"));
    pressEnter(NpcField::Q_was);
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(record(1).Q_was, 99);
    main().config().AlertShow = 0;

    // Negative items and reactions.
    retype(NpcField::ItemIn, QStringLiteral("-5"));
    pressEnter(NpcField::ItemIn);
    EXPECT_EQ(record(1).ItemIn, 65531);
    EXPECT_EQ(edit(NpcField::ItemIn)->text(), QStringLiteral("-5"));
    EXPECT_EQ(combo(NpcField::ItemIn)->currentIndex(), -1);
    retype(NpcField::React, QStringLiteral("-5"));
    pressEnter(NpcField::React);
    EXPECT_EQ(record(1).React, 65531);
    EXPECT_EQ(combo(NpcField::React)->currentIndex(), itemOf(ListId::React, 5));
    EXPECT_TRUE(prompts().asked.isEmpty());

    // Action: stored, and the grid names it.
    retype(NpcField::Action, QStringLiteral("4"));
    pressEnter(NpcField::Action);
    EXPECT_EQ(record(1).Action, 4);
    EXPECT_EQ(main().gridText(1, 1), QStringLiteral("Кража"));
}

TEST_F(EditorPanelTest, EnterOnTextsThatAreNoNumber)
{
    startShown();
    showRecord(1, initialised());
    main().document().modified = false;

    retype(NpcField::Q_Input, QString());
    pressEnter(NpcField::Q_Input);
    EXPECT_TRUE(prompts().asked.isEmpty());

    const std::pair<NpcField, QString> refused[] = {
        {NpcField::GoSect, QString()}, {NpcField::TriggF, QStringLiteral("-")}, {NpcField::Q_was, QStringLiteral("+")},
        {NpcField::ItemIn, QString()}, {NpcField::Phrase, QStringLiteral("-")}};
    for (const auto &[field, text] : refused) {
        main().ShowRec(); // so that moving on leaves nothing changed behind
        prompts().clear();
        retype(field, text);
        pressEnter(field);
        ASSERT_EQ(prompts().asked.size(), 1) << int(field);
        EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
        EXPECT_TRUE(edit(field)->hasFocus());
    }
    EXPECT_EQ(record(1), initialised());
    EXPECT_FALSE(main().document().modified);
}

TEST_F(EditorPanelTest, LeavingNormalisesFirstThenStores)
{
    startShown();
    showRecord(1, initialised());

    retype(NpcField::Action, QStringLiteral("99"));
    leave();
    EXPECT_EQ(edit(NpcField::Action)->text(), QStringLiteral("29"));
    EXPECT_EQ(record(1).Action, 29);
    EXPECT_EQ(combo(NpcField::Action)->currentIndex(), itemOf(ListId::Action, 29));
    EXPECT_EQ(main().gridText(1, 1), QStringLiteral("Подарок"));
    EXPECT_TRUE(main().document().modified);
    EXPECT_TRUE(prompts().asked.isEmpty());

    retype(NpcField::Action, QStringLiteral("-1"));
    leave();
    EXPECT_EQ(record(1).Action, 0);

    retype(NpcField::TriggT, QStringLiteral("-1"));
    leave();
    EXPECT_EQ(record(1).TriggT, 65535);
    EXPECT_EQ(edit(NpcField::TriggT)->text(), QStringLiteral("-1"));

    retype(NpcField::FDay, QString());
    leave();
    EXPECT_EQ(record(1).FDay, 0);
    EXPECT_EQ(edit(NpcField::FDay)->text(), QStringLiteral("0"));

    // A focus that merely passes through changes nothing, even a value beyond the limit.
    record(1).Action = 200;
    select(1);
    main().document().modified = false;
    edit(NpcField::Action)->setFocus();
    leave();
    EXPECT_EQ(record(1).Action, 200);
    EXPECT_EQ(edit(NpcField::Action)->text(), QStringLiteral("200"));
    EXPECT_FALSE(main().document().modified);
}

TEST_F(EditorPanelTest, SettingTheOnlyFieldToZeroShowsTheEmptyFormThenMarks)
{
    startShown();
    NpcRecord r;
    r.Leader = 5;
    showRecord(3, r);
    retype(NpcField::Leader, QStringLiteral("0"));
    pressEnter(NpcField::Leader);
    EXPECT_TRUE(record(3).isEmpty());
    EXPECT_EQ(edit(NpcField::TriggT)->text(), QStringLiteral("0"));
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());
    EXPECT_EQ(label(), QStringLiteral("Запись: 3"));
    EXPECT_FALSE(labelRed());
}

TEST_F(EditorPanelTest, LeavingByClickingAnotherRowWritesIntoTheRecordShown)
{
    startShown();
    record(1) = initialised();
    record(2) = initialised();
    select(1);

    retype(NpcField::Leader, QStringLiteral("42"));
    clickRow(2);
    EXPECT_EQ(main().CurRec(), 2);
    EXPECT_EQ(record(1).Leader, 42);
    EXPECT_EQ(record(2).Leader, 0);
    EXPECT_EQ(edit(NpcField::Leader)->text(), QStringLiteral("0"));

    // Also when the program moves on while the edit keeps the focus.
    retype(NpcField::GoSect, QStringLiteral("77"));
    main().selectGridRow(1);
    EXPECT_EQ(record(2).GoSect, 77);
    EXPECT_EQ(record(1).GoSect, 65535);
    EXPECT_EQ(edit(NpcField::GoSect)->text(), QStringLiteral("-1"));
    leave();
    EXPECT_EQ(record(1).GoSect, 65535);
}

TEST_F(EditorPanelTest, PickingAnItem)
{
    start();
    main().document().OwnNpcNumber = 12;
    NpcRecord r = initialised();
    r.ControlRec = 3;
    showRecord(4, r);
    EXPECT_EQ(main().gridText(4, 2), QStringLiteral("#255"));

    pick(NpcField::ControlNpc, itemOf(ListId::Npc, 12));
    EXPECT_EQ(edit(NpcField::ControlNpc)->text(), QStringLiteral("12"));
    EXPECT_EQ(record(4).ControlNpc, 12);
    EXPECT_EQ(main().gridText(4, 2), QStringLiteral("3"));
    EXPECT_TRUE(main().document().modified);

    pick(NpcField::Action, itemOf(ListId::Action, 4));
    EXPECT_EQ(record(4).Action, 4);
    EXPECT_EQ(main().gridText(4, 1), QStringLiteral("Кража"));
    pick(NpcField::Mode, itemOf(ListId::Modes, 3));
    EXPECT_EQ(record(4).Mode, 3);
    pick(NpcField::React, itemOf(ListId::React, 7));
    EXPECT_EQ(record(4).React, 7);
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(EditorPanelTest, DefaultButtons)
{
    start();
    main().document().OwnNpcNumber = 12;
    NpcRecord r;
    for (const FieldSpec &spec : fieldCatalogue())
        r.setValue(spec.field, 7);
    r.ControlNpc = 12;
    showRecord(6, r);
    EXPECT_EQ(main().gridText(6, 2), QStringLiteral("7"));

    NpcRecord expected = r;
    for (const FieldSpec &spec : fieldCatalogue()) {
        if (!spec.hasButton())
            continue;
        main().document().modified = false;
        main().RecLabelPrefix = QStringLiteral("Пустая запись:");
        main().setRecordLabel(main().RecLabelPrefix, true);
        main().findChild<QToolButton *>(spec.buttonName())->click();
        expected.setValue(spec.field, spec.defaultValue);
        EXPECT_EQ(record(6), expected) << spec.name;
        EXPECT_EQ(edit(spec.field)->text(), QLatin1String(spec.defaultText)) << spec.name;
        if (QComboBox *c = combo(spec.field)) {
            EXPECT_EQ(c->currentIndex(), spec.field == NpcField::React ? 0 : -1) << spec.name;
        }
        EXPECT_TRUE(main().document().modified) << spec.name;
        EXPECT_EQ(label(), QStringLiteral("Запись: 6"));
        EXPECT_FALSE(labelRed());
    }
    // The record is not shown again: the link column keeps what it showed.
    EXPECT_EQ(record(6).ControlRec, 255);
    EXPECT_EQ(main().gridText(6, 2), QStringLiteral("7"));
    NpcRecord initialisedWithAction = initialised();
    initialisedWithAction.Action = 7;
    initialisedWithAction.Mode = 7;
    EXPECT_EQ(record(6), initialisedWithAction);
}

TEST_F(EditorPanelTest, TypingIsLimitedToASignedNumberOfTheEditsLength)
{
    start();
    IntegerEdit *itemIn = edit(NpcField::ItemIn);
    itemIn->clear();
    typeInto(itemIn, QStringLiteral("a-9x9+99"));
    EXPECT_EQ(itemIn->text(), QStringLiteral("-999"));
    itemIn->setCursorPosition(0);
    typeInto(itemIn, QStringLiteral("1"));
    EXPECT_EQ(itemIn->text(), QStringLiteral("-999"));

    IntegerEdit *mode = edit(NpcField::Mode);
    mode->clear();
    typeInto(mode, QStringLiteral("-12"));
    EXPECT_EQ(mode->text(), QStringLiteral("-")); // one character: no negative fits
    itemIn->clear();
    typeInto(itemIn, QStringLiteral("5-"));
    EXPECT_EQ(itemIn->text(), QStringLiteral("5"));

    // Pasting goes through the same gate.
    itemIn->clear();
    itemIn->insert(QStringLiteral("12ab"));
    EXPECT_EQ(itemIn->text(), QString());
    itemIn->insert(QStringLiteral("+12"));
    EXPECT_EQ(itemIn->text(), QStringLiteral("+12"));

    // Text the program shows is never cut to the typing length.
    NpcRecord r = initialised();
    r.Mode = 65535;
    r.Action = 255;
    showRecord(0, r);
    EXPECT_EQ(mode->text(), QStringLiteral("65535"));
    EXPECT_EQ(edit(NpcField::Action)->text(), QStringLiteral("255"));
}

TEST_F(EditorPanelTest, ListsThatAreMissingEmptyOrOddKeepEveryFieldUsable)
{
    writeFile(QStringLiteral("Data/Action.txt"), {});
    writeFile(QStringLiteral("Data/Npc.txt"), "1=a\r\n2=b\r\nlast=c");
    writeFile(QStringLiteral("Data/Trigg.txt"), "1=a\r\n70000=b\r\n");
    QFile::remove(pathIn(QStringLiteral("Data/Modes.txt")));
    startShown();
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Проблема чтения файла ") +
                          QDir::toNativeSeparators(pathIn(QStringLiteral("Data/Modes.txt")))});
    EXPECT_EQ(combo(NpcField::Action)->count(), 0);
    EXPECT_EQ(edit(NpcField::Action)->maximum(), 254);
    EXPECT_EQ(edit(NpcField::Mode)->maximum(), 65534);
    EXPECT_EQ(edit(NpcField::ControlNpc)->maximum(), 254);
    EXPECT_EQ(edit(NpcField::TriggT)->maximum(), 65534);
    EXPECT_EQ(combo(NpcField::ControlNpc)->itemText(2), QStringLiteral("last. c"));

    prompts().clear();
    main().config().AlertShow = 1;
    showRecord(1, initialised());
    retype(NpcField::Action, QStringLiteral("254"));
    leave();
    EXPECT_EQ(record(1).Action, 254);
    retype(NpcField::React, QStringLiteral("0"));
    leave();
    pick(NpcField::ControlNpc, 2); // "last" is no number: nothing is stored
    EXPECT_EQ(record(1).ControlNpc, 255);
    EXPECT_EQ(edit(NpcField::ControlNpc)->text(), QStringLiteral("-1"));
    EXPECT_EQ(combo(NpcField::ControlNpc)->currentIndex(), -1);
    EXPECT_EQ(prompts().asked.size(), 1);
}

TEST_F(EditorPanelTest, ScrollingOverABoxTheUserIsNotInPicksNothing)
{
    startShown();
    NpcRecord r = initialised();
    r.Action = 4;
    showRecord(1, r);
    main().StringGrid()->setFocus();
    QComboBox *box = combo(NpcField::Action);
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->currentIndex(), itemOf(ListId::Action, 4));
    EXPECT_EQ(record(1).Action, 4);
    EXPECT_FALSE(main().document().modified);
}
