#include "gui/folder/RenumberDialog.h"

#include "gui/widgets/Prompts.h"
#include "editor/RenumberApply.h"
#include "editor/RenumberInputs.h"
#include "editor/RenumberPlanner.h"
#include "gui/folder/DialogParts.h"
#include "gui/folder/FolderField.h"
#include "gui/folder/StepProgress.h"
#include "session/ScriptSession.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

QSpinBox *numberBox(QWidget *parent, const char *name)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 65535); // what any field can hold; the planner says what a kind fits
    box->setMinimumWidth(110);
    return box;
}

// The field of an editor panel control ("Edit_ItemIn", "Combo_ItemIn"), if it is one.
std::optional<NpcField> fieldOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString name = widget->objectName();
        for (const QString &prefix : {QStringLiteral("Edit_"), QStringLiteral("Combo_")}) {
            if (name.startsWith(prefix))
                return NpcRecord::fieldNamed(QStringView(name).mid(prefix.size()));
        }
    }
    return std::nullopt;
}

} // namespace

RenumberDialog::RenumberDialog(ScriptSession &session, Prompts &prompts, QWidget &mainWindow)
    : QDialog(&mainWindow), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("RenumberDialog"));
    setWindowTitle(QStringLiteral("Перенумеровать"));
    resize(820, 520);
    build();
}

RenumberDialog::~RenumberDialog() = default;

void RenumberDialog::build()
{
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("Combo_Kind"));
    for (const RenumberKindInfo &kind : renumberKinds()) {
        QStringList fields;
        for (NpcField field : kind.fields)
            fields << NpcRecord::fieldName(field);
        m_kind->addItem(renumberKindCaption(kind.kind) + QStringLiteral(" (") +
                        fields.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
    m_from = numberBox(this, "Edit_OldNumber");
    m_to = numberBox(this, "Edit_NewNumber");
    m_folderField =
        new FolderField(m_prompts, QStringLiteral("Папка со скриптами"), QStringLiteral("..."), this);
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(m_from);
    numbers->addSpacing(16);
    numbers->addWidget(new QLabel(QStringLiteral("Новый номер:"), this));
    numbers->addWidget(m_to);
    numbers->addStretch(1);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Что:"), m_kind);
    form->addRow(QStringLiteral("Старый номер:"), numbers);
    form->addRow(QStringLiteral("Папка:"), m_folderField);

    m_changes = new QTreeWidget(this);
    m_changes->setObjectName(QStringLiteral("Tree_Changes"));
    m_changes->setRootIsDecorated(false);
    m_changes->setUniformRowHeights(true);
    m_changes->setHeaderLabels(
        {QStringLiteral("Файл"), QStringLiteral("Где"), QStringLiteral("Поле"), QStringLiteral("Изменение")});
    m_changes->header()->setStretchLastSection(true);
    m_changes->setColumnWidth(0, 260);
    m_changes->setColumnWidth(1, 90);
    m_changes->setColumnWidth(2, 100);

    m_progress = new StepProgress(this);
    m_preview = dialogButton(this, "Btn_Preview", QStringLiteral("Показать изменения"));
    m_apply = dialogButton(this, "Btn_Apply", QStringLiteral("Применить"));
    auto *close = dialogButton(this, "Btn_Close", QStringLiteral("Закрыть"));
    m_apply->setEnabled(false);
    m_preview->setDefault(true); // Enter in the number boxes shows the changes

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addSpacing(12);
    bottom->addWidget(m_preview);
    bottom->addWidget(m_apply);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_changes, 1);
    layout->addLayout(bottom);

    connect(m_progress, &StepProgress::stepWanted, this, &RenumberDialog::step);
    connect(m_progress, &StepProgress::stopClicked, this, &RenumberDialog::StopClick);
    connect(m_preview, &QPushButton::clicked, this, &RenumberDialog::PreviewClick);
    connect(m_apply, &QPushButton::clicked, this, &RenumberDialog::ApplyClick);
    connect(m_folderField, &FolderField::changed, this, &RenumberDialog::inputsChanged);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &RenumberDialog::inputsChanged);
    connect(m_from, &QSpinBox::valueChanged, this, &RenumberDialog::inputsChanged);
    connect(m_to, &QSpinBox::valueChanged, this, &RenumberDialog::inputsChanged);
}

void RenumberDialog::RenumberExecute()
{
    proposeFromFocus(QApplication::focusWidget());
    if (folder().isEmpty() || m_session.hasPath())
        m_folderField->setFolder(m_session.hasPath() ? QFileInfo(m_session.document().path).absolutePath()
                                                     : QDir::currentPath());
    inputsChanged();
    m_progress->say(QString());
    show();
    raise();
    activateWindow();
}

