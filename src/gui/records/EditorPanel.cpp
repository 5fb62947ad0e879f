#include "gui/records/EditorPanel.h"

#include "gui/widgets/ProgramIcon.h"
#include "gui/widgets/Prompts.h"
#include "dialogue/PhraseSelection.h"
#include "gui/records/IntegerEdit.h"
#include "gui/records/ListComboBox.h"
#include "session/ScriptSession.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

namespace
{

// Geometry of a row; rows stand RowPitch apart inside their group box.
constexpr int RowPitch = 30;
constexpr int FirstRowTop = 24;
constexpr int ControlHeight = 22;
constexpr int EditWidth = 41;
constexpr int ComboWidth = 369;
constexpr int NarrowComboWidth = 103;
constexpr int ButtonSize = 18;
constexpr int Gap = 3;
constexpr int InnerMargin = 6;
constexpr int OuterMargin = 4;
constexpr int MemoHeight = 80;

int rowsIn(FieldPanel panel)
{
    int rows = 0;
    const char *previousRow = nullptr;
    for (const FieldInfo &info : fieldCatalogue()) {
        if (info.panel != panel)
            continue;
        if (!info.rowCaption || info.rowCaption != previousRow)
            ++rows;
        previousRow = info.rowCaption;
    }
    return rows;
}

int groupHeight(FieldPanel panel)
{
    return FirstRowTop + (rowsIn(panel) - 1) * RowPitch + ControlHeight + 2 * InnerMargin;
}

} // namespace

EditorPanel::EditorPanel(ScriptSession &session, Prompts &prompts, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("EditorPanel"));
    buildControls();
    connect(&m_session, &ScriptSession::listsChanged, this, &EditorPanel::fillFromLists);
    connect(&m_session, &ScriptSession::recordShown, this, &EditorPanel::ShowRec);
    connect(&m_session.dialogue(), &DialogueText::changed, this, &EditorPanel::ShowPhraseText);
    // Moving to another record or writing the script takes what an edit shows with it.
    connect(&m_session, &ScriptSession::aboutToLeaveRecord, this, &EditorPanel::leaveFocusedEdit);
}

EditorPanel::~EditorPanel()
{
    // Focus moving while the window is torn down must not run leave rules.
    for (FieldControls &fc : m_fields)
        fc.edit->disconnect(this);
}

void EditorPanel::buildControls()
{
    m_conditions = new QGroupBox(QStringLiteral("Условия срабатывания записи"), this);
    m_conditions->setObjectName(QStringLiteral("Group_Conditions"));
    m_results = new QGroupBox(QStringLiteral("Результат срабатывания записи"), this);
    m_results->setObjectName(QStringLiteral("Group_Results"));

    auto makeLabel = [](QWidget *parent, const QString &text, const QString &name, Qt::Alignment align) {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        label->setAlignment(align | Qt::AlignVCenter);
        return label;
    };

    for (int i = 0; i < EditedFieldCount; ++i) {
        const FieldInfo &info = fieldCatalogue()[i];
        FieldControls &fc = m_fields[i];
        fc.info = &info;
        QGroupBox *group = info.panel == FieldPanel::Conditions ? m_conditions : m_results;
        const bool inPair = info.rowCaption != nullptr;

        if (inPair && info.field == NpcField::FDay)
            m_daysCaption =
                makeLabel(group, info.rowCaptionText(), QStringLiteral("Lbl_Days"), Qt::AlignRight);
        if (inPair && info.field == NpcField::ControlNpc)
            m_controlCaption =
                makeLabel(group, info.rowCaptionText(), QStringLiteral("Lbl_Control"), Qt::AlignRight);
        fc.caption = makeLabel(group, info.captionText(), QStringLiteral("Lbl_") + QLatin1String(info.name),
                               inPair ? Qt::AlignLeft : Qt::AlignRight);

        fc.edit = new IntegerEdit(group);
        fc.edit->setObjectName(info.editName());
        fc.edit->setRange(info.min, info.hasList() ? fullFieldRange(info) : info.fixedMax);
        connect(fc.edit, &IntegerEdit::left, this, [this, field = info.field] { EditExit(field); });
        connect(fc.edit, &IntegerEdit::leftRefused, this, [this, field = info.field] { showStored(field); });
        // A typed value can be saved before it is confirmed: saving confirms it first.
        connect(fc.edit, &QLineEdit::textEdited, &m_session, &ScriptSession::noteTypedValue);
        connect(fc.edit, &IntegerEdit::enterPressed, this,
                [this, field = info.field] { EditKeyPress(field, QChar(13)); });

        if (info.hasList()) {
            fc.combo = new ListComboBox(group);
            fc.combo->setObjectName(info.comboName());
            fc.combo->setMinimumContentsLength(4);
            fc.combo->setMaxVisibleItems(16);
            fc.combo->setFocusPolicy(Qt::StrongFocus);
            fc.combo->installEventFilter(this);
            if (info.field == NpcField::ControlNpc)
                fc.combo->setMinimumPopupWidth(ComboWidth);
            connect(fc.combo, &ListComboBox::picked, this,
                    [this, field = info.field](int item) { ComboSelect(field, item); });
        }

        if (info.hasButton()) {
            fc.button = new QToolButton(group);
            fc.button->setObjectName(info.buttonName());
            fc.button->setAutoRaise(true);
            fc.button->setFocusPolicy(Qt::NoFocus);
            fc.button->setFixedSize(ButtonSize, ButtonSize);
            fc.button->setIconSize(QSize(14, 14));
            fc.button->setIcon(programIcon(QStringLiteral(":/icons/Default.svg")));
            fc.button->setToolTip(QStringLiteral("Установка значения по-умолчанию"));
            connect(fc.button, &QToolButton::clicked, this,
                    [this, field = info.field] { DefaultClick(field); });
        }
    }

    m_phraseMemo = new QPlainTextEdit(m_results);
    m_phraseMemo->setObjectName(QStringLiteral("Phrase"));
    m_phraseMemo->setReadOnly(true);
    m_phraseMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_phraseMemo->setFixedHeight(MemoHeight);

    setMinimumHeight(OuterMargin + groupHeight(FieldPanel::Conditions) + OuterMargin +
                     groupHeight(FieldPanel::Results));
    placeControls();
}

