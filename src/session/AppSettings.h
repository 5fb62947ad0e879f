#pragma once

#include "editor/ListFolders.h"
#include "session/AppConfig.h"
#include "session/SessionResult.h"

#include <QObject>

// The settings of the run: the settings file's values, the recent files and what they
// allow. Read when the session starts, written at its end.
class AppSettings : public QObject
{
    Q_OBJECT
public:
    // Reads the settings file of the start folder.
    explicit AppSettings(const QString &startFolder, QObject *parent = nullptr);

    const AppConfig &config() const { return m_config; }
    // The window keeps its place and size here for the next run.
    AppConfig &config() { return m_config; }

    // The external editor can be started: once usable, it stays so for the run.
    bool canRunEditor() const { return m_runEditorAllowed; }
    ListFolders listFolders() const;
    // The external editor's full path to start; a relative one, which a shared settings
    // file could point into a stranger's mod, is refused with the message.
    SessionResult editorToStart(QString &program) const;

    void setExternalEditor(const QString &path);
    void setDataDir(const QString &folder);
    void setWarningsOff(bool off);
    void setWorkDir(const QString &folder);
    void addRecentFile(const QString &path);
    // A script of the recent-files list that is gone.
    void forgetRecentFile(const QString &path);

    // Writes the settings file.
    SessionResult save();

signals:
    void changed();

private:
    AppConfig m_config;
    bool m_runEditorAllowed = false;
};
