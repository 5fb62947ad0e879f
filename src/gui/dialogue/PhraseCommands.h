#pragma once

#include "gui/widgets/CommandContext.h"

#include <QObject>

class PhrasesWindow;

// The phrases window and the steps on the lines of the dialogue text.
class PhraseCommands : public QObject
{
    Q_OBJECT
public:
    PhraseCommands(const CommandContext &context, PhrasesWindow *window);

    void EditPhrasesExecute();
    void ImportPhrasesExecute();
    void AddPhraseExecute();
    void AppendPhraseExecute();
    void InsertPhraseExecute();
    void DeletePhraseExecute();
    void MovePhraseUpExecute();
    void MovePhraseDownExecute();

signals:
    // A line for the status bar.
    void said(const QString &text);

private:
    // Shows what a step changed, or why it was refused; the line is then open for typing.
    void afterStep(const SessionResult &result, bool edit);

    CommandContext m_context;
    ScriptSession &m_session;
    PhrasesWindow *m_window = nullptr;
};
