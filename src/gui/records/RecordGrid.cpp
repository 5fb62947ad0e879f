#include "gui/records/RecordGrid.h"

#include "session/ScriptSession.h"

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>

namespace
{

constexpr int GridColumnMargin = 71;

} // namespace

RecordGrid::RecordGrid(ScriptSession &session, QWidget *parent)
    : QTableWidget(RecordCount, 3, parent), m_session(session)
{
    setObjectName(QStringLiteral("StringGrid"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setWordWrap(false);
    for (int row = 0; row < RecordCount; ++row) {
        auto *number = new QTableWidgetItem(QString::number(row));
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(palette().button());
        setItem(row, 0, number);
        for (int column = 1; column < 3; ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    setColumnWidth(0, 20);
    setColumnWidth(2, 45);

    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int, int column) {
        if (column == 2)
            emit linkDoubleClicked();
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int previousRow, int) {
        if (row >= 0 && row != previousRow && !m_followingSession)
            StringGridSelectCell(column, row);
    });
    connect(&m_session, &ScriptSession::captionsChanged, this, &RecordGrid::showCaptions);
    connect(&m_session, &ScriptSession::currentRecordChanged, this, &RecordGrid::showCurrentRow);
    connect(&m_session, &ScriptSession::findingsChanged, this, &RecordGrid::showFindings);
    showCaptions();
    showCurrentRow(m_session.CurRec());
}

void RecordGrid::setContextMenu(QMenu *menu)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, menu,
            [this, menu](const QPoint &pos) { menu->popup(viewport()->mapToGlobal(pos)); });
}

QString RecordGrid::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void RecordGrid::selectGridRow(int row)
{
    setCurrentCell(row, 1);
    scrollToItem(item(row, 1));
}

void RecordGrid::StringGridSelectCell(int, int row)
{
    m_session.selectRecord(row);
}

void RecordGrid::showCaptions()
{
    for (int row = 0; row < RecordCount; ++row) {
        const QString texts[] = {m_session.captions().action(row), m_session.captions().link(row)};
        for (int column = 1; column < 3; ++column) {
            QTableWidgetItem *cell = item(row, column);
            if (cell->text() != texts[column - 1])
                cell->setText(texts[column - 1]);
        }
    }
}

void RecordGrid::showCurrentRow(int row)
{
    if (currentRow() == row)
        return;
    m_followingSession = true;
    selectGridRow(row);
    m_followingSession = false;
}

void RecordGrid::showFindings()
{
    // The row number of a record with an error or a warning turns red; its tip lists them.
    std::array<QStringList, RecordCount> found;
    for (const CheckFinding &finding : m_session.analysis().findings()) {
        if (finding.record >= 0 && finding.record < RecordCount && finding.level != CheckLevel::Note)
            found[finding.record] << finding.shownMessage;
    }
    for (int row = 0; row < RecordCount; ++row) {
        QTableWidgetItem *number = item(row, 0);
        const QString tip = found[row].join(QLatin1Char('\n'));
        if (number->toolTip() == tip)
            continue;
        number->setToolTip(tip);
        number->setForeground(tip.isEmpty() ? palette().windowText() : QBrush(Qt::red));
    }
}

void RecordGrid::fitColumns(int paneWidth)
{
    // The action column takes what the pane leaves; it also gives way to this style's
    // scroll bar, so that the link column is never cut.
    const int besideIt =
        columnWidth(0) + columnWidth(2) + verticalScrollBar()->sizeHint().width() + 3;
    setColumnWidth(1, std::max(0, std::min(paneWidth - GridColumnMargin, paneWidth - besideIt)));
}
