#include "gui/dialogue/PhrasesWindow.h"

#include "gui/widgets/Prompts.h"
#include "dialogue/PhraseList.h"
#include "gui/dialogue/PhraseEditDelegate.h"
#include "gui/dialogue/PhraseTableModel.h"
#include "gui/dialogue/SpellingMarks.h"
#include "gui/dialogue/TranslationCommands.h"
#include "session/OpenTranslation.h"
#include "session/ScriptSession.h"
#include "spelling/SpellDictionary.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

PhrasesWindow::PhrasesWindow(ScriptSession &session, Prompts &prompts, QWidget &mainWindow)
    : ToolWindow(mainWindow), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("PhrasesWindow"));
    setWindowTitle(QStringLiteral("Фразы"));
    placeBesideMainWindowAtFirst();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_bar = new QToolBar(this);
    m_bar->setObjectName(QStringLiteral("PhrasesToolBar"));
    m_bar->setIconSize(QSize(18, 18));
    // Beside the tool bar, not on it: keys typed here must not reach its actions.
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Edit_PhraseFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Найти в тексте"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setFixedWidth(220);
    m_untranslated = new QCheckBox(QStringLiteral("только без перевода"), this);
    m_untranslated->setObjectName(QStringLiteral("Check_Untranslated"));
    m_untranslated->setVisible(false);
    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 6, 0);
    top->addWidget(m_bar, 1);
    top->addWidget(m_untranslated);
    top->addWidget(m_filter);
    layout->addLayout(top);

    m_empty = new QLabel(this);
    m_empty->setObjectName(QStringLiteral("Lbl_PhrasesEmpty"));
    m_empty->setWordWrap(true);
    m_empty->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(m_empty);

    m_translation = new OpenTranslation(this);
    m_translationCommands =
        new TranslationCommands(*m_translation, prompts, *this, session.settings().config().WorkDir);
    m_model = new PhraseTableModel(session, *m_translation, this);
    m_delegate = new PhraseEditDelegate(this);
    m_delegate->setSpelling(&session.spelling());
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("Table_Phrases"));
    m_table->setModel(m_model);
    m_table->setItemDelegateForColumn(PhraseTableModel::TextColumn, m_delegate);
    m_table->setItemDelegateForColumn(PhraseTableModel::TranslationColumn, m_delegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setWordWrap(false);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    // Fixed rows and columns: the view then never measures the lines, however many.
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setSectionResizeMode(PhraseTableModel::TextColumn, QHeaderView::Stretch);
    m_table->setColumnWidth(PhraseTableModel::NumberColumn, fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    m_table->setColumnWidth(PhraseTableModel::RecordsColumn, fontMetrics().horizontalAdvance(QStringLiteral("00, 00, 00, 00")));
    m_table->horizontalHeader()->setSectionResizeMode(PhraseTableModel::TranslationColumn, QHeaderView::Stretch);
    m_table->setColumnWidth(PhraseTableModel::StateColumn, fontMetrics().horizontalAdvance(QStringLiteral(" переведено ")));
    layout->addWidget(m_table, 1);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("Lbl_TranslationCounts"));
    m_counts->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(m_counts);
    resize(640, 420);
    showTranslation();

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString &words) {
        m_model->setFilter(words);
        selectSessionLine();
    });
    connect(m_table, &QTableView::activated, this, &PhrasesWindow::activate);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { m_session.selectPhrase(m_model->lineAt(current.row())); });
    connect(m_model, &PhraseTableModel::editRefused, this, &PhrasesWindow::reopenRefused);
    connect(m_untranslated, &QCheckBox::toggled, this, [this](bool only) {
        m_model->setUntranslatedOnly(only);
        selectSessionLine();
    });
    // Queued: an edit typed into the table must end before its rows may change.
    connect(m_translation, &OpenTranslation::changed, this, &PhrasesWindow::showTranslation, Qt::QueuedConnection);
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint &point) {
        std::unique_ptr<QMenu> menu(contextMenuAt(point));
        menu->exec(m_table->viewport()->mapToGlobal(point));
    });
    connect(m_delegate, &PhraseEditDelegate::spellingFailed, this,
            [this](const QString &message) { m_prompts.error(this, message); });
    connect(&m_session.spelling(), &SessionSpelling::changed, this, [this] {
        m_table->viewport()->update();
        if (isVisible())
            sayDictionaryProblem();
    });
    addSpellingControls();
    auto changed = [this] {
        m_stale = true;
        if (isVisible())
            refresh();
    };
    connect(&m_session.dialogue(), &DialogueText::changed, this, changed);
    connect(&m_session, &ScriptSession::recordsChanged, this, changed);
    connect(&m_session, &ScriptSession::currentRecordChanged, this, [this, changed] {
        changed();
        if (isVisible())
            showCurrentRecordsLines();
    });
}

