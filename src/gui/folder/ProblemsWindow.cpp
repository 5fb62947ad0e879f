#include "gui/folder/ProblemsWindow.h"

#include "session/ScriptSession.h"

#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

enum Column { RecordColumn, LevelColumn, MessageColumn };

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

    connect(m_list, &QTreeWidget::itemActivated, this, &ProblemsWindow::pick);
    connect(&m_session, &ScriptSession::findingsChanged, this, [this] {
        m_stale = true;
        if (isVisible())
            refresh();
    });
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
    int count[3] = {0, 0, 0};
    for (const CheckFinding &finding : m_session.analysis().findings()) {
        ++count[int(finding.level)];
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
        ++count[int(CheckLevel::Warning)];
        auto *item = new QTreeWidgetItem({QStringLiteral("—"), problemLevelText(int(CheckLevel::Warning)),
                                          unclearLineText(line)});
        item->setData(RecordColumn, Qt::UserRole, CheckFinding::WholeScript);
        item->setToolTip(MessageColumn, QDir::toNativeSeparators(line.path) + QStringLiteral(" [list-line]"));
        items << item;
    }
    m_list->clear();
    m_list->addTopLevelItems(items);
    m_summary->setText(items.isEmpty() ? QStringLiteral("Ошибок, предупреждений и замечаний нет.")
                                       : QStringLiteral("Ошибок: %1, предупреждений: %2, замечаний: %3.")
                                             .arg(count[0])
                                             .arg(count[1])
                                             .arg(count[2]));
    // The reader keeps his place in the list while he edits.
    if (row >= 0 && row < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(row));
}

void ProblemsWindow::pick(QTreeWidgetItem *item)
{
    const int record = item ? item->data(RecordColumn, Qt::UserRole).toInt() : CheckFinding::WholeScript;
    if (record >= 0 && record < RecordCount)
        emit recordPicked(record);
}
