#include "gui/folder/ProblemsWindow.h"

#include "editor/SpellingCheck.h"
#include "session/ScriptSession.h"

#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

enum Column { RecordColumn, LevelColumn, MessageColumn };
constexpr qsizetype SpellingStepLines = 4000;

} // namespace

QString problemLevelText(int level)
{
    switch (CheckLevel(level)) {
    case CheckLevel::Error:
        return QStringLiteral("ошибка");
    case CheckLevel::Warning:
        return QStringLiteral("предупреждение");
    case CheckLevel::Note:
        break;
    }
    return QStringLiteral("замечание");
}

ProblemsWindow::~ProblemsWindow() = default;

ProblemsWindow::ProblemsWindow(ScriptSession &session, QWidget &mainWindow)
    : ToolWindow(mainWindow), m_session(session)
{
    setObjectName(QStringLiteral("ProblemsWindow"));
    setWindowTitle(QStringLiteral("Проверка скрипта"));
    placeBesideMainWindowAtFirst();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("List_Problems"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels(
        {QStringLiteral("Запись"), QStringLiteral("Уровень"), QStringLiteral("Сообщение")});
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(RecordColumn, 60);
    m_list->setColumnWidth(LevelColumn, 120);
    layout->addWidget(m_list);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Lbl_ProblemsSummary"));
    m_summary->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_summary);
    resize(640, 320);

    m_spellingTimer = new QTimer(this);
    m_spellingTimer->setInterval(0);
    connect(m_spellingTimer, &QTimer::timeout, this, &ProblemsWindow::spellingStep);
    connect(m_list, &QTreeWidget::itemActivated, this, &ProblemsWindow::pick);
    auto changed = [this] {
        m_stale = true;
        if (isVisible())
            refresh();
    };
    connect(&m_session, &ScriptSession::findingsChanged, this, changed);
    connect(&m_session.dialogue(), &DialogueText::changed, this, changed);
    connect(&m_session.spelling(), &SessionSpelling::changed, this, changed);
}

void ProblemsWindow::CheckScriptExecute()
{
    showInFront();
}

bool ProblemsWindow::event(QEvent *event)
{
    if (event->type() == QEvent::Show && m_stale)
        refresh();
    return ToolWindow::event(event);
}

void ProblemsWindow::refresh()
{
    m_stale = false;
    const int row = m_list->currentIndex().row();
    QList<QTreeWidgetItem *> items;
    std::fill(std::begin(m_count), std::end(m_count), 0);
    for (const CheckFinding &finding : m_session.analysis().findings()) {
        ++m_count[int(finding.level)];
        const bool whole = finding.record == CheckFinding::WholeScript;
        auto *item = new QTreeWidgetItem({whole ? QStringLiteral("—") : QString::number(finding.record),
                                          problemLevelText(int(finding.level)), finding.message});
        item->setData(RecordColumn, Qt::UserRole, finding.record);
        item->setToolTip(MessageColumn,
                         finding.message + QStringLiteral(" [") + finding.rule + QLatin1Char(']'));
        if (finding.level == CheckLevel::Error)
            item->setForeground(LevelColumn, Qt::red);
        items << item;
    }
    // The lists are used as read; what they hold that names nothing usable is said here.
    for (const UnclearListLine &line : m_session.unclearListLines()) {
        ++m_count[int(CheckLevel::Warning)];
        auto *item = new QTreeWidgetItem({QStringLiteral("—"), problemLevelText(int(CheckLevel::Warning)),
                                          unclearLineText(line)});
        item->setData(RecordColumn, Qt::UserRole, CheckFinding::WholeScript);
        item->setToolTip(MessageColumn, QDir::toNativeSeparators(line.path) + QStringLiteral(" [list-line]"));
        items << item;
    }
    m_list->clear();
    m_list->addTopLevelItems(items);
    // The reader keeps his place in the list while he edits.
    if (row >= 0 && row < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(row));
    m_spelling.reset();
    m_spellingTimer->stop();
    if (const SpellChecker *checker = m_session.spelling().checker()) {
        m_spelling = std::make_unique<SpellingScan>(*checker, m_session.dialogue().text(), false);
        m_spellingTimer->start();
    }
    showSummary();
}

void ProblemsWindow::showSummary()
{
    QString text = m_count[0] + m_count[1] + m_count[2] == 0
                       ? QStringLiteral("Ошибок, предупреждений и замечаний нет.")
                       : QStringLiteral("Ошибок: %1, предупреждений: %2, замечаний: %3.")
                             .arg(m_count[0])
                             .arg(m_count[1])
                             .arg(m_count[2]);
    if (m_spelling || m_count[3] > 0)
        text += QStringLiteral(" Неизвестных слов: %1%2").arg(m_count[3]).arg(m_spelling ? QStringLiteral("…") : QStringLiteral("."));
    m_summary->setText(text);
}

void ProblemsWindow::spellingStep()
{
    if (!m_spelling) {
        m_spellingTimer->stop();
        return;
    }
    const qsizetype before = m_spelling->notes().size();
    const bool done = m_spelling->step(SpellingStepLines);
    QList<QTreeWidgetItem *> items;
    for (qsizetype i = before; i < m_spelling->notes().size(); ++i) {
        const SpellingNote &note = m_spelling->notes().at(i);
        const QString message = QStringLiteral("фраза %1: ").arg(note.phrase) + spellingNoteText(note);
        auto *item = new QTreeWidgetItem({QStringLiteral("—"), problemLevelText(int(CheckLevel::Note)), message});
        item->setData(RecordColumn, Qt::UserRole, CheckFinding::WholeScript);
        item->setToolTip(MessageColumn, message + QStringLiteral(" [spelling]"));
        items << item;
    }
    m_list->addTopLevelItems(items);
    m_count[3] += int(items.size());
    if (done) {
        m_spelling.reset();
        m_spellingTimer->stop();
    }
    showSummary();
}

void ProblemsWindow::pick(QTreeWidgetItem *item)
{
    const int record = item ? item->data(RecordColumn, Qt::UserRole).toInt() : CheckFinding::WholeScript;
    if (record >= 0 && record < RecordCount)
        emit recordPicked(record);
}
