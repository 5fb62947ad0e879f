#pragma once

#include "gui/widgets/CommandContext.h"
#include "session/ScriptSession.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Watches the open script and its dialogue file for changes made by other programs: a
// part without unsaved changes is read again at once, a part with them is asked about
// once per change, and a file that disappears is said so. The list files are read again
// at once.
class DiskWatch : public QObject
{
    Q_OBJECT
public:
    explicit DiskWatch(const CommandContext &context);

    // Looks at both files now, as the watcher does shortly after each change it sees.
    void check();

signals:
    // A line for the status bar.
    void said(const QString &text);

private:
    void watchFiles();
    // The path when the part was read again; what else there is to say goes to `said`.
    QString checkPart(ScriptDisk::Part part);
    void checkLists();

    CommandContext m_context;
    ScriptSession &m_session;
    QFileSystemWatcher m_watcher;
    // Editors that save by renaming change a file in several steps: one look after the last.
    QTimer m_settle;
    bool m_checking = false;
};
