#pragma once

#include "app/Startup.h"
#include "app/TForm1.h"
#include "document/NpcFile.h"
#include "gui/records/RecordGrid.h"
#include "support/QtPrinters.h"
#include "support/SessionTester.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The whole program started in a fresh start folder of its own, with scripted prompts.
// The start folder holds a copy of the shipped Data folder unless told otherwise.
class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program; call again after changing the start folder's files. The
    // arguments are those of its command line.
    void start(const QStringList &arguments = {});
    // Ends the program as closing it would (the settings file is written).
    void stop();

    QString startFolder() const { return m_dir.path(); }
    QString pathIn(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const;
    // The records as a script file; returns its path.
    QString writeScript(const QString &name, const NpcRecords &records,
                        NpcLayout layout = NpcLayout::StandardLayout) const;
    QByteArray readFile(const QString &name) const;

    TForm1 &main() { return *m_windows->main; }
    ScriptSession &session() { return *m_windows->session; }
    // The records, to put a state in place before a command runs.
    NpcRecords &records() { return SessionTester::records(session()); }
    ScriptedPrompts &prompts() { return *m_prompts; }
    QAction *action(const char *name) { return main().action(QLatin1String(name)); }
    void trigger(const char *name);
    template <typename T> T *find(const char *name) { return main().findChild<T *>(QLatin1String(name)); }
    // The main window's menu of that name ("Edit_mMenu"); null when there is none.
    QMenu *menu(const char *name);

    bool copyShippedData = true;
    // The program reads its lists once its window is first painted, which most tests never
    // do: start() takes them in at once, their failures said, unless told otherwise.
    bool readListsAtOnce = true;
    // Answers to the questions asked while the program starts.
    QList<QMessageBox::StandardButton> startAnswers;
    std::unique_ptr<ScrivletWindows> m_windows;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    ScriptedPrompts *m_prompts = nullptr;
};
