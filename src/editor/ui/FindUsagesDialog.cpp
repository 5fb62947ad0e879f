#include "editor/ui/FindUsagesDialog.h"

#include "common/ui/Prompts.h"
#include "editor/FieldText.h"
#include "editor/UsageSummary.h"
#include "editor/ui/FolderField.h"
#include "editor/ui/NamePickModel.h"
#include "editor/ui/UsageListModel.h"
#include "session/ScriptSession.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace
{

// What can be picked by name: the list that names it and the fields it is looked for in.
struct NamedKind {
    const char *caption;
    ListId list;
    SearchTerm (*term)(qint64);
};

const NamedKind NamedKinds[] = {
    {"Воздействие", ListId::Action, SearchTerm::action},
    {"Предмет", ListId::Items, SearchTerm::item},
    {"Персонаж", ListId::Npc, SearchTerm::npc},
    {"Реакция", ListId::React, [](qint64 v) { return SearchTerm::field(NpcField::React, v); }},
    {"Факт", ListId::Trigg, SearchTerm::fact},
    {"Квест", ListId::Q_Input, SearchTerm::quest},
    {"Режим", ListId::Modes, [](qint64 v) { return SearchTerm::field(NpcField::Mode, v); }},
};
constexpr int FieldKind = std::size(NamedKinds);

QString kindCaption(const NamedKind &kind)
{
    QStringList fields;
    for (NpcField field : kind.term(0).fields)
        fields << NpcRecord::fieldName(field);
    return QString::fromUtf8(kind.caption) + QStringLiteral(" (") + fields.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Enter belongs to the edits and lists, which each say what it does.
    b->setAutoDefault(false);
    return b;
}

QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FindUsagesDialog::FindUsagesDialog(const ScriptSession &session, Prompts &prompts, QWidget &mainWindow)
    : QDialog(&mainWindow), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FindUsagesDialog"));
    setWindowTitle(QStringLiteral("Найти использование"));
    setModal(false);
    resize(960, 560);
    // The controls are made, and the names read into the pick list, when the dialog
    // first shows, not at start-up.
}

FindUsagesDialog::~FindUsagesDialog() = default;

void FindUsagesDialog::build()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(buildWhat());
    splitter->addWidget(buildResults());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({340, 600});

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Lbl_Status"));
    m_status->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(140);
    m_stop = button(this, "Btn_Stop", QStringLiteral("Остановить"));
    auto *find = button(this, "Btn_Find", QStringLiteral("Найти"));
    auto *close = button(this, "Btn_Close", QStringLiteral("Закрыть"));
    m_progress->hide();
    m_stop->hide();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_progress);
    bottom->addWidget(m_stop);
    bottom->addSpacing(12);
    bottom->addWidget(find);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &FindUsagesDialog::step);
    connect(find, &QPushButton::clicked, this, &FindUsagesDialog::FindClick);
    connect(m_stop, &QPushButton::clicked, this, &FindUsagesDialog::StopClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QWidget *FindUsagesDialog::buildWhat()
{
    auto *box = new QWidget(this);
    m_what = new QComboBox(box);
    m_what->setObjectName(QStringLiteral("Combo_What"));
    for (const NamedKind &kind : NamedKinds)
        m_what->addItem(kindCaption(kind));
    m_what->addItem(QStringLiteral("Поле записи и число"));
    m_what->setCurrentIndex(4); // facts are what is looked for most

    m_pages = new QStackedWidget(box);
    m_pages->setObjectName(QStringLiteral("Stack_What"));
    m_pages->addWidget(buildNamesPage());
    m_pages->addWidget(buildFieldPage());

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption(box, QStringLiteral("&Что искать:"), m_what));
    layout->addWidget(m_what);
    layout->addWidget(m_pages, 1);
    connect(m_what, &QComboBox::currentIndexChanged, this, &FindUsagesDialog::kindChanged);
    return box;
}

QWidget *FindUsagesDialog::buildNamesPage()
{
    auto *page = new QWidget(this);
    m_filter = new QLineEdit(page);
    m_filter->setObjectName(QStringLiteral("Edit_Filter"));
    m_filter->setPlaceholderText(QStringLiteral("Часть названия или номер"));
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    m_nameModel = new NamePickModel(this);
    m_names = new QListView(page);
    m_names->setObjectName(QStringLiteral("List_Names"));
    m_names->setModel(m_nameModel);
    m_names->setUniformItemSizes(true); // lists of many thousands of names
    m_names->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_filter);
    layout->addWidget(m_names, 1);
    connect(m_filter, &QLineEdit::textChanged, this, &FindUsagesDialog::filterChanged);
    connect(m_filter, &QLineEdit::returnPressed, this, &FindUsagesDialog::FindClick);
    connect(m_names, &QListView::activated, this, &FindUsagesDialog::FindClick);
    return page;
}

