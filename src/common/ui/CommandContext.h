#pragma once

#include "common/ui/Prompts.h"
#include "session/SessionResult.h"

#include <QAction>
#include <QWidget>

#include <functional>

class ScriptSession;

// What a command class works with: the session it changes, the prompts it asks, the
// window its boxes belong to and whose actions it answers.
struct CommandContext {
    ScriptSession &session;
    Prompts &prompts;
    QWidget &window;
    // Confirms a value typed into a field but not yet left, before the script is written.
    std::function<void()> confirmTypedValue = [] {};

    QAction *action(const char *name) const
    {
        return window.findChild<QAction *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    }
    // Shows the message of a failed command; true when it succeeded.
    bool report(const SessionResult &result) const
    {
        if (!result)
            prompts.error(&window, result.message);
        return result.ok;
    }
    // Runs the handler whenever the named action is triggered.
    template <typename Receiver>
    void onTriggered(const char *name, Receiver *receiver, void (Receiver::*handler)()) const
    {
        QObject::connect(action(name), &QAction::triggered, receiver, handler);
    }
};
