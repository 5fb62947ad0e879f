#include "gui/records/RecordCommands.h"

#include "gui/widgets/Prompts.h"
#include "session/ScriptSession.h"

RecordCommands::RecordCommands(const CommandContext &context)
    : QObject(&context.window), m_context(context), m_session(context.session)
{
    m_context.onTriggered("CutRec", this, &RecordCommands::CutRecExecute);
    m_context.onTriggered("CopyRec", this, &RecordCommands::CopyRecExecute);
    m_context.onTriggered("PasteRec", this, &RecordCommands::PasteRecExecute);
    m_context.onTriggered("DeleteRec", this, &RecordCommands::DeleteRecExecute);
    m_context.onTriggered("CleanRec", this, &RecordCommands::CleanRecExecute);
    m_context.onTriggered("Inicial", this, &RecordCommands::InicialExecute);
    m_context.onTriggered("MoveUp", this, &RecordCommands::MoveUpExecute);
    m_context.onTriggered("MoveDown", this, &RecordCommands::MoveDownExecute);
}

bool RecordCommands::confirm(const QString &text)
{
    return m_context.prompts.confirm(&m_context.window, text, QMessageBox::Yes | QMessageBox::Cancel);
}

bool RecordCommands::mayOverwriteCurrent(const QString &warning)
{
    return !m_session.currentRecordHasValues() ||
           m_context.prompts.message(&m_context.window, PromptKind::Warning, warning,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void RecordCommands::CutRecExecute()
{
    // Only links from other scripts are asked about: a cut record is meant to be pasted,
    // but those links cannot follow it there.
    const QString links = m_session.otherScriptLinksToCurrent();
    if (links.isEmpty() ||
        confirm(QStringLiteral("На вырезаемую запись есть ссылка(ки) из других скриптов: ") + links +
                QStringLiteral(".\r\n\r\nВы уверены, что хотите вырезать текущую запись?")))
        m_session.cutRecord();
}

void RecordCommands::CopyRecExecute()
{
    m_session.copyRecord();
}

void RecordCommands::DeleteRecExecute()
{
    const QString links = m_session.linksToCurrent();
    QString question;
    if (!links.isEmpty())
        question = QStringLiteral("На удаляемую запись есть ссылка(ки) в записи(ях): ") + links +
                   QStringLiteral(".\r\n\r\n");
    question += QStringLiteral("Вы уверены, что хотите удалить текущую запись?");
    if (confirm(question))
        m_session.deleteRecord();
}

void RecordCommands::PasteRecExecute()
{
    if (!m_session.pasteDropsLastRecord() ||
        confirm(QStringLiteral("При вставке, последняя запись будет удалена.\r\nПродолжить вставку?")))
        m_session.pasteRecord();
}

void RecordCommands::CleanRecExecute()
{
    if (mayOverwriteCurrent(QStringLiteral("Текущая запись будет очищена!")))
        m_session.cleanRecord();
}

void RecordCommands::InicialExecute()
{
    if (mayOverwriteCurrent(QStringLiteral("Текущая запись будет инициализирована!")))
        m_session.initialiseRecord();
}

void RecordCommands::MoveUpExecute()
{
    m_session.moveRecord(-1);
}

void RecordCommands::MoveDownExecute()
{
    m_session.moveRecord(+1);
}