PhrasesWindow::~PhrasesWindow()
{
    // A line still being typed as the program ends is no change to make: the editor goes
    // without committing, and nothing of the table calls back into a window half gone.
    m_delegate->disconnect(m_table);
    m_model->disconnect(this);
    m_table->selectionModel()->disconnect(this);
}

void PhrasesWindow::addCommands(const QList<QAction *> &given)
{
    const QList<QAction *> actions = given + QList<QAction *>{nullptr, m_translationCommands->openAction(),
                                                              m_translationCommands->saveAction()};
    for (QAction *action : actions) {
        if (!action) {
            m_bar->addSeparator();
            auto *separator = new QAction(m_table);
            separator->setSeparator(true);
            m_table->addAction(separator);
            continue;
        }
        m_bar->addAction(action);
        m_table->addAction(action);
    }
}

bool PhrasesWindow::event(QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (m_stale) {
            refresh();
            showCurrentRecordsLines();
        }
        // Insert, Delete and F2 are for the lines, not for the filter box first in the tab order.
        m_table->setFocus(Qt::OtherFocusReason);
        QTimer::singleShot(0, this, &PhrasesWindow::sayDictionaryProblem);
    }
    return ToolWindow::event(event);
}

void PhrasesWindow::refresh()
{
    m_stale = false;
    showTranslation();
    m_model->refresh();
    const bool empty = m_session.dialogue().text().isEmpty();
    m_empty->setVisible(empty);
    if (empty)
        m_empty->setText(m_session.dialogue().path().isEmpty()
                             ? QStringLiteral("У скрипта нет EDT-файла. Добавленные фразы будут записаны "
                                              "в новый EDT-файл рядом со скриптом при сохранении.")
                             : QStringLiteral("В EDT-файле нет ни одной фразы."));
    selectSessionLine();
}

void PhrasesWindow::showTranslation()
{
    const bool open = m_translation->isOpen();
    m_table->setColumnHidden(PhraseTableModel::TranslationColumn, !open);
    m_table->setColumnHidden(PhraseTableModel::StateColumn, !open);
    m_untranslated->setVisible(open);
    m_counts->setVisible(open);
    if (!open)
        m_untranslated->setChecked(false);
    m_delegate->setTranslationLanguage(open ? m_translation->catalogue().language() : QString());
    m_model->translationChanged();
    if (open)
        m_counts->setText(QFileInfo(m_translation->path()).fileName() + QStringLiteral(": ") +
                          countTranslation(m_translation->catalogue(), m_model->translationContext(),
                                           m_session.dialogue().text())
                              .text() +
                          (m_translation->isModified() ? QStringLiteral(" (изменён)") : QString()));
}

void PhrasesWindow::selectSessionLine()
{
    const int row = m_model->rowOf(m_session.phraseLine());
    if (row < 0 || row == m_table->currentIndex().row())
        return;
    m_table->setCurrentIndex(m_model->index(row, PhraseTableModel::TextColumn));
    m_table->selectRow(row);
    m_table->scrollTo(m_model->index(row, PhraseTableModel::TextColumn));
}

void PhrasesWindow::showCurrentRecordsLines()
{
    const NpcRecord &record = m_session.currentRecord();
    if (record.speaksNothing())
        return;
    const int first = m_model->rowOf(record.Phrase);
    const int last = m_model->rowOf(record.Phrase + record.PhraseCnt - 1);
    if (last >= 0)
        m_table->scrollTo(m_model->index(last, PhraseTableModel::TextColumn));
    if (first >= 0)
        m_table->scrollTo(m_model->index(first, PhraseTableModel::TextColumn));
}

