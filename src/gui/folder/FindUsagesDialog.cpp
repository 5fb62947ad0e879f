#include "gui/folder/FindUsagesDialog.h"

#include "dialogue/PhraseSearch.h"
#include "editor/UsageSearch.h"
#include "editor/UsageSummary.h"
#include "gui/folder/DialogParts.h"
#include "gui/folder/FolderField.h"
#include "gui/folder/PhraseHitListModel.h"
#include "gui/folder/StepProgress.h"
#include "gui/folder/UsageListModel.h"
#include "gui/folder/UsageQueryPanel.h"
#include "gui/widgets/Prompts.h"
#include "session/ScriptSession.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

FindUsagesDialog::FindUsagesDialog(const ScriptSession &session, Prompts &prompts, QWidget &mainWindow)
    : QDialog(&mainWindow), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FindUsagesDialog"));
    setWindowTitle(QStringLiteral("Найти использование"));
    setModal(false);
    resize(960, 560);
    // The controls are made, and the names read into the pick list, when the dialog
    // first shows, not at start-up.
    connect(&m_session, &ScriptSession::listsChanged, this, [this] {
        if (m_query)
            m_query->takeLists();
    });
}

FindUsagesDialog::~FindUsagesDialog() = default;

void FindUsagesDialog::build()
{
    m_query = new UsageQueryPanel(m_session.lists(), this);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_query);
    splitter->addWidget(buildResults());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({340, 600});

    m_progress = new StepProgress(this);
    auto *find = dialogButton(this, "Btn_Find", QStringLiteral("Найти"));
    auto *close = dialogButton(this, "Btn_Close", QStringLiteral("Закрыть"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addSpacing(12);
    bottom->addWidget(find);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    connect(m_progress, &StepProgress::stepWanted, this, &FindUsagesDialog::step);
    connect(m_progress, &StepProgress::stopClicked, this, &FindUsagesDialog::StopClick);
    connect(m_query, &UsageQueryPanel::findRequested, this, &FindUsagesDialog::FindClick);
    connect(find, &QPushButton::clicked, this, &FindUsagesDialog::FindClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QWidget *FindUsagesDialog::buildResults()
{
    auto *box = new QWidget(this);
    m_folderField = new FolderField(m_prompts, QStringLiteral("Где искать"), QStringLiteral("Папка..."), box);
    m_usageModel = new UsageListModel(m_session.lists(), this);
    m_phraseModel = new PhraseHitListModel(this);
    m_usages = new QTreeView(box);
    m_usages->setObjectName(QStringLiteral("List_Usages"));
    m_usages->setRootIsDecorated(false);
    m_usages->setUniformRowHeights(true);
    m_usages->setAllColumnsShowFocus(true);
    m_usages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_usages->header()->setStretchLastSection(true);
    showResults(false);

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(captionFor(box, QStringLiteral("&Где искать:"), m_folderField));
    layout->addWidget(m_folderField);
    layout->addWidget(captionFor(box, QStringLiteral("&Результаты:"), m_usages));
    layout->addWidget(m_usages, 1);
    connect(m_usages, &QTreeView::activated, this, [this](const QModelIndex &index) { openResult(index.row()); });
    return box;
}

void FindUsagesDialog::showResults(bool phrases)
{
    QAbstractItemModel *model = phrases ? static_cast<QAbstractItemModel *>(m_phraseModel) : m_usageModel;
    if (m_usages->model() == model)
        return;
    QItemSelectionModel *old = m_usages->selectionModel(); // the view leaves it to its maker
    m_usages->setModel(model);
    delete old;
    // The script, the number and the short column; the last one takes the rest.
    const int widths[] = {150, 60, 90};
    for (int column = 0; column < int(std::size(widths)); ++column)
        m_usages->setColumnWidth(column, widths[column]);
}

void FindUsagesDialog::openResult(int row)
{
    if (m_usages->model() == m_usageModel) {
        const Usage &usage = m_usageModel->usage(row);
        emit openRequested(usage.path, usage.record);
        return;
    }
    const PhraseHit &hit = m_phraseModel->hit(row);
    if (hit.records.isEmpty())
        emit phraseRequested(hit.scriptPath, hit.phrase);
    else
        emit openRequested(hit.scriptPath, hit.records.first());
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
    if (visible && !m_query)
        build();
    QDialog::setVisible(visible);
}

void FindUsagesDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        const QString script = m_session.document().path;
        m_folderField->setFolder(script.isEmpty() ? m_session.settings().config().WorkDir
                                                  : QFileInfo(script).absolutePath());
        m_query->refresh(); // the lists may have been read again
    }
    QDialog::showEvent(event);
}

void FindUsagesDialog::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous() && isSearching())
        StopClick();
    QDialog::hideEvent(event);
}

void FindUsagesDialog::FindClick()
{
    UsageQuery query;
    if (const SessionResult chosen = m_query->query(query); !chosen) {
        m_progress->say(chosen.message);
        return;
    }
    if (!QFileInfo(folder()).isDir()) {
        m_progress->say(QStringLiteral("Папка не найдена: %1").arg(QDir::toNativeSeparators(folder())));
        return;
    }
    startSearch(query);
}

void FindUsagesDialog::startSearch(const UsageQuery &query)
{
    m_usageSearch.reset();
    m_phraseSearch.reset();
    const bool phrases = !query.phraseWords.isEmpty();
    const QString open = m_session.document().path;
    if (phrases) {
        m_phraseSearch = std::make_unique<PhraseSearch>(folder(), query.phraseWords);
        if (m_session.hasPath())
            m_phraseSearch->setOpenScript(open, m_session.records(), m_session.dialogue().path(),
                                          m_session.dialogue().text());
        m_search = m_phraseSearch.get();
    } else {
        m_usageSearch = std::make_unique<UsageSearch>(folder(), query.terms);
        if (m_session.hasPath())
            m_usageSearch->setOpenScript(open, m_session.records());
        m_search = m_usageSearch.get();
    }
    m_listedInOneStep = true;
    showResults(phrases);
    m_usageModel->clear(folder());
    m_phraseModel->clear(folder());
    m_progress->say(QStringLiteral("Поиск..."));
    m_progress->start();
}

void FindUsagesDialog::StopClick()
{
    if (!isSearching())
        return;
    m_search->stop();
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
        m_progress->finish();
        return;
    }
    const bool wasListing = m_search->isListing();
    if (m_phraseSearch)
        m_phraseModel->append(m_phraseSearch->next(BatchFiles));
    else
        m_usageModel->append(m_usageSearch->next(BatchFiles));
    if (wasListing && m_search->isListing())
        m_listedInOneStep = false;
    if (m_search->isFinished())
        showOutcome();
    else
        showProgress();
}

void FindUsagesDialog::showProgress()
{
    m_progress->showBar(!m_listedInOneStep || m_search->total() > ManyFiles);
    if (m_search->isListing())
        m_progress->showListing(m_search->total());
    else
        m_progress->showRead(QStringLiteral("Просмотрено скриптов: %1 из %2"), m_search->done(), m_search->total());
}

void FindUsagesDialog::showOutcome()
{
    m_progress->finish();
    m_progress->say(m_phraseSearch ? usageOutcomeText(*m_search, m_phraseModel->rowCount(),
                                                      m_phraseModel->scriptCount(), PhraseNoun)
                                   : usageOutcomeText(*m_search, m_usageModel->recordCount(),
                                                      m_usageModel->scriptCount()),
                    unreadListText(m_search->unread()));
}
