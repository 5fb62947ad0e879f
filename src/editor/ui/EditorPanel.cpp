#include "editor/ui/EditorPanel.h"

#include "common/Windows1251.h"
#include "common/ui/Prompts.h"
#include "app/ui/TForm1.h"
#include "dialogue/ui/DialogueCommands.h"
#include "document/NpcName.h"
#include "editor/ui/IntegerEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QStringListModel>
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

// One decoder run for the whole list: decoding entry by entry is slow for big lists.
QStringList comboTexts(const ReferenceList &list)
{
    QByteArray joined;
    for (int i = 0; i < list.count(); ++i)
        joined.append(list.comboText(i)).append('\n');
    QStringList texts = fromWindows1251(joined).split(QLatin1Char('\n'));
    texts.removeLast();
    if (texts.size() != list.count()) {
        texts.clear();
        for (int i = 0; i < list.count(); ++i)
            texts << fromWindows1251(list.comboText(i));
    }
    return texts;
}

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

EditorPanel::EditorPanel(TForm1 &window, QWidget *parent) : QWidget(parent), m_window(window)
{
    setObjectName(QStringLiteral("EditorPanel"));
    buildControls();
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
        connect(fc.edit, &IntegerEdit::enterPressed, this,
                [this, field = info.field] { EditKeyPress(field, QChar(13)); });

        if (info.hasList()) {
            fc.combo = new QComboBox(group);
            fc.combo->setObjectName(info.comboName());
            fc.combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            fc.combo->setMinimumContentsLength(4);
            fc.combo->setMaxVisibleItems(16);
            fc.combo->setFocusPolicy(Qt::StrongFocus);
            fc.combo->installEventFilter(this);
            if (auto *view = qobject_cast<QListView *>(fc.combo->view()))
                view->setUniformItemSizes(true);
            if (info.field == NpcField::ControlNpc)
                fc.combo->view()->setMinimumWidth(ComboWidth);
            connect(fc.combo, &QComboBox::activated, this,
                    [this, field = info.field](int item) { ComboSelect(field, item); });
        }

        if (info.hasButton()) {
            fc.button = new QToolButton(group);
            fc.button->setObjectName(info.buttonName());
            fc.button->setAutoRaise(true);
            fc.button->setFocusPolicy(Qt::NoFocus);
            fc.button->setFixedSize(ButtonSize, ButtonSize);
            fc.button->setIconSize(QSize(14, 14));
            fc.button->setIcon(QIcon(QStringLiteral(":/icons/Default.svg")));
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

int EditorPanel::limit(NpcField field) const
{
    const FieldControls *fc = find(field);
    return fc ? fc->limit : 0;
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

const ReferenceList &EditorPanel::listOf(const FieldControls &fc) const
{
    return m_window.lists().byId(fc.info->list);
}

void EditorPanel::fillFromLists()
{
    qDeleteAll(m_models);
    m_models.clear();
    // One model per list, shared by every combo box that shows it.
    std::array<QStringListModel *, 9> modelOf{};
    for (FieldControls &fc : m_fields) {
        if (fc.combo) {
            QStringListModel *&model = modelOf[size_t(fc.info->list)];
            if (!model) {
                model = new QStringListModel(comboTexts(listOf(fc)), this);
                m_models << model;
            }
            fc.combo->setModel(model);
            fc.combo->setCurrentIndex(-1);
        }
        fc.limit = fieldLimit(*fc.info, m_window.lists());
        fc.edit->setRange(fc.info->min, fc.limit);
    }
}

void EditorPanel::setPhraseCntFrameRed(bool red)
{
    controls(NpcField::PhraseCnt).edit->setRedFrame(red);
}

void EditorPanel::showField(NpcField field, quint16 value)
{
    FieldControls &fc = controls(field);
    fc.edit->setText(FieldRules::shownText(*fc.info, value));
    if (fc.combo)
        fc.combo->setCurrentIndex(FieldRules::shownComboIndex(*fc.info, value, listOf(fc)));
}

void EditorPanel::ShowRec()
{
    const int r = m_window.CurRec();
    NpcRecord &record = m_window.document().records.at(r);
    if (record.isEmpty()) {
        m_window.RecLabelPrefix = QStringLiteral("Пустая запись:");
        m_window.setRecordLabel(m_window.RecLabelPrefix, true);
        m_window.setActionEnabled(QStringLiteral("SaveAsMacr"), false);
        for (FieldControls &fc : m_fields) {
            fc.edit->setText(QStringLiteral("0"));
            if (fc.combo)
                fc.combo->setCurrentIndex(-1);
        }
        m_phraseMemo->clear();
        m_window.blankGridRow(r);
        return;
    }

    QLabel *label = m_window.Lbl_RecordNo();
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, m_window.palette().color(QPalette::WindowText));
    label->setPalette(palette);
    m_window.RecLabelPrefix = QStringLiteral("Запись:");
    m_window.setActionEnabled(QStringLiteral("SaveAsMacr"), true);

    showField(NpcField::Action, record.Action);
    showField(NpcField::Mode, record.Mode);
    showField(NpcField::FDay, record.FDay);
    IntegerEdit *lDay = edit(NpcField::LDay);
    lDay->setRedFrame(false);
    showField(NpcField::LDay, record.LDay);
    lDay->setRedFrame(FieldRules::lastDayFrameRed(record.FDay, record.LDay));
    for (NpcField field :
         {NpcField::ItemIn, NpcField::TriggT, NpcField::TriggF, NpcField::Q_was, NpcField::Leader,
          NpcField::Q_Input, NpcField::Q_Output, NpcField::ControlNpc, NpcField::ControlRec})
        showField(field, record.value(field));
    m_window.setGridText(r, 2, linkText(record, m_window.document().OwnNpcNumber));
    showField(NpcField::Trigg2T, record.Trigg2T);
    showField(NpcField::ItemOut, record.ItemOut);
    showField(NpcField::GoSect, record.GoSect);
    IntegerEdit *phrase = edit(NpcField::Phrase);
    phrase->setRedFrame(false);
    showField(NpcField::Phrase, record.Phrase);
    phrase->setRedFrame(FieldRules::phraseFrameRed(record.Phrase, m_window.edtText().size()));
    if (record.Phrase == NoneByte) {
        // A phrase count means nothing without a phrase; it is one until a phrase is set.
        edit(NpcField::PhraseCnt)->setText(QStringLiteral("1"));
        record.PhraseCnt = 1;
    } else {
        showField(NpcField::PhraseCnt, record.PhraseCnt);
    }
    showField(NpcField::React, record.React);
    m_window.dialogueCommands().ShowPhraseText();
}

void EditorPanel::leaveFocusedEdit()
{
    for (FieldControls &fc : m_fields) {
        if (fc.edit->hasFocus())
            fc.edit->leaveNow();
    }
}

void EditorPanel::applyOutcome(FieldControls &fc, int record, const RuleOutcome &outcome)
{
    if (outcome.editText)
        fc.edit->setText(*outcome.editText);
    if (fc.combo) {
        if (outcome.combo == RuleOutcome::Combo::Clear)
            fc.combo->setCurrentIndex(-1);
        else if (outcome.combo == RuleOutcome::Combo::Select)
            fc.combo->setCurrentIndex(outcome.comboIndex);
    }
    if (outcome.box == RuleOutcome::Box::Error)
        m_window.prompts().error(&m_window, outcome.boxText);
    else if (outcome.box == RuleOutcome::Box::Warning)
        m_window.prompts().warning(&m_window, outcome.boxText);
    if (outcome.stored)
        m_window.document().records.at(record).setValue(fc.info->field, *outcome.stored);
    if (outcome.refocus)
        fc.edit->setFocus(Qt::OtherFocusReason);
    switch (outcome.after) {
    case RuleOutcome::After::Nothing:
        break;
    case RuleOutcome::After::MarkOnly:
        m_window.MarkModified();
        break;
    case RuleOutcome::After::ShowAndMark:
        m_window.ShowRec();
        m_window.MarkModified();
        break;
    case RuleOutcome::After::ShowOnly:
        m_window.ShowRec();
        break;
    }
}

void EditorPanel::updateActionName()
{
    const QString text = edit(NpcField::Action)->text();
    m_window.setGridText(m_window.CurRec(), 1, m_window.actionName(text.toLatin1()));
}

void EditorPanel::EditExit(NpcField field)
{
    if (!find(field))
        return;
    FieldControls &fc = controls(field);
    const RuleOutcome outcome =
        FieldRules::leave(*fc.info, fc.edit->text(), listOf(fc), fc.limit, m_window.config().warningsOn());
    applyOutcome(fc, m_window.CurRec(), outcome);
    if (field == NpcField::Action)
        updateActionName();
}

void EditorPanel::EditKeyPress(NpcField field, QChar key)
{
    if (key == QChar(13))
        EditExit(field);
}

void EditorPanel::ComboSelect(NpcField field, int item)
{
    if (!find(field) || !find(field)->combo)
        return;
    FieldControls &fc = controls(field);
    applyOutcome(fc, m_window.CurRec(), FieldRules::pick(*fc.info, listOf(fc), item));
    if (field == NpcField::Action)
        updateActionName();
}

void EditorPanel::DefaultClick(NpcField field)
{
    if (!find(field) || !find(field)->button)
        return;
    FieldControls &fc = controls(field);
    const FieldInfo &info = *fc.info;
    fc.edit->setText(QLatin1String(info.defaultText));
    if (fc.combo) {
        if (info.defaultCombo == DefaultCombo::Clear)
            fc.combo->setCurrentIndex(-1);
        else if (info.defaultCombo == DefaultCombo::SelectFirst)
            fc.combo->setCurrentIndex(fc.combo->count() > 0 ? 0 : -1);
    }
    m_window.currentRecord().setValue(field, info.defaultValue);
    m_window.MarkModified();
}