void EditorPanel::placeControls()
{
    const int groupWidth = std::max(0, width() - 2 * OuterMargin);
    m_conditions->setGeometry(OuterMargin, OuterMargin, groupWidth, groupHeight(FieldPanel::Conditions));
    m_results->setGeometry(OuterMargin, m_conditions->geometry().bottom() + 1 + OuterMargin, groupWidth,
                           groupHeight(FieldPanel::Results));

    // Columns from the right: default button, combo box, numeric edit, caption.
    const int buttonX = groupWidth - InnerMargin - ButtonSize;
    const int comboX = buttonX - Gap - ComboWidth;
    const int editX = comboX - Gap - EditWidth;
    const int captionX = 2;
    const int captionWidth = editX - Gap - captionX;

    int row[2] = {-1, -1};
    int pairX = 0;
    const char *previousRow = nullptr;
    for (FieldControls &fc : m_fields) {
        const FieldInfo &info = *fc.info;
        int &r = row[info.panel == FieldPanel::Conditions ? 0 : 1];
        const bool continuesRow = info.rowCaption && info.rowCaption == previousRow;
        previousRow = info.rowCaption;
        if (!continuesRow)
            ++r;
        const int y = FirstRowTop + r * RowPitch;
        const int buttonY = y + (ControlHeight - ButtonSize) / 2;

        if (info.rowCaption) {
            // Two captioned fields share the row, side by side from the edit column on.
            if (!continuesRow) {
                QLabel *rowCaption = info.field == NpcField::FDay ? m_daysCaption : m_controlCaption;
                rowCaption->setGeometry(captionX, y, captionWidth, ControlHeight);
                pairX = editX + 2 * Gap;
            }
            const int labelWidth = fc.caption->sizeHint().width();
            fc.caption->setGeometry(pairX, y, labelWidth, ControlHeight);
            pairX += labelWidth + Gap;
            fc.edit->setGeometry(pairX, y, EditWidth, ControlHeight);
            pairX += EditWidth + Gap;
            if (fc.combo) {
                fc.combo->setGeometry(pairX, y, NarrowComboWidth, ControlHeight);
                pairX += NarrowComboWidth + Gap;
            }
            fc.button->move(pairX, buttonY);
            pairX += ButtonSize + 4 * Gap;
            continue;
        }

        fc.caption->setGeometry(captionX, y, captionWidth, ControlHeight);
        fc.edit->setGeometry(editX, y, EditWidth, ControlHeight);
        if (fc.combo)
            fc.combo->setGeometry(comboX, y, ComboWidth, ControlHeight);
        if (fc.button)
            fc.button->move(fc.combo ? buttonX : editX + EditWidth + Gap, buttonY);
        if (info.field == NpcField::Phrase) {
            const int memoX = editX + EditWidth + Gap + ButtonSize + 2 * Gap;
            m_phraseMemo->setGeometry(memoX, y, buttonX + ButtonSize - memoX, MemoHeight);
        }
    }
}

