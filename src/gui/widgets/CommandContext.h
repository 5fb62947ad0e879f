#pragma once

#include "gui/widgets/Prompts.h"
#include "session/SessionResult.h"

#include <QAction>
#include <QWidget>

class ScriptSession;

// What a command class works with: the session it changes, the prompts it asks, the
// window its boxes belong to and whose actions it answers.
struct CommandContext {
    ScriptSession &session;
    Prompts &prompts;
    QWidget &window;

    // The window's action of that name. A name that names none is a fault of the
    // program, not of the user: start-up stops there, in every build.
    QAction *action(const char *name) const
    {
        auto *found = window.findChild<QAction *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
        if (!found)
            qFatal("The window has no action named %s", name);
        return found;
    }
    // Shows the message of a failed command; true when it succeeded.
    bool report(const SessionResult &result) const
    {
        if (!result)
            prompts.error(&window, result.message);
        return result.ok;
    }
    // Shows the message of each failure.
    void report(const QList<SessionResult> &failures) const
    {
        for (const SessionResult &failure : failures)
            report(failure);
    }
    // Runs the handler whenever the named action is triggered.
    template <typename Receiver>
    void onTriggered(const char *name, Receiver *receiver, void (Receiver::*handler)()) const
    {
        QObject::connect(action(name), &QAction::triggered, receiver, handler);
    }
};