void RenumberDialog::proposeFromFocus(QWidget *focused)
{
    const std::optional<NpcField> field = fieldOf(focused);
    if (!field)
        return;
    const auto proposal = renumberProposal(*field, m_session.currentRecord().value(*field));
    if (!proposal)
        return;
    m_kind->setCurrentIndex(int(proposal->kind));
    m_from->setValue(int(proposal->number));
    m_to->setValue(int(proposal->number));
}

QString RenumberDialog::folder() const
{
    return m_folderField->folder();
}

void RenumberDialog::inputsChanged()
{
    // What is shown must be what Apply writes.
    if (isPlanning())
        StopClick();
    m_plan.reset();
    m_changes->clear();
    m_apply->setEnabled(false);
}

bool RenumberDialog::isPlanning() const
{
    return m_planner && !m_planner->isFinished();
}

void RenumberDialog::PreviewClick()
{
    inputsChanged();
    if (!QFileInfo(folder()).isDir()) {
        m_progress->say(QStringLiteral("Папка не найдена: %1").arg(QDir::toNativeSeparators(folder())));
        return;
    }
    m_request = renumberRequest(folder(), RenumberKind(m_kind->currentIndex()), m_from->value(),
                                m_to->value(), m_session.settings().listFolders());
    m_planner = std::make_unique<RenumberPlanner>(*m_request);
    setPlanning(true);
    step();
}

void RenumberDialog::step()
{
    if (!isPlanning())
        return;
    m_planner->next(BatchFiles);
    if (!m_planner->isFinished()) {
        if (m_planner->isListing())
            m_progress->showListing(m_planner->total());
        else
            m_progress->showRead(QStringLiteral("Прочитано скриптов: %1 из %2"), m_planner->done(),
                                 m_planner->total());
        return;
    }
    setPlanning(false);
    if (const auto &refusal = m_planner->refusal()) {
        m_progress->say(refusal->reason);
        return;
    }
    m_plan = m_planner->plan();
    showPlan();
}

void RenumberDialog::StopClick()
{
    if (m_planner)
        m_planner->stop();
    setPlanning(false);
    m_progress->say(QStringLiteral("Остановлено; ничего не изменено."));
}

void RenumberDialog::setPlanning(bool planning)
{
    m_preview->setEnabled(!planning);
    if (planning) {
        m_progress->showBar(true);
        m_progress->start();
    } else {
        m_progress->finish();
    }
}

void RenumberDialog::showPlan()
{
    m_changes->clear();
    QList<QTreeWidgetItem *> items;
    for (const RenumberPreviewRow &row : renumberPreviewRows(*m_plan, folder()))
        items << new QTreeWidgetItem(QStringList{row.file, row.place, row.what, row.change});
    m_changes->addTopLevelItems(items);
    const bool any = !m_plan->isEmpty();
    m_apply->setEnabled(any);
    m_progress->say(any ? QStringLiteral("Изменений: %1. Ничего не записано, пока не нажата кнопка «Применить».")
                         .arg(items.size())
                   : QStringLiteral("Номер %1 нигде не встречается; менять нечего.").arg(m_from->value()));
}

void RenumberDialog::ApplyClick()
{
    if (!m_plan || !m_request)
        return;
    const QString open = m_session.document().path;
    const bool touchesOpen = m_session.hasPath() && renumberingChanges(*m_plan, open);
    if (touchesOpen && m_session.hasUnsavedChanges() &&
        !m_prompts.confirm(
            this,
            QStringLiteral("Текущие данные не сохранены.\r\nПеренумерация перечитает открытый скрипт, "
                           "и несохранённые изменения будут потеряны. Продолжить?"),
            QMessageBox::Yes | QMessageBox::No))
        return;
    QString error;
    if (!renumberPlanStillHolds(*m_plan, error)) {
        // Something changed since the preview: show what would be written now.
        const auto planned = RenumberPlanner::planAll(*m_request);
        m_changes->clear();
        m_apply->setEnabled(false);
        m_plan.reset();
        if (const auto *refusal = std::get_if<RenumberRefusal>(&planned)) {
            m_progress->say(refusal->reason);
            return;
        }
        m_plan = std::get<RenumberPlan>(planned);
        showPlan();
        m_progress->say(QStringLiteral("Файлы изменились после просмотра; изменения рассчитаны заново. "
                                  "Проверьте их и нажмите «Применить» ещё раз."));
        return;
    }
    if (!applyRenumbering(*m_plan, error)) {
        m_prompts.error(this, error);
        return;
    }
    const RenumberPlan applied = *std::exchange(m_plan, std::nullopt);
    m_changes->clear();
    m_apply->setEnabled(false);
    m_progress->say(QStringLiteral("Изменения записаны."));
    if (const OpenResult taken = m_session.takeRenumbering(applied); !taken)
        m_prompts.error(this, taken.message);
}