bool EditorPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Scrolling over the panel must not pick items in boxes the user is not in.
    if (event->type() == QEvent::Wheel) {
        if (auto *box = qobject_cast<QComboBox *>(watched); box && !box->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EditorPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

EditorPanel::FieldControls *EditorPanel::find(NpcField field)
{
    for (FieldControls &fc : m_fields) {
        if (fc.info->field == field)
            return &fc;
    }
    return nullptr;
}

const EditorPanel::FieldControls *EditorPanel::find(NpcField field) const
{
    return const_cast<EditorPanel *>(this)->find(field);
}

IntegerEdit *EditorPanel::edit(NpcField field) const
{
    const FieldControls *fc = find(field);
    return fc ? fc->edit : nullptr;
}

QComboBox *EditorPanel::combo(NpcField field) const
{
    const FieldControls *fc = find(field);
    return fc ? fc->combo : nullptr;
}

void EditorPanel::fillFromLists()
{
    for (FieldControls &fc : m_fields) {
        if (fc.combo)
            fc.combo->setList(&m_session.lists().byId(fc.info->list));
        fc.edit->setRange(fc.info->min, m_session.fieldLimit(fc.info->field));
    }
}

void EditorPanel::showField(NpcField field, quint16 value)
{
    FieldControls &fc = controls(field);
    fc.edit->setText(FieldRules::shownText(*fc.info, value));
    if (fc.combo)
        fc.combo->setCurrentIndex(
            FieldRules::shownComboIndex(*fc.info, value, m_session.lists().byId(fc.info->list)));
}

void EditorPanel::showStored(NpcField field)
{
    const NpcRecord &record = m_session.currentRecord();
    if (!record.isEmpty()) {
        showField(field, record.value(field));
        return;
    }
    FieldControls &fc = controls(field);
    fc.edit->setText(QStringLiteral("0"));
    if (fc.combo)
        fc.combo->setCurrentIndex(-1);
}

void EditorPanel::ShowRec()
{
    for (FieldControls &fc : m_fields)
        showStored(fc.info->field);
    const NpcRecord &record = m_session.currentRecord();
    if (record.isEmpty()) {
        // The frames keep what they had.
        m_phraseMemo->clear();
        return;
    }
    edit(NpcField::LDay)->setRedFrame(FieldRules::lastDayFrameRed(record.FDay, record.LDay));
    ShowPhraseText();
}

void EditorPanel::ShowPhraseText()
{
    const NpcRecord &record = m_session.currentRecord();
    const EdtText &text = m_session.dialogue().text();
    const PhraseSelection selection = selectPhrases(record.Phrase, record.PhraseCnt, text.size());
    m_phraseMemo->setPlainText(phraseMemoText(text, selection));
    edit(NpcField::PhraseCnt)->setRedFrame(selection.countFrameRed);
    edit(NpcField::Phrase)->setRedFrame(FieldRules::phraseFrameRed(record.Phrase, text.size()));
}

void EditorPanel::leaveFocusedEdit()
{
    // While a dialog or a tool window is active no edit here has the focus, but the
    // window's focus widget is the edit the user typed into.
    const QWidget *focused = window()->focusWidget();
    for (FieldControls &fc : m_fields) {
        if (fc.edit == focused || fc.edit->hasFocus())
            fc.edit->leaveNow();
    }
}

void EditorPanel::applyOutcome(FieldControls &fc, const RuleOutcome &outcome)
{
    // A shown record has its texts already; what was only marked shows what the rule says.
    if (outcome.after == RuleOutcome::After::Nothing || outcome.after == RuleOutcome::After::MarkOnly) {
        if (outcome.editText)
            fc.edit->setText(*outcome.editText);
        if (fc.combo) {
            if (outcome.combo == RuleOutcome::Combo::Clear)
                fc.combo->setCurrentIndex(-1);
            else if (outcome.combo == RuleOutcome::Combo::Select)
                fc.combo->setCurrentIndex(outcome.comboIndex);
        }
    }
    if (outcome.box == RuleOutcome::Box::Error)
        m_prompts.error(window(), outcome.boxText);
    else if (outcome.box == RuleOutcome::Box::Warning)
        m_prompts.warning(window(), outcome.boxText);
    if (outcome.refocus)
        fc.edit->setFocus(Qt::OtherFocusReason);
}

void EditorPanel::EditExit(NpcField field)
{
    FieldControls *fc = find(field);
    if (!fc)
        return;
    const RuleOutcome outcome = m_session.commitField(field, fc->edit->text());
    applyOutcome(*fc, outcome);
    // Told it was refused, the user must not find it stored when moving on.
    if (outcome.box == RuleOutcome::Box::Error && !outcome.stored)
        fc->edit->markRefused();
}

void EditorPanel::EditKeyPress(NpcField field, QChar key)
{
    if (key == QChar(13))
        EditExit(field);
}

void EditorPanel::ComboSelect(NpcField field, int item)
{
    FieldControls *fc = find(field);
    if (fc && fc->combo)
        applyOutcome(*fc, m_session.pickField(field, item, fc->edit->text()));
}

void EditorPanel::DefaultClick(NpcField field)
{
    FieldControls *fc = find(field);
    if (!fc || !fc->button)
        return;
    const FieldInfo &info = *fc->info;
    fc->edit->setText(QLatin1String(info.defaultText));
    if (fc->combo) {
        if (info.defaultCombo == DefaultCombo::Clear)
            fc->combo->setCurrentIndex(-1);
        else if (info.defaultCombo == DefaultCombo::SelectFirst)
            fc->combo->setCurrentIndex(fc->combo->count() > 0 ? 0 : -1);
    }
    // Stored and marked, not shown again: the other controls keep what they show.
    m_session.setFieldDefault(field);
}
