#include "editor/ui/RecordCommands.h"

#include "common/ui/Prompts.h"
#include "app/ui/TForm1.h"

#include <QAction>
#include <QLineEdit>

namespace
{

const QString PasteRec = QStringLiteral("PasteRec");
const QString MoveUp = QStringLiteral("MoveUp");
const QString MoveDown = QStringLiteral("MoveDown");

} // namespace

RecordCommands::RecordCommands(TForm1 &window) : QObject(&window), m_window(window)
{
    m_window.onTriggered("CutRec", this, &RecordCommands::CutRecExecute);
    m_window.onTriggered("CopyRec", this, &RecordCommands::CopyRecExecute);
    m_window.onTriggered("PasteRec", this, &RecordCommands::PasteRecExecute);
    m_window.onTriggered("DeleteRec", this, &RecordCommands::DeleteRecExecute);
    m_window.onTriggered("CleanRec", this, &RecordCommands::CleanRecExecute);
    m_window.onTriggered("Inicial", this, &RecordCommands::InicialExecute);
    m_window.onTriggered("MoveUp", this, &RecordCommands::MoveUpExecute);
    m_window.onTriggered("MoveDown", this, &RecordCommands::MoveDownExecute);
}

RecordGridTexts RecordCommands::readGrid() const
{
    RecordGridTexts grid;
    for (int row = 0; row < RecordCount; ++row) {
        grid.action[row] = m_window.gridText(row, 1);
        grid.link[row] = m_window.gridText(row, 2);
    }
    return grid;
}

void RecordCommands::writeGrid(const RecordGridTexts &before, const RecordGridTexts &after)
{
    for (int row = 0; row < RecordCount; ++row) {
        if (after.action[row] != before.action[row])
            m_window.setGridText(row, 1, after.action[row]);
        if (after.link[row] != before.link[row])
            m_window.setGridText(row, 2, after.link[row]);
    }
}

void RecordCommands::removeCurrent()
{
    NpcScriptDocument &document = m_window.document();
    const RecordGridTexts before = readGrid();
    RecordGridTexts grid = before;
    RecordList(document.records, grid, m_window.CurRec(), document.OwnNpcNumber).removeRecord();
    writeGrid(before, grid);
    m_window.ShowRec();
    m_window.MarkModified();
}

void RecordCommands::CutRecExecute()
{
    m_window.RecordClipboard() = m_window.currentRecord();
    m_window.setActionEnabled(PasteRec, true);
    removeCurrent();
}

void RecordCommands::CopyRecExecute()
{
    m_window.RecordClipboard() = m_window.currentRecord();
    m_window.setActionEnabled(PasteRec, true);
}

void RecordCommands::DeleteRecExecute()
{
    NpcScriptDocument &document = m_window.document();
    RecordGridTexts unused;
    const QString links =
        RecordList(document.records, unused, m_window.CurRec(), document.OwnNpcNumber).CheckLinkDel();
    QString question;
    if (!links.isEmpty())
        question = QStringLiteral("На удаляемую запись есть ссылка(ки) в записи(ях): ") + links +
                   QStringLiteral(".\r\n\r\n");
    question += QStringLiteral("Вы уверены, что хотите удалить текущую запись?");
    if (!m_window.prompts().confirm(&m_window, question, QMessageBox::Yes | QMessageBox::Cancel))
        return;
    removeCurrent();
}

void RecordCommands::PasteRecExecute()
{
    NpcScriptDocument &document = m_window.document();
    if (!document.IsRecEmpty(RecordCount - 1) &&
        !m_window.prompts().confirm(
            &m_window, QStringLiteral("При вставке, последняя запись будет удалена.\r\nПродолжить вставку?"),
            QMessageBox::Yes | QMessageBox::Cancel))
        return;

    const RecordGridTexts before = readGrid();
    RecordGridTexts grid = before;
    RecordList(document.records, grid, m_window.CurRec(), document.OwnNpcNumber)
        .insertRecord(m_window.RecordClipboard());
    writeGrid(before, grid);
    m_window.ShowRec();
    m_window.MarkModified();
    showActionName();
    m_window.setActionEnabled(PasteRec, false);
}

void RecordCommands::CleanRecExecute()
{
    if (!m_window.currentRecord().isEmpty() &&
        m_window.prompts().message(&m_window, PromptKind::Warning,
                                   QStringLiteral("Текущая запись будет очищена!"),
                                   QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    m_window.document().ZeroRec(m_window.CurRec());
    m_window.MarkModified();
    m_window.ShowRec();
}

void RecordCommands::InicialExecute()
{
    if (!m_window.currentRecord().isEmpty() &&
        m_window.prompts().message(&m_window, PromptKind::Warning,
                                   QStringLiteral("Текущая запись будет инициализирована!"),
                                   QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    m_window.currentRecord().initialise();
    m_window.ShowRec();
    m_window.MarkModified();
    showActionName();
}

void RecordCommands::moveCurrent(int delta)
{
    NpcScriptDocument &document = m_window.document();
    const RecordGridTexts before = readGrid();
    RecordGridTexts grid = before;
    RecordList list(document.records, grid, m_window.CurRec(), document.OwnNpcNumber);
    if (!list.moveRecord(delta))
        return;
    writeGrid(before, grid);
    m_window.setCurRec(list.CurRec());
    m_window.selectGridRow(list.CurRec());
    m_window.ShowRec();
    m_window.MarkModified();
    m_window.setActionEnabled(MoveUp, list.CurRec() != 0);
    m_window.setActionEnabled(MoveDown, list.CurRec() != RecordCount - 1);
}

void RecordCommands::MoveUpExecute()
{
    moveCurrent(-1);
}

void RecordCommands::MoveDownExecute()
{
    moveCurrent(+1);
}

void RecordCommands::showActionName()
{
    const int row = m_window.CurRec();
    // ShowRec has blanked the row of an empty record; an action name there would
    // contradict the empty-record label until the row is shown again.
    if (m_window.currentRecord().isEmpty())
        return;
    const auto *edit = m_window.findChild<QLineEdit *>(QStringLiteral("Edit_Action"));
    const QByteArray number =
        edit ? edit->text().toLatin1() : QByteArray::number(m_window.currentRecord().Action);
    m_window.setGridText(row, 1, m_window.actionName(number));
}