void PhrasesWindow::showLine(qsizetype line)
{
    showInFront();
    if (m_model->rowOf(line) < 0)
        m_filter->clear(); // the line must be seen
    const int row = m_model->rowOf(line);
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(row, PhraseTableModel::TextColumn);
    m_table->setCurrentIndex(index);
    m_table->scrollTo(index);
    m_table->setFocus();
}

void PhrasesWindow::editLine(qsizetype line)
{
    showLine(line);
    const QModelIndex index = m_table->currentIndex();
    if (index.isValid() && m_model->lineAt(index.row()) == line)
        m_table->edit(index);
}

void PhrasesWindow::activate(const QModelIndex &index)
{
    if (index.column() != PhraseTableModel::RecordsColumn)
        return;
    const QList<int> speakers = PhraseList::speakers(m_session.records(), m_model->lineAt(index.row()));
    if (!speakers.isEmpty())
        emit recordPicked(speakers.first());
}

void PhrasesWindow::reopenRefused(const QModelIndex &index, const QString &message, const QString &text)
{
    m_prompts.error(this, message);
    // The editor closes once its text is refused: it opens again with what was typed.
    const QPersistentModelIndex kept(index);
    QTimer::singleShot(0, this, [this, kept, text] {
        if (!kept.isValid())
            return;
        m_delegate->keepText(kept, text);
        m_table->setCurrentIndex(kept);
        m_table->edit(kept);
    });
}

void PhrasesWindow::addSpellingControls()
{
    SessionSpelling &spelling = m_session.spelling();
    m_spellingOn = new QAction(QStringLiteral("Орфография"), this);
    m_spellingOn->setObjectName(QStringLiteral("Spelling"));
    m_spellingOn->setCheckable(true);
    m_spellingOn->setChecked(spelling.isOn());
    m_spellingOn->setToolTip(QStringLiteral("Орфография:\nподчёркивать слова, которых нет в словаре."));
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("Combo_SpellLang"));
    m_language->setToolTip(QStringLiteral("Язык фраз для проверки орфографии"));
    QStringList languages = SpellDictionary::installed();
    if (!languages.contains(spelling.language())) {
        languages << spelling.language();
        languages.sort();
    }
    m_language->addItems(languages);
    m_language->setCurrentText(spelling.language());
    m_bar->addAction(m_spellingOn);
    m_bar->addWidget(m_language);
    connect(m_spellingOn, &QAction::toggled, &spelling, &SessionSpelling::setOn);
    connect(m_language, &QComboBox::currentTextChanged, &spelling, &SessionSpelling::setLanguage);
}

void PhrasesWindow::sayDictionaryProblem()
{
    if (const QString problem = m_session.spelling().takeProblem(); !problem.isEmpty())
        m_prompts.warning(this, problem);
}

QMenu *PhrasesWindow::contextMenuAt(const QPoint &point)
{
    auto *menu = new QMenu(this);
    menu->addActions(m_table->actions());
    const QModelIndex index = m_table->indexAt(point);
    const SpellChecker *checker = m_session.spelling().checker();
    if (!checker || index.column() != PhraseTableModel::TextColumn)
        return menu;
    QStyleOptionViewItem option;
    option.initFrom(m_table->viewport());
    option.rect = m_table->visualRect(index);
    const QRect area = m_delegate->textRect(option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    const auto word = SpellingMarks::wordAt(option.fontMetrics, text, checker->check(text), point.x() - area.left());
    if (!word)
        return menu;
    const qsizetype line = m_model->lineAt(index.row());
    SpellingMarks::addSuggestions(
        *menu, m_session.spelling(), *word,
        [this, line, text, word](const QString &with) {
            if (const SessionResult result = m_session.editPhrase(line, SpellingMarks::replaced(text, *word, with));
                !result)
                m_prompts.error(this, result.message);
        },
        [this](const QString &message) { m_prompts.error(this, message); });
    return menu;
}