QWidget *FindUsagesDialog::buildFieldPage()
{
    auto *page = new QWidget(this);
    m_field = new QComboBox(page);
    m_field->setObjectName(QStringLiteral("Combo_Field"));
    for (int i = 0; i < NpcFieldCount; ++i) {
        const auto field = NpcField(i);
        const QString caption = fieldCaption(field);
        m_field->addItem(caption.isEmpty() ? QString(NpcRecord::fieldName(field))
                                           : NpcRecord::fieldName(field) + QStringLiteral(" (") + caption +
                                                 QLatin1Char(')'));
    }
    m_value = new QLineEdit(page);
    m_value->setObjectName(QStringLiteral("Edit_Value"));
    m_value->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,6}")), m_value));
    auto *hint = new QLabel(QStringLiteral("-1 - значение «не задано»"), page);
    hint->setObjectName(QStringLiteral("Lbl_ValueHint"));

    auto *layout = new QFormLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(caption(page, QStringLiteral("&Поле:"), m_field), m_field);
    layout->addRow(caption(page, QStringLiteral("Ч&исло:"), m_value), m_value);
    layout->addRow(QString(), hint);
    connect(m_value, &QLineEdit::returnPressed, this, &FindUsagesDialog::FindClick);
    return page;
}

QWidget *FindUsagesDialog::buildResults()
{
    auto *box = new QWidget(this);
    m_folderField = new FolderField(m_prompts, QStringLiteral("Где искать"), QStringLiteral("Папка..."), box);
    m_usageModel = new UsageListModel(m_session.lists(), this);
    m_usages = new QTreeView(box);
    m_usages->setObjectName(QStringLiteral("List_Usages"));
    m_usages->setModel(m_usageModel);
    m_usages->setRootIsDecorated(false);
    m_usages->setUniformRowHeights(true);
    m_usages->setAllColumnsShowFocus(true);
    m_usages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_usages->header()->setStretchLastSection(true);
    m_usages->setColumnWidth(UsageListModel::Script, 150);
    m_usages->setColumnWidth(UsageListModel::Record, 60);
    m_usages->setColumnWidth(UsageListModel::Field, 90);

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption(box, QStringLiteral("&Где искать:"), m_folderField));
    layout->addWidget(m_folderField);
    layout->addWidget(caption(box, QStringLiteral("&Результаты:"), m_usages));
    layout->addWidget(m_usages, 1);
    connect(m_usages, &QTreeView::activated, this, [this](const QModelIndex &index) {
        const Usage &usage = m_usageModel->usage(index.row());
        emit openRequested(usage.path, usage.record);
    });
    return box;
}

void FindUsagesDialog::FindUsagesExecute()
{
    show();
    raise();
    activateWindow();
}

void FindUsagesDialog::setVisible(bool visible)
{
    // Before Qt lays the dialog out and shows its children.
    if (visible && !m_what)
        build();
    QDialog::setVisible(visible);
}

void FindUsagesDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        const QString script = m_session.document().path;
        m_folderField->setFolder(script.isEmpty() ? m_session.settings().config().WorkDir
                                                  : QFileInfo(script).absolutePath());
        kindChanged(); // the lists may have been read again
        QLineEdit *typed = m_what->currentIndex() == FieldKind ? m_value : m_filter;
        typed->setFocus();
        typed->selectAll();
    }
    QDialog::showEvent(event);
}

void FindUsagesDialog::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous() && isSearching())
        StopClick();
    QDialog::hideEvent(event);
}

bool FindUsagesDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The arrows in the filter move through the list below it.
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_names, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FindUsagesDialog::kindChanged()
{
    const int kind = m_what->currentIndex();
    m_pages->setCurrentIndex(kind == FieldKind ? 1 : 0);
    if (kind == FieldKind)
        return;
    const ListId list = NamedKinds[kind].list;
    if (list != m_shownList)
        m_names->setCurrentIndex({}); // a number of another list names something else
    m_shownList = list;
    keepingPick([&] { m_nameModel->setList(m_session.lists().byId(list)); });
}

void FindUsagesDialog::filterChanged(const QString &text)
{
    keepingPick([&] { m_nameModel->setFilter(text); });
}

