#include "gui/dialogue/PhraseCommands.h"

#include "gui/dialogue/PhrasesWindow.h"
#include "session/ScriptSession.h"

PhraseCommands::PhraseCommands(const CommandContext &context, OnDemand<PhrasesWindow> &window)
    : QObject(&context.window), m_context(context), m_session(context.session), m_window(window)
{
    m_context.onTriggered("EditPhrases", this, &PhraseCommands::EditPhrasesExecute);
    m_context.onTriggered("ImportPhrases", this, &PhraseCommands::ImportPhrasesExecute);
    m_context.onTriggered("AddPhrase", this, &PhraseCommands::AddPhraseExecute);
    m_context.onTriggered("AppendPhrase", this, &PhraseCommands::AppendPhraseExecute);
    m_context.onTriggered("InsertPhrase", this, &PhraseCommands::InsertPhraseExecute);
    m_context.onTriggered("DeletePhrase", this, &PhraseCommands::DeletePhraseExecute);
    m_context.onTriggered("MovePhraseUp", this, &PhraseCommands::MovePhraseUpExecute);
    m_context.onTriggered("MovePhraseDown", this, &PhraseCommands::MovePhraseDownExecute);
}

QList<QAction *> PhraseCommands::windowCommands() const
{
    QList<QAction *> actions;
    for (const char *name : {"ImportPhrases", "", "AddPhrase", "AppendPhrase", "InsertPhrase", "DeletePhrase", "", "MovePhraseUp",
                             "MovePhraseDown", "", "ReplaceText"})
        actions << (name[0] ? m_context.action(name) : nullptr);
    return actions;
}

QWidget *PhraseCommands::parentWindow()
{
    if (m_window.isMade() && m_window.get()->isVisible())
        return m_window.get();
    return &m_context.window;
}

void PhraseCommands::afterStep(const SessionResult &result, bool edit)
{
    if (!result) {
        m_context.prompts.error(parentWindow(), result.message);
        return;
    }
    if (!result.message.isEmpty())
        emit said(result.message);
    if (edit)
        m_window.get()->editLine(m_session.phraseLine());
}

void PhraseCommands::EditPhrasesExecute()
{
    m_window.get()->showInFront();
}

void PhraseCommands::ImportPhrasesExecute()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Загрузить фразы из TXT");
    options.filter = QStringLiteral("TXT-файлы|*.txt|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("txt");
    options.directory = m_session.settings().config().WorkDir;
    const QString path = m_context.prompts.openFile(parentWindow(), options);
    if (!path.isEmpty())
        afterStep(m_session.importPhrases(path), false);
}

void PhraseCommands::AddPhraseExecute()
{
    afterStep(m_session.addPhrase(), true);
}

void PhraseCommands::AppendPhraseExecute()
{
    afterStep(m_session.appendPhrase(), true);
}

void PhraseCommands::InsertPhraseExecute()
{
    afterStep(m_session.insertPhrase(std::max<qsizetype>(m_session.phraseLine(), 0)), true);
}

void PhraseCommands::DeletePhraseExecute()
{
    const qsizetype line = m_session.phraseLine();
    const QString speakers = m_session.phraseSpeakers(line);
    if (!speakers.isEmpty() &&
        !m_context.prompts.confirm(parentWindow(),
                                   QStringLiteral("Фразу %1 произносят записи: %2.\r\nУдалить её?").arg(line).arg(speakers),
                                   QMessageBox::Yes | QMessageBox::No))
        return;
    afterStep(m_session.deletePhrase(line), false);
}

void PhraseCommands::MovePhraseUpExecute()
{
    afterStep(m_session.movePhrase(m_session.phraseLine(), -1), false);
}

void PhraseCommands::MovePhraseDownExecute()
{
    afterStep(m_session.movePhrase(m_session.phraseLine(), +1), false);
}
