// TForm3: the dialogue text viewer.
#pragma once

#include "gui/widgets/ToolWindow.h"

#include <QByteArray>

class QPlainTextEdit;
class ScriptSession;

// The whole dialogue text in a window of its own, beside the main window. It shows the
// text as last loaded each time it becomes active.
class TForm3 : public ToolWindow
{
    Q_OBJECT
public:
    TForm3(const ScriptSession &session, QWidget &mainWindow);

    QPlainTextEdit *Memo() const { return m_memo; }
    void FormActivate();

protected:
    bool event(QEvent *event) override;

private:
    const ScriptSession &m_session;
    QPlainTextEdit *m_memo = nullptr;
    QByteArray m_shown; // export text now in the memo
};