void FindUsagesDialog::keepingPick(const std::function<void()> &change)
{
    const QModelIndex current = m_names->currentIndex();
    const std::optional<qint64> kept =
        current.isValid() ? std::optional(m_nameModel->number(current.row())) : std::nullopt;
    change();
    const int row = kept ? m_nameModel->rowOf(*kept) : -1;
    selectRow(row < 0 ? 0 : row);
}

void FindUsagesDialog::selectRow(int row)
{
    const QModelIndex index = m_nameModel->index(row, 0);
    m_names->setCurrentIndex(index);
    if (index.isValid())
        m_names->scrollTo(index);
}

std::optional<QList<SearchTerm>> FindUsagesDialog::chosenTerms(QString &error) const
{
    SearchTerm term;
    const int kind = m_what->currentIndex();
    if (kind == FieldKind) {
        const std::optional<qint64> value = FieldRules::readNumber(m_value->text());
        if (!value) {
            error = QStringLiteral("Введите число: значение поля, -1 - «не задано».");
            return std::nullopt;
        }
        term = SearchTerm::field(NpcField(m_field->currentIndex()), *value);
    } else {
        const QModelIndex current = m_names->currentIndex();
        if (!current.isValid()) {
            error = QStringLiteral("Выберите название в списке.");
            return std::nullopt;
        }
        term = NamedKinds[kind].term(m_nameModel->number(current.row()));
    }
    for (NpcField field : std::as_const(term.fields)) {
        if (!storedValue(field, term.value)) {
            const bool word = NpcRecord::isWordField(field);
            error = QStringLiteral("Число %1 не помещается в поле %2 (от %3 до %4).")
                        .arg(term.value)
                        .arg(NpcRecord::fieldName(field))
                        .arg(word ? -32768 : -128)
                        .arg(word ? 65535 : 255);
            return std::nullopt;
        }
    }
    return QList<SearchTerm>{term};
}

void FindUsagesDialog::FindClick()
{
    QString error;
    const std::optional<QList<SearchTerm>> terms = chosenTerms(error);
    if (!terms) {
        showError(error);
        return;
    }
    if (!QFileInfo(folder()).isDir()) {
        showError(QStringLiteral("Папка не найдена: %1").arg(QDir::toNativeSeparators(folder())));
        return;
    }
    m_search = std::make_unique<UsageSearch>(folder(), *terms);
    if (m_session.hasPath())
        m_search->setOpenScript(m_session.document().path, m_session.records());
    m_listedInOneStep = true;
    m_usageModel->clear(folder());
    m_status->setToolTip({});
    m_status->setText(QStringLiteral("Поиск..."));
    m_timer->start();
}

void FindUsagesDialog::StopClick()
{
    if (!isSearching())
        return;
    m_search->stop();
    m_timer->stop();
    showOutcome();
}

QString FindUsagesDialog::folder() const
{
    return m_folderField ? m_folderField->folder() : QString();
}

bool FindUsagesDialog::isSearching() const
{
    return m_search && !m_search->isFinished();
}

void FindUsagesDialog::step()
{
    if (!isSearching()) {
        m_timer->stop();
        return;
    }
    const bool wasListing = m_search->isListing();
    m_usageModel->append(m_search->next(BatchFiles));
    if (wasListing && m_search->isListing())
        m_listedInOneStep = false;
    if (m_search->isFinished()) {
        m_timer->stop();
        showOutcome();
    } else {
        showProgress();
    }
}

void FindUsagesDialog::showProgress()
{
    const bool many = !m_listedInOneStep || m_search->total() > ManyFiles;
    m_progress->setVisible(many);
    m_stop->setVisible(many);
    if (m_search->isListing()) {
        m_progress->setRange(0, 0);
        m_status->setText(QStringLiteral("Поиск скриптов в папке: найдено %1").arg(m_search->total()));
        return;
    }
    m_progress->setRange(0, int(m_search->total()));
    m_progress->setValue(int(m_search->done()));
    m_status->setText(
        QStringLiteral("Просмотрено скриптов: %1 из %2").arg(m_search->done()).arg(m_search->total()));
}

void FindUsagesDialog::showOutcome()
{
    m_progress->hide();
    m_stop->hide();
    m_status->setText(usageOutcomeText(*m_search, m_usageModel->recordCount(), m_usageModel->scriptCount()));
    m_status->setToolTip(unreadListText(m_search->unread()));
}

void FindUsagesDialog::showError(const QString &text)
{
    m_status->setToolTip({});
    m_status->setText(text);
}
