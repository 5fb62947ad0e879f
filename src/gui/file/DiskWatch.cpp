#include "gui/file/DiskWatch.h"

#include <QDir>
#include <QFileInfo>

namespace
{

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

DiskWatch::DiskWatch(const CommandContext &context)
    : QObject(&context.window), m_context(context), m_session(context.session)
{
    setObjectName(QStringLiteral("DiskWatch"));
    m_settle.setSingleShot(true);
    m_settle.setInterval(200);
    connect(&m_settle, &QTimer::timeout, this, &DiskWatch::check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_session, &ScriptSession::stateChanged, this, &DiskWatch::watchFiles);
    connect(&m_session.dialogue(), &DialogueText::changed, this, &DiskWatch::watchFiles);
    connect(&m_session, &ScriptSession::listsChanged, this, &DiskWatch::watchFiles);
    watchFiles(); // the lists are watched once read
}

void DiskWatch::watchFiles()
{
    QStringList wanted;
    for (const QString &path : {m_session.document().path, m_session.dialogue().path()}) {
        if (path.isEmpty())
            continue;
        // A file replaced by a rename is a new file to the watcher; the folder sees it come back.
        if (QFileInfo::exists(path))
            wanted << path;
        wanted << QFileInfo(path).absolutePath();
    }
    wanted << m_session.listWatchPaths();
    wanted.removeDuplicates();
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    const auto except = [](const QStringList &paths, const QStringList &left) {
        QStringList rest;
        for (const QString &path : paths) {
            if (!left.contains(path))
                rest << path;
        }
        return rest;
    };
    if (const QStringList gone = except(watched, wanted); !gone.isEmpty())
        m_watcher.removePaths(gone);
    if (const QStringList fresh = except(wanted, watched); !fresh.isEmpty())
        m_watcher.addPaths(fresh);
}

void DiskWatch::check()
{
    // A question below runs an event loop, in which the watcher may call again.
    if (std::exchange(m_checking, true))
        return;
    QStringList reread;
    for (const auto part : {ScriptDisk::Part::Script, ScriptDisk::Part::Dialogue}) {
        if (const QString path = checkPart(part); !path.isEmpty())
            reread << shown(path);
    }
    // One line for both: a second message would hide the first at once.
    if (reread.size() == 1)
        emit said(QStringLiteral("Файл %1 изменён другой программой и прочитан заново.").arg(reread.first()));
    else if (reread.size() == 2)
        emit said(QStringLiteral("Файлы %1 и %2 изменены другой программой и прочитаны заново.")
                      .arg(reread.first(), reread.last()));
    checkLists();
    m_checking = false;
    watchFiles();
}

void DiskWatch::checkLists()
{
    // The lists have no changes of the editor's own: they are read again unasked.
    if (!m_session.listFilesChanged())
        return;
    const QList<SessionResult> failures = m_session.loadLists();
    emit said(failures.isEmpty() ? QStringLiteral("Списки изменены другой программой и прочитаны заново.")
                                 : failures.constFirst().message);
}

QString DiskWatch::checkPart(ScriptDisk::Part part)
{
    WatchedFile &file = m_session.disk().file(part);
    const QString path = file.path();
    switch (file.newChange()) {
    case WatchedFile::State::Same:
        return {};
    case WatchedFile::State::Gone:
        emit said(QStringLiteral("Файл %1 удалён другой программой; «Сохранить» запишет его заново.")
                      .arg(shown(path)));
        return {};
    case WatchedFile::State::Changed:
        break;
    }
    if (m_session.hasUnsavedPart(part) &&
        !m_context.prompts.confirm(
            &m_context.window,
            QStringLiteral("Файл %1 изменён другой программой.\r\nЗагрузить его заново? "
                           "Несохранённые изменения будут потеряны.")
                .arg(shown(path)),
            QMessageBox::Yes | QMessageBox::No)) {
        file.acknowledge();
        return {};
    }
    const SessionResult read = m_session.reread(part);
    if (!read) {
        emit said(read.message);
        return {};
    }
    return path;
}
