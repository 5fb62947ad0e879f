#pragma once

#include "gui/widgets/CommandContext.h"
#include "gui/widgets/OnDemand.h"

#include <QObject>

class PhrasesWindow;

// The phrases window and the steps on the lines of the dialogue text.
class PhraseCommands : public QObject
{
    Q_OBJECT
public:
    // The window is made when first wanted; it takes these commands as it is made.
    PhraseCommands(const CommandContext &context, OnDemand<PhrasesWindow> &window);

    // The commands that the window's tool bar shows.
    QList<QAction *> windowCommands() const;

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
    // The phrases window when it is on screen, else the main window.
    QWidget *parentWindow();
    // Shows what a step changed, or why it was refused; the line is then open for typing.
    void afterStep(const SessionResult &result, bool edit);

    CommandContext m_context;
    ScriptSession &m_session;
    OnDemand<PhrasesWindow> &m_window;
};
